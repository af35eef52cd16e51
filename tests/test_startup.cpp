#include "support/Fixtures.h"

#include "core/FileOps.h"
#include "frame/ListBox.h"
#include "frame/SHARED.h"
#include "frame/SMBASIC.h"
#include "frame/SMGLOBAL.h"
#include "ui/Mainform.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMap>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QTimer>

#include <sys/stat.h>

namespace {

const QString kMissingFilePrompt = QStringLiteral(
    "No Stored Password File Can Be Found.  Select Cancel to Terminate the program.  Select Yes to create a new, "
    "empty Password file.");
const QString kTooOld = QStringLiteral("This program requires Microsoft Windows '95 or later.");
const QString kHelpMissing = QStringLiteral("Corvalen.HLP cannot be found.");

// What the user saw, in order: message boxes and modal windows, with the state of the main window then.
struct Seen
{
    QString what;
    int flags = 0;
    QString title;
    bool windowVisible = false;
    int listed = -1;
    bool busy = false;
};

class StartupPlatform : public ScriptedPlatform
{
public:
    Mainform* window = nullptr;
    std::vector<Seen> seen;

    int MsgBox(const QString& prompt, int flags, const QString& title) override
    {
        note(prompt, flags, title);
        return ScriptedPlatform::MsgBox(prompt, flags, title);
    }
    void ShowModal(QDialog& dialog) override
    {
        note(QStringLiteral("window ") + QString::fromLatin1(dialog.metaObject()->className()), 0, QString());
        ScriptedPlatform::ShowModal(dialog);
    }

private:
    void note(const QString& what, int flags, const QString& title)
    {
        seen.push_back(
            {what, flags, title, window && window->isVisible(), window ? window->List1->ListCount() : -1, busyPointer});
    }
};

// Every file below a folder with its content, to show that nothing was written.
QMap<QString, QByteArray> snapshot(const QString& dir)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(dir, QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        files.insert(path, file.readAll() + QByteArray::number(QFileInfo(path).lastModified().toMSecsSinceEpoch()));
    }
    return files;
}

class StartupTest : public CorvalenTest
{
protected:
    void SetUp() override
    {
        CorvalenTest::SetUp();
        auto platform = std::make_unique<StartupPlatform>();
        sp = platform.get();
        p = std::move(platform);
        SetPlatform(p.get());
        // A help file in place keeps the start-up free of its missing-help message.
        QFile help(p->programFile(QStringLiteral("Corvalen.HLP")));
        ASSERT_TRUE(help.open(QIODevice::WriteOnly));
        help.write("help");
    }

    void removeHelpFile() { ASSERT_TRUE(QFile::remove(p->programFile(QStringLiteral("Corvalen.HLP")))); }

    void writeInstallerVersion()
    {
        QSettings store(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Brenhold"),
                        QStringLiteral("Password Corvalen"));
        store.setValue(QStringLiteral("CurrentVersion/MajorVersion"), QStringLiteral("1"));
        store.sync();
    }

    QString storeFile() const { return configDir->path() + QStringLiteral("/Brenhold/Password Corvalen.conf"); }

    // Starts the program as the platform does; true when the start-up ended it.
    bool start()
    {
        window = std::make_unique<Mainform>();
        sp->window = window.get();
        return Ends([this] { window->Form_Load(); });
    }

    StartupPlatform* sp = nullptr;
    std::unique_ptr<Mainform> window;
};

bool isOwnerOnlyEmptyHiddenFile(const QString& path)
{
    struct stat st;
    return QFileInfo(path).isFile() && QFileInfo(path).size() == 0 && FileOps::IsHidden(path) &&
           ::stat(QFile::encodeName(path).constData(), &st) == 0 && (st.st_mode & 0777) == 0600;
}

} // namespace

// --- First run and the missing password file

TEST_F(StartupTest, FirstRunCreatesAnEmptyHiddenFileWithoutAnyPromptAndKeepsAnExistingOne)
{
    ASSERT_FALSE(start());
    EXPECT_TRUE(isOwnerOnlyEmptyHiddenFile(passwordFile()));
    EXPECT_TRUE(sp->seen.empty());
    EXPECT_TRUE(gLoggedIn);
    EXPECT_TRUE(window->Timer1->isActive());

    writePlainFile({QStringLiteral("Mail|m41l|me"), QStringLiteral("Bank|b4nk|")});
    const QMap<QString, QByteArray> before = snapshot(p->programDirPath);
    ASSERT_FALSE(start());
    EXPECT_EQ(window->List1->ListCount(), 2);
    EXPECT_EQ(snapshot(p->programDirPath), before);
}

