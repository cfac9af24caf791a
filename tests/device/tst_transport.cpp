// Framing and pacing of the transport, read back from the wire log of commands
// sent to the virtual mouse, and the state the link is left in after faults.
#include "device/hid_thread.h"
#include "device/pacing.h"
#include "device/virtual/virtual_mouse.h"
#include "device/wire_log.h"
#include "test_support.h"
#include "wire_log_reader.h"

#include <QElapsedTimer>
#include <QTimer>
#include <QtTest>

namespace {

const char* const kCode = "735102";

// Passes everything on, but lets the mouse's bulk input reports stop after a
// number of them: the read then times out. Records the time-outs asked for.
class StallingBulkInput : public HidBackend
{
public:
    explicit StallingBulkInput(HidBackend& inner) : inner(inner) {}
    HidBackend& inner;
    int reportsBeforeStall = 1 << 30;
    QList<int> timeoutsAsked;
    int blockingReads = 0;

    std::vector<HidDeviceInfo> enumerate(uint16_t v, uint16_t p) override { return inner.enumerate(v, p); }
    HidDevice* open(const std::string& path) override { return inner.open(path); }
    void close(HidDevice* d) override { inner.close(d); }
    int setNonblocking(HidDevice* d, int n) override { return inner.setNonblocking(d, n); }
    int sendFeatureReport(HidDevice* d, const uint8_t* b, size_t n) override { return inner.sendFeatureReport(d, b, n); }
    int getFeatureReport(HidDevice* d, uint8_t* b, size_t n) override { return inner.getFeatureReport(d, b, n); }
    int write(HidDevice* d, const uint8_t* b, size_t n) override { return inner.write(d, b, n); }
    int read(HidDevice* d, uint8_t* b, size_t n) override
    {
        ++blockingReads;
        return inner.read(d, b, n);
    }
    int readTimeout(HidDevice* d, uint8_t* b, size_t n, int ms) override
    {
        timeoutsAsked.append(ms);
        if (reportsBeforeStall-- <= 0)
            return 0;   // nothing came within the time-out
        return inner.readTimeout(d, b, n, ms);
    }
};

struct Rig {
    ScratchInstall install;
    VirtualMouse mouse;
    StallingBulkInput stall{mouse};
    std::unique_ptr<WireLog> log;
    QString logPath;
    Hid_Thread link;

    explicit Rig(int reportLength, bool isEncode = true, VirtualMouse::Family family = VirtualMouse::Family::F553)
        : mouse(config(reportLength, isEncode, family))
    {
        logPath = install.file(QStringLiteral("wire.log"));
        log = std::make_unique<WireLog>(stall, logPath);
        installHidBackend(log.get());
        auto* rec = new DeviceRecord;
        rec->vid = 0x1209;
        rec->pid = 0x0001;
        rec->reportLength = reportLength;
        rec->isEncode = isEncode;
        rec->commandPath = QString::fromLatin1(VirtualMouse::kCommandPath);
        rec->notifyPath = QString::fromLatin1(VirtualMouse::kNotifyPath);
        link.replaceDeviceTable({rec});
        link.currentDevice = 0;
        protocol::loadSecrecyCode(secrecyCode(), kCode, 6);
    }
    ~Rig() { installHidBackend(nullptr); }

    static VirtualMouse::Config config(int reportLength, bool isEncode, VirtualMouse::Family family)
    {
        VirtualMouse::Config c;
        c.reportLength = reportLength;
        c.isEncode = isEncode;
        c.sCode = QString::fromLatin1(kCode);
        c.family = family;
        return c;
    }
    QList<WireLogEntry> wire() const { return readWireLog(logPath); }
};

QByteArray scrambledFeature(uint8_t opcode, std::initializer_list<uint8_t> params)
{
    protocol::Block b = protocol::makeBlock(opcode, params);
    protocol::SecrecyCode c{};
    protocol::loadSecrecyCode(c, kCode, 6);
    protocol::scramble(b.data(), c.data());
    return QByteArray(1, '\0') + QByteArray(reinterpret_cast<const char*>(b.data()), 8);
}

QByteArray pattern(int n, int seed)
{
    QByteArray b(n, '\0');
    for (int i = 0; i < n; ++i)
        b[i] = static_cast<char>((i * 7 + seed) & 0xFF);
    return b;
}

// Pauses end late at most by this much on a loaded machine; less than one
// settle pause, so an extra pause would show.
constexpr double kLateSlackMs = 110.0;

} // namespace

class TstTransport : public QObject
{
    Q_OBJECT
private slots:
    void init() { pacing::setTimeScale(0.0); }
    void cleanup() { pacing::setTimeScale(1.0); }

