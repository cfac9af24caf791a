// The virtual mouse at the HID level: scrambled blocks in, firmware state and
// answers out, and the faults it injects on demand.

#include "device/commands/opcodes.h"
#include "device/protocol.h"
#include "device/virtual/virtual_mouse.h"

#include <QElapsedTimer>
#include <QTest>
#include <cstring>
#include <thread>

namespace {

using protocol::Block;
using Bytes = std::vector<uint8_t>;

protocol::SecrecyCode codeOf(const char* text)
{
    protocol::SecrecyCode c{};
    protocol::loadSecrecyCode(c, text, 6);
    return c;
}

// Block with opcode, parameters and checksum.
Block blockOf(uint8_t op, const Bytes& params)
{
    Block b{};
    b[0] = op;
    std::copy_n(params.begin(), std::min<size_t>(params.size(), 6), b.begin() + 1);
    b[7] = protocol::checksum(b.data());
    return b;
}

// The host side of the wire, written out here so the mouse is checked against
// the framing itself rather than against the link.
struct Wire {
    VirtualMouse& mouse;
    protocol::SecrecyCode code;
    bool encode;
    HidDevice* cmd;

    Wire(VirtualMouse& m, const char* hostCode = "735102")
        : mouse(m), code(codeOf(hostCode)), encode(m.config().isEncode),
          cmd(m.open(VirtualMouse::kCommandPath)) {}
    ~Wire() { mouse.close(cmd); }

    int sendRaw(Block b)
    {
        uint8_t frame[protocol::kFeatureReportSize] = {0};
        if (encode)
            protocol::scramble(b.data(), code.data());
        std::memcpy(frame + 1, b.data(), b.size());
        return mouse.sendFeatureReport(cmd, frame, sizeof frame);
    }
    int send(uint8_t op, const Bytes& params) { return sendRaw(blockOf(op, params)); }
    int answer(Block& out)
    {
        uint8_t frame[protocol::kFeatureReportSize] = {0};
        const int n = mouse.getFeatureReport(cmd, frame, sizeof frame);
        std::memcpy(out.data(), frame + 1, out.size());
        if (encode)
            protocol::unscramble(out.data(), code.data());
        return n;
    }
    bool payload(const Bytes& data)
    {
        const size_t len = static_cast<size_t>(mouse.config().reportLength);
        for (size_t off = 0; off < data.size(); off += len) {
            Bytes report(len + 1, 0);
            std::copy_n(data.begin() + static_cast<long>(off), std::min(len, data.size() - off), report.begin() + 1);
            if (mouse.write(cmd, report.data(), report.size()) != static_cast<int>(report.size()))
                return false;
        }
        return true;
    }
};

Bytes pattern(size_t n, uint8_t seed)
{
    Bytes b(n);
    for (size_t i = 0; i < n; ++i)
        b[i] = static_cast<uint8_t>(seed + 7 * i);
    return b;
}

VirtualMouse::Config config(VirtualMouse::Family family, int reportLength = 32, bool encode = true)
{
    VirtualMouse::Config c;
    c.family = family;
    c.reportLength = reportLength;
    c.isEncode = encode;
    return c;
}

} // namespace

class TestVirtualMouse : public QObject
{
    Q_OBJECT
private slots:
    void challengeEcho_data();
    void challengeEcho();
    void ignoredBlocksChangeNothing();
    void answerIsHandedOutOnce();
    void profileReadServesReports_data();
    void profileReadServesReports();
    void malformedPayloadReportIsDropped();
    void unplugAndPlug();
    void injectedFaults();
    void notificationReadWaitsAndWakes();
};

void TestVirtualMouse::challengeEcho_data()
{
    QTest::addColumn<bool>("encode");
    QTest::addColumn<QString>("hostCode");
    QTest::addColumn<bool>("echoed");
    QTest::newRow("same code") << true << "735102" << true;
    QTest::newRow("other code") << true << "735103" << false;
    QTest::newRow("plain, code ignored") << false << "000000" << true;
}

