// The transport and detection against the virtual mouse: the pauses, a held link, a
// profile read failing part-way, the device table and the connection check.
#include "rig.h"

#include "device/detection.h"
#include "device/pacing.h"

#include <QElapsedTimer>
#include <QRegularExpression>
#include <QtTest>

namespace {

const QString kTable = QStringLiteral("modules/setting/apConfig.bin");

// One table entry for the virtual mouse, with one "key=value" override.
QString entry(int i, const QString& over = {})
{
    QString text = QStringLiteral("[%1]\nvid=1209\npid=0001\nusagePage=ff00\nusage=ff00\nusagePage2=ff01\n"
                                  "usage2=ff01\nreportLength=32\nisEncode=true\nsCode=735102\n").arg(i);
    if (!over.isEmpty())
        text.replace(QRegularExpression(QLatin1Char('\n') + over.section('=', 0, 0) + QStringLiteral("=[^\n]*")),
                     '\n' + over);
    return text;
}

QString table(const QStringList& entries)
{
    return QStringLiteral("[common]\ndeviceCount=%1\n").arg(entries.size()) + entries.join(QString());
}

double gap(const QList<WireLogEntry>& log, const char* from, int i, const char* to, int j)
{
    return entriesWithOp(log, to)[j].ms - entriesWithOp(log, from)[i].ms;
}

} // namespace

class TstTransport : public QObject
{
    Q_OBJECT
private slots:
    void init() { pacing::setTimeScale(0.0); }
    void cleanup() { pacing::setTimeScale(1.0); }

    // Settle pause after the block, 120 ms after each bulk report, settle pause again;
    // the short pause after a block without settle pause; a held link retried for its
    // whole time. The window's timers keep running meanwhile.
    void pausesNeverEndEarly()
    {
        pacing::setTimeScale(1.0);
        LinkRig rig({Family::F553, false, true, 64});
        const double settle = 2 * pacing::kSettleStepMs;
        QVERIFY(rig.link->hid553_01H_SetReportRate(1));
        QVERIFY(gap(rig.entries(), "SET_FEATURE", 0, "CLOSE", 0) >= settle - 0.1);

        LoopWatch watch;
        watch.start();
        QByteArray macro(128, 'm');
        rig.mark();
        QVERIFY(rig.link->hid553_13H_SetMacroKey(1, reinterpret_cast<uchar*>(macro.data())));
        watch.stop();
        const QList<WireLogEntry> log = rig.entries();
        QCOMPARE(entriesWithOp(log, "WRITE").size(), 2);
        QVERIFY(gap(log, "SET_FEATURE", 0, "WRITE", 0) >= settle - 0.1);
        QVERIFY(gap(log, "WRITE", 0, "WRITE", 1) >= pacing::kBulkReportGapMs - 0.1);
        QVERIFY(gap(log, "WRITE", 1, "CLOSE", 0) >= pacing::kBulkReportGapMs + settle - 0.1);
        QVERIFY2(watch.ticks >= 15, qPrintable(QString::number(watch.ticks)));

        QElapsedTimer t;
        t.start();
        QVERIFY(rig.link->hid553_03H_SetKeyboardoption(0, 0, 0, 0x40));
        QVERIFY(t.elapsed() >= pacing::kUnsettledCommandMs);

        rig.link->linkFree = false;   // what a held link leaves on the wire: tst_commands
        QTest::ignoreMessage(QtDebugMsg, "cmd Failed 01");
        watch.start();
        t.restart();
        QVERIFY(!rig.link->hid553_01H_SetReportRate(1));
        QVERIFY2(t.elapsed() >= pacing::kLinkAttempts * pacing::kLinkRetryMs, qPrintable(QString::number(t.elapsed())));
        watch.stop();
        QVERIFY2(watch.ticks >= 15, qPrintable(QString::number(watch.ticks)));
    }

    void profileReadFailingPartWay_data()
    {
        QTest::addColumn<bool>("stall");   // the reports stop after one, or every report is five bytes
        QTest::newRow("reports stop after one") << true;
        QTest::newRow("reports of five bytes") << false;
    }

    // The link keeps the reports that came whole and the caller's presets for the rest,
    // and reads no further report; only bounded reads are used; nothing of the failed read
    // is left over for the next one. (A transfer failing at each point: tst_device_faults.)
    void profileReadFailingPartWay()
    {
        QFETCH(bool, stall);
        LinkRig rig({Family::F560, true});
        const auto factory = FirmwareState::factoryProfileBlock(4);
        rig.faults->bulkReportsBeforeStall = stall ? 1 : -1;
        rig.faults->bulkReportBytes = stall ? -1 : 5;
        std::array<uchar, 128> block;
        block.fill(0xEE);
        DebugLines debug;
        rig.mark();
        QVERIFY(!rig.link->hid560_8CH_readProfile(block.data(), 4));
        QVERIFY(rig.link->linkFree);
        const int kept = stall ? 32 : 0;
        QCOMPARE(bytesOf(block, 0, kept), bytesOf(factory, 0, kept));
        QCOMPARE(bytesOf(block, kept, 128 - kept), QByteArray(128 - kept, char(0xEE)));
        QCOMPARE(countOf(rig.steps(), "READ"), kept / 32 + 1);
        QCOMPARE(rig.steps().last().op, QStringLiteral("CLOSE"));
        QVERIFY(stall || debug.any(QStringLiteral("bulk report")));

        rig.faults->bulkReportsBeforeStall = rig.faults->bulkReportBytes = -1;
        QVERIFY(rig.link->hid560_8CH_readProfile(block.data(), 4));
        QCOMPARE(block, factory);
        QCOMPARE(rig.faults->blockingBulkReads, 0);
        for (int ms : rig.faults->bulkTimeoutsAsked)
            QCOMPARE(ms, pacing::kBulkReadTimeoutMs);
    }

