#include "frame/QtSession.h"

#include "frame/ClipboardKeeper.h"

#include <QApplication>
#include <QEventLoop>

#include <cstdio>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <unistd.h>

void QtSession::End()
{
    fflush(nullptr);
    ::_exit(0);
}

void QtSession::Quit()
{
    if (m_beforeQuit)
        m_beforeQuit();
    // What the program put on the clipboard stays there for a while after its windows have closed.
    ClipboardKeeper::instance().QuitWhenReleased();
}

void QtSession::DoEvents()
{
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void QtSession::SetBusyPointer(bool busy)
{
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        while (QApplication::overrideCursor())
            QApplication::restoreOverrideCursor();
}

void QtSession::ForbidCoreDumps()
{
    const rlimit none{0, 0};
    ::setrlimit(RLIMIT_CORE, &none);
    ::prctl(PR_SET_DUMPABLE, 0, 0, 0, 0);
}
