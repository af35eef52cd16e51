#include "support/Fixtures.h"

#include "core/FileOps.h"
#include "core/MergeRules.h"
#include "core/PasswordFile.h"
#include "frame/ListBox.h"
#include "frame/SMGLOBAL.h"
#include "ui/Ancillary.h"
#include "ui/Mainform.h"
#include "ui/frmLogin.h"
#include "ui/import.h"

#include <QFile>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {

const QString kControl = QStringLiteral("Password Corvalen|Secret1| ");
const QStringList kOwn = {QStringLiteral("Bank|b4nk|me"), kControl, QStringLiteral("Mail|m41l|")};

QByteArray bytesOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class ImportTest : public CorvalenTest
{
protected:
    void SetUp() override
    {
        CorvalenTest::SetUp();
        writePlainFile(kOwn);
        main = std::make_unique<Mainform>();
        main->LoadPasswords(QStringLiteral("Load"));
        window = std::make_unique<Ancillary>(*main);
        p->mediumPath = medium.path();
        p->messages.clear();
        ownBefore = bytesOf(passwordFile());
    }
    void TearDown() override
    {
        window.reset();
        main.reset();
        CorvalenTest::TearDown();
    }
    QString onMedium(const QString& name = QStringLiteral("password.dat")) const { return medium.filePath(name); }
    void putOnMedium(const QStringList& lines, const QString& name = QStringLiteral("password.dat"))
    {
        PasswordFile::WritePlainLines(onMedium(name), std::vector<QString>(lines.begin(), lines.end()));
    }
    // The options window picks this option and presses OK.
    void choose(int option)
    {
        p->onModal<import>([option](import& w) {
            w.Option1[size_t(option)]->click();
            w.cmdOK->click();
        });
    }
    void expectUnchanged()
    {
        EXPECT_EQ(bytesOf(passwordFile()), ownBefore);
        EXPECT_EQ(main->List1->ListCount(), 3);
        EXPECT_FALSE(prompts().contains(QStringLiteral("Import Completed")));
    }

    QTemporaryDir medium;
    std::unique_ptr<Mainform> main;
    std::unique_ptr<Ancillary> window;
    QByteArray ownBefore;
};

TEST_F(ImportTest, CancelOrAMissingMediumOrFileStopsBeforeTheOptionsWindow)
{
    p->answers = {vbCancel};
    window->ImportList();
    ASSERT_EQ(p->messages.size(), 1u);
    EXPECT_TRUE(p->messages[0].prompt.startsWith(
        QStringLiteral("The Program expects to find a Password File (PASSWORD.DAT) on a diskette in your your ")));
    EXPECT_EQ(p->messages[0].flags, 65);

    const struct
    {
        QString medium;
        QString prompt;
        int flags;
    } cases[] = {{QString(), QStringLiteral("Diskette Drive Not Ready"), 0},
                 {medium.filePath(QStringLiteral("gone")), QStringLiteral("Diskette Drive Not Ready"), 0},
                 {medium.path(), QStringLiteral("Required File (PASSWORD.DAT) Not Found."), 48}};
    for (const auto& c : cases) {
        p->messages.clear();
        p->mediumPath = c.medium;
        window->ImportList();
        ASSERT_EQ(p->messages.size(), 2u) << c.prompt.toStdString();
        EXPECT_EQ(p->messages[1].prompt, c.prompt);
        EXPECT_EQ(p->messages[1].flags, c.flags);
    }
    EXPECT_TRUE(p->modalShown.empty());
    expectUnchanged();
}

TEST_F(ImportTest, OptionsWindowCancelledOrClosedImportsNothing)
{
    putOnMedium({QStringLiteral("New|n3w|")});
    const std::function<void(import&)> leave[] = {
        [](import& w) { w.Option1[0]->click(), w.cmdCancel->click(); },
        [](import& w) { w.Option1[0]->click(), w.show(), w.close(); }, // an option clicked, then closed
        [](import& w) { w.show(), w.close(); },                         // closed with no choice
    };
    for (const auto& action : leave) {
        p->messages.clear();
        p->onModal<import>(action);
        window->ImportList();
        expectUnchanged();
    }
    EXPECT_EQ(p->messages.back().prompt, QStringLiteral("Unexpected error has occurred"));
    EXPECT_EQ(window->ImportOption, -1);
}

