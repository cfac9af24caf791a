// The command catalogue of both families against the virtual mouse, as one table: the
// wire, the answer, the mouse's state, and what a refused command leaves behind.
#include "rig.h"

#include "device/pacing.h"

#include <QTest>
#include <algorithm>

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
        return read();
    }
    uchar* read() { return noBuffer ? nullptr : reinterpret_cast<uchar*>(buf.data()); }
    // Nothing written into the caller's arguments.
    bool untouched(const Args& presets) const { return v == presets.v && buf == (given.isNull() ? presets.buf : given); }
};

auto any = [](const FirmwareState&) { return true; };

struct Row {
    Family family;
    std::function<bool(Hid_Thread&, Args&)> run;
    QList<const char*> blocks;                              // plain, in order, checksums left out
    std::function<bool(const FirmwareState&)> holds = any;  // after success
    QByteArray payload;                                     // before padding to whole reports
    QList<int> answer;                                      // out-arguments after success
    QByteArray bufAfter;                                    // after success: 128 bytes read back in reports
    int opcode() const { return QByteArray(blocks.first()).left(2).toInt(nullptr, 16); }
    bool query() const { return opcode() == 0 || opcode() >= 0x80; }   // one feature answer read
    bool takesBuffer() const { return !payload.isEmpty() || !bufAfter.isEmpty(); }
    QByteArray failLine() const   // the debug line of a refused command
    {
        const QByteArray op = QByteArray(blocks.first()).left(2).toUpper();
        return "cmd Failed " + (op == "8B" ? QByteArray("8BH") : op == "8C" ? QByteArray("8c") : op);
    }
};

QByteArray pattern(int n, int seed)
{
    QByteArray b(n, 0);
    for (int i = 0; i < n; ++i)
        b[i] = static_cast<char>(seed + 11 * i);
    return b;
}

QList<QByteArray> plainBlocks(const QList<const char*>& hex)
{
    QList<QByteArray> out;
    for (const char* h : hex)
        out.append(blockHex(h));
    return out;
}

const QByteArray colors = pattern(24, 0x21), dpi8 = pattern(8, 0x31), matrix = pattern(64, 0x41),
                 macro = pattern(128, 0x51), profile = pattern(128, 0x13);
const FirmwareState factory = FirmwareState::factory();

