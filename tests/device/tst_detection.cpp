// Device table loading and detection with the connection check, against the
// virtual mouse; what went over the wire is read back from the wire log.
#include "device/detection.h"
#include "device/device_table.h"
#include "device/hid_thread.h"
#include "device/pacing.h"
#include "device/virtual/virtual_mouse.h"
#include "device/wire_log.h"
#include "test_support.h"
#include "wire_log_reader.h"

#include <QFile>
#include <QtTest>

namespace {

const char* const kTableFile = "./modules/setting/apConfig.bin";

// One table entry for the virtual mouse's defaults, with overrides.
QString entry(int i, const QString& extra = {})
{
    QString s = QStringLiteral("[%1]\ntype=1\nvid=1209\npid=0001\nusagePage=ff00\nusage=ff00\n"
                               "usagePage2=ff01\nusage2=ff01\nreportLength=32\nisEncode=true\nsCode=735102\n")
                    .arg(i);
    // Later keys of the same name win in the file as written here: replace instead.
    for (const QString& line : extra.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const QString key = line.section(QLatin1Char('='), 0, 0);
        QStringList lines = s.split(QLatin1Char('\n'));
        for (QString& l : lines)
            if (l.section(QLatin1Char('='), 0, 0) == key)
                l = line;
        s = lines.join(QLatin1Char('\n'));
    }
    return s;
}

void writeTable(const QString& text)
{
    QFile f(QString::fromLatin1(kTableFile));
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(text.toUtf8());
}

QString table(const QStringList& entries)
{
    return QStringLiteral("[common]\ndeviceCount=%1\n").arg(entries.size()) + entries.join(QLatin1Char('\n'));
}

// The challenge a SET_FEATURE of the connection check carried, unscrambled.
protocol::Block plainBlock(const WireLogEntry& e, bool scrambled, const char* code)
{
    protocol::Block b{};
    for (int i = 0; i < 8 && i + 1 < e.bytes.size(); ++i)
        b[i] = static_cast<uint8_t>(e.bytes[i + 1]);
    if (scrambled) {
        protocol::SecrecyCode c{};
        protocol::loadSecrecyCode(c, code, 6);
        protocol::unscramble(b.data(), c.data());
    }
    return b;
}

struct Rig {
    ScratchInstall install;
    std::unique_ptr<VirtualMouse> mouse;
    std::unique_ptr<WireLog> log;
    QString logPath;
    explicit Rig(const VirtualMouse::Config& cfg = {})
    {
        mouse = std::make_unique<VirtualMouse>(cfg);
        logPath = install.file(QStringLiteral("wire.log"));
        log = std::make_unique<WireLog>(*mouse, logPath);
        installHidBackend(log.get());
    }
    ~Rig() { installHidBackend(nullptr); }
    QList<WireLogEntry> wire() const { return readWireLog(logPath); }
};

} // namespace

class TstDetection : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { pacing::setTimeScale(0.0); }
    void init() { secrecyCode().fill(0); }

    void tableDefaultsAndBadValues();
    void detect_data();
    void detect();
    void challengeIsScrambledAndEchoed();
    void heldLinkFailsTheCheckAndSendsNothing();
    void failedTransferFailsTheCheck();
    void currentRecordGuardsEveryTransfer();
};

void TstDetection::tableDefaultsAndBadValues()
{
    ScratchInstall install;
    writeTable(QStringLiteral("[common]\ndeviceCount=3\n"
                              "[0]\nvid=zz\npid=12345\nusage=ff00\n"
                              "[1]\ntype=ffffffff\nreportLength=abc\nisEncode=true\nsCode=1234567\n"));
    const QList<DeviceRecord*> t = device_table::load(QString::fromLatin1(kTableFile));
    QCOMPARE(t.size(), 3);
    // Bad values keep the defaults; absent keys give the defaults.
    QCOMPARE(t[0]->vid, uint16_t(0));
    QCOMPARE(t[0]->pid, uint16_t(0));
    QCOMPARE(t[0]->usage, uint16_t(0xff00));
    QCOMPARE(t[0]->type, -1);
    QCOMPARE(t[0]->reportLength, 32);
    QCOMPARE(t[0]->isEncode, false);
    QCOMPARE(t[0]->sCode, QStringLiteral("735102"));
    QCOMPARE(t[1]->type, -1);
    QCOMPARE(t[1]->reportLength, 32);
    QCOMPARE(t[1]->isEncode, true);
    QCOMPARE(t[1]->sCode, QStringLiteral("1234567"));
    QCOMPARE(t[2]->vid, uint16_t(0));   // section [2] absent entirely
    for (const DeviceRecord* r : t)
        QVERIFY(r->commandPath.isEmpty() && r->notifyPath.isEmpty());
    qDeleteAll(t);

    writeTable(QStringLiteral("[common]\ndeviceCount=100000\n"));
    const QList<DeviceRecord*> big = device_table::load(QString::fromLatin1(kTableFile));
    QCOMPARE(big.size(), device_table::kMaxEntries);
    qDeleteAll(big);
    writeTable(QStringLiteral("[common]\ndeviceCount=-4\n"));
    QVERIFY(device_table::load(QString::fromLatin1(kTableFile)).isEmpty());
}

