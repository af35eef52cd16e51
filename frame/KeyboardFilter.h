#pragma once

#include <QObject>

// The keyboard as on every desktop, in every window of the program: Enter presses the push button that has
// the focus, and the control that has the focus always shows it.
class KeyboardFilter : public QObject
{
    Q_OBJECT

public:
    // Once for the application; later calls change nothing.
    static void Install();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using QObject::QObject;
};
