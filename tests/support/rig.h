#pragma once
// The test rig: a scratch copy of the installation tree with the model flags, the
// virtual mouse behind a fault layer and the wire log, one decoder of what the log
// shows, debug-line capture, and thin layers for link-level and application tests.
#include "device/hid_thread.h"
#include "device/virtual/virtual_mouse.h"
#include "device/wire_log.h"
#include "view/file_chooser.h"
#include "view/myqquickview.h"
#include "wire_log_reader.h"

#include <QElapsedTimer>
#include <QMap>
#include <QMutex>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>
#include <QVariantList>
#include <array>
#include <atomic>
#include <functional>
#include <memory>

class Widget;
using Family = VirtualMouse::Family;
Q_DECLARE_METATYPE(Family)

// ---------------------------------------------------------------------------
// Files

// A copy of the shipped tree at <parent>/app/modules, with <parent>/app the current
// directory, so every ./modules/ path lands there and a write beside it shows too.
class ScratchInstall
{
public:
    ScratchInstall();
    ~ScratchInstall();
    QString parent() const { return dir.path(); }
    QString path() const { return dir.filePath(QStringLiteral("app")); }
    QString file(const QString& relative) const { return path() + QLatin1Char('/') + relative; }

private:
    QTemporaryDir dir;
    QString previous;
};

QByteArray readFileBytes(const QString& path);   // empty when absent
void writeFile(const QString& path, const QByteArray& bytes);   // the test fails when it cannot

// Relative path -> bytes of every file under root; folders as "path/" (modes left out:
// the fault tests change them). install_rig.h has the snapshot with modes.
using TreeSnapshot = QMap<QString, QByteArray>;
TreeSnapshot treeBytes(const QString& root);
QStringList changedPaths(const TreeSnapshot& a, const TreeSnapshot& b);

QVariantList ints(std::initializer_list<int> values);
QStringList texts(const QVariantList& list);
QByteArray blockHex(const char* first7);   // a plain block from its first bytes, checksum appended
template <size_t N>
QByteArray bytesOf(const std::array<uint8_t, N>& a, int from = 0, int count = int(N))
{
    return QByteArray(reinterpret_cast<const char*>(a.data()) + from, count);
}

// Answers every file dialog with one path (empty = cancelled) and records the question.
struct DialogLog {
    int opens = 0;
    int saves = 0;
    QString filter;
};
class ScriptedChooser : public FileChooser
{
public:
    explicit ScriptedChooser(QString answer, DialogLog* log = nullptr) : answer(std::move(answer)), log(log) {}
    QString openFile(QWidget*, const QString& title, const QString& filter) override;
    QString saveFile(QWidget*, const QString& title, const QString& filter) override;

private:
    QString ask(int DialogLog::*counter, const QString& filter);
    QString answer;
    DialogLog* log;
};

// ---------------------------------------------------------------------------
// Environment variables set to paths while it lives; afterwards each is what it was
// (or unset again).
class EnvironmentPaths
{
public:
    EnvironmentPaths(std::initializer_list<std::pair<const char*, QString>> paths);
    ~EnvironmentPaths();

private:
    QList<std::pair<const char*, QByteArray>> previous;
};

// ---------------------------------------------------------------------------
// Debug lines written (from any thread) while it lives.
class DebugLines
{
public:
    DebugLines();
    ~DebugLines();
    QStringList lines() const;
    int count(const QString& line) const { return int(lines().count(line)); }
    bool any(const QString& part) const;
    void clear();

private:
    static void handler(QtMsgType, const QMessageLogContext&, const QString& msg);
    mutable QMutex mutex;
    QStringList captured;
    QtMessageHandler previous = nullptr;
};

// Counts turns of the event loop and the longest time between two (a 1 ms timer).
class LoopWatch : public QObject
{
public:
    LoopWatch();
    void start();
    void stop();
    int ticks = 0;
    qint64 longest = 0;
    qint64 elapsed() const { return clock.elapsed(); }

private:
    void turn();
    QTimer tick;
    QElapsedTimer clock;
    qint64 last = 0;
};

// ---------------------------------------------------------------------------
// Bulk-read faults the virtual mouse does not make itself, between the wire log and
// the mouse (on the command interface only).
class FaultLayer : public HidBackend
{
public:
    explicit FaultLayer(HidBackend& inner) : inner(inner) {}
    std::atomic<int> bulkReportsBeforeStall{-1}; // then bulk reads wait their time-out, get nothing (-1: never)
    std::atomic<int> bulkReportBytes{-1};        // bulk reads deliver at most this many bytes (-1: all)
    QList<int> bulkTimeoutsAsked;                // the time-out of every bulk read
    int blockingBulkReads = 0;

