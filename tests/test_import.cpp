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
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {

const QString kControl = QStringLiteral("Password Corvalen|Secret1| ");
const QStringList kOwn = {QStringLiteral("Bank|b4nk|me"), kControl, QStringLiteral("Mail|m41l|")};

const QString kNotValid = QStringLiteral("The file PASSWORD.DAT on the diskette is not a valid Password Corvalen "
                                         "Passwword File.  This Operation will be aborted.");

QByteArray bytesOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString titleOf(const MsgBoxCall& call)
{
    return call.title.isEmpty() ? kAppTitle : call.title;
}

// --- Taking a line of the medium's file apart

struct LineCase
{
    const char* line;
    bool valid;
    const char* name;
    const char* password;
    const char* userId;
};

class ParseLineTest : public ::testing::TestWithParam<LineCase>
{
};

TEST_P(ParseLineTest, SplitsAtTheFirstTwoBars)
{
    const LineCase& c = GetParam();
    const MergeRules::ImportLine line = MergeRules::ParseLine(QString::fromUtf8(c.line));
    EXPECT_EQ(line.valid, c.valid);
    if (!c.valid)
        return;
    EXPECT_EQ(line.name, QString::fromUtf8(c.name));
    EXPECT_EQ(line.password, QString::fromUtf8(c.password));
    EXPECT_EQ(line.userId, QString::fromUtf8(c.userId));
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ParseLineTest,
    ::testing::Values(LineCase{"Bank|b4nk|me", true, "Bank", "b4nk", "me"},
                      LineCase{"Bank|b4nk|me|too", true, "Bank", "b4nk", "me|too"},
                      LineCase{"Mail|m41l|", true, "Mail", "m41l", ""}, LineCase{"|x|", true, "", "x", ""},
                      LineCase{"Old|secret", true, "Old", "secret", " "}, LineCase{"Old|", true, "Old", "", " "},
                      LineCase{"no bar at all", false, "", "", ""}, LineCase{"", false, "", "", ""}));

TEST(MergeRulesTest, DuplicateMessageNamesTheEntry)
{
    EXPECT_EQ(MergeRules::DuplicateMessage(QStringLiteral("Bank")),
              QStringLiteral("An entry for Bank already exist in the current Password File.\r\n\r\n"
                             "The Import item will be Bypassed."));
}

// --- The import, through the ancillary window

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

    QString onMedium(const QString& name = QStringLiteral("password.dat")) const
    {
        return medium.path() + QLatin1Char('/') + name;
    }
    void putOnMedium(const QStringList& plainLines, const QString& name = QStringLiteral("password.dat"))
    {
        PasswordFile::WritePlainLines(onMedium(name), std::vector<QString>(plainLines.begin(), plainLines.end()));
    }
    // The options window picks this option and presses OK.
    void choose(int option)
    {
        p->onModal<import>([option](import& w) {
            w.Option1[size_t(option)]->click();
            w.cmdOK->click();
        });
    }
    QStringList names() const
    {
        QStringList out;
        for (int i = 0; i < main->List1->ListCount(); ++i)
            out << main->List1->List(i).section(QLatin1Char('\t'), 0, 0);
        return out;
    }
    QString lastPrompt() const { return p->messages.empty() ? QString() : p->messages.back().prompt; }

    QTemporaryDir medium;
    std::unique_ptr<Mainform> main;
    std::unique_ptr<Ancillary> window;
    QByteArray ownBefore;
};

TEST_F(ImportTest, CancelInTheFirstBoxOpensNothing)
{
    putOnMedium({QStringLiteral("New|n3w|")});
    p->answers = {vbCancel};
    window->ImportList();
    ASSERT_EQ(p->messages.size(), 1u);
    EXPECT_EQ(p->messages[0].prompt,
              QStringLiteral("The Program expects to find a Password File (PASSWORD.DAT) on a diskette in your your "
                             "diskette drive.\r\n\r\nYou will be given the option to Replace your existing set of "
                             "passwords or to Merge the new file with your existing set.  Select Cancel to Stop, OK "
                             "to Continue."));
    EXPECT_EQ(p->messages[0].flags, 65);
    EXPECT_EQ(p->messages[0].title, kAppTitle);
    EXPECT_TRUE(p->modalShown.empty());
}

