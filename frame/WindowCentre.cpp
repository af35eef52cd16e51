#include "frame/WindowCentre.h"

#include <QApplication>
#include <QScreen>
#include <QWidget>

void WindowCentre::Centre(QWidget& window)
{
    place(window);
    if (!frameKnown(window) && !window.findChild<WindowCentre*>(QString(), Qt::FindDirectChildrenOnly))
        window.installEventFilter(new WindowCentre(&window));
}

void WindowCentre::place(QWidget& window)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect s = screen->geometry();
    const QSize frame = window.size().grownBy(frameMargins(window));
    // A window's position is that of its frame's top-left corner, before and after it is shown.
    window.move(s.left() + (s.width() - frame.width()) / 2, s.top() + (s.height() - frame.height()) / 2);
}

bool WindowCentre::frameKnown(const QWidget& window)
{
    // Until the window manager has framed a window, Qt takes the frame to be the window itself.
    return window.isVisible() && window.frameGeometry() != window.geometry();
}

QMargins WindowCentre::frameMargins(const QWidget& window)
{
    const QWidget* framed = &window;
    if (!frameKnown(window)) {
        // The window manager frames the program's windows alike: one on the screen shows how.
        framed = nullptr;
        for (const QWidget* other : QApplication::topLevelWidgets()) {
            if (other != &window && frameKnown(*other))
                framed = other;
        }
    }
    if (!framed)
        return {};
    const QRect outer = framed->frameGeometry();
    const QRect inner = framed->geometry();
    return {inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
            outer.bottom() - inner.bottom()};
}

bool WindowCentre::eventFilter(QObject* watched, QEvent* event)
{
    auto* window = qobject_cast<QWidget*>(watched);
    const QEvent::Type type = event->type();
    const bool placed = type == QEvent::Show || type == QEvent::Move || type == QEvent::Resize;
    if (window && placed && frameKnown(*window)) {
        // Only once, so that a window the user moves later stays where it is put.
        window->removeEventFilter(this);
        deleteLater();
        place(*window);
    }
    return QObject::eventFilter(watched, event);
}
