#include "ScriptedPlatform.h"

#include "core/FileOps.h"

#include <QPrinter>
#include <QRandomGenerator>

std::ostream& operator<<(std::ostream& out, const MsgBoxCall& call)
{
    return out << '{' << call.prompt.toStdString() << ", " << call.flags << ", " << call.title.toStdString() << '}';
}

ScriptedPlatform::ScriptedPlatform() : programDirPath(programFolder.path()) {}

void ScriptedPlatform::install()
{
    SetPlatform({this, this, this, this});
}

int ScriptedPlatform::MsgBox(const QString& prompt, int flags, const QString& title)
{
    messages.push_back({prompt, flags, title});
    if (answers.empty())
        return 1;
    const int answer = answers.front();
    answers.pop_front();
    return answer;
}

void ScriptedPlatform::ShowModal(QDialog& window)
{
    modalShown.push_back(QString::fromLatin1(window.metaObject()->className()));
    if (modalActions.empty())
        return;
    auto action = std::move(modalActions.front());
    modalActions.pop_front();
    action(window);
}

void ScriptedPlatform::End()
{
    throw ProgramEnded();
}

QByteArray ScriptedPlatform::windowsDirectoryBuffer() const
{
    QByteArray buffer = windowsFolder.path().toLocal8Bit();
    buffer.append(255 - buffer.size(), '\0');
    return buffer;
}

double ScriptedPlatform::Rnd()
{
    if (rnd.empty())
        return QRandomGenerator::global()->generateDouble();
    const double value = rnd.front();
    rnd.pop_front();
    return value;
}

void ScriptedPlatform::WriteFile(const QString& path, const QByteArray& content)
{
    if (beforeWrite)
        beforeWrite(path);
    FileOps::WriteAtomic(path, content);
}

void ScriptedPlatform::ClipboardClear()
{
    clipboardText.clear();
    clipboardSecret = false;
}

void ScriptedPlatform::ClipboardSetText(const QString& text, bool secret)
{
    clipboardText = text;
    clipboardSecret = secret;
}

bool ScriptedPlatform::WinHelp(const QString&, int command, int)
{
    helpCalls.push_back(command);
    return helpShows;
}
