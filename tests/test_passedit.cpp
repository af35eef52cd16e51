#include "support/MainWindowTest.h"

#include "core/FileOps.h"
#include "core/ListItem.h"
#include "core/RandomPassword.h"
#include "frame/ListBox.h"
#include "frame/SMGLOBAL.h"
#include "ui/Passedit.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSet>

namespace {

class PasseditTest : public MainWindowTest
{
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        start({QStringLiteral("Bank|b4nk|me"), QStringLiteral("Mail|m41l|")});
    }
    void TearDown() override
    {
        window.reset(); // before the main window, its parent
        MainWindowTest::TearDown();
    }

    // A fresh editor in the mode, the boxes filled and Save pressed; returns whether it closed.
    bool save(const QString& mode, const QString& name, const QString& password, const QString& userId = QString())
    {
        p->messages.clear();
        window = std::make_unique<Passedit>(*main);
        window->EditMode = mode;
        window->Text1[0]->setText(name);
        window->Text1[1]->setText(password);
        window->Text1[2]->setText(userId);
        window->Command1_Click(0);
        return window->result() == QDialog::Accepted;
    }

    std::unique_ptr<Passedit> window;
};

TEST_F(PasseditTest, SaveIsEnabledByNameAndPasswordAndBlankChecksComeInOrder)
{
    window = std::make_unique<Passedit>(*main);
    EXPECT_FALSE(window->Command1[0]->isEnabled());
    window->Text1[1]->setText(QStringLiteral("pw"));
    EXPECT_FALSE(window->Command1[0]->isEnabled()) << "no name yet";
    window->Text1[0]->setText(QStringLiteral("Shop"));
    EXPECT_TRUE(window->Command1[0]->isEnabled());
    window->Text1[0]->clear();
    EXPECT_TRUE(window->Command1[0]->isEnabled()) << "an empty name keeps Save's state";

    EXPECT_FALSE(save(QStringLiteral("ADD"), QString(), QStringLiteral("pw")));
    EXPECT_EQ(prompts(), QStringList{QStringLiteral("Password Name is Blank!")});
    EXPECT_EQ(p->messages[0].flags, 48);
    EXPECT_EQ(p->messages[0].title, kAppTitle);
    EXPECT_FALSE(save(QStringLiteral("ADD"), QStringLiteral("Shop"), QString()));
    EXPECT_EQ(prompts(), QStringList{QStringLiteral("Password is Blank!")});
    EXPECT_FALSE(gEntrySaved);
}

