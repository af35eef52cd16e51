#include "support/MainWindowTest.h"

#include "core/FileOps.h"
#include "core/ListItem.h"
#include "frame/ListBox.h"
#include "frame/SMGLOBAL.h"
#include "ui/Passedit.h"
#include "ui/frmLogin.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

const QStringList kEntries = {QStringLiteral("Mail|m41l|me@mail"), QStringLiteral("bank|b4nk|"),
                              QStringLiteral("Club|c1ub|member7")};
const QString kContinue = QStringLiteral("Press OK to continue or CANCEL to abort the operation.");

class MainformTest : public MainWindowTest
{
protected:
    QStringList withControl(int mode) const
    {
        return kEntries + QStringList{QStringLiteral("Password Corvalen|Secret%1| ").arg(mode)};
    }
    QStringList fileNames() const
    {
        QStringList out;
        for (const QString& line : readPlainFile())
            out << line.section(QLatin1Char('|'), 0, 0);
        return out;
    }
    void logIn()
    {
        p->onModal<frmLogin>([](frmLogin& login) {
            login.txtPassword->setText(QStringLiteral("Secret"));
            login.cmdOK->click();
        });
    }
};

TEST_F(MainformTest, TimerShowsTheVersionAndSelectsTheFirstEntry)
{
    start({});
    EXPECT_EQ(main->Label2->text(), QStringLiteral("Ver.: 1.0.53"));
    EXPECT_EQ(main->List1->ListIndex(), -1);
    start(kEntries);
    EXPECT_EQ(selectedName(), QStringLiteral("bank"));
}

TEST_F(MainformTest, DeleteAsksThenSelectsTheEntryAboveOrNone)
{
    start(kEntries);
    p->answers = {vbCancel};
    main->Command1_Click(1);
    EXPECT_EQ(fileNames().size(), 3);
    main->Command1_Click(1);
    ASSERT_EQ(p->messages.size(), 2u);
    EXPECT_EQ(p->messages[1].prompt,
              QStringLiteral("Are you sure you want to delete the password for bank?\r\n\r\n") + kContinue);
    EXPECT_EQ(p->messages[1].flags, 49);
    EXPECT_EQ(p->messages[1].title, kAppTitle);
    EXPECT_EQ(main->List1->ListIndex(), -1) << "the first entry had none above it";

    select(QStringLiteral("Mail"));
    main->Command1_Click(1);
    EXPECT_EQ(selectedName(), QStringLiteral("Club"));
    EXPECT_EQ(fileNames(), QStringList{QStringLiteral("Club")});

    main->List1->setListIndex(-1);
    main->Command1_Click(1);
    main->Command1_Click(2);
    EXPECT_EQ(prompts().mid(3), (QStringList{QStringLiteral("Nothing Selected to Delete"),
                                             QStringLiteral("Nothing Selected to Edit")}));
    EXPECT_EQ(p->messages.back().flags, 64);
}

TEST_F(MainformTest, DeletingTheControlRecordWhileGuardedAsksAndDropsProtection)
{
    logIn();
    start(withControl(1));
    select(ListItem::kControlName);
    p->answers = {vbCancel};
    main->Command1_Click(1);
    EXPECT_EQ(prompts(), QStringList{QStringLiteral("This will delete the program's password protection.  You may "
                                                    "re-establish it at a later time if desired.  ") + kContinue});
    EXPECT_EQ(gProtectionMode, 1);
    main->Command1_Click(1);
    EXPECT_EQ(gProtectionMode, 0);
    EXPECT_FALSE(fileNames().contains(ListItem::kControlName));
}

TEST_F(MainformTest, ControlRecordUnderModeZeroGoesSilentlyAndLookAlikesAreOrdinary)
{
    start(withControl(0) + QStringList{QStringLiteral("password corvalen|x|"), QStringLiteral("Password Corvalen 2|y|")});
    for (const QString& name : {QStringLiteral("password corvalen"), QStringLiteral("Password Corvalen 2")}) {
        p->messages.clear();
        select(name);
        main->Command1_Click(1);
        EXPECT_EQ(prompts(), QStringList{QStringLiteral("Are you sure you want to delete the password for ") + name +
                                         QStringLiteral("?\r\n\r\n") + kContinue});
    }
    p->messages.clear();
    select(ListItem::kControlName);
    main->Command1_Click(1);
    EXPECT_TRUE(p->messages.empty());
    EXPECT_EQ(fileNames().size(), 3);
}

