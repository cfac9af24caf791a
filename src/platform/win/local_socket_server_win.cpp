#include "platform/local_socket_server.h"

#include <QDebug>
#include <QLocalServer>
#include <QLocalSocket>

namespace {

constexpr int kLiveCheckMs = 500;   // a server that does not accept within this is gone

// A named pipe served by Qt's local server.
class PipeServer : public LocalSocketServer
{
public:
    using LocalSocketServer::LocalSocketServer;

    bool listen(const QString& name) override
    {
        QLocalSocket probe;
        probe.connectToServer(name);
        if (probe.waitForConnected(kLiveCheckMs)) {
            qDebug() << "local socket:" << name << "belongs to a server that runs";
            return false;
        }
        QLocalServer::removeServer(name);
        delete server;
        server = new QLocalServer(this);
        server->setSocketOptions(QLocalServer::UserAccessOption);
        if (!server->listen(name)) {
            qDebug() << "local socket: cannot listen on" << name << server->errorString();
            return false;
        }
        connect(server, &QLocalServer::newConnection, this, [this] {
            while (QLocalSocket* socket = server->nextPendingConnection()) {
                connect(socket, &QLocalSocket::disconnected, this, [this, socket] {
                    emit disconnected(quintptr(socket));
                    socket->deleteLater();
                });
                connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
                    emit received(quintptr(socket), socket->readAll());
                });
                if (socket->bytesAvailable() > 0)
                    emit received(quintptr(socket), socket->readAll());
            }
        });
        return true;
    }

    QString serverName() const override { return server ? server->fullServerName() : QString(); }

    void write(quintptr connection, const QByteArray& bytes) override
    {
        if (QLocalSocket* socket = find(connection))
            socket->write(bytes);
    }

    void close(quintptr connection) override
    {
        if (QLocalSocket* socket = find(connection))
            socket->disconnectFromServer();
    }

private:
    QLocalSocket* find(quintptr connection) const
    {
        if (!server)
            return nullptr;
        for (QLocalSocket* socket : server->findChildren<QLocalSocket*>())
            if (quintptr(socket) == connection)
                return socket;
        return nullptr;
    }

    QLocalServer* server = nullptr;
};

} // namespace

LocalSocketServer* createPlatformLocalSocketServer(QObject* parent)
{
    return new PipeServer(parent);
}
