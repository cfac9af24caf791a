#pragma once
// The whole application (window, link, view) against a virtual mouse, for fault
// tests: an installation tree inside a parent folder the test owns, a fault layer
// between the wire log and the mouse, a watch on the event loop, snapshots of the
// files on disk, and the command-interface traffic read back from the wire log.

#include "app/widget.h"
#include "device/hid_thread.h"
#include "device/pacing.h"
#include "device/virtual/virtual_mouse.h"
#include "device/wire_log.h"
#include "test_support.h"
#include "ui_host/ui_controler.h"
#include "view/myqquickview.h"
#include "wire_log_reader.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QMap>
#include <QMutex>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <thread>

namespace reliability {

// The responsiveness bound: the longest the program may keep the event loop from
// turning is one bounded bulk read; the slack covers a loaded test machine.
constexpr int kSlackMs = 600;
constexpr int kMaxStallMs = pacing::kBulkReadTimeoutMs + kSlackMs;
constexpr const char* kCode = "735102";

// ---------------------------------------------------------------------------
// Debug lines, from any thread.

class DebugCapture
{
public:
    DebugCapture() { previous = qInstallMessageHandler(&DebugCapture::handler); active() = this; }
    ~DebugCapture() { qInstallMessageHandler(previous); active() = nullptr; }
    QStringList lines() const { QMutexLocker l(&mutex); return captured; }
    int count(const QString& line) const { return int(lines().count(line)); }
    bool any(const QString& part) const
    {
        for (const QString& l : lines())
            if (l.contains(part))
                return true;
        return false;
    }
    void clear() { QMutexLocker l(&mutex); captured.clear(); }

private:
    static DebugCapture*& active() { static DebugCapture* a = nullptr; return a; }
    static void handler(QtMsgType, const QMessageLogContext&, const QString& msg)
    {
        if (DebugCapture* a = active()) {
            QMutexLocker l(&a->mutex);
            a->captured.append(msg);
        }
    }
    mutable QMutex mutex;
    QStringList captured;
    QtMessageHandler previous = nullptr;
};

// ---------------------------------------------------------------------------
// An installation tree at <parent>/app/modules, with <parent>/app the current
// directory, so that a write outside modules/ (even "../x") lands where a
// snapshot sees it.

class NestedInstall
{
public:
    NestedInstall()
    {
        previous = QDir::currentPath();
        const QString src = QStringLiteral(CORVANE_SOURCE_DIR "/modules");
        QDir root(dir.path());
        root.mkpath(QStringLiteral("app/modules/macro"));
        QDirIterator it(src, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString p = it.next();
            const QString rel = QStringLiteral("app/modules/") + QDir(src).relativeFilePath(p);
            if (it.fileInfo().isDir())
                root.mkpath(rel);
            else
                QFile::copy(p, root.filePath(rel));
        }
        QDir::setCurrent(root.filePath(QStringLiteral("app")));
    }
    ~NestedInstall() { QDir::setCurrent(previous); }
    QString parent() const { return dir.path(); }
    QString app(const QString& rel = {}) const
    {
        return rel.isEmpty() ? dir.filePath(QStringLiteral("app")) : dir.filePath(QStringLiteral("app/") + rel);
    }

private:
    QTemporaryDir dir;
    QString previous;
};

// Relative path → bytes of every file under root; folders as "path/" with no bytes.
using TreeSnapshot = QMap<QString, QByteArray>;

inline TreeSnapshot snapshotTree(const QString& root)
{
    TreeSnapshot out;
    QDirIterator it(root, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString p = it.next();
        const QString rel = QDir(root).relativeFilePath(p);
        if (it.fileInfo().isDir())
            out.insert(rel + QLatin1Char('/'), {});
        else
            out.insert(rel, readFileBytes(p));
    }
    return out;
}

// The paths whose presence or bytes differ.
inline QStringList changedPaths(const TreeSnapshot& a, const TreeSnapshot& b)
{
    QStringList out;
    for (auto it = a.cbegin(); it != a.cend(); ++it)
        if (!b.contains(it.key()) || b.value(it.key()) != it.value())
            out.append(it.key());
    for (auto it = b.cbegin(); it != b.cend(); ++it)
        if (!a.contains(it.key()))
            out.append(it.key());
    out.sort();
    return out;
}

// ---------------------------------------------------------------------------
// Watches the event loop: a 1 ms timer counts turns and the longest time
// between two of them (up to the moment the watch stops).

class LoopWatch : public QObject
{
public:
    LoopWatch()
    {
        tick.setTimerType(Qt::PreciseTimer);
        tick.setInterval(1);
        QObject::connect(&tick, &QTimer::timeout, this, [this] { turn(); });
    }
    void start()
    {
        ticks = 0;
        longest = 0;
        clock.start();
        last = 0;
        tick.start();
    }
    void stop()
    {
        turn();
        --ticks;
        tick.stop();
    }
    int ticks = 0;
    qint64 longest = 0;
    qint64 elapsed() const { return clock.elapsed(); }

private:
    void turn()
    {
        const qint64 now = clock.elapsed();
        longest = std::max(longest, now - last);
        last = now;
        ++ticks;
    }
    QTimer tick;
    QElapsedTimer clock;
    qint64 last = 0;
};

// ---------------------------------------------------------------------------
// Faults the virtual mouse does not make itself, between the wire log and the
// mouse: an action at a given command-interface transfer (making the mouse fall
// silent, unplugging it), bulk input that stops coming, bulk reports cut short.

class FaultLayer : public HidBackend
{
public:
    explicit FaultLayer(HidBackend& inner) : inner(inner) {}