TEST_F(MainformTest, EditShowsTheFieldsLocksTheNameAndReselects)
{
    start(withControl(0));
    select(ListItem::kControlName);
    p->onModal<Passedit>([&](Passedit& editor) {
        EXPECT_EQ(editor.Text1[1]->text(), QStringLiteral("Secret")) << "without the mode digit";
        EXPECT_TRUE(editor.Text1[2]->isHidden());
        EXPECT_TRUE(editor.Label1[2]->isHidden());
        EXPECT_FALSE(main->List1->isEnabled());
        editor.Command1[1]->click();
    });
    main->Command1_Click(2);
    EXPECT_EQ(selectedName(), ListItem::kControlName);
    EXPECT_TRUE(main->List1->isEnabled());

    select(QStringLiteral("Mail"));
    p->onModal<Passedit>([](Passedit& editor) {
        EXPECT_EQ(editor.EditMode, QStringLiteral("EDIT"));
        EXPECT_EQ(editor.Text1[2]->text(), QStringLiteral("me@mail"));
        EXPECT_FALSE(editor.Text1[2]->isHidden());
        EXPECT_TRUE(editor.Text1[0]->isReadOnly());
        EXPECT_EQ(editor.focusWidget(), editor.Text1[1]);
        editor.Text1[1]->setText(QStringLiteral("n3w"));
        editor.Command1[0]->click();
    });
    main->Command1_Click(2);
    EXPECT_EQ(selectedName(), QStringLiteral("Mail"));
    EXPECT_TRUE(readPlainFile().contains(QStringLiteral("Mail|n3w|me@mail")));
}

TEST_F(MainformTest, CopiesPutTheSelectedFieldOnTheClipboardAndOnlyAPasswordEnds)
{
    start(withControl(0));
    struct Step
    {
        QString select;
        int command; // -1: double click
        QString expected;
        bool secret;
    };
    const Step steps[] = {{QStringLiteral("Mail"), 3, QStringLiteral("m41l"), true},
                          {QStringLiteral("Mail"), 7, QStringLiteral("me@mail"), false},
                          {ListItem::kControlName, -1, QStringLiteral("Secret0"), true},
                          {QStringLiteral("bank"), 7, QString(), false},
                          {QString(), 3, QString(), true}};
    gTerminateAfter = false;
    for (const Step& step : steps) {
        SCOPED_TRACE(step.select.toStdString());
        select(step.select);
        step.command < 0 ? main->List1_DblClick() : main->Command1_Click(step.command);
        EXPECT_EQ(p->clipboardText, step.expected);
        EXPECT_EQ(p->clipboardSecret, step.secret);
    }
    EXPECT_EQ(p->clipboardClears, 5);
    EXPECT_FALSE(p->quitCalled);

    gTerminateAfter = true;
    main->Command1_Click(7);
    EXPECT_FALSE(p->quitCalled);
    main->List1_DblClick();
    EXPECT_TRUE(p->quitCalled);
}

TEST_F(MainformTest, HelpUnknownCommandsAndKeyboardSearch)
{
    start(kEntries);
    gHelpFile = QStringLiteral("/opt/corvalen/Corvalen.HLP");
    main->Command1_Click(4);
    ASSERT_EQ(p->helpCalls.size(), 1u);
    EXPECT_EQ(p->helpCalls[0].file, gHelpFile);
    EXPECT_EQ(p->helpCalls[0].command, 1);
    EXPECT_EQ(p->helpCalls[0].data, 10);
    main->Command1_Click(8);
    ASSERT_EQ(p->messages.size(), 1u);
    EXPECT_EQ(p->messages[0].prompt, QStringLiteral("Not Programmed"));
    EXPECT_EQ(p->messages[0].flags, 0);

    QTest::keyClicks(main->List1, QStringLiteral("m"));
    EXPECT_EQ(selectedName(), QStringLiteral("Mail"));
}

TEST_F(MainformTest, FailedStoreOnDeleteKeepsTheEntry)
{
    start(kEntries);
    select(QStringLiteral("Club"));
    FileOps::SetWriteFailureAfter(0);
    main->Command1_Click(1);
    FileOps::SetWriteFailureAfter(-1);
    EXPECT_EQ(selectedName(), QStringLiteral("Club"));
    EXPECT_EQ(readPlainFile().size(), 3);
    EXPECT_TRUE(p->messages.back().prompt.startsWith(QStringLiteral("The Password File could not be saved")));
}

} // namespace
