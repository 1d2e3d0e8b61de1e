// SPDX-License-Identifier: GPL-3.0-or-later
// The local-socket form of the single-instance rule, for desktops that hide other programs'
// windows: a later start finds the running window's server and brings that window forward; the
// socket lives in the user's private runtime folder, one per session; whatever else holds its
// path (a stale socket, another user's socket or server, a plain file) never stops a start; and
// on a headless platform windows never find each other.
#include "ui/platform/SingleInstance.h"
#include "ui/platform/SingleInstanceSocket.h"

#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTemporaryDir>
#include <QWidget>
#include <QtTest>

#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>

namespace {

constexpr uid_t kOtherUser = 65534;  // nobody

// A socket path in a folder of its own, private to this user as a runtime folder is.
class SocketPath {
 public:
  SocketPath() : path_(dir_.filePath(QStringLiteral("orbitsim-test"))) {}
  bool IsValid() const { return dir_.isValid(); }
  const QString& Path() const { return path_; }
  operator const QString&() const { return path_; }

 private:
  QTemporaryDir dir_;
  QString path_;
};

// A unix socket bound at `path`, or -1.
int BoundSocket(const QString& path) {
  const QByteArray bytes = QFile::encodeName(path);
  sockaddr_un address;
  std::memset(&address, 0, sizeof address);
  address.sun_family = AF_UNIX;
  if (size_t(bytes.size()) >= sizeof address.sun_path) return -1;
  std::memcpy(address.sun_path, bytes.constData(), size_t(bytes.size()));
  const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
  if (fd >= 0 && ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
    ::close(fd);
    return -1;
  }
  return fd;
}

// What a program that crashed while serving leaves behind: a socket file nobody listens on.
bool LeaveStaleSocket(const QString& path) {
  const int fd = BoundSocket(path);
  if (fd < 0) return false;
  ::close(fd);
  return true;
}

// A server of another user listening at `path`: a child process that binds the socket, becomes
// that user and listens. The socket file is left to this user, so only the server's own
// credentials tell it apart. Needs root; returns the child's pid, or -1.
pid_t StartOtherUsersServer(const QString& path) {
  const int fd = BoundSocket(path);
  if (fd < 0) return -1;
  const pid_t parent = ::getpid();
  const pid_t child = ::fork();
  if (child == 0) {
    // Only async-signal-safe calls between fork and exit. The child holds none of the test's
    // output open and dies with the test, however the test ends.
    ::close(STDOUT_FILENO);
    ::close(STDERR_FILENO);
    if (::setresgid(kOtherUser, kOtherUser, kOtherUser) != 0 ||
        ::setresuid(kOtherUser, kOtherUser, kOtherUser) != 0 ||
        ::prctl(PR_SET_PDEATHSIG, SIGKILL) != 0 || ::getppid() != parent || ::listen(fd, 8) != 0)
      ::_exit(1);
    for (;;) ::pause();
  }
  ::close(fd);
  return child;
}

// Ends the other user's server when the test ends, passed or failed.
class ServerProcess {
 public:
  explicit ServerProcess(pid_t pid = -1) : pid_(pid) {}
  ~ServerProcess() {
    if (pid_ > 0) {
      ::kill(pid_, SIGKILL);
      ::waitpid(pid_, nullptr, 0);
    }
  }
  ServerProcess(const ServerProcess&) = delete;
  ServerProcess& operator=(const ServerProcess&) = delete;
  void Reset(pid_t pid) { pid_ = pid; }
  pid_t Pid() const { return pid_; }

 private:
  pid_t pid_;
};

// Sets or clears an environment variable for one test and puts it back afterwards.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const QByteArray& value)
      : name_(name), had_(qEnvironmentVariableIsSet(name)), old_(qgetenv(name)) {
    if (value.isNull())
      qunsetenv(name);
    else
      qputenv(name, value);
  }
  ~ScopedEnv() {
    if (had_)
      qputenv(name_, old_);
    else
      qunsetenv(name_);
  }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  const char* name_;
  bool had_;
  QByteArray old_;
};

}  // namespace

class SingleInstanceSocketTest : public QObject {
  Q_OBJECT

 private slots:
  void noServerMeansNoInstance();
  void requestBringsWindowForward_data();
  void requestBringsWindowForward();
  void foreignRequestIsIgnored();
  void whateverHoldsThePathNeverStopsAStart_data();
  void whateverHoldsThePathNeverStopsAStart();
  void liveServerKeepsItsName();
  void socketLivesInPrivateFolderPerSession_data();
  void socketLivesInPrivateFolderPerSession();
  void headlessWindowsNeverMeet();
};

