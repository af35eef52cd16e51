#include "support/MainWindowTest.h"

#include "core/FileOps.h"
#include "core/ListItem.h"
#include "frame/ListBox.h"
#include "frame/SMGLOBAL.h"
#include "ui/Ancillary.h"
#include "ui/Ops.h"
#include "ui/Passedit.h"
#include "ui/frmLogin.h"

#include <QApplication>
#include <QLabel>
#include <QTimer>
#include "frame/Controls.h"
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

const QStringList kEntries = {QStringLiteral("Mail|m41l|me@mail"), QStringLiteral("bank|b4nk|"),
                              QStringLiteral("Club|c1ub|member7")};
const QString kControlLine = QStringLiteral("Password Corvalen|Secret%1| ");
const QString kSureBank = QStringLiteral("Are you sure you want to delete the password for bank?\r\n\r\n"
                                         "Press OK to continue or CANCEL to abort the operation.");

class MainformTest : public MainWindowTest
{
protected:
    QStringList withControl(int mode) const { return kEntries + QStringList{kControlLine.arg(mode)}; }
    QStringList fileNames() const
    {
        QStringList out;
        for (const QString& line : readPlainFile())
            out << line.section(QLatin1Char('|'), 0, 0);
        return out;
    }
};

TEST_F(MainformTest, ButtonsTakeTheirCaptionsByIndexAndTabFromTheList)
{
    start(kEntries);
    const QStringList captions = {QStringLiteral("Add New Password"), QStringLiteral("Delete Password"),
                                  QStringLiteral("Edit Password"), QString(), QStringLiteral("Help"),
                                  QStringLiteral("Ancillary Functions"), QStringLiteral("Program Options"), QString()};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(main->Command1[size_t(i)]->text(), captions[i]) << i;
    EXPECT_FALSE(main->Command1[3]->icon().isNull());
    EXPECT_FALSE(main->Command1[7]->icon().isNull());
    EXPECT_EQ(main->windowTitle(), QStringLiteral("Password Corvalen - By Brenhold Systems"));

    // Tab order: the list, then 0 1 2 3 5 6 4 7.
    QWidget* at = main->List1;
    for (int index : {0, 1, 2, 3, 5, 6, 4, 7}) {
        at = at->nextInFocusChain();
        while (at->focusPolicy() == Qt::NoFocus)
            at = at->nextInFocusChain();
        EXPECT_EQ(at, main->Command1[size_t(index)]) << index;
    }
    // The hidden tile source lies beyond the visible client area.
    EXPECT_GE(main->Back->x(), main->width());
}

TEST_F(MainformTest, TimerShowsTheVersionAndSelectsTheFirstEntryOnce)
{
    start(kEntries);
    EXPECT_EQ(main->Label2->text(), QStringLiteral("Ver.: 1.0.53"));
    EXPECT_EQ(selectedName(), QStringLiteral("bank"));
    EXPECT_FALSE(main->Timer1->isActive());
}

TEST_F(MainformTest, TimerOnAnEmptyListSelectsNothing)
{
    start({});
    EXPECT_EQ(main->Label2->text(), QStringLiteral("Ver.: 1.0.53"));
    EXPECT_EQ(main->List1->ListIndex(), -1);
}

TEST_F(MainformTest, DeletingTheFirstEntryLeavesNothingSelected)
{
    start(kEntries);
    main->Command1_Click(1);
    ASSERT_EQ(p->messages.size(), 1u);
    EXPECT_EQ(p->messages[0].prompt, kSureBank);
    EXPECT_EQ(p->messages[0].flags, 49);
    EXPECT_EQ(p->messages[0].title, kAppTitle);
    EXPECT_EQ(names(), (QStringList{QStringLiteral("Club"), QStringLiteral("Mail")}));
    EXPECT_EQ(fileNames(), names());
    EXPECT_EQ(main->List1->ListIndex(), -1);
}

