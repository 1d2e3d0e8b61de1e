// SPDX-License-Identifier: GPL-3.0-or-later
// The socket side of the single-instance rule: a one-line "raise" request from a later start,
// served by the running window's own event loop. Both ends make sure the other is this user.
#include "ui/platform/SingleInstanceSocket.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#include <QWidget>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

namespace ui::socket {
namespace {

constexpr char kRaiseRequest[] = "raise\n";
constexpr int kConnectTimeoutMs = 1000;
constexpr int kWriteTimeoutMs = 1000;
// A client never sends more; anything longer is not ours and is dropped unread.
constexpr qint64 kMaxRequestBytes = 64;

bool IsPrivateDir(const QString& dir) {
  if (dir.isEmpty() || !QDir::isAbsolutePath(dir)) return false;
  struct stat st;
  if (::stat(QFile::encodeName(dir).constData(), &st) != 0) return false;
  return S_ISDIR(st.st_mode) && st.st_uid == ::geteuid() && (st.st_mode & 077) == 0;
}

// The path itself, not what a link there points to, must be a socket of this user.
bool IsOwnSocket(const QString& path) {
  struct stat st;
  if (!QDir::isAbsolutePath(path) || ::lstat(QFile::encodeName(path).constData(), &st) != 0)
    return false;
  return S_ISSOCK(st.st_mode) && st.st_uid == ::geteuid();
}

// The user the process at the other end of a connected socket ran as when it connected or
// listened.
bool PeerIsThisUser(const QLocalSocket& socket) {
  const int fd = static_cast<int>(socket.socketDescriptor());
  if (fd < 0) return false;
#if defined(SO_PEERCRED)
  ucred credentials{};
  socklen_t length = sizeof credentials;
  if (::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &credentials, &length) != 0) return false;
  return credentials.uid == ::geteuid();
#else
  uid_t uid = 0;
  gid_t gid = 0;
  if (::getpeereid(fd, &uid, &gid) != 0) return false;
  return uid == ::geteuid();
#endif
}

// Connects `socket` to a server of this user at `serverName`; false for anything else.
bool ConnectToOwnServer(QLocalSocket& socket, const QString& serverName) {
  if (!IsOwnSocket(serverName)) return false;
  socket.connectToServer(serverName);
  if (!socket.waitForConnected(kConnectTimeoutMs)) return false;
  if (!PeerIsThisUser(socket)) {
    socket.abort();
    return false;
  }
  return true;
}

void BringToFront(QWidget* window) {
  const Qt::WindowStates states = window->windowState() & ~Qt::WindowMinimized;
  if (states & Qt::WindowFullScreen)
    window->showFullScreen();
  else if (states & Qt::WindowMaximized)
    window->showMaximized();
  else
    window->showNormal();
  window->raise();
  window->activateWindow();
}

// Reads what the client sent so far; one complete request raises the window once.
void HandleRequest(QLocalSocket* client, QWidget* window) {
  if (client->property("orbitsimHandled").toBool()) return;
  const QByteArray data = client->peek(kMaxRequestBytes);
  if (data.startsWith(kRaiseRequest)) {
    client->setProperty("orbitsimHandled", true);
    BringToFront(window);
    client->disconnectFromServer();
  } else if (data.size() >= qsizetype(sizeof kRaiseRequest - 1)) {
    client->setProperty("orbitsimHandled", true);
    client->abort();
  }
}

}  // namespace

QString PrivateRuntimeDir() {
  const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
  if (IsPrivateDir(runtime)) return QDir::cleanPath(runtime);
  // The shared /tmp is never private; a per-user temporary folder (as some systems give
  // every user) is.
  const QString temp = QDir::tempPath();
  if (IsPrivateDir(temp)) return QDir::cleanPath(temp);
  return {};
}

QString ServerNameFor(const QString& title) {
  const QString dir = PrivateRuntimeDir();
  if (dir.isEmpty() || title.isEmpty()) return {};
  // The session's display tells two sessions of one user apart: they share the runtime
  // folder but never a display.
  QByteArray session = qgetenv("WAYLAND_DISPLAY");
  if (session.isEmpty()) session = qgetenv("DISPLAY");
  const QByteArray digest =
      QCryptographicHash::hash(title.toUtf8() + '\0' + session, QCryptographicHash::Sha256)
          .toHex()
          .left(16);
  return dir + QStringLiteral("/orbitsim-") + QString::fromLatin1(digest);
}

bool AskServerToRaise(const QString& serverName) {
  QLocalSocket client;
  if (!ConnectToOwnServer(client, serverName)) return false;
  // No answer is awaited: the running window may be busy in a run that pumps no events for a
  // while, and the request stays in the socket until it reads it.
  client.write(kRaiseRequest, qint64(sizeof kRaiseRequest - 1));
  client.waitForBytesWritten(kWriteTimeoutMs);
  client.disconnectFromServer();
  return true;
}

void ServeRaiseRequests(QWidget* window, const QString& serverName) {
  if (!window || serverName.isEmpty()) return;
  const QString objectName = QStringLiteral("orbitsimInstanceServer:") + serverName;
  if (window->findChild<QLocalServer*>(objectName, Qt::FindDirectChildrenOnly)) return;

  if (!QDir::isAbsolutePath(serverName)) return;
  {
    QLocalSocket probe;
    if (ConnectToOwnServer(probe, serverName)) return;
  }
  // Anything else at the path gives way: a socket that a program which crashed left behind,
  // or whatever another user may have put there. If it cannot be removed, this window serves
  // nobody, and later starts go ahead as if it were not there.
  const QByteArray path = QFile::encodeName(serverName);
  struct stat st;
  if (::lstat(path.constData(), &st) == 0 && ::unlink(path.constData()) != 0) return;
  auto* server = new QLocalServer(window);
  server->setObjectName(objectName);
  server->setSocketOptions(QLocalServer::UserAccessOption);
  if (!server->listen(serverName)) {
    delete server;
    return;
  }

  QPointer<QWidget> target(window);
  QObject::connect(server, &QLocalServer::newConnection, server, [server, target] {
    while (QLocalSocket* client = server->nextPendingConnection()) {
      if (!PeerIsThisUser(*client)) {
        client->abort();
        client->deleteLater();
        continue;
      }
      QObject::connect(client, &QLocalSocket::readyRead, client, [client, target] {
        if (target) HandleRequest(client, target);
      });
      // The client may already be gone; what it wrote is still there to be read.
      QObject::connect(client, &QLocalSocket::disconnected, client, [client, target] {
        if (target) HandleRequest(client, target);
        client->deleteLater();
      });
      if (client->bytesAvailable() > 0 && target) HandleRequest(client, target);
      if (client->state() == QLocalSocket::UnconnectedState) client->deleteLater();
    }
  });
}

}  // namespace ui::socket
