#include "frame/QtPlatform.h"

#include "frame/ClipboardKeeper.h"
#include "frame/HelpWindow.h"
#include "frame/SHARED.h"
#include "frame/SMBASIC.h"
#include "frame/SMGLOBAL.h"

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QMessageBox>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QStorageInfo>

#include <algorithm>

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
    // What the program put on the clipboard stays there for a while after its windows have closed.
    ClipboardKeeper::instance().QuitWhenReleased();
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

namespace {

// Whether the block device behind a mount sits on a removable or hot-plugged bus (USB stick, SD card).
bool onRemovableDevice(const QByteArray& device)
{
    if (!device.startsWith("/dev/"))
        return false;
    const QString name = QFileInfo(QFile::decodeName(device)).canonicalFilePath().section(QLatin1Char('/'), -1);
    const QString sysPath = QFileInfo(QStringLiteral("/sys/class/block/") + name).canonicalFilePath();
    if (sysPath.isEmpty())
        return false;
    if (sysPath.contains(QLatin1String("/usb")) || sysPath.contains(QLatin1String("/mmc")))
        return true;
    // A partition's own folder has no "removable" flag; its disk's folder, one up, does.
    for (const QString& dir : {sysPath, QFileInfo(sysPath).path()}) {
        QFile flag(dir + QStringLiteral("/removable"));
        if (flag.open(QIODevice::ReadOnly))
            return flag.readAll().trimmed() == "1";
    }
    return false;
}

} // namespace

QString QtPlatform::removableMedium() const
{
    // A folder named in the settings takes the place of drive A: first; then the first removable volume
    // the desktop mounted for this user.
    const QString configured = RegDB_GetValue(QStringLiteral("DiskDrive"), QString());
    if (!configured.isEmpty())
        return configured;
    const QString user = qEnvironmentVariable("USER");
    if (user.isEmpty())
        return QString();
    const QStringList roots = {QStringLiteral("/media/") + user + QLatin1Char('/'),
                               QStringLiteral("/run/media/") + user + QLatin1Char('/')};
    QStringList found;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (!volume.isValid() || !volume.isReady())
            continue;
        const QString root = volume.rootPath();
        const bool underRoot =
            std::any_of(roots.begin(), roots.end(), [&](const QString& r) { return root.startsWith(r); });
        if (underRoot && onRemovableDevice(volume.device()))
            found << root;
    }
    found.sort();
    return found.isEmpty() ? QString() : found.first();
}

void QtPlatform::ClipboardClear()
{
    ClipboardKeeper::instance().Clear();
}

void QtPlatform::ClipboardSetText(const QString& text, bool secret)
{
    ClipboardKeeper::instance().SetText(text, secret);
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