void TestVirtualMouse::challengeEcho()
{
    QFETCH(bool, encode);
    QFETCH(QString, hostCode);
    QFETCH(bool, echoed);
    for (auto family : {VirtualMouse::Family::F553, VirtualMouse::Family::F560}) {
        VirtualMouse mouse(config(family, 32, encode));
        Wire wire(mouse, hostCode.toLatin1().constData());
        QCOMPARE(wire.send(op553::kGetSecrecyCode, {0x3A, 0x00, 0xC5, 0x7F}), 9);
        Block a{};
        QCOMPARE(wire.answer(a), 9);
        const bool same = a[1] == 0x3A && a[2] == 0x00 && a[3] == 0xC5 && a[4] == 0x7F;
        QCOMPARE(same, echoed);
        if (echoed)
            QCOMPARE(a[7], protocol::checksum(a.data()));
    }
}

void TestVirtualMouse::ignoredBlocksChangeNothing()
{
    using F = VirtualMouse::Family;
    const struct {
        const char* name;
        F family;
        Block block;
        int payload;
    } cases[] = {
        {"553 broken checksum", F::F553, [] { Block b = blockOf(op553::kSetReportRate, {2}); b[7] ^= 1; return b; }(), 0},
        {"553 matrix broken checksum", F::F553, [] { Block b = blockOf(op553::kSetKeyMatrix, {1, 0x40, 8}); b[7] ^= 0x80; return b; }(), 64},
        {"560 profile broken checksum", F::F560, [] { Block b = blockOf(op560::kSetProfile, {1, 0x80}); b[7] = 0; return b; }(), 128},
        {"553 matrix 5", F::F553, blockOf(op553::kSetKeyMatrix, {5, 0x40, 8}), 64},
        {"553 macro 13", F::F553, blockOf(op553::kSetMacroKey, {13, 0x80}), 128},
        {"553 gun slot 4", F::F553, blockOf(op553::kSetGunData, {0, 1, 2, 3, 4}), 0},
        {"553 colour type 2 announcing 24", F::F553, blockOf(op553::kSetLed8StageColor, {2, 24}), 24},
        {"560 profile 5", F::F560, blockOf(op560::kSetProfile, {5, 0x80}), 128},
        {"560 rate for profile 0", F::F560, blockOf(op560::kSetReportRate, {0, 2}), 0},
        {"553 opcode of the other family", F::F553, blockOf(op560::kSetProfile, {1, 0x80}), 128},
    };
    for (const auto& c : cases) {
        VirtualMouse mouse(config(c.family));
        Wire wire(mouse);
        QVERIFY2(wire.sendRaw(c.block) == 9, c.name);   // taken off the wire ...
        QVERIFY2(wire.payload(pattern(static_cast<size_t>(c.payload), 0x99)), c.name);
        QVERIFY2(mouse.state() == FirmwareState::factory(), c.name);   // ... and ignored
    }
}

void TestVirtualMouse::answerIsHandedOutOnce()
{
    VirtualMouse mouse(config(VirtualMouse::Family::F560));
    Wire wire(mouse);
    QCOMPARE(wire.send(op560::kSetCurrentDpi, {3, 7}), 9);
    QCOMPARE(wire.send(op560::kGetCurrentDpi, {3}), 9);
    Block a{};
    QCOMPARE(wire.answer(a), 9);
    QCOMPARE(a, blockOf(op560::kGetCurrentDpi, {3, 7}));
    // The next read without a new query sees the idle frame of zeros.
    Block idle{};
    protocol::unscramble(idle.data(), wire.code.data());
    QCOMPARE(wire.answer(a), 9);
    QCOMPARE(a, idle);
}

void TestVirtualMouse::profileReadServesReports_data()
{
    QTest::addColumn<int>("reportLength");
    QTest::addColumn<int>("reports");
    QTest::newRow("32") << 32 << 4;
    QTest::newRow("64") << 64 << 2;
    QTest::newRow("200") << 200 << 1;
}

