#include "rig.h"

#include "app/widget.h"
#include "device/detection.h"
#include "device/device_table.h"
#include "ui_host/ui_controler.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QSettings>
#include <QTest>
#include <chrono>
#include <thread>

// --- files ---

ScratchInstall::ScratchInstall()
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
    QDir::setCurrent(path());
}

ScratchInstall::~ScratchInstall() { QDir::setCurrent(previous); }

QByteArray readFileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY2(f.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(path));
    QCOMPARE(f.write(bytes), bytes.size());
}

TreeSnapshot treeBytes(const QString& root)
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

QStringList changedPaths(const TreeSnapshot& a, const TreeSnapshot& b)
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

QVariantList ints(std::initializer_list<int> values)
{
    QVariantList out;
    for (int v : values)
        out.append(v);
    return out;
}

QStringList texts(const QVariantList& list)
{
    QStringList out;
    for (const QVariant& v : list)
        out << v.toString();
    return out;
}

QByteArray blockHex(const char* first7)
{
    QByteArray b = bytesFromHex(first7);
    b.resize(7, '\0');
    return b + char(protocol::checksum(reinterpret_cast<const uint8_t*>(b.constData())));
}

QString ScriptedChooser::ask(int DialogLog::*counter, const QString& filter)
{
    if (log) {
        ++(log->*counter);
        log->filter = filter;
    }
    return answer;
}
QString ScriptedChooser::openFile(QWidget*, const QString&, const QString& f) { return ask(&DialogLog::opens, f); }
QString ScriptedChooser::saveFile(QWidget*, const QString&, const QString& f) { return ask(&DialogLog::saves, f); }

// --- debug lines ---

namespace {
DebugLines* activeLines = nullptr;
}

EnvironmentPaths::EnvironmentPaths(std::initializer_list<std::pair<const char*, QString>> paths)
{
    for (const auto& [name, path] : paths) {
        previous.append({name, qgetenv(name)});
        qputenv(name, QFile::encodeName(path));
    }
}

EnvironmentPaths::~EnvironmentPaths()
{
    for (const auto& [name, value] : std::as_const(previous))
        value.isNull() ? qunsetenv(name) : qputenv(name, value);
}

DebugLines::DebugLines()
{
    previous = qInstallMessageHandler(&DebugLines::handler);
    activeLines = this;
}

DebugLines::~DebugLines()
{
    qInstallMessageHandler(previous);
    activeLines = nullptr;
}

void DebugLines::handler(QtMsgType, const QMessageLogContext&, const QString& msg)
{
    if (DebugLines* a = activeLines) {
        QMutexLocker l(&a->mutex);
        a->captured.append(msg);
    }
}

QStringList DebugLines::lines() const
{
    QMutexLocker l(&mutex);
    return captured;
}

bool DebugLines::any(const QString& part) const
{
    for (const QString& l : lines())
        if (l.contains(part))
            return true;
    return false;
}

void DebugLines::clear()
{
    QMutexLocker l(&mutex);
    captured.clear();
}

LoopWatch::LoopWatch()
{
    tick.setTimerType(Qt::PreciseTimer);
    tick.setInterval(1);
    QObject::connect(&tick, &QTimer::timeout, this, [this] { turn(); });
}

void LoopWatch::start()
{
    ticks = 0;
    longest = 0;
    last = 0;
    clock.start();
    tick.start();
}

void LoopWatch::stop()
{
    turn();
    --ticks;
    tick.stop();
}

void LoopWatch::turn()
{
    const qint64 now = clock.elapsed();
    longest = std::max(longest, now - last);
    last = now;
    ++ticks;
}

// --- fault layer ---

namespace {
bool isCommand(HidDevice* d) { return d && d->path == VirtualMouse::kCommandPath; }
}

int FaultLayer::read(HidDevice* d, uint8_t* b, size_t n)
{
    if (isCommand(d))
        ++blockingBulkReads;
    return readTimeout(d, b, n, -1);
}

int FaultLayer::readTimeout(HidDevice* d, uint8_t* b, size_t n, int ms)
{
    if (!isCommand(d))
        return inner.readTimeout(d, b, n, ms);
    if (ms >= 0)
        bulkTimeoutsAsked.append(ms);
    if (bulkReportsBeforeStall == 0) {
        if (ms < 0)
            return -1;   // a blocking read would never end: report it as the stall it is
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
        return 0;
    }
    if (bulkReportsBeforeStall > 0)
        --bulkReportsBeforeStall;
    const int r = inner.readTimeout(d, b, n, ms);
    const int cut = bulkReportBytes;
    return (cut >= 0 && r > cut) ? cut : r;
}

// --- decoder ---

