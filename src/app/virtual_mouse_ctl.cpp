#include "app/virtual_mouse_ctl.h"

#include "app/script_virtual_mouse.h"
#include "app/widget.h"
#include "device/virtual/firmware_state.h"
#include "device/virtual/virtual_mouse.h"
#include "platform/local_socket_server.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QStringList>

#include <cstdio>

namespace virtual_mouse_ctl {
namespace {

const char* const kSocketName = "corvane-config-virtual-mouse";
const char* const kOk = "ok";
constexpr int kClientConnectMs = 2000;
constexpr int kClientAnswerMs = 10000;  // the app answers between two pauses of a transfer

QString error(const QString& text) { return QStringLiteral("error: ") + text; }

QJsonArray numberedLists(int first, int last, const std::function<QVariantList(int)>& read)
{
    QJsonArray out;
    for (int i = first; i <= last; ++i)
        out.append(QJsonArray::fromVariantList(read(i)));
    return out;
}

void printLine(FILE* stream, const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stream);
    std::fputc('\n', stream);
}

} // namespace

QString defaultServerName()
{
#ifdef Q_OS_WIN
    return QString::fromLatin1(kSocketName);
#else
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return folder.isEmpty() ? QString::fromLatin1(kSocketName) : QDir(folder).filePath(QString::fromLatin1(kSocketName));
#endif
}

QByteArray stateJson(VirtualMouse& mouse)
{
    const ScriptVirtualMouse m(mouse);
    QJsonObject o;
    o.insert(QStringLiteral("family"), m.family());
    o.insert(QStringLiteral("pluggedIn"), m.pluggedIn());
    o.insert(QStringLiteral("reportRates"), QJsonArray::fromVariantList(m.reportRates()));
    o.insert(QStringLiteral("dpiStages"), QJsonArray::fromVariantList(m.dpiStages()));
    o.insert(QStringLiteral("keyboardOptions"), QJsonArray::fromVariantList(m.keyboardOptions()));
    o.insert(QStringLiteral("keyMatrices"),
             numberedLists(1, FirmwareState::kKeyMatrixCount, [&](int i) { return m.keyMatrix(i); }));
    o.insert(QStringLiteral("activeKeyMatrix"), m.activeKeyMatrix());
    o.insert(QStringLiteral("macros"), numberedLists(1, FirmwareState::kMacroCount, [&](int i) { return m.macro(i); }));
    o.insert(QStringLiteral("dpiCount"), m.dpiCount());
    o.insert(QStringLiteral("dpiSet"), QJsonArray::fromVariantList(m.dpiSet()));
    o.insert(QStringLiteral("ledEffect"), QJsonArray::fromVariantList(m.ledEffect()));
    o.insert(QStringLiteral("stageColors"),
             numberedLists(0, FirmwareState::kColorTypes - 1, [&](int i) { return m.stageColors(i); }));
    o.insert(QStringLiteral("gunSlots"),
             numberedLists(1, FirmwareState::kGunSlotCount, [&](int i) { return m.gunSlot(i); }));
    o.insert(QStringLiteral("profileBlocks"),
             numberedLists(0, FirmwareState::kProfileCount - 1, [&](int i) { return m.profileBlock(i); }));
    o.insert(QStringLiteral("currentProfile"), m.currentProfile());
    return QJsonDocument(o).toJson(QJsonDocument::Compact);
}

QString answer(const QString& line, VirtualMouse& mouse, const std::function<void()>& deviceChanged)
{
    const QStringList words = line.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    const QString command = words.value(0);
    if ((command == QLatin1String("unplug") || command == QLatin1String("plug")) && words.size() == 1) {
        if (command == QLatin1String("unplug"))
            mouse.unplug();
        else
            mouse.plug();
        if (deviceChanged)
            deviceChanged();
        return QString::fromLatin1(kOk);
    }
    if (command == QLatin1String("dpi")) {
        bool ok = false;
        const int stage = words.value(1).toInt(&ok);
        if (words.size() != 2 || !ok || stage < kMinDpiStage || stage > kMaxDpiStage)
            return error(QStringLiteral("dpi takes one stage from %1 to %2").arg(kMinDpiStage).arg(kMaxDpiStage));
        if (!mouse.pluggedIn())
            return error(QStringLiteral("the mouse is unplugged"));
        mouse.pressDpiButton(stage);
        return QString::fromLatin1(kOk);
    }
    if (command == QLatin1String("state") && words.size() == 1)
        return QString::fromUtf8(stateJson(mouse));
    return error(QStringLiteral("unknown command; use unplug, plug, dpi N or state"));
}

Server::Server(VirtualMouse& m, std::function<void()> changed, QObject* parent)
    : QObject(parent), mouse(m), deviceChanged(std::move(changed))
{
}

Server::~Server() = default;

bool Server::listen(const QString& name)
{
    delete socket;
    pending.clear();
    socket = createPlatformLocalSocketServer(this);
    if (!socket->listen(name)) {
        qDebug() << "virtual mouse control:" << name << "cannot be served; this app has no control socket";
        return false;
    }
    connect(socket, &LocalSocketServer::received, this, &Server::onReceived);
    connect(socket, &LocalSocketServer::disconnected, this, [this](quintptr connection) { pending.remove(connection); });
    return true;
}

QString Server::serverName() const { return socket ? socket->serverName() : QString(); }

void Server::onReceived(quintptr connection, const QByteArray& bytes)
{
    QByteArray& buffer = pending[connection];
    buffer += bytes;
    for (;;) {
        const qsizetype end = buffer.indexOf('\n');
        if (end < 0 ? buffer.size() > kMaxLineBytes : end > kMaxLineBytes) {
            socket->write(connection, error(QStringLiteral("line too long")).toUtf8() + '\n');
            socket->close(connection);
            pending.remove(connection);
            return;
        }
        if (end < 0)
            return;
        const QString line = QString::fromUtf8(buffer.left(end)).trimmed();
        buffer.remove(0, end + 1);
        socket->write(connection, answer(line, mouse, deviceChanged).toUtf8() + '\n');
    }
}

std::unique_ptr<Server> start(VirtualMouse* mouse, Widget& window, const QString& name)
{
    if (!mouse)
        return nullptr;
    auto server = std::make_unique<Server>(*mouse, [&window] {
        window.handleNativeMessage(native_message::kDeviceChange, 0);
    });
    if (!server->listen(name))
        return nullptr;
    qDebug() << "virtual mouse control on" << server->serverName();
    return server;
}

int runClient(int argc, char* argv[], const QString& command)
{
    const QCoreApplication app(argc, argv);
    const QString name = defaultServerName();
    QLocalSocket socket;
    socket.connectToServer(name);
    if (!socket.waitForConnected(kClientConnectMs)) {
        printLine(stderr, QStringLiteral("no corvane-config with a virtual mouse is running (nothing answers on %1)").arg(name));
        return 1;
    }
    socket.write(command.toUtf8() + '\n');
    socket.waitForBytesWritten(kClientConnectMs);
    while (!socket.canReadLine()) {
        if (!socket.waitForReadyRead(kClientAnswerMs)) {
            printLine(stderr, QStringLiteral("the app on %1 did not answer").arg(name));
            return 1;
        }
    }
    const QString reply = QString::fromUtf8(socket.readLine()).trimmed();
    socket.disconnectFromServer();
    const bool failed = reply.startsWith(QLatin1String("error:"));
    printLine(failed ? stderr : stdout, reply);
    return failed ? 1 : 0;
}

} // namespace virtual_mouse_ctl
