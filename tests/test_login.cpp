#include "support/MainWindowTest.h"

#include "frame/ListBox.h"
#include "frame/SMGLOBAL.h"
#include "ui/frmLogin.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

const QString kRight = QStringLiteral("Secret");

QStringList fileWithMode(int mode, const QString& password = kRight)
{
    return {QStringLiteral("Bank|b4nk|me"), QStringLiteral("Password Corvalen|%1%2| ").arg(password).arg(mode)};
}

class LoginTest : public MainWindowTest
{
protected:
    // The next login window gets this typed and OK pressed (Cancel when cancel is set).
    void answerLogin(const QString& typed, bool cancel = false)
    {
        p->onModal<frmLogin>([typed, cancel](frmLogin& login) {
            login.txtPassword->setText(typed);
            (cancel ? login.cmdCancel : login.cmdOK)->click();
        });
    }
    long logins() const { return std::count(p->modalShown.begin(), p->modalShown.end(), QStringLiteral("frmLogin")); }
};

TEST_F(LoginTest, ModeTwoAsksBeforeListingAndACancelKeepsEveryGuardedCommandAsking)
{
    int listedWhileAsking = -1;
    p->onModal<frmLogin>([&](frmLogin& login) {
        listedWhileAsking = main->List1->ListCount();
        login.cmdCancel->click();
    });
    start(fileWithMode(2));
    EXPECT_EQ(listedWhileAsking, 0);
    EXPECT_FALSE(gLoggedIn);
    EXPECT_EQ(main->List1->ListCount(), 2);

    answerLogin(QString(), true);
    main->Command1_Click(0);
    EXPECT_EQ(p->modalShown, (std::vector<QString>(2, QStringLiteral("frmLogin")))) << "no editor after a cancel";
    answerLogin(kRight);
    main->Command1_Click(6);
    EXPECT_EQ(p->modalShown.back(), QStringLiteral("Ops"));
    EXPECT_TRUE(gLoggedIn);
}

TEST_F(LoginTest, ModeOneAsksOnceOnTheFirstGuardedCommandAndModeZeroNever)
{
    start(fileWithMode(1));
    EXPECT_TRUE(p->modalShown.empty());
    answerLogin(kRight);
    main->Command1_Click(6);
    main->Command1_Click(0);
    main->Command1_Click(5);
    EXPECT_EQ(p->modalShown, (std::vector<QString>{QStringLiteral("frmLogin"), QStringLiteral("Ops"),
                                                   QStringLiteral("Passedit"), QStringLiteral("Ancillary")}));

    start(fileWithMode(0));
    main->Command1_Click(6);
    EXPECT_EQ(logins(), 1);
}

TEST_F(LoginTest, WrongPasswordsAreRefusedAndLeftSelectedForTheNextKeystroke)
{
    start(fileWithMode(1));
    for (const QString& typed : {QStringLiteral("secret"), QStringLiteral("SECRET"), QStringLiteral("Secret "),
                                 QStringLiteral("Secre"), QStringLiteral("not found")}) {
        SCOPED_TRACE(typed.toStdString());
        p->messages.clear();
        frmLogin login(main.get());
        login.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&login));
        QTest::keyClicks(login.txtPassword, typed);
        QTest::keyClick(login.txtPassword, Qt::Key_Return);
        ASSERT_EQ(p->messages.size(), 1u);
        EXPECT_EQ(p->messages[0].prompt, QStringLiteral("Invalid Password, try again!"));
        EXPECT_EQ(p->messages[0].flags, 16);
        EXPECT_EQ(p->messages[0].title, kAppTitle);
        EXPECT_TRUE(login.isVisible());
        EXPECT_EQ(login.txtPassword->selectedText(), typed);
        QTest::keyClicks(login.txtPassword, kRight);
        QTest::keyClick(login.txtPassword, Qt::Key_Enter);
        EXPECT_TRUE(gLoggedIn);
        EXPECT_EQ(login.result(), QDialog::Accepted);
        gLoggedIn = false;
    }
}

TEST_F(LoginTest, EscCancelsAndClosingOtherwiseLeavesTheLoginAsItWas)
{
    start(fileWithMode(1));
    for (bool before : {true, false}) {
        frmLogin login(main.get());
        login.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&login));
        EXPECT_EQ(login.focusWidget(), login.txtPassword);
        gLoggedIn = before;
        login.txtPassword->setText(kRight);
        EXPECT_TRUE(login.close());
        EXPECT_EQ(gLoggedIn, before);
    }
    frmLogin login(main.get());
    login.show();
    gLoggedIn = true;
    QTest::keyClicks(login.txtPassword, kRight);
    QTest::keyClick(login.txtPassword, Qt::Key_Escape);
    EXPECT_FALSE(gLoggedIn);
    EXPECT_FALSE(login.isVisible());
}

TEST_F(LoginTest, ProtectionWithoutAControlRecordNeverTakesTheMarkForAPassword)
{
    // As after an import that replaced the file: the mode is left, the new file has no control record.
    answerLogin(kRight);
    start(fileWithMode(2));
    writePlainFile({QStringLiteral("Bank|b4nk|me")});
    gLoggedIn = false;
    main->LoadPasswords(QStringLiteral("Load"));
    EXPECT_EQ(logins(), 1);
    EXPECT_TRUE(gLoggedIn);
    EXPECT_EQ(gProgramPassword, QStringLiteral("not found"));

    gProtectionMode = 2;
    gLoggedIn = false;
    frmLogin login(main.get());
    login.txtPassword->setText(QStringLiteral("not found"));
    login.cmdOK->click();
    ASSERT_EQ(p->messages.size(), 1u);
    EXPECT_EQ(p->messages[0].flags, 64) << "explained, not compared";
    EXPECT_TRUE(gLoggedIn);
}

TEST_F(LoginTest, AChosenPasswordThatReadsLikeTheMarkStillGuards)
{
    const QString mark = QStringLiteral("not found");
    p->onModal<frmLogin>([&](frmLogin& login) {
        login.txtPassword->setText(QStringLiteral("x"));
        login.cmdOK->click();
        login.txtPassword->setText(mark);
        login.cmdOK->click();
    });
    start(fileWithMode(2, mark));
    EXPECT_EQ(prompts(), QStringList{QStringLiteral("Invalid Password, try again!")});
    EXPECT_TRUE(gLoggedIn);
}

TEST_F(LoginTest, DamagedModeDigitStillLetsTheOwnerIn)
{
    start(fileWithMode(7));
    EXPECT_EQ(prompts(), QStringList{QStringLiteral("Not Programmed")});
    answerLogin(kRight);
    main->Command1_Click(6);
    EXPECT_TRUE(gLoggedIn);
    EXPECT_EQ(p->modalShown.back(), QStringLiteral("Ops"));
}

} // namespace