TEST_F(MainformTest, DeletingALaterEntrySelectsTheOneAbove)
{
    start(kEntries);
    select(QStringLiteral("Mail"));
    main->Command1_Click(1);
    EXPECT_EQ(selectedName(), QStringLiteral("Club"));
    EXPECT_EQ(fileNames(), (QStringList{QStringLiteral("bank"), QStringLiteral("Club")}));
}

TEST_F(MainformTest, DeclinedDeleteChangesNothing)
{
    start(kEntries);
    const QByteArray before = [&] {
        QFile f(passwordFile());
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }();
    p->answers = {vbCancel};
    main->Command1_Click(1);
    EXPECT_EQ(names().size(), 3);
    QFile f(passwordFile());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), before);
    EXPECT_TRUE(main->Command1[0]->isEnabled());
}

TEST_F(MainformTest, NothingSelectedIsSaidForDeleteAndEdit)
{
    start(kEntries);
    main->List1->setListIndex(-1);
    main->Command1_Click(1);
    main->Command1_Click(2);
    ASSERT_EQ(p->messages.size(), 2u);
    EXPECT_EQ(p->messages[0].prompt, QStringLiteral("Nothing Selected to Delete"));
    EXPECT_EQ(p->messages[1].prompt, QStringLiteral("Nothing Selected to Edit"));
    EXPECT_EQ(p->messages[1].flags, 64);
    EXPECT_TRUE(p->modalShown.empty());
    EXPECT_EQ(names().size(), 3);
}

TEST_F(MainformTest, DeletingTheControlRecordWhileGuardedAsksAndDropsProtection)
{
    p->onModal<frmLogin>([](frmLogin& login) {
        login.txtPassword->setText(QStringLiteral("Secret"));
        login.cmdOK->click();
    });
    start(withControl(1));
    select(ListItem::kControlName);
    main->Command1_Click(1);
    ASSERT_EQ(p->messages.size(), 1u);
    EXPECT_EQ(p->messages[0].prompt,
              QStringLiteral("This will delete the program's password protection.  You may re-establish it at a "
                             "later time if desired.  Press OK to continue or CANCEL to abort the operation."));
    EXPECT_EQ(p->messages[0].flags, 49);
    EXPECT_EQ(gProtectionMode, 0);
    EXPECT_FALSE(fileNames().contains(ListItem::kControlName));
}

TEST_F(MainformTest, CancelledControlRecordDeleteKeepsTheMode)
{
    p->onModal<frmLogin>([](frmLogin& login) {
        login.txtPassword->setText(QStringLiteral("Secret"));
        login.cmdOK->click();
    });
    start(withControl(1));
    select(ListItem::kControlName);
    p->answers = {vbCancel};
    main->Command1_Click(1);
    EXPECT_EQ(gProtectionMode, 1);
    EXPECT_TRUE(fileNames().contains(ListItem::kControlName));
}

TEST_F(MainformTest, ControlRecordUnderModeZeroGoesWithoutAQuestion)
{
    start(withControl(0));
    select(ListItem::kControlName);
    main->Command1_Click(1);
    EXPECT_TRUE(p->messages.empty());
    EXPECT_FALSE(names().contains(ListItem::kControlName));
}

TEST_F(MainformTest, NamesLikeTheControlRecordAreOrdinaryEntries)
{
    start(withControl(0) + QStringList{QStringLiteral("password corvalen|x|"),
                                           QStringLiteral("Password Corvalen Backup|y|")});
    for (const QString& name : {QStringLiteral("password corvalen"), QStringLiteral("Password Corvalen Backup")}) {
        p->messages.clear();
        select(name);
        main->Command1_Click(1);
        ASSERT_EQ(p->messages.size(), 1u) << name.toStdString();
        EXPECT_TRUE(p->messages[0].prompt.startsWith(QStringLiteral("Are you sure you want to delete the password for ") +
                                                     name + QLatin1Char('?')));
        EXPECT_FALSE(names().contains(name));
    }
    EXPECT_TRUE(names().contains(ListItem::kControlName));
}