void SingleInstanceSocketTest::noServerMeansNoInstance() {
  const SocketPath name;
  QElapsedTimer timer;
  timer.start();
  QVERIFY(!ui::socket::AskServerToRaise(name));
  QVERIFY(!ui::socket::AskServerToRaise(QString()));
  QVERIFY(timer.elapsed() < 1000);
}

void SingleInstanceSocketTest::requestBringsWindowForward_data() {
  QTest::addColumn<int>("before");
  QTest::addColumn<int>("after");

  QTest::newRow("minimised from maximised")
      << int(Qt::WindowMinimized | Qt::WindowMaximized) << int(Qt::WindowMaximized);
  QTest::newRow("minimised from normal") << int(Qt::WindowMinimized) << int(Qt::WindowNoState);
  QTest::newRow("maximised") << int(Qt::WindowMaximized) << int(Qt::WindowMaximized);
  QTest::newRow("normal") << int(Qt::WindowNoState) << int(Qt::WindowNoState);
}

void SingleInstanceSocketTest::requestBringsWindowForward() {
  QFETCH(int, before);
  QFETCH(int, after);
  const SocketPath name;

  QWidget window;
  window.show();
  window.setWindowState(Qt::WindowStates(before));
  ui::socket::ServeRaiseRequests(&window, name);

  QVERIFY(ui::socket::AskServerToRaise(name));
  QTRY_VERIFY_WITH_TIMEOUT(!window.isMinimized() && window.isVisible(), 3000);
  const Qt::WindowStates mask = Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen;
  QTRY_COMPARE_WITH_TIMEOUT(int(window.windowState() & mask), after, 3000);
}

void SingleInstanceSocketTest::foreignRequestIsIgnored() {
  const SocketPath name;
  QWidget window;
  window.showMinimized();
  ui::socket::ServeRaiseRequests(&window, name);

  QLocalSocket client;
  client.connectToServer(name);
  QVERIFY(client.waitForConnected(1000));
  client.write("hello, is anybody there?\n");
  QVERIFY(client.waitForBytesWritten(1000));
  QTRY_COMPARE_WITH_TIMEOUT(client.state(), QLocalSocket::UnconnectedState, 3000);
  QVERIFY(window.isMinimized());
}

enum class Holder { StaleSocket, PlainFile, OtherUsersSocketFile, OtherUsersServer };
Q_DECLARE_METATYPE(Holder)

void SingleInstanceSocketTest::whateverHoldsThePathNeverStopsAStart_data() {
  QTest::addColumn<Holder>("holder");
  QTest::newRow("stale socket of a crashed program") << Holder::StaleSocket;
  QTest::newRow("plain file") << Holder::PlainFile;
  QTest::newRow("live server whose socket file another user owns") << Holder::OtherUsersSocketFile;
  QTest::newRow("live server run by another user") << Holder::OtherUsersServer;
}

// The start asks nobody and goes ahead, then serves at that path itself.
void SingleInstanceSocketTest::whateverHoldsThePathNeverStopsAStart() {
  QFETCH(Holder, holder);
  const SocketPath name;
  QVERIFY(name.IsValid());
  const bool root = ::geteuid() == 0;
  if (!root && (holder == Holder::OtherUsersSocketFile || holder == Holder::OtherUsersServer))
    QSKIP("needs root to act as another user");

  QLocalServer foreign;
  ServerProcess otherServer;
  switch (holder) {
    case Holder::StaleSocket: QVERIFY(LeaveStaleSocket(name)); break;
    case Holder::PlainFile: {
      QFile file(name);
      QVERIFY(file.open(QIODevice::WriteOnly));
      file.write("raise\n");
      break;
    }
    case Holder::OtherUsersSocketFile:
      QVERIFY(foreign.listen(name));
      QCOMPARE(::chown(QFile::encodeName(name).constData(), kOtherUser, kOtherUser), 0);
      break;
    case Holder::OtherUsersServer:
      otherServer.Reset(StartOtherUsersServer(name));
      QVERIFY(otherServer.Pid() > 0);
      // The child listens once it has become the other user; a connection before that is
      // refused, one after it is accepted into the backlog.
      QTRY_VERIFY_WITH_TIMEOUT(
          [&] {
            QLocalSocket probe;
            probe.connectToServer(name);
            return probe.waitForConnected(200);
          }(),
          3000);
      break;
  }

  QVERIFY(!ui::socket::AskServerToRaise(name));
  QWidget window;
  window.showMinimized();
  ui::socket::ServeRaiseRequests(&window, name);
  QVERIFY(ui::socket::AskServerToRaise(name));
  QTRY_VERIFY_WITH_TIMEOUT(!window.isMinimized(), 3000);
  QVERIFY(!foreign.hasPendingConnections());
}