    // Runs action just before command-interface transfer number `index` (from 0).
    void atTransfer(int index, std::function<void()> a)
    {
        actionAt = transfers + index;
        action = std::move(a);
    }
    std::atomic<bool> bulkStalled{false};    // bulk reads wait their time-out and get nothing
    std::atomic<int> bulkReportBytes{-1};    // bulk reads deliver at most this many bytes

    std::vector<HidDeviceInfo> enumerate(uint16_t v, uint16_t p) override { return inner.enumerate(v, p); }
    HidDevice* open(const std::string& path) override { return inner.open(path); }
    void close(HidDevice* d) override { inner.close(d); }
    int setNonblocking(HidDevice* d, int n) override { return inner.setNonblocking(d, n); }
    int sendFeatureReport(HidDevice* d, const uint8_t* b, size_t n) override
    {
        before(d);
        return inner.sendFeatureReport(d, b, n);
    }
    int getFeatureReport(HidDevice* d, uint8_t* b, size_t n) override
    {
        before(d);
        return inner.getFeatureReport(d, b, n);
    }
    int write(HidDevice* d, const uint8_t* b, size_t n) override
    {
        before(d);
        return inner.write(d, b, n);
    }
    int read(HidDevice* d, uint8_t* b, size_t n) override { return readTimeout(d, b, n, -1); }
    int readTimeout(HidDevice* d, uint8_t* b, size_t n, int ms) override
    {
        if (!isCommand(d))
            return inner.readTimeout(d, b, n, ms);
        before(d);
        if (bulkStalled) {
            if (ms < 0)
                return -1;   // a blocking read would never end: report it as the stall it is
            std::this_thread::sleep_for(std::chrono::milliseconds(ms));
            return 0;
        }
        const int r = inner.readTimeout(d, b, n, ms);
        const int cut = bulkReportBytes;
        return (cut >= 0 && r > cut) ? cut : r;
    }

private:
    static bool isCommand(HidDevice* d) { return d && d->path == VirtualMouse::kCommandPath; }
    void before(HidDevice* d)
    {
        if (!isCommand(d))
            return;
        if (transfers++ == actionAt && action) {
            auto a = std::move(action);
            action = nullptr;
            a();
        }
    }
    HidBackend& inner;
    int transfers = 0;
    int actionAt = -1;
    std::function<void()> action;
};

// ---------------------------------------------------------------------------
// One step on the command interface as the wire log shows it: the op, what was
// sent (command blocks unscrambled; the random challenge bytes masked), and
// whether the call failed.

struct Step {
    QString op;
    QByteArray sent;
    bool failed = false;
    bool operator==(const Step& o) const { return op == o.op && sent == o.sent && failed == o.failed; }
    bool isTransfer() const { return op != QLatin1String("OPEN") && op != QLatin1String("CLOSE"); }
    int opcode() const { return sent.isEmpty() ? -1 : uint8_t(sent[0]); }
};

inline QString describe(const QList<Step>& steps)
{
    QStringList out;
    for (const Step& s : steps) {
        QString t = s.op;
        if (s.op == QLatin1String("SET_FEATURE"))
            t += QLatin1Char(':') + QString::fromLatin1(s.sent.left(2).toHex(' '));
        if (s.failed)
            t += QLatin1Char('!');
        out.append(t);
    }
    return out.join(QLatin1Char(' '));
}

inline QList<Step> commandSteps(const QList<WireLogEntry>& log)
{
    protocol::SecrecyCode code{};
    protocol::loadSecrecyCode(code, kCode, 6);
    QList<Step> out;
    for (const WireLogEntry& e : log) {
        if (e.path != QLatin1String(VirtualMouse::kCommandPath))
            continue;
        // An answer that did not come (nothing read in time, an empty report) failed too.
        const bool answer = e.op == QLatin1String("GET_FEATURE") || e.op == QLatin1String("READ");
        Step s{e.op, {}, answer ? e.result <= 0 : e.result < 0};
        if (e.op == QLatin1String("SET_FEATURE") && e.bytes.size() == protocol::kFeatureReportSize) {
            QByteArray b = e.bytes.mid(1);
            protocol::unscramble(reinterpret_cast<uint8_t*>(b.data()), code.data());
            if (b[0] == 0) {   // the challenge: random bytes and their checksum
                for (int i = 1; i <= 4; ++i)
                    b[i] = 0;
                b[7] = 0;
            }
            s.sent = b;
        } else if (e.op == QLatin1String("WRITE")) {
            s.sent = e.bytes;
        }
        out.append(s);
    }
    return out;
}

// The commands of a trace: each runs from its OPEN to its CLOSE.
inline QList<QList<Step>> splitCommands(const QList<Step>& steps)
{
    QList<QList<Step>> out;
    for (const Step& s : steps) {
        if (s.op == QLatin1String("OPEN") || out.isEmpty())
            out.append(QList<Step>());
        out.last().append(s);
    }
    return out;
}

inline QList<Step> joinCommands(const QList<QList<Step>>& commands)
{
    QList<Step> out;
    for (const auto& c : commands)
        out += c;
    return out;
}

// The opcode of a command (its first block), or -1.
inline int commandOpcode(const QList<Step>& command)
{
    for (const Step& s : command)
        if (s.op == QLatin1String("SET_FEATURE"))
            return s.opcode();
    return -1;
}

// The command-interface transfer number `index` (from 0) of a trace, as
// (command, step within it); (-1, -1) past the end.
inline std::pair<int, int> locateTransfer(const QList<QList<Step>>& commands, int index)
{
    int n = 0;
    for (int c = 0; c < commands.size(); ++c)
        for (int s = 0; s < commands[c].size(); ++s)
            if (commands[c][s].isTransfer() && n++ == index)
                return {c, s};
    return {-1, -1};
}

// What the program's own sequence prescribes when transfer `index` of the
// fault-free trace fails: that command stops at the failed transfer and closes
// the interface; every later command is still attempted, except those the
// failure makes pointless: a failed challenge ends detection, and option bytes
// that were not read are not written back.
inline QList<Step> expectedAfterFailure(const QList<Step>& baseline, int index, int* failedCommand = nullptr)
{
    QList<QList<Step>> commands = splitCommands(baseline);
    const auto [c, s] = locateTransfer(commands, index);
    if (failedCommand)
        *failedCommand = c;
    if (c < 0)
        return baseline;
    QList<Step> cut = commands[c].mid(0, s + 1);
    cut.last().failed = true;
    cut.append(Step{QStringLiteral("CLOSE"), {}, false});
    commands[c] = cut;
    const int op = commandOpcode(cut);
    if (op == 0x00)
        commands = commands.mid(0, c + 1);
    else if ((op == 0x83 || op == 0x81) && c + 1 < commands.size()) {
        const int next = commandOpcode(commands[c + 1]);
        if (next == 0x03 || next == 0x01)
            commands.removeAt(c + 1);
    }
    return joinCommands(commands);
}

// ---------------------------------------------------------------------------
// The application: window, link and view with a virtual mouse behind a fault
// layer and the wire log. The log lives in its own folder, outside the tree.

class AppRig
{
public:
    using Family = VirtualMouse::Family;

