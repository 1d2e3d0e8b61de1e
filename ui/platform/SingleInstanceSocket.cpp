// The socket side of the single-instance rule: a one-line "raise" request from a later start,
// served by the running window's own event loop.
#include "ui/platform/SingleInstanceSocket.h"

#include <QCryptographicHash>
#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#include <QWidget>

#include <unistd.h>

namespace ui::socket {
namespace {

constexpr char kRaiseRequest[] = "raise\n";
constexpr int kConnectTimeoutMs = 1000;
constexpr int kWriteTimeoutMs = 1000;
// A client never sends more; anything longer is not ours and is dropped unread.
constexpr qint64 kMaxRequestBytes = 64;

bool serverAnswers(const QString& serverName)
{
    QLocalSocket probe;
    probe.connectToServer(serverName);
    return probe.waitForConnected(kConnectTimeoutMs);
}

void bringToFront(QWidget* window)
{
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
void handleRequest(QLocalSocket* client, QWidget* window)
{
    if (client->property("orbitsimHandled").toBool())
        return;
    const QByteArray data = client->peek(kMaxRequestBytes);
    if (data.startsWith(kRaiseRequest)) {
        client->setProperty("orbitsimHandled", true);
        bringToFront(window);
        client->disconnectFromServer();
    } else if (data.size() >= qsizetype(sizeof kRaiseRequest - 1)) {
        client->setProperty("orbitsimHandled", true);
        client->abort();
    }
}

}  // namespace

QString serverNameFor(const QString& title)
{
    const QByteArray digest =
        QCryptographicHash::hash(title.toUtf8(), QCryptographicHash::Sha256).toHex().left(16);
    return QStringLiteral("orbitsim-%1-%2")
        .arg(QString::fromLatin1(digest))
        .arg(static_cast<qulonglong>(::getuid()));
}

bool askServerToRaise(const QString& serverName)
{
    QLocalSocket client;
    client.connectToServer(serverName);
    if (!client.waitForConnected(kConnectTimeoutMs))
        return false;
    // No answer is awaited: the running window may be busy in a run that pumps no events for a
    // while, and the request stays in the socket until it reads it.
    client.write(kRaiseRequest, qint64(sizeof kRaiseRequest - 1));
    client.waitForBytesWritten(kWriteTimeoutMs);
    client.disconnectFromServer();
    return true;
}

void serveRaiseRequests(QWidget* window, const QString& serverName)
{
    if (!window || serverName.isEmpty())
        return;
    const QString objectName = QStringLiteral("orbitsimInstanceServer:") + serverName;
    if (window->findChild<QLocalServer*>(objectName, Qt::FindDirectChildrenOnly))
        return;

    // Listening with access options replaces the socket file of any earlier server, live or
    // not, so a live one has to be asked first.
    if (serverAnswers(serverName))
        return;
    auto* server = new QLocalServer(window);
    server->setObjectName(objectName);
    server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server->listen(serverName)) {
        // A name nobody answers on is what a program that crashed leaves behind.
        if (server->serverError() != QAbstractSocket::AddressInUseError
            || !QLocalServer::removeServer(serverName) || !server->listen(serverName)) {
            delete server;
            return;
        }
    }

    QPointer<QWidget> target(window);
    QObject::connect(server, &QLocalServer::newConnection, server, [server, target] {
        while (QLocalSocket* client = server->nextPendingConnection()) {
            QObject::connect(client, &QLocalSocket::readyRead, client, [client, target] {
                if (target)
                    handleRequest(client, target);
            });
            // The client may already be gone; what it wrote is still there to be read.
            QObject::connect(client, &QLocalSocket::disconnected, client, [client, target] {
                if (target)
                    handleRequest(client, target);
                client->deleteLater();
            });
            if (client->bytesAvailable() > 0 && target)
                handleRequest(client, target);
            if (client->state() == QLocalSocket::UnconnectedState)
                client->deleteLater();
        }
    });
}

}  // namespace ui::socket
