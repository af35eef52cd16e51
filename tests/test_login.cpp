#include "support/Fixtures.h"

#include "frame/ListBox.h"
#include "frame/SMGLOBAL.h"
#include "ui/Mainform.h"
#include "ui/Ops.h"
#include "ui/Passedit.h"
#include "ui/frmLogin.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

const QString kRight = QStringLiteral("Secret");

QStringList fileWithMode(int mode, const QString& password = kRight)
{
    return {QStringLiteral("Bank|b4nk|me"), QStringLiteral("Password Corvalen|%1%2| ").arg(password).arg(mode),
            QStringLiteral("Mail|m41l|")};
}

class LoginTest : public CorvalenTest
{
protected:
    void SetUp() override
    {
        CorvalenTest::SetUp();
        // A help file in place keeps the start-up free of its missing-help message.
        QFile help(p->programFile(QStringLiteral("Corvalen.HLP")));
        ASSERT_TRUE(help.open(QIODevice::WriteOnly));
    }

    // Starts the program on the file, as the platform does.
    void start(const QStringList& plainLines)
    {
        writePlainFile(plainLines);
        main = std::make_unique<Mainform>();
        main->Form_Load();
    }

    // The login window types this and presses OK (or Cancel when cancel is set).
    void answerLogin(const QString& typed, bool cancel = false)
    {
        p->onModal<frmLogin>([typed, cancel](frmLogin& login) {
            login.txtPassword->setText(typed);
            (cancel ? login.cmdCancel : login.cmdOK)->click();
        });
    }

    int logins() const { return int(std::count(p->modalShown.begin(), p->modalShown.end(), QStringLiteral("frmLogin"))); }

    std::unique_ptr<Mainform> main;
};

TEST_F(LoginTest, ModeTwoAsksBeforeAnyEntryIsListed)
{
    int listedWhileAsking = -1;
    p->onModal<frmLogin>([&](frmLogin& login) {
        listedWhileAsking = main->List1->ListCount();
        login.txtPassword->setText(kRight);
        login.cmdOK->click();
    });
    start(fileWithMode(2));
    EXPECT_EQ(listedWhileAsking, 0);
    EXPECT_EQ(logins(), 1);
    EXPECT_TRUE(gLoggedIn);
    EXPECT_EQ(main->List1->ListCount(), 3);
}

TEST_F(LoginTest, CancelAtStartKeepsEntriesListedAndGuardedCommandsAskAgain)
{
    answerLogin(QString(), true);
    start(fileWithMode(2));
    EXPECT_FALSE(gLoggedIn);
    EXPECT_EQ(main->List1->ListCount(), 3);

    // Add: the login comes first; cancelled again, no editor opens.
    answerLogin(QString(), true);
    main->Command1_Click(0);
    EXPECT_EQ(logins(), 2);
    EXPECT_EQ(p->modalShown.size(), 2u);
    // Options: asked again, and this time answered.
    answerLogin(kRight);
    main->Command1_Click(6);
    EXPECT_EQ(logins(), 3);
    EXPECT_TRUE(gLoggedIn);
    EXPECT_EQ(p->modalShown.back(), QStringLiteral("Ops"));
}

TEST_F(LoginTest, ModeOneAsksOnTheFirstGuardedCommandOnlyAndStaysUnlocked)
{
    start(fileWithMode(1));
    EXPECT_TRUE(p->modalShown.empty());
    EXPECT_FALSE(gLoggedIn);

    answerLogin(kRight);
    main->Command1_Click(6);
    ASSERT_EQ(p->modalShown.size(), 2u);
    EXPECT_EQ(p->modalShown[0], QStringLiteral("frmLogin"));
    EXPECT_EQ(p->modalShown[1], QStringLiteral("Ops"));

    main->Command1_Click(0);
    main->Command1_Click(5);
    EXPECT_EQ(logins(), 1);
    ASSERT_EQ(p->modalShown.size(), 4u);
    EXPECT_EQ(p->modalShown[2], QStringLiteral("Passedit"));
    EXPECT_EQ(p->modalShown[3], QStringLiteral("Ancillary"));
}

TEST_F(LoginTest, ModeZeroNeverAsks)
{
    start(fileWithMode(0));
    main->Command1_Click(6);
    EXPECT_TRUE(gLoggedIn);
    EXPECT_EQ(logins(), 0);
}

