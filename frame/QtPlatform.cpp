#include "frame/QtPlatform.h"

#include "frame/HelpWindow.h"
#include "frame/SMBASIC.h"
#include "frame/SMGLOBAL.h"

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QDir>
#include <QEventLoop>
#include <QMessageBox>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRandomGenerator>
#include <QStandardPaths>

#include <sys/utsname.h>
#include <unistd.h>

int QtPlatform::MsgBox(const QString& prompt, int flags, const QString& title)
{
    QMessageBox box;
    box.setWindowTitle(title.isEmpty() ? kAppTitle : title);
    QString text = prompt;
    text.replace(kCrLf, QStringLiteral("\n"));
    box.setText(text);
    box.setTextFormat(Qt::PlainText);
    switch (flags & 0x70) {
    case vbCritical: box.setIcon(QMessageBox::Critical); break;
    case vbQuestion: box.setIcon(QMessageBox::Question); break;
    case vbExclamation: box.setIcon(QMessageBox::Warning); break;
    case vbInformation: box.setIcon(QMessageBox::Information); break;
    default: break;
    }
    if ((flags & 0x7) == vbOKCancel) {
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Ok);
        box.setEscapeButton(QMessageBox::Cancel);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    return box.exec() == QMessageBox::Ok ? vbOK : vbCancel;
}

void QtPlatform::ShowModal(QDialog& window)
{
    window.exec();
}

void QtPlatform::End()
{
    fflush(nullptr);
    ::_exit(0);
}

void QtPlatform::Quit()
{
    QCoreApplication::quit();
}

void QtPlatform::DoEvents()
{
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void QtPlatform::SetBusyPointer(bool busy)
{
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        while (QApplication::overrideCursor())
            QApplication::restoreOverrideCursor();
}

QString QtPlatform::programDir() const
{
    return QCoreApplication::applicationDirPath();
}

QByteArray QtPlatform::windowsDirectoryBuffer() const
{
    // The per-user data folder takes the place of the Windows directory; it must exist, as that one always does.
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    QDir().mkpath(dir);
    QByteArray buffer = QFile::encodeName(dir);
    if (buffer.size() < 255)
        buffer.append(255 - buffer.size(), '\0');
    return buffer;
}

QString QtPlatform::environment(const QString& name) const
{
    return qEnvironmentVariable(name.toLocal8Bit().constData());
}

OsVersion QtPlatform::osVersion() const
{
    OsVersion v;
    v.platformId = kPlatformIdLinux;
    struct utsname u;
    if (::uname(&u) == 0) {
        const QList<QByteArray> parts = QByteArray(u.release).split('.');
        if (!parts.isEmpty())
            v.major = parts.at(0).toInt();
        if (parts.size() > 1) {
            QByteArray minor = parts.at(1);
            int digits = 0;
            while (digits < minor.size() && std::isdigit(uchar(minor.at(digits))))
                ++digits;
            v.minor = minor.left(digits).toInt();
        }
    }
    return v;
}

QDateTime QtPlatform::now() const
{
    return QDateTime::currentDateTime();
}

QString QtPlatform::removableMedium() const
{
    return QString();
}

void QtPlatform::ClipboardClear()
{
    QGuiApplication::clipboard()->clear();
}

void QtPlatform::ClipboardSetText(const QString& text, bool /*secret*/)
{
    QGuiApplication::clipboard()->setText(text);
}

void QtPlatform::WinHelp(const QString& helpFile, int command, int data)
{
    // The help engine is the program's own help window. A help file that cannot be read gets the same
    // message as at start-up, instead of no answer at all.
    if (command == HELP_QUIT)
        HelpWindow::CloseHelp();
    else if (command == HELP_CONTEXT && !HelpWindow::ShowTopic(helpFile, data))
        Help_File_Missing();
}

std::unique_ptr<QPrinter> QtPlatform::DefaultPrinter()
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        return nullptr;
    return std::make_unique<QPrinter>(info, QPrinter::HighResolution);
}

double QtPlatform::Rnd()
{
    return QRandomGenerator::system()->generateDouble();
}