void TestVirtualMouse::profileReadServesReports()
{
    QFETCH(int, reportLength);
    QFETCH(int, reports);
    VirtualMouse mouse(config(VirtualMouse::Family::F560, reportLength));
    Wire wire(mouse);
    QCOMPARE(wire.send(op560::kReadProfile, {3}), 9);
    Block a{};
    QCOMPARE(wire.answer(a), 9);
    Bytes got;
    for (int i = 0; i < reports; ++i) {
        Bytes report(static_cast<size_t>(reportLength) + 1, 0xEE);
        QCOMPARE(mouse.readTimeout(wire.cmd, report.data(), report.size(), 100), reportLength);
        QCOMPARE(report[static_cast<size_t>(reportLength)], uint8_t(0xEE));   // reportLength bytes, no report ID
        got.insert(got.end(), report.begin(), report.begin() + reportLength);
    }
    const auto factory = FirmwareState::factoryProfileBlock(3);
    QVERIFY(std::equal(factory.begin(), factory.end(), got.begin()));
    QVERIFY(std::all_of(got.begin() + 128, got.end(), [](uint8_t b) { return b == 0; }));
    // Nothing more is queued: a bounded read times out, a blocking one reports the stall.
    uint8_t extra[300];
    QCOMPARE(mouse.readTimeout(wire.cmd, extra, sizeof extra, 10), 0);
    QCOMPARE(mouse.read(wire.cmd, extra, sizeof extra), -1);
}

void TestVirtualMouse::malformedPayloadReportIsDropped()
{
    VirtualMouse mouse(config(VirtualMouse::Family::F553));
    Wire wire(mouse);
    QCOMPARE(wire.send(op553::kSetKeyMatrix, {1, 0x40, 8}), 9);
    Bytes shortReport(32, 0);   // report ID + 31 bytes: one short
    QCOMPARE(mouse.write(wire.cmd, shortReport.data(), shortReport.size()), -1);
    QVERIFY(wire.payload(pattern(64, 3)));   // the rest of the payload no longer belongs to a command
    QVERIFY(mouse.state() == FirmwareState::factory());
    // A payload split by a new block is dropped too.
    QCOMPARE(wire.send(op553::kSetKeyMatrix, {1, 0x40, 8}), 9);
    QVERIFY(wire.payload(pattern(32, 3)));
    QCOMPARE(wire.send(op553::kSetReportRate, {2}), 9);
    QVERIFY(wire.payload(pattern(32, 5)));
    const FirmwareState s = mouse.state();
    QCOMPARE(s.keyMatrices[0], FirmwareState::factory().keyMatrices[0]);
    QCOMPARE(s.reportRate[0], uint8_t(2));
}

void TestVirtualMouse::unplugAndPlug()
{
    VirtualMouse mouse(config(VirtualMouse::Family::F553));
    QCOMPARE(mouse.enumerate(0x1209, 0x0001).size(), size_t(2));
    QCOMPARE(mouse.enumerate(0, 0).size(), size_t(2));
    QVERIFY(mouse.enumerate(0x1209, 0x0002).empty());
    HidDevice* old = mouse.open(VirtualMouse::kCommandPath);
    QVERIFY(old);
    mouse.unplug();
    QVERIFY(!mouse.pluggedIn());
    QVERIFY(mouse.enumerate(0, 0).empty());
    QVERIFY(!mouse.open(VirtualMouse::kCommandPath));
    QVERIFY(!mouse.open(VirtualMouse::kNotifyPath));
    uint8_t frame[9] = {0};
    QCOMPARE(mouse.sendFeatureReport(old, frame, 9), -1);
    mouse.plug();
    // A handle from before the unplug stays dead; a new one works.
    QCOMPARE(mouse.sendFeatureReport(old, frame, 9), -1);
    mouse.close(old);
    Wire wire(mouse);
    QVERIFY(wire.cmd);
    QCOMPARE(wire.send(op553::kSetReportRate, {4}), 9);
    QCOMPARE(mouse.state().reportRate[0], uint8_t(4));
    QVERIFY(!mouse.open("hidraw:elsewhere"));
}

