#pragma once

#include <QMargins>
#include <QObject>

class QWidget;

// Centres windows on the screen as the user sees them, frame included. The window manager frames a window
// only once it is shown: until then the frame of a window already on the screen stands in for its own, and
// the window is centred again as soon as its own frame is known.
class WindowCentre : public QObject
{
    Q_OBJECT

public:
    // left = (screen width - window width) \ 2, likewise top, the width and height those of the frame.
    static void Centre(QWidget& window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using QObject::QObject;
    static void place(QWidget& window);
    static bool frameKnown(const QWidget& window);
    static QMargins frameMargins(const QWidget& window);
};