TEST_F(StartupTest, InstalledCopyWithoutFilePromptsOverTheVisibleEmptyWindow)
{
    writeInstallerVersion();
    p->answers = {2};
    EXPECT_TRUE(start());
    EXPECT_FALSE(QFileInfo::exists(passwordFile()));
    EXPECT_FALSE(window->Timer1->isActive());
    EXPECT_FALSE(window->Command1[0]->testAttribute(Qt::WA_SetCursor)) << "ended before the window was dressed";

    sp->seen.clear();
    p->answers = {1};
    ASSERT_FALSE(start());
    ASSERT_EQ(sp->seen.size(), 1u);
    EXPECT_EQ(sp->seen[0].what, kMissingFilePrompt);
    EXPECT_EQ(sp->seen[0].flags, 17);
    EXPECT_EQ(sp->seen[0].title, QStringLiteral("Password Corvalen"));
    EXPECT_TRUE(sp->seen[0].windowVisible);
    EXPECT_EQ(sp->seen[0].listed, 0);
    EXPECT_TRUE(isOwnerOnlyEmptyHiddenFile(passwordFile()));
}

// --- What the start-up sets up

TEST_F(StartupTest, SetsTheProgramWideFactsAndCentresTheWindow)
{
    ASSERT_FALSE(start());
    EXPECT_EQ(gVersionText, QStringLiteral(" Version 1.0.53"));
    EXPECT_EQ(gWindowsDir, p->windowsDirPath);
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const QRect frame = window->frameGeometry();
    EXPECT_EQ(frame.left(), screen.left() + (screen.width() - frame.width()) / 2);
    EXPECT_EQ(frame.top(), screen.top() + (screen.height() - frame.height()) / 2);
}

TEST_F(StartupTest, VersionCheckPassesFromVersion351)
{
    const struct
    {
        int major, minor, platformId;
        qint32 version;
        bool ends;
    } cases[] = {{3, 50, 1, 350, true}, {3, 51, 2, 351, false}, {6, 1, 0, 601, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.version);
        ResetGlobals();
        p->messages.clear();
        sp->seen.clear();
        p->os = {c.major, c.minor, c.platformId};
        EXPECT_EQ(start(), c.ends);
        EXPECT_EQ(gWindowsVersion, c.version);
        EXPECT_EQ(sp->seen.size(), c.ends ? 1u : 0u);
        if (c.ends) {
            EXPECT_EQ(sp->seen[0].what, kTooOld);
            EXPECT_EQ(sp->seen[0].flags, 64);
        }
    }
}

TEST_F(StartupTest, BooleanSettingsAreReadAsWordsOrNumbers)
{
    writePlainFile({QStringLiteral("Bank|b4nk|")});
    const struct
    {
        const char* designerMode;
        const char* terminateAfter;
        bool designer, terminate;
        size_t boxes;
    } cases[] = {
        {"0", "-1", false, true, 0},
        // A window style that is no Boolean keeps the default look, silently.
        {"Tiled", "True", true, true, 0},
        // An end-after-copy value that is no Boolean is an error of Main: logged, and the option stays off.
        {"False", "maybe", false, false, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.designerMode) + " / " + c.terminateAfter);
        RegDB_SetValue(QStringLiteral("DesignerMode"), QLatin1String(c.designerMode));
        RegDB_SetValue(QStringLiteral("TerminateAfter"), QLatin1String(c.terminateAfter));
        ResetGlobals();
        gDesignerMode = !c.designer;
        sp->seen.clear();
        ASSERT_FALSE(start());
        EXPECT_EQ(gDesignerMode, c.designer);
        EXPECT_EQ(gTerminateAfter, c.terminate);
        ASSERT_EQ(sp->seen.size(), c.boxes);
        EXPECT_EQ(window->List1->ListCount(), 1);
        if (c.boxes) {
            EXPECT_EQ(sp->seen[0].what, QStringLiteral("Error has Occurred: Type mismatch-13"));
            EXPECT_EQ(sp->seen[0].title, QStringLiteral("Error In Procedure:Main"));
        }
    }
    QFile log(p->programFile(QStringLiteral("errors.log")));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_TRUE(log.readAll().endsWith("|Error has Occurred: Type mismatch-13|Main| Version 1.0.53|601\"\r\n"));
}

