#include "Fixtures.h"

#include "core/Messages.h"
#include "core/Strings.h"
#include "core/Version.h"
#include "frame/HelpWindow.h"
#include "frame/PictureBox.h"
#include "frame/Pictures.h"
#include "frame/SHARED.h"
#include "frame/SMBASIC.h"
#include "frame/SMGLOBAL.h"

#include <QTest>
#include <QtWidgets>

namespace {

const QString kHelp = QStringLiteral("Corvalen.HLP");

void put(const QString& path, const QByteArray& content = "x")
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
}

// The two boxes of a logged error: the error under the procedure's name, then where the log went.
std::vector<MsgBoxCall> loggedBoxes(const QString& error, const QString& procedure, int where = 144)
{
    const QString told = LoadResString(142) + LoadResString(where) + gDoubleBreak + LoadResString(145) + gDoubleBreak +
                         LoadResString(146) + gDoubleBreak + gContactText;
    return {Box(error, vbCritical, QStringLiteral("Error In Procedure:") + procedure), Box(told, vbOKOnly, QString())};
}

// Notes how many pointer changes preceded each message box.
struct BusyWatch : ScriptedPlatform
{
    std::vector<size_t> changesAtBox;
    int MsgBox(const QString& prompt, int flags, const QString& title) override
    {
        changesAtBox.push_back(busyPointer.size());
        return ScriptedPlatform::MsgBox(prompt, flags, title);
    }
};

using StartupTest = CorvalenTest;

TEST_F(StartupTest, StartUpSetsTheGlobalsWithTheHourglassOnlyForTheHelpSearchAndClosingWritesNothing)
{
    p = std::make_unique<BusyWatch>();
    p->install();
    writePlainFile({QStringLiteral("Bank|b4nk|")});
    main = std::make_unique<Mainform>(); // no help file anywhere
    main->Form_Load();
    EXPECT_EQ(gVersionText, QStringLiteral(" Version ") + VersionNumberText());
    EXPECT_EQ(gDoubleBreak, QStringLiteral("\r\n\r\n"));
    EXPECT_EQ(gContactText, Messages::ContactText());
    EXPECT_EQ(gWindowsDir, p->windowsFolder.path());
    EXPECT_EQ(gWindowsVersion, 601);
    EXPECT_TRUE(gDesignerMode && gTerminateAfter); // the settings are absent
    const QString missing = LoadResString(147) + gDoubleBreak + LoadResString(148) + gDoubleBreak + gDoubleBreak +
                            LoadResString(150) + gDoubleBreak + gContactText;
    EXPECT_EQ(takeMessages(), std::vector{Box(missing, vbExclamation)});
    EXPECT_EQ(static_cast<BusyWatch&>(*p).changesAtBox, std::vector<size_t>{1});
    EXPECT_EQ(p->busyPointer, (std::vector<bool>{true, false}));

    p->beforeWrite = [](const QString& path) { ADD_FAILURE() << "wrote " << path.toStdString(); };
    main->close();
    EXPECT_EQ(p->helpCalls, std::vector<int>{HELP_QUIT});
    EXPECT_TRUE(p->quitCalled);

    for (const auto& [minor, ends] : {std::pair{51, false}, std::pair{50, true}}) {
        p->os = {3, minor, 1};
        EXPECT_EQ(Ends([this] { launch(); }), ends) << minor;
        EXPECT_EQ(takeMessages(),
                  ends ? std::vector{Box(LoadResString(175), vbInformation)} : std::vector<MsgBoxCall>{});
    }
}

TEST_F(StartupTest, DesignerModeAndTerminateAfterSettings)
{
    writePlainFile({QStringLiteral("Bank|b4nk|")});
    // A DesignerMode that is no Boolean keeps the designer look, silently; a TerminateAfter that is no Boolean
    // is an error of Main, and the option stays off.
    const std::tuple<const char*, const char*, bool, bool, bool> cases[] = {{"False", "False", false, false, false},
                                                                            {"Tiled", "-1", true, true, false},
                                                                            {"0", "maybe", false, false, true}};
    for (const auto& [designerMode, terminateAfter, designer, terminate, logged] : cases) {
        setSetting(QStringLiteral("Constants/DesignerMode"), QLatin1String(designerMode));
        setSetting(QStringLiteral("Constants/TerminateAfter"), QLatin1String(terminateAfter));
        ResetGlobals();
        launch();
        EXPECT_EQ(std::pair(gDesignerMode, gTerminateAfter), std::pair(designer, terminate)) << terminateAfter;
        const QString mismatch = QStringLiteral("Error has Occurred: Type mismatch-13");
        EXPECT_EQ(takeMessages(), logged ? loggedBoxes(mismatch, QStringLiteral("Main")) : std::vector<MsgBoxCall>{});
    }
}

