// The password editor: what it refuses, what it stores, and that a refused or failed save loses no input.
#include "support/Fixtures.h"

#include "core/EntryInput.h"
#include "core/Messages.h"
#include "core/RandomPassword.h"
#include "core/RunError.h"
#include "frame/ListBox.h"
#include "frame/SMGLOBAL.h"
#include "ui/Passedit.h"

#include <QLineEdit>
#include <QPushButton>

namespace {

using namespace Qt::StringLiterals;
using Boxes = std::vector<MsgBoxCall>;

class PasseditTest : public CorvalenTest
{
protected:
    // A fresh editor (the main window owns it) on a new entry, or on the entry named.
    void open(const QString& edited = QString())
    {
        editor = new Passedit(*main);
        select(edited);
        edited.isEmpty() ? editor->BeginAdd() : editor->BeginEdit(main->List1->List(main->List1->ListIndex()));
    }
    // Types name, password and user ID, and presses Save; true when the window closed.
    bool save(const QStringList& fields)
    {
        for (int i = 0; i < 3; ++i)
            editor->Text1[i]->setText(fields.value(i));
        editor->Command1_Click(0);
        return editor->result() == QDialog::Accepted;
    }
    QString typed() const { return editor->Text1[0]->text() + editor->Text1[1]->text() + editor->Text1[2]->text(); }

    Passedit* editor = nullptr;
};

TEST_F(PasseditTest, SaveNeedsANameAndAPasswordAndARefusalKeepsTheInput)
{
    start({u"Bank|b4nk|me"_s, u"Mail|m41l|"_s});
    open();
    // Box, text typed, whether Save is enabled then: an emptied name leaves Save as it was.
    const std::tuple<int, QString, bool> steps[] = {
        {1, u"pw"_s, false}, {0, u"Shop"_s, true}, {0, QString(), true}, {1, QString(), true}, {0, u"Shop"_s, false}};
    for (const auto& [box, text, enabled] : steps) {
        editor->Text1[box]->setText(text);
        EXPECT_EQ(editor->Command1[0]->isEnabled(), enabled) << box << text.toStdString();
    }
    EXPECT_FALSE(save({QString(), u"pw"_s}) || save({u"Shop"_s}));
    EXPECT_EQ(takeMessages(), (Boxes{Box(u"Password Name is Blank!"_s, 48), Box(u"Password is Blank!"_s, 48)}));

    const QString taken = u"A Password already Exist for this Named Entry.  Select another Name."_s;
    const QStringList cases[] = {{u"ban"_s, u"pw"_s},    {u"A|B"_s, u"pw"_s},    {u"Shop"_s, u"p|w"_s},
                                 {u"Sh\top"_s, u"pw"_s}, {u"Shop"_s, u"p\nw"_s}, {u"Shop"_s, u"pw"_s, u"a\rb"_s}};
    for (const QStringList& fields : cases) {
        const QString refusal = EntryInput::Refusal(fields.value(0), fields.value(1), fields.value(2));
        open();
        EXPECT_FALSE(save(fields));
        EXPECT_EQ(takeMessages(), Boxes{Box(refusal.isEmpty() ? taken : refusal, 48)});
        EXPECT_EQ(typed(), fields.join(QString()));
    }
    EXPECT_EQ(main->List1->ListCount(), 2);
}

TEST_F(PasseditTest, AddEditCancelGenerateAndAFailedStore)
{
    start({u"Bank|b4nk|me"_s, u"Mail|m41l|"_s, u"Password Corvalen|Key1| "_s});
    open();
    EXPECT_TRUE(save({u"Shop"_s, u"sh0p"_s, u"dept|7"_s}));
    open(u"Mail"_s);
    EXPECT_TRUE(editor->Text1[0]->isReadOnly());
    // A save that fails and is tried again replaces the entry the window was opened on, once.
    p->beforeWrite = [](const QString&) { throw RunError(RunError::DiskFull); };
    EXPECT_FALSE(save({u"Mail"_s, u"n3w"_s, u"me"_s}));
    p->beforeWrite = nullptr;
    EXPECT_TRUE(save({u"Mail"_s, u"n3w"_s, u"me"_s}));
    EXPECT_EQ(takeMessages().size(), 1u);
    open(u"Password Corvalen"_s);
    EXPECT_EQ(typed(), u"Password CorvalenKey"_s) << "without the mode digit";
    EXPECT_TRUE(editor->Text1[2]->isHidden());
    EXPECT_TRUE(save({u"Password Corvalen"_s, u"Closed"_s}));
    EXPECT_EQ(gProgramPassword, u"Closed"_s) << "read back from the file";
    open(u"Bank"_s);
    editor->Text1[1]->setText(u"changed"_s);
    editor->Command1[1]->click();
    EXPECT_EQ(editor->result(), QDialog::Rejected);

    // Scripted random numbers give the password the generator makes of them.
    const auto value = [](int i) { return double(i * 7919 % 1000) / 1000; };
    for (int i = 0; i < 2 * RandomPassword::kSwaps; ++i)
        p->rnd.push_back(value(i));
    const RunError full(RunError::DiskFull);
    p->beforeWrite = [full](const QString&) { throw full; };
    open();
    editor->Text1[0]->setText(u"Zoo"_s);
    editor->Command1[2]->click();
    int drawn = 0;
    const QString generated = RandomPassword::Generate([&] { return value(drawn++); });
    editor->Command1[0]->click();
    EXPECT_NE(editor->result(), QDialog::Accepted);
    EXPECT_FALSE(gEntrySaved);
    EXPECT_EQ(typed(), u"Zoo"_s + generated);
    EXPECT_EQ(takeMessages(), Boxes{Box(Messages::StoreFailed(ErrorText(full)), vbCritical)});
    EXPECT_EQ(readPlainFile(), (QStringList{u"Bank|b4nk|me"_s, u"Mail|n3w|me"_s, u"Password Corvalen|Closed1| "_s,
                                            u"Shop|sh0p|dept|7"_s}));
}

} // namespace
