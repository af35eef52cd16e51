#include "frame/QtDevices.h"

#include "core/FileWriter.h"
#include "frame/ClipboardKeeper.h"
#include "frame/HelpWindow.h"

#include <QFileInfo>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStorageInfo>

#include <algorithm>

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

FileWriter& QtDevices::writer()
{
    static FileWriter files;
    return files;
}

QStringList QtDevices::removableMedia() const
{
    const QString user = qEnvironmentVariable("USER");
    if (user.isEmpty())
        return {};
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
    return found;
}

std::unique_ptr<QPrinter> QtDevices::DefaultPrinter()
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        return nullptr;
    return std::make_unique<QPrinter>(info, QPrinter::HighResolution);
}

void QtDevices::ClipboardClear()
{
    ClipboardKeeper::instance().Clear();
}

void QtDevices::ClipboardSetText(const QString& text, bool secret)
{
    ClipboardKeeper::instance().SetText(text, secret);
}

bool QtDevices::WinHelp(const QString& helpFile, int command, int data)
{
    // The help engine is the program's own help window.
    if (command == HELP_QUIT) {
        HelpWindow::CloseHelp();
        return true;
    }
    return command == HELP_CONTEXT && HelpWindow::ShowTopic(helpFile, data);
}