TEST_F(MainformTest, EditingTheControlRecordHidesTheUserIdAndTheModeDigit)
{
    start(withControl(0));
    select(ListItem::kControlName);
    bool checked = false;
    p->onModal<Passedit>([&](Passedit& editor) {
        EXPECT_EQ(editor.EditMode, QStringLiteral("EDIT"));
        EXPECT_EQ(editor.Text1[0]->text(), ListItem::kControlName);
        EXPECT_EQ(editor.Text1[1]->text(), QStringLiteral("Secret"));
        EXPECT_TRUE(editor.Text1[2]->isHidden());
        EXPECT_TRUE(editor.Label1[2]->isHidden());
        EXPECT_TRUE(editor.Text1[0]->isReadOnly());
        EXPECT_FALSE(main->Command1[3]->isEnabled());
        EXPECT_FALSE(main->List1->isEnabled());
        checked = true;
    });
    main->Command1_Click(2);
    EXPECT_TRUE(checked);
    EXPECT_EQ(selectedName(), ListItem::kControlName);
    EXPECT_TRUE(main->Command1[3]->isEnabled());
    EXPECT_TRUE(main->List1->isEnabled());
}

TEST_F(MainformTest, EditingAnEntryShowsAllThreeFieldsAndReselectsIt)
{
    start(kEntries);
    select(QStringLiteral("Mail"));
    p->onModal<Passedit>([](Passedit& editor) {
        EXPECT_EQ(editor.Text1[1]->text(), QStringLiteral("m41l"));
        EXPECT_EQ(editor.Text1[2]->text(), QStringLiteral("me@mail"));
        EXPECT_FALSE(editor.Text1[2]->isHidden());
        EXPECT_EQ(editor.focusWidget(), editor.Text1[1]);
        EXPECT_EQ(editor.Text1[1]->nextInFocusChain(), editor.Text1[0]);
        editor.Text1[1]->setText(QStringLiteral("n3w"));
        editor.Command1[0]->click();
    });
    main->Command1_Click(2);
    EXPECT_EQ(selectedName(), QStringLiteral("Mail"));
    EXPECT_TRUE(readPlainFile().contains(QStringLiteral("Mail|n3w|me@mail")));

    // A cancelled edit reselects the entry too.
    p->onModal<Passedit>([](Passedit& editor) { editor.Command1[1]->click(); });
    main->Command1_Click(2);
    EXPECT_EQ(selectedName(), QStringLiteral("Mail"));
}

TEST_F(MainformTest, AddOpensTheEditorWithNameThenPassword)
{
    start(kEntries);
    p->onModal<Passedit>([](Passedit& editor) {
        EXPECT_EQ(editor.EditMode, QStringLiteral("ADD"));
        EXPECT_EQ(editor.focusWidget(), editor.Text1[0]);
        EXPECT_EQ(editor.Text1[0]->nextInFocusChain(), editor.Text1[1]);
    });
    main->Command1_Click(0);
    EXPECT_EQ(p->modalShown, (std::vector<QString>{QStringLiteral("Passedit")}));
}

TEST_F(MainformTest, CopiesPutTheSelectedFieldOnTheClipboard)
{
    start(withControl(0));
    gTerminateAfter = false;
    select(QStringLiteral("Mail"));
    main->Command1_Click(3);
    EXPECT_EQ(p->clipboardText, QStringLiteral("m41l"));
    EXPECT_TRUE(p->clipboardSecret);
    main->Command1_Click(7);
    EXPECT_EQ(p->clipboardText, QStringLiteral("me@mail"));
    EXPECT_FALSE(p->clipboardSecret);
    EXPECT_EQ(p->clipboardClears, 2);

    select(ListItem::kControlName);
    main->List1_DblClick();
    EXPECT_EQ(p->clipboardText, QStringLiteral("Secret0"));

    select(QStringLiteral("bank"));
    main->Command1_Click(7);
    EXPECT_EQ(p->clipboardText, QString());
    main->List1->setListIndex(-1);
    main->Command1_Click(3);
    EXPECT_EQ(p->clipboardText, QString());
    EXPECT_FALSE(p->quitCalled);
    EXPECT_TRUE(p->messages.empty());
}

