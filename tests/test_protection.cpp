#include "support/Fixtures.h"

#include "ui/Ops.h"
#include "ui/Passedit.h"
#include "ui/frmLogin.h"

using ProtectionTest = CorvalenTest;

const QStringList kEntries = {u"Bank|b4nk|me"_s, u"Mail|m41l|"_s};
// The entries and a control record: the program password with the mode digit after it.
const auto withControl = [](const QString& key) {
    return kEntries + QStringList{u"Password Corvalen|%1| "_s.arg(key)};
};

// The options window as the user sees it: its mode buttons (x selected), Apply (on or "-"), Close's caption.
static QString shown(const Ops& ops)
{
    const auto mark = [&ops](size_t i) { return ops.Option1[i]->isChecked() ? u'x' : u'.'; };
    return QString(mark(0)) + mark(1) + mark(2) + (ops.Command1[1]->isEnabled() ? u" Apply "_s : u" - "_s) +
           ops.Command1[0]->text();
}

// --- The login window

TEST_F(ProtectionTest, ModeTwoAsksBeforeListingAndTheLoginTakesTheExactPasswordEvenNotFoundAndSelectsAWrongOne)
{
    p->onModal<frmLogin>([this](frmLogin& login) {
        EXPECT_EQ(main->List1->ListCount(), 0) << "asked before listing";
        login.show();
        for (const QString& typed : {u"not found "_s, u"not found"_s}) {
            QTest::keyClicks(login.txtPassword, typed + u'\r'); // typed, then Return
            // A refusal leaves the entry selected, so that the next one replaces it.
            EXPECT_EQ(login.txtPassword->selectedText(), gLoggedIn ? QString() : typed);
            EXPECT_EQ(login.isVisible(), !gLoggedIn);
        }
    });
    start(withControl(u"not found2"_s));
    EXPECT_EQ(names(), (QStringList{u"Bank"_s, u"Mail"_s, u"Password Corvalen"_s}));
    EXPECT_EQ(takeMessages(), std::vector<MsgBoxCall>(1, Box(u"Invalid Password, try again!"_s, vbCritical)));
}

// --- The options window

TEST_F(ProtectionTest, OptionsCreateTheProgramPasswordInTheEditorOrKeepTheOldModeAndApplyRewritesTheModeDigit)
{
    setSetting(u"Constants/TerminateAfter"_s, u"False"_s);
    start(kEntries);
    Ops ops(*main);
    ops.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&ops));
    // Without a control record the editor creates one; a creation cancelled leaves all as it was, so the next one
    // starts from the same state.
    for (const bool save : {false, true}) {
        p->onModal<Passedit>([save](Passedit& editor) {
            EXPECT_TRUE(editor.Text1[0]->text() == u"Password Corvalen"_s && editor.Text1[0]->isReadOnly());
            editor.Text1[1]->setText(u"Open Sesame"_s);
            editor.Command1[save ? 0 : 1]->click();
        });
        ops.Option1[1]->click();
        ops.Command1[1]->click();
        EXPECT_EQ(shown(ops), save ? u".x. - &Close"_s : u"x.. - &Close"_s);
        EXPECT_EQ(readPlainFile(), save ? withControl(u"Open Sesame1"_s) : kEntries);
    }
    // Apply comes on for a change only and goes when it is undone (the third click leaves the box changed).
    for (const QString& expected : {u".x. - &Close"_s, u".x. Apply &Cancel"_s, u".x. - &Close"_s}) {
        EXPECT_EQ(shown(ops), expected);
        ops.Check1->click();
    }
    ops.Option1[2]->click();
    ops.Check2->click();
    ops.Command1[1]->click();
    EXPECT_EQ(readPlainFile(), withControl(u"Open Sesame2"_s));
    EXPECT_EQ(setting(u"Constants/TerminateAfter"_s) + setting(u"Constants/DesignerMode"_s), u"TrueFalse"_s);
    const QString prompt = u"No password entry currently exists for the Password Corvalen Program.  You will be "
                           u"prompted to create one now."_s;
    EXPECT_EQ(takeMessages(), (std::vector{Box(prompt, vbInformation), Box(prompt, vbInformation)}));
}
