// The commands of the 553 family against the virtual mouse: every frame on the
// wire, the mouse's state afterwards, and what a failure leaves behind.

#include "command_rig.h"

#include "device/virtual/firmware_state.h"

#include <QElapsedTimer>
#include <functional>

namespace {

using F = VirtualMouse::Family;

struct Row {
    const char* name;
    // Issues the command; false when its result or its out-arguments are wrong.
    std::function<bool(Hid_Thread&)> run;
    QList<QByteArray> blocks;   // plain blocks, in order
    QByteArray payload;         // before padding to whole reports
    int gets;
    std::function<bool(const FirmwareState&)> holds;
};

} // namespace

class TestCommands553 : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { pacing::setTimeScale(0.02); }
    void wireAndState_data();
    void wireAndState();
    void settlePausesAtRealTiming();
    void silentMouseHandsBackPresets();
    void heldLinkSendsNothing();
    void missingBuffersSendNothing();
};

void TestCommands553::wireAndState_data()
{
    QTest::addColumn<int>("reportLength");
    QTest::newRow("reports of 32") << 32;
    QTest::newRow("reports of 64") << 64;
}

void TestCommands553::wireAndState()
{
    QFETCH(int, reportLength);
    CommandRig rig(F::F553, false, reportLength);
    QVERIFY(rig.connected);

    const QByteArray colors24 = patternBytes(24, 0x21);
    const QByteArray dpi8 = patternBytes(8, 0x31);
    const QByteArray matrix64 = patternBytes(64, 0x41);
    const QByteArray macro128 = patternBytes(128, 0x51);
    const FirmwareState factory = FirmwareState::factory();

    const QList<Row> rows = {
        {"01H report rate 1", [](Hid_Thread& l) { return l.hid553_01H_SetReportRate(1); },
         {hexBytes("01 01 00 00 00 00 00 FD")}, {}, 0, [](auto& s) { return s.reportRate[0] == 1; }},
        {"02H key matrix 3 active", [](Hid_Thread& l) { return l.hid553_02H_SetCurrentKeyMatrix(3); },
         {hexBytes("02 03 00 00 00 00 00 FA")}, {}, 0, [](auto& s) { return s.activeKeyMatrix == 3; }},
        {"03H options", [](Hid_Thread& l) { return l.hid553_03H_SetKeyboardoption(0x01, 0x02, 0x03, 0x44); },
         {hexBytes("03 01 02 03 44 00 00 B2")}, {}, 0,
         [](auto& s) { return s.keyboardOptions == std::array<uint8_t, 4>{1, 2, 3, 0x44}; }},
        {"04H gun slot 2", [](Hid_Thread& l) { return l.hid553_04H_SetGunData(9, 0x12, 0xF0, 2); },
         {hexBytes("04 00 09 12 F0 02 00 EE")}, {}, 0,
         [](auto& s) { return s.gunSlots[1] == FirmwareState::GunSlot{9, 0x12, 0xF0} && s.gunSlots[0] == FirmwareState::GunSlot{}; }},
        {"0BH dpi stage 5", [](Hid_Thread& l) { return l.hid553_0BH_SetCurrentDPI(5); },
         {hexBytes("0B 05 00 00 00 00 00 EF")}, {}, 0, [](auto& s) { return s.dpiStage[0] == 5; }},
        {"0DH effect", [](Hid_Thread& l) { return l.hid553_0DH_SetRGBLedEffect(3, 4, 5); },
         {hexBytes("0D 03 04 05 00 00 00 E6")}, {}, 0,
         [](auto& s) { return s.ledEffect == 3 && s.ledOption1 == 4 && s.ledOption2 == 5; }},
        {"10H type 2: 4 bytes", [&](Hid_Thread& l) { QByteArray b = colors24; return l.hid553_10H_SetLED8StageColor(2, bytesOf(b)); },
         {hexBytes("10 02 04 00 00 00 00 E9")}, colors24.left(4), 0,
         [&](auto& s) { return asBytes(s.stageColors[2]) == colors24.left(4) + asBytes(factory.stageColors[2]).mid(4); }},
        {"10H type 0: 24 bytes", [&](Hid_Thread& l) { QByteArray b = colors24; return l.hid553_10H_SetLED8StageColor(0, bytesOf(b)); },
         {hexBytes("10 00 18 00 00 00 00 D7")}, colors24, 0,
         [&](auto& s) { return asBytes(s.stageColors[0]) == colors24; }},
        {"10H type 1: 24 bytes", [&](Hid_Thread& l) { QByteArray b = colors24; return l.hid553_10H_SetLED8StageColor(1, bytesOf(b)); },
         {hexBytes("10 01 18 00 00 00 00 D6")}, colors24, 0,
         [&](auto& s) { return asBytes(s.stageColors[1]) == colors24; }},
        {"11H dpi set", [&](Hid_Thread& l) { QByteArray b = dpi8; return l.hid553_11H_SetDPISet(6, bytesOf(b)); },
         {hexBytes("11 06 08 00 00 00 00 E0")}, dpi8, 0,
         [&](auto& s) { return s.dpiCount == 6 && asBytes(s.dpiSet) == dpi8; }},
        {"12H key matrix 1", [&](Hid_Thread& l) { QByteArray b = matrix64; return l.hid553_12H_SetKeyMatrix(bytesOf(b), 1); },
         {hexBytes("12 01 40 08 00 00 00 A4")}, matrix64, 0,
         [&](auto& s) { return asBytes(s.keyMatrices[0]).left(64) == matrix64 && s.keyMatrices[1] == factory.keyMatrices[1]; }},
        {"13H macro 7", [&](Hid_Thread& l) { QByteArray b = macro128; return l.hid553_13H_SetMacroKey(7, bytesOf(b)); },
         {hexBytes("13 07 80 00 00 00 00 65")}, macro128, 0,
         [&](auto& s) { return asBytes(s.macros[6]) == macro128 && s.macros[5] == factory.macros[5]; }},
        {"83H options read back", [](Hid_Thread& l) {   // as the 03H row above left them
             uchar b1 = 0xAA, b2 = 0xAA, b3 = 0xAA, b4 = 0xAA;
             const bool ok = l.hid553_83H_GetKeyboardoption(b1, b2, b3, b4);
             return ok && b1 == 0x01 && b2 == 0x02 && b3 == 0x03 && b4 == 0x44; },
         {hexBytes("83 00 00 00 00 00 00 7C")}, {}, 1, [](auto&) { return true; }},
        {"8BH dpi stage read back", [](Hid_Thread& l) {   // as the 0BH row above left it
             uchar stage = 0x77;
             return l.hid553_8BH_GetCurrentDPI(stage) && stage == 5; },
         {hexBytes("8B 00 00 00 00 00 00 74")}, {}, 1, [](auto&) { return true; }},
        {"00H challenge echoed", [](Hid_Thread& l) {
             uchar c0 = 0x3A, c1 = 0x00, c2 = 0xC5, c3 = 0x7F;
             return l.hid553_00H_GetSecrecyCode(c0, c1, c2, c3) && c0 == 0x3A && c1 == 0 && c2 == 0xC5 && c3 == 0x7F; },
         {hexBytes("00 3A 00 C5 7F 00 00 81")}, {}, 1, [](auto&) { return true; }},
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
        QVERIFY2(c.reads == 0, row.name);
        QVERIFY2(c.opens == 1 && c.closes == 1, row.name);
        QVERIFY2(row.holds(rig.mouse->state()), row.name);
        QVERIFY2(rig.link.linkFree, row.name);
    }
}

