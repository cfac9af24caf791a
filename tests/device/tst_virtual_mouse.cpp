// The virtual mouse where a lax emulator would let the device tests pass falsely.
#include "rig.h"

#include "device/commands/opcodes.h"

#include <QElapsedTimer>
#include <QTest>
#include <thread>

namespace {

protocol::Block blockOf(uint8_t op, std::initializer_list<uint8_t> params) { return protocol::makeBlock(op, params); }

// Reads the notification interface while another thread runs action after 50 ms; the
// read must end with result long before its 20 s time-out (a hang guard).
void readWokenBy(VirtualMouse& mouse, HidDevice* n, uint8_t* r, int result, const std::function<void()>& action)
{
    std::thread hand([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        action();
    });
    QElapsedTimer t;
    t.start();
    QCOMPARE(mouse.readTimeout(n, r, 8, 20000), result);
    hand.join();
    QVERIFY(t.elapsed() < 10000);
}

} // namespace

class TestVirtualMouse : public QObject
{
    Q_OBJECT
private slots:
    void ignoredBlocksChangeNothing()
    {
        const struct {
            const char* name;
            Family family;
            protocol::Block block;
            bool brokenChecksum;
            int payload;
        } cases[] = {
            {"553 matrix broken checksum", Family::F553, blockOf(op553::kSetKeyMatrix, {1, 0x40, 8}), true, 64},
            {"560 profile broken checksum", Family::F560, blockOf(op560::kSetProfile, {1, 0x80}), true, 128},
            {"553 matrix 5", Family::F553, blockOf(op553::kSetKeyMatrix, {5, 0x40, 8}), false, 64},
            {"553 macro 13", Family::F553, blockOf(op553::kSetMacroKey, {13, 0x80}), false, 128},
            {"553 gun slot 4", Family::F553, blockOf(op553::kSetGunData, {0, 1, 2, 3, 4}), false, 0},
            {"553 colour type 2 announcing 24", Family::F553, blockOf(op553::kSetLed8StageColor, {2, 24}), false, 24},
            {"560 profile 5", Family::F560, blockOf(op560::kSetProfile, {5, 0x80}), false, 128},
            {"560 rate for profile 0", Family::F560, blockOf(op560::kSetReportRate, {0, 2}), false, 0},
            {"553 opcode of the other family", Family::F553, blockOf(op560::kSetProfile, {1, 0x80}), false, 128},
        };
        for (const auto& c : cases) {
            MouseRig rig({c.family});
            RawHost host(*rig.mouse);
            protocol::Block b = c.block;
            if (c.brokenChecksum)
                b[7] ^= 0x81;
            QVERIFY2(host.send(b, false) == 9, c.name);   // taken off the wire ...
            QVERIFY2(host.payload(c.payload), c.name);
            QVERIFY2(rig.state() == FirmwareState::factory(), c.name);   // ... and ignored
        }
    }

    void malformedPayloadReportIsDropped()
    {
        MouseRig rig;
        RawHost host(*rig.mouse);
        QCOMPARE(host.send(blockOf(op553::kSetKeyMatrix, {1, 0x40, 8})), 9);
        std::vector<uint8_t> shortReport(32, 0);   // report ID + 31 bytes: one short
        QCOMPARE(rig.mouse->write(host.cmd, shortReport.data(), shortReport.size()), -1);
        QVERIFY(host.payload(64));   // the rest no longer belongs to a command
        QVERIFY(rig.state() == FirmwareState::factory());
        // A payload split by a new block is dropped too.
        QCOMPARE(host.send(blockOf(op553::kSetKeyMatrix, {1, 0x40, 8})), 9);
        QVERIFY(host.payload(32));
        QCOMPARE(host.send(blockOf(op553::kSetReportRate, {2})), 9);
        QVERIFY(host.payload(32));
        QCOMPARE(rig.state().keyMatrices[0], FirmwareState::factory().keyMatrices[0]);
        QCOMPARE(rig.state().reportRate[0], uint8_t(2));
    }

    void notificationReadWaitsAndWakes_data()
    {
        QTest::addColumn<Family>("family");
        QTest::addColumn<QByteArray>("setOption");   // the host sets the notification bit
        QTest::newRow("553") << Family::F553 << blockHex("03 05 10 00 42");
        QTest::newRow("560") << Family::F560 << blockHex("01 0d 10");
    }

    // A press is reported only once the host has set the option bit; until then a read
    // waits its whole time-out. A press or an unplug from another thread wakes it.
    void notificationReadWaitsAndWakes()
    {
        QFETCH(Family, family);
        QFETCH(QByteArray, setOption);
        MouseRig rig({family});
        VirtualMouse& mouse = *rig.mouse;
        HidDevice* n = mouse.open(VirtualMouse::kNotifyPath);
        QVERIFY(n);
        uint8_t r[8] = {0};
        mouse.pressDpiButton(2);
        QElapsedTimer t;
        t.start();
        QCOMPARE(mouse.readTimeout(n, r, 4, 150), 0);
        QVERIFY(t.elapsed() >= 150);
        protocol::Block option{};
        std::copy(setOption.begin(), setOption.end(), option.begin());
        QCOMPARE(RawHost(mouse).send(option), 9);

        readWokenBy(mouse, n, r, 4, [&] { mouse.pressDpiButton(3); });
        QCOMPARE(std::vector<uint8_t>(r, r + 4), (std::vector<uint8_t>{0x06, 0x07, 0x00, 0x03}));   // stage 2 never came
        QCOMPARE(rig.state().dpiStage[family == Family::F553 ? 0 : 1], uint8_t(3));   // 560: the current profile's
        mouse.sendNotification({0x06, 0x07, 0x00, 0x09, 0x55});
        QCOMPARE(mouse.readTimeout(n, r, 4, 100), 4);   // passed on as it is, cut to the reader's room
        QCOMPARE(r[3], uint8_t(9));
        readWokenBy(mouse, n, r, -1, [&] { mouse.unplug(); });
        mouse.close(n);
    }
};

QTEST_GUILESS_MAIN(TestVirtualMouse)
#include "tst_virtual_mouse.moc"
