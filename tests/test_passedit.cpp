#include "support/MainWindowTest.h"

#include "core/FileOps.h"
#include "core/ListItem.h"
#include "core/RandomPassword.h"
#include "frame/ListBox.h"
#include "frame/SMGLOBAL.h"
#include "ui/Passedit.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>

namespace {

const QStringList kEntries = {QStringLiteral("Bank|b4nk|me"), QStringLiteral("Mail|m41l|")};

class PasseditTest : public MainWindowTest
{
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        start(kEntries);
        p->messages.clear();
    }

    std::unique_ptr<Passedit> editor(const QString& mode)
    {
        auto window = std::make_unique<Passedit>(*main);
        window->EditMode = mode;
        return window;
    }

    // Fills the boxes and presses Save; returns whether the editor closed.
    bool save(Passedit& window, const QString& name, const QString& password, const QString& userId = QString())
    {
        window.Text1[0]->setText(name);
        window.Text1[1]->setText(password);
        window.Text1[2]->setText(userId);
        window.Command1_Click(0);
        return window.result() == QDialog::Accepted;
    }

    QStringList lastPrompt() const { return p->messages.empty() ? QStringList() : QStringList{p->messages.back().prompt}; }
};

TEST_F(PasseditTest, WindowStartsWithSaveDisabledAndItsCaptions)
{
    auto window = editor(QStringLiteral("ADD"));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Password Editor"));
    EXPECT_FALSE(window->Command1[0]->isEnabled());
    EXPECT_EQ(window->Command1[0]->text(), QStringLiteral("&Save"));
    EXPECT_EQ(window->Command1[1]->text(), QStringLiteral("&Cancel"));
    EXPECT_EQ(window->Command1[2]->text(), QStringLiteral("&Generate Random Password"));
    EXPECT_EQ(window->Command1[2]->toolTip(), QStringLiteral("Generate Random Password"));
    EXPECT_EQ(window->Label1[2]->text(), QStringLiteral("Password User ID (If Required)"));
    EXPECT_EQ(window->Text1[1]->echoMode(), QLineEdit::Normal);
}

TEST_F(PasseditTest, SaveIsEnabledByNameAndPasswordAndKeptWhileTheNameIsEmpty)
{
    auto window = editor(QStringLiteral("ADD"));
    window->Text1[1]->setText(QStringLiteral("pw"));
    EXPECT_FALSE(window->Command1[0]->isEnabled()) << "no name yet";
    window->Text1[0]->setText(QStringLiteral("Shop"));
    EXPECT_TRUE(window->Command1[0]->isEnabled());
    window->Text1[0]->clear();
    EXPECT_TRUE(window->Command1[0]->isEnabled()) << "an empty name keeps Save's state";
    window->Command1[0]->click();
    EXPECT_EQ(lastPrompt(), QStringList{QStringLiteral("Password Name is Blank!")});
    EXPECT_EQ(p->messages.back().flags, 48);
    EXPECT_EQ(p->messages.back().title, kAppTitle);

    window->Text1[0]->setText(QStringLiteral("Shop"));
    window->Text1[1]->clear();
    EXPECT_FALSE(window->Command1[0]->isEnabled());
}

TEST_F(PasseditTest, BlankChecksComeInOrderAndLeaveTheWindowOpen)
{
    auto window = editor(QStringLiteral("ADD"));
    EXPECT_FALSE(save(*window, QString(), QString()));
    EXPECT_FALSE(save(*window, QStringLiteral("Shop"), QString()));
    EXPECT_EQ(prompts(), (QStringList{QStringLiteral("Password Name is Blank!"), QStringLiteral("Password is Blank!")}));
    EXPECT_FALSE(gEntrySaved);
    EXPECT_EQ(readPlainFile().size(), 2);
}

struct DuplicateCase
{
    const char* existing;
    const char* typed;
    bool refused;
};

class DuplicateTest : public PasseditTest, public ::testing::WithParamInterface<DuplicateCase>
{
};

TEST_P(DuplicateTest, NameIsCheckedAgainstTheBeginningOfEveryItem)
{
    const DuplicateCase& c = GetParam();
    main->List1->Clear();
    main->List1->AddItem(ListItem::Make(QString::fromUtf8(c.existing), QStringLiteral("x"), QString()));
    auto window = editor(QStringLiteral("ADD"));
    const bool closed = save(*window, QString::fromUtf8(c.typed), QStringLiteral("pw"));
    EXPECT_EQ(closed, !c.refused);
    if (c.refused) {
        EXPECT_EQ(lastPrompt(), QStringList{QStringLiteral(
                                    "A Password already Exist for this Named Entry.  Select another Name.")});
        EXPECT_TRUE(gEntrySaved) << "the blank checks had passed";
    }
}