// Executed in order per family: the reads see what the rows before them wrote.
const QList<Row>& rows()
{
    using enum Family;
    static const QList<Row> all = {
        {F553, [](auto& l, auto&) { return l.hid553_01H_SetReportRate(1); }, {"01 01"},
         [](auto& s) { return s.reportRate[0] == 1; }},
        {F553, [](auto& l, auto&) { return l.hid553_02H_SetCurrentKeyMatrix(3); }, {"02 03"},
         [](auto& s) { return s.activeKeyMatrix == 3; }},
        {F553, [](auto& l, auto&) { return l.hid553_03H_SetKeyboardoption(0x11, 2, 3, 0x44); }, {"03 11 02 03 44"},
         [](auto& s) { return s.keyboardOptions == std::array<uint8_t, 4>{0x11, 2, 3, 0x44}; }},
        {F553, [](auto& l, auto&) { return l.hid553_04H_SetGunData(9, 0x12, 0xF0, 2); }, {"04 00 09 12 f0 02"},
         [](auto& s) { return s.gunSlots[1] == FirmwareState::GunSlot{9, 0x12, 0xF0} && s.gunSlots[0] == FirmwareState::GunSlot{}; }},
        {F553, [](auto& l, auto&) { return l.hid553_0BH_SetCurrentDPI(5); }, {"0b 05"},
         [](auto& s) { return s.dpiStage[0] == 5; }},
        {F553, [](auto& l, auto&) { return l.hid553_0DH_SetRGBLedEffect(3, 4, 5); }, {"0d 03 04 05"},
         [](auto& s) { return s.ledEffect == 3 && s.ledOption1 == 4 && s.ledOption2 == 5; }},
        {F553, [](auto& l, auto& a) { return l.hid553_10H_SetLED8StageColor(2, a.with(colors)); }, {"10 02 04"},
         [](auto& s) { return bytesOf(s.stageColors[2]) == colors.left(4) + bytesOf(factory.stageColors[2]).mid(4); },
         colors.left(4)},
        {F553, [](auto& l, auto& a) { return l.hid553_10H_SetLED8StageColor(0, a.with(colors)); }, {"10 00 18"},
         [](auto& s) { return bytesOf(s.stageColors[0]) == colors; }, colors},
        {F553, [](auto& l, auto& a) { return l.hid553_11H_SetDPISet(6, a.with(dpi8)); }, {"11 06 08"},
         [](auto& s) { return s.dpiCount == 6 && bytesOf(s.dpiSet) == dpi8; }, dpi8},
        {F553, [](auto& l, auto& a) { return l.hid553_12H_SetKeyMatrix(a.with(matrix), 1); }, {"12 01 40 08"},
         [](auto& s) { return bytesOf(s.keyMatrices[0], 0, 64) == matrix && s.keyMatrices[1] == factory.keyMatrices[1]; },
         matrix},
        {F553, [](auto& l, auto& a) { return l.hid553_13H_SetMacroKey(7, a.with(macro)); }, {"13 07 80"},
         [](auto& s) { return bytesOf(s.macros[6]) == macro && s.macros[5] == factory.macros[5]; }, macro},
        {F553, [](auto& l, auto& a) { return l.hid553_83H_GetKeyboardoption(a.v[0], a.v[1], a.v[2], a.v[3]); },
         {"83"}, any, {}, {0x11, 2, 3, 0x44}},
        {F553, [](auto& l, auto& a) { return l.hid553_8BH_GetCurrentDPI(a.v[0]); }, {"8b"}, any, {}, {5}},
        {F553, [](auto& l, auto& a) { return l.hid553_00H_GetSecrecyCode(a.v[0], a.v[1], a.v[2], a.v[3]); },
         {"00 01 a2 a3 a4"}, any, {}, {1, 0xA2, 0xA3, 0xA4}},

        {F560, [](auto& l, auto&) { return l.hid560_01H_SetKeyboardoption(0x0A, 0x0B); }, {"01 0a 0b"},
         [](auto& s) { return s.keyboardOptions[0] == 0x0A && s.keyboardOptions[1] == 0x0B; }},
        {F560, [](auto& l, auto&) { return l.hid560_02H_SetCurrentProfile(3); }, {"02 03"},
         [](auto& s) { return s.currentProfile == 3; }},
        {F560, [](auto& l, auto&) { return l.hid560_03H_SetReportRate(2); }, {"03 01 02", "03 02 02", "03 03 02", "03 04 02"},
         [](auto& s) { return s.reportRate == std::array<uint8_t, 5>{4, 2, 2, 2, 2}; }},
        {F560, [](auto& l, auto&) { return l.hid560_04H_SetCurrentDPI(2); }, {"04 01 02", "04 02 02", "04 03 02", "04 04 02"},
         [](auto& s) { return s.dpiStage == std::array<uint8_t, 5>{3, 2, 2, 2, 2}; }},
        {F560, [](auto& l, auto& a) { return l.hid560_0CH_setProfile(a.with(profile), 1); }, {"0c 01 80"},
         [](auto& s) { return bytesOf(s.profileBlocks[1]) == profile && s.profileBlocks[2] == factory.profileBlocks[2]; },
         profile},
        {F560, [](auto& l, auto& a) { return l.hid560_0DH_SetKeyMatrix(a.with(matrix), 1); }, {"0d 01 80"},
         [](auto& s) { return bytesOf(s.keyMatrices[0]) == matrix + QByteArray(64, 0) && s.keyMatrices[1] == factory.keyMatrices[1]; },
         matrix + QByteArray(64, 0)},   // 64 bytes and 64 zeros
        {F560, [](auto& l, auto& a) { return l.hid560_0FH_SetMacroKey(5, a.with(macro)); }, {"0f 05 80"},
         [](auto& s) { return bytesOf(s.macros[4]) == macro && s.macros[5] == factory.macros[5]; }, macro},
        {F560, [](auto& l, auto& a) { return l.hid560_81H_GetKeyboardoption(a.v[0], a.v[1]); }, {"81"}, any, {}, {0x0A, 0x0B}},
        {F560, [](auto& l, auto& a) { return l.hid560_82H_GetCurrentProfile(a.v[0]); }, {"82"}, any, {}, {3}},
        {F560, [](auto& l, auto& a) { return l.hid560_84H_GetCurrentDPI(a.v[0], a.v[1]); }, {"84 01"}, any, {}, {1, 2}},
        {F560, [](auto& l, auto& a) { return l.hid560_8CH_readProfile(a.read(), 3); }, {"8c 03"}, any, {}, {},
         bytesOf(FirmwareState::factoryProfileBlock(3))},
        {F560, [](auto& l, auto& a) { return l.hid560_8CH_readProfile(a.read(), 1); }, {"8c 01"}, any, {}, {},
         profile},   // as the 0CH row wrote it
    };
    return all;
}

