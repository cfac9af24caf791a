#include "platform/local_socket_server.h"

#include <QDebug>
#include <QFile>
#include <QSocketNotifier>

#include <cerrno>
#include <cstring>
#include <map>
#include <memory>

#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

constexpr int kBacklog = 8;
constexpr int kReadChunk = 512;
constexpr int kWriteWaitMs = 1000;   // a client that takes no answer within this loses it

// The socket address of path; false when the path does not fit.
bool socketAddress(const QString& path, sockaddr_un& address)
{
    const QByteArray bytes = QFile::encodeName(path);
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    if (bytes.isEmpty() || size_t(bytes.size()) >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path, bytes.constData(), size_t(bytes.size()));
    return true;
}

// A Unix-domain stream socket served with socket notifiers: no network module.
class UnixSocketServer : public LocalSocketServer
{
public:
    using LocalSocketServer::LocalSocketServer;
    ~UnixSocketServer() override { stop(); }

    bool listen(const QString& name) override
    {
        stop();
        sockaddr_un address;
        if (!socketAddress(name, address)) {
            qDebug() << "local socket: the name" << name << "does not fit a socket address";
            return false;
        }
        if (answers(address)) {
            qDebug() << "local socket:" << name << "belongs to a server that runs";
            return false;
        }
        ::unlink(address.sun_path);   // left behind by a server that ended
        const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
        if (fd < 0 || ::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0
            || ::chmod(address.sun_path, S_IRUSR | S_IWUSR) != 0 || ::listen(fd, kBacklog) != 0) {
            qDebug() << "local socket: cannot listen on" << name << std::strerror(errno);
            if (fd >= 0)
                ::close(fd);
            return false;
        }
        listenFd = fd;
        path = name;
        acceptNotifier = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
        connect(acceptNotifier.get(), &QSocketNotifier::activated, this, &UnixSocketServer::acceptAll);
        return true;
    }

    QString serverName() const override { return path; }

    void write(quintptr connection, const QByteArray& bytes) override
    {
        const auto it = clients.find(int(connection));
        if (it == clients.end())
            return;
        qsizetype done = 0;
        while (done < bytes.size()) {
            const ssize_t n = ::send(it->first, bytes.constData() + done, size_t(bytes.size() - done), MSG_NOSIGNAL);
            if (n > 0) {
                done += n;
                continue;
            }
            pollfd wait{it->first, POLLOUT, 0};
            if (n < 0 && (errno == EAGAIN || errno == EINTR) && ::poll(&wait, 1, kWriteWaitMs) > 0)
                continue;
            qDebug() << "local socket: a client does not take its answer; the connection is dropped";
            drop(it->first);
            return;
        }
    }

    void close(quintptr connection) override { drop(int(connection)); }

private:
    static bool answers(const sockaddr_un& address)
    {
        const int probe = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        const bool live = probe >= 0 && ::connect(probe, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
        if (probe >= 0)
            ::close(probe);
        return live;
    }

    void acceptAll()
    {
        int fd;
        while ((fd = ::accept4(listenFd, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK)) >= 0) {
            auto* notifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
            connect(notifier, &QSocketNotifier::activated, this, [this, fd] { readAll(fd); });
            clients[fd] = notifier;
        }
    }

    void readAll(int fd)
    {
        char chunk[kReadChunk];
        for (;;) {
            const ssize_t n = ::recv(fd, chunk, sizeof chunk, 0);
            if (n > 0) {
                emit received(quintptr(fd), QByteArray(chunk, qsizetype(n)));
                if (!clients.count(fd))
                    return;   // the receiver ended the connection
                continue;
            }
            if (n < 0 && (errno == EAGAIN || errno == EINTR))
                return;
            drop(fd);   // the client went away
            return;
        }
    }

    void drop(int fd)
    {
        const auto it = clients.find(fd);
        if (it == clients.end())
            return;
        it->second->setEnabled(false);
        it->second->deleteLater();   // it may be the notifier whose signal runs now
        clients.erase(it);
        ::close(fd);
        emit disconnected(quintptr(fd));
    }

    void stop()
    {
        while (!clients.empty())
            drop(clients.begin()->first);
        acceptNotifier.reset();
        if (listenFd >= 0) {
            ::close(listenFd);
            ::unlink(QFile::encodeName(path).constData());
        }
        listenFd = -1;
        path.clear();
    }

    int listenFd = -1;
    QString path;
    std::unique_ptr<QSocketNotifier> acceptNotifier;
    std::map<int, QSocketNotifier*> clients;   // by file descriptor
};

} // namespace

LocalSocketServer* createPlatformLocalSocketServer(QObject* parent)
{
    return new UnixSocketServer(parent);
}
