#include "Fixtures.h"

#include "core/FileOps.h"
#include "core/ListItem.h"
#include "core/PasswordFile.h"
#include "frame/SMGLOBAL.h"

void CorvalenTest::SetUp()
{
    p = std::make_unique<ScriptedPlatform>();
    p->install();
    ResetGlobals();
    // QSettings reads XDG_CONFIG_HOME once per process; the path has to be set for every test.
    qputenv("XDG_CONFIG_HOME", configDir.path().toLocal8Bit());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, configDir.path());
}

void CorvalenTest::TearDown()
{
    main.reset();
    SetPlatform({});
}

void CorvalenTest::writePlainFile(const QStringList& plainLines, const QString& path)
{
    FileOps::WriteAtomic(path.isEmpty() ? passwordFile() : path,
                         PasswordFile::Content(std::vector<QString>(plainLines.begin(), plainLines.end())));
}

QStringList CorvalenTest::readPlainFile(const QString& path) const
{
    const std::vector<QString> lines = PasswordFile::PlainLines(BytesOf(path.isEmpty() ? passwordFile() : path));
    return QStringList(lines.begin(), lines.end());
}

void CorvalenTest::launch()
{
    // A help file in place keeps the start-up free of its missing-help message.
    QFile(p->programFile(QStringLiteral("Corvalen.HLP"))).open(QIODevice::Append);
    main = std::make_unique<Mainform>();
    main->Form_Load();
    main->Timer1_Timer();
}

QStringList CorvalenTest::names() const
{
    QStringList out;
    for (int i = 0; i < main->List1->ListCount(); ++i)
        out << ListItem::NameOf(main->List1->List(i));
    return out;
}
