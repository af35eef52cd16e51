#include "frame/WrapButton.h"

#include "frame/Twips.h"

#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

#include <algorithm>

void WrapButton::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const QString caption = option.text;
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);
    painter.setFont(captionFont());
    painter.drawItemText(captionArea(), kCaptionFlags, option.palette, isEnabled(), caption, QPalette::ButtonText);
}

QRect WrapButton::captionArea() const
{
    QStyleOptionButton option;
    initStyleOption(&option);
    return style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
}

bool WrapButton::fitsIn(const QFont& font) const
{
    const QRect area = captionArea();
    return area.contains(QFontMetrics(font).boundingRect(area, kCaptionFlags, text()));
}

QFont WrapButton::captionFont() const
{
    // The buttons were laid out for a smaller face: when a caption does not fit, every button of the window
    // gets the smaller font, as two sizes side by side look like a mistake. The windows this one opens are
    // its children too; their buttons go by their own window.
    const QWidget* own = window();
    const QList<WrapButton*> buttons = own->findChildren<WrapButton*>();
    const auto fits = [own, &buttons](const QFont& font) {
        return std::all_of(buttons.begin(), buttons.end(),
                           [&](const WrapButton* b) { return b->window() != own || b->fitsIn(font); });
    };
    QFont fitted = font();
    while (fitted.pointSizeF() > 6.0 && !fits(fitted))
        fitted.setPointSizeF(fitted.pointSizeF() - 0.5);
    return fitted;
}

void WrapButton::MakeButtons(QWidget& window, const Spec* specs, size_t count, QPushButton** command1,
                             const std::function<void(int)>& click)
{
    QPushButton* previous = nullptr;
    for (size_t i = 0; i < count; ++i) {
        const Spec& spec = specs[i];
        auto* button = new WrapButton(QString::fromLatin1(spec.caption), &window);
        button->setGeometry(TwipsRect(spec.left, spec.top, spec.width, spec.height));
        button->setAutoDefault(false);
        const int index = spec.index;
        QObject::connect(button, &QPushButton::clicked, &window, [click, index] { click(index); });
        command1[index] = button;
        if (previous)
            QWidget::setTabOrder(previous, button);
        previous = button;
    }
}
