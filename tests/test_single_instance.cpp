// One running copy per password file: where the copies meet, what a later copy hands over or says, and how
// the running copy comes to the front.
#include "Fixtures.h"

#include "frame/FrontWindow.h"
#include "frame/SingleInstance.h"

#include <QSignalSpy>
#include <QtWidgets>

namespace {

using namespace Qt::StringLiterals;
using Boxes = std::vector<MsgBoxCall>;
using Tokens = QList<QVariant>;

class SingleInstanceTest : public CorvalenTest
{
protected:
    void SetUp() override
    {
        CorvalenTest::SetUp();
        qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
        qputenv("XDG_CACHE_HOME", cache.path().toLocal8Bit());
    }
    QTemporaryDir runtime;
    QTemporaryDir cache;
};

TEST_F(SingleInstanceTest, LaterCopiesHandOverTheirLaunchTokensOrSayThatTheProgramRuns)
{
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
    EXPECT_TRUE(raised.wait(2000));
    EXPECT_FALSE(second.Claim());
    EXPECT_TRUE(raised.wait(2000));
    EXPECT_EQ(raised, (QList<Tokens>{{QByteArray("wayland-token"), QByteArray("launcher-1_TIME42")},
                                     {QByteArray(), QByteArray()}}));
    EXPECT_FALSE(foreign.hasPendingConnections());
    EXPECT_EQ(takeMessages(), Boxes{Box(u"Password Corvalen is already running for this Password File.  Its window "
                                        u"has been brought to the front where the desktop allows it."_s,
                                        vbInformation)});
    EXPECT_TRUE(elsewhere.Claim());
    // A copy that only serves the clipboard does not count.
    first.Release();
    EXPECT_TRUE(second.Claim());
}

TEST_F(SingleInstanceTest, NeitherASharedRuntimeFolderNorAnotherUsersLockStopsAStart)
{
    qputenv("XDG_RUNTIME_DIR", "/tmp");
    SingleInstance instance(passwordFile());
    const QFileInfo folder(QFileInfo(instance.serverName()).path());
    EXPECT_EQ(folder.filePath(), cache.filePath(u"password-corvalen"_s));
    EXPECT_EQ(folder.permissions() & 0x0077, 0);

    // A lock as a live copy of the program leaves it, but owned by another user.
    const QString lock = p->programFile(u".Password.dat.lock"_s);
    QLockFile other(lock);
    ASSERT_TRUE(other.tryLock(0));
    if (chown(QFile::encodeName(lock).constData(), 65534, 65534) != 0)
        GTEST_SKIP() << "giving a file to another user needs root";
    EXPECT_TRUE(instance.Claim());
    EXPECT_EQ(takeMessages(), Boxes{});
}

TEST_F(SingleInstanceTest, AMinimizedMainWindowIsRestoredAndTheLaunchTimeIsReadFromTheStartupId)
{
    QWidget mainWindow;
    mainWindow.showMinimized();
    FrontWindow::Show(mainWindow, "token", {});
    EXPECT_FALSE(mainWindow.isMinimized());

    EXPECT_EQ(FrontWindow::LaunchTime("kde-launcher-21-host-app-0_TIME5127"), 5127u);
    EXPECT_EQ(FrontWindow::LaunchTime("no-time"), 0u);
    EXPECT_EQ(FrontWindow::LaunchTime("_TIME12x"), 0u);
}

} // namespace
