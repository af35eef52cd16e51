#include "frame/Controls.h"

#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

void WrapButton::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const QString caption = option.text;
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);
    const QRect area = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    constexpr int kFlags = Qt::AlignCenter | Qt::TextWordWrap | Qt::TextShowMnemonic;
    // The buttons were laid out for a smaller face: a caption that does not fit gets a smaller font.
    QFont fitted = font();
    while (fitted.pointSizeF() > 6.0 && !area.contains(QFontMetrics(fitted).boundingRect(area, kFlags, caption)))
        fitted.setPointSizeF(fitted.pointSizeF() - 0.5);
    painter.setFont(fitted);
    painter.drawItemText(area, kFlags, option.palette, isEnabled(), caption, QPalette::ButtonText);
}
