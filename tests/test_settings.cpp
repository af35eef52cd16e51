#include "support/Fixtures.h"

#include "core/FileOps.h"
#include "core/RunError.h"
#include "frame/SHARED.h"
#include "frame/SMGLOBAL.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSettings>

#include <sys/stat.h>

namespace {

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class SettingsTest : public CorvalenTest
{
protected:
    void SetUp() override
    {
        CorvalenTest::SetUp();
        // The error log's message needs these; the start-up would have set them.
        gDoubleBreak = QStringLiteral("\r\n\r\n");
        gWindowsDir = p->windowsDirPath;
        gVersionText = QStringLiteral(" Version 1.0.53");
    }

    QString storeDir() const { return configDir->path() + QStringLiteral("/Brenhold"); }
    QString storeFile() const { return storeDir() + QStringLiteral("/Password Corvalen.conf"); }

    void writeStore(const QByteArray& content)
    {
        ASSERT_TRUE(QDir().mkpath(storeDir()));
        QFile file(storeFile());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }

    // What the installer leaves behind.
    void writeInstallerVersion(const QString& major)
    {
        QSettings store(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Brenhold"),
                        QStringLiteral("Password Corvalen"));
        store.setValue(QStringLiteral("CurrentVersion/MajorVersion"), major);
        store.setValue(QStringLiteral("CurrentVersion/MinorVersion"), QStringLiteral("0"));
        store.setValue(QStringLiteral("CurrentVersion/SubMinorVersion"), QStringLiteral("53"));
        store.sync();
        ASSERT_EQ(store.status(), QSettings::NoError);
    }

    QByteArray programLog() const { return readFile(p->programFile(QStringLiteral("errors.log"))); }
};

} // namespace

// --- Reading and writing section "Constants"

TEST_F(SettingsTest, ValuesAreKeptPerUserInTheIniGroupConstantsAndGarbageReadsAsMissing)
{
    EXPECT_EQ(RegDB_GetValue(QStringLiteral("DesignerMode"), QStringLiteral("True")), QStringLiteral("True"));
    EXPECT_FALSE(QFileInfo::exists(storeFile())) << "reading creates nothing";
    RegDB_SetValue(QStringLiteral("DesignerMode"), QStringLiteral("False"));
    RegDB_SetValue(QStringLiteral("TerminateAfter"), QStringLiteral("True"));
    EXPECT_EQ(RegDB_GetValue(QStringLiteral("DesignerMode"), QStringLiteral("True")), QStringLiteral("False"));
    const QByteArray ini = readFile(storeFile());
    EXPECT_TRUE(ini.startsWith("[Constants]\n")) << ini.constData();
    EXPECT_TRUE(ini.contains("\nTerminateAfter=True\n"));

    QByteArray junk("\x01\x02[[[\n===\n\xff\xfe[Constants\nnot a line at all\n");
    junk.append(64, '\0');
    writeStore(junk);
    EXPECT_EQ(RegDB_GetValue(QStringLiteral("DesignerMode"), QStringLiteral("True")), QStringLiteral("True"));
    RegDB_SetValue(QStringLiteral("TerminateAfter"), QStringLiteral("False"));
    EXPECT_EQ(RegDB_GetValue(QStringLiteral("TerminateAfter"), QStringLiteral("True")), QStringLiteral("False"));
    EXPECT_TRUE(p->messages.empty());
}

TEST_F(SettingsTest, UnreadableStoreIsLoggedWithTheKeyAndDefaultAndEnds)
{
    ASSERT_TRUE(QDir().mkpath(storeFile())); // a folder where the file should be: it cannot be read
    writePlainFile({QStringLiteral("Bank|b4nk|me")});
    const QByteArray before = readFile(passwordFile());

    EXPECT_TRUE(Ends([] { RegDB_GetValue(QStringLiteral("DesignerMode"), QStringLiteral("True")); }));
    EXPECT_TRUE(gErrorText.startsWith(QStringLiteral("Error has Occurred: "))) << qPrintable(gErrorText);
    EXPECT_TRUE(gErrorText.endsWith(QStringLiteral("-75"))) << qPrintable(gErrorText);
    EXPECT_TRUE(programLog().contains("|RegDB_GetValueDesignerMode1|DesignerMode|True| Version"))
        << programLog().constData();
    ASSERT_EQ(p->messages.size(), 2u);
    EXPECT_EQ(p->messages[0].title, QStringLiteral("Error In Procedure:RegDB_GetValueDesignerMode1|DesignerMode|True"));
    EXPECT_EQ(readFile(passwordFile()), before);
}

