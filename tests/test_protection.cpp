#include "support/Fixtures.h"

#include "frame/SMGLOBAL.h"
#include "ui/Ops.h"
#include "ui/Passedit.h"
#include "ui/frmLogin.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {

const QStringList kEntries = {QStringLiteral("Bank|b4nk|me"), QStringLiteral("Mail|m41l|")};

using ProtectionTest = CorvalenTest;

QStringList withControl(int mode, const QString& password = QStringLiteral("Secret"))
{
    return kEntries + QStringList{QStringLiteral("Password Corvalen|%1%2| ").arg(password).arg(mode)};
}

// The options window as the user sees it: its mode buttons (x selected), Apply (on or "-"), Close's caption.
QString shown(const Ops& ops)
{
    QString out;
    for (QRadioButton* option : ops.Option1)
        out += option->isChecked() ? QLatin1Char('x') : QLatin1Char('.');
    return out + (ops.Command1[1]->isEnabled() ? QStringLiteral(" Apply ") : QStringLiteral(" - ")) +
           ops.Command1[0]->text();
}

// --- The login window

TEST_F(ProtectionTest, LoginTakesTheExactPasswordEvenOneReadingNotFoundAndSelectsAWrongOne)
{
    start(withControl(1, QStringLiteral("not found")));
    frmLogin login(main.get());
    login.show();
    for (const QString& typed :
         {QStringLiteral("Not found"), QStringLiteral("not found "), QStringLiteral("not found")}) {
        QTest::keyClicks(login.txtPassword, typed);
        QTest::keyClick(login.txtPassword, Qt::Key_Return);
        // A refusal leaves the entry selected, so that the next one replaces it.
        EXPECT_EQ(login.txtPassword->selectedText(), gLoggedIn ? QString() : typed);
        EXPECT_EQ(login.isVisible(), !gLoggedIn);
    }
    EXPECT_EQ(takeMessages(), std::vector<MsgBoxCall>(2, Box(QStringLiteral("Invalid Password, try again!"), 16)));

    login.show();
    QTest::keyClick(login.txtPassword, Qt::Key_Escape);
    EXPECT_FALSE(gLoggedIn || login.isVisible());
}

TEST_F(ProtectionTest, LoginWithoutAControlRecordExplainsAndLetsTheUserIn)
{
    start(kEntries);
    gProtectionMode = 2;
    gLoggedIn = false;
    frmLogin login(main.get());
    login.txtPassword->setText(QStringLiteral("not found"));
    login.cmdOK->click();
    EXPECT_TRUE(gLoggedIn && login.result() == QDialog::Accepted);
    EXPECT_EQ(takeMessages(), std::vector<MsgBoxCall>{Box(QStringLiteral("No program password has been set, so none "
                                                                         "is needed.  Use Program Options to set one."),
                                                          vbInformation)});
}

// --- The options window

TEST_F(ProtectionTest, ApplyRewritesTheModeDigitEvenADamagedOneAndStoresBothChoices)
{
    setSetting(QStringLiteral("Constants/TerminateAfter"), QStringLiteral("False"));
    start(withControl(7));
    Ops ops(*main);
    ops.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&ops));
    // A damaged mode selects no button; Apply comes on for a change only and goes when it is undone (the third
    // click leaves the box changed).
    for (const char* expected : {"... - &Close", "... Apply &Cancel", "... - &Close"}) {
        EXPECT_EQ(shown(ops), QLatin1String(expected));
        ops.Check1->click();
    }
    ops.Option1[2]->click();
    ops.Check2->click();
    ops.Command1[1]->click();
    EXPECT_EQ(readPlainFile(), withControl(2));
    EXPECT_EQ(setting(QStringLiteral("Constants/TerminateAfter")) + setting(QStringLiteral("Constants/DesignerMode")),
              QStringLiteral("TrueFalse"));

    // A choice not applied goes when the window is uncovered again.
    ops.Option1[0]->click();
    QExposeEvent uncovered{QRegion(ops.rect())};
    QCoreApplication::sendEvent(ops.windowHandle(), &uncovered);
    EXPECT_EQ(shown(ops), QStringLiteral("..x - &Close"));
    EXPECT_EQ(takeMessages(), std::vector<MsgBoxCall>{Box(QStringLiteral("Not Programmed"), 0, QString())});
}

TEST_F(ProtectionTest, ApplyWithoutAControlRecordCreatesOneInTheEditorOrKeepsTheOldMode)
{
    for (const bool save : {false, true}) {
        start(kEntries);
        p->onModal<Passedit>([save](Passedit& editor) {
            EXPECT_TRUE(editor.Text1[0]->text() == QStringLiteral("Password Corvalen") &&
                        editor.Text1[0]->isReadOnly());
            editor.Text1[1]->setText(QStringLiteral("Open Sesame"));
            editor.Command1[save ? 0 : 1]->click();
        });
        Ops ops(*main);
        ops.show();
        for (int mode : {1, 0, 1}) {
            EXPECT_EQ(shown(ops), mode ? QStringLiteral("x.. - &Close") : QStringLiteral(".x. Apply &Cancel"));
            ops.Option1[size_t(mode)]->click();
        }
        ops.Command1[1]->click();
        EXPECT_EQ(shown(ops), save ? QStringLiteral(".x. - &Close") : QStringLiteral("x.. - &Close"));
        EXPECT_EQ(readPlainFile(), save ? withControl(1, QStringLiteral("Open Sesame")) : kEntries);
        EXPECT_EQ(takeMessages(), std::vector<MsgBoxCall>{Box(QStringLiteral("No password entry currently exists for "
                                                                             "the Password Corvalen Program.  You will "
                                                                             "be prompted to create one now."),
                                                              vbInformation)});
    }
}

} // namespace