    void detect_data()
    {
        QTest::addColumn<QString>("tableText");
        QTest::addColumn<QString>("mouseCode");   // "plain": the mouse takes plain blocks, code 999999
        QTest::addColumn<int>("expected");        // index that connected, -1 none
        QTest::addColumn<int>("challenges");      // connection checks sent
        const auto row = [](const char* name, const QString& text, int expected, int challenges,
                            const char* mouseCode = "735102") {
            QTest::newRow(name) << text << QString::fromLatin1(mouseCode) << expected << challenges;
        };
        const QString good = table({entry(0)});
        row("negative count", "[common]\ndeviceCount=-4\n", -1, 0);
        // Only the first 64 entries are read: an uncapped count would not end.
        row("huge count", "[common]\ndeviceCount=2147483647\n" + entry(0), 0, 1);
        row("two present, only the first checked", table({entry(0), entry(1)}), 0, 1);
        row("first fails, second passes", table({entry(0, "sCode=111111"), entry(1)}), 1, 2);
        row("only the notification interface", table({entry(0, "usage=1234")}), -1, 0);
        row("other product", table({entry(0, "pid=0002")}), -1, 0);
        row("pid beyond 16 bits keeps the default", table({entry(0, "pid=10001")}), -1, 0);
        row("wrong code, scrambled", good, -1, 1, "999999");
        row("wrong code, plain", table({entry(0, "isEncode=false")}), 0, 1, "plain");
        row("code not six characters keeps the old (zero) code", table({entry(0, "sCode=73510")}), -1, 1);
        // Another command holds the link: nothing is decided, the link stays held.
        row("held link", good, int(detection::kLinkBusy), 0);
        row("reportLength 0", table({entry(0, "reportLength=0")}), -1, 0);
        row("reportLength 9999", table({entry(0, "reportLength=9999")}), -1, 0);
        row("reportLength 512", table({entry(0, "reportLength=512")}), 0, 1);
        row("reportLength not a number keeps 32", table({entry(0, "reportLength=abc")}), 0, 1);
    }

    void detect()
    {
        QFETCH(QString, tableText);
        QFETCH(QString, mouseCode);
        QFETCH(int, expected);
        QFETCH(int, challenges);
        secrecyCode().fill(0);
        const bool plain = mouseCode == QLatin1String("plain");
        MouseRig rig({Family::F553, false, true, 32, !plain, plain ? QStringLiteral("999999") : mouseCode});
        writeFile(kTable, tableText.toUtf8());
        Hid_Thread link;
        const bool held = expected == detection::kLinkBusy;
        link.linkFree = !held;
        const int found = detection::detect(link, kTable);
        QVERIFY2(found == expected, qPrintable(QStringLiteral("found %1; wire:\n").arg(found) + readFileBytes(rig.logPath)));
        QCOMPARE(link.linkFree, !held);
        const QList<WireLogEntry> wire = rig.entries();
        QCOMPARE(entriesWithOp(wire, "SET_FEATURE").size(), challenges);
        QCOMPARE(entriesWithOp(wire, "CLOSE").size(), entriesWithOp(wire, "OPEN").size());
        QVERIFY(challenges > 0 || entriesWithOp(wire, "OPEN").isEmpty());
        if (expected >= 0 && !plain) {   // the challenge: opcode 0, four random bytes, zeros, checksum
            const QByteArray challenge = rig.blocks().last();
            QCOMPARE(challenge, blockHex(challenge.left(5).toHex(' ').constData()));
            QVERIFY2(challenge.mid(1, 4) != QByteArray(4, 0), "the challenge is never four zero bytes");
            QCOMPARE(secrecyCode(), (protocol::SecrecyCode{0, '7', '3', '5', '1', '0', '2', 0}));
        }
        if (expected == -1) {   // no device passed: a command fails at once, sends nothing
            rig.mark();
            std::array<uchar, 4> v{5, 6, 7, 8};
            QVERIFY(!link.hid553_83H_GetKeyboardoption(v[0], v[1], v[2], v[3]));
            QCOMPARE(v, (std::array<uchar, 4>{5, 6, 7, 8}));
            QVERIFY(rig.entries().isEmpty() && link.linkFree);
        }
        if (expected >= 0) {
            QCOMPARE(link.currentDevice, expected);
            QCOMPARE(link.deviceTable[expected]->commandPath, QString::fromLatin1(VirtualMouse::kCommandPath));
            QCOMPARE(link.deviceTable[expected]->notifyPath, QString::fromLatin1(VirtualMouse::kNotifyPath));
        }
    }
};

QTEST_MAIN(TstTransport)
#include "tst_transport.moc"