TEST_F(StartupTest, FirstRunCheckAndTheSettingsStore)
{
    const QString hiddenList = p->programFile(QStringLiteral(".hidden"));
    writePlainFile({QStringLiteral("Bank|b4nk|")});
    RegDB_CheckVersion();
    EXPECT_FALSE(QFileInfo::exists(hiddenList));
    ASSERT_TRUE(QFile::remove(passwordFile()));
    RegDB_CheckVersion(); // no installer information: a first run
    EXPECT_TRUE(QFileInfo(passwordFile()).isFile() && BytesOf(passwordFile()).isEmpty());
    EXPECT_EQ(BytesOf(hiddenList), QByteArray("Password.dat\n"));
    ASSERT_TRUE(QFile::remove(passwordFile()));
    setSetting(QStringLiteral("CurrentVersion/MajorVersion"), QStringLiteral("1"));
    RegDB_CheckVersion();
    EXPECT_FALSE(QFileInfo::exists(passwordFile()));

    const auto designerMode = [] { return RegDB_GetValue(QStringLiteral("DesignerMode"), QStringLiteral("True")); };
    RegDB_SetValue(QStringLiteral("DesignerMode"), QStringLiteral("False"));
    EXPECT_EQ(designerMode(), QStringLiteral("False"));
    EXPECT_EQ(setting(QStringLiteral("Constants/DesignerMode")), QStringLiteral("False"));
    put(settingsFile(), QByteArray("\xff\xfe\x01[Constants\nDesignerMode\n[[\n") + QByteArray(32, '\0'));
    EXPECT_EQ(designerMode(), QStringLiteral("True"));
    // A folder where the file should be cannot be read, even by root.
    ASSERT_TRUE(QFile::remove(settingsFile()) && QDir().mkpath(settingsFile()));
    EXPECT_TRUE(Ends(designerMode));
    const QString error = QStringLiteral("Error has Occurred: Path/File access error (the settings file ") +
                          settingsFile() + QStringLiteral(" cannot be read)-75");
    EXPECT_EQ(takeMessages(), loggedBoxes(error, QStringLiteral("RegDB_GetValueDesignerMode1|DesignerMode|True")));
    EXPECT_TRUE(Ends([] { RegDB_SetValue(QStringLiteral("TerminateAfter"), QStringLiteral("False")); }));
}

TEST_F(StartupTest, ErrorLogGoesToTheProgramFolderElseTheWindowsFolderElseOnlySaysItCannot)
{
    gWindowsDir = p->windowsFolder.path();
    gDoubleBreak = kCrLf + kCrLf;
    gErrorText = QStringLiteral("Error has Occurred: Disk full-61");
    const QString programLog = p->programFile(QStringLiteral("errors.log"));
    put(programLog, "\"earlier\"\r\n");
    WriteErrorLog(QStringLiteral("Main"));
    EXPECT_EQ(takeMessages(), loggedBoxes(gErrorText, QStringLiteral("Main")));
    const QByteArray log = BytesOf(programLog);
    EXPECT_TRUE(log.startsWith("\"earlier\"\r\n\"") && log.endsWith("|Main||0\"\r\n") && log.count('\n') == 2);

    ASSERT_TRUE(QFile::remove(programLog) && QDir().mkpath(programLog));
    WriteErrorLog(QStringLiteral("Main"));
    EXPECT_EQ(takeMessages(), loggedBoxes(gErrorText, QStringLiteral("Main"), 143));
    EXPECT_TRUE(BytesOf(gWindowsDir + QStringLiteral("/errors.log")).endsWith("|Main||0\"\r\n"));

    gWindowsDir.clear(); // an unknown windows folder, never the root folder
    WriteErrorLog(QStringLiteral("Main"));
    const QString cannot = LoadResString(139) + gDoubleBreak + LoadResString(140) + gDoubleBreak + LoadResString(141);
    EXPECT_EQ(takeMessages(), std::vector{Box(cannot, vbCritical)});
}

