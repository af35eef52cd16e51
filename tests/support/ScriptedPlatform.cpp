#include "ScriptedPlatform.h"

#include "core/FileOps.h"

std::ostream& operator<<(std::ostream& out, const MsgBoxCall& call)
{
    return out << '{' << call.prompt.toStdString() << ", " << call.flags << ", " << call.title.toStdString() << '}';
}

int ScriptedPlatform::MsgBox(const QString& prompt, int flags, const QString& title)
{
    messages.push_back({prompt, flags, title});
    return next(answers, 1);
}

void ScriptedPlatform::ShowModal(QDialog& window)
{
    modalShown.push_back(QString::fromLatin1(window.metaObject()->className()));
    if (auto action = next(modalActions, {}))
        action(window);
}

void ScriptedPlatform::WriteFile(const QString& path, const QByteArray& content)
{
    if (beforeWrite)
        beforeWrite(path);
    FileOps::WriteAtomic(path, content);
}