void TestCommands553::settlePausesAtRealTiming()
{
    CommandRig rig(F::F553, false);
    QVERIFY(rig.connected);
    pacing::setTimeScale(1.0);

    // Block, settle pause, close.
    rig.mark();
    QVERIFY(rig.link.hid553_01H_SetReportRate(1));
    QList<WireLogEntry> log = rig.sinceMark();
    QList<WireLogEntry> sets = entriesWithOp(log, QStringLiteral("SET_FEATURE"));
    QList<WireLogEntry> closes = entriesWithOp(log, QStringLiteral("CLOSE"));
    QCOMPARE(sets.size(), 1);
    QCOMPARE(closes.size(), 1);
    QVERIFY2(closes[0].ms - sets[0].ms >= 127.9, qPrintable(QString::number(closes[0].ms - sets[0].ms)));

    // Block, settle, two reports 120 ms apart, settle again.
    QByteArray matrix = patternBytes(64, 1);
    rig.mark();
    QVERIFY(rig.link.hid553_12H_SetKeyMatrix(bytesOf(matrix), 2));
    log = rig.sinceMark();
    sets = entriesWithOp(log, QStringLiteral("SET_FEATURE"));
    const QList<WireLogEntry> writes = entriesWithOp(log, QStringLiteral("WRITE"));
    closes = entriesWithOp(log, QStringLiteral("CLOSE"));
    QCOMPARE(writes.size(), 2);
    QVERIFY(writes[0].ms - sets[0].ms >= 127.9);
    QVERIFY(writes[1].ms - writes[0].ms >= 119.9);
    QVERIFY(closes[0].ms - writes[1].ms >= 120 + 127.9);

    // Without settle: 8 ms after the block before the command returns.
    QElapsedTimer t;
    t.start();
    QVERIFY(rig.link.hid553_03H_SetKeyboardoption(0, 0, 0, 0x40));
    QVERIFY(t.elapsed() >= 8);
    QVERIFY(t.elapsed() < 128);
    pacing::setTimeScale(0.02);
}

