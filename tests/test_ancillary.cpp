#include "support/Fixtures.h"

#include "core/FileOps.h"
#include "core/RunError.h"
#include "frame/QtPlatform.h"
#include "frame/SHARED.h"
#include "frame/SMGLOBAL.h"
#include "ui/Ancillary.h"
#include "ui/Mainform.h"

#include <QDir>
#include <QFile>
#include <QPushButton>

namespace {

const QStringList kEntries = {QStringLiteral("Bank|b4nk|me"), QStringLiteral("Password Corvalen|Secret0| "),
                              QStringLiteral("Mail|m41l|")};

const QString kExportPrompt =
    QStringLiteral("The Password File (PASSWORD.DAT) will be copied to your diskette drive.\r\n\r\n"
                   "Please have an empty diskette in Drive A:  Select Cancel to Stop, OK to Continue.");

QByteArray bytesOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// A loaded program with its ancillary window and an inserted medium.
class AncillaryTest : public CorvalenTest
{
protected:
    void SetUp() override
    {
        CorvalenTest::SetUp();
        writePlainFile(kEntries);
        FileOps::SetAttr(passwordFile(), FileOps::kAttrHidden);
        main = std::make_unique<Mainform>();
        main->LoadPasswords(QStringLiteral("Load"));
        window = std::make_unique<Ancillary>(*main);
        p->mediumPath = medium.path();
        p->messages.clear();
    }
    void TearDown() override
    {
        window.reset();
        main.reset();
        CorvalenTest::TearDown();
    }

    QString onMedium(const QString& name) const { return medium.path() + QLatin1Char('/') + name; }
    QStringList mediumFiles() const
    {
        return QDir(medium.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    }
    QByteArray errorLog() const { return bytesOf(p->programFile(QStringLiteral("errors.log"))); }

    QTemporaryDir medium;
    std::unique_ptr<Mainform> main;
    std::unique_ptr<Ancillary> window;
};

TEST_F(AncillaryTest, ButtonsAreLockedWhileAnOperationRunsAndCloseUnloads)
{
    std::vector<bool> enabledDuringCopy;
    p->fileCopyHook = [&](const QString&, const QString&) {
        for (QPushButton* button : window->Command1)
            enabledDuringCopy.push_back(button->isEnabled());
    };
    window->Command1_Click(1);
    EXPECT_EQ(enabledDuringCopy, std::vector<bool>(4, false));
    p->answers = {vbCancel}; // also after an operation that stops early
    window->Command1_Click(2);
    for (QPushButton* button : window->Command1)
        EXPECT_TRUE(button->isEnabled());

    window->show();
    window->Command1_Click(3);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(AncillaryTest, ExportAsksThenReplacesAnyLetterCaseCopyWithAnExactNormalOne)
{
    p->answers = {vbCancel};
    window->ExportList();
    ASSERT_EQ(p->messages.size(), 1u);
    EXPECT_EQ(p->messages[0].prompt, kExportPrompt);
    EXPECT_EQ(p->messages[0].flags, 65);
    EXPECT_TRUE(mediumFiles().isEmpty());

    writeBytes(onMedium(QStringLiteral("PASSWORD.DAT")), "older copy\r\n");
    FileOps::SetAttr(onMedium(QStringLiteral("PASSWORD.DAT")), FileOps::kAttrHidden);
    window->ExportList();
    // One file, still under the name it had: the medium never holds two copies that differ by case.
    EXPECT_EQ(mediumFiles(), (QStringList{QStringLiteral(".hidden"), QStringLiteral("PASSWORD.DAT")}));
    EXPECT_EQ(bytesOf(onMedium(QStringLiteral("PASSWORD.DAT"))), bytesOf(passwordFile()));
    EXPECT_FALSE(FileOps::IsHidden(onMedium(QStringLiteral("PASSWORD.DAT"))));
    EXPECT_TRUE(FileOps::IsHidden(passwordFile())) << "the program's own copy keeps its attribute";
    EXPECT_EQ(prompts().back(), QStringLiteral("Export is Complete"));
}

TEST_F(AncillaryTest, ExportWithoutAMediumOrToOnePulledDuringTheCopyIsNotReady)
{
    QTemporaryDir stick;
    for (const QString& folder : {QString(), medium.path() + QStringLiteral("/not-mounted"), stick.path()}) {
        p->messages.clear();
        p->mediumPath = folder;
        p->fileCopyHook = [&](const QString&, const QString&) {
            stick.remove();
            throw RunError(RunError::DeviceIO);
        };
        EXPECT_FALSE(Ends([&] { window->ExportList(); }));
        ASSERT_EQ(p->messages.size(), 2u) << folder.toStdString();
        EXPECT_EQ(p->messages[1].prompt, QStringLiteral("Diskette Drive Not Ready"));
        EXPECT_EQ(p->messages[1].flags, 0);
    }
    EXPECT_TRUE(errorLog().isEmpty());
}

TEST_F(AncillaryTest, ExportFailingMidwayLeavesTheOldCopyWholeLogsAndEnds)
{
    writeBytes(onMedium(QStringLiteral("password.dat")), "older copy\r\n");
    FileOps::SetWriteFailureAfter(5);
    EXPECT_TRUE(Ends([&] { window->ExportList(); }));
    EXPECT_EQ(bytesOf(onMedium(QStringLiteral("password.dat"))), QByteArray("older copy\r\n"));
    EXPECT_EQ(mediumFiles(), QStringList{QStringLiteral("password.dat")}); // no temporary file left behind
    EXPECT_EQ(gErrorText, ErrorText(RunError(RunError::DiskFull)));
    EXPECT_TRUE(errorLog().contains("|ExportList|"));
    EXPECT_FALSE(prompts().contains(QStringLiteral("Export is Complete")));
}

TEST_F(AncillaryTest, DiskDriveSettingNamesTheMediumElseOnlyMountedRemovableVolumesCount)
{
    QtPlatform system;
    const QByteArray user = qgetenv("USER");
    qputenv("USER", "no-such-user-here");
    EXPECT_EQ(system.removableMedium(), QString()); // nothing is mounted for this user
    RegDB_SetValue(QStringLiteral("DiskDrive"), medium.path());
    EXPECT_EQ(system.removableMedium(), medium.path());
    qputenv("USER", user);
}

} // namespace
