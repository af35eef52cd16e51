#include "Fixtures.h"

#include "core/FileOps.h"
#include "core/ListItem.h"
#include "core/PasswordFile.h"
#include "frame/ListBox.h"
#include "frame/SMGLOBAL.h"

#include <QFile>
#include <QSettings>

MsgBoxCall Box(const QString& prompt, int flags, const QString& title)
{
    return {prompt, flags, title};
}

QByteArray BytesOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void CorvalenTest::SetUp()
{
    p = std::make_unique<ScriptedPlatform>();
    p->install();
    ResetGlobals();
    configDir = std::make_unique<QTemporaryDir>();
    // QSettings reads XDG_CONFIG_HOME once per process; the path has to be set for every test.
    qputenv("XDG_CONFIG_HOME", configDir->path().toLocal8Bit());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, configDir->path());
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

void CorvalenTest::setSetting(const QString& key, const QString& value)
{
    QSettings store(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Brenhold"),
                    QStringLiteral("Password Corvalen"));
    store.setValue(key, value);
}

QString CorvalenTest::setting(const QString& key) const
{
    QSettings store(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Brenhold"),
                    QStringLiteral("Password Corvalen"));
    return store.value(key).toString();
}

QString CorvalenTest::settingsFile() const
{
    return configDir->path() + QStringLiteral("/Brenhold/Password Corvalen.conf");
}

std::vector<MsgBoxCall> CorvalenTest::takeMessages()
{
    return std::exchange(p->messages, {});
}

void CorvalenTest::start(const QStringList& plainLines)
{
    writePlainFile(plainLines);
    launch();
}

void CorvalenTest::launch()
{
    // A help file in place keeps the start-up free of its missing-help message.
    QFile help(p->programFile(QStringLiteral("Corvalen.HLP")));
    help.open(QIODevice::Append);
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

QString CorvalenTest::selectedName() const
{
    const int i = main->List1->ListIndex();
    return i < 0 ? QString() : ListItem::NameOf(main->List1->List(i));
}

void CorvalenTest::select(const QString& name)
{
    main->List1->setListIndex(int(names().indexOf(name)));
}