void TestCommands553::silentMouseHandsBackPresets()
{
    CommandRig rig(F::F553, false);
    QVERIFY(rig.connected);
    rig.mouse->setSilent(true);

    uchar o1 = 0x11, o2 = 0x22, o3 = 0x33, o4 = 0x44;
    QVERIFY(!rig.link.hid553_83H_GetKeyboardoption(o1, o2, o3, o4));
    QCOMPARE((std::array<uchar, 4>{o1, o2, o3, o4}), (std::array<uchar, 4>{0x11, 0x22, 0x33, 0x44}));

    uchar stage = 0x66;
    QVERIFY(!rig.link.hid553_8BH_GetCurrentDPI(stage));
    QCOMPARE(stage, uchar(0x66));

    // The challenge hands back zeros, not the challenge: the check cannot pass by silence.
    uchar c0 = 0x3A, c1 = 0x01, c2 = 0xC5, c3 = 0x7F;
    QVERIFY(!rig.link.hid553_00H_GetSecrecyCode(c0, c1, c2, c3));
    QCOMPARE((std::array<uchar, 4>{c0, c1, c2, c3}), (std::array<uchar, 4>{0, 0, 0, 0}));
    QVERIFY(!rig.link.chkDeviceIsEnCode(0));
    QVERIFY(rig.link.linkFree);
}

void TestCommands553::heldLinkSendsNothing()
{
    CommandRig rig(F::F553, false);
    QVERIFY(rig.connected);
    QByteArray buf = patternBytes(128, 7);
    const QByteArray before = buf;
    uchar a = 1, b = 2, c = 3, d = 4;

    const QList<std::pair<QString, std::function<bool(Hid_Thread&)>>> rows = {
        {"cmd Failed 00", [&](Hid_Thread& l) { return l.hid553_00H_GetSecrecyCode(a, b, c, d); }},
        {"cmd Failed 01", [](Hid_Thread& l) { return l.hid553_01H_SetReportRate(1); }},
        {"cmd Failed 02", [](Hid_Thread& l) { return l.hid553_02H_SetCurrentKeyMatrix(1); }},
        {"cmd Failed 03", [](Hid_Thread& l) { return l.hid553_03H_SetKeyboardoption(1, 2, 3, 4); }},
        {"cmd Failed 04", [](Hid_Thread& l) { return l.hid553_04H_SetGunData(1, 2, 3, 1); }},
        {"cmd Failed 0B", [](Hid_Thread& l) { return l.hid553_0BH_SetCurrentDPI(1); }},
        {"cmd Failed 0D", [](Hid_Thread& l) { return l.hid553_0DH_SetRGBLedEffect(1, 2, 3); }},
        {"cmd Failed 10", [&](Hid_Thread& l) { return l.hid553_10H_SetLED8StageColor(0, bytesOf(buf)); }},
        {"cmd Failed 11", [&](Hid_Thread& l) { return l.hid553_11H_SetDPISet(4, bytesOf(buf)); }},
        {"cmd Failed 12", [&](Hid_Thread& l) { return l.hid553_12H_SetKeyMatrix(bytesOf(buf), 1); }},
        {"cmd Failed 13", [&](Hid_Thread& l) { return l.hid553_13H_SetMacroKey(1, bytesOf(buf)); }},
        {"cmd Failed 83", [&](Hid_Thread& l) { return l.hid553_83H_GetKeyboardoption(a, b, c, d); }},
        {"cmd Failed 8BH", [&](Hid_Thread& l) { return l.hid553_8BH_GetCurrentDPI(a); }},
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
    QCOMPARE((std::array<uchar, 4>{a, b, c, d}), (std::array<uchar, 4>{1, 2, 3, 4}));
    QVERIFY(rig.mouse->state().reportRate == FirmwareState::factory().reportRate);
}

void TestCommands553::missingBuffersSendNothing()
{
    CommandRig rig(F::F553, false);
    QVERIFY(rig.connected);
    const QList<std::function<bool(Hid_Thread&)>> calls = {
        [](Hid_Thread& l) { return l.hid553_10H_SetLED8StageColor(2, nullptr); },
        [](Hid_Thread& l) { return l.hid553_11H_SetDPISet(4, nullptr); },
        [](Hid_Thread& l) { return l.hid553_12H_SetKeyMatrix(nullptr, 1); },
        [](Hid_Thread& l) { return l.hid553_13H_SetMacroKey(1, nullptr); },
        [](Hid_Thread& l) { return l.hid560_0CH_setProfile(nullptr, 1); },
        [](Hid_Thread& l) { return l.hid560_0DH_SetKeyMatrix(nullptr, 1); },
        [](Hid_Thread& l) { return l.hid560_0FH_SetMacroKey(1, nullptr); },
        [](Hid_Thread& l) { return l.hid560_8CH_readProfile(nullptr, 1); },
    };
    for (int i = 0; i < calls.size(); ++i) {
        rig.mark();
        QVERIFY2(!calls[i](rig.link), qPrintable(QString::number(i)));
        QVERIFY2(rig.sinceMark().isEmpty(), qPrintable(QString::number(i)));
        QVERIFY(rig.link.linkFree);
    }
}

QTEST_MAIN(TestCommands553)
#include "tst_commands553.moc"
