// The commands of the 560 family against the virtual mouse: every frame on the
// wire, the mouse's state afterwards, the per-profile repetitions, and what a
// failure leaves behind.

#include "command_rig.h"

#include "device/virtual/firmware_state.h"

#include <QTimer>
#include <functional>

namespace {

using F = VirtualMouse::Family;

struct Row {
    const char* name;
    std::function<bool(Hid_Thread&)> run;   // false when result or out-arguments are wrong
    QList<QByteArray> blocks;
    QByteArray payload;                     // before padding to whole reports
    int gets;
    int payloadReads;                       // bulk input reports expected (per 128 bytes)
    std::function<bool(const FirmwareState&)> holds;
};

QList<QByteArray> repeated(const char* op, const char* value, const char* const checksums[4], int count)
{
    QList<QByteArray> out;
    for (int k = 1; k <= count; ++k)
        out.append(hexBytes(qPrintable(QStringLiteral("%1 0%2 %3 00 00 00 00 %4")
                                           .arg(QLatin1String(op)).arg(k).arg(QLatin1String(value))
                                           .arg(QLatin1String(checksums[k - 1])))));
    return out;
}

} // namespace

class TestCommands560 : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { pacing::setTimeScale(0.02); }
    void wireAndState_data();
    void wireAndState();
    void repetitionWithRecoilSendsFirstBlockOnly();
    void failedBlockDoesNotEndRepetition();
    void repetitionKeepsTheLink();
    void heldLinkSendsNothing();
    void silentMouseHandsBackPresets();
    void profileReadFailingPartWay();
};

void TestCommands560::wireAndState_data()
{
    QTest::addColumn<int>("reportLength");
    QTest::newRow("reports of 32") << 32;
    QTest::newRow("reports of 64") << 64;
}

void TestCommands560::wireAndState()
{
    QFETCH(int, reportLength);
    CommandRig rig(F::F560, false, reportLength);
    QVERIFY(rig.connected);

    const QByteArray profile = patternBytes(128, 0x13);
    const QByteArray matrix64 = patternBytes(64, 0x23);
    const QByteArray macro128 = patternBytes(128, 0x33);
    const FirmwareState factory = FirmwareState::factory();
    const char* const rate2[4] = {"F9", "F8", "F7", "F6"};
    const char* const dpi2[4] = {"F8", "F7", "F6", "F5"};
    const int reads128 = 128 / std::min(128, reportLength);

    const QList<Row> rows = {
        {"01H options", [](Hid_Thread& l) { return l.hid560_01H_SetKeyboardoption(0x0A, 0x0B); },
         {hexBytes("01 0A 0B 00 00 00 00 E9")}, {}, 0, 0,
         [](auto& s) { return s.keyboardOptions[0] == 0x0A && s.keyboardOptions[1] == 0x0B; }},
        {"02H profile 3", [](Hid_Thread& l) { return l.hid560_02H_SetCurrentProfile(3); },
         {hexBytes("02 03 00 00 00 00 00 FA")}, {}, 0, 0, [](auto& s) { return s.currentProfile == 3; }},
        {"03H report rate 2, profiles 1..4", [](Hid_Thread& l) { return l.hid560_03H_SetReportRate(2); },
         repeated("03", "02", rate2, 4), {}, 0, 0,
         [](auto& s) { return s.reportRate == std::array<uint8_t, 5>{4, 2, 2, 2, 2}; }},
        {"04H dpi stage 2, profiles 1..4", [](Hid_Thread& l) { return l.hid560_04H_SetCurrentDPI(2); },
         repeated("04", "02", dpi2, 4), {}, 0, 0,
         [](auto& s) { return s.dpiStage == std::array<uint8_t, 5>{3, 2, 2, 2, 2}; }},
        {"0CH profile block 1", [&](Hid_Thread& l) { QByteArray b = profile; return l.hid560_0CH_setProfile(bytesOf(b), 1); },
         {hexBytes("0C 01 80 00 00 00 00 72")}, profile, 0, 0,
         [&](auto& s) { return asBytes(s.profileBlocks[1]) == profile && s.profileBlocks[2] == factory.profileBlocks[2]; }},
        {"0DH key matrix 1: 64 bytes and 64 zeros", [&](Hid_Thread& l) { QByteArray b = matrix64; return l.hid560_0DH_SetKeyMatrix(bytesOf(b), 1); },
         {hexBytes("0D 01 80 00 00 00 00 71")}, matrix64 + QByteArray(64, 0), 0, 0,
         [&](auto& s) { return asBytes(s.keyMatrices[0]) == matrix64 + QByteArray(64, 0) && s.keyMatrices[1] == factory.keyMatrices[1]; }},
        {"0FH macro 5", [&](Hid_Thread& l) { QByteArray b = macro128; return l.hid560_0FH_SetMacroKey(5, bytesOf(b)); },
         {hexBytes("0F 05 80 00 00 00 00 6B")}, macro128, 0, 0,
         [&](auto& s) { return asBytes(s.macros[4]) == macro128 && s.macros[5] == factory.macros[5]; }},
        {"81H options read back", [](Hid_Thread& l) {
             uchar b1 = 0xAA, b2 = 0xAA;
             return l.hid560_81H_GetKeyboardoption(b1, b2) && b1 == 0x0A && b2 == 0x0B; },
         {hexBytes("81 00 00 00 00 00 00 7E")}, {}, 1, 0, [](auto&) { return true; }},
        {"82H profile read back", [](Hid_Thread& l) {
             uchar p = 0x77;
             return l.hid560_82H_GetCurrentProfile(p) && p == 3; },
         {hexBytes("82 00 00 00 00 00 00 7D")}, {}, 1, 0, [](auto&) { return true; }},
        {"84H dpi stage of profile 1", [](Hid_Thread& l) {
             uchar b1 = 1, b2 = 0;
             return l.hid560_84H_GetCurrentDPI(b1, b2) && b1 == 1 && b2 == 2; },
         {hexBytes("84 01 00 00 00 00 00 7A")}, {}, 1, 0, [](auto&) { return true; }},
        {"8CH factory block 3", [](Hid_Thread& l) {
             QByteArray b(128, char(0xEE));
             return l.hid560_8CH_readProfile(bytesOf(b), 3) && b == asBytes(FirmwareState::factoryProfileBlock(3)); },
         {hexBytes("8C 03 00 00 00 00 00 70")}, {}, 1, reads128, [](auto&) { return true; }},
        {"8CH block 1 as written", [&](Hid_Thread& l) {
             QByteArray b(128, 0);
             return l.hid560_8CH_readProfile(bytesOf(b), 1) && b == profile; },
         {hexBytes("8C 01 00 00 00 00 00 72")}, {}, 1, reads128, [](auto&) { return true; }},
    };

    for (const Row& row : rows) {
        rig.mark();
        QVERIFY2(row.run(rig.link), row.name);
        const WireCommand c = rig.commandSinceMark();
        QVERIFY2(c.blocks == row.blocks, row.name);
        QVERIFY2(c.payload == paddedPayload(row.payload, reportLength), row.name);
        for (int size : c.writeSizes)
            QVERIFY2(size == reportLength + 1, row.name);
        QVERIFY2(c.gets == row.gets, row.name);
        QVERIFY2(c.reads == row.payloadReads, row.name);
        QVERIFY2(c.opens == row.blocks.size() && c.closes == row.blocks.size(), row.name);
        QVERIFY2(row.holds(rig.mouse->state()), row.name);
        QVERIFY2(rig.link.linkFree, row.name);
    }
}

