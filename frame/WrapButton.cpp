#include "frame/WrapButton.h"

#include "frame/Twips.h"

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