void TstDetection::detect_data()
{
    QTest::addColumn<QString>("tableText");     // "absent" = no file at all
    QTest::addColumn<bool>("mouseEncodes");
    QTest::addColumn<QString>("mouseCode");
    QTest::addColumn<bool>("mouseSilent");
    QTest::addColumn<int>("expected");          // index that connected, -1 none
    QTest::addColumn<int>("challenges");        // connection checks sent

    const QString good = table({entry(0)});
    QTest::newRow("absent table") << "absent" << true << "735102" << false << -1 << 0;
    QTest::newRow("empty table") << "[common]\ndeviceCount=0\n" << true << "735102" << false << -1 << 0;
    QTest::newRow("count absent") << "[common]\nname=x\n" << true << "735102" << false << -1 << 0;
    QTest::newRow("one entry") << good << true << "735102" << false << 0 << 1;
    QTest::newRow("two present, only the first checked")
        << table({entry(0), entry(1)}) << true << "735102" << false << 0 << 1;
    QTest::newRow("first fails, second passes")
        << table({entry(0, "sCode=111111"), entry(1)}) << true << "735102" << false << 1 << 2;
    QTest::newRow("only the notification interface")
        << table({entry(0, "usage=1234")}) << true << "735102" << false << -1 << 0;
    QTest::newRow("other product") << table({entry(0, "pid=0002")}) << true << "735102" << false << -1 << 0;
    QTest::newRow("wrong code, scrambled") << good << true << "999999" << false << -1 << 1;
    QTest::newRow("wrong code, plain")
        << table({entry(0, "isEncode=false")}) << false << "999999" << false << 0 << 1;
    QTest::newRow("code not six characters keeps the old (zero) code")
        << table({entry(0, "sCode=73510")}) << true << "735102" << false << -1 << 1;
    QTest::newRow("silent mouse") << good << true << "735102" << true << -1 << 1;
    QTest::newRow("reportLength 0") << table({entry(0, "reportLength=0")}) << true << "735102" << false << -1 << 0;
    QTest::newRow("reportLength 9999")
        << table({entry(0, "reportLength=9999")}) << true << "735102" << false << -1 << 0;
    QTest::newRow("reportLength 512") << table({entry(0, "reportLength=512")}) << true << "735102" << false << 0 << 1;
}

void TstDetection::detect()
{
    QFETCH(QString, tableText);
    QFETCH(bool, mouseEncodes);
    QFETCH(QString, mouseCode);
    QFETCH(bool, mouseSilent);
    QFETCH(int, expected);
    QFETCH(int, challenges);

    VirtualMouse::Config cfg;
    cfg.isEncode = mouseEncodes;
    cfg.sCode = mouseCode;
    Rig rig(cfg);
    rig.mouse->setSilent(mouseSilent);
    if (tableText == QLatin1String("absent"))
        QVERIFY(QFile::remove(QString::fromLatin1(kTableFile)));
    else
        writeTable(tableText);

    Hid_Thread link;
    const int found = detection::detect(link, QString::fromLatin1(kTableFile));
    QVERIFY2(found == expected, qPrintable(QStringLiteral("found %1; wire:\n").arg(found)
                                           + QString::fromUtf8(readFileBytes(rig.logPath))));
    if (expected >= 0)
        QCOMPARE(link.currentDevice, expected);
    QVERIFY(link.linkFree);

    const QList<WireLogEntry> wire = rig.wire();
    QCOMPARE(entriesWithOp(wire, "SET_FEATURE").size(), challenges);
    if (challenges == 0)
        QCOMPARE(entriesWithOp(wire, "OPEN").size(), 0);
    // Every interface opened was closed again.
    QCOMPARE(entriesWithOp(wire, "CLOSE").size(), entriesWithOp(wire, "OPEN").size());

    if (QTest::currentDataTag() == QByteArray("only the notification interface")) {
        QCOMPARE(link.deviceTable.size(), 1);
        QVERIFY(link.deviceTable[0]->commandPath.isEmpty());
        QCOMPARE(link.deviceTable[0]->notifyPath, QString::fromLatin1(VirtualMouse::kNotifyPath));
    }
    if (expected >= 0) {
        QCOMPARE(link.deviceTable[expected]->commandPath, QString::fromLatin1(VirtualMouse::kCommandPath));
        QCOMPARE(link.deviceTable[expected]->notifyPath, QString::fromLatin1(VirtualMouse::kNotifyPath));
    }
}