TEST_F(ImportTest, MissingMediumOrFileIsReportedBeforeTheOptionsWindow)
{
    struct Case
    {
        QString medium;
        QString prompt;
        int flags;
    };
    const Case cases[] = {
        {QString(), QStringLiteral("Diskette Drive Not Ready"), 0},
        {medium.path() + QStringLiteral("/gone"), QStringLiteral("Diskette Drive Not Ready"), 0},
        {medium.path(), QStringLiteral("Required File (PASSWORD.DAT) Not Found."), 48},
    };
    for (const Case& c : cases) {
        p->messages.clear();
        p->mediumPath = c.medium;
        window->ImportList();
        ASSERT_EQ(p->messages.size(), 2u) << c.prompt.toStdString();
        EXPECT_EQ(p->messages[1].prompt, c.prompt);
        EXPECT_EQ(p->messages[1].flags, c.flags);
        EXPECT_EQ(titleOf(p->messages[1]), kAppTitle);
    }
    EXPECT_TRUE(p->modalShown.empty());
    EXPECT_EQ(bytesOf(passwordFile()), ownBefore);
}

TEST_F(ImportTest, CancelInTheOptionsWindowChangesNothing)
{
    putOnMedium({QStringLiteral("New|n3w|")});
    p->onModal<import>([](import& w) {
        w.Option1[0]->click();
        w.cmdCancel->click();
    });
    window->ImportList();
    EXPECT_EQ(p->modalShown, std::vector<QString>{QStringLiteral("import")});
    EXPECT_TRUE(window->ImportCancelled);
    EXPECT_EQ(p->messages.size(), 1u);
    EXPECT_EQ(bytesOf(passwordFile()), ownBefore);
    EXPECT_EQ(main->List1->ListCount(), 3);
}

TEST_F(ImportTest, OptionsWindowClosedWithoutAChoiceIsUnexpected)
{
    putOnMedium({QStringLiteral("New|n3w|")});
    window->ImportOption = 1; // left by an earlier import: the window resets it
    p->onModal<import>([](import& w) {
        w.show(); // closed by its title bar, as only a shown window can be
        w.close();
    });
    window->ImportList();
    EXPECT_EQ(window->ImportOption, -1);
    ASSERT_EQ(p->messages.size(), 2u);
    EXPECT_EQ(p->messages[1].prompt, QStringLiteral("Unexpected error has occurred"));
    EXPECT_EQ(p->messages[1].flags, 0);
    EXPECT_EQ(bytesOf(passwordFile()), ownBefore);
}

TEST_F(ImportTest, OptionClickedButWindowClosedDoesNotOverwrite)
{
    putOnMedium({QStringLiteral("New|n3w|")});
    p->onModal<import>([](import& w) {
        w.Option1[0]->click();
        w.show();
        w.close();
    });
    window->ImportList();
    EXPECT_TRUE(window->ImportCancelled);
    EXPECT_EQ(p->messages.size(), 1u);
    EXPECT_EQ(bytesOf(passwordFile()), ownBefore);
}

TEST_F(ImportTest, OverwriteCopiesTheFileExactlyHidesItAndLoadsItsProtection)
{
    putOnMedium({QStringLiteral("Shop|sh0p|x"), QStringLiteral("Password Corvalen|Other1| ")},
                QStringLiteral("PASSWORD.DAT"));
    gLoggedIn = true;
    choose(0);
    window->ImportList();
    EXPECT_EQ(bytesOf(passwordFile()), bytesOf(onMedium(QStringLiteral("PASSWORD.DAT"))));
    EXPECT_TRUE(FileOps::IsHidden(passwordFile()));
    EXPECT_EQ(names(), (QStringList{QStringLiteral("Password Corvalen"), QStringLiteral("Shop")}));
    EXPECT_EQ(gProgramPassword, QStringLiteral("Other"));
    EXPECT_EQ(gProtectionMode, 1);
    EXPECT_FALSE(gLoggedIn); // as at start-up: mode 1 locks again
    EXPECT_EQ(lastPrompt(), QStringLiteral("Import Completed"));
    EXPECT_EQ(p->messages.back().flags, 0);
}

TEST_F(ImportTest, OverwriteWithAFileThatAsksAtLaunchOpensTheLogin)
{
    putOnMedium({QStringLiteral("Password Corvalen|Other2| ")});
    choose(0);
    p->onModal<frmLogin>([](frmLogin& login) { login.cmdCancel->click(); });
    window->ImportList();
    EXPECT_EQ(p->modalShown, (std::vector<QString>{QStringLiteral("import"), QStringLiteral("frmLogin")}));
    EXPECT_EQ(gProtectionMode, 2);
}

