// Faults of the mouse against the whole application: failing transfers, a pulled-out
// mouse, bad answers. After each: the event loop kept turning, the files
// and the wire hold what the sequence prescribes, and the mouse is detected again.
#include "rig.h"

#include "app/widget.h"
#include "device/pacing.h"

#include <QtTest>

namespace {

// A hang guard, not a timing: the event loop may stand still for one bounded bulk
// read and then some seconds of a loaded machine, never for a whole sequence.
constexpr int kMaxStallMs = pacing::kBulkReadTimeoutMs + 2000;

struct Sequence {
    const char* name;
    Family family;
    bool isGun;
    bool isConnect;              // the sequence is the detection itself
    void (*run)(AppRig&);
    bool failEach = true;        // rows where each transfer in turn fails
    QList<int> unplugAfter = {}; // rows where the mouse is pulled out after so many transfers
    bool unplugBefore = false;   // a row where it is pulled out between commands
};

void connectRun(AppRig& rig) { rig.window->checkDevice(); }
// The bytes are the catalogue's concern; here only which transfers go matters.
void macroUpload(AppRig& rig) { rig.view()->mouseSendMacroData(QVariantList(128, 0x5A), 2); }
// Buttons as the scene sends them, with a gun button on slot 5.
void keyMatrixGun(AppRig& rig)
{
    QVariantList e;
    for (int n = 0; n < 16; ++n)
        e += n == 5 ? ints({8, 0, 2, 0}) : ints({0, 0, n < 5 ? 0xF0 + n : 0, 0});
    rig.view()->mouseSetKeyMatrix(e, true, ints({10, 20, 30}));
}

const Sequence kSequences[] = {
    {"553 connect", Family::F553, false, true, connectRun},
    // The connection reads profile blocks: 00 (2 transfers), 81 (2), 01 (1), then 8C blocks of 6: unplugged
    // with block 0 sent, answered, two reports in; block 2, three reports; block 4, last pending.
    {"560 gun connect", Family::F560, true, true, connectRun, true, {6, 7, 9, 5 + 12 + 5, 5 + 24 + 5}},
    {"553 gun key matrix", Family::F553, true, false, keyMatrixGun, true, {4}},    // at the second matrix
    {"560 gun key matrix", Family::F560, true, false, keyMatrixGun, true, {12}},   // at the third matrix
    {"560 gun dpi", Family::F560, true, false, [](AppRig& rig) {
         rig.view()->mouseSetDpi(4, QStringLiteral("3360"), ints({400, 800, 1600, 3200, 4000, 5000, 6000, 6000}));
     }},
    {"553 macro", Family::F553, false, false, macroUpload, true, {1, 3}, true},
    {"560 macro", Family::F560, false, false, macroUpload, false, {1, 3}, true},
};

// What a fault-free run of a sequence leaves behind.
struct Baseline {
    QList<Step> steps;
    TreeSnapshot modulesAfter;
};

Baseline baselines[std::size(kSequences)];   // filled by the data function

Baseline cleanRun(const Sequence& seq)
{
    DebugLines quiet;
    AppRig rig({seq.family, seq.isGun});
    if (!seq.isConnect)
        rig.window->checkDevice();
    rig.mark();
    seq.run(rig);
    return {rig.steps(true), rig.modules()};
}

// The trace when transfer number `failing` (from 0) fails: its command stops and closes;
// later ones still go, except after a failed challenge (detection ends) and the
// write-back of option bytes that were not read. Once unplugged, the next command
// fails to open, which clears the path, so nothing more is tried.
QList<Step> expectedAfter(const QList<Step>& baseline, bool unplugged, int failing)
{
    const QList<QList<Step>> commands = splitCommands(baseline);
    QList<QList<Step>> out;
    int n = 0;
    bool dropWriteBack = false;
    for (int c = 0; c < commands.size(); ++c) {
        const QList<Step>& command = commands[c];
        const int op = commandOpcode(command);
        if (std::exchange(dropWriteBack, false) && (op == 0x03 || op == 0x01))
            continue;
        int s = 0;
        for (; s < command.size(); ++s)
            if (command[s].isTransfer() && n++ == failing)
                break;
        if (s == command.size()) {
            out.append(command);
            continue;
        }
        out.append(command.mid(0, s + 1) + QList<Step>{Step{QStringLiteral("CLOSE"), {}, false}});
        out.last()[s].failed = true;
        if (unplugged && c + 1 < commands.size())
            out.append({Step{QStringLiteral("OPEN"), {}, true}});
        if (unplugged || op == 0x00)
            break;
        dropWriteBack = op == 0x83 || op == 0x81;
    }
    return joinCommands(out);
}

} // namespace

