#pragma once

#include <QLabel>

// A picture box: a control that shows a picture, scaled to its inner size.
class PictureBox : public QLabel
{
    Q_OBJECT

public:
    using QLabel::QLabel;
};
