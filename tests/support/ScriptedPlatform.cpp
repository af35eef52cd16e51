#include "ScriptedPlatform.h"

#include <QPrinter>
#include <QRandomGenerator>

ScriptedPlatform::ScriptedPlatform()
    : programDirPath(programFolder.path()), windowsDirPath(windowsFolder.path())
{
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
    ended = true;
    throw ProgramEnded();
}

void ScriptedPlatform::Quit()
{
    quitCalled = true;
}

void ScriptedPlatform::DoEvents()
{
    ++doEventsCalls;
}

void ScriptedPlatform::SetBusyPointer(bool busy)
{
    busyPointer = busy;
    ++busyPointerChanges;
}

QByteArray ScriptedPlatform::windowsDirectoryBuffer() const
{
    QByteArray buffer = windowsDirPath.toLocal8Bit();
    if (buffer.size() < 255)
        buffer.append(255 - buffer.size(), '\0');
    return buffer;
}

void ScriptedPlatform::FileCopy(const QString& source, const QString& target)
{
    if (fileCopyHook)
        fileCopyHook(source, target);
    Platform::FileCopy(source, target);
}

void ScriptedPlatform::SetAttr(const QString& path, int attributes)
{
    if (setAttrHook)
        setAttrHook(path, attributes);
    Platform::SetAttr(path, attributes);
}

void ScriptedPlatform::ClipboardClear()
{
    ++clipboardClears;
    clipboardText.clear();
    clipboardSecret = false;
}

void ScriptedPlatform::ClipboardSetText(const QString& text, bool secret)
{
    clipboardText = text;
    clipboardSecret = secret;
}

void ScriptedPlatform::WinHelp(const QString& helpFile, int command, int data)
{
    helpCalls.push_back({helpFile, command, data});
}

std::unique_ptr<QPrinter> ScriptedPlatform::DefaultPrinter()
{
    return printer ? printer() : nullptr;
}

double ScriptedPlatform::Rnd()
{
    if (rnd.empty())
        return QRandomGenerator::global()->generateDouble();
    const double value = rnd.front();
    rnd.pop_front();
    return value;
}