class TstDeviceFaults : public QObject
{
    Q_OBJECT
private slots:
    void init() { pacing::setTimeScale(0.0); }
    void cleanupTestCase() { pacing::setTimeScale(1.0); }

    void faultDuringSequence_data();
    void faultDuringSequence();
    void badAnswers_data();
    void badAnswers();
};

enum FaultKind { FailOnce, Unplug, UnplugIdle };

void TstDeviceFaults::faultDuringSequence_data()
{
    pacing::setTimeScale(0.0);
    QTest::addColumn<int>("id");
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("at");   // the transfer that fails / after which it is unplugged
    for (int id = 0; id < int(std::size(kSequences)); ++id) {
        const Sequence& seq = kSequences[id];
        baselines[id] = cleanRun(seq);
        const int n = seq.failEach ? int(std::ranges::count_if(baselines[id].steps, &Step::isTransfer)) : 0;
        for (int k = 0; k < n; ++k)
            QTest::addRow("%s, transfer %d of %d fails", seq.name, k, n) << id << int(FailOnce) << k;
        for (int k : seq.unplugAfter)
            QTest::addRow("%s, unplugged after %d transfers", seq.name, k) << id << int(Unplug) << k;
        // Pulled out between commands: the notification loop notices, the next command finds it gone.
        if (seq.unplugBefore)
            QTest::addRow("%s, unplugged before it", seq.name) << id << int(UnplugIdle) << -1;
    }
}

// The failed command stops there and the rest goes out as prescribed; no settings file
// changes; the next detection does not repeat what was cut. (What a failed block read
// leaves in the view's cache is checked at the view in tst_transport.)
void TstDeviceFaults::faultDuringSequence()
{
    QFETCH(int, id);
    QFETCH(int, kind);
    QFETCH(int, at);
    pacing::setTimeScale(kind == Unplug ? 0.05 : 0.0);
    const Sequence& seq = kSequences[id];
    const Baseline& base = baselines[id];
    DebugLines debug;
    AppRig rig({seq.family, seq.isGun});
    if (!seq.isConnect)
        rig.window->checkDevice();
    QVERIFY(seq.isConnect || rig.window->deviceConnected);
    // What a detection sends, as the first one did: it is detected again in full.
    const QList<int> connection = opcodesOf(seq.isConnect ? base.steps : rig.steps(true));
    rig.mark();
    if (kind == FailOnce)
        rig.mouse->failTransfers(1, at);
    else if (kind == Unplug)
        rig.mouse->unplugAfterTransfers(at);
    else
        rig.mouse->unplug();
    if (kind == UnplugIdle)
        QTRY_VERIFY(rig.link().deviceTable[0]->notifyPath.isEmpty());

    LoopWatch watch;
    watch.start();
    seq.run(rig);
    watch.stop();
    QVERIFY2(watch.longest <= kMaxStallMs, qPrintable(QString::number(watch.longest)));

    const QList<Step> expected = kind == UnplugIdle ? QList<Step>{Step{QStringLiteral("OPEN"), {}, true}}
                                                    : expectedAfter(base.steps, kind == Unplug, at);
    QCOMPARE(describe(rig.steps(true)), describe(expected));
    QCOMPARE(rig.steps(true), expected);
    QCOMPARE(changedPaths(rig.modules(), base.modulesAfter), QStringList());
    QCOMPARE(rig.link().linkRefusals(), 0);
    if (kind != Unplug)
        QVERIFY(rig.link().linkFree);
    if (seq.isConnect && kind == FailOnce) {
        const bool challengeFailed = at < 2;   // its block or its answer
        QCOMPARE(rig.window->deviceConnected, !challengeFailed);
        QCOMPARE(debug.count(QStringLiteral("Device DisConnect")), challengeFailed ? 1 : 0);
    }

    if (kind == Unplug || kind == UnplugIdle) {
        QVERIFY(rig.window->deviceConnected);   // until the next detection
        QTRY_COMPARE_WITH_TIMEOUT(debug.count(QStringLiteral("Device removed")), 1, 5000);
        QTRY_VERIFY(!rig.view()->isEnabled());
        QVERIFY(!rig.link().listening);
        QVERIFY(rig.link().deviceTable[0]->notifyPath.isEmpty());
        rig.mouse->plug();
        rig.mark();
        if (!seq.isConnect && expected.last().op == QLatin1String("OPEN")) {
            seq.run(rig);   // the failed open forgot the path: the mouse that is back is not reached
            QCOMPARE(rig.steps(true), QList<Step>());
        }
        QVERIFY(rig.detectsAgain(debug));
        QCOMPARE(rig.link().deviceTable[0]->notifyPath, QString::fromLatin1(VirtualMouse::kNotifyPath));
    } else {
        rig.quietListener();
        rig.mark();
        rig.window->checkDevice();
        QVERIFY(rig.window->deviceConnected);
    }
    QCOMPARE(opcodesOf(rig.steps(true)), connection);
    QCOMPARE(changedPaths(rig.modules(), base.modulesAfter), QStringList());
    QCOMPARE(rig.writtenOutsideModules(), QStringList());
}