TEST_F(MainformTest, TerminateAfterEndsOnACopiedPasswordOnly)
{
    start(kEntries);
    gTerminateAfter = true;
    main->Command1_Click(7);
    EXPECT_FALSE(p->quitCalled);
    main->Command1_Click(3);
    EXPECT_TRUE(p->quitCalled);
    EXPECT_EQ(p->clipboardText, QStringLiteral("b4nk"));
}

TEST_F(MainformTest, DoubleClickWithTerminateAfterEndsToo)
{
    start(kEntries);
    gTerminateAfter = true;
    select(QStringLiteral("Club"));
    main->List1_DblClick();
    EXPECT_EQ(p->clipboardText, QStringLiteral("c1ub"));
    EXPECT_TRUE(p->quitCalled);
}

TEST_F(MainformTest, ModeOneAddAsksFirstAndACancelOpensNoEditor)
{
    start(withControl(1));
    p->onModal<frmLogin>([](frmLogin& login) { login.cmdCancel->click(); });
    main->Command1_Click(0);
    EXPECT_EQ(p->modalShown, (std::vector<QString>{QStringLiteral("frmLogin")}));
    EXPECT_TRUE(main->Command1[0]->isEnabled());

    p->onModal<frmLogin>([](frmLogin& login) {
        login.txtPassword->setText(QStringLiteral("Secret"));
        login.cmdOK->click();
    });
    main->Command1_Click(0);
    EXPECT_EQ(p->modalShown.back(), QStringLiteral("Passedit"));
}

TEST_F(MainformTest, HelpAncillaryOptionsAndUnknownCommands)
{
    start(kEntries);
    gHelpFile = QStringLiteral("/opt/corvalen/Corvalen.HLP");
    main->Command1_Click(4);
    ASSERT_EQ(p->helpCalls.size(), 1u);
    EXPECT_EQ(p->helpCalls[0].file, gHelpFile);
    EXPECT_EQ(p->helpCalls[0].command, 1);
    EXPECT_EQ(p->helpCalls[0].data, 10);

    main->Command1_Click(5);
    main->Command1_Click(6);
    EXPECT_EQ(p->modalShown, (std::vector<QString>{QStringLiteral("Ancillary"), QStringLiteral("Ops")}));

    main->Command1_Click(8);
    ASSERT_EQ(p->messages.size(), 1u);
    EXPECT_EQ(p->messages[0].prompt, QStringLiteral("Not Programmed"));
    EXPECT_EQ(p->messages[0].flags, 0);
    EXPECT_EQ(p->messages[0].title, QString());
}

TEST_F(MainformTest, TypingInTheListJumpsToTheFirstMatchingName)
{
    start(kEntries);
    QTest::keyClicks(main->List1, QStringLiteral("m"));
    EXPECT_EQ(selectedName(), QStringLiteral("Mail"));
    QTest::keyClicks(main->List1, QStringLiteral("C"));
    EXPECT_EQ(selectedName(), QStringLiteral("Club"));
}

TEST_F(MainformTest, FailedStoreOnDeleteKeepsTheEntry)
{
    start(kEntries);
    select(QStringLiteral("Club"));
    FileOps::SetWriteFailureAfter(0);
    main->Command1_Click(1);
    FileOps::SetWriteFailureAfter(-1);
    EXPECT_TRUE(names().contains(QStringLiteral("Club")));
    EXPECT_EQ(selectedName(), QStringLiteral("Club"));
    EXPECT_EQ(readPlainFile().size(), 3);
    EXPECT_TRUE(p->messages.back().prompt.startsWith(QStringLiteral("The Password File could not be saved")));
}

} // namespace
