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

TEST_F(SettingsTest, MissingKeysReadAsTheirDefault)
{
    EXPECT_EQ(RegDB_GetValue(QStringLiteral("DesignerMode"), QStringLiteral("True")), QStringLiteral("True"));
    EXPECT_EQ(RegDB_GetValue(QStringLiteral("TerminateAfter"), QStringLiteral("False")), QStringLiteral("False"));
    EXPECT_TRUE(p->messages.empty());
    EXPECT_FALSE(QFileInfo::exists(storeFile())); // reading creates nothing
}

TEST_F(SettingsTest, ValuesAreKeptPerUserInTheIniGroupConstants)
{
    RegDB_SetValue(QStringLiteral("DesignerMode"), QStringLiteral("False"));
    RegDB_SetValue(QStringLiteral("TerminateAfter"), QStringLiteral("False"));
    RegDB_SetValue(QStringLiteral("TerminateAfter"), QStringLiteral("True"));

    EXPECT_EQ(RegDB_GetValue(QStringLiteral("DesignerMode"), QStringLiteral("True")), QStringLiteral("False"));
    EXPECT_EQ(RegDB_GetValue(QStringLiteral("TerminateAfter"), QStringLiteral("False")), QStringLiteral("True"));
    const QByteArray ini = readFile(storeFile());
    EXPECT_TRUE(ini.startsWith("[Constants]\n")) << ini.constData();
    EXPECT_TRUE(ini.contains("\nDesignerMode=False\n"));
    EXPECT_TRUE(ini.contains("\nTerminateAfter=True\n"));
    EXPECT_FALSE(ini.contains("CurrentVersion")); // the installer's section is never written
}

TEST_F(SettingsTest, ReadsWhatAnotherProgramWroteToTheFile)
{
    writeStore("[Constants]\r\nDesignerMode=0\r\nTerminateAfter=-1\r\n");
    EXPECT_EQ(RegDB_GetValue(QStringLiteral("DesignerMode"), QStringLiteral("True")), QStringLiteral("0"));
    EXPECT_EQ(RegDB_GetValue(QStringLiteral("TerminateAfter"), QStringLiteral("True")), QStringLiteral("-1"));
}

TEST_F(SettingsTest, GarbageFileReadsAsMissingKeysAndCanBeWrittenAgain)
{
    QByteArray junk("\x01\x02[[[\n===\n\xff\xfe[Constants\nnot a line at all\n");
    junk.append(64, '\0');
    writeStore(junk);
    EXPECT_FALSE(Ends([] {
        EXPECT_EQ(RegDB_GetValue(QStringLiteral("DesignerMode"), QStringLiteral("True")), QStringLiteral("True"));
    }));
    EXPECT_FALSE(Ends([] { RegDB_SetValue(QStringLiteral("TerminateAfter"), QStringLiteral("False")); }));
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

TEST(CBoolTest, AcceptsBooleanWordsAndNumbers)
{
    const struct
    {
        const char* text;
        bool value;
    } cases[] = {{"True", true}, {"False", false}, {"true", true}, {"FALSE", false}, {"1", true},   {"0", false},
                 {"-1", true},   {"2.5", true},    {"0.0", false}, {" 7 ", true},    {"-0", false}, {"1e3", true}};
    for (const auto& c : cases) {
        bool ok = false;
        EXPECT_EQ(CBool(QLatin1String(c.text), &ok), c.value) << c.text;
        EXPECT_TRUE(ok) << c.text;
        EXPECT_EQ(CBoolOrRaise(QLatin1String(c.text)), c.value) << c.text;
    }
}

TEST(CBoolTest, RejectsEverythingElseAsATypeMismatch)
{
    for (const char* text : {"", "Yes", "Tru", "1x", "nan", "inf", "True False", "#TRUE#"}) {
        bool ok = true;
        CBool(QLatin1String(text), &ok);
        EXPECT_FALSE(ok) << text;
        try {
            CBoolOrRaise(QLatin1String(text));
            ADD_FAILURE() << "no error for " << text;
        } catch (const RunError& error) {
            EXPECT_EQ(error.number(), 13);
            EXPECT_EQ(ErrorText(error), QStringLiteral("Error has Occurred: Type mismatch-13"));
        }
    }
}

TEST(CBoolTest, WritesBooleansAsTheWordsItReads)
{
    EXPECT_EQ(BoolText(true), QStringLiteral("True"));
    EXPECT_EQ(BoolText(false), QStringLiteral("False"));
    EXPECT_TRUE(CBool(BoolText(true)));
    EXPECT_FALSE(CBool(BoolText(false)));
}

// --- First-run check

TEST_F(SettingsTest, FirstRunCreatesAnEmptyHiddenOwnerOnlyPasswordFile)
{
    RegDB_CheckVersion();
    const QFileInfo info(passwordFile());
    ASSERT_TRUE(info.isFile());
    EXPECT_EQ(info.size(), 0);
    EXPECT_TRUE(FileOps::IsHidden(passwordFile()));
    struct stat st;
    ASSERT_EQ(::stat(QFile::encodeName(passwordFile()).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    EXPECT_TRUE(p->messages.empty());
}

TEST_F(SettingsTest, FirstRunKeepsAnExistingPasswordFileWhateverItsLetterCase)
{
    writePlainFile({QStringLiteral("Bank|b4nk|me")}, QStringLiteral("password.dat"));
    const QByteArray before = readFile(p->programFile(QStringLiteral("password.dat")));
    RegDB_CheckVersion();
    EXPECT_EQ(readFile(p->programFile(QStringLiteral("password.dat"))), before);
    EXPECT_EQ(QDir(p->programDirPath).entryList(QDir::Files).filter(QStringLiteral(".dat"), Qt::CaseInsensitive).size(),
              1);
    EXPECT_FALSE(FileOps::IsHidden(p->programFile(QStringLiteral("password.dat"))));
}

TEST_F(SettingsTest, InstalledCopyGetsNoFileFromTheCheck)
{
    writeInstallerVersion(QStringLiteral("1"));
    RegDB_CheckVersion();
    EXPECT_FALSE(QFileInfo::exists(passwordFile()));
}

TEST_F(SettingsTest, MajorVersionOfTrueCountsAsNoInstallerInformation)
{
    writeInstallerVersion(QStringLiteral("True"));
    RegDB_CheckVersion();
    EXPECT_TRUE(QFileInfo(passwordFile()).isFile());
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