void SingleInstanceSocketTest::liveServerKeepsItsName() {
  const SocketPath name;
  QWidget first;
  first.showMinimized();
  ui::socket::ServeRaiseRequests(&first, name);
  QWidget second;
  second.showMinimized();
  ui::socket::ServeRaiseRequests(&second, name);
  QVERIFY(!second.findChild<QLocalServer*>());

  QVERIFY(ui::socket::AskServerToRaise(name));
  QTRY_VERIFY_WITH_TIMEOUT(!first.isMinimized(), 3000);
  QVERIFY(second.isMinimized());
}

enum class Folder { Private, OpenToOthers, OwnedByAnotherUser, Unset };
Q_DECLARE_METATYPE(Folder)

void SingleInstanceSocketTest::socketLivesInPrivateFolderPerSession_data() {
  QTest::addColumn<Folder>("runtime");
  QTest::addColumn<Folder>("temp");
  QTest::addColumn<QString>("expectedFolder");  // "runtime", "temp" or "" for none

  QTest::newRow("private runtime folder") << Folder::Private << Folder::OpenToOthers << "runtime";
  QTest::newRow("runtime folder open to others, shared temp")
      << Folder::OpenToOthers << Folder::OpenToOthers << "";
  QTest::newRow("runtime folder of another user")
      << Folder::OwnedByAnotherUser << Folder::OpenToOthers << "";
  QTest::newRow("no runtime folder, shared temp") << Folder::Unset << Folder::OpenToOthers << "";
  QTest::newRow("no runtime folder, private temp") << Folder::Unset << Folder::Private << "temp";
}

void SingleInstanceSocketTest::socketLivesInPrivateFolderPerSession() {
  QFETCH(Folder, runtime);
  QFETCH(Folder, temp);
  QFETCH(QString, expectedFolder);
  if ((runtime == Folder::OwnedByAnotherUser || temp == Folder::OwnedByAnotherUser) &&
      ::geteuid() != 0)
    QSKIP("needs root to give a folder to another user");

  QTemporaryDir runtimeDir, tempDir;
  QVERIFY(runtimeDir.isValid() && tempDir.isValid());
  const auto prepare = [](const QTemporaryDir& dir, Folder kind) {
    const QByteArray path = QFile::encodeName(dir.path());
    if (kind == Folder::OpenToOthers) return ::chmod(path.constData(), 01777) == 0;
    if (kind == Folder::OwnedByAnotherUser)
      return ::chown(path.constData(), kOtherUser, kOtherUser) == 0;
    return true;
  };
  QVERIFY(prepare(runtimeDir, runtime) && prepare(tempDir, temp));
  const ScopedEnv runtimeEnv("XDG_RUNTIME_DIR", runtime == Folder::Unset
                                                    ? QByteArray()
                                                    : QFile::encodeName(runtimeDir.path()));
  const ScopedEnv tempEnv("TMPDIR", QFile::encodeName(tempDir.path()));
  const QString title = QStringLiteral("Satellite orbit simulation");

  const ScopedEnv session("WAYLAND_DISPLAY", "wayland-0");
  const QString name = ui::socket::ServerNameFor(title);
  if (expectedFolder.isEmpty()) {
    QVERIFY2(name.isEmpty(), qPrintable(name));
    QVERIFY(!ui::socket::AskServerToRaise(name));
    return;
  }
  const QString folder =
      expectedFolder == QLatin1String("runtime") ? runtimeDir.path() : tempDir.path();
  QCOMPARE(QFileInfo(name).absolutePath(), QFileInfo(folder).absoluteFilePath());
  QCOMPARE(ui::socket::ServerNameFor(title), name);
  QVERIFY(ui::socket::ServerNameFor(QStringLiteral("Another title")) != name);
  {
    const ScopedEnv otherSession("WAYLAND_DISPLAY", "wayland-1");
    QVERIFY(ui::socket::ServerNameFor(title) != name);
  }
}

// Tests on the offscreen platform build windows side by side; they must not end each other.
void SingleInstanceSocketTest::headlessWindowsNeverMeet() {
  const QString title = QStringLiteral("Satellite orbit simulation");
  QTemporaryDir runtimeDir;
  const ScopedEnv runtimeEnv("XDG_RUNTIME_DIR", QFile::encodeName(runtimeDir.path()));
  QWidget window;
  window.setWindowTitle(title);
  window.show();
  ui::ServeLaterInstances(&window, title);
  QVERIFY(!window.findChild<QLocalServer*>());

  ui::socket::ServeRaiseRequests(&window, ui::socket::ServerNameFor(title));
  QVERIFY(window.findChild<QLocalServer*>());
  QVERIFY(!ui::ActivateRunningInstance(title));
}

QTEST_MAIN(SingleInstanceSocketTest)
#include "tst_SingleInstanceSocket.moc"
