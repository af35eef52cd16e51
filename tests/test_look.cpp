// What a person sees: captions that show whole and one button size to a window, at any scale.
#include "support/Fixtures.h"

#include "frame/WrapButton.h"
#include "ui/Ancillary.h"
#include "ui/Ops.h"
#include "ui/Passedit.h"
#include "ui/frmLogin.h"
#include "ui/import.h"

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
