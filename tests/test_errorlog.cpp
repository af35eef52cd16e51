#include "support/Fixtures.h"

#include "core/ErrorLogRecord.h"
#include "core/RunError.h"
#include "core/Strings.h"
#include "frame/SMBASIC.h"
#include "frame/SMGLOBAL.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

const QString kBreak = QStringLiteral("\r\n\r\n");
const QString kContact = QStringLiteral("Brenhold Systems\r\nSupport desk");

// The program's own words, written out here so that a slip in the string table shows.
const QString kLoggedWithin =
    QStringLiteral("The previous error has been written to a file called ERRORS.LOG which can be found within");
const QString kSendIt = QStringLiteral(
    "This file can be easily loaded into any text editor and examined.  However, to enable us to correct the problem, "
    "you should send the contents of the file to Brenhold Systems.");
const QString kNarrative = QStringLiteral(
    "In addition, please provide a narrative description of what you were doing, whether it can be repeated, and the "
    "steps necessary to recreate the error.  The more detail you provide, the better our chances of correcting the "
    "problem.  Thank you!");
const QString kCannotUpdate =
    QStringLiteral("Password Corvalen is attempting to update it's error log.") + kBreak +
    QStringLiteral("This attempt has failed.   If this is a network installation, you may not have the right to update "
                   "or create files within the application's directory.  You should consult your network "
                   "administrator for assistance.") +
    kBreak +
    QStringLiteral("If this is not a network based install, you may have problems with your disk or file allocation "
                   "tables.  It may even be something as simple as running out of disk space.");

QString whereLogged(const QString& where)
{
    return kLoggedWithin + where + kBreak + kSendIt + kBreak + kNarrative + kBreak + kContact;
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A folder entry named errors.log that is itself a folder: no file can be opened under that name.
void blockLog(const QString& dir)
{
    ASSERT_TRUE(QDir(dir).mkpath(QStringLiteral("errors.log")));
}

class ErrorLogTest : public CorvalenTest
{
protected:
    void SetUp() override
    {
        CorvalenTest::SetUp();
        gPlatformId = 0;
        gWindowsVersion = 601;
        gVersionText = QStringLiteral(" Version 1.0.53");
        gDoubleBreak = kBreak;
        gContactText = kContact;
        gWindowsDir = p->windowsDirPath;
        gErrorText = QStringLiteral("Error has Occurred: Disk full-61");
    }

    QString programLog() const { return p->programFile(QStringLiteral("errors.log")); }
    QString windowsLog() const { return p->windowsDirPath + QStringLiteral("/errors.log"); }
};

} // namespace

// --- The record as data

TEST(ErrorLogRecordTest, LineIsQuotedWithInnerQuotesUnchangedAndStaysOneLine)
{
    ErrorLogRecord record;
    record.platformId = 2;
    record.when = QDateTime(QDate(2026, 3, 4), QTime(7, 5, 9));
    record.errorText = QStringLiteral(" Error has Occurred: the \"A:\" drive\r\nis empty-71  ");
    record.procedureName = QStringLiteral("ExportList");
    record.versionText = QStringLiteral(" Version 1.0.53");
    record.windowsVersion = 410;
    EXPECT_EQ(record.line(), QByteArray("\"NT|03-04-2026|07:05:09|Error has Occurred: the \"A:\" drive is "
                                        "empty-71|ExportList| Version 1.0.53|410\"\r\n"));
}

// --- Writing the log and telling the user

TEST_F(ErrorLogTest, RecordHoldsTheSevenFieldsInOrder)
{
    gErrorText = QStringLiteral("  Error has Occurred: Disk full-61 ");
    WriteErrorLog(QStringLiteral(" LoadPasswords  "));

    const QByteArray content = readFile(programLog());
    ASSERT_TRUE(content.startsWith('"'));
    ASSERT_TRUE(content.endsWith("\"\r\n"));
    EXPECT_EQ(content.count('\n'), 1);
    const QStringList fields = QString::fromUtf8(content.mid(1, content.size() - 4)).split(QLatin1Char('|'));
    ASSERT_EQ(fields.size(), 7) << content.constData();
    EXPECT_EQ(fields[0], QStringLiteral("?")); // the platform id this system reports
    EXPECT_EQ(fields[1], QStringLiteral("03-04-2026"));
    EXPECT_EQ(fields[2], QStringLiteral("17:05:09"));
    EXPECT_EQ(fields[3], QStringLiteral("Error has Occurred: Disk full-61"));
    EXPECT_EQ(fields[4], QStringLiteral("LoadPasswords"));
    EXPECT_EQ(fields[5], QStringLiteral(" Version 1.0.53"));
    EXPECT_EQ(fields[6], QStringLiteral("601"));
}

TEST_F(ErrorLogTest, ShowsTheUntrimmedErrorThenWhereItWasLogged)
{
    gErrorText = QStringLiteral(" Error has Occurred: Disk full-61 ");
    WriteErrorLog(QStringLiteral("Main"));

    ASSERT_EQ(p->messages.size(), 2u);
    EXPECT_EQ(p->messages[0].prompt, gErrorText);
    EXPECT_EQ(p->messages[0].flags, 16);
    EXPECT_EQ(p->messages[0].title, QStringLiteral("Error In Procedure:Main"));
    EXPECT_EQ(p->messages[1].prompt, whereLogged(QStringLiteral(" the application's directory.")));
    EXPECT_EQ(p->messages[1].flags, 0);
    EXPECT_TRUE(p->messages[1].title.isEmpty()); // the application's title
    EXPECT_FALSE(QFileInfo::exists(windowsLog()));
}

