#pragma once
#include <QByteArray>
#include <QObject>
#include <QString>

// A server on a local socket that hands the bytes of each connection over as they
// arrive and writes answers back. Connections are told apart by an id. On Linux a
// Unix-domain socket (the path is the name) served from the event loop; on Windows
// a named pipe.
class LocalSocketServer : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    // Listens on name. A name a live server answers on is left to it: false. A
    // name left behind by a server that ended is taken over. Only the user who
    // runs the program may connect.
    virtual bool listen(const QString& name) = 0;
    // The full name listened on, empty when not listening.
    virtual QString serverName() const = 0;
    // Writes bytes to a connection (nothing for an id that is gone).
    virtual void write(quintptr connection, const QByteArray& bytes) = 0;
    // Ends a connection after what was written to it.
    virtual void close(quintptr connection) = 0;

signals:
    void received(quintptr connection, const QByteArray& bytes);
    // The connection ended (either side); its id may be given to a later one.
    void disconnected(quintptr connection);
};

LocalSocketServer* createPlatformLocalSocketServer(QObject* parent);
