// The platform on Qt as the program meets it: message boxes, the pointer, the clipboard, help, a process that
// leaves no core file, and one running copy per password file: where the copies meet, what a later copy hands
// over or says, and how the running copy comes to the front.
#include "support/Fixtures.h"
#include "support/Texts.h"

#include "frame/ClipboardKeeper.h"
#include "frame/FrontWindow.h"
#include "frame/HelpBrowser.h"
#include "frame/HelpWindow.h"
#include "frame/QtDevices.h"
#include "frame/QtDialogs.h"
#include "frame/QtSession.h"
#include "frame/SecretLineEdit.h"
#include "frame/SingleInstance.h"

#include <QSignalSpy>
#include <QTest>
#include <QtWidgets>

#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/stat.h>

// Takes the links the program hands to the user's browser.
class Browser : public QObject
{
    Q_OBJECT

public:
    Q_INVOKABLE void open(const QUrl& url) { opened.push_back(url.toString()); }
    std::vector<QString> opened;
};

namespace {

using namespace Qt::StringLiterals;
using PlatformTest = CorvalenTest;
using M = QMessageBox;
using Boxes = std::vector<MsgBoxCall>;

TEST_F(PlatformTest, MessageBoxesShowTheirIconButtonsTitleAndTextAndAnswerTheButtonPressed)
{
    // Flags, the button pressed (Escape when none); the icon and the buttons shown and the answer.
    const std::tuple<int, M::StandardButton, M::Icon, M::StandardButtons, int> cases[] = {
        {vbOKOnly, M::Ok, M::NoIcon, M::Ok, vbOK},
        {vbOKCancel + vbCritical, M::Cancel, M::Critical, M::Ok | M::Cancel, vbCancel},
        {vbOKCancel + vbExclamation, M::NoButton, M::Warning, M::Ok | M::Cancel, vbCancel},
        {vbQuestion, M::Ok, M::Question, M::Ok, vbOK},
        {vbInformation, M::Ok, M::Information, M::Ok, vbOK},
    };
    for (const auto& [flags, press, icon, buttons, answer] : cases) {
        std::tuple<QString, M::Icon, M::StandardButtons, int> shown;
        QTimer::singleShot(0, [&, press = press] {
            auto* box = qobject_cast<M*>(QApplication::activeModalWidget());
            ASSERT_TRUE(box);
            shown = {box->windowTitle() + box->text(), box->icon(), box->standardButtons(), 0};
            press == M::NoButton ? box->reject() : box->button(press)->click();
        });
        std::get<int>(shown) = QtDialogs().MsgBox(u"One\r\nTwo"_s, flags, u"Error In Procedure:X"_s);
        EXPECT_EQ(shown, std::tuple(u"Error In Procedure:XOne\nTwo"_s, icon, buttons, answer)) << flags;
    }
}

TEST_F(PlatformTest, ThePointerTheClipboardTheFrontWindowAndNoCoreFile)
{
    QtSession session;
    session.SetBusyPointer(true);
    session.SetBusyPointer(true);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    session.SetBusyPointer(false);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    QtDevices devices;
    // What other programs see of a copy is tested on a real X server.
    devices.ClipboardSetText(u"s3cret"_s, true);
    devices.ClipboardClear();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QString());

    // The running copy's window comes back from the task bar; the launch time is read from the startup id.
    QWidget mainWindow;
    mainWindow.showMinimized();
    FrontWindow::Show(mainWindow, "token", {});
    EXPECT_FALSE(mainWindow.isMinimized());
    EXPECT_EQ(FrontWindow::LaunchTime("kde-launcher-21-host-app-0_TIME5127"), 5127u);
    EXPECT_EQ(FrontWindow::LaunchTime("_TIME12x"), 0u);

    rlimit core{};
    // Core files allowed first, as after a shell's "ulimit -c unlimited".
    getrlimit(RLIMIT_CORE, &core);
    core.rlim_cur = core.rlim_max;
    setrlimit(RLIMIT_CORE, &core);
    QtSession::ForbidCoreDumps();
    getrlimit(RLIMIT_CORE, &core);
    EXPECT_EQ(std::pair(core.rlim_cur, prctl(PR_GET_DUMPABLE, 0, 0, 0, 0)), std::pair(rlim_t(0), 0));
}