TEST_F(StartupTest, HelpFileIsSoughtInTheProgramFolderThenAlongPathAndShownByTheHelpWindow)
{
    QTemporaryDir dirs;
    const QString cased = dirs.filePath(QStringLiteral("cased"));
    ASSERT_TRUE(QDir().mkpath(cased) && QDir().mkpath(dirs.filePath(QStringLiteral("d/") + kHelp)));
    put(p->programFile(kHelp));
    put(p->programFile(QStringLiteral(".hidden")), kHelp.toUtf8());
    put(dirs.filePath(kHelp));
    put(cased + QStringLiteral("/corvalen.hlp"));
    // An empty entry is the root folder, not the current one; a folder of the name is no help file.
    const QString previous = QDir::currentPath();
    QDir::setCurrent(dirs.path());
    p->env[QStringLiteral("PATH")] = QStringLiteral(":%1/none:%1/d:%2/").arg(dirs.path(), cased);
    EXPECT_TRUE(Help_File_In_Path());
    QDir::setCurrent(previous);
    EXPECT_EQ(gHelpFile, cased + QStringLiteral("/corvalen.hlp"));
    ASSERT_TRUE(QFile::remove(p->programFile(QStringLiteral(".hidden"))));
    EXPECT_TRUE(Help_File_In_Path());
    EXPECT_EQ(gHelpFile, p->programFile(kHelp));
    ASSERT_TRUE(QFile::remove(p->programFile(kHelp)));
    p->env[QStringLiteral("PATH")] = dirs.filePath(QStringLiteral("d"));
    EXPECT_FALSE(Help_File_In_Path());

    EXPECT_FALSE(HelpWindow::ShowTopic(p->programDirPath, kHelpContentsTopic));
    for (const auto& [topic, heading] : {std::pair{90, "Program options"}, std::pair{10, "Password Corvalen"}}) {
        ASSERT_TRUE(HelpWindow::ShowTopic(QStringLiteral(CORVALEN_GUIDE), topic));
        const QTextBrowser& browser = *HelpWindow::current()->browser();
        EXPECT_EQ(browser.cursorForPosition(QPoint(4, 4)).block().text(), QLatin1String(heading));
    }
    QTest::keyClick(HelpWindow::current(), Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(HelpWindow::current(), nullptr);
}

TEST_F(StartupTest, HandCursorByKindAndExactTagAndTheBackgroundTiledOnlyInDesignerMode)
{
    QWidget w;
    const std::tuple<QWidget*, const char*, bool> cases[] = {
        {new QPushButton(&w), "", true},      {new QPushButton(&w), "NO", false},    {new QPushButton(&w), "no", true},
        {new QRadioButton(&w), "NO", true},   {new QCheckBox(&w), "", true},         {new QComboBox(&w), "", true},
        {new PictureBox(&w), "button", true}, {new PictureBox(&w), "BUTTON", false}, {new QLabel(&w), "FINGER", true},
        {new QLabel(&w), "finger", false},    {new QLineEdit(&w), "button", false}};
    for (const auto& [control, tag, hand] : cases)
        SetTag(control, QLatin1String(tag));
    SetPointer(w);
    for (const auto& [control, tag, hand] : cases)
        EXPECT_EQ(control->testAttribute(Qt::WA_SetCursor) && control->cursor().shape() == Qt::BitmapCursor, hand)
            << control->metaObject()->className() << " " << tag;

    // Off the buttons and the list, in the first row of tiles of the main window.
    Mainform form;
    const QImage tile = Picture(QStringLiteral("back.png")).toImage();
    const QPoint first(3, 45), second(tile.width() + 3, 45);
    EXPECT_EQ(form.grab().toImage().pixelColor(first), form.palette().color(QPalette::Window));
    gDesignerMode = true;
    const QImage shot = form.grab().toImage();
    EXPECT_EQ(shot.pixelColor(first), tile.pixelColor(first));
    EXPECT_EQ(shot.pixelColor(second), tile.pixelColor(first));
}

} // namespace