TEST_F(ImportTest, OverwriteThatFailsKeepsTheOldFileAndClaimsNothing)
{
    putOnMedium({QStringLiteral("Shop|sh0p|x")});
    FileOps::SetWriteFailureAfter(3);
    choose(0);
    EXPECT_FALSE(Ends([&] { window->ImportList(); }));
    EXPECT_EQ(bytesOf(passwordFile()), ownBefore);
    EXPECT_TRUE(bytesOf(p->programFile(QStringLiteral("errors.log"))).contains("|ImportList|"));
    EXPECT_FALSE(prompts().contains(QStringLiteral("Import Completed")));
    EXPECT_EQ(main->List1->ListCount(), 3);
}

TEST_F(ImportTest, MergeSkipsExactNamesKeepsOtherCasesAndStoresTheRest)
{
    putOnMedium({QStringLiteral("Bank|changed|other"), QStringLiteral("Shop|sh0p|x|y"), QStringLiteral("bank|lower|")});
    choose(1);
    window->ImportList();
    const QStringList shown = prompts();
    ASSERT_EQ(shown.size(), 3);
    EXPECT_EQ(shown[1], MergeRules::DuplicateMessage(QStringLiteral("Bank")));
    EXPECT_EQ(p->messages[1].flags, 64);
    EXPECT_EQ(p->messages[1].title, kAppTitle);
    EXPECT_EQ(shown[2], QStringLiteral("Import Completed"));
    EXPECT_EQ(readPlainFile(), (QStringList{QStringLiteral("Bank|b4nk|me"), QStringLiteral("bank|lower|"),
                                            QStringLiteral("Mail|m41l|"), kControl, QStringLiteral("Shop|sh0p|x|y")}));
    EXPECT_EQ(main->List1->ListCount(), 5);
    EXPECT_EQ(gProgramPassword, QStringLiteral("Secret"));
}

TEST_F(ImportTest, MergeOfTheJustExportedFileBringsOnlyDuplicates)
{
    window->ExportList();
    p->messages.clear();
    choose(1);
    window->ImportList();
    const QStringList shown = prompts();
    ASSERT_EQ(shown.size(), 5);
    EXPECT_EQ(shown[1], MergeRules::DuplicateMessage(QStringLiteral("Bank")));
    EXPECT_EQ(shown[2], MergeRules::DuplicateMessage(QStringLiteral("Password Corvalen")));
    EXPECT_EQ(shown[3], MergeRules::DuplicateMessage(QStringLiteral("Mail")));
    EXPECT_EQ(shown[4], QStringLiteral("Import Completed"));
    // Still rewritten, in list order.
    EXPECT_EQ(readPlainFile(), (QStringList{kOwn[0], kOwn[2], kOwn[1]}));
    EXPECT_EQ(main->List1->ListCount(), 3);
}

TEST_F(ImportTest, MergeTakesAOneBarLineAsAnEarlierLayoutEntry)
{
    putOnMedium({QStringLiteral("Old|s3cret"), QStringLiteral("Twice|1|"), QStringLiteral("Twice|2|")});
    choose(1);
    window->ImportList();
    // A name twice in the medium's file comes in once: the second finds the first already in the list.
    EXPECT_EQ(prompts().count(MergeRules::DuplicateMessage(QStringLiteral("Twice"))), 1);
    EXPECT_TRUE(readPlainFile().contains(QStringLiteral("Old|s3cret| ")));
    EXPECT_TRUE(readPlainFile().contains(QStringLiteral("Twice|1|")));
    EXPECT_FALSE(readPlainFile().contains(QStringLiteral("Twice|2|")));
}

TEST_F(ImportTest, MergeOfAFileWithoutControlRecordIntoOneWithoutMakesItTheControlRecord)
{
    writePlainFile({QStringLiteral("Bank|b4nk|me")});
    main->LoadPasswords(QStringLiteral("Normal"));
    putOnMedium({QStringLiteral("Password Corvalen|Fresh0| ")});
    choose(1);
    window->ImportList();
    EXPECT_EQ(gProgramPassword, QStringLiteral("Fresh"));
    EXPECT_EQ(lastPrompt(), QStringLiteral("Import Completed"));
}

