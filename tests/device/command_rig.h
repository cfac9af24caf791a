#pragma once
// A link connected to a virtual mouse of one family through the wire log, with
// a view that carries the model flags, for the catalogue tests.

#include "device/hid_thread.h"
#include "device/pacing.h"
#include "device/virtual/virtual_mouse.h"
#include "device/wire_log.h"
#include "test_support.h"
#include "view/myqquickview.h"
#include "wire_log_reader.h"

#include <QSettings>
#include <QStringList>
#include <QTest>
#include <memory>

// One command as the wire log shows it.
struct WireCommand {
    QList<QByteArray> blocks;   // every SET_FEATURE, unscrambled, 8 bytes each
    QByteArray payload;         // the bytes after the report ID of every WRITE, in order
    QList<int> writeSizes;      // whole WRITE buffers
    int gets = 0;
    int reads = 0;
    int opens = 0;
    int closes = 0;
};

class CommandRig
{
public:
    static constexpr const char* kCode = "735102";

    CommandRig(VirtualMouse::Family family, bool isGun, int reportLength = 32)
    {
        const QString config = install.file(QStringLiteral("modules/setting/apConfig.bin"));
        {
            QSettings s(config, QSettings::IniFormat);
            s.setValue(QStringLiteral("mouse/icType"),
                       family == VirtualMouse::Family::F560 ? QStringLiteral("560") : QStringLiteral("553-24"));
            s.setValue(QStringLiteral("mouse/isGun"), isGun);
            s.setValue(QStringLiteral("0/reportLength"), reportLength);
            s.setValue(QStringLiteral("0/isEncode"), true);
            s.setValue(QStringLiteral("0/sCode"), QString::fromLatin1(kCode));
        }
        const VirtualMouse::Config cfg = VirtualMouse::configFromSettings(config);
        mouse = std::make_unique<VirtualMouse>(cfg);
        logPath = install.file(QStringLiteral("wire.log"));
        log = std::make_unique<WireLog>(*mouse, logPath);
        installHidBackend(log.get());

        auto* rec = new DeviceRecord;
        rec->vid = cfg.vid;
        rec->pid = cfg.pid;
        rec->usagePage = cfg.usagePage;
        rec->usage = cfg.usage;
        rec->usagePage2 = cfg.usagePage2;
        rec->usage2 = cfg.usage2;
        rec->reportLength = cfg.reportLength;
        rec->isEncode = cfg.isEncode;
        rec->sCode = cfg.sCode;
        rec->commandPath = QString::fromLatin1(VirtualMouse::kCommandPath);
        rec->notifyPath = QString::fromLatin1(VirtualMouse::kNotifyPath);
        link.replaceDeviceTable({rec});
        view = std::make_unique<myQQuickView>();
        view->setLink(&link);
        connected = link.chkDeviceIsEnCode(0);   // loads the secrecy code
    }

    ~CommandRig()
    {
        view.reset();
        installHidBackend(nullptr);
    }

    // Everything logged from now on belongs to the next command.
    void mark() { seen = readWireLog(logPath).size(); }

    QList<WireLogEntry> sinceMark() const { return readWireLog(logPath).mid(seen); }

    WireCommand commandSinceMark() const
    {
        WireCommand c;
        protocol::SecrecyCode code{};
        protocol::loadSecrecyCode(code, kCode, 6);
        for (const WireLogEntry& e : sinceMark()) {
            if (e.op == QLatin1String("SET_FEATURE")) {
                QByteArray b = e.bytes.mid(1);
                if (e.bytes.size() == protocol::kFeatureReportSize && e.bytes[0] == 0)
                    protocol::unscramble(reinterpret_cast<uint8_t*>(b.data()), code.data());
                c.blocks.append(b);
            } else if (e.op == QLatin1String("WRITE")) {
                c.writeSizes.append(static_cast<int>(e.bytes.size()));
                c.payload += e.bytes.mid(1);
            } else if (e.op == QLatin1String("GET_FEATURE")) {
                ++c.gets;
            } else if (e.op == QLatin1String("READ")) {
                ++c.reads;
            } else if (e.op == QLatin1String("OPEN")) {
                ++c.opens;
            } else if (e.op == QLatin1String("CLOSE")) {
                ++c.closes;
            }
        }
        return c;
    }

    ScratchInstall install;
    std::unique_ptr<VirtualMouse> mouse;
    QString logPath;
    std::unique_ptr<WireLog> log;
    Hid_Thread link;
    std::unique_ptr<myQQuickView> view;
    bool connected = false;

private:
    qsizetype seen = 0;
};

// Debug lines written while it lives.
class DebugLines
{
public:
    DebugLines() { previous = qInstallMessageHandler(&DebugLines::handler); active() = this; }
    ~DebugLines() { qInstallMessageHandler(previous); active() = nullptr; }
    QStringList lines;

private:
    static DebugLines*& active() { static DebugLines* a = nullptr; return a; }
    static void handler(QtMsgType, const QMessageLogContext&, const QString& msg)
    {
        if (active())
            active()->lines.append(msg);
    }
    QtMessageHandler previous = nullptr;
};

// Plain bytes from "12 01 40 08".
inline QByteArray hexBytes(const char* spaced) { return bytesFromHex(spaced); }

inline QByteArray patternBytes(int n, int seed)
{
    QByteArray b(n, 0);
    for (int i = 0; i < n; ++i)
        b[i] = static_cast<char>(seed + 11 * i);
    return b;
}

inline uchar* bytesOf(QByteArray& b) { return reinterpret_cast<uchar*>(b.data()); }

template <size_t N>
QByteArray asBytes(const std::array<uint8_t, N>& a)
{
    return QByteArray(reinterpret_cast<const char*>(a.data()), static_cast<qsizetype>(N));
}

// The payload as the wire carries it: padded with zeros to whole reports.
inline QByteArray paddedPayload(const QByteArray& payload, int reportLength)
{
    if (payload.isEmpty())
        return {};
    const qsizetype len = std::min<qsizetype>(payload.size(), reportLength);
    const qsizetype reports = (payload.size() + len - 1) / len;
    QByteArray out;
    for (qsizetype r = 0; r < reports; ++r) {
        QByteArray chunk = payload.mid(r * len, len);
        chunk.append(QByteArray(reportLength - chunk.size(), 0));
        out += chunk;
    }
    return out;
}