TEST_F(SettingsTest, UnwritableStoreIsLoggedWithValueKeyAndSystemErrorAndEnds)
{
    // A file where the store's folder should be: nothing can be created below it.
    QFile blocker(storeDir());
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    EXPECT_TRUE(Ends([] { RegDB_SetValue(QStringLiteral("TerminateAfter"), QStringLiteral("False")); }));
    // The error number is followed at once by the system's own error code.
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^Error has Occurred: .+-75\\d+$")).match(gErrorText).hasMatch())
        << qPrintable(gErrorText);
    EXPECT_TRUE(programLog().contains("|RegDB_SetValueFalse|TerminateAfter| Version")) << programLog().constData();
    ASSERT_EQ(p->messages.size(), 2u);
    EXPECT_EQ(p->messages[0].title, QStringLiteral("Error In Procedure:RegDB_SetValueFalse|TerminateAfter"));
    EXPECT_EQ(readFile(storeDir()), QByteArray());
}

// --- The platform's text-to-Boolean conversion

TEST(CBoolTest, AcceptsBooleanWordsAndNumbersAndRejectsTheRestAsATypeMismatch)
{
    const struct
    {
        const char* text;
        bool value;
    } cases[] = {{"True", true}, {"FALSE", false}, {"-1", true}, {"0.0", false}, {" 7 ", true}};
    for (const auto& c : cases) {
        bool ok = false;
        EXPECT_EQ(CBool(QLatin1String(c.text), &ok), c.value) << c.text;
        EXPECT_TRUE(ok) << c.text;
    }
    for (const char* text : {"", "Yes", "1x", "nan"}) {
        try {
            CBoolOrRaise(QLatin1String(text));
            ADD_FAILURE() << "no error for " << text;
        } catch (const RunError& error) {
            EXPECT_EQ(ErrorText(error), QStringLiteral("Error has Occurred: Type mismatch-13"));
        }
    }
    EXPECT_TRUE(CBool(BoolText(true)));
    EXPECT_EQ(BoolText(false), QStringLiteral("False"));
}

// --- First-run check

TEST_F(SettingsTest, FirstRunCheckCreatesAFileOnlyWithoutInstallerInformationAndWithoutAFile)
{
    writePlainFile({QStringLiteral("Bank|b4nk|me")}, QStringLiteral("password.dat"));
    const QByteArray before = readFile(p->programFile(QStringLiteral("password.dat")));
    RegDB_CheckVersion();
    EXPECT_EQ(readFile(p->programFile(QStringLiteral("password.dat"))), before);
    EXPECT_EQ(QDir(p->programDirPath).entryList(QDir::Files).size(), 1) << "found whatever its letter case";
    QFile::remove(p->programFile(QStringLiteral("password.dat")));

    writeInstallerVersion(QStringLiteral("1"));
    RegDB_CheckVersion();
    EXPECT_FALSE(QFileInfo::exists(passwordFile()));
    writeInstallerVersion(QStringLiteral("True")); // not a version: no installer information
    RegDB_CheckVersion();
    EXPECT_TRUE(QFileInfo(passwordFile()).isFile());
    EXPECT_TRUE(FileOps::IsHidden(passwordFile()));
}

TEST_F(SettingsTest, CheckEndsQuietlyWhenTheStoreOrTheFolderFails)
{
    ASSERT_TRUE(QDir().mkpath(storeFile()));
    EXPECT_FALSE(Ends([] { RegDB_CheckVersion(); }));
    EXPECT_FALSE(QFileInfo::exists(passwordFile())); // an unreadable store says nothing about a first run

    ASSERT_TRUE(QDir().rmdir(storeFile()));
    p->programDirPath = p->windowsDirPath + QStringLiteral("/no/such/folder");
    EXPECT_FALSE(Ends([] { RegDB_CheckVersion(); }));
    EXPECT_TRUE(p->messages.empty());
    EXPECT_TRUE(programLog().isEmpty());
}
