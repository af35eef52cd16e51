#include "Fixtures.h"

#include "core/Strings.h"
#include "frame/HelpWindow.h"
#include "frame/SHARED.h"

const QString kHelp = u"Corvalen.HLP"_s;
const QString kBreak = u"\r\n\r\n"_s;

// The two boxes of a logged error: the error under the procedure's name, then where the log went.
static Boxes loggedBoxes(const QString& error, const QString& procedure, int where = 144)
{
    const QString told = LoadResString(142) + LoadResString(where) + gDoubleBreak + LoadResString(145) + gDoubleBreak +
                         LoadResString(146) + gDoubleBreak + gContactText;
    return {Box(error, vbCritical, u"Error In Procedure:"_s + procedure), Box(told, vbOKOnly, QString())};
}

using StartupTest = CorvalenTest;

TEST_F(StartupTest, StartUpTellsOfAMissingHelpFileAndABadSetting)
{
    (main = std::make_unique<Mainform>())->Form_Load(); // no help file anywhere, and a first run
    EXPECT_EQ(gWindowsDir, p->windowsFolder.path());
    EXPECT_EQ(takeMessages(), Boxes{Box(LoadResString(147) + kBreak + LoadResString(148) + kBreak + kBreak +
                                            LoadResString(150) + kBreak + Messages::ContactText(),
                                        vbExclamation)});

    // A TerminateAfter that is no Boolean is an error of Main, and leaves the option as it was.
    setSetting(u"Constants/TerminateAfter"_s, u"maybe"_s);
    gTerminateAfter = false;
    launch();
    EXPECT_FALSE(gTerminateAfter);
    EXPECT_EQ(takeMessages(), loggedBoxes(u"Error has Occurred: Type mismatch-13"_s, u"Main"_s));
}

TEST_F(StartupTest, FirstRunCheckTheSettingsStoreAndTheErrorLog)
{
    writePlainFile({u"Bank|b4nk|"_s});
    RegDB_CheckVersion(); // a file already there is the user's, left as it is
    EXPECT_FALSE(QFileInfo::exists(p->programFile(u".hidden"_s)));
    ASSERT_TRUE(QFile::remove(passwordFile()));
    RegDB_CheckVersion(); // no installer information: a first run, which gets an empty hidden file
    EXPECT_EQ(BytesOf(passwordFile()) + BytesOf(p->programFile(u".hidden"_s)), QByteArray("Password.dat\n"));

    const auto designerMode = [] { return RegDB_GetValue(u"DesignerMode"_s, u"True"_s); };
    setSetting(u"Constants/DesignerMode"_s, u"False"_s); // a value the damaged file below must not leave
    WriteBytes(settingsFile(), QByteArray("\xff\xfe\x01[Constants\nDesignerMode\n[[\n") + QByteArray(32, '\0'));
    EXPECT_EQ(designerMode(), u"True"_s);
    // A folder where the file should be cannot be read, even by root.
    ASSERT_TRUE(QFile::remove(settingsFile()) && QDir().mkpath(settingsFile()));
    EXPECT_TRUE(Ends(designerMode));
    const QString error =
        u"Error has Occurred: Path/File access error (the settings file "_s + settingsFile() + u" cannot be read)-75"_s;
    EXPECT_EQ(takeMessages(), loggedBoxes(error, u"RegDB_GetValueDesignerMode1|DesignerMode|True"_s));
    EXPECT_TRUE(Ends([] { RegDB_SetValue(u"TerminateAfter"_s, u"False"_s); }));
    EXPECT_EQ(takeMessages().at(0).title, u"Error In Procedure:RegDB_SetValueFalse|TerminateAfter"_s);

    // The error log goes to the program folder, else to the windows folder, else the user is told it cannot.
    gWindowsDir = p->windowsFolder.path();
    gErrorText = u"Error has Occurred: Disk full-61"_s;
    WriteBytes(p->programFile(u"errors.log"_s), "\"earlier\"\r\n");
    WriteErrorLog(u"Main"_s);
    EXPECT_EQ(takeMessages(), loggedBoxes(gErrorText, u"Main"_s));
    const QByteArray log = BytesOf(p->programFile(u"errors.log"_s));
    EXPECT_TRUE(log.startsWith("\"earlier\"\r\n\"") && log.endsWith("|Main||0\"\r\n") && log.count('\n') == 2);

    ASSERT_TRUE(QFile::remove(p->programFile(u"errors.log"_s)) && QDir().mkpath(p->programFile(u"errors.log"_s)));
    WriteErrorLog(u"Main"_s);
    EXPECT_EQ(takeMessages(), loggedBoxes(gErrorText, u"Main"_s, 143));
    EXPECT_TRUE(BytesOf(gWindowsDir + u"/errors.log"_s).endsWith("|Main||0\"\r\n"));

    gWindowsDir.clear(); // an unknown windows folder, never the root folder
    WriteErrorLog(u"Main"_s);
    const QString cannot = LoadResString(139) + gDoubleBreak + LoadResString(140) + gDoubleBreak + LoadResString(141);
    EXPECT_EQ(takeMessages(), Boxes{Box(cannot, vbCritical)});
}

TEST_F(StartupTest, HelpFileIsSoughtInTheProgramFolderThenAlongPathAndShownByTheHelpWindow)
{
    QTemporaryDir dirs;
    ASSERT_TRUE(QDir().mkpath(dirs.filePath(u"d/"_s + kHelp)));
    ASSERT_TRUE(QDir().mkpath(dirs.filePath(u"rel"_s)));
    WriteBytes(dirs.filePath(kHelp), "x");
    WriteBytes(p->programFile(kHelp), "x");
    WriteBytes(dirs.filePath(u"rel/"_s + kHelp), "x");
    WriteBytes(p->programFile(u".hidden"_s), kHelp.toUtf8());
    // A hidden file does not count; relative entries, the empty one among them, name the folder the program was
    // started from and are passed over; a folder of the name is no help file, neither to the search nor to the
    // help window.
    const QString previous = QDir::currentPath();
    QDir::setCurrent(dirs.path());
    p->env[u"PATH"_s] = u":.:rel:%1/none:%1/d"_s.arg(dirs.path());
    EXPECT_FALSE(Help_File_In_Path() || HelpWindow::ShowTopic(dirs.filePath(u"d/"_s + kHelp), kHelpContentsTopic));
    QDir::setCurrent(previous);
    // Any letter case will do along the path, and the program's folder comes first.
    WriteBytes(dirs.filePath(u"d/corvalen.hlp"_s), "x");
    EXPECT_EQ(Help_File_In_Path() ? gHelpFile : QString(), dirs.filePath(u"d/corvalen.hlp"_s));
    ASSERT_TRUE(QFile::remove(p->programFile(u".hidden"_s)));
    EXPECT_EQ(Help_File_In_Path() ? gHelpFile : QString(), p->programFile(kHelp));

    ASSERT_TRUE(HelpWindow::ShowTopic(QStringLiteral(CORVALEN_GUIDE), 90));
    EXPECT_EQ(HelpWindow::current()->browser()->cursorForPosition(QPoint(4, 4)).block().text(), u"Program options"_s);
    HelpWindow::CloseHelp();
}
