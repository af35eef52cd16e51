#include "frame/FrontWindow.h"

#include <QApplication>
#include <QGuiApplication>
#include <QWidget>

#include <xcb/xcb.h>

#include <memory>

namespace {

// Asks the X11 window manager to activate the window as on the user's launch at that time; Qt asks with the
// time of the last event this program saw, which a window manager that prevents focus stealing refuses.
void activateOnX11(const QWidget& window, quint32 launchTime)
{
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || launchTime == 0)
        return;
    xcb_connection_t* connection = x11->connection();
    const char name[] = "_NET_ACTIVE_WINDOW";
    const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&free)> atom(
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, sizeof name - 1, name), nullptr), &free);
    if (!atom)
        return;
    xcb_client_message_event_t event{};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = xcb_window_t(window.winId());
    event.type = atom->atom;
    event.data.data32[0] = 1; // the request comes from an application
    event.data.data32[1] = launchTime;
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    xcb_send_event(connection, 0, root, XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&event));
    xcb_flush(connection);
}

} // namespace

void FrontWindow::Show(QWidget& mainWindow, const QByteArray& activationToken, const QByteArray& startupId)
{
    // Raising a minimized window alone would leave it on the task bar.
    if (mainWindow.isMinimized())
        mainWindow.setWindowState(mainWindow.windowState() & ~Qt::WindowMinimized);
    QWidget* front = QApplication::activeModalWidget() ? QApplication::activeModalWidget() : &mainWindow;
    front->raise();
    const QString platform = QGuiApplication::platformName();
    // Qt's Wayland plugin activates the window with this token once, then removes it.
    if (platform == QStringLiteral("wayland") && !activationToken.isEmpty())
        qputenv("XDG_ACTIVATION_TOKEN", activationToken);
    if (platform == QStringLiteral("xcb"))
        activateOnX11(*front, LaunchTime(startupId));
    // Also where no window manager runs, which leaves the focus to the program itself.
    front->activateWindow();
}

quint32 FrontWindow::LaunchTime(const QByteArray& startupId)
{
    const QByteArray marker("_TIME");
    const qsizetype at = startupId.lastIndexOf(marker);
    bool ok = false;
    const quint32 time = at < 0 ? 0 : startupId.mid(at + marker.size()).toUInt(&ok);
    return ok ? time : 0;
}
