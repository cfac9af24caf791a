// The command catalogue of both families against the virtual mouse, as one table: the
// wire, the answer, the mouse's state, and what a refused command leaves behind.
#include "rig.h"

#include "device/pacing.h"

#include <QTest>

namespace {

// The arguments a row passes: out-arguments with presets, and a buffer.
struct Args {
    std::array<uchar, 4> v{1, 0xA2, 0xA3, 0xA4};
    QByteArray buf = QByteArray(128, char(0xEE));
    QByteArray given;   // what a write command was handed
    bool noBuffer = false;
    uchar* with(const QByteArray& bytes)
    {
        buf = given = bytes;
        return noBuffer ? nullptr : reinterpret_cast<uchar*>(buf.data());
    }
    uchar* read() { return noBuffer ? nullptr : reinterpret_cast<uchar*>(buf.data()); }
};

struct Row {
    Family family;
    const char* failLine;   // the debug line of a refused command
    std::function<bool(Hid_Thread&, Args&)> run;
    QList<QByteArray> blocks;   // plain, in order
    QByteArray payload;         // before padding to whole reports
    int gets;                   // feature answers read
    bool bulkRead;              // 128 bytes read back in reports
    QList<int> answer;          // out-arguments after success
    QByteArray bufAfter;        // buffer after success (reads)
    std::function<bool(const FirmwareState&)> holds;
    bool takesBuffer() const { return !payload.isEmpty() || bulkRead; }
};

QByteArray pattern(int n, int seed)
{
    QByteArray b(n, 0);
    for (int i = 0; i < n; ++i)
        b[i] = static_cast<char>(seed + 11 * i);
    return b;
}

QList<QByteArray> perProfile(const char* op, const char* value)
{
    QList<QByteArray> out;
    for (int k = 1; k <= 4; ++k)
        out.append(blockHex(QByteArray(op) + " 0" + QByteArray::number(k) + " " + value));
    return out;
}

const QByteArray colors = pattern(24, 0x21), dpi8 = pattern(8, 0x31), matrix = pattern(64, 0x41),
                 macro = pattern(128, 0x51), profile = pattern(128, 0x13);
const FirmwareState factory = FirmwareState::factory();
auto any = [](const FirmwareState&) { return true; };

// Executed in order per family: the reads see what the rows before them wrote.
const QList<Row>& rows()
{
    using F = Family;
    static const QList<Row> all = {
        {F::F553, "cmd Failed 01", [](Hid_Thread& l, Args&) { return l.hid553_01H_SetReportRate(1); },
         {blockHex("01 01")}, {}, 0, false, {}, {}, [](auto& s) { return s.reportRate[0] == 1; }},
        {F::F553, "cmd Failed 02", [](Hid_Thread& l, Args&) { return l.hid553_02H_SetCurrentKeyMatrix(3); },
         {blockHex("02 03")}, {}, 0, false, {}, {}, [](auto& s) { return s.activeKeyMatrix == 3; }},
        {F::F553, "cmd Failed 03", [](Hid_Thread& l, Args&) { return l.hid553_03H_SetKeyboardoption(0x11, 2, 3, 0x44); },
         {blockHex("03 11 02 03 44")}, {}, 0, false, {}, {},
         [](auto& s) { return s.keyboardOptions == std::array<uint8_t, 4>{0x11, 2, 3, 0x44}; }},
        {F::F553, "cmd Failed 04", [](Hid_Thread& l, Args&) { return l.hid553_04H_SetGunData(9, 0x12, 0xF0, 2); },
         {blockHex("04 00 09 12 f0 02")}, {}, 0, false, {}, {},
         [](auto& s) { return s.gunSlots[1] == FirmwareState::GunSlot{9, 0x12, 0xF0} && s.gunSlots[0] == FirmwareState::GunSlot{}; }},
        {F::F553, "cmd Failed 0B", [](Hid_Thread& l, Args&) { return l.hid553_0BH_SetCurrentDPI(5); },
         {blockHex("0b 05")}, {}, 0, false, {}, {}, [](auto& s) { return s.dpiStage[0] == 5; }},
        {F::F553, "cmd Failed 0D", [](Hid_Thread& l, Args&) { return l.hid553_0DH_SetRGBLedEffect(3, 4, 5); },
         {blockHex("0d 03 04 05")}, {}, 0, false, {}, {},
         [](auto& s) { return s.ledEffect == 3 && s.ledOption1 == 4 && s.ledOption2 == 5; }},
        {F::F553, "cmd Failed 10", [](Hid_Thread& l, Args& a) { return l.hid553_10H_SetLED8StageColor(2, a.with(colors)); },
         {blockHex("10 02 04")}, colors.left(4), 0, false, {}, {},
         [](auto& s) { return bytesOf(s.stageColors[2]) == colors.left(4) + bytesOf(factory.stageColors[2]).mid(4); }},
        {F::F553, "cmd Failed 10", [](Hid_Thread& l, Args& a) { return l.hid553_10H_SetLED8StageColor(0, a.with(colors)); },
         {blockHex("10 00 18")}, colors, 0, false, {}, {}, [](auto& s) { return bytesOf(s.stageColors[0]) == colors; }},
        {F::F553, "cmd Failed 11", [](Hid_Thread& l, Args& a) { return l.hid553_11H_SetDPISet(6, a.with(dpi8)); },
         {blockHex("11 06 08")}, dpi8, 0, false, {}, {}, [](auto& s) { return s.dpiCount == 6 && bytesOf(s.dpiSet) == dpi8; }},
        {F::F553, "cmd Failed 12", [](Hid_Thread& l, Args& a) { return l.hid553_12H_SetKeyMatrix(a.with(matrix), 1); },
         {blockHex("12 01 40 08")}, matrix, 0, false, {}, {},
         [](auto& s) { return bytesOf(s.keyMatrices[0], 0, 64) == matrix && s.keyMatrices[1] == factory.keyMatrices[1]; }},
        {F::F553, "cmd Failed 13", [](Hid_Thread& l, Args& a) { return l.hid553_13H_SetMacroKey(7, a.with(macro)); },
         {blockHex("13 07 80")}, macro, 0, false, {}, {},
         [](auto& s) { return bytesOf(s.macros[6]) == macro && s.macros[5] == factory.macros[5]; }},
        {F::F553, "cmd Failed 83", [](Hid_Thread& l, Args& a) { return l.hid553_83H_GetKeyboardoption(a.v[0], a.v[1], a.v[2], a.v[3]); },
         {blockHex("83")}, {}, 1, false, {0x11, 2, 3, 0x44}, {}, any},
        {F::F553, "cmd Failed 8BH", [](Hid_Thread& l, Args& a) { return l.hid553_8BH_GetCurrentDPI(a.v[0]); },
         {blockHex("8b")}, {}, 1, false, {5}, {}, any},
        {F::F553, "cmd Failed 00", [](Hid_Thread& l, Args& a) { return l.hid553_00H_GetSecrecyCode(a.v[0], a.v[1], a.v[2], a.v[3]); },
         {blockHex("00 01 a2 a3 a4")}, {}, 1, false, {1, 0xA2, 0xA3, 0xA4}, {}, any},

        {F::F560, "cmd Failed 01", [](Hid_Thread& l, Args&) { return l.hid560_01H_SetKeyboardoption(0x0A, 0x0B); },
         {blockHex("01 0a 0b")}, {}, 0, false, {}, {},
         [](auto& s) { return s.keyboardOptions[0] == 0x0A && s.keyboardOptions[1] == 0x0B; }},
        {F::F560, "cmd Failed 02", [](Hid_Thread& l, Args&) { return l.hid560_02H_SetCurrentProfile(3); },
         {blockHex("02 03")}, {}, 0, false, {}, {}, [](auto& s) { return s.currentProfile == 3; }},
        {F::F560, "cmd Failed 03", [](Hid_Thread& l, Args&) { return l.hid560_03H_SetReportRate(2); },
         perProfile("03", "02"), {}, 0, false, {}, {}, [](auto& s) { return s.reportRate == std::array<uint8_t, 5>{4, 2, 2, 2, 2}; }},
        {F::F560, "cmd Failed 04", [](Hid_Thread& l, Args&) { return l.hid560_04H_SetCurrentDPI(2); },
         perProfile("04", "02"), {}, 0, false, {}, {}, [](auto& s) { return s.dpiStage == std::array<uint8_t, 5>{3, 2, 2, 2, 2}; }},
        {F::F560, "cmd Failed 0C", [](Hid_Thread& l, Args& a) { return l.hid560_0CH_setProfile(a.with(profile), 1); },
         {blockHex("0c 01 80")}, profile, 0, false, {}, {},
         [](auto& s) { return bytesOf(s.profileBlocks[1]) == profile && s.profileBlocks[2] == factory.profileBlocks[2]; }},
        {F::F560, "cmd Failed 0D", [](Hid_Thread& l, Args& a) { return l.hid560_0DH_SetKeyMatrix(a.with(matrix), 1); },
         {blockHex("0d 01 80")}, matrix + QByteArray(64, 0), 0, false, {}, {},   // 64 bytes and 64 zeros
         [](auto& s) { return bytesOf(s.keyMatrices[0]) == matrix + QByteArray(64, 0) && s.keyMatrices[1] == factory.keyMatrices[1]; }},
        {F::F560, "cmd Failed 0F", [](Hid_Thread& l, Args& a) { return l.hid560_0FH_SetMacroKey(5, a.with(macro)); },
         {blockHex("0f 05 80")}, macro, 0, false, {}, {},
         [](auto& s) { return bytesOf(s.macros[4]) == macro && s.macros[5] == factory.macros[5]; }},
        {F::F560, "cmd Failed 81", [](Hid_Thread& l, Args& a) { return l.hid560_81H_GetKeyboardoption(a.v[0], a.v[1]); },
         {blockHex("81")}, {}, 1, false, {0x0A, 0x0B}, {}, any},
        {F::F560, "cmd Failed 82", [](Hid_Thread& l, Args& a) { return l.hid560_82H_GetCurrentProfile(a.v[0]); },
         {blockHex("82")}, {}, 1, false, {3}, {}, any},
        {F::F560, "cmd Failed 84", [](Hid_Thread& l, Args& a) { return l.hid560_84H_GetCurrentDPI(a.v[0], a.v[1]); },
         {blockHex("84 01")}, {}, 1, false, {1, 2}, {}, any},
        {F::F560, "cmd Failed 8c", [](Hid_Thread& l, Args& a) { return l.hid560_8CH_readProfile(a.read(), 3); },
         {blockHex("8c 03")}, {}, 1, true, {}, bytesOf(FirmwareState::factoryProfileBlock(3)), any},
        {F::F560, "cmd Failed 8c", [](Hid_Thread& l, Args& a) { return l.hid560_8CH_readProfile(a.read(), 1); },
         {blockHex("8c 01")}, {}, 1, true, {}, profile, any},   // as the 0CH row wrote it
    };
    return all;
}

enum Refusal { HeldLink, SilentMouse, NoBuffer };

// Nothing written into the caller's arguments.
bool sameArgs(const Args& a, const Args& presets)
{
    return a.v == presets.v && a.buf == (a.given.isNull() ? presets.buf : a.given);
}

} // namespace

