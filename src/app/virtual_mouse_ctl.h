#pragma once
// A hand on the virtual mouse of a running app. With --virtual-mouse the app
// listens on a local socket in the user's runtime folder; each line it receives
// is one command, answered with one line:
//   unplug | plug   the mouse goes or comes; the app sees a device change    -> ok
//   dpi N           the DPI button: stage N (1..7) and its notification       -> ok
//   state           what the firmware keeps                                   -> one JSON object
// Anything else is answered with "error: ..." and changes nothing.
// `corvane-config --virtual-mouse-ctl COMMAND` sends one command and prints the answer.

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QString>
#include <functional>
#include <memory>

class LocalSocketServer;
class VirtualMouse;
class Widget;

namespace virtual_mouse_ctl {

constexpr int kMaxLineBytes = 256;        // a longer line is refused and the connection dropped
constexpr int kMinDpiStage = 1;
constexpr int kMaxDpiStage = 7;

// The socket: <runtime folder>/corvane-config-virtual-mouse (a pipe name on Windows).
QString defaultServerName();

// The answer to one command line (pure apart from acting on the mouse).
// deviceChanged is called after unplug and plug.
QString answer(const QString& line, VirtualMouse& mouse, const std::function<void()>& deviceChanged);

// The mouse's state as one compact JSON object.
QByteArray stateJson(VirtualMouse& mouse);

class Server : public QObject
{
    Q_OBJECT
public:
    Server(VirtualMouse& mouse, std::function<void()> deviceChanged, QObject* parent = nullptr);
    ~Server() override;
    // Listens on name. A name held by a live server (another app) is left to it:
    // false. A name left behind by an app that ended is taken over.
    bool listen(const QString& name);
    QString serverName() const;

private:
    void onReceived(quintptr connection, const QByteArray& bytes);

    VirtualMouse& mouse;
    std::function<void()> deviceChanged;
    LocalSocketServer* socket = nullptr;
    QHash<quintptr, QByteArray> pending;   // what each connection sent after its last full line
};

// The app's server, started when it runs a virtual mouse (nullptr otherwise or
// when another app holds the name).
std::unique_ptr<Server> start(VirtualMouse* mouse, Widget& window, const QString& name = defaultServerName());

// The client, run before the instance lock and without a display: sends command,
// prints the answer. 0 = done; 1 = no app with a virtual mouse runs, it did not
// answer, or it answered with an error.
int runClient(int argc, char* argv[], const QString& command);

} // namespace virtual_mouse_ctl