void TstDeviceFaults::badAnswers_data()
{
    QTest::addColumn<Family>("family");
    QTest::addColumn<int>("answerLength");   // of every feature answer
    for (Family f : {Family::F553, Family::F560})
        for (int n : {0, 1, 8, 64})
            QTest::addRow("%s answer of %d bytes", f == Family::F553 ? "553" : "560", n) << f << n;
}

// A feature answer shorter than the frame is no answer: at the connection the challenge
// is refused and nothing else goes out; later the queries hand back their presets, not
// a mix of answer and preset.
void TstDeviceFaults::badAnswers()
{
    QFETCH(Family, family);
    QFETCH(int, answerLength);
    const bool connects = answerLength >= protocol::kFeatureReportSize;
    DebugLines debug;
    AppRig rig({family});
    const TreeSnapshot before = rig.modules();
    rig.mouse->setAnswerLength(answerLength);
    rig.mark();
    rig.window->checkDevice();
    const QList<int> sent = opcodesOf(rig.steps(true));
    QCOMPARE(rig.window->deviceConnected, connects);
    QCOMPARE(changedPaths(rig.modules(), before), QStringList());

    rig.mouse->setAnswerLength(-1);
    rig.quietListener();
    rig.mark();
    rig.window->checkDevice();
    QVERIFY(rig.window->deviceConnected);
    QCOMPARE(sent, connects ? opcodesOf(rig.steps(true)) : QList<int>{0x00});
    if (connects)
        return;
    rig.mouse->setAnswerLength(answerLength);
    QCOMPARE(rig.view()->mouseGetCurrentDPI(), QVariant(0));
    if (family == Family::F553) {
        QCOMPARE(rig.view()->GetKeyboardoption(), (QVariantList{0, 0, 0, 0}));
        uchar b1 = 0x11, b2 = 0x22, b3 = 0x33, b4 = 0x44;
        QVERIFY(!rig.link().hid553_83H_GetKeyboardoption(b1, b2, b3, b4));
        QCOMPARE(QList<int>({b1, b2, b3, b4}), QList<int>({0x11, 0x22, 0x33, 0x44}));
    } else {
        QCOMPARE(rig.view()->mouseReadCurrentProfile(), QVariant(0));
        const auto blocks = rig.view()->profileBlocks;
        rig.view()->mouseReadProfile(1);
        QVERIFY(rig.view()->profileBlocks == blocks);
    }
    QVERIFY(rig.link().linkFree);
    QVERIFY(debug.any(QStringLiteral("answer")));
    QCOMPARE(rig.writtenOutsideModules(), QStringList());
}

QTEST_MAIN(TstDeviceFaults)
#include "tst_device_faults.moc"
