#include "frame/SMBASIC.h"

#include "core/FileOps.h"
#include "core/RunError.h"
#include "core/Strings.h"
#include "frame/Controls.h"
#include "frame/Pictures.h"
#include "frame/Platform.h"
#include "frame/SMGLOBAL.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

namespace {

const QString kHelpName = QStringLiteral("Corvalen.HLP");

// The tags that steer the hand, compared exactly: "no" is not "NO".
const QString kTagNoHand = QStringLiteral("NO");
const QString kTagPictureButton = QStringLiteral("button");
const QString kTagFinger = QStringLiteral("FINGER");

bool wantsHand(const QWidget& control)
{
    // A picture box is a label underneath, so it is told apart first.
    if (qobject_cast<const PictureBox*>(&control))
        return Tag(&control) == kTagPictureButton;
    if (qobject_cast<const QPushButton*>(&control))
        return Tag(&control) != kTagNoHand;
    if (qobject_cast<const QRadioButton*>(&control) || qobject_cast<const QCheckBox*>(&control) ||
        qobject_cast<const QComboBox*>(&control))
        return true;
    if (qobject_cast<const QLabel*>(&control))
        return Tag(&control) == kTagFinger;
    return false;
}

QString nameOf(const QObject& object)
{
    return object.objectName().isEmpty() ? QString::fromLatin1(object.metaObject()->className()) : object.objectName();
}

// Positions in the log read in twips, the unit the windows are laid out in.
int toTwips(int pixels)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInchX() : 96.0;
    return qRound(pixels * 1440.0 / dpi);
}

QString withSeparator(const QString& dir)
{
    return dir.endsWith(QLatin1Char('/')) ? dir : dir + QLatin1Char('/');
}

// An ordinary, visible, readable file: a hidden one, a folder or a device does not count.
bool isHelpFile(const QString& path)
{
    const QFileInfo info(path);
    return info.isFile() && info.isReadable() && !FileOps::IsHidden(path);
}

// The help file in a folder (which ends with "/"): Corvalen.HLP in any letter case, as file names ignored
// case where the program comes from; the exact name is tried first. Empty when there is none or the
// folder cannot be read.
QString helpFileIn(const QString& dir)
{
    const QString exact = dir + kHelpName;
    if (isHelpFile(exact))
        return exact;
    const QStringList entries = QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    for (const QString& entry : entries) {
        if (entry != kHelpName && entry.compare(kHelpName, Qt::CaseInsensitive) == 0 && isHelpFile(dir + entry))
            return dir + entry;
    }
    return QString();
}

} // namespace

QString SetPointerLogName(const QWidget& window, const QWidget& control, int index)
{
    return QStringLiteral("SetPointer") + nameOf(window) + QString::number(toTwips(control.y())) + QLatin1Char('|') +
           QString::number(toTwips(control.x())) + QLatin1Char('|') + QString::number(index) + nameOf(control);
}

void SetPointer(QWidget& window)
{
    // Every control of the window, those inside frames included, in the order they were made.
    const QList<QWidget*> controls = window.findChildren<QWidget*>();
    for (int index = 0; index < controls.size(); ++index) {
        QWidget& control = *controls.at(index);
        try {
            if (wantsHand(control))
                control.setCursor(HandCursor());
        } catch (const RunError& error) {
            LogError(error, SetPointerLogName(window, control, index));
            platform().End();
        }
    }
}

bool Help_File_In_Path()
{
    QString found = helpFileIn(withSeparator(platform().programDir()));
    QString searchPath = platform().environment(QStringLiteral("PATH"));
    if (found.isEmpty() && !searchPath.isEmpty()) {
        if (!searchPath.endsWith(QLatin1Char(':')))
            searchPath += QLatin1Char(':');
        qsizetype colon = searchPath.indexOf(QLatin1Char(':'));
        while (found.isEmpty() && colon >= 0) {
            // An empty entry is tested as the root folder.
            const QString entry = searchPath.left(colon);
            found = helpFileIn(withSeparator(entry.isEmpty() ? QStringLiteral("/") : entry));
            searchPath.remove(0, colon + 1);
            colon = searchPath.indexOf(QLatin1Char(':'));
        }
    }
    if (found.isEmpty())
        return false;
    gHelpFile = found;
    return true;
}

void Help_File_Missing()
{
    platform().MsgBox(LoadResString(147) + gDoubleBreak + LoadResString(148) + gDoubleBreak + gDoubleBreak +
                          LoadResString(150) + gDoubleBreak + gContactText,
                      vbExclamation, kAppTitle);
}
