// The keyboard, the mouse and the focus: Enter on a button, help over a waiting window, typing in the list,
// where the focus shows, clicks beside the entries and the whole name of an entry under the pointer.
#include "support/Fixtures.h"
#include "support/Texts.h"

#include "frame/HelpWindow.h"
#include "ui/Ops.h"
#include "ui/Passedit.h"
#include "ui/frmLogin.h"

using KeyboardTest = CorvalenTest;

TEST_F(KeyboardTest,
       EnterPressesTheFocusedButtonInABoxOnlyTheLoginsDefaultACheckBoxShowsItsFocusAndHelpServesAWaitingWindow)
{
    start({u"Bank|b4nk|me"_s, u"Password Corvalen|Secret1| "_s});
    p->onModal<frmLogin>([](frmLogin& login) {
        login.show();
        QTest::keyClicks(login.txtPassword, u"Secret"_s);
        EXPECT_EQ(login.txtPassword->displayText(), u"******"_s);
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
    QTest::keyClick(main->Command1[0], Qt::Key_Return);
    EXPECT_EQ(names(), (QStringList{u"Bank"_s, u"Password Corvalen"_s, u"Shop"_s}));

    // The focus given by the program, not by a key, shows all the same.
    InstallHelpKey();
    Ops options(*main);
    options.setModal(true);
    options.show();
    ASSERT_TRUE(QTest::qWaitFor([&options] { return QApplication::activeWindow() == &options; }));
    const QImage plain = options.Check1->grab().toImage();
    options.Check1->setFocus();
    EXPECT_NE(options.Check1->grab().toImage(), plain);
    // Help over a window that waits for an answer can be used, and left, while the window waits.
    QTest::keyClick(&options, Qt::Key_F1);
    ASSERT_TRUE(HelpWindow::ShowTopic(p->programFile(u"Corvalen.HLP"_s), kHelpContentsTopic));
    QTest::keyClick(HelpWindow::current()->windowHandle(), Qt::Key_Escape);
    EXPECT_TRUE(QTest::qWaitFor([] { return !HelpWindow::current(); }));
    EXPECT_EQ(p->helpCalls, std::vector<int>{HELP_CONTEXT});
}

TEST_F(KeyboardTest, TypingFindsANameTheSameLetterGoesOnToTheNextTheFocusShowsAndHoverShowsTheWholeName)
{
    const QString name = u"Mountain Cantons Federated Bank, savings"_s;
    start({u"Bank|1|"_s, u"Bar|2|"_s, u"Bike|3|"_s, u"Club|4|"_s, u"élan|5|"_s, name + u"|s3cret|"_s});
    // Keys typed at once after a pause, and the entry selected after each.
    const std::pair<const char*, const char*> rows[] = {
        {"bbbb", "Bank;Bar;Bike;Bank"},
        {"bar", "Bank;Bank;Bar"},
        {"ee", "élan;élan"},
        {"bxb", "Bank;Bank;Bank"},
    };
    for (const auto& [keys, expected] : rows) {
        Texts selected;
        for (const char key : QByteArray(keys)) {
            QApplication::setKeyboardInputInterval(selected.empty() ? 0 : 60000);
            QTest::qSleep(selected.empty() ? 2 : 0);
            QTest::keyClick(main->List1, key);
            selected.push_back(selectedName());
        }
        EXPECT_EQ(joined(selected), QString::fromUtf8(expected)) << keys;
    }

    main->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(main.get()));
    select(u"Bar"_s);
    QTest::mouseClick(main->List1->viewport(), Qt::LeftButton, {}, QPoint(5, main->List1->viewport()->height() - 5));
    EXPECT_EQ(selectedName(), u"Bar"_s) << "a click beside the entries";
    // The focus coming back to the list with nothing selected, as after a reload, shows but makes no entry current.
    main->List1->setListIndex(-1);
    main->Command1[0]->setFocus();
    const QImage plain = main->List1->grab().toImage();
    main->List1->setFocus();
    EXPECT_NE(main->List1->grab().toImage(), plain) << "no focus shown on the list with nothing selected";
    EXPECT_FALSE(main->List1->currentIndex().isValid());
    const QRect row = main->List1->visualRect(main->List1->entries().index(5));
    QHelpEvent hover(QEvent::ToolTip, row.center(), main->List1->viewport()->mapToGlobal(row.center()));
    QApplication::sendEvent(main->List1->viewport(), &hover);
    EXPECT_EQ(QToolTip::text(), name);
}