void TestCommands560::repetitionWithRecoilSendsFirstBlockOnly()
{
    CommandRig rig(F::F560, true);
    QVERIFY(rig.connected);
    QVERIFY(rig.link.modelIsGun());
    rig.mark();
    QVERIFY(rig.link.hid560_03H_SetReportRate(1));
    QVERIFY(rig.link.hid560_04H_SetCurrentDPI(5));
    const WireCommand c = rig.commandSinceMark();
    QCOMPARE(c.blocks, (QList<QByteArray>{hexBytes("03 01 01 00 00 00 00 FA"), hexBytes("04 01 05 00 00 00 00 F5")}));
    const FirmwareState s = rig.mouse->state();
    QCOMPARE(s.reportRate, (std::array<uint8_t, 5>{4, 1, 4, 4, 4}));
    QCOMPARE(s.dpiStage, (std::array<uint8_t, 5>{3, 5, 3, 3, 3}));
}

void TestCommands560::failedBlockDoesNotEndRepetition()
{
    CommandRig rig(F::F560, false);
    QVERIFY(rig.connected);
    rig.mark();
    rig.mouse->failTransfers(1, 1);   // the second block's feature report fails
    QVERIFY(!rig.link.hid560_03H_SetReportRate(8));
    const WireCommand c = rig.commandSinceMark();
    QCOMPARE(c.blocks.size(), 4);
    QCOMPARE(c.blocks[3], hexBytes("03 04 08 00 00 00 00 F0"));
    QCOMPARE(rig.mouse->state().reportRate, (std::array<uint8_t, 5>{4, 8, 4, 8, 8}));
    QVERIFY(rig.link.linkFree);
}