TEST_F(PlatformTest, HelpReadsOnlyOrdinaryFilesAndALinkLeavesItOnlyWhenTheUserAgrees)
{
    const QString folder = p->programFolder.path();
    const QString help = p->programFile(u"Corvalen.HLP"_s);
    WriteBytes(help, "<p><a href=\"https://example.org/a b\">out</a> <a href=\"other.html\">other</a> "
                     "<a href=\"#topic90\">in</a></p><p style=\"margin-top:3000px\"><a name=\"topic90\">90</a></p>");
    WriteBytes(p->programFile(u"small.txt"_s), "picture");
    WriteBytes(p->programFile(u"big.txt"_s), QByteArray(HelpBrowser::kMaxResourceSize + 1, 'x'));
    ASSERT_TRUE(QFile::link(u"/dev/zero"_s, p->programFile(u"zero"_s)));
    ASSERT_EQ(mkfifo(QFile::encodeName(p->programFile(u"pipe"_s)).constData(), 0600), 0);
    ASSERT_TRUE(HelpWindow::ShowTopic(help, kHelpContentsTopic));
    QTextBrowser* page = HelpWindow::current()->browser();
    // Names as the page gives them, relative to it or not; what loads of each.
    const std::pair<QString, QByteArray> resources[] = {
        {u"small.txt"_s, "picture"},          {u"big.txt"_s, ""}, {u"zero"_s, ""}, {u"pipe"_s, ""},
        {u"https://example.org/x.png"_s, ""},
    };
    for (const auto& [name, content] : resources)
        EXPECT_EQ(page->loadResource(QTextDocument::ImageResource, QUrl(name)).toByteArray(), content)
            << name.toStdString();

    Browser browser;
    QDesktopServices::setUrlHandler(u"https"_s, &browser, "open");
    QDesktopServices::setUrlHandler(u"file"_s, &browser, "open");
    p->answers = {vbCancel, vbOK};
    // Following a link starts Tab from the top again: the first link refused, the second taken, the third stays in
    // the file.
    for (const int link : {1, 2, 3}) {
        for (int tab = 0; tab < link; ++tab)
            QTest::keyClick(page, Qt::Key_Tab);
        QTest::keyClick(page, Qt::Key_Return);
    }
    const QString ask = u"  Select OK to open it in your browser, Cancel to stay here."_s;
    const QString other = u"file://"_s + folder + u"/other.html"_s;
    EXPECT_EQ(
        takeMessages(),
        (Boxes{Box(u"This link leads outside the help: https://example.org/a%20b"_s + ask, vbOKCancel + vbQuestion),
               Box(u"This link leads outside the help: "_s + QString(other).replace(u' ', u"%20"_s) + ask,
                   vbOKCancel + vbQuestion)}));
    EXPECT_EQ(browser.opened, std::vector<QString>{other});
    EXPECT_EQ(page->source().fragment(), u"topic90"_s);
    HelpWindow::CloseHelp();
}

