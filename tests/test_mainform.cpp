// The main window's own flows: the list after a load, deleting, editing, the clipboard, the login step of
// the guarded commands and help.
#include "support/Fixtures.h"

#include "core/FileOps.h"
#include "ui/Passedit.h"
#include "ui/frmLogin.h"

constexpr int kDelete = 1;
constexpr int kEdit = 2;
constexpr int kCopyPassword = 3;

const QString kControl = u"Password Corvalen"_s;
const QStringList kEntries = {u"Mail|m41l|me@mail"_s, u"bank|b4nk|"_s, u"Club|c1ub|member7"_s};
const auto Asks = [](const QString& name) { return Box(Messages::DeleteEntry(name), vbOKCancel + vbExclamation); };

class MainformTest : public CorvalenTest
{
protected:
    void click(int command, const QString& name)
    {
        select(name);
        main->Command1_Click(command);
    }
};

TEST_F(MainformTest, CopyAndDeleteLogInWhenGuardedDeleteAsksAndAFailedStoreKeepsTheEntrySelected)
{
    start(kEntries + QStringList{u"Password Corvalen|Secret1| "_s});
    EXPECT_EQ(selectedName(), u"bank"_s);
    // Protected and nobody logged in: the program's own password is copied only after a login; a login cancelled
    // runs nothing, and once logged in the run stays so.
    gTerminateAfter = false; // so that a password copied leaves the program running
    p->onModal<frmLogin>([](frmLogin& login) { login.cmdCancel->click(); });
    p->onModal<frmLogin>([](frmLogin& login) {
        login.txtPassword->setText(u"Secret"_s);
        login.cmdOK->click();
    });
    p->answers = {vbCancel};
    // Command and entry, then the clipboard after a copy, else the entry selected after it.
    const std::tuple<int, QString, QString> steps[] = {
        {kCopyPassword, u"Mail"_s, u"m41l"_s},  {kCopyPassword, kControl, u"m41l"_s},
        {kDelete, u"bank"_s, u"bank"_s},        {kDelete, u"bank"_s, QString()},
        {kEdit, QString(), QString()},          {kCopyPassword, kControl, u"Secret1"_s},
        {kCopyPassword, kControl, u"Secret1"_s}};
    for (const auto& [command, name, after] : steps) {
        click(command, name);
        EXPECT_EQ(command == kCopyPassword ? p->clipboardText : selectedName(), after) << command << name.toStdString();
    }
    EXPECT_EQ(p->modalShown, std::vector<QString>(2, u"frmLogin"_s));

    main->List1->AddItem(u"Half\t\t\t\tno tab after"_s); // an item the store cannot take apart
    p->files.failAfterBytes(0);
    click(kDelete, u"Club"_s);
    EXPECT_EQ(takeMessages(), (Boxes{Asks(u"bank"_s), Asks(u"bank"_s), Box(u"Nothing Selected to Edit"_s, 64),
                                     Asks(u"Club"_s), Plain(Messages::EntryNotStored(u"Half"_s)),
                                     Box(Messages::StoreFailed(ErrorText(RunError(RunError::DiskFull))), vbCritical)}));
    EXPECT_EQ(selectedName(), u"Club"_s);
    EXPECT_EQ(readPlainFile(),
              (QStringList{u"Club|c1ub|member7"_s, u"Mail|m41l|me@mail"_s, u"Password Corvalen|Secret1| "_s}));
}

TEST_F(MainformTest, EditCopyingAUserIdHelpAndClosingThatWritesNothing)
{
    start(kEntries + QStringList{u"Password Corvalen|Secret0| "_s});
    const auto inert = [this] { return !main->List1->isEnabled() && !main->Command1[0]->isEnabled(); };
    p->onModal<Passedit>([&](Passedit& editor) { EXPECT_TRUE(editor.Text1[0]->text() == u"Mail"_s && inert()); });
    click(kEdit, u"Mail"_s); // the main window is inert meanwhile, then reselects the entry after the reload
    EXPECT_TRUE(!inert() && selectedName() == u"Mail"_s);
    // Names that only look alike keep their places when a password changes, and the edited one is selected again.
    main->List1->AddItem(u"Cafe\t\t\t\tb\t"_s);
    main->List1->AddItem(u"Café\t\t\t\ta\t"_s);
    p->onModal<Passedit>([](Passedit& editor) {
        editor.Text1[1]->setText(u"c"_s);
        editor.Command1[0]->click();
    });
    click(kEdit, u"Café"_s);
    EXPECT_EQ(selectedName(), u"Café"_s);

    // TerminateAfter is on, as the setting is absent: a user ID is no secret and never ends the program.
    click(7, u"Mail"_s); // Copy User ID
    EXPECT_EQ(std::tuple(p->clipboardText, p->clipboardSecret, p->quitCalled), std::tuple(u"me@mail"_s, false, false));
    // Nothing selected: a password button copies nothing and so does not end the program either.
    click(kCopyPassword, QString());
    EXPECT_EQ(std::tuple(p->clipboardText, p->quitCalled), std::tuple(u"me@mail"_s, false));
    main->Command1_Click(4); // Help
    EXPECT_EQ(readPlainFile(), (QStringList{u"bank|b4nk|"_s, u"Cafe|b|"_s, u"Café|c|"_s, u"Club|c1ub|member7"_s,
                                            u"Mail|m41l|me@mail"_s, u"Password Corvalen|Secret0| "_s}));

    // A password copied closes the program, which writes nothing, as every change was stored when made, and
    // closes help.
    const qint64 written = p->files.written;
    select(u"Mail"_s);
    main->List1_DblClick();
    EXPECT_EQ(p->files.written, written);
    EXPECT_TRUE(p->quitCalled && !main->isVisible() && p->clipboardText == u"m41l"_s && p->clipboardSecret);
    EXPECT_EQ(p->helpCalls, (std::vector<int>{HELP_CONTEXT, HELP_QUIT}));
}

TEST_F(MainformTest, AMissingFileIsOfferedAndThenCreatedEmptyAndHidden)
{
    setSetting(u"CurrentVersion/MajorVersion"_s, u"1"_s); // installed, so no first run
    p->answers = {vbCancel};
    EXPECT_TRUE(Ends([this] { launch(); }) && !QFile::exists(passwordFile()));
    launch();
    EXPECT_TRUE(FileOps::IsHidden(passwordFile()) && BytesOf(passwordFile()).isEmpty() && main->List1->ListIndex() < 0);
    const MsgBoxCall offer = Box(Messages::NoPasswordFile(), vbOKCancel + vbCritical);
    EXPECT_EQ(takeMessages(), (Boxes{offer, offer}));
}
