// The password editor: Save's state, what a refusal or a failed save leaves in the window, and what it stores.
#include "support/Fixtures.h"

#include "core/RandomPassword.h"
#include "ui/Passedit.h"

class PasseditTest : public CorvalenTest
{
protected:
    // A fresh editor (the main window owns it) on a new entry, or on the entry named.
    void open(const QString& edited = QString())
    {
        editor = new Passedit(*main);
        select(edited);
        if (edited.isEmpty())
            editor->BeginAdd();
        else
            editor->BeginEdit(main->List1->List(main->List1->ListIndex()));
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

TEST_F(PasseditTest, ARefusalTheControlRecordGenerateAndAFailedStore)
{
    start({u"Bank|b4nk|me"_s, u"Mail|m41l|"_s, u"Password Corvalen|Key1| "_s});
    open();
    editor->Text1[1]->setFocus();
    EXPECT_TRUE(!save({u"ban"_s, u"pw"_s, u"me"_s}) && typed() == u"banpwme"_s);
    EXPECT_EQ(editor->focusWidget(), editor->Text1[0]) << "the box whose text is refused";
    EXPECT_EQ(takeMessages(),
              std::vector{Box(u"A Password already Exist for this Named Entry.  Select another Name."_s, 48)});
    open(u"Password Corvalen"_s);
    EXPECT_TRUE(typed() == u"Password CorvalenKey"_s && editor->Text1[2]->isHidden()) << "no mode digit, no user ID";
    EXPECT_TRUE(save({u"Password Corvalen"_s, u"Closed"_s}) && gProgramPassword == u"Closed"_s) << "read back";

    // Scripted random numbers give the password the generator makes of them. A save that fails keeps the window
    // with its input and the file as it was; tried again, it replaces the entry the window was opened on, once.
    const QString generated =
        RandomPassword::Generate([this, i = 0]() mutable { return p->rnd.emplace_back(i++ * 7919 % 1000 / 1000.0); });
    p->files.failAfterBytes(0);
    open(u"Mail"_s);
    editor->Command1[2]->click(); // Generate
    editor->Command1[0]->click(); // Save
    EXPECT_TRUE(editor->result() != QDialog::Accepted && !gEntrySaved && editor->Text1[0]->isReadOnly());
    EXPECT_EQ(typed(), u"Mail"_s + generated);
    EXPECT_EQ(takeMessages(),
              std::vector{Box(Messages::StoreFailed(ErrorText(RunError(RunError::DiskFull))), vbCritical)});
    EXPECT_EQ(readPlainFile().value(1), u"Mail|m41l|"_s);
    p->files.failAfter = -1;
    EXPECT_TRUE(save({u"Mail"_s, u"n3w"_s, u"me"_s}));
    EXPECT_EQ(readPlainFile(), (QStringList{u"Bank|b4nk|me"_s, u"Mail|n3w|me"_s, u"Password Corvalen|Closed1| "_s}));
}
