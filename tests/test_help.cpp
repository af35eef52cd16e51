#include "support/Fixtures.h"

#include "core/FileOps.h"
#include "frame/HelpWindow.h"
#include "frame/QtPlatform.h"
#include "frame/SMBASIC.h"
#include "frame/SMGLOBAL.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSet>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>

namespace {

const QString kHelp = QStringLiteral("Corvalen.HLP");

const QString k147 = QStringLiteral("Corvalen.HLP cannot be found.");
const QString k148 =
    QStringLiteral("The help file should be installed in the same directory as the application.  You may "
                   "need to reinstall the application if you wish to obtain help while running "
                   "Password Corvalen.");
const QString k150 = QStringLiteral("If you do not have the help file, you may contact:");

class HelpSearchTest : public CorvalenTest
{
protected:
    // A folder of its own for one PATH entry.
    QString folder(const QString& name)
    {
        const QString path = folders.path() + QLatin1Char('/') + name;
        QDir().mkpath(path);
        return path;
    }
    static void put(const QString& dir, const QString& name = kHelp)
    {
        QFile file(dir + QLatin1Char('/') + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("<html><body><h1>x</h1></body></html>");
    }
    void setPath(const QStringList& entries) { p->env.insert(QStringLiteral("PATH"), entries.join(QLatin1Char(':'))); }

    QTemporaryDir folders;
};

TEST_F(HelpSearchTest, ProgramFolderFirstThenThePathInOrderCountingOnlyVisibleFiles)
{
    const QString inPath = folder(QStringLiteral("bin"));
    put(inPath);
    put(p->programDirPath);
    setPath({inPath});
    EXPECT_TRUE(Help_File_In_Path());
    EXPECT_EQ(gHelpFile, p->programFile(kHelp));

    // Hidden in the program folder; then empty and missing entries, a folder of that name, a trailing
    // separator, and a visible file in another letter case beside a hidden one.
    FileOps::SetAttr(p->programFile(kHelp), FileOps::kAttrHidden);
    const QString folderNamed = folder(QStringLiteral("a"));
    QDir().mkpath(folderNamed + QLatin1Char('/') + kHelp);
    const QString cased = folder(QStringLiteral("case"));
    put(cased, QStringLiteral("CORVALEN.HLP"));
    put(cased, QStringLiteral("corvalen.hlp"));
    FileOps::SetAttr(cased + QStringLiteral("/CORVALEN.HLP"), FileOps::kAttrHidden);
    setPath({QString(), folders.filePath(QStringLiteral("missing")), folderNamed, cased + QLatin1Char('/'), inPath});
    EXPECT_TRUE(Help_File_In_Path());
    EXPECT_EQ(gHelpFile, cased + QStringLiteral("/corvalen.hlp"));

    gHelpFile.clear();
    setPath({folder(QStringLiteral("empty"))});
    EXPECT_FALSE(Help_File_In_Path());
    EXPECT_TRUE(gHelpFile.isEmpty());
    EXPECT_TRUE(p->messages.empty()) << "the search itself says nothing";
}

TEST_F(HelpSearchTest, StartUpWarnsWithTheMissingHelpMessageOnlyWhenItIsMissing)
{
    gWindowsVersion = 600;
    gDoubleBreak = kCrLf + kCrLf;
    gContactText = QStringLiteral("Brenhold Systems") + kCrLf + QStringLiteral("support@brenhold.example");
    Main();
    ASSERT_EQ(p->messages.size(), 1u);
    EXPECT_EQ(p->messages[0].prompt,
              k147 + gDoubleBreak + k148 + gDoubleBreak + gDoubleBreak + k150 + gDoubleBreak + gContactText);
    EXPECT_EQ(p->messages[0].flags, vbExclamation);
    EXPECT_EQ(p->messages[0].title, kAppTitle);

    put(p->programDirPath);
    Main();
    EXPECT_EQ(p->messages.size(), 1u);
}

// --- The help window and the program's guide

class HelpWindowTest : public CorvalenTest
{
protected:
    void SetUp() override
    {
        CorvalenTest::SetUp();
        guide = QStringLiteral(CORVALEN_GUIDE); // the guide as kept in the source tree
        ASSERT_TRUE(QFileInfo(guide).isFile()) << guide.toStdString();
    }
    void TearDown() override
    {
        HelpWindow::CloseHelp();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        CorvalenTest::TearDown();
    }
    // The text of the first line the reader sees.
    static QString topLine(HelpWindow& window)
    {
        QTextBrowser* browser = window.browser();
        return browser->cursorForPosition(QPoint(4, 4)).block().text();
    }
    HelpWindow* shown()
    {
        HelpWindow* window = HelpWindow::current();
        if (window) {
            EXPECT_TRUE(QTest::qWaitForWindowExposed(window));
        }
        return window;
    }

