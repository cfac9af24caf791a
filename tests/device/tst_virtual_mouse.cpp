// The virtual mouse where a lax emulator would let the device tests pass falsely.
#include "rig.h"

#include "device/commands/opcodes.h"

#include <QDeadlineTimer>
#include <QTest>
#include <thread>

using protocol::Block;
using protocol::makeBlock;
Q_DECLARE_METATYPE(Block)

namespace {

// Reads the notification interface while another thread runs action after 50 ms; the
// read must end with result long before its 20 s time-out (a hang guard).
void readWokenBy(VirtualMouse& mouse, HidDevice* n, uint8_t* r, int result, const std::function<void()>& action)
{
    std::thread hand([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        action();
    });
    const QDeadlineTimer guard(10000, Qt::PreciseTimer);
    QCOMPARE(mouse.readTimeout(n, r, 8, 20000), result);
    hand.join();
    QVERIFY(!guard.hasExpired());
}

} // namespace

class TestVirtualMouse : public QObject
{
    Q_OBJECT
private slots:
    void ignoredBlocksChangeNothing()
    {
        using enum Family;
        const struct {
            Family family;
            Block block;   // sent as it is
            int payload;   // bytes of payload reports after it
        } cases[] = {
            {F553, {op553::kSetKeyMatrix, 1, 0x40, 8, 0, 0, 0, 0x25}, 64},   // the checksum would be a4
            {F560, {op560::kSetProfile, 1, 0x80, 0, 0, 0, 0, 0xF3}, 128},    // ... 72
            {F553, makeBlock(op553::kSetKeyMatrix, {5, 0x40, 8}), 64},
            {F553, makeBlock(op553::kSetMacroKey, {13, 0x80}), 128},
            {F553, makeBlock(op553::kSetGunData, {0, 1, 2, 3, 4}), 0},      // gun slot 4
            {F553, makeBlock(op553::kSetLed8StageColor, {2, 24}), 24},      // type 2 takes 4 bytes
            {F560, makeBlock(op560::kSetProfile, {5, 0x80}), 128},
            {F560, makeBlock(op560::kSetReportRate, {0, 2}), 0},
            {F553, makeBlock(op560::kSetProfile, {1, 0x80}), 128},          // the other family's opcode
        };
        for (const auto& c : cases) {
            MouseRig rig({c.family});
            RawHost host(*rig.mouse);
            const QByteArray name = bytesOf(c.block).toHex(' ');
            QVERIFY2(host.send(c.block, false) == 9, name);   // taken off the wire ...
            QVERIFY2(host.payload(c.payload), name);
            QVERIFY2(rig.state() == FirmwareState::factory(), name);   // ... and ignored
        }
    }

    void malformedPayloadReportIsDropped()
    {
        MouseRig rig;
        RawHost host(*rig.mouse);
        QCOMPARE(host.send(makeBlock(op553::kSetKeyMatrix, {1, 0x40, 8})), 9);
        std::vector<uint8_t> shortReport(32, 0);   // report ID + 31 bytes: one short
        QCOMPARE(rig.mouse->write(host.cmd, shortReport.data(), shortReport.size()), -1);
        QVERIFY(host.payload(64));   // the rest no longer belongs to a command
        QVERIFY(rig.state() == FirmwareState::factory());
        // A payload split by a new block is dropped too.
        QCOMPARE(host.send(makeBlock(op553::kSetKeyMatrix, {1, 0x40, 8})), 9);
        QVERIFY(host.payload(32));
        QCOMPARE(host.send(makeBlock(op553::kSetReportRate, {2})), 9);
        QVERIFY(host.payload(32));
        QCOMPARE(rig.state().keyMatrices[0], FirmwareState::factory().keyMatrices[0]);
        QCOMPARE(rig.state().reportRate[0], uint8_t(2));
    }

    void notificationReadWaitsAndWakes_data()
    {
        QTest::addColumn<Family>("family");
        QTest::addColumn<Block>("setOption");   // the host sets the notification bit
        QTest::newRow("553") << Family::F553 << makeBlock(op553::kSetKeyboardOption, {5, 0x10, 0, 0x42});
        QTest::newRow("560") << Family::F560 << makeBlock(op560::kSetKeyboardOption, {0x0D, 0x10});
    }

    // A press is reported only once the host has set the option bit; until then a read
    // waits its whole time-out. A press or an unplug from another thread wakes it.
    void notificationReadWaitsAndWakes()
    {
        QFETCH(Family, family);
        QFETCH(Block, setOption);
        MouseRig rig({family});
        VirtualMouse& mouse = *rig.mouse;
        HidDevice* n = mouse.open(VirtualMouse::kNotifyPath);
        QVERIFY(n);
        uint8_t r[8] = {0};
        mouse.pressDpiButton(2);
        const QDeadlineTimer wait(150, Qt::PreciseTimer);
        QCOMPARE(mouse.readTimeout(n, r, 4, 150), 0);
        QVERIFY(wait.hasExpired());
        QCOMPARE(RawHost(mouse).send(setOption), 9);

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
