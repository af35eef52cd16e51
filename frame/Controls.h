#pragma once

#include <QLabel>
#include <QPushButton>
#include <QString>
#include <QVariant>

class QWidget;

// A control's Tag, the text that steers the hand cursor (see SetPointer).
inline void SetTag(QWidget* control, const QString& tag)
{
    control->setProperty("Tag", tag);
}
inline QString Tag(const QWidget* control)
{
    return control->property("Tag").toString();
}

// A picture box: a control that shows a picture, scaled to its inner size.
class PictureBox : public QLabel
{
    Q_OBJECT

public:
    using QLabel::QLabel;
};

// A push button whose caption wraps onto several lines when the button is narrower than the text.
class WrapButton : public QPushButton
{
    Q_OBJECT

public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent* event) override;
};
