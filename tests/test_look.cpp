// What a person sees: captions that show whole, one button size to a window, the list's selection against
// clicks beside it, the help key and help over a waiting window, the login box's asterisks.
#include "support/Fixtures.h"

#include "frame/HelpWindow.h"
#include "frame/WrapButton.h"
#include "ui/Ancillary.h"
#include "ui/Ops.h"
#include "ui/Passedit.h"
#include "ui/frmLogin.h"
#include "ui/import.h"

namespace {

using namespace Qt::StringLiterals;
using LookTest = CorvalenTest;

TEST_F(LookTest, EveryCaptionShowsWholeInTheFontItIsPaintedInAndOneButtonSizeAWindow)
{
    start({u"Bank|b4nk|me"_s});
    // Every window, each owned by the main window or the ancillary one.
    new Passedit(*main);
    new frmLogin(main.get(), main->Back, true);
    new Ops(*main);
    new ::import(*new Ancillary(*main), main->Back);
    // The size of the command buttons' captions by window; the main window's fit in its own font, whatever windows
    // it has open.
    std::map<QWidget*, qreal> buttonSize{{main.get(), main->font().pointSizeF()}};
    for (QWidget* control : main->findChildren<QWidget*>()) {
        const auto* label = qobject_cast<QLabel*>(control);
        const auto* wrapping = qobject_cast<WrapButton*>(control);
        const QFont font = wrapping ? wrapping->captionFont() : control->font();
        if (wrapping) {
            EXPECT_EQ(buttonSize.try_emplace(control->window(), font.pointSizeF()).first->second, font.pointSizeF());
        }
        if (!label && !control->inherits("QAbstractButton"))
            continue;
        // A label's or button's caption, in the font it is painted in, fits the room its style gives it.
        QStyleOptionButton option;
        option.initFrom(control);
        const auto element = control->inherits("QRadioButton") ? QStyle::SE_RadioButtonContents
                             : control->inherits("QCheckBox")  ? QStyle::SE_CheckBoxContents
                                                               : QStyle::SE_PushButtonContents;
        const QRect room = label ? label->contentsRect() : control->style()->subElementRect(element, &option, control);
        const int flags = Qt::TextShowMnemonic | (wrapping || (label && label->wordWrap()) ? Qt::TextWordWrap : 0);
        const QString caption = control->property("text").toString();
        EXPECT_TRUE(room.contains(QFontMetrics(font).boundingRect(room, flags, caption))) << caption.toStdString();
    }
}

TEST_F(LookTest, AClickBesideTheEntriesKeepsTheSelectionF1OpensUsableHelpAndTheLoginShowsAsterisks)
{
    start({u"Bank|b4nk|me"_s, u"Mail|m41l|"_s});
    ASSERT_TRUE(QTest::qWaitForWindowActive(main.get()));
    select(u"Mail"_s);
    QTest::mouseClick(main->List1->viewport(), Qt::LeftButton, {}, QPoint(5, main->List1->viewport()->height() - 5));
    EXPECT_EQ(selectedName(), u"Mail"_s);
    // The focus coming back to the list with nothing selected, as after a reload, makes no entry current.
    main->Command1[0]->setFocus();
    main->List1->setListIndex(-1);
    main->List1->setFocus();
    EXPECT_FALSE(main->List1->currentIndex().isValid());

    InstallHelpKey();
    frmLogin login(main.get(), main->Back, true);
    login.setModal(true);
    login.show();
    ASSERT_TRUE(QTest::qWaitFor([&login] { return QApplication::activeWindow() == &login; }));
    QTest::keyClick(&login, Qt::Key_F1);
    // Help over a window that waits for an answer can be used, and left, while the window waits.
    ASSERT_TRUE(HelpWindow::ShowTopic(p->programFile(u"Corvalen.HLP"_s), kHelpContentsTopic));
    QTest::keyClick(HelpWindow::current()->windowHandle(), Qt::Key_Escape);
    QTest::keyClicks(login.txtPassword, u"abc"_s);
    EXPECT_EQ(std::tuple(p->helpCalls, QTest::qWaitFor([] { return !HelpWindow::current(); }),
                         login.txtPassword->displayText()),
              std::tuple(std::vector<int>{HELP_CONTEXT}, true, u"***"_s));
}

} // namespace