// A fresh window on a loaded program, for the cases that need no start-up.
class LoginWindowTest : public LoginTest
{
protected:
    void SetUp() override
    {
        LoginTest::SetUp();
        start(fileWithMode(1));
        login = std::make_unique<frmLogin>(main.get());
    }
    void TearDown() override
    {
        login.reset();
        LoginTest::TearDown();
    }
    void showAndWait()
    {
        login->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(login.get()));
    }

    std::unique_ptr<frmLogin> login;
};

TEST_F(LoginWindowTest, OpensEmptyMaskedWithTheFocusInThePasswordBox)
{
    EXPECT_EQ(login->windowTitle(), QStringLiteral("Password Corvalen Security"));
    EXPECT_EQ(login->lblLabels->text(), QStringLiteral("&Password:"));
    EXPECT_EQ(login->lblLabels->buddy(), login->txtPassword);
    EXPECT_TRUE(login->txtPassword->text().isEmpty());
    EXPECT_EQ(login->txtPassword->echoMode(), QLineEdit::Password);
    EXPECT_TRUE(login->cmdOK->isDefault());
    showAndWait();
    EXPECT_EQ(login->focusWidget(), login->txtPassword);
    EXPECT_EQ(login->txtPassword->nextInFocusChain(), login->cmdOK);
    EXPECT_EQ(login->cmdOK->nextInFocusChain(), login->cmdCancel);
}

struct WrongEntry
{
    const char* label;
    const char* typed;
};

class WrongPasswordTest : public LoginWindowTest, public ::testing::WithParamInterface<WrongEntry>
{
};

TEST_P(WrongPasswordTest, IsRefusedAndLeftSelectedForTheNextKeystroke)
{
    showAndWait();
    const QString typed = QString::fromUtf8(GetParam().typed);
    QTest::keyClicks(login->txtPassword, typed);
    login->cmdOK->click();

    ASSERT_EQ(p->messages.size(), 1u);
    EXPECT_EQ(p->messages[0].prompt, QStringLiteral("Invalid Password, try again!"));
    EXPECT_EQ(p->messages[0].flags, 16);
    EXPECT_EQ(p->messages[0].title, QStringLiteral("Password Corvalen"));
    EXPECT_FALSE(gLoggedIn);
    EXPECT_TRUE(login->isVisible());
    EXPECT_EQ(login->focusWidget(), login->txtPassword);
    EXPECT_EQ(login->txtPassword->selectedText(), typed);

    // The next keystroke replaces the whole wrong entry; the right one then opens.
    QTest::keyClicks(login->txtPassword, kRight);
    EXPECT_EQ(login->txtPassword->text(), kRight);
    login->cmdOK->click();
    EXPECT_TRUE(gLoggedIn);
    EXPECT_FALSE(login->isVisible());
}

INSTANTIATE_TEST_SUITE_P(Entries, WrongPasswordTest,
                         ::testing::Values(WrongEntry{"OtherCase", "secret"}, WrongEntry{"AllCapitals", "SECRET"},
                                           WrongEntry{"TrailingBlank", "Secret "},
                                           WrongEntry{"LeadingBlank", " Secret"}, WrongEntry{"Shorter", "Secre"},
                                           WrongEntry{"NotFoundMark", "not found"}),
                         [](const auto& info) { return std::string(info.param.label); });

TEST_F(LoginWindowTest, EnterIsOk)
{
    showAndWait();
    QTest::keyClicks(login->txtPassword, kRight);
    QTest::keyClick(login->txtPassword, Qt::Key_Return);
    EXPECT_TRUE(gLoggedIn);
    EXPECT_FALSE(login->isVisible());
    EXPECT_EQ(login->result(), QDialog::Accepted);
}

TEST_F(LoginWindowTest, EnterWithAWrongPasswordKeepsTheWindowOpen)
{
    showAndWait();
    QTest::keyClicks(login->txtPassword, QStringLiteral("nope"));
    QTest::keyClick(login->txtPassword, Qt::Key_Enter);
    EXPECT_EQ(prompts(), QStringList{QStringLiteral("Invalid Password, try again!")});
    EXPECT_TRUE(login->isVisible());
}