    QString guide;
};

TEST_F(HelpWindowTest, HelpOpensAtTheFirstTopicMovesInOneWindowAndQuitCloses)
{
    QtPlatform engine;
    engine.WinHelp(guide, HELP_CONTEXT, 10);
    QPointer<HelpWindow> window = shown();
    ASSERT_TRUE(window);
    EXPECT_EQ(topLine(*window), QStringLiteral("Password Corvalen"));
    engine.WinHelp(guide, HELP_CONTEXT, 140);
    EXPECT_EQ(shown(), window.data());
    EXPECT_EQ(topLine(*window), QStringLiteral("Where your files live"));

    engine.WinHelp(QString(), HELP_QUIT, 0);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isNull());
    engine.WinHelp(QString(), HELP_QUIT, 0); // again, with nothing open: harmless
    EXPECT_TRUE(p->messages.empty());

    gDoubleBreak = kCrLf + kCrLf;
    engine.WinHelp(QString(), HELP_CONTEXT, 10);
    EXPECT_EQ(HelpWindow::current(), nullptr);
    ASSERT_EQ(p->messages.size(), 1u);
    EXPECT_TRUE(p->messages[0].prompt.startsWith(k147)) << "no help file: the missing-help message";
}

TEST_F(HelpWindowTest, GuideIsSelfContainedAndEveryLinkHasItsTopic)
{
    QFile file(guide);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(file.readAll());
    const QRegularExpression anchor(QStringLiteral("<a name=\"(topic\\d+)\""));
    QStringList names;
    for (const QRegularExpressionMatch& m : anchor.globalMatch(html))
        names << m.captured(1);
    ASSERT_FALSE(names.isEmpty());
    EXPECT_EQ(names.first(), HelpWindow::anchorFor(10));
    EXPECT_EQ(QSet<QString>(names.begin(), names.end()).size(), names.size()) << "a topic number used twice";
    const QRegularExpression link(QStringLiteral("href=\"#([^\"]*)\""));
    for (const QRegularExpressionMatch& m : link.globalMatch(html))
        EXPECT_TRUE(names.contains(m.captured(1))) << m.captured(1).toStdString();
    // Nothing outside the file: no pictures, style sheets or scripts to go missing.
    for (const char* outside : {"src=", "<link", "<script", "href=\"http", "href=\"file"})
        EXPECT_FALSE(html.contains(QLatin1String(outside), Qt::CaseInsensitive)) << outside;
    // Every command the user can press is explained.
    for (const char* caption : {"Add New Password", "Delete Password", "Edit Password", "Ancillary Functions",
                                "Program Options", "Store User ID", "Store Password", "Generate Random Password",
                                "Print Password List", "Export Password File to Diskette",
                                "Import Password File from Diskette", "Overwrite Existing Password File",
                                "Merge Password Files", "When Launched", "Program Terminates After Selecting Password",
                                "Program has Designer Look", "Password.dat", "errors.log", "DiskDrive"})
        EXPECT_TRUE(html.contains(QLatin1String(caption))) << caption;
}

} // namespace
