#include "frame/KeyboardFilter.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>

void KeyboardFilter::Install()
{
    if (!qApp || qApp->findChild<KeyboardFilter*>(QString(), Qt::FindDirectChildrenOnly))
        return;
    qApp->installEventFilter(new KeyboardFilter(qApp));
}

bool KeyboardFilter::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        // Enter pressed in a box reaches a button only as its window's default one, and the windows that
        // change entries have none, so typing never runs a command; on the focused button, Enter is as good
        // as Space.
        auto* button = qobject_cast<QPushButton*>(watched);
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (button && enter && (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
            if (!key->isAutoRepeat())
                button->click();
            return true;
        }
    } else if (event->type() == QEvent::Show) {
        // Styles draw the focus frame only once the keyboard has moved the focus in a window; a window that
        // gets its focus from a click or from the program would otherwise hide where it is.
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget && widget->isWindow())
            widget->setAttribute(Qt::WA_KeyboardFocusChange);
    }
    return QObject::eventFilter(watched, event);
}
