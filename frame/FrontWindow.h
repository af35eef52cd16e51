#pragma once

#include <QByteArray>

class QWidget;

// Brings the running copy's window to the user when a later copy asks. Desktops keep programs from taking
// the focus on their own: on Wayland a window comes forward only with the activation token the desktop gave
// the later copy at launch, and on X11 the later copy's startup id carries the time of the user's launch,
// which tells the window manager that the request follows the user's own action.
class FrontWindow
{
public:
    // Restores the main window when minimized, then raises and activates the window in front: an open
    // modal dialog, else the main window. Either token may be empty; each platform uses its own.
    static void Show(QWidget& mainWindow, const QByteArray& activationToken, const QByteArray& startupId);

    // The user's launch time that an X11 startup id ends with ("..._TIME1234"); 0 when it carries none.
    static quint32 LaunchTime(const QByteArray& startupId);
};