void TestVirtualMouse::injectedFaults()
{
    VirtualMouse mouse(config(VirtualMouse::Family::F553));
    Wire wire(mouse);
    Block a{};

    // Failing transfers: one passes, the next two fail and change nothing, then all pass.
    mouse.failTransfers(2, 1);
    QCOMPARE(wire.send(op553::kSetReportRate, {2}), 9);
    QCOMPARE(wire.send(op553::kSetReportRate, {4}), -1);
    QCOMPARE(wire.send(op553::kSetReportRate, {8}), -1);
    QCOMPARE(mouse.state().reportRate[0], uint8_t(2));
    QCOMPARE(wire.send(op553::kSetReportRate, {1}), 9);
    QCOMPARE(mouse.transferCount(), 4);

    // Silent: the block is taken, the answer never comes.
    mouse.setSilent(true);
    QCOMPARE(wire.send(op553::kGetCurrentDpi, {}), 9);
    QCOMPARE(wire.answer(a), -1);
    mouse.setSilent(false);

    // Wrong-length and garbage answers.
    mouse.setAnswerLength(5);
    QCOMPARE(wire.send(op553::kGetCurrentDpi, {}), 9);
    QCOMPARE(wire.answer(a), 5);
    mouse.setAnswerLength(-1);
    mouse.setGarbageAnswers(true);
    QCOMPARE(wire.send(op553::kGetSecrecyCode, {1, 2, 3, 4}), 9);
    QCOMPARE(wire.answer(a), 9);
    QVERIFY(!(a[1] == 1 && a[2] == 2 && a[3] == 3 && a[4] == 4));
    mouse.setGarbageAnswers(false);

    // Unplug after two more transfers: the second still runs, the third finds no mouse.
    mouse.unplugAfterTransfers(2);
    QCOMPARE(wire.send(op553::kSetCurrentDpi, {3}), 9);
    QVERIFY(mouse.pluggedIn());
    QCOMPARE(wire.send(op553::kSetCurrentDpi, {6}), 9);
    QVERIFY(!mouse.pluggedIn());
    QCOMPARE(wire.send(op553::kSetCurrentDpi, {7}), -1);
    QCOMPARE(mouse.state().dpiStage[0], uint8_t(6));
}

void TestVirtualMouse::notificationReadWaitsAndWakes()
{
    VirtualMouse mouse(config(VirtualMouse::Family::F560));
    HidDevice* n = mouse.open(VirtualMouse::kNotifyPath);
    QVERIFY(n);
    uint8_t r[8] = {0};

    // Nothing to hear: the read waits its whole time-out.
    QElapsedTimer t;
    t.start();
    QCOMPARE(mouse.readTimeout(n, r, 4, 150), 0);
    QVERIFY(t.elapsed() >= 145);

    // A press from another thread ends the wait early.
    std::thread hand([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        mouse.pressDpiButton(3);
    });
    t.restart();
    QCOMPARE(mouse.readTimeout(n, r, 8, 2000), 4);
    hand.join();
    QVERIFY(t.elapsed() < 1500);
    QCOMPARE(Bytes(r, r + 4), (Bytes{0x06, 0x07, 0x00, 0x03}));
    QCOMPARE(mouse.state().dpiStage[1], uint8_t(3));   // the current profile's stage

    // A raw report is passed on as it is, truncated to the reader's room.
    mouse.sendNotification({0x06, 0x07, 0x00, 0x09, 0x55});
    QCOMPARE(mouse.readTimeout(n, r, 4, 100), 4);
    QCOMPARE(r[3], uint8_t(9));

    // Unplugging wakes a blocked reader with an error.
    std::thread pull([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        mouse.unplug();
    });
    t.restart();
    QCOMPARE(mouse.readTimeout(n, r, 4, 2000), -1);
    pull.join();
    QVERIFY(t.elapsed() < 1500);
    mouse.close(n);
}

QTEST_GUILESS_MAIN(TestVirtualMouse)
#include "tst_virtual_mouse.moc"