TEST_F(PlatformTest, APasswordCopiedOrCutFromABoxThatShowsItLeavesMarkedSecretByEveryKeyAndTheMenu)
{
    SecretLineEdit box;
    // The key or the menu's entry, whether the box shows asterisks; what the clipboard then holds, with its hint,
    // and what stays in the box.
    const std::tuple<QKeyCombination, const char*, bool, QString, QString> cases[] = {
        {Qt::CTRL | Qt::Key_X, "", false, u"b4nk Secretsecret"_s, u""_s},
        {{}, "&Copy", false, u"b4nk Secretsecret"_s, u"b4nk Secret"_s},
        {{}, "Cu&t", false, u"b4nk Secretsecret"_s, u""_s},
        {Qt::CTRL | Qt::Key_C, "", true, u""_s, u"b4nk Secret"_s},
    };
    for (const auto& [key, entry, asterisks, held, left] : cases) {
        ClipboardKeeper::instance().Clear();
        box.setEchoMode(asterisks ? QLineEdit::Password : QLineEdit::Normal);
        box.setText(u"b4nk Secret"_s);
        box.selectAll();
        if (*entry) {
            QContextMenuEvent menuEvent(QContextMenuEvent::Keyboard, QPoint(1, 1), box.mapToGlobal(QPoint(1, 1)));
            QApplication::sendEvent(&box, &menuEvent);
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            ASSERT_TRUE(menu) << entry;
            for (QAction* action : menu->actions()) {
                if (action->text().startsWith(QLatin1String(entry)))
                    action->trigger();
            }
            menu->close();
        } else {
            QTest::keyClick(&box, key.key(), key.keyboardModifiers());
        }
        // A cleared clipboard has no data at all.
        const QMimeData* data = QGuiApplication::clipboard()->mimeData();
        const QByteArray hint = data ? data->data(u"x-kde-passwordManagerHint"_s) : QByteArray();
        EXPECT_EQ(QGuiApplication::clipboard()->text() + QString::fromLatin1(hint), held) << entry;
        EXPECT_EQ(box.text(), left) << entry;
    }
}

TEST_F(PlatformTest, LaterCopiesHandOverTheirLaunchTokensOrSayThatTheProgramRunsAndMeetOnlyInTheUsersOwnFolder)
{
    QTemporaryDir runtime;
    QTemporaryDir cache;
    qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
    qputenv("XDG_CACHE_HOME", cache.path().toLocal8Bit());
    SingleInstance first(passwordFile());
    SingleInstance second(passwordFile());
    SingleInstance elsewhere(p->windowsFolder.filePath(u"x"_s));
    QSignalSpy raised(&first, &SingleInstance::Raise);
    ASSERT_TRUE(first.Claim());
    EXPECT_EQ(QFileInfo(first.serverName()).path(), runtime.path());
    // Another user answering at the name the program once used in the shared temporary folder.
    const QString oldName = u"password-corvalen-"_s + QFileInfo(first.serverName()).fileName().right(32);
    QLocalServer foreign;
    QLocalServer::removeServer(oldName);
    ASSERT_TRUE(foreign.listen(oldName));

    EXPECT_FALSE(second.Claim("wayland-token", "launcher-1_TIME42"));
    EXPECT_FALSE(second.Claim());
    EXPECT_TRUE(QTest::qWaitFor([&raised] { return raised.size() == 2; }));
    EXPECT_EQ(raised, (QList<QList<QVariant>>{{QByteArray("wayland-token"), QByteArray("launcher-1_TIME42")},
                                              {QByteArray(), QByteArray()}}));
    EXPECT_FALSE(foreign.hasPendingConnections());
    EXPECT_EQ(takeMessages(), Boxes{Box(u"Password Corvalen is already running for this Password File.  Its window "
                                        u"has been brought to the front where the desktop allows it."_s,
                                        vbInformation)});
    EXPECT_TRUE(elsewhere.Claim());
    // A copy that only serves the clipboard does not count.
    first.Release();
    EXPECT_TRUE(second.Claim());
    second.Release();

    // A runtime folder every user shares is not used; nor does a lock of another user's stop a start.
    qputenv("XDG_RUNTIME_DIR", "/tmp");
    SingleInstance shared(passwordFile());
    const QFileInfo folder(QFileInfo(shared.serverName()).path());
    EXPECT_EQ(folder.filePath(), cache.filePath(u"password-corvalen"_s));
    EXPECT_EQ(folder.permissions() & 0x0077, 0);
    const QString lock = p->programFile(u".Password.dat.lock"_s);
    QLockFile other(lock);
    ASSERT_TRUE(other.tryLock(0));
    if (chown(QFile::encodeName(lock).constData(), 65534, 65534) != 0)
        GTEST_SKIP() << "giving a file to another user needs root";
    EXPECT_TRUE(shared.Claim());
}

} // namespace

#include "test_platform.moc"