QList<Step> decodeSteps(const QList<WireLogEntry>& log, const char* code, bool maskChallenge)
{
    protocol::SecrecyCode secret{};
    if (code)
        protocol::loadSecrecyCode(secret, code, 6);
    QList<Step> out;
    for (const WireLogEntry& e : log) {
        if (e.path != QLatin1String(VirtualMouse::kCommandPath))
            continue;
        // An answer that did not come (nothing read in time, an empty report) failed too.
        const bool answer = e.op == QLatin1String("GET_FEATURE") || e.op == QLatin1String("READ");
        Step s{e.op, {}, answer ? e.result <= 0 : e.result < 0};
        if (e.op == QLatin1String("SET_FEATURE")) {
            s.sent = e.bytes.mid(1);
            if (code && s.sent.size() == 8)
                protocol::unscramble(reinterpret_cast<uint8_t*>(s.sent.data()), secret.data());
            if (maskChallenge && s.opcode() == 0) {
                for (int i : {1, 2, 3, 4, 7})
                    s.sent[i] = 0;
            }
        } else if (e.op == QLatin1String("WRITE")) {
            s.sent = e.bytes.mid(1);
        }
        out.append(s);
    }
    return out;
}

QList<QList<Step>> splitCommands(const QList<Step>& steps)
{
    QList<QList<Step>> out;
    for (const Step& s : steps) {
        if (s.op == QLatin1String("OPEN") || out.isEmpty())
            out.append(QList<Step>());
        out.last().append(s);
    }
    return out;
}

QList<Step> joinCommands(const QList<QList<Step>>& commands)
{
    QList<Step> out;
    for (const auto& c : commands)
        out += c;
    return out;
}

int commandOpcode(const QList<Step>& command)
{
    for (const Step& s : command)
        if (s.op == QLatin1String("SET_FEATURE"))
            return s.opcode();
    return -1;
}

QList<int> opcodesOf(const QList<Step>& steps)
{
    QList<int> out;
    for (const auto& c : splitCommands(steps))
        out.append(commandOpcode(c));
    return out;
}

QList<QByteArray> blocksOf(const QList<Step>& steps)
{
    QList<QByteArray> out;
    for (const Step& s : steps)
        if (s.op == QLatin1String("SET_FEATURE"))
            out.append(s.sent);
    return out;
}

QByteArray payloadOf(const QList<Step>& steps)
{
    QByteArray out;
    for (const Step& s : steps)
        if (s.op == QLatin1String("WRITE"))
            out += s.sent;
    return out;
}

int countOf(const QList<Step>& steps, const char* op)
{
    return int(std::count_if(steps.begin(), steps.end(), [op](const Step& s) { return s.op == QLatin1String(op); }));
}

QString describe(const QList<Step>& steps)
{
    QStringList out;
    for (const Step& s : steps) {
        QString t = s.op;
        if (s.op == QLatin1String("SET_FEATURE"))
            t += QLatin1Char(':') + QString::fromLatin1(s.sent.left(2).toHex(' '));
        out.append(s.failed ? t + QLatin1Char('!') : t);
    }
    return out.join(QLatin1Char(' '));
}

// --- rigs ---

MouseRig::MouseRig(const Model& m) : model(m)
{
    const QString apConfig = install.file(QStringLiteral("modules/setting/apConfig.bin"));
    {
        QSettings ap(apConfig, QSettings::IniFormat);
        ap.setValue(QStringLiteral("mouse/icType"), m.family == Family::F560 ? QStringLiteral("560") : QStringLiteral("553-24"));
        ap.setValue(QStringLiteral("mouse/isGun"), m.isGun);
        ap.setValue(QStringLiteral("mouse/isColorful"), m.isColorful);
        ap.setValue(QStringLiteral("0/reportLength"), m.reportLength);
        ap.setValue(QStringLiteral("0/isEncode"), m.isEncode);
        ap.setValue(QStringLiteral("0/sCode"), QString::fromLatin1(kCode));
    }
    VirtualMouse::Config config = VirtualMouse::configFromSettings(apConfig);
    config.sCode = m.mouseCode;
    mouse = std::make_unique<VirtualMouse>(config);
    faults = std::make_unique<FaultLayer>(*mouse);
    logPath = logDir.filePath(QStringLiteral("wire.log"));
    log = std::make_unique<WireLog>(*faults, logPath);
    installHidBackend(log.get());
    installed = true;
}

MouseRig::~MouseRig() { uninstall(); }

void MouseRig::uninstall()
{
    if (installed)
        installHidBackend(nullptr);
    installed = false;
}

void MouseRig::mark() { seen = readWireLog(logPath).size(); }

QList<WireLogEntry> MouseRig::entries() const { return readWireLog(logPath).mid(seen); }

QList<Step> MouseRig::steps(bool maskChallenge) const
{
    return decodeSteps(entries(), model.isEncode ? kCode : nullptr, maskChallenge);
}