    std::vector<HidDeviceInfo> enumerate(uint16_t v, uint16_t p) override { return inner.enumerate(v, p); }
    HidDevice* open(const std::string& path) override { return inner.open(path); }
    void close(HidDevice* d) override { inner.close(d); }
    int setNonblocking(HidDevice* d, int n) override { return inner.setNonblocking(d, n); }
    int sendFeatureReport(HidDevice* d, const uint8_t* b, size_t n) override { return inner.sendFeatureReport(d, b, n); }
    int getFeatureReport(HidDevice* d, uint8_t* b, size_t n) override { return inner.getFeatureReport(d, b, n); }
    int write(HidDevice* d, const uint8_t* b, size_t n) override { return inner.write(d, b, n); }
    int read(HidDevice* d, uint8_t* b, size_t n) override;
    int readTimeout(HidDevice* d, uint8_t* b, size_t n, int ms) override;

private:
    HidBackend& inner;
};

// ---------------------------------------------------------------------------
// The wire log decoded: one step per call on the command interface, with what was
// sent (blocks unscrambled; WRITE: the bytes after the report ID) and whether it failed.
struct Step {
    QString op;
    QByteArray sent;
    bool failed = false;
    bool operator==(const Step& o) const { return op == o.op && sent == o.sent && failed == o.failed; }
    bool isTransfer() const { return op != QLatin1String("OPEN") && op != QLatin1String("CLOSE"); }
    int opcode() const { return sent.isEmpty() ? -1 : uint8_t(sent[0]); }
};

// code: the secrecy code of scrambled blocks (nullptr: plain); maskChallenge zeroes
// the random challenge bytes and their checksum.
QList<Step> decodeSteps(const QList<WireLogEntry>& log, const char* code, bool maskChallenge = false);
QList<QList<Step>> splitCommands(const QList<Step>& steps);   // OPEN ... CLOSE each
QList<Step> joinCommands(const QList<QList<Step>>& commands);
int commandOpcode(const QList<Step>& command);                // of its first block, or -1
QList<int> opcodesOf(const QList<Step>& steps);               // one per command
QList<QByteArray> blocksOf(const QList<Step>& steps);
QByteArray payloadOf(const QList<Step>& steps);
int countOf(const QList<Step>& steps, const char* op);
QString describe(const QList<Step>& steps);                   // "OPEN SET_FEATURE:8c 02 READ! CLOSE"

// ---------------------------------------------------------------------------
// The mouse side: a scratch install whose apConfig.bin carries the model, the
// virtual mouse, the fault layer and the wire log installed as the HID backend.
struct Model {
    Family family = Family::F553;
    bool isGun = false;
    bool isColorful = true;
    int reportLength = 32;
    bool isEncode = true;
    QString mouseCode = QStringLiteral("735102");   // the code the mouse holds
};

class MouseRig
{
public:
    static constexpr const char* kCode = "735102";
    explicit MouseRig(const Model& model = {});
    virtual ~MouseRig();
    MouseRig(const MouseRig&) = delete;
    MouseRig& operator=(const MouseRig&) = delete;

    void mark();                               // what is logged from now on is the next sequence
    QList<WireLogEntry> entries() const;       // since the mark, both interfaces, raw
    QList<Step> steps(bool maskChallenge = false) const;   // since the mark
    QList<QByteArray> blocks() const { return blocksOf(steps()); }
    FirmwareState state() const { return mouse->state(); }
    void uninstall();                          // gives the HID seam back (the rig's own end)

    Model model;
    ScratchInstall install;
    QTemporaryDir logDir;                      // outside the tree the tests snapshot
    QString logPath;
    std::unique_ptr<VirtualMouse> mouse;
    std::unique_ptr<FaultLayer> faults;
    std::unique_ptr<WireLog> log;

private:
    qsizetype seen = 0;
    bool installed = false;
};

// The link and a view on it, the interfaces found and the secrecy code loaded.
// p1.bin's factory key matrix is recognisable: button n is (1, n, 0xF0 + n, 7 for 15 else 0).
class LinkRig : public MouseRig
{
public:
    explicit LinkRig(const Model& model = {});
    ~LinkRig() override;
    void readBlocks();   // the profile blocks a connection reads (0, 1; 2..4 with recoil); marks
    static QByteArray factoryMatrixBytes();

    std::unique_ptr<Hid_Thread> link;
    std::unique_ptr<myQQuickView> view;
};

// The whole application: the main window with its link and view.
class AppRig : public MouseRig
{
public:
    explicit AppRig(const Model& model = {}, bool loadScene = false);
    ~AppRig() override;
    myQQuickView* view() const;
    Hid_Thread& link() const;
    TreeSnapshot modules() const;               // the settings handles flushed first
    QStringList writtenOutsideModules() const;  // changed since the rig was built
    void quietListener();                       // ends the notification loop at once
    bool detectsAgain(DebugLines& debug);       // a device change connects again

    std::unique_ptr<Widget> window;

private:
    TreeSnapshot installedTree;
};

// A host of its own on the virtual mouse: raw blocks and payload reports, for the
// checks of the mouse itself (the link never sends what these send).
struct RawHost {
    explicit RawHost(VirtualMouse& mouse);
    ~RawHost();
    int send(protocol::Block block, bool fixChecksum = true);   // scrambled as the mouse expects
    bool payload(int bytes, uint8_t seed = 0x99);
    VirtualMouse& mouse;
    HidDevice* cmd;
};