INSTANTIATE_TEST_SUITE_P(Names, DuplicateTest,
                         ::testing::Values(DuplicateCase{"bank", "BANK", true}, DuplicateCase{"Bank", "bank", true},
                                           DuplicateCase{"Bank Account", "Bank", true},
                                           DuplicateCase{"Password Corvalen", "Password", true},
                                           DuplicateCase{"Bank", "Bank Account", false},
                                           DuplicateCase{"Bank", "Shop", false}));

TEST_F(PasseditTest, AddStoresTheEntryAndReloadsTheList)
{
    auto window = editor(QStringLiteral("ADD"));
    EXPECT_TRUE(save(*window, QStringLiteral("Shop"), QStringLiteral("sh0p"), QStringLiteral("buyer")));
    EXPECT_TRUE(gEntrySaved);
    EXPECT_EQ(readPlainFile(), (QStringList{QStringLiteral("Bank|b4nk|me"), QStringLiteral("Mail|m41l|"),
                                            QStringLiteral("Shop|sh0p|buyer")}));
    EXPECT_EQ(names(), (QStringList{QStringLiteral("Bank"), QStringLiteral("Mail"), QStringLiteral("Shop")}));
}

TEST_F(PasseditTest, AddingTheControlRecordCarriesTheModeDigitAndNoUserId)
{
    gProtectionMode = 2;
    auto window = editor(QStringLiteral("ADD"));
    EXPECT_TRUE(save(*window, ListItem::kControlName, QStringLiteral("Open Sesame"), QStringLiteral("ignored")));
    EXPECT_TRUE(readPlainFile().contains(QStringLiteral("Password Corvalen|Open Sesame2| ")));
    EXPECT_EQ(gProgramPassword, QStringLiteral("Open Sesame"));
}

TEST_F(PasseditTest, EditReplacesTheSelectedEntry)
{
    select(QStringLiteral("Mail"));
    auto window = editor(QStringLiteral("EDIT"));
    EXPECT_TRUE(save(*window, QStringLiteral("Mail"), QStringLiteral("n3w"), QStringLiteral("me@mail")));
    EXPECT_EQ(readPlainFile(), (QStringList{QStringLiteral("Bank|b4nk|me"), QStringLiteral("Mail|n3w|me@mail")}));
}

TEST_F(PasseditTest, AnyModeButAddEditsWithoutTheDuplicateCheck)
{
    select(QStringLiteral("Bank"));
    auto window = editor(QStringLiteral("add"));
    EXPECT_TRUE(save(*window, QStringLiteral("Bank"), QStringLiteral("n3w")));
    EXPECT_EQ(readPlainFile().size(), 2);
    EXPECT_TRUE(readPlainFile().contains(QStringLiteral("Bank|n3w|")));
}

TEST_F(PasseditTest, EditingTheControlRecordChangesTheProgramPassword)
{
    main->List1->AddItem(ListItem::MakeControl(QStringLiteral("Old"), 1));
    gProtectionMode = 1;
    ASSERT_TRUE(main->StorePasswords());
    select(ListItem::kControlName);
    auto window = editor(QStringLiteral("EDIT"));
    EXPECT_TRUE(save(*window, ListItem::kControlName, QStringLiteral("New")));
    EXPECT_TRUE(readPlainFile().contains(QStringLiteral("Password Corvalen|New1| ")));
    EXPECT_EQ(gProgramPassword, QStringLiteral("New"));
}

struct RefusedCase
{
    const char* label;
    QString name, password, userId;
};

class RefusedFieldTest : public PasseditTest, public ::testing::WithParamInterface<RefusedCase>
{
};

TEST_P(RefusedFieldTest, WhatTheFileCannotHoldIsRefusedAndTheInputKept)
{
    const RefusedCase& c = GetParam();
    auto window = editor(QStringLiteral("ADD"));
    EXPECT_FALSE(save(*window, c.name, c.password, c.userId));
    ASSERT_EQ(p->messages.size(), 1u);
    EXPECT_EQ(p->messages[0].flags, 48);
    EXPECT_EQ(p->messages[0].title, kAppTitle);
    EXPECT_EQ(window->Text1[0]->text(), c.name);
    EXPECT_EQ(window->Text1[1]->text(), c.password);
    EXPECT_EQ(window->Text1[2]->text(), c.userId);
    EXPECT_EQ(readPlainFile().size(), 2);
    EXPECT_EQ(main->List1->ListCount(), 2);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, RefusedFieldTest,
    ::testing::Values(RefusedCase{"BarInName", QStringLiteral("A|B"), QStringLiteral("pw"), QString()},
                      RefusedCase{"BarInPassword", QStringLiteral("Shop"), QStringLiteral("p|w"), QString()},
                      RefusedCase{"TabInName", QStringLiteral("Sh\top"), QStringLiteral("pw"), QString()},
                      RefusedCase{"LineBreakInPassword", QStringLiteral("Shop"), QStringLiteral("p\nw"), QString()},
                      RefusedCase{"TabInUserId", QStringLiteral("Shop"), QStringLiteral("pw"), QStringLiteral("a\tb")},
                      RefusedCase{"ReturnInUserId", QStringLiteral("Shop"), QStringLiteral("pw"),
                                  QStringLiteral("a\rb")}),
    [](const ::testing::TestParamInfo<RefusedCase>& info) { return std::string(info.param.label); });