TEST_F(PasseditTest, NameIsCheckedAgainstTheBeginningOfEveryItem)
{
    const struct
    {
        const char* existing;
        const char* typed;
        bool refused;
    } cases[] = {{"bank", "BANK", true},
                 {"Bank Account", "Bank", true},
                 {"Password Corvalen", "Password", true},
                 {"Bank", "Bank Account", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        main->List1->Clear();
        main->List1->AddItem(ListItem::Make(QString::fromUtf8(c.existing), QStringLiteral("x"), QString()));
        EXPECT_EQ(save(QStringLiteral("ADD"), QString::fromUtf8(c.typed), QStringLiteral("pw")), !c.refused);
        if (c.refused) {
            EXPECT_EQ(prompts(), QStringList{QStringLiteral(
                                     "A Password already Exist for this Named Entry.  Select another Name.")});
            EXPECT_TRUE(gEntrySaved) << "the blank checks had passed";
        }
    }
    window->Command1[1]->click();
    EXPECT_FALSE(gEntrySaved);
}

TEST_F(PasseditTest, AddAndEditStoreTheListAndReadItBack)
{
    EXPECT_TRUE(save(QStringLiteral("ADD"), QStringLiteral("Shop"), QStringLiteral("sh0p"), QStringLiteral("dept|7")));
    gProtectionMode = 2;
    EXPECT_TRUE(save(QStringLiteral("ADD"), ListItem::kControlName, QStringLiteral("Open"), QStringLiteral("ignored")));
    EXPECT_EQ(gProgramPassword, QStringLiteral("Open"));
    select(QStringLiteral("Mail"));
    EXPECT_TRUE(save(QStringLiteral("add"), QStringLiteral("Mail"), QStringLiteral("n3w"), QStringLiteral("me")))
        << "anything but ADD edits, without the duplicate check";
    select(ListItem::kControlName);
    EXPECT_TRUE(save(QStringLiteral("EDIT"), ListItem::kControlName, QStringLiteral("Closed")));
    EXPECT_EQ(gProgramPassword, QStringLiteral("Closed"));
    EXPECT_EQ(readPlainFile(), (QStringList{QStringLiteral("Bank|b4nk|me"), QStringLiteral("Mail|n3w|me"),
                                            QStringLiteral("Password Corvalen|Closed2| "),
                                            QStringLiteral("Shop|sh0p|dept|7")}));
}

TEST_F(PasseditTest, WhatTheFileCannotHoldIsRefusedAndTheInputKept)
{
    const QString fields[][3] = {{QStringLiteral("A|B"), QStringLiteral("pw"), QString()},
                                 {QStringLiteral("Shop"), QStringLiteral("p|w"), QString()},
                                 {QStringLiteral("Sh\top"), QStringLiteral("pw"), QString()},
                                 {QStringLiteral("Shop"), QStringLiteral("p\nw"), QString()},
                                 {QStringLiteral("Shop"), QStringLiteral("pw"), QStringLiteral("a\rb")}};
    for (const auto& f : fields) {
        SCOPED_TRACE((f[0] + f[1] + f[2]).toStdString());
        EXPECT_FALSE(save(QStringLiteral("ADD"), f[0], f[1], f[2]));
        ASSERT_EQ(p->messages.size(), 1u);
        EXPECT_EQ(p->messages[0].flags, 48);
        EXPECT_EQ(window->Text1[0]->text() + window->Text1[1]->text() + window->Text1[2]->text(), f[0] + f[1] + f[2]);
    }
    EXPECT_EQ(readPlainFile().size(), 2);
    EXPECT_EQ(main->List1->ListCount(), 2);
}

TEST_F(PasseditTest, FailedStoreKeepsTheEditorOpenAndTheFileAsItWas)
{
    FileOps::SetWriteFailureAfter(0);
    EXPECT_FALSE(save(QStringLiteral("ADD"), QStringLiteral("Shop"), QStringLiteral("sh0p")));
    FileOps::SetWriteFailureAfter(-1);
    EXPECT_EQ(window->Text1[0]->text(), QStringLiteral("Shop"));
    EXPECT_EQ(readPlainFile().size(), 2);
    EXPECT_EQ(names(), (QStringList{QStringLiteral("Bank"), QStringLiteral("Mail")}));
    EXPECT_FALSE(gEntrySaved);
}

TEST_F(PasseditTest, GeneratedPasswordsAreTenDistinctCharactersOfTheAlphabet)
{
    window = std::make_unique<Passedit>(*main);
    window->Text1[0]->setText(QStringLiteral("Shop"));
    QSet<QString> seen;
    for (int run = 0; run < 100; ++run) {
        window->Command1[2]->click();
        const QString generated = window->Text1[1]->text();
        const QSet<QChar> distinct(generated.begin(), generated.end());
        EXPECT_EQ(generated.size(), 10);
        EXPECT_EQ(distinct.size(), 10) << generated.toStdString();
        for (QChar c : generated)
            EXPECT_TRUE(RandomPassword::kAlphabet.contains(c));
        seen.insert(generated);
    }
    EXPECT_GT(seen.size(), 95);
    EXPECT_TRUE(window->Command1[0]->isEnabled());
}

TEST_F(PasseditTest, GeneratorSwapsDrawnPositionsAndSlicesFifteenToTwentyFour)
{
    // Draws of 0 swap position 1 with itself: the alphabet stays in order.
    EXPECT_EQ(RandomPassword::Generate([] { return 0.0; }), QStringLiteral("OPQRSTUVWX"));
    // One swap of positions 15 and 62 (a value just below 1 still lands on 62), then none.
    int n = 0;
    const double first[] = {14.5 / 62, 0.9999999999};
    EXPECT_EQ(RandomPassword::Generate([&] { return n < 2 ? first[n++] : 0.0; }), QStringLiteral("0PQRSTUVWX"));
}

} // namespace