void TestCommands560::repetitionKeepsTheLink()
{
    CommandRig rig(F::F560, false);
    QVERIFY(rig.connected);
    // Event processing between the blocks must never find the link free: a
    // command run there would rebuild the block the next transfer sends.
    bool running = true;
    bool sawFree = false;
    QTimer probe;
    probe.setInterval(0);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        if (running && rig.link.linkFree)
            sawFree = true;
    });
    probe.start();
    rig.mark();
    QVERIFY(rig.link.hid560_04H_SetCurrentDPI(6));
    running = false;
    probe.stop();
    QVERIFY(!sawFree);
    QCOMPARE(rig.commandSinceMark().blocks.size(), 4);
}

void TestCommands560::heldLinkSendsNothing()
{
    CommandRig rig(F::F560, false);
    QVERIFY(rig.connected);
    QByteArray buf = patternBytes(128, 5);
    const QByteArray before = buf;
    uchar a = 1, b = 2;

    const QList<std::pair<QString, std::function<bool(Hid_Thread&)>>> rows = {
        {"cmd Failed 01", [](Hid_Thread& l) { return l.hid560_01H_SetKeyboardoption(1, 2); }},
        {"cmd Failed 02", [](Hid_Thread& l) { return l.hid560_02H_SetCurrentProfile(1); }},
        {"cmd Failed 03", [](Hid_Thread& l) { return l.hid560_03H_SetReportRate(1); }},
        {"cmd Failed 04", [](Hid_Thread& l) { return l.hid560_04H_SetCurrentDPI(1); }},
        {"cmd Failed 0C", [&](Hid_Thread& l) { return l.hid560_0CH_setProfile(bytesOf(buf), 1); }},
        {"cmd Failed 0D", [&](Hid_Thread& l) { return l.hid560_0DH_SetKeyMatrix(bytesOf(buf), 1); }},
        {"cmd Failed 0F", [&](Hid_Thread& l) { return l.hid560_0FH_SetMacroKey(1, bytesOf(buf)); }},
        {"cmd Failed 81", [&](Hid_Thread& l) { return l.hid560_81H_GetKeyboardoption(a, b); }},
        {"cmd Failed 82", [&](Hid_Thread& l) { return l.hid560_82H_GetCurrentProfile(a); }},
        {"cmd Failed 84", [&](Hid_Thread& l) { return l.hid560_84H_GetCurrentDPI(a, b); }},
        {"cmd Failed 8c", [&](Hid_Thread& l) { return l.hid560_8CH_readProfile(bytesOf(buf), 0); }},
    };
    for (const auto& [line, run] : rows) {
        rig.link.linkFree = false;   // another command holds the link throughout
        rig.mark();
        DebugLines debug;
        QVERIFY2(!run(rig.link), qPrintable(line));
        QVERIFY2(debug.lines == QStringList{line}, qPrintable(debug.lines.join(QLatin1Char('|'))));
        QVERIFY2(rig.sinceMark().isEmpty(), qPrintable(line));
    }
    QCOMPARE(buf, before);
    QCOMPARE(a, uchar(1));
    QCOMPARE(b, uchar(2));
    QVERIFY(rig.mouse->state().reportRate == FirmwareState::factory().reportRate);
}

void TestCommands560::silentMouseHandsBackPresets()
{
    CommandRig rig(F::F560, false);
    QVERIFY(rig.connected);
    rig.mouse->setSilent(true);
    uchar o1 = 0x11, o2 = 0x22;
    QVERIFY(!rig.link.hid560_81H_GetKeyboardoption(o1, o2));
    QCOMPARE(o1, uchar(0x11));
    QCOMPARE(o2, uchar(0x22));
    uchar p = 0x33;
    QVERIFY(!rig.link.hid560_82H_GetCurrentProfile(p));
    QCOMPARE(p, uchar(0x33));
    uchar k = 1, stage = 0x44;
    QVERIFY(!rig.link.hid560_84H_GetCurrentDPI(k, stage));
    QCOMPARE(k, uchar(1));
    QCOMPARE(stage, uchar(0x44));
    QByteArray block = patternBytes(128, 0x55);
    const QByteArray before = block;
    QVERIFY(!rig.link.hid560_8CH_readProfile(bytesOf(block), 2));
    QCOMPARE(block, before);
    QVERIFY(rig.link.linkFree);
}

void TestCommands560::profileReadFailingPartWay()
{
    CommandRig rig(F::F560, false, 32);
    QVERIFY(rig.connected);
    // Block, answer and the first report pass; the second report fails.
    rig.mouse->failTransfers(1, 3);
    QByteArray block(128, char(0xEE));
    QVERIFY(!rig.link.hid560_8CH_readProfile(bytesOf(block), 4));
    const QByteArray factory = asBytes(FirmwareState::factoryProfileBlock(4));
    QCOMPARE(block.left(32), factory.left(32));
    QCOMPARE(block.mid(32), QByteArray(96, char(0xEE)));
    QVERIFY(rig.link.linkFree);
}

QTEST_MAIN(TestCommands560)
#include "tst_commands560.moc"