TEST_F(ErrorLogTest, TwoErrorsAppendTwoLinesAfterTheEarlierOnes)
{
    {
        QFile old(programLog());
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("\"earlier record\"\r\n");
    }
    gErrorText = QStringLiteral("Error has Occurred: first-1");
    WriteErrorLog(QStringLiteral("ImportList"));
    p->clock = p->clock.addSecs(3);
    gErrorText = QStringLiteral("Error has Occurred: second-2");
    WriteErrorLog(QStringLiteral("CheckForDups"));

    const QList<QByteArray> lines = readFile(programLog()).split('\n');
    ASSERT_EQ(lines.size(), 4); // three lines and the empty rest after the last line end
    EXPECT_EQ(lines[0], QByteArray("\"earlier record\"\r"));
    EXPECT_EQ(lines[1],
              QByteArray("\"?|03-04-2026|17:05:09|Error has Occurred: first-1|ImportList| Version 1.0.53|601\"\r"));
    EXPECT_EQ(lines[2],
              QByteArray("\"?|03-04-2026|17:05:12|Error has Occurred: second-2|CheckForDups| Version 1.0.53|601\"\r"));
    EXPECT_TRUE(lines[3].isEmpty());
    EXPECT_EQ(p->messages.size(), 4u);
}

TEST_F(ErrorLogTest, FallsBackToTheWindowsDirectoryAndSaysSo)
{
    blockLog(p->programDirPath);
    WriteErrorLog(QStringLiteral("SplashRoutines"));

    EXPECT_TRUE(readFile(windowsLog()).contains("|SplashRoutines| Version 1.0.53|601\"\r\n"));
    ASSERT_EQ(p->messages.size(), 2u);
    EXPECT_EQ(p->messages[0].title, QStringLiteral("Error In Procedure:SplashRoutines"));
    EXPECT_EQ(p->messages[1].prompt, whereLogged(QStringLiteral(" your Windows directory.")));
}

TEST_F(ErrorLogTest, EveryCallTriesTheProgramDirectoryFirstAgain)
{
    blockLog(p->programDirPath);
    WriteErrorLog(QStringLiteral("first"));
    ASSERT_TRUE(QDir(p->programDirPath).rmdir(QStringLiteral("errors.log")));
    WriteErrorLog(QStringLiteral("second"));
    EXPECT_FALSE(readFile(windowsLog()).contains("|second|"));
    EXPECT_TRUE(readFile(programLog()).contains("|second|"));
}

TEST_F(ErrorLogTest, NeitherDirectoryWritableShowsOnlyTheCannotUpdateBox)
{
    blockLog(p->programDirPath);
    blockLog(p->windowsDirPath);
    WriteErrorLog(QStringLiteral("Main"));

    ASSERT_EQ(p->messages.size(), 1u);
    EXPECT_EQ(p->messages[0].prompt, kCannotUpdate);
    EXPECT_EQ(p->messages[0].flags, 16);
    EXPECT_EQ(p->messages[0].title, QStringLiteral("Password Corvalen"));
    EXPECT_TRUE(QFileInfo(programLog()).isDir());
}

TEST_F(ErrorLogTest, UnknownWindowsDirectoryIsNeverTakenForTheRootFolder)
{
    // Before the start-up has asked for it the fallback is empty; the log must not land in "/".
    const bool rootLogBefore = QFileInfo::exists(QStringLiteral("/errors.log"));
    blockLog(p->programDirPath);
    gWindowsDir.clear();
    WriteErrorLog(QStringLiteral("RegDB_GetValue"));

    EXPECT_EQ(QFileInfo::exists(QStringLiteral("/errors.log")), rootLogBefore);
    ASSERT_EQ(p->messages.size(), 1u);
    EXPECT_EQ(p->messages[0].prompt, kCannotUpdate);
}

TEST_F(ErrorLogTest, FailureToWriteAfterTheOpenIsSilent)
{
    // A device that takes the open but refuses every byte, as a full disk does.
    if (!QFileInfo(QStringLiteral("/dev/full")).exists())
        GTEST_SKIP() << "no /dev/full on this system";
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/full"), programLog()));
    WriteErrorLog(QStringLiteral("Main"));
    EXPECT_TRUE(p->messages.empty());
    EXPECT_FALSE(QFileInfo::exists(windowsLog()));
}

// --- The handler convention: go on after an error, or end where the number says so

TEST_F(ErrorLogTest, ResumeNextLogsAndGoesOnUnlessTheNumberEndsTheProgram)
{
    const auto fileErrors = [](int number) { return number == 53; };
    int after = 0;
    EXPECT_FALSE(Ends([&] {
        ResumeNext(QStringLiteral("Main"), [] { throw RunError(13, QStringLiteral("Type mismatch")); }, fileErrors);
        ++after;
    }));
    EXPECT_EQ(after, 1);
    EXPECT_EQ(gErrorText, QStringLiteral("Error has Occurred: Type mismatch-13"));
    EXPECT_TRUE(Ends([&] { ResumeNext(QStringLiteral("x"), [] { throw RunError(53); }, fileErrors); }));
    EXPECT_EQ(readFile(programLog()).count('\n'), 2);
}