TEST_F(ImportTest, OverwriteCopiesTheFileExactlyHidesItAndTakesItsProtection)
{
    putOnMedium({QStringLiteral("Shop|sh0p|x"), QStringLiteral("Password Corvalen|Other1| ")},
                QStringLiteral("PASSWORD.DAT"));
    gLoggedIn = true;
    choose(0);
    window->ImportList();
    EXPECT_EQ(bytesOf(passwordFile()), bytesOf(onMedium(QStringLiteral("PASSWORD.DAT"))));
    EXPECT_TRUE(FileOps::IsHidden(passwordFile()));
    EXPECT_EQ(main->List1->ListCount(), 2);
    EXPECT_EQ(gProgramPassword, QStringLiteral("Other"));
    EXPECT_FALSE(gLoggedIn) << "as at start-up: mode 1 locks again";
    EXPECT_EQ(prompts().back(), QStringLiteral("Import Completed"));

    putOnMedium({QStringLiteral("Password Corvalen|Other2| ")}, QStringLiteral("PASSWORD.DAT"));
    choose(0);
    p->onModal<frmLogin>([](frmLogin& login) { login.cmdCancel->click(); });
    window->ImportList();
    EXPECT_EQ(p->modalShown.back(), QStringLiteral("frmLogin")) << "mode 2 asks at once";
}

TEST_F(ImportTest, FailedOverwriteOrMergeKeepsTheOldFileAndClaimsNothing)
{
    putOnMedium({QStringLiteral("Shop|sh0p|x")});
    for (int option : {0, 1}) {
        FileOps::SetWriteFailureAfter(3);
        choose(option);
        EXPECT_FALSE(Ends([&] { window->ImportList(); }));
        expectUnchanged();
    }
    EXPECT_TRUE(bytesOf(p->programFile(QStringLiteral("errors.log"))).contains("|ImportList|"));
}

TEST_F(ImportTest, MergeSkipsExactNamesAndAddsEverythingElse)
{
    putOnMedium({QStringLiteral("Bank|changed|other"), QStringLiteral("Shop|sh0p|x|y"), QStringLiteral("bank|lower|"),
                 QStringLiteral("Old|s3cret"), QStringLiteral("Twice|1|"), QStringLiteral("Twice|2|")});
    choose(1);
    window->ImportList();
    EXPECT_EQ(prompts().mid(1), (QStringList{MergeRules::DuplicateMessage(QStringLiteral("Bank")),
                                             MergeRules::DuplicateMessage(QStringLiteral("Twice")),
                                             QStringLiteral("Import Completed")}));
    EXPECT_EQ(MergeRules::DuplicateMessage(QStringLiteral("Bank")),
              QStringLiteral("An entry for Bank already exist in the current Password File.\r\n\r\n"
                             "The Import item will be Bypassed."));
    EXPECT_EQ(p->messages[1].flags, 64);
    EXPECT_EQ(readPlainFile(), (QStringList{QStringLiteral("Bank|b4nk|me"), QStringLiteral("bank|lower|"),
                                            QStringLiteral("Mail|m41l|"), QStringLiteral("Old|s3cret| "), kControl,
                                            QStringLiteral("Shop|sh0p|x|y"), QStringLiteral("Twice|1|")}));
    EXPECT_EQ(main->List1->ListCount(), 7);
}

TEST_F(ImportTest, MergeOfAnInvalidFileLeavesListAndFileAsTheyWere)
{
    for (const QStringList& lines : {QStringList{QStringLiteral("garbage")},
                                     QStringList{QStringLiteral("New1|a|"), QStringLiteral("garbage")}}) {
        p->messages.clear();
        putOnMedium(lines);
        choose(1);
        window->ImportList();
        ASSERT_EQ(p->messages.size(), 2u);
        EXPECT_EQ(p->messages[1].prompt, QStringLiteral("The file PASSWORD.DAT on the diskette is not a valid "
                                                        "Password Corvalen Passwword File.  This Operation will be "
                                                        "aborted."));
        EXPECT_EQ(p->messages[1].flags, 48);
        expectUnchanged();
    }
}

TEST_F(ImportTest, OptionsWindowTakesEnterOnlyOnceAnOptionIsClickedAndEscCancels)
{
    import options(*window, *main);
    options.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&options));
    EXPECT_EQ(options.windowTitle(), QStringLiteral("Password Corvalen - Import Tool"));
    QTest::keyClick(&options, Qt::Key_Return);
    EXPECT_TRUE(options.isVisible());
    QTest::mouseClick(options.Option1[1], Qt::LeftButton);
    EXPECT_EQ(window->ImportOption, 1);
    QTest::keyClick(&options, Qt::Key_Return);
    EXPECT_EQ(options.result(), QDialog::Accepted);
    EXPECT_FALSE(window->ImportCancelled);

    options.show();
    QTest::keyClick(&options, Qt::Key_Escape);
    EXPECT_FALSE(options.isVisible());
    EXPECT_TRUE(window->ImportCancelled);
}

} // namespace