    void shortPayloadIsPaddedToReportLength();
    void payloadSplitsIntoReports_data();
    void payloadSplitsIntoReports();
    void pacingAroundBulkReports();
    void heldLinkSendsNothing();
    void stalledBulkInputFailsWithinItsTimeout();
    void failedOpenForgetsThePath();
    void failedTransfersCloseAndFreeTheLink_data();
    void failedTransfersCloseAndFreeTheLink();
};

void TstTransport::shortPayloadIsPaddedToReportLength()
{
    Rig rig(32);
    QByteArray dpi = pattern(8, 1);
    QVERIFY(rig.link.hid553_11H_SetDPISet(2, reinterpret_cast<uchar*>(dpi.data())));
    const QList<WireLogEntry> wire = rig.wire();
    QStringList ops;
    for (const auto& e : wire)
        ops << e.op;
    QCOMPARE(ops, (QStringList{"OPEN", "SET_FEATURE", "WRITE", "CLOSE"}));
    QCOMPARE(wire[1].bytes, scrambledFeature(0x11, {2, 8}));
    QCOMPARE(wire[1].result, 9);
    QCOMPARE(wire[2].result, 33);
    QCOMPARE(wire[2].bytes, QByteArray(1, '\0') + dpi + QByteArray(24, '\0'));
    QVERIFY(rig.link.linkFree);
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(rig.mouse.state().dpiSet.data()), 8), dpi);
}

void TstTransport::payloadSplitsIntoReports_data()
{
    QTest::addColumn<int>("reportLength");
    QTest::addColumn<int>("reports");
    QTest::newRow("64") << 64 << 2;
    QTest::newRow("32") << 32 << 4;
    QTest::newRow("128") << 128 << 1;
}

void TstTransport::payloadSplitsIntoReports()
{
    QFETCH(int, reportLength);
    QFETCH(int, reports);
    Rig rig(reportLength);
    QByteArray macro = pattern(128, 3);
    QVERIFY(rig.link.hid553_13H_SetMacroKey(4, reinterpret_cast<uchar*>(macro.data())));
    const QList<WireLogEntry> writes = entriesWithOp(rig.wire(), "WRITE");
    QCOMPARE(writes.size(), reports);
    for (int i = 0; i < reports; ++i) {
        QCOMPARE(writes[i].bytes.size(), reportLength + 1);
        QCOMPARE(writes[i].bytes, QByteArray(1, '\0') + macro.mid(i * reportLength, reportLength));
    }
    QCOMPARE(entriesWithOp(rig.wire(), "SET_FEATURE")[0].bytes, scrambledFeature(0x13, {4, 0x80}));
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(rig.mouse.state().macros[3].data()), 128), macro);
}

void TstTransport::pacingAroundBulkReports()
{
    pacing::setTimeScale(1.0);
    Rig rig(64);
    QByteArray macro = pattern(128, 9);
    int ticks = 0;   // the window keeps running timers while the transport waits
    QTimer ticker;
    ticker.setInterval(20);
    connect(&ticker, &QTimer::timeout, this, [&] { ++ticks; });
    ticker.start();
    QVERIFY(rig.link.hid553_13H_SetMacroKey(1, reinterpret_cast<uchar*>(macro.data())));
    ticker.stop();

    const QList<WireLogEntry> wire = rig.wire();
    const QList<WireLogEntry> set = entriesWithOp(wire, "SET_FEATURE");
    const QList<WireLogEntry> writes = entriesWithOp(wire, "WRITE");
    const QList<WireLogEntry> close = entriesWithOp(wire, "CLOSE");
    QCOMPARE(set.size(), 1);
    QCOMPARE(writes.size(), 2);
    QCOMPARE(close.size(), 1);
    const double settle = 2 * pacing::kSettleStepMs;
    const double gap = pacing::kBulkReportGapMs;
    // Settle pause after the block, 120 ms after each report, settle pause again.
    const double toFirst = writes[0].ms - set[0].ms;
    const double between = writes[1].ms - writes[0].ms;
    const double toClose = close[0].ms - writes[1].ms;
    QVERIFY2(toFirst >= settle && toFirst < settle + kLateSlackMs, qPrintable(QString::number(toFirst)));
    QVERIFY2(between >= gap && between < gap + kLateSlackMs, qPrintable(QString::number(between)));
    QVERIFY2(toClose >= gap + settle && toClose < gap + settle + kLateSlackMs, qPrintable(QString::number(toClose)));
    QVERIFY2(ticks >= 15, qPrintable(QString::number(ticks)));
}

