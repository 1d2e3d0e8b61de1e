// The local-socket form of the single-instance rule, for desktops that hide other programs'
// windows: a later start finds the running window's server and brings that window forward;
// names left behind by a crashed program are taken over, live ones are not; and on a headless
// platform windows never find each other.
#include "ui/platform/SingleInstance.h"
#include "ui/platform/SingleInstanceSocket.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QUuid>
#include <QWidget>
#include <QtTest>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>

namespace {

QString uniqueName()
{
    return QStringLiteral("orbitsim-test-") + QUuid::createUuid().toString(QUuid::Id128);
}

// What a program that crashed while serving leaves behind: a socket file nobody listens on.
bool leaveStaleSocket(const QString& serverName)
{
    const QByteArray path = QDir(QDir::tempPath()).absoluteFilePath(serverName).toLocal8Bit();
    sockaddr_un address;
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    if (size_t(path.size()) >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    if (fd < 0)
        return false;
    const bool bound = ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);
    return bound;
}

}  // namespace

class SingleInstanceSocketTest : public QObject {
    Q_OBJECT

private slots:
    void noServerMeansNoInstance();
    void requestBringsWindowForward_data();
    void requestBringsWindowForward();
    void foreignRequestIsIgnored();
    void staleNameIsTakenOver();
    void liveServerKeepsItsName();
    void headlessWindowsNeverMeet();
};

void SingleInstanceSocketTest::noServerMeansNoInstance()
{
    QElapsedTimer timer;
    timer.start();
    QVERIFY(!ui::socket::askServerToRaise(uniqueName()));
    QVERIFY(timer.elapsed() < 1000);
}

void SingleInstanceSocketTest::requestBringsWindowForward_data()
{
    QTest::addColumn<int>("before");
    QTest::addColumn<int>("after");

    QTest::newRow("minimised from maximised")
        << int(Qt::WindowMinimized | Qt::WindowMaximized) << int(Qt::WindowMaximized);
    QTest::newRow("minimised from normal") << int(Qt::WindowMinimized) << int(Qt::WindowNoState);
    QTest::newRow("maximised") << int(Qt::WindowMaximized) << int(Qt::WindowMaximized);
    QTest::newRow("normal") << int(Qt::WindowNoState) << int(Qt::WindowNoState);
}

void SingleInstanceSocketTest::requestBringsWindowForward()
{
    QFETCH(int, before);
    QFETCH(int, after);
    const QString name = uniqueName();

    QWidget window;
    window.show();
    window.setWindowState(Qt::WindowStates(before));
    ui::socket::serveRaiseRequests(&window, name);

    QVERIFY(ui::socket::askServerToRaise(name));
    QTRY_VERIFY_WITH_TIMEOUT(!window.isMinimized() && window.isVisible(), 3000);
    const Qt::WindowStates mask = Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen;
    QTRY_COMPARE_WITH_TIMEOUT(int(window.windowState() & mask), after, 3000);
}

void SingleInstanceSocketTest::foreignRequestIsIgnored()
{
    const QString name = uniqueName();
    QWidget window;
    window.showMinimized();
    ui::socket::serveRaiseRequests(&window, name);

    QLocalSocket client;
    client.connectToServer(name);
    QVERIFY(client.waitForConnected(1000));
    client.write("hello, is anybody there?\n");
    QVERIFY(client.waitForBytesWritten(1000));
    QTRY_COMPARE_WITH_TIMEOUT(client.state(), QLocalSocket::UnconnectedState, 3000);
    QVERIFY(window.isMinimized());
}

void SingleInstanceSocketTest::staleNameIsTakenOver()
{
    const QString name = uniqueName();
    QVERIFY(leaveStaleSocket(name));
    QVERIFY(!ui::socket::askServerToRaise(name));

    QWidget window;
    window.showMinimized();
    ui::socket::serveRaiseRequests(&window, name);
    QVERIFY(ui::socket::askServerToRaise(name));
    QTRY_VERIFY_WITH_TIMEOUT(!window.isMinimized(), 3000);
}

void SingleInstanceSocketTest::liveServerKeepsItsName()
{
    const QString name = uniqueName();
    QWidget first;
    first.showMinimized();
    ui::socket::serveRaiseRequests(&first, name);
    QWidget second;
    second.showMinimized();
    ui::socket::serveRaiseRequests(&second, name);
    QVERIFY(!second.findChild<QLocalServer*>());

    QVERIFY(ui::socket::askServerToRaise(name));
    QTRY_VERIFY_WITH_TIMEOUT(!first.isMinimized(), 3000);
    QVERIFY(second.isMinimized());
}

// Tests on the offscreen platform build windows side by side; they must not end each other.
void SingleInstanceSocketTest::headlessWindowsNeverMeet()
{
    const QString title = QStringLiteral("Satellite orbit simulation");
    QWidget window;
    window.setWindowTitle(title);
    window.show();
    ui::ServeLaterInstances(&window, title);
    QVERIFY(!window.findChild<QLocalServer*>());

    ui::socket::serveRaiseRequests(&window, ui::socket::serverNameFor(title));
    QVERIFY(!ui::ActivateRunningInstance(title));
}

QTEST_MAIN(SingleInstanceSocketTest)
#include "tst_SingleInstanceSocket.moc"