TEST_F(ImportTest, MergeOfAnInvalidFileLeavesListAndFileAsTheyWere)
{
    struct Case
    {
        QStringList lines;
        const char* what;
    };
    const Case cases[] = {
        {{QStringLiteral("garbage")}, "first line invalid"},
        {{QStringLiteral("New1|a|"), QStringLiteral("New2|b|"), QStringLiteral("garbage")}, "third line invalid"},
    };
    for (const Case& c : cases) {
        p->messages.clear();
        putOnMedium(c.lines);
        choose(1);
        window->ImportList();
        ASSERT_EQ(p->messages.size(), 2u) << c.what;
        EXPECT_EQ(p->messages[1].prompt, kNotValid) << c.what;
        EXPECT_EQ(p->messages[1].flags, 48) << c.what;
        EXPECT_EQ(p->messages[1].title, kAppTitle) << c.what;
        EXPECT_EQ(bytesOf(passwordFile()), ownBefore) << c.what;
        EXPECT_EQ(names(),
                  (QStringList{QStringLiteral("Bank"), QStringLiteral("Mail"), QStringLiteral("Password Corvalen")}))
            << c.what;
    }
}

TEST_F(ImportTest, MergeThatCannotBeStoredIsNotCalledCompleted)
{
    putOnMedium({QStringLiteral("New|n3w|")});
    FileOps::SetWriteFailureAfter(3);
    choose(1);
    window->ImportList();
    EXPECT_FALSE(prompts().contains(QStringLiteral("Import Completed")));
    EXPECT_EQ(bytesOf(passwordFile()), ownBefore);
    EXPECT_EQ(main->List1->ListCount(), 3); // the list shows the file as it is
}

TEST_F(ImportTest, CheckForDupsComparesWholeNamesWithCase)
{
    EXPECT_TRUE(window->CheckForDups(QStringLiteral("bank")));
    EXPECT_TRUE(window->CheckForDups(QStringLiteral("Ban")));
    EXPECT_TRUE(p->messages.empty());
    EXPECT_FALSE(window->CheckForDups(QStringLiteral("Mail")));
    ASSERT_EQ(p->messages.size(), 1u);
    EXPECT_EQ(p->messages[0].prompt, MergeRules::DuplicateMessage(QStringLiteral("Mail")));
}

// --- The options window itself, as a user meets it

class ImportWindowTest : public ImportTest
{
protected:
    void SetUp() override
    {
        ImportTest::SetUp();
        options = std::make_unique<import>(*window, *main);
        options->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(options.get()));
    }
    void TearDown() override
    {
        options.reset();
        ImportTest::TearDown();
    }
    std::unique_ptr<import> options;
};

TEST_F(ImportWindowTest, OpensWithItsTextsAndNothingChosen)
{
    EXPECT_EQ(options->windowTitle(), QStringLiteral("Password Corvalen - Import Tool"));
    EXPECT_EQ(options->Label1->text(), QStringLiteral("Please Select the Option Desired"));
    EXPECT_EQ(options->Option1[0]->text().replace(QLatin1Char('\n'), QLatin1Char(' ')),
              QStringLiteral("Overwrite Existing Password File"));
    EXPECT_EQ(options->Option1[1]->text().replace(QLatin1Char('\n'), QLatin1Char(' ')),
              QStringLiteral(" Merge Password Files"));
    EXPECT_FALSE(options->Option1[0]->isChecked());
    EXPECT_FALSE(options->Option1[1]->isChecked());
    EXPECT_EQ(window->ImportOption, -1);
    EXPECT_FALSE(options->cmdOK->isEnabled());
    EXPECT_TRUE(options->cmdOK->isDefault());
}

TEST_F(ImportWindowTest, EnterPressesOkOnlyOnceAnOptionIsClicked)
{
    QTest::keyClick(options.get(), Qt::Key_Return);
    EXPECT_TRUE(options->isVisible());
    QTest::mouseClick(options->Option1[1], Qt::LeftButton);
    EXPECT_EQ(window->ImportOption, 1);
    EXPECT_TRUE(options->cmdOK->isEnabled());
    QTest::keyClick(options.get(), Qt::Key_Return);
    EXPECT_FALSE(options->isVisible());
    EXPECT_FALSE(window->ImportCancelled);
    EXPECT_EQ(options->result(), QDialog::Accepted);
}

TEST_F(ImportWindowTest, EscapeIsCancel)
{
    QTest::keyClick(options.get(), Qt::Key_Escape);
    EXPECT_FALSE(options->isVisible());
    EXPECT_TRUE(window->ImportCancelled);
}

} // namespace
