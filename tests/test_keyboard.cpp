// The keyboard and the focus: Enter on a button, typing in the list, where the focus shows, and the whole
// name of an entry under the pointer.
#include "support/Fixtures.h"
#include "support/Texts.h"

#include "ui/Ancillary.h"
#include "ui/Ops.h"
#include "ui/Passedit.h"
#include "ui/frmLogin.h"

#include <QCheckBox>
#include <QHelpEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolTip>

namespace {

using namespace Qt::StringLiterals;
using KeyboardTest = CorvalenTest;

TEST_F(KeyboardTest, EnterPressesTheFocusedButtonInEveryWindowAndInABoxOnlyTheLoginsDefault)
{
    start({u"Bank|b4nk|me"_s, u"Password Corvalen|Secret1| "_s});
    main->show();
    gTerminateAfter = false;
    p->onModal<frmLogin>([](frmLogin& login) {
        login.show();
        login.txtPassword->setText(u"Secret"_s);
        QTest::keyClick(login.txtPassword, Qt::Key_Return);
    });
    p->onModal<Passedit>([](Passedit& editor) {
        editor.show();
        editor.Text1[0]->setText(u"Shop"_s);
        editor.Text1[1]->setText(u"sh0p"_s);
        QTest::keyClick(editor.Text1[1], Qt::Key_Return);
        EXPECT_EQ(editor.result(), QDialog::Rejected) << "Enter in a box saved";
        QTest::keyClick(editor.Command1[0], Qt::Key_Enter, Qt::KeypadModifier);
    });
    p->onModal<Ancillary>([](Ancillary& window) {
        window.show();
        QTest::keyClick(window.Command1[3], Qt::Key_Return);
        EXPECT_FALSE(window.isVisible());
    });
    for (const int command : {0, 5, 4})
        QTest::keyClick(main->Command1[size_t(command)], Qt::Key_Return);
    select(u"Bank"_s);
    QTest::keyClick(main->Command1[7], Qt::Key_Return);
    QTest::keyClick(main->Command1[3], Qt::Key_Return, Qt::ControlModifier); // not a plain Enter
    EXPECT_EQ(p->modalShown, (std::vector<QString>{u"frmLogin"_s, u"Passedit"_s, u"Ancillary"_s}));
    EXPECT_EQ(names(), (QStringList{u"Bank"_s, u"Password Corvalen"_s, u"Shop"_s}));
    EXPECT_EQ(p->helpCalls, std::vector<int>{HELP_CONTEXT});
    EXPECT_EQ(p->clipboardText, u"me"_s);
}

TEST_F(KeyboardTest, LettersTypedTogetherFindTheNameAndTheSameLetterAgainGoesOnToTheNextEntry)
{
    start({u"Bank|1|"_s, u"Bar|2|"_s, u"Bike|3|"_s, u"Club|4|"_s, u"élan|5|"_s});
    // Keys typed ("." a pause long enough to start a new search), then the entry selected after each key.
    const std::pair<const char*, const char*> rows[] = {
        {"bbbb", "Bank;Bar;Bike;Bank"},
        {"bar", "Bank;Bank;Bar"},
        {"bB.b", "Bank;Bar;Bank"},
        {"bxb", "Bank;Bank;Bank"},
        {"cc", "Club;Club"},
        {"bc", "Bank;Club"},
        {"ee", "élan;élan"},
        {"ze", "Bank;élan"},
    };
    for (const auto& [keys, expected] : rows) {
        main->List1->setListIndex(0);
        Texts selected;
        bool pause = true;
        for (const char key : QByteArray(keys)) {
            if (key == '.') {
                pause = true;
                continue;
            }
            QApplication::setKeyboardInputInterval(pause ? 0 : 60000);
            QTest::qSleep(pause ? 2 : 0);
            QTest::keyClick(main->List1, key);
            selected.push_back(selectedName());
            pause = false;
        }
        EXPECT_EQ(joined(selected), QString::fromUtf8(expected)) << keys;
    }
}

TEST_F(KeyboardTest, TheFocusShowsOnTheListWithNothingSelectedAndOnACheckBoxAndHoverShowsAWholeName)
{
    const QString name = u"Bank of the Federated Mountain Cantons, savings account"_s;
    start({name + u"|s3cret|me"_s});
    main->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(main.get()));
    main->List1->setListIndex(-1);
    const QColor highlight = main->List1->palette().color(QPalette::Highlight);
    const auto edge = [this] { return main->List1->grab().toImage().pixelColor(0, main->List1->height() / 2); };
    main->Command1[0]->setFocus();
    const QColor unfocused = edge();
    main->List1->setFocus();
    EXPECT_EQ(std::pair(unfocused == highlight, edge() == highlight), std::pair(false, true));

    Ops options(*main);
    options.setModal(true);
    options.show();
    ASSERT_TRUE(QTest::qWaitFor([&options] { return QApplication::activeWindow() == &options; }));
    options.Check2->setFocus();
    const QImage plain = options.Check1->grab().toImage();
    options.Check1->setFocus();
    EXPECT_NE(options.Check1->grab().toImage(), plain) << "no focus frame on a check box";
    options.close();

    const QRect row = main->List1->visualRect(main->List1->entries().index(0));
    QHelpEvent hover(QEvent::ToolTip, row.center(), main->List1->viewport()->mapToGlobal(row.center()));
    QApplication::sendEvent(main->List1->viewport(), &hover);
    EXPECT_EQ(QToolTip::text(), name);
}

} // namespace
