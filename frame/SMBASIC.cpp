#include "frame/SMBASIC.h"

#include "core/ErrorLogRecord.h"
#include "core/FileOps.h"
#include "core/RunError.h"
#include "core/SearchPath.h"
#include "core/Strings.h"
#include "frame/PictureBox.h"
#include "frame/Pictures.h"
#include "frame/Platform.h"
#include "frame/SHARED.h"
#include "frame/SMGLOBAL.h"
#include "frame/Twips.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QWindow>

namespace {

// The oldest system the program accepts: version 3.51.
constexpr qint32 kMinimumWindowsVersion = 351;

const QString kLogName = QStringLiteral("errors.log");
const QString kHelpName = QStringLiteral("Corvalen.HLP");

// The tags that steer the hand, compared exactly: "no" is not "NO".
const QString kTagNoHand = QStringLiteral("NO");
const QString kTagPictureButton = QStringLiteral("button");
const QString kTagFinger = QStringLiteral("FINGER");

// Opens the log in a folder for appending; false when the folder cannot take it. An empty folder name
// is no folder at all: it must never turn into the root folder.
bool openLog(QFile& file, const QString& dir)
{
    if (dir.isEmpty())
        return false;
    file.setFileName(FileOps::ResolveName(dir, kLogName));
    return file.open(QIODevice::WriteOnly | QIODevice::Append);
}

ErrorLogRecord currentRecord(const QString& name)
{
    ErrorLogRecord record;
    record.platformId = gPlatformId;
    record.when = environment().now();
    record.errorText = gErrorText;
    record.procedureName = name;
    record.versionText = gVersionText;
    record.windowsVersion = gWindowsVersion;
    return record;
}

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

void Main()
{
    const QString procName = QStringLiteral("Main");

    if (gWindowsVersion < kMinimumWindowsVersion) {
        dialogs().MsgBox(LoadResString(175), vbInformation, kAppTitle);
        session().End();
    }

    ResumeNext(procName, [] { session().SetBusyPointer(true); });
    ResumeNext(procName, [] {
        if (!Help_File_In_Path())
            Help_File_Missing();
    });
    ResumeNext(procName, [] { session().SetBusyPointer(false); });
    // A text that is no Boolean fails here and leaves gTerminateAfter as it was.
    ResumeNext(procName, [] {
        gTerminateAfter = CBoolOrRaise(RegDB_GetValue(QStringLiteral("TerminateAfter"), QStringLiteral("True")));
    });
}

qint32 GetWindowsVersion()
{
    // Linux has no Windows version: the kernel's major x 100 + minor stands for it (6.1 gives 601), so
    // every system Qt 6 runs on, all with kernels from 4.x on, passes the check for 351. The platform id
    // reported is 0, for which the error log's marker reads "?".
    const OsVersion v = environment().osVersion();
    gPlatformId = v.platformId;
    return v.major * 100 + v.minor;
}

void WriteErrorLog(const QString& name)
{
    const auto showError = [&name] {
        dialogs().MsgBox(gErrorText, vbCritical, QStringLiteral("Error In Procedure:") + name);
    };
    const auto showLogFailed = [] {
        dialogs().MsgBox(LoadResString(139) + gDoubleBreak + LoadResString(140) + gDoubleBreak + LoadResString(141),
                         vbCritical, kAppTitle);
    };
    QFile file;
    bool inWindowsDir = false;
    if (!openLog(file, environment().programDir())) {
        inWindowsDir = true;
        if (!openLog(file, gWindowsDir)) {
            showLogFailed();
            return;
        }
    }

    // A log that opens but cannot take the record (a full disk) must not hide the error: the user is told of
    // both.
    const QByteArray line = currentRecord(name).line();
    bool written = file.write(line) == line.size() && file.flush();
    file.close();
    written = written && file.error() == QFileDevice::NoError;
    showError();
    if (!written) {
        showLogFailed();
        return;
    }
    dialogs().MsgBox(LoadResString(142) + LoadResString(inWindowsDir ? 143 : 144) + gDoubleBreak + LoadResString(145) +
                         gDoubleBreak + LoadResString(146) + gDoubleBreak + gContactText,
                     vbOKOnly);
}

void LogError(const RunError& error, const QString& name)
{
    gErrorText = ErrorText(error);
    WriteErrorLog(name);
}

void ResumeNext(const QString& name, const std::function<void()>& statement,
                const std::function<bool(int)>& endsProgram)
{
    try {
        statement();
    } catch (const RunError& error) {
        LogError(error, name);
        if (endsProgram && endsProgram(error.number()))
            session().End();
    }
}

QString SetPointerLogName(const QWidget& window, const QWidget& control, int index)
{
    return QStringLiteral("SetPointer") + nameOf(window) + QString::number(PixelsToTwips(control.y())) +
           QLatin1Char('|') + QString::number(PixelsToTwips(control.x())) + QLatin1Char('|') + QString::number(index) +
           nameOf(control);
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
            session().End();
        }
    }
}

bool Help_File_In_Path()
{
    QString found = helpFileIn(withSeparator(environment().programDir()));
    const QStringList folders = SearchPath::AbsoluteFolders(environment().variable(QStringLiteral("PATH")));
    for (qsizetype i = 0; found.isEmpty() && i < folders.size(); ++i)
        found = helpFileIn(withSeparator(folders.at(i)));
    if (found.isEmpty())
        return false;
    gHelpFile = found;
    return true;
}

void Help_File_Missing()
{
    dialogs().MsgBox(LoadResString(147) + gDoubleBreak + LoadResString(148) + gDoubleBreak + gDoubleBreak +
                         LoadResString(150) + gDoubleBreak + gContactText,
                     vbExclamation, kAppTitle);
}

void ShowHelpContents()
{
    // A help file that cannot be read gets the same message as at start-up, instead of no answer at all.
    if (!devices().WinHelp(gHelpFile, HELP_CONTEXT, kHelpContentsTopic))
        Help_File_Missing();
}

void InstallHelpKey()
{
    static const bool installed = [] {
        // A window gets the key the first time it comes to the front; the key then lives with the window.
        QObject::connect(qApp, &QGuiApplication::focusWindowChanged, qApp, [] {
            const QString name = QStringLiteral("HelpKey");
            QWidget* window = QApplication::activeWindow();
            if (!window || window->findChild<QShortcut*>(name, Qt::FindDirectChildrenOnly))
                return;
            auto* key = new QShortcut(QKeySequence(Qt::Key_F1), window);
            key->setObjectName(name);
            QObject::connect(key, &QShortcut::activated, key, &ShowHelpContents);
        });
        return true;
    }();
    Q_UNUSED(installed);
}