    explicit AppRig(Family family, bool isGun, int reportLength = 32)
    {
        {
            QSettings ap(install.app(QStringLiteral("modules/setting/apConfig.bin")), QSettings::IniFormat);
            ap.setValue(QStringLiteral("mouse/icType"), family == Family::F560 ? QStringLiteral("560")
                                                                              : QStringLiteral("553-24"));
            ap.setValue(QStringLiteral("mouse/isGun"), isGun);
            ap.setValue(QStringLiteral("0/reportLength"), reportLength);
            ap.setValue(QStringLiteral("0/isEncode"), true);
            ap.setValue(QStringLiteral("0/sCode"), QString::fromLatin1(kCode));
        }
        mouse = std::make_unique<VirtualMouse>(
            VirtualMouse::configFromSettings(install.app(QStringLiteral("modules/setting/apConfig.bin"))));
        faults = std::make_unique<FaultLayer>(*mouse);
        logPath = logDir.filePath(QStringLiteral("wire.log"));
        log = std::make_unique<WireLog>(*faults, logPath);
        installHidBackend(log.get());
        window = std::make_unique<Widget>(nullptr, false);
        QTest::qWait(0);
        installedTree = snapshotTree(install.parent());
    }

    ~AppRig()
    {
        window->link.listening = false;
        mouse->unplug();   // wakes a notification read at once
        window.reset();
        installHidBackend(nullptr);
    }

