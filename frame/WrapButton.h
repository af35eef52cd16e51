#pragma once

#include <QPushButton>

#include <functional>

// A push button whose caption wraps onto several lines when the button is narrower than the text.
class WrapButton : public QPushButton
{
    Q_OBJECT

public:
    using QPushButton::QPushButton;

    // Where a window's command button goes (in twips) and its caption; index is its place in the
    // window's Command1.
    struct Spec
    {
        int index;
        const char* caption;
        int left, top, width, height;
    };
    // Makes the buttons in the order given, which is also their tab order. None is a default button, so Enter
    // pressed elsewhere never runs a command; each calls click with its index.
    static void MakeButtons(QWidget& window, const Spec* specs, size_t count, QPushButton** command1,
                            const std::function<void(int)>& click);

    // The font the caption is painted in: the largest size, down to 6 points, at which the caption of every
    // wrapping button of the window fits, so that the buttons of one window share one size.
    QFont captionFont() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    static constexpr int kCaptionFlags = Qt::AlignCenter | Qt::TextWordWrap | Qt::TextShowMnemonic;
    QRect captionArea() const;
    bool fitsIn(const QFont& font) const;
};