namespace {
QVariantList factoryEntry(int n) { return ints({1, n, 0xF0 + n, n == 15 ? 7 : 0}); }
}

LinkRig::LinkRig(const Model& m) : MouseRig(m), link(std::make_unique<Hid_Thread>())
{
    {
        QSettings p1(QStringLiteral("modules/setting/p1.bin"), QSettings::IniFormat);
        for (int n = 0; n < 16; ++n)
            p1.setValue(QStringLiteral("mouseFwKeyMatrix/%1").arg(n), factoryEntry(n));
    }
    const QString apConfig = QStringLiteral("modules/setting/apConfig.bin");
    link->replaceDeviceTable(device_table::load(apConfig));
    detection::findInterfaces(link->deviceTable, *mouse);
    link->currentDevice = 0;
    protocol::loadSecrecyCode(secrecyCode(), kCode, 6);
    view = std::make_unique<myQQuickView>();
    view->setLink(link.get());
}

LinkRig::~LinkRig()
{
    view.reset();
    link.reset();   // its notification loop ends before the backend goes
    uninstall();
}

void LinkRig::readBlocks()
{
    const int last = view->isGun ? 4 : 1;
    for (int b = 0; b <= last; ++b)
        link->hid560_8CH_readProfile(view->profileBlocks[b].data(), static_cast<uchar>(b));
    mark();
}

QByteArray LinkRig::factoryMatrixBytes()
{
    QByteArray m;
    for (int n = 0; n < 16; ++n)
        for (const QVariant& v : factoryEntry(n))
            m.append(static_cast<char>(v.toInt()));
    return m;
}

AppRig::AppRig(const Model& m, bool loadScene) : MouseRig(m)
{
    window = std::make_unique<Widget>(nullptr, loadScene);
    QTest::qWait(0);
    installedTree = treeBytes(install.parent());
}

AppRig::~AppRig()
{
    if (window) {
        window->link.listening = false;
        mouse->unplug();   // wakes a notification read at once
        window.reset();
    }
    uninstall();
}

myQQuickView* AppRig::view() const { return window->controller->view; }
Hid_Thread& AppRig::link() const { return window->link; }

TreeSnapshot AppRig::modules() const
{
    view()->globalSettings->sync();
    view()->recoverySettings->sync();
    for (QSettings* s : view()->profileSettings)
        s->sync();
    return treeBytes(install.file(QStringLiteral("modules")));
}

QStringList AppRig::writtenOutsideModules() const
{
    QStringList out;
    for (const QString& p : changedPaths(installedTree, treeBytes(install.parent())))
        if (!p.startsWith(QLatin1String("app/modules/")))
            out.append(p);
    return out;
}

void AppRig::quietListener()
{
    link().listening = false;
    mouse->sendNotification({0, 0, 0, 0});   // a report it ignores wakes the read
    link().stopListening();
}

bool AppRig::detectsAgain(DebugLines& debug)
{
    const int connects = debug.count(QStringLiteral("Device Connect"));
    window->handleNativeMessage(native_message::kDeviceChange, 0);
    if (!window->deviceCheckTimer.isActive())
        return false;
    QElapsedTimer t;
    t.start();   // a hang guard: the timer's own period and then some seconds
    while (debug.count(QStringLiteral("Device Connect")) == connects && t.elapsed() < Widget::kDeviceCheckMs + 5000)
        QTest::qWait(20);
    return debug.count(QStringLiteral("Device Connect")) == connects + 1 && window->deviceConnected
        && link().listening && view()->isEnabled();
}

RawHost::RawHost(VirtualMouse& m) : mouse(m), cmd(m.open(VirtualMouse::kCommandPath)) {}

RawHost::~RawHost() { mouse.close(cmd); }

int RawHost::send(protocol::Block b, bool fixChecksum)
{
    if (fixChecksum)
        b[7] = protocol::checksum(b.data());
    if (mouse.config().isEncode) {
        protocol::SecrecyCode code{};
        protocol::loadSecrecyCode(code, MouseRig::kCode, 6);
        protocol::scramble(b.data(), code.data());
    }
    uint8_t frame[protocol::kFeatureReportSize] = {0};
    std::copy(b.begin(), b.end(), frame + 1);
    return mouse.sendFeatureReport(cmd, frame, sizeof frame);
}

bool RawHost::payload(int bytes, uint8_t seed)
{
    const int len = mouse.config().reportLength;
    for (int off = 0; off < bytes; off += len) {
        std::vector<uint8_t> report(size_t(len) + 1, 0);
        for (int i = 0; i < len && off + i < bytes; ++i)
            report[size_t(i) + 1] = uint8_t(seed + 7 * (off + i));
        if (mouse.write(cmd, report.data(), report.size()) != int(report.size()))
            return false;
    }
    return true;
}