TEST_F(StartupTest, GarbageSettingsFileStartsWithTheDefaultsAndAnUnreadableOneEnds)
{
    ASSERT_TRUE(QDir().mkpath(QFileInfo(storeFile()).path()));
    QFile store(storeFile());
    ASSERT_TRUE(store.open(QIODevice::WriteOnly));
    store.write(QByteArray("\xff\xfe\x01[Constants\nDesignerMode\n[[\n") + QByteArray(32, '\0'));
    store.close();
    ASSERT_FALSE(start());
    EXPECT_TRUE(gDesignerMode);
    EXPECT_TRUE(gTerminateAfter);
    EXPECT_TRUE(sp->seen.empty());
    ASSERT_TRUE(store.remove());

    ASSERT_TRUE(QDir().mkpath(storeFile())); // a folder in the file's place cannot be read
    writePlainFile({QStringLiteral("Bank|b4nk|")});
    const QMap<QString, QByteArray> before = snapshot(p->programDirPath);

    EXPECT_TRUE(start());
    ASSERT_FALSE(sp->seen.empty());
    EXPECT_EQ(sp->seen[0].title, QStringLiteral("Error In Procedure:RegDB_GetValueDesignerMode1|DesignerMode|True"));
    QMap<QString, QByteArray> after = snapshot(p->programDirPath);
    after.remove(p->programFile(QStringLiteral("errors.log")));
    EXPECT_EQ(after, before);
}

// --- The order of what the user sees

TEST_F(StartupTest, HourglassIsShownOnlyWhileTheHelpFileIsSoughtAndItsMessageComesFirst)
{
    removeHelpFile();
    writeInstallerVersion();
    p->answers = {1, 1};
    ASSERT_FALSE(start());
    ASSERT_EQ(sp->seen.size(), 2u);
    EXPECT_TRUE(sp->seen[0].what.startsWith(kHelpMissing));
    EXPECT_EQ(sp->seen[0].flags, 48);
    EXPECT_TRUE(sp->seen[0].busy);
    EXPECT_EQ(sp->seen[1].what, kMissingFilePrompt);
    EXPECT_FALSE(p->busyPointer);
    EXPECT_EQ(p->busyPointerChanges, 2);
}

TEST_F(StartupTest, UpgradeMessageThenLoginWindowBeforeAnyEntryIsListed)
{
    removeHelpFile();
    // A file of the earlier layout whose control record asks for the password at launch.
    writePlainFile({QStringLiteral("Bank|b4nk"), QStringLiteral("Password Corvalen|Secret2")});
    ASSERT_FALSE(start());

    ASSERT_EQ(sp->seen.size(), 3u);
    EXPECT_TRUE(sp->seen[0].what.startsWith(kHelpMissing));
    EXPECT_EQ(sp->seen[1].title, QStringLiteral("Upgrade Detected..."));
    EXPECT_EQ(sp->seen[2].what, QStringLiteral("window frmLogin"));
    for (const Seen& s : sp->seen) {
        EXPECT_TRUE(s.windowVisible) << qPrintable(s.what);
        EXPECT_EQ(s.listed, 0) << qPrintable(s.what);
    }
    // The login window closed without the password: the program runs on, locked, with its entries.
    EXPECT_FALSE(gLoggedIn);
    EXPECT_EQ(window->List1->ListCount(), 2);
    EXPECT_TRUE(window->Timer1->isActive());
}

// --- Shutdown

TEST_F(StartupTest, ClosingTheMainWindowOnlyClosesHelpAndWritesNothing)
{
    writePlainFile({QStringLiteral("Bank|b4nk|")});
    ASSERT_FALSE(start());
    const QMap<QString, QByteArray> programBefore = snapshot(p->programDirPath);
    const QMap<QString, QByteArray> settingsBefore = snapshot(configDir->path());
    gTerminateAfter = false;
    gDesignerMode = false;
    p->helpCalls.clear();

    window->close();

    ASSERT_EQ(p->helpCalls.size(), 1u);
    EXPECT_TRUE(p->helpCalls[0].file.isEmpty());
    EXPECT_EQ(p->helpCalls[0].command, HELP_QUIT);
    EXPECT_EQ(p->helpCalls[0].data, 0);
    EXPECT_TRUE(p->quitCalled);
    EXPECT_EQ(snapshot(p->programDirPath), programBefore);
    EXPECT_EQ(snapshot(configDir->path()), settingsBefore);
    EXPECT_FALSE(QFileInfo::exists(storeFile()));
}