enum Refusal { HeldLink, SilentMouse, NoBuffer };

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
            const char* name = row.blocks.first();
            Args args;
            rig.mark();
            QVERIFY2(row.run(*rig.link, args), name);
            const QList<Step> steps = rig.steps();
            QVERIFY2(blocksOf(steps) == plainBlocks(row.blocks), name);
            const QByteArray padding((reportLength - row.payload.size() % reportLength) % reportLength, 0);
            QVERIFY2(payloadOf(steps) == row.payload + padding, name);
            for (const Step& s : steps)
                QVERIFY2(s.op != QLatin1String("WRITE") || s.sent.size() == reportLength, name);
            QVERIFY2(countOf(steps, "GET_FEATURE") == (row.query() ? 1 : 0), name);
            QVERIFY2(countOf(steps, "READ") == (row.bufAfter.isEmpty() ? 0 : 128 / reportLength), name);
            QVERIFY2(countOf(steps, "OPEN") == row.blocks.size() && countOf(steps, "CLOSE") == row.blocks.size(), name);
            QVERIFY2(std::equal(row.answer.begin(), row.answer.end(), args.v.begin()), name);
            QVERIFY2(row.bufAfter.isEmpty() || args.buf == row.bufAfter, name);
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
            if (row.family != family || (refusal == SilentMouse && !row.query()) || (refusal == NoBuffer && !row.takesBuffer()))
                continue;
            rig.link->linkFree = refusal != HeldLink;   // another command holds the link throughout
            rig.mark();
            Args args{.noBuffer = refusal == NoBuffer};
            Args presets;
            // The challenge hands back zeros, not the challenge: the check cannot pass by silence.
            if (refusal == SilentMouse && row.opcode() == 0)
                presets.v = {0, 0, 0, 0};
            DebugLines debug;
            QVERIFY2(!row.run(*rig.link, args), row.failLine());
            if (refusal == HeldLink)
                QCOMPARE(debug.lines(), QStringList{QLatin1String(row.failLine())});
            if (refusal != SilentMouse)
                QVERIFY2(rig.entries().isEmpty(), row.failLine());
            QVERIFY2(args.untouched(presets), row.failLine());
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
        QCOMPARE(rig.blocks(), plainBlocks({"03 01 08", "03 02 08", "03 03 08", "03 04 08"}));
        QCOMPARE(rig.state().reportRate, (std::array<uint8_t, 5>{4, 8, 4, 8, 8}));
        QVERIFY(rig.link->linkFree);
    }
};

QTEST_MAIN(TestCommands)
#include "tst_commands.moc"