    myQQuickView* view() const { return window->controller->view; }
    Hid_Thread& link() const { return window->link; }

    // Everything logged from now on counts as the next sequence.
    void mark() { seen = readWireLog(logPath).size(); }
    QList<Step> steps() const { return commandSteps(readWireLog(logPath).mid(seen)); }

    // Flushes every settings handle of the view, as the event loop would.
    void flushSettings() const
    {
        view()->globalSettings->sync();
        view()->recoverySettings->sync();
        for (QSettings* s : view()->profileSettings)
            s->sync();
    }

    TreeSnapshot modules() const
    {
        flushSettings();
        return snapshotTree(install.app(QStringLiteral("modules")));
    }

    // Paths outside app/modules that changed since the rig was built.
    QStringList writtenOutsideModules() const
    {
        QStringList out;
        for (const QString& p : changedPaths(installedTree, snapshotTree(install.parent())))
            if (!p.startsWith(QLatin1String("app/modules/")))
                out.append(p);
        return out;
    }

    // Ends the notification loop without waiting out its current read (a report
    // it ignores wakes it), so that a following detection starts at once.
    void quietListener()
    {
        link().listening = false;
        mouse->sendNotification({0, 0, 0, 0});
        link().stopListening();
    }

    // A device change after the mouse came back: the timer's detection must
    // connect again. Returns false when it did not within the timer's time.
    bool detectsAgain(DebugCapture& debug)
    {
        const int connects = debug.count(QStringLiteral("Device Connect"));
        window->handleNativeMessage(native_message::kDeviceChange, 0);
        if (!window->deviceCheckTimer.isActive())
            return false;
        QElapsedTimer t;
        t.start();
        while (debug.count(QStringLiteral("Device Connect")) == connects && t.elapsed() < Widget::kDeviceCheckMs + 3000)
            QTest::qWait(20);
        return debug.count(QStringLiteral("Device Connect")) == connects + 1 && window->deviceConnected
            && link().listening && view()->isEnabled();
    }

    NestedInstall install;
    QTemporaryDir logDir;
    std::unique_ptr<VirtualMouse> mouse;
    std::unique_ptr<FaultLayer> faults;
    std::unique_ptr<WireLog> log;
    QString logPath;
    std::unique_ptr<Widget> window;

private:
    TreeSnapshot installedTree;
    qsizetype seen = 0;
};

} // namespace reliability
