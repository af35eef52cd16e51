#include "frame/QtSession.h"

#include "frame/ClipboardKeeper.h"

#include <QApplication>
#include <QEventLoop>

#include <cstdio>
#include <unistd.h>

void QtSession::End()
{
    fflush(nullptr);
    ::_exit(0);
}

void QtSession::Quit()
{
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