class TestCommands : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { pacing::setTimeScale(0.02); }
    void cleanupTestCase() { pacing::setTimeScale(1.0); }

    void wireAndState_data()
    {
        QTest::addColumn<Family>("family");
        QTest::addColumn<int>("reportLength");
        for (Family f : {Family::F553, Family::F560})
            for (int length : {32, 64})
                QTest::addRow("%s, reports of %d", f == Family::F553 ? "553" : "560", length) << f << length;
    }

    void wireAndState()
    {
        QFETCH(Family, family);
        QFETCH(int, reportLength);
        LinkRig rig({family, false, true, reportLength});
        for (const Row& row : rows()) {
            if (row.family != family)
                continue;
            const QByteArray name = row.blocks.first().toHex(' ');
            Args args;
            rig.mark();
            QVERIFY2(row.run(*rig.link, args), name);
            const QList<Step> steps = rig.steps();
            QVERIFY2(blocksOf(steps) == row.blocks, name);
            const QByteArray padding((reportLength - row.payload.size() % reportLength) % reportLength, 0);
            QVERIFY2(payloadOf(steps) == row.payload + padding, name);
            for (const Step& s : steps)
                QVERIFY2(s.op != QLatin1String("WRITE") || s.sent.size() == reportLength, name);
            QVERIFY2(countOf(steps, "GET_FEATURE") == row.gets, name);
            QVERIFY2(countOf(steps, "READ") == (row.bulkRead ? 128 / reportLength : 0), name);
            QVERIFY2(countOf(steps, "OPEN") == row.blocks.size() && countOf(steps, "CLOSE") == row.blocks.size(), name);
            for (int i = 0; i < row.answer.size(); ++i)
                QVERIFY2(args.v[i] == row.answer[i], name);
            if (!row.bufAfter.isEmpty())
                QVERIFY2(args.buf == row.bufAfter, name);
            QVERIFY2(row.holds(rig.state()), name);
            QVERIFY2(rig.link->linkFree, name);
        }
    }

    void refusedCommandsChangeNothing_data()
    {
        QTest::addColumn<Family>("family");
        QTest::addColumn<int>("refusal");
        const char* const names[] = {"held link", "silent mouse", "missing buffer"};
        for (Family f : {Family::F553, Family::F560})
            for (int r : {HeldLink, SilentMouse, NoBuffer})
                QTest::addRow("%s, %s", f == Family::F553 ? "553" : "560", names[r]) << f << r;
    }

    // A held link sends nothing and says so in the command's debug line; a missing buffer
    // sends nothing; a silent mouse answers no query. The caller's arguments keep their
    // presets and the mouse keeps its state.
    void refusedCommandsChangeNothing()
    {
        QFETCH(Family, family);
        QFETCH(int, refusal);
        LinkRig rig({family});
        rig.mouse->setSilent(refusal == SilentMouse);
        for (const Row& row : rows()) {
            if (row.family != family || (refusal == SilentMouse && row.gets == 0) || (refusal == NoBuffer && !row.takesBuffer()))
                continue;
            rig.link->linkFree = refusal != HeldLink;   // another command holds the link throughout
            rig.mark();
            Args args;
            args.noBuffer = refusal == NoBuffer;
            Args presets;
            // The challenge hands back zeros, not the challenge: the check cannot pass by silence.
            if (refusal == SilentMouse && row.blocks.first()[0] == 0)
                presets.v = {0, 0, 0, 0};
            DebugLines debug;
            QVERIFY2(!row.run(*rig.link, args), row.failLine);
            if (refusal == HeldLink)
                QCOMPARE(debug.lines(), QStringList{QLatin1String(row.failLine)});
            if (refusal != SilentMouse)
                QVERIFY2(rig.entries().isEmpty(), row.failLine);
            QVERIFY2(sameArgs(args, presets), row.failLine);
            QCOMPARE(rig.link->linkFree, refusal != HeldLink);
        }
        if (refusal == SilentMouse)
            QVERIFY(!rig.link->chkDeviceIsEnCode(0));
        else
            QVERIFY(rig.state() == FirmwareState::factory());
    }

    void repetitionWithRecoilSendsFirstBlockOnly()
    {
        LinkRig rig({Family::F560, true});
        QVERIFY(rig.link->modelIsGun());
        QVERIFY(rig.link->hid560_03H_SetReportRate(1));
        QVERIFY(rig.link->hid560_04H_SetCurrentDPI(5));
        QCOMPARE(rig.blocks(), (QList<QByteArray>{blockHex("03 01 01"), blockHex("04 01 05")}));
        QCOMPARE(rig.state().reportRate, (std::array<uint8_t, 5>{4, 1, 4, 4, 4}));
        QCOMPARE(rig.state().dpiStage, (std::array<uint8_t, 5>{3, 5, 3, 3, 3}));
    }

    // Event processing between the blocks must never find the link free, not even after
    // a failed block: a command run there would rebuild the block the next transfer sends.
    // A failed block does not end the repetition.
    void repetitionKeepsTheLinkPastAFailedBlock()
    {
        LinkRig rig({Family::F560});
        bool sawFree = false;
        QTimer probe;
        probe.setInterval(0);
        QObject::connect(&probe, &QTimer::timeout, [&] { sawFree = sawFree || rig.link->linkFree; });
        probe.start();
        rig.mouse->failTransfers(1, 1);   // the second block's feature report fails
        QVERIFY(!rig.link->hid560_03H_SetReportRate(8));
        probe.stop();
        QVERIFY(!sawFree);
        QCOMPARE(rig.blocks(), perProfile("03", "08"));
        QCOMPARE(rig.state().reportRate, (std::array<uint8_t, 5>{4, 8, 4, 8, 8}));
        QVERIFY(rig.link->linkFree);
    }
};

QTEST_MAIN(TestCommands)
#include "tst_commands.moc"