void TstDetection::challengeIsScrambledAndEchoed()
{
    Rig rig;
    writeTable(table({entry(0)}));
    Hid_Thread link;
    QCOMPARE(detection::detect(link, QString::fromLatin1(kTableFile)), 0);
    QCOMPARE(secrecyCode(), (protocol::SecrecyCode{0, '7', '3', '5', '1', '0', '2', 0}));

    const QList<WireLogEntry> wire = rig.wire();
    const QList<WireLogEntry> sets = entriesWithOp(wire, "SET_FEATURE");
    const QList<WireLogEntry> gets = entriesWithOp(wire, "GET_FEATURE");
    QCOMPARE(sets.size(), 1);
    QCOMPARE(gets.size(), 1);
    QCOMPARE(sets[0].path, QString::fromLatin1(VirtualMouse::kCommandPath));
    QCOMPARE(sets[0].result, 9);
    QCOMPARE(sets[0].bytes.size(), 9);
    QCOMPARE(int(uint8_t(sets[0].bytes[0])), 0);

    const protocol::Block sent = plainBlock(sets[0], true, "735102");
    QCOMPARE(int(sent[0]), 0x00);
    QCOMPARE(int(sent[5]), 0);
    QCOMPARE(int(sent[6]), 0);
    QCOMPARE(sent[7], protocol::checksum(sent.data()));
    QVERIFY2(sent[1] || sent[2] || sent[3] || sent[4], "the challenge is never four zero bytes");
    // On the wire it does not show in the clear.
    QVERIFY(QByteArray(reinterpret_cast<const char*>(sent.data()), 8) != sets[0].bytes.mid(1));

    const protocol::Block echo = plainBlock(gets[0], true, "735102");
    for (int i = 1; i <= 4; ++i)
        QCOMPARE(echo[i], sent[i]);
}

void TstDetection::heldLinkFailsTheCheckAndSendsNothing()
{
    Rig rig;
    writeTable(table({entry(0)}));
    Hid_Thread link;
    link.linkFree = false;   // another command holds the link
    QTest::ignoreMessage(QtDebugMsg, "cmd Failed 00");
    QCOMPARE(detection::detect(link, QString::fromLatin1(kTableFile)), -1);
    QCOMPARE(entriesWithOp(rig.wire(), "OPEN").size(), 0);
    QCOMPARE(entriesWithOp(rig.wire(), "SET_FEATURE").size(), 0);
    QVERIFY(!link.linkFree);   // not ours to give back
}

void TstDetection::failedTransferFailsTheCheck()
{
    for (int after = 0; after < 2; ++after) {   // the block send, then the answer read
        Rig rig;
        writeTable(table({entry(0)}));
        Hid_Thread link;
        rig.mouse->failTransfers(1, after);
        QCOMPARE(detection::detect(link, QString::fromLatin1(kTableFile)), -1);
        QVERIFY(link.linkFree);
        QCOMPARE(entriesWithOp(rig.wire(), "CLOSE").size(), entriesWithOp(rig.wire(), "OPEN").size());
        // The mouse is fine again: the next detection connects.
        QCOMPARE(detection::detect(link, QString::fromLatin1(kTableFile)), 0);
    }
}

void TstDetection::currentRecordGuardsEveryTransfer()
{
    Rig rig;
    Hid_Thread link;
    QCOMPARE(link.currentDevice, 1);
    QCOMPARE(link.currentRecord(), nullptr);   // empty table, index 1
    uchar b1 = 5, b2 = 6, b3 = 7, b4 = 8;
    QVERIFY(!link.hid553_83H_GetKeyboardoption(b1, b2, b3, b4));
    QCOMPARE(int(b1), 5);
    QCOMPARE(int(b4), 8);
    QVERIFY(link.linkFree);
    QCOMPARE(rig.wire().size(), 0);

    auto* bad = new DeviceRecord;
    bad->commandPath = QString::fromLatin1(VirtualMouse::kCommandPath);
    bad->reportLength = 0;
    auto* good = new DeviceRecord;
    good->commandPath = QString::fromLatin1(VirtualMouse::kCommandPath);
    link.replaceDeviceTable({bad, good});
    link.currentDevice = 0;
    QCOMPARE(link.currentRecord(), nullptr);
    QVERIFY(!link.hid553_01H_SetReportRate(1));
    QCOMPARE(rig.wire().size(), 0);
    link.currentDevice = 1;
    QCOMPARE(link.currentRecord(), good);
    link.currentDevice = -1;
    QCOMPARE(link.currentRecord(), nullptr);
}

QTEST_GUILESS_MAIN(TstDetection)
#include "tst_detection.moc"