TEST_F(PasseditTest, BarInAUserIdIsKept)
{
    auto window = editor(QStringLiteral("ADD"));
    EXPECT_TRUE(save(*window, QStringLiteral("Shop"), QStringLiteral("pw"), QStringLiteral("dept|7")));
    EXPECT_TRUE(readPlainFile().contains(QStringLiteral("Shop|pw|dept|7")));
}

TEST_F(PasseditTest, FailedStoreKeepsTheEditorOpenAndTheFileAsItWas)
{
    auto window = editor(QStringLiteral("ADD"));
    FileOps::SetWriteFailureAfter(0);
    EXPECT_FALSE(save(*window, QStringLiteral("Shop"), QStringLiteral("sh0p")));
    FileOps::SetWriteFailureAfter(-1);
    EXPECT_EQ(window->Text1[0]->text(), QStringLiteral("Shop"));
    EXPECT_EQ(readPlainFile().size(), 2);
    EXPECT_EQ(names(), (QStringList{QStringLiteral("Bank"), QStringLiteral("Mail")}));
    EXPECT_FALSE(gEntrySaved);
}

TEST_F(PasseditTest, CancelClearsEntrySavedAndStoresNothing)
{
    auto window = editor(QStringLiteral("ADD"));
    save(*window, QStringLiteral("Bank"), QStringLiteral("pw")); // refused duplicate: gEntrySaved is True
    ASSERT_TRUE(gEntrySaved);
    window->Command1[1]->click();
    EXPECT_FALSE(gEntrySaved);
    EXPECT_EQ(window->result(), QDialog::Rejected);
    EXPECT_EQ(readPlainFile().size(), 2);
}

TEST_F(PasseditTest, GeneratedPasswordsAreTenDistinctCharactersOfTheAlphabet)
{
    auto window = editor(QStringLiteral("ADD"));
    window->Text1[0]->setText(QStringLiteral("Shop"));
    QSet<QString> seen;
    for (int run = 0; run < 200; ++run) {
        window->Command1[2]->click();
        const QString generated = window->Text1[1]->text();
        ASSERT_EQ(generated.size(), 10);
        QSet<QChar> distinct;
        for (QChar c : generated) {
            EXPECT_TRUE(RandomPassword::kAlphabet.contains(c));
            distinct.insert(c);
        }
        EXPECT_EQ(distinct.size(), 10) << generated.toStdString();
        seen.insert(generated);
    }
    EXPECT_GT(seen.size(), 190) << "the secure source should practically never repeat";
    EXPECT_TRUE(window->Command1[0]->isEnabled());
    EXPECT_EQ(window->Text1[0]->text(), QStringLiteral("Shop"));
}

TEST_F(PasseditTest, GeneratorSwapsDrawnPositionsAndSlicesFifteenToTwentyFour)
{
    // Every draw 0: positions 1 and 1, the alphabet stays in order.
    EXPECT_EQ(RandomPassword::Generate([] { return 0.0; }), QStringLiteral("OPQRSTUVWX"));
    // Draws alternate between the first and the last position: an odd number of swaps of A and 0 leaves
    // the slice untouched, and a value just below 1 still lands on position 62.
    int n = 0;
    EXPECT_EQ(RandomPassword::Generate([&n] { return (n++ % 2) ? 0.9999999999 : 0.0; }), QStringLiteral("OPQRSTUVWX"));
    // Swapping 15 with 62 once in the first draw pair and then nothing: "0" moves into the slice.
    n = 0;
    const double first[] = {14.5 / 62, 61.5 / 62};
    EXPECT_EQ(RandomPassword::Generate([&n, &first] { return n < 2 ? first[n++] : 0.0; }),
              QStringLiteral("0PQRSTUVWX"));
}

} // namespace