void TstTransport::heldLinkSendsNothing()
{
    pacing::setTimeScale(1.0);
    Rig rig(32);
    rig.link.linkFree = false;
    bool timerRan = false;
    QTimer::singleShot(100, this, [&] { timerRan = true; });
    QElapsedTimer clock;
    clock.start();
    QTest::ignoreMessage(QtDebugMsg, "cmd Failed 01");
    QVERIFY(!rig.link.hid553_01H_SetReportRate(1));
    const qint64 waited = clock.elapsed();
    QVERIFY2(waited >= pacing::kLinkAttempts * pacing::kLinkRetryMs, qPrintable(QString::number(waited)));
    QVERIFY(timerRan);   // events were processed while waiting
    QCOMPARE(rig.wire().size(), 0);
    QVERIFY(!rig.link.linkFree);

    // Query commands hand their arguments back untouched.
    pacing::setTimeScale(0.0);
    uchar b1 = 0x11, b2 = 0x22, b3 = 0x33, b4 = 0x44;
    QTest::ignoreMessage(QtDebugMsg, "cmd Failed 83");
    rig.link.hid553_83H_GetKeyboardoption(b1, b2, b3, b4);
    QCOMPARE((std::array<uchar, 4>{b1, b2, b3, b4}), (std::array<uchar, 4>{0x11, 0x22, 0x33, 0x44}));
    QCOMPARE(rig.wire().size(), 0);
}

void TstTransport::stalledBulkInputFailsWithinItsTimeout()
{
    Rig rig(32, true, VirtualMouse::Family::F560);
    rig.stall.reportsBeforeStall = 1;
    std::array<uchar, 128> block{};
    block.fill(0xEE);
    QVERIFY(!rig.link.hid560_8CH_readProfile(block.data(), 1));
    QVERIFY(rig.link.linkFree);
    // The chunk that came is kept; the rest keeps the caller's preset.
    const auto factory = FirmwareState::factoryProfileBlock(1);
    QVERIFY(std::equal(block.begin(), block.begin() + 32, factory.begin()));
    QVERIFY(std::all_of(block.begin() + 32, block.end(), [](uchar b) { return b == 0xEE; }));
    const QList<WireLogEntry> wire = rig.wire();
    QCOMPARE(wire.last().op, QStringLiteral("CLOSE"));
    QCOMPARE(rig.stall.blockingReads, 0);
    QCOMPARE(rig.stall.timeoutsAsked.size(), 2);
    // The link works again at once.
    rig.stall.reportsBeforeStall = 1 << 30;
    QVERIFY(rig.link.hid560_8CH_readProfile(block.data(), 1));
    QCOMPARE(block, factory);
    QCOMPARE(entriesWithOp(rig.wire(), "READ").size(), 2 + 4);
    for (int ms : rig.stall.timeoutsAsked)
        QCOMPARE(ms, pacing::kBulkReadTimeoutMs);
    QCOMPARE(rig.stall.blockingReads, 0);
}

void TstTransport::failedOpenForgetsThePath()
{
    Rig rig(32);
    rig.mouse.unplug();
    QVERIFY(!rig.link.hid553_01H_SetReportRate(1));
    QVERIFY(rig.link.linkFree);
    QVERIFY(rig.link.deviceTable[0]->commandPath.isEmpty());
    QCOMPARE(rig.wire().size(), 1);
    QCOMPARE(rig.wire()[0].op, QStringLiteral("OPEN"));
    QCOMPARE(rig.wire()[0].result, -1);
    rig.mouse.plug();
    // Until the next detection nothing is tried.
    QVERIFY(!rig.link.hid553_01H_SetReportRate(1));
    QCOMPARE(rig.wire().size(), 1);
}

void TstTransport::failedTransfersCloseAndFreeTheLink_data()
{
    QTest::addColumn<int>("after");     // transfers that still succeed
    QTest::addColumn<int>("writes");    // WRITE lines expected
    QTest::newRow("block") << 0 << 0;
    QTest::newRow("first report") << 1 << 1;
    QTest::newRow("third report") << 3 << 3;
}

void TstTransport::failedTransfersCloseAndFreeTheLink()
{
    QFETCH(int, after);
    QFETCH(int, writes);
    Rig rig(32);
    QByteArray macro = pattern(128, 5);
    rig.mouse.failTransfers(1, after);
    QVERIFY(!rig.link.hid553_13H_SetMacroKey(2, reinterpret_cast<uchar*>(macro.data())));
    QVERIFY(rig.link.linkFree);
    const QList<WireLogEntry> wire = rig.wire();
    QCOMPARE(entriesWithOp(wire, "WRITE").size(), writes);
    QCOMPARE(wire.last().op, QStringLiteral("CLOSE"));
    QCOMPARE(wire[wire.size() - 2].result, -1);
    // The next command goes through.
    QVERIFY(rig.link.hid553_13H_SetMacroKey(2, reinterpret_cast<uchar*>(macro.data())));
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(rig.mouse.state().macros[1].data()), 128), macro);
}

QTEST_MAIN(TstTransport)
#include "tst_transport.moc"