TEST_F(LoginWindowTest, EscIsCancelAndClearsTheLogin)
{
    gLoggedIn = true;
    showAndWait();
    QTest::keyClicks(login->txtPassword, kRight);
    QTest::keyClick(login->txtPassword, Qt::Key_Escape);
    EXPECT_FALSE(gLoggedIn);
    EXPECT_FALSE(login->isVisible());
    EXPECT_TRUE(p->messages.empty());
}

TEST_F(LoginWindowTest, ClosingOtherwiseLeavesTheLoginAsItWas)
{
    for (bool before : {true, false}) {
        frmLogin window(main.get());
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        gLoggedIn = before;
        window.txtPassword->setText(kRight);
        EXPECT_TRUE(window.close());
        EXPECT_EQ(gLoggedIn, before);
    }
}

TEST_F(LoginWindowTest, AltPPutsTheFocusInThePasswordBox)
{
    showAndWait();
    login->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(login.get()));
    login->cmdCancel->setFocus();
    QTest::keyClick(login.get(), Qt::Key_P, Qt::AltModifier);
    EXPECT_EQ(QApplication::focusWidget(), login->txtPassword);
}

// Files with a protection mode but no control record, and a program password that reads like the mark.
TEST_F(LoginTest, ModeLeftFromAnEarlierFileWithoutControlRecordAsksNothing)
{
    answerLogin(kRight);
    start(fileWithMode(2));
    ASSERT_TRUE(gLoggedIn);
    // As after an import that overwrote the file: the new one has no control record.
    writePlainFile({QStringLiteral("Bank|b4nk|me")});
    gLoggedIn = false;
    main->LoadPasswords(QStringLiteral("Load"));
    EXPECT_EQ(logins(), 1);
    EXPECT_TRUE(gLoggedIn);
    EXPECT_EQ(gProgramPassword, QStringLiteral("not found"));
    EXPECT_EQ(main->List1->ListCount(), 1);
}

TEST_F(LoginTest, WindowWithoutControlRecordNeverComparesWithTheMark)
{
    start({QStringLiteral("Bank|b4nk|me")});
    gProtectionMode = 2;
    gLoggedIn = false;
    frmLogin login(main.get());
    EXPECT_FALSE(login.programPasswordLoaded);
    login.txtPassword->setText(QStringLiteral("anything"));
    login.cmdOK->click();
    ASSERT_EQ(p->messages.size(), 1u);
    EXPECT_NE(p->messages[0].prompt, QStringLiteral("Invalid Password, try again!"));
    EXPECT_EQ(p->messages[0].flags, 64);
    EXPECT_TRUE(gLoggedIn);
}

TEST_F(LoginTest, AChosenPasswordThatReadsLikeTheMarkStillGuards)
{
    const QString mark = QStringLiteral("not found");
    // At start-up, before the list is filled.
    p->onModal<frmLogin>([&](frmLogin& login) {
        login.txtPassword->setText(QStringLiteral("x"));
        login.cmdOK->click();
        EXPECT_FALSE(gLoggedIn);
        login.txtPassword->setText(mark);
        login.cmdOK->click();
    });
    start(fileWithMode(2, mark));
    EXPECT_EQ(prompts(), QStringList{QStringLiteral("Invalid Password, try again!")});
    EXPECT_TRUE(gLoggedIn);

    // From a guarded command, with the list loaded.
    gLoggedIn = false;
    frmLogin login(main.get());
    EXPECT_TRUE(login.programPasswordLoaded);
    login.txtPassword->setText(QStringLiteral("not found "));
    login.cmdOK->click();
    EXPECT_FALSE(gLoggedIn);
    login.txtPassword->setText(mark);
    login.cmdOK->click();
    EXPECT_TRUE(gLoggedIn);
}

TEST_F(LoginTest, DamagedModeDigitStillLetsTheOwnerIn)
{
    start(fileWithMode(7));
    EXPECT_EQ(prompts(), QStringList{QStringLiteral("Not Programmed")});
    EXPECT_FALSE(gLoggedIn);
    answerLogin(kRight);
    main->Command1_Click(6);
    EXPECT_TRUE(gLoggedIn);
    EXPECT_EQ(p->modalShown.back(), QStringLiteral("Ops"));
}

} // namespace
