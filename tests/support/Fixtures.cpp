#include "Fixtures.h"

#include "core/FileOps.h"
#include "core/PasswordFile.h"
#include "frame/SMGLOBAL.h"

#include <QSettings>

void CorvalenTest::SetUp()
{
    p = std::make_unique<ScriptedPlatform>();
    SetPlatform(p.get());
    ResetGlobals();
    configDir = std::make_unique<QTemporaryDir>();
    qputenv("XDG_CONFIG_HOME", configDir->path().toLocal8Bit());
    // QSettings reads XDG_CONFIG_HOME once per process; the path has to be set for every test.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, configDir->path());
    FileOps::SetWriteFailureAfter(-1);
}

void CorvalenTest::TearDown()
{
    FileOps::SetWriteFailureAfter(-1);
    SetPlatform(nullptr);
}

void CorvalenTest::writePlainFile(const QStringList& plainLines, const QString& name)
{
    PasswordFile::WritePlainLines(p->programFile(name), std::vector<QString>(plainLines.begin(), plainLines.end()));
}

QStringList CorvalenTest::readPlainFile(const QString& name) const
{
    const std::vector<QString> lines = PasswordFile::ReadPlainLines(p->programFile(name));
    return QStringList(lines.begin(), lines.end());
}

QStringList CorvalenTest::prompts() const
{
    QStringList out;
    for (const MsgBoxCall& call : p->messages)
        out << call.prompt;
    return out;
}
