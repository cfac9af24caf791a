// The device operations of the view against the virtual mouse of each family:
// what goes over the wire (byte for byte, from the wire log), what the emulated
// firmware keeps, and what stays in the files when a transfer fails.
#include "test_support.h"
#include "wire_log_reader.h"

#include "device/hid_thread.h"
#include "device/pacing.h"
#include "device/virtual/firmware_state.h"
#include "device/virtual/virtual_mouse.h"
#include "device/wire_log.h"
#include "platform/pointer_settings.h"
#include "view/myqquickview.h"
#ifdef Q_OS_LINUX
#include "platform/linux/pointer_settings_linux.h"
#endif

#include <QFile>
#include <QQuickItem>
#include <QSettings>
#include <QtTest>

namespace {

using Family = VirtualMouse::Family;
using Bytes = QByteArray;

// One command as it went out: the 8-byte block and the payload of the bulk
// output reports that followed it (report IDs removed).
struct SentCommand {
    Bytes block;
    Bytes payload;
};

Bytes hex(const char* spaced) { return bytesFromHex(spaced); }

Bytes blockHex(const char* first7)
{
    Bytes b = hex(first7);
    b.resize(7, '\0');
    uint8_t sum = 0;
    for (char c : b)
        sum = static_cast<uint8_t>(sum + static_cast<uint8_t>(c));
    b.append(static_cast<char>(~sum & 0xFF));
    return b;
}

template <size_t N>
Bytes bytesOf(const std::array<uint8_t, N>& a, int from = 0, int count = int(N))
{
    return Bytes(reinterpret_cast<const char*>(a.data()) + from, count);
}

QVariantList ints(std::initializer_list<int> values)
{
    QVariantList out;
    for (int v : values)
        out.append(v);
    return out;
}

// Factory device entry of button n in the scratch profile: recognisable per button.
QVariantList factoryEntry(int n) { return ints({1, n, 0xF0 + n, n == 15 ? 7 : 0}); }

Bytes factoryMatrixBytes()
{
    Bytes m;
    for (int n = 0; n < 16; ++n)
        for (const QVariant& v : factoryEntry(n))
            m.append(static_cast<char>(v.toInt()));
    return m;
}

void setEntry(Bytes& m, int n, const char* spaced)
{
    const Bytes e = hex(spaced);
    m.replace(4 * n, 4, e);
}

// The scene's built-in entries, a gun button on slot 5, a combination on slot 9
// and the factory values of slots 14 and 15.
QVariantList keyEntries(bool withGun, int gunMatrices = 2)
{
    QVariantList e = ints({0, 0, 0xF0, 0, 0, 0, 0xF1, 0, 0, 0, 0xF2, 0, 0, 0, 0xF4, 0,
                           0, 0, 0xF3, 0, 5, 0, 1, 0, 5, 0, 2, 0, 0, 0xF0, 0x1E, 2});
    for (int n = 8; n < 16; ++n)
        e += ints({0, 0, 0, 0});
    if (withGun) {
        e[20] = 8;
        e[22] = gunMatrices;
    }
    e[36] = 2; e[37] = 1; e[38] = 6;            // slot 9: L Ctrl + C
    e[56] = 0xFF; e[58] = 1;                    // slot 14
    e[60] = 0xFF; e[62] = 2;                    // slot 15
    return e;
}

// The translated user matrix of keyEntries(false).
Bytes userMatrixNoGun()
{
    return hex("01 00 f0 00 01 00 f1 00 01 00 f2 00 01 00 f4 00 01 00 f3 00 07 00 01 00 07 00 02 00 0a f0 1e 02"
               "00 00 00 00 02 01 06 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 04 00 01 00 04 00 02 00");
}

// What the rig's apConfig.bin says about the model.
struct Model {
    Family family = Family::F553;
    bool isGun = false;
    bool isColorful = true;
};

class Rig
{
public:
    explicit Rig(const Model& model) : family(model.family)
    {
        {
            QSettings ap(QStringLiteral("modules/setting/apConfig.bin"), QSettings::IniFormat);
            ap.setValue(QStringLiteral("mouse/icType"),
                        model.family == Family::F560 ? QStringLiteral("560") : QStringLiteral("553-24"));
            ap.setValue(QStringLiteral("mouse/isGun"), model.isGun);
            ap.setValue(QStringLiteral("mouse/isColorful"), model.isColorful);
            QSettings p1(QStringLiteral("modules/setting/p1.bin"), QSettings::IniFormat);
            for (int n = 0; n < 16; ++n)
                p1.setValue(QStringLiteral("mouseFwKeyMatrix/%1").arg(n), factoryEntry(n));
        }
        VirtualMouse::Config c;
        c.family = model.family;
        c.isEncode = false;   // plain blocks in the log; scrambling is the transport's own concern
        c.reportLength = 64;
        mouse = std::make_unique<VirtualMouse>(c);
        logPath = install.file(QStringLiteral("wire.log"));
        log = std::make_unique<WireLog>(*mouse, logPath);
        installHidBackend(log.get());
        auto* rec = new DeviceRecord;
        rec->vid = c.vid;
        rec->pid = c.pid;
        rec->reportLength = c.reportLength;
        rec->isEncode = false;
        rec->commandPath = QString::fromLatin1(VirtualMouse::kCommandPath);
        rec->notifyPath = QString::fromLatin1(VirtualMouse::kNotifyPath);
        link.replaceDeviceTable({rec});
        link.currentDevice = 0;
        view = std::make_unique<myQQuickView>();
        view->setLink(&link);
    }
    ~Rig()
    {
        view.reset();
        installHidBackend(nullptr);
    }

    // The blocks read at connection: 0 and 1, and 2..4 with recoil functions.
    void readBlocks()
    {
        const int last = view->isGun ? 4 : 1;
        for (int b = 0; b <= last; ++b)
            link.hid560_8CH_readProfile(view->profileBlocks[b].data(), static_cast<uchar>(b));
        clearLog();
    }

    void clearLog()
    {
        QFile f(logPath);
        f.resize(0);
    }

    QList<SentCommand> sent() const
    {
        QList<SentCommand> out;
        for (const WireLogEntry& e : readWireLog(logPath)) {
            if (e.path != QLatin1String(VirtualMouse::kCommandPath))
                continue;
            if (e.op == QLatin1String("SET_FEATURE"))
                out.append({e.bytes.mid(1, 8), {}});
            else if (e.op == QLatin1String("WRITE") && !out.isEmpty())
                out.last().payload += e.bytes.mid(1);
        }
        return out;
    }

    QList<Bytes> blocks() const
    {
        QList<Bytes> out;
        for (const SentCommand& c : sent())
            out.append(c.block);
        return out;
    }

    FirmwareState state() const { return mouse->state(); }

    Family family;
    ScratchInstall install;
    std::unique_ptr<VirtualMouse> mouse;
    std::unique_ptr<WireLog> log;
    QString logPath;
    Hid_Thread link;
    std::unique_ptr<myQQuickView> view;
};

// Records what the view asks of the desktop; answers with `result`.
class FakePointer : public PointerSettings
{
public:
    explicit FakePointer(QStringList* calls, bool result) : calls(calls), result(result) {}
    bool setPointerSpeed(int v) override { calls->append(QStringLiteral("speed %1").arg(v)); return result; }
    bool setDoubleClickTime(int v) override { calls->append(QStringLiteral("doubleClick %1").arg(v)); return result; }
    bool setWheelScrollLines(int v) override { calls->append(QStringLiteral("lines %1").arg(v)); return result; }
private:
    QStringList* calls;
    bool result;
};

} // namespace

Q_DECLARE_METATYPE(Family)

class TestDeviceOps : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { pacing::setTimeScale(0.0); }
    void cleanupTestCase() { pacing::setTimeScale(1.0); }

    void passThroughCommands_data();
    void passThroughCommands();
    void currentDpiAndOptionsRead();
    void silentMouseReadsZero();

    void dpi553StagesOff();
    void dpi553ShortList();
    void dpi560Blocks_data();
    void dpi560Blocks();

    void effect553();
    void effect560_data();
    void effect560();
    void colour553SentTwice();
    void colour560Placement_data();
    void colour560Placement();

    void keyMatrixStoredWithoutSending();
    void keyMatrixTooShortDoesNothing();
    void keyMatrixNoGun_data();
    void keyMatrixNoGun();
    void keyMatrixGun553();
    void keyMatrixGun560();
    void keyMatrixSurvivesFailedTransfer();
    void resetKeyMatrix();
    void keyDefine();

    void recoil553_data();
    void recoil553();
    void recoil560ChangesOnlyItsBytes();
    void recoilNotSent_data();
    void recoilNotSent();
    void gunFileAbsentNeverCreated();
    void gunFilePresent();
    void perProfileAccessors();

    void pointerValues();
    void pointerFailureLines();
#ifdef Q_OS_LINUX
    void linuxDesktopCommands();
#endif
    void setCurrentDpiReachesScene();
};

void TestDeviceOps::passThroughCommands_data()
{
    QTest::addColumn<Family>("family");
    QTest::addColumn<bool>("isGun");
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QStringList>("expected");   // first seven bytes of every block, in order
    QTest::newRow("553 rate") << Family::F553 << false << "rate 2" << QStringList{"01 02"};
    QTest::newRow("553 rate gun") << Family::F553 << true << "rate 1" << QStringList{"01 01"};
    QTest::newRow("560 rate") << Family::F560 << false << "rate 2"
                              << QStringList{"03 01 02", "03 02 02", "03 03 02", "03 04 02"};
    QTest::newRow("560 rate gun") << Family::F560 << true << "rate 8" << QStringList{"03 01 08"};
    QTest::newRow("553 stage") << Family::F553 << false << "stage 3" << QStringList{"0b 03"};
    QTest::newRow("560 stage") << Family::F560 << false << "stage 2"
                               << QStringList{"04 01 02", "04 02 02", "04 03 02", "04 04 02"};
    QTest::newRow("560 stage gun") << Family::F560 << true << "stage 2" << QStringList{"04 01 02"};
    QTest::newRow("553 switch") << Family::F553 << true << "switch 2" << QStringList{"02 02"};
    QTest::newRow("560 switch") << Family::F560 << true << "switch 3" << QStringList{"02 03"};
    QTest::newRow("553 option") << Family::F553 << false << "option" << QStringList{"03 11 22 33 44"};
    QTest::newRow("560 option uses 553 command") << Family::F560 << false << "option"
                                                 << QStringList{"03 11 22 33 44"};
}

void TestDeviceOps::passThroughCommands()
{
    QFETCH(Family, family);
    QFETCH(bool, isGun);
    QFETCH(QString, operation);
    QFETCH(QStringList, expected);
    Rig rig({family, isGun, true});
    const QStringList op = operation.split(' ');
    const uchar arg = op.size() > 1 ? static_cast<uchar>(op[1].toInt()) : 0;
    if (op[0] == "rate")
        rig.view->mouseSetReportRate(arg);
    else if (op[0] == "stage")
        rig.view->mouseSetCurrentDPI(arg);
    else if (op[0] == "switch")
        rig.view->mouseSwitchKeyMatrix(arg);
    else
        rig.view->mouseSetKeyboardoption(0x11, 0x22, 0x33, 0x44);
    QList<Bytes> want;
    for (const QString& e : expected)
        want.append(blockHex(e.toLatin1().constData()));
    QCOMPARE(rig.blocks(), want);
}

void TestDeviceOps::currentDpiAndOptionsRead()
{
    {
        Rig rig({Family::F553, false, true});
        rig.mouse->pressDpiButton(5);
        QCOMPARE(rig.view->mouseGetCurrentDPI(), QVariant(5));
        QCOMPARE(rig.blocks(), QList<Bytes>{blockHex("8b")});
        rig.view->mouseSetKeyboardoption(1, 2, 3, 4);
        QCOMPARE(rig.view->GetKeyboardoption(), ints({1, 2, 3, 4}));
    }
    {
        Rig rig({Family::F560, false, true});
        rig.view->mouseSetCurrentDPI(6);
        rig.clearLog();
        QCOMPARE(rig.view->mouseGetCurrentDPI(), QVariant(6));
        QCOMPARE(rig.blocks(), QList<Bytes>{blockHex("84 01")});
    }
}

void TestDeviceOps::silentMouseReadsZero()
{
    for (Family f : {Family::F553, Family::F560}) {
        Rig rig({f, false, true});
        rig.view->mouseSetKeyboardoption(9, 9, 9, 9);
        rig.mouse->setSilent(true);
        QCOMPARE(rig.view->mouseGetCurrentDPI(), QVariant(0));
        QCOMPARE(rig.view->GetKeyboardoption(), ints({0, 0, 0, 0}));
    }
}

void TestDeviceOps::dpi553StagesOff()
{
    Rig rig({Family::F553, false, true});
    rig.view->mouseSetDpi(4, "3360", ints({400, 800, 1600, 3200, 6400, 8000, 12000, 16000}));
    const QList<SentCommand> sent = rig.sent();
    QCOMPARE(sent.size(), 1);
    QCOMPARE(sent[0].block, blockHex("11 04 08"));
    QCOMPARE(sent[0].payload.left(8), hex("03 07 0f 1f 80 80 80 80"));
    const FirmwareState s = rig.state();
    QCOMPARE(int(s.dpiCount), 4);
    QCOMPARE(bytesOf(s.dpiSet), hex("03 07 0f 1f 80 80 80 80"));
}

void TestDeviceOps::dpi553ShortList()
{
    Rig rig({Family::F553, false, true});
    rig.view->mouseSetDpi(8, "4090", ints({800, 5200}));
    QCOMPARE(bytesOf(rig.state().dpiSet), hex("07 5a 00 00 00 00 00 00"));
}

void TestDeviceOps::dpi560Blocks_data()
{
    QTest::addColumn<bool>("isGun");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("sensor");
    QTest::addColumn<int>("mask");
    QTest::addColumn<int>("ninth");   // -1: bytes 82, 83 untouched
    QTest::newRow("4 stages") << false << 4 << "3360" << 0x0F << -1;
    QTest::newRow("8 stages gun") << true << 8 << "3360" << 0xFF << -1;
    QTest::newRow("3389 ninth bits") << true << 2 << "3389" << 0x03 << 0xC0;
    QTest::newRow("3389 no bits") << false << 8 << "3389" << 0xFF << 0x00;
}

void TestDeviceOps::dpi560Blocks()
{
    QFETCH(bool, isGun);
    QFETCH(int, count);
    QFETCH(QString, sensor);
    QFETCH(int, mask);
    QFETCH(int, ninth);
    Rig rig({Family::F560, isGun, true});
    rig.readBlocks();
    const auto before = rig.view->profileBlocks;
    const QVariantList values = ninth > 0 ? ints({800, 1600, 3200, 6400, 8000, 12000, 12800, 16000})
                                          : ints({800, 1600, 3200, 6400, 8000, 9600, 11000, 12000});
    rig.view->mouseSetDpi(count, sensor, values);

    const bool is3389 = sensor == "3389";
    const Bytes codes = is3389 ? (ninth > 0 ? hex("10 20 40 80 a0 f0 00 40") : hex("10 20 40 80 a0 c0 dc f0"))
                               : hex("07 0f 1f 3f 4f 5f 6d 77");
    for (int b = 1; b <= 4; ++b) {
        auto expected = before[b];
        for (int i = 0; i < 8; ++i) {
            expected[84 + i] = static_cast<uint8_t>(codes[i]);
            expected[92 + i] = static_cast<uint8_t>(codes[i]);
        }
        expected[100] = static_cast<uint8_t>(mask);
        if (ninth >= 0)
            expected[82] = expected[83] = static_cast<uint8_t>(ninth);
        QCOMPARE(bytesOf(rig.view->profileBlocks[b]), bytesOf(expected));
    }
    QList<Bytes> want{blockHex("0c 01 80")};
    if (isGun)
        want << blockHex("0c 02 80") << blockHex("0c 03 80") << blockHex("0c 04 80");
    QCOMPARE(rig.blocks(), want);
    const FirmwareState s = rig.state();
    for (int b = 1; b <= 4; ++b) {
        const bool sentHere = b == 1 || isGun;
        QCOMPARE(bytesOf(s.profileBlocks[b]),
                 bytesOf(sentHere ? rig.view->profileBlocks[b] : FirmwareState::factoryProfileBlock(b)));
    }
}

void TestDeviceOps::effect553()
{
    Rig rig({Family::F553, false, true});
    rig.view->mouseSetRGBEffect(9, 2, 4);
    QCOMPARE(rig.blocks(), QList<Bytes>{blockHex("0d 0a ff 18")});
    const FirmwareState s = rig.state();
    QCOMPARE(int(s.ledEffect), 10);
    QCOMPARE(int(s.ledOption1), 255);
    QCOMPARE(int(s.ledOption2), 24);
}

void TestDeviceOps::effect560_data()
{
    QTest::addColumn<bool>("colourful");
    QTest::addColumn<bool>("isGun");
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("speed");
    QTest::addColumn<int>("brightness");
    QTest::addColumn<QString>("block1");    // bytes 71..73 of block 1
    QTest::addColumn<QString>("others");    // bytes 71..73 of blocks 2..4
    QTest::newRow("single breath no gun") << false << false << 1 << 4 << 0 << "02 05 03" << "02 05 02";
    QTest::newRow("single breath gun") << false << true << 1 << 4 << 0 << "02 05 02" << "02 05 02";
    QTest::newRow("full spotlight no gun") << true << false << 9 << 2 << 4 << "0a ff 18" << "0a ff 18";
    QTest::newRow("full static gun") << true << true << 0 << 0 << 0 << "01 00 00" << "01 00 00";
}

void TestDeviceOps::effect560()
{
    QFETCH(bool, colourful);
    QFETCH(bool, isGun);
    QFETCH(int, mode);
    QFETCH(int, speed);
    QFETCH(int, brightness);
    QFETCH(QString, block1);
    QFETCH(QString, others);
    Rig rig({Family::F560, isGun, colourful});
    rig.readBlocks();
    rig.view->mouseSetRGBEffect(static_cast<uchar>(mode), static_cast<uchar>(speed), static_cast<uchar>(brightness));
    QCOMPARE(bytesOf(rig.view->profileBlocks[1], 71, 3), hex(block1.toLatin1()));
    for (int b = 2; b <= 4; ++b)
        QCOMPARE(bytesOf(rig.view->profileBlocks[b], 71, 3), hex(others.toLatin1()));
    QList<Bytes> want{blockHex("0c 01 80")};
    if (isGun)
        want << blockHex("0c 02 80") << blockHex("0c 03 80") << blockHex("0c 04 80");
    QCOMPARE(rig.blocks(), want);
    const FirmwareState s = rig.state();
    QCOMPARE(bytesOf(s.profileBlocks[1]), bytesOf(rig.view->profileBlocks[1]));
    if (!isGun)
        QCOMPARE(bytesOf(s.profileBlocks[2]), bytesOf(FirmwareState::factoryProfileBlock(2)));
}

void TestDeviceOps::colour553SentTwice()
{
    Rig rig({Family::F553, false, true});
    QVariantList colours;
    for (int i = 0; i < 30; ++i)   // six more than a colour set holds: cut, never read into the buffer
        colours.append(0x100 + i);
    rig.view->mouseSetRGBColor(0, colours);
    Bytes expected;
    for (int i = 0; i < 24; ++i)
        expected.append(static_cast<char>(i));
    QList<SentCommand> sent = rig.sent();
    QCOMPARE(sent.size(), 2);
    for (const SentCommand& c : sent) {
        QCOMPARE(c.block, blockHex("10 00 18"));
        QCOMPARE(c.payload.left(24), expected);
    }
    QCOMPARE(bytesOf(rig.state().stageColors[0]), expected);

    rig.clearLog();
    rig.view->mouseSetRGBColor(2, ints({1, 2, 3, 4, 5, 6, 7, 0}));
    sent = rig.sent();
    QCOMPARE(sent.size(), 2);
    QCOMPARE(sent[0].block, blockHex("10 02 04"));
    QCOMPARE(sent[1].block, blockHex("10 02 04"));
    QCOMPARE(sent[1].payload.left(4), hex("01 02 03 04"));
}

void TestDeviceOps::colour560Placement_data()
{
    QTest::addColumn<bool>("colourful");
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("block");
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("length");
    QTest::newRow("full set") << true << 0 << 0 << 24 << 24;
    QTest::newRow("full single set") << true << 1 << 0 << 104 << 24;
    QTest::newRow("full stage indices") << true << 2 << 0 << 16 << 8;
    QTest::newRow("single type 0") << false << 0 << 1 << 104 << 24;
    QTest::newRow("single type 2") << false << 2 << 1 << 104 << 24;
}

void TestDeviceOps::colour560Placement()
{
    QFETCH(bool, colourful);
    QFETCH(int, type);
    QFETCH(int, block);
    QFETCH(int, offset);
    QFETCH(int, length);
    Rig rig({Family::F560, false, colourful});
    rig.readBlocks();
    const auto before = rig.view->profileBlocks;
    QVariantList colours;
    for (int i = 0; i < 24; ++i)
        colours.append(0xA0 + i);
    rig.view->mouseSetRGBColor(static_cast<uchar>(type), colours);

    auto expected = before[block];
    for (int i = 0; i < length; ++i)
        expected[offset + i] = static_cast<uint8_t>(0xA0 + i);
    QCOMPARE(bytesOf(rig.view->profileBlocks[block]), bytesOf(expected));
    QCOMPARE(bytesOf(rig.view->profileBlocks[1 - block]), bytesOf(before[1 - block]));
    const QList<SentCommand> sent = rig.sent();
    QCOMPARE(sent.size(), 1);
    QCOMPARE(sent[0].block, blockHex(block == 0 ? "0c 00 80" : "0c 01 80"));
    QCOMPARE(bytesOf(rig.state().profileBlocks[block]), bytesOf(expected));
}

void TestDeviceOps::keyMatrixStoredWithoutSending()
{
    Rig rig({Family::F553, true, true});
    const QVariantList entries = keyEntries(true);
    rig.view->mouseSetKeyMatrix(entries, false, ints({10, 20, 30}));
    QVERIFY(rig.blocks().isEmpty());
    for (int n = 0; n < 16; ++n) {
        const QVariantList got = rig.view->mouseGetKeydefine(n, false);
        QCOMPARE(got.size(), 4);
        for (int k = 0; k < 4; ++k)
            QCOMPARE(got[k].toInt(), entries[4 * n + k].toInt());
    }
    rig.view->profileSettings[0]->sync();
    const QSettings file(QStringLiteral("modules/setting/p1.bin"), QSettings::IniFormat);
    QCOMPARE(file.value("mouseKeyMatrix/5").toStringList(), (QStringList{"8", "0", "2", "0"}));
}

void TestDeviceOps::keyMatrixTooShortDoesNothing()
{
    Rig rig({Family::F553, false, true});
    QVariantList entries = keyEntries(false);
    entries.removeLast();
    QList<QVariantList> stored;
    for (int n = 0; n < 16; ++n)
        stored.append(rig.view->mouseGetKeydefine(n, false));
    rig.view->mouseSetKeyMatrix(entries, true, ints({10, 20, 30}));
    QVERIFY(rig.blocks().isEmpty());
    for (int n = 0; n < 16; ++n)
        QCOMPARE(rig.view->mouseGetKeydefine(n, false), stored[n]);
}

void TestDeviceOps::keyMatrixNoGun_data()
{
    QTest::addColumn<Family>("family");
    QTest::newRow("553") << Family::F553;
    QTest::newRow("560") << Family::F560;
}

void TestDeviceOps::keyMatrixNoGun()
{
    QFETCH(Family, family);
    Rig rig({family, false, true});
    rig.view->mouseSetKeyMatrix(keyEntries(false), true, {});
    const QList<SentCommand> sent = rig.sent();
    QCOMPARE(sent.size(), 1);
    const FirmwareState s = rig.state();
    if (family == Family::F553) {
        QCOMPARE(sent[0].block, blockHex("12 01 40 08"));
        QCOMPARE(sent[0].payload.left(64), userMatrixNoGun());
        QCOMPARE(bytesOf(s.keyMatrices[0], 0, 64), userMatrixNoGun());
        QCOMPARE(int(s.activeKeyMatrix), 1);
    } else {
        QCOMPARE(sent[0].block, blockHex("0d 01 80"));
        QCOMPARE(bytesOf(s.keyMatrices[0]), userMatrixNoGun() + Bytes(64, '\0'));
        QCOMPARE(int(s.currentProfile), 1);
    }
    QCOMPARE(bytesOf(s.keyMatrices[1]), bytesOf(FirmwareState::factory().keyMatrices[1]));
}

void TestDeviceOps::keyMatrixGun553()
{
    Rig rig({Family::F553, true, true});
    rig.view->mouseSwitchKeyMatrix(3);
    rig.clearLog();
    rig.view->mouseSetKeyMatrix(keyEntries(true, 2), true, ints({10, 20, 30}));

    QCOMPARE(rig.blocks(), (QList<Bytes>{blockHex("12 01 40 08"), blockHex("12 02 40 08"),
                                         blockHex("12 03 40 08"), blockHex("12 04 40 08"), blockHex("02 01")}));
    Bytes u = userMatrixNoGun();
    setEntry(u, 5, "08 00 01 01");
    Bytes g2 = factoryMatrixBytes(), g3 = g2, g4 = g2;
    setEntry(g2, 5, "08 00 01 02");
    setEntry(g3, 5, "08 00 01 00");
    setEntry(g4, 5, "08 00 01 00");
    setEntry(g2, 0, "0a f0 0a 00");
    setEntry(g3, 0, "0a f0 14 00");
    setEntry(g4, 0, "0a f0 1e 00");
    const FirmwareState s = rig.state();
    QCOMPARE(bytesOf(s.keyMatrices[0], 0, 64), u);
    QCOMPARE(bytesOf(s.keyMatrices[1], 0, 64), g2);
    QCOMPARE(bytesOf(s.keyMatrices[2], 0, 64), g3);
    QCOMPARE(bytesOf(s.keyMatrices[3], 0, 64), g4);
    QCOMPARE(int(s.activeKeyMatrix), 1);
}

void TestDeviceOps::keyMatrixGun560()
{
    Rig rig({Family::F560, true, true});
    rig.readBlocks();
    auto block0 = rig.view->profileBlocks[0];
    // Only two periods: the third counts as 0.
    rig.view->mouseSetKeyMatrix(keyEntries(true, 3), true, ints({10, 20}));

    QCOMPARE(rig.blocks(), (QList<Bytes>{blockHex("0c 00 80"), blockHex("0d 01 80"), blockHex("0d 02 80"),
                                         blockHex("0d 03 80"), blockHex("0d 04 80"), blockHex("02 01")}));
    block0[2] = 31;
    const FirmwareState s = rig.state();
    QCOMPARE(bytesOf(s.profileBlocks[0]), bytesOf(block0));
    Bytes u = userMatrixNoGun();
    setEntry(u, 5, "08 00 01 00");
    Bytes g2 = factoryMatrixBytes(), g3 = g2, g4 = g2;
    setEntry(g2, 5, "08 05 03 00");
    setEntry(g3, 5, "08 05 03 00");
    setEntry(g4, 5, "08 05 00 00");
    setEntry(g2, 0, "0b 00 0a 00");
    setEntry(g3, 0, "0b 01 14 00");
    setEntry(g4, 0, "0b 02 00 00");
    const Bytes pad(64, '\0');
    QCOMPARE(bytesOf(s.keyMatrices[0]), u + pad);
    QCOMPARE(bytesOf(s.keyMatrices[1]), g2 + pad);
    QCOMPARE(bytesOf(s.keyMatrices[2]), g3 + pad);
    QCOMPARE(bytesOf(s.keyMatrices[3]), g4 + pad);
    QCOMPARE(int(s.currentProfile), 1);
}

void TestDeviceOps::keyMatrixSurvivesFailedTransfer()
{
    Rig rig({Family::F553, true, true});
    rig.mouse->unplug();
    const QVariantList entries = keyEntries(true);
    rig.view->mouseSetKeyMatrix(entries, true, ints({10, 20, 30}));
    rig.view->profileSettings[0]->sync();
    const QSettings file(QStringLiteral("modules/setting/p1.bin"), QSettings::IniFormat);
    QCOMPARE(file.value("mouseKeyMatrix/7").toStringList(), (QStringList{"0", "240", "30", "2"}));
    QCOMPARE(file.value("mouseKeyMatrix/14").toStringList(), (QStringList{"255", "0", "1", "0"}));
    QCOMPARE(bytesOf(rig.state().keyMatrices[0]), bytesOf(FirmwareState::factory().keyMatrices[0]));
}

void TestDeviceOps::resetKeyMatrix()
{
    for (Family f : {Family::F553, Family::F560}) {
        Rig rig({f, true, true});
        // One stored factory entry with only two places: the missing ones read as 0.
        rig.view->profileSettings[0]->setValue("mouseFwKeyMatrix/3", ints({5, 6}));
        rig.view->mouseResetKeyMatrix();
        const bool is560 = f == Family::F560;
        QCOMPARE(rig.blocks(), (QList<Bytes>{blockHex(is560 ? "0d 02 80" : "12 02 40 08"),
                                             blockHex(is560 ? "0d 03 80" : "12 03 40 08"),
                                             blockHex(is560 ? "0d 04 80" : "12 04 40 08")}));
        Bytes factory = factoryMatrixBytes();
        setEntry(factory, 3, "05 06 00 00");
        const FirmwareState s = rig.state();
        for (int m = 1; m < 4; ++m)
            QCOMPARE(bytesOf(s.keyMatrices[m], 0, 64), factory);
        QCOMPARE(bytesOf(s.keyMatrices[0]), bytesOf(FirmwareState::factory().keyMatrices[0]));
    }
}

void TestDeviceOps::keyDefine()
{
    Rig rig({Family::F553, false, true});
    {
        QSettings pd(QStringLiteral("modules/setting/pD.bin"), QSettings::IniFormat);
        pd.setValue("mouseKeyMatrix/3", ints({0, 0, 0xF4, 0}));
        pd.remove("mouseKeyMatrix/12");
        QSettings p1(QStringLiteral("modules/setting/p1.bin"), QSettings::IniFormat);
        p1.remove("mouseKeyMatrix/3");
    }
    rig.view.reset();
    rig.view = std::make_unique<myQQuickView>();
    QCOMPARE(rig.view->mouseGetKeydefine(3, true), (QVariantList{"0", "0", "244", "0"}));
    QVERIFY(rig.view->mouseGetKeydefine(3, false).isEmpty());
    QVERIFY(rig.view->mouseGetKeydefine(12, true).isEmpty());
}

void TestDeviceOps::recoil553_data()
{
    QTest::addColumn<int>("thirdOption");
    QTest::addColumn<int>("y");
    QTest::addColumn<QString>("block");
    QTest::newRow("negated") << 1 << 10 << "04 00 05 03 f6 02";
    QTest::newRow("plain") << 0 << 10 << "04 00 05 03 0a 02";
    QTest::newRow("zero stays") << 1 << 0 << "04 00 05 03 00 02";
}

void TestDeviceOps::recoil553()
{
    QFETCH(int, thirdOption);
    QFETCH(int, y);
    QFETCH(QString, block);
    Rig rig({Family::F553, true, true});
    rig.view->mouseSetKeyboardoption(0, 0, static_cast<uchar>(thirdOption), 0);
    rig.clearLog();
    rig.view->mouseSendGundata(2, QVariantList{5, "3", y});
    QCOMPARE(rig.blocks(), (QList<Bytes>{blockHex("83"), blockHex(block.toLatin1())}));
    const Bytes b = hex(block.toLatin1());
    const FirmwareState s = rig.state();
    QCOMPARE(s.gunSlots[1], (FirmwareState::GunSlot{5, 3, static_cast<uint8_t>(b[4])}));
    QCOMPARE(s.gunSlots[0], FirmwareState::GunSlot{});
}

void TestDeviceOps::recoil560ChangesOnlyItsBytes()
{
    Rig rig({Family::F560, true, true});
    rig.readBlocks();
    rig.view->profileBlocks[2][65] |= 0x06;   // the flag and a neighbour that must stay
    const auto before = rig.view->profileBlocks;
    rig.view->mouseSendGundata(2, ints({7, 0x101, 12}));

    auto expected = before[2];
    expected[65] = static_cast<uint8_t>(before[2][65] & ~0x04);
    QVERIFY(expected[65] & 0x02);
    expected[78] = 0xF0;
    expected[79] = 7;
    expected[80] = 1;
    expected[81] = 12;
    QCOMPARE(bytesOf(rig.view->profileBlocks[2]), bytesOf(expected));
    for (int b : {0, 1, 3, 4})
        QCOMPARE(bytesOf(rig.view->profileBlocks[b]), bytesOf(before[b]));
    QCOMPARE(rig.blocks(), QList<Bytes>{blockHex("0c 02 80")});
    QCOMPARE(bytesOf(rig.state().profileBlocks[2]), bytesOf(expected));
}

void TestDeviceOps::recoilNotSent_data()
{
    QTest::addColumn<Family>("family");
    QTest::addColumn<bool>("isGun");
    QTest::addColumn<int>("slot");
    QTest::addColumn<QVariantList>("data");
    QTest::newRow("553 no recoil") << Family::F553 << false << 1 << ints({1, 2, 3});
    QTest::newRow("560 no recoil") << Family::F560 << false << 1 << ints({1, 2, 3});
    QTest::newRow("553 short list") << Family::F553 << true << 1 << ints({1, 2});
    QTest::newRow("560 short list") << Family::F560 << true << 2 << ints({1});
    QTest::newRow("560 slot 5") << Family::F560 << true << 5 << ints({1, 2, 3});
    QTest::newRow("560 slot -1") << Family::F560 << true << -1 << ints({1, 2, 3});
}

void TestDeviceOps::recoilNotSent()
{
    QFETCH(Family, family);
    QFETCH(bool, isGun);
    QFETCH(int, slot);
    QFETCH(QVariantList, data);
    Rig rig({family, isGun, true});
    const auto before = rig.view->profileBlocks;
    rig.view->mouseSendGundata(slot, data);
    QVERIFY(rig.blocks().isEmpty());
    QVERIFY(rig.view->profileBlocks == before);
}

void TestDeviceOps::gunFileAbsentNeverCreated()
{
    ScratchInstall install;
    const QString gunFile = QStringLiteral("modules/gun/gunData.bin");
    QFile::remove(gunFile);
    {
        myQQuickView view;
        view.mouseSaveGundata(2, QVariantList{"AKM", "L-Click", "10", "0", "10", "0"});
        view.modifyGundata(1, QVariantList{"AKM", "L-Click", "10", "0", "10", "0", "2"});
        view.modifyGundata(0, QVariantList{"2"});
        QVERIFY(view.getGunData(2).isEmpty());
        QVERIFY(view.getGunDataKey().isEmpty());
    }
    QVERIFY(!QFile::exists(gunFile));
}

void TestDeviceOps::gunFilePresent()
{
    ScratchInstall install;
    const QString gunFile = QStringLiteral("modules/gun/gunData.bin");
    {
        QFile f(gunFile);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write("[gunData]\n0=M416, L-Click, 10, 0, 10, 0\n1=AKM, L-Click, 20, 0, 12, 3\n");
    }
    myQQuickView view;
    QCOMPARE(view.getGunData(1), (QVariantList{"AKM", "L-Click", "20", "0", "12", "3"}));
    QVERIFY(view.getGunData(4).isEmpty());
    view.mouseSaveGundata(2, QVariantList{"UNP9", "L-Click", "30", "0", "9", "1", "extra"});
    view.mouseSaveGundata(3, QVariantList{"short", "L-Click"});
    QCOMPARE(view.getGunData(2), (QVariantList{"UNP9", "L-Click", "30", "0", "9", "1"}));
    QVERIFY(view.getGunData(3).isEmpty());
    view.modifyGundata(1, QVariantList{"Thomson", "L-Click", "40", "0", "8", "2", "0"});
    QCOMPARE(view.getGunDataKey(), (QVariantList{"1", "2", "Thomson"}));
    view.modifyGundata(1, QVariantList{"Only", "three", "values"});
    view.modifyGundata(0, QVariantList{"1"});
    view.modifyGundata(0, QVariantList{});
    QCOMPARE(view.getGunDataKey(), (QVariantList{"2", "Thomson"}));
}

void TestDeviceOps::perProfileAccessors()
{
    ScratchInstall install;
    myQQuickView view;
    view.profileSettings[0]->remove("XYSensitive");
    view.profileSettings[0]->remove("selectGun");
    QCOMPARE(view.getXYSensitive(0), QVariant(4));
    QCOMPARE(view.getselectGun(1), QVariant(QString()));
    view.setXYSensitive(0, 7);
    view.setSelectGun(1, "AKM");
    QCOMPARE(view.getXYSensitive(0).toInt(), 7);
    QCOMPARE(view.getselectGun(1).toString(), QStringLiteral("AKM"));
    view.currentProfile = 12;   // outside 0..9: no handle is touched, defaults come back
    QCOMPARE(view.getXYSensitive(0), QVariant(4));
    view.setXYSensitive(0, 9);
    view.currentProfile = 0;
    QCOMPARE(view.getXYSensitive(0).toInt(), 7);
}

void TestDeviceOps::pointerValues()
{
    ScratchInstall install;
    myQQuickView view;
    QStringList calls;
    view.setPointerSettings(std::make_unique<FakePointer>(&calls, true));
    view.mouseSetCursorSpeed(0);
    view.mouseSetCursorSpeed(5);
    view.mouseSetCursorSpeed(10);
    view.mouseSetDoubleClickSpeed(3);
    view.mouseSetVerticalScrollLines(1000);
    view.mouseSetVerticalScrollLines(3);
    QCOMPARE(calls, (QStringList{"speed 1", "speed 10", "speed 20", "doubleClick 690", "lines 1000", "lines 3"}));
}

void TestDeviceOps::pointerFailureLines()
{
    ScratchInstall install;
    myQQuickView view;
    QStringList calls;
    view.setPointerSettings(std::make_unique<FakePointer>(&calls, false));
    QTest::ignoreMessage(QtDebugMsg, "setCursorSpeed Failed");
    view.mouseSetCursorSpeed(4);
    QTest::ignoreMessage(QtDebugMsg, "setDoubleClickSpeed Failed");
    view.mouseSetDoubleClickSpeed(4);
    QTest::ignoreMessage(QtDebugMsg, "setVerticalScrollLines Failed");
    view.mouseSetVerticalScrollLines(4);
    QCOMPARE(calls.size(), 3);
}

#ifdef Q_OS_LINUX
namespace {
class FakeRunner : public linux_pointer::CommandRunner
{
public:
    FakeRunner(QStringList present, QStringList* calls, bool result)
        : present(std::move(present)), calls(calls), result(result) {}
    QString find(const QString& program) override
    {
        return present.contains(program) ? QStringLiteral("/usr/bin/") + program : QString();
    }
    bool run(const QString& program, const QStringList& args) override
    {
        calls->append(program + QLatin1Char(' ') + args.join(QLatin1Char(' ')));
        return result;
    }
private:
    QStringList present;
    QStringList* calls;
    bool result;
};
} // namespace

void TestDeviceOps::linuxDesktopCommands()
{
    using linux_pointer::Desktop;
    QCOMPARE(linux_pointer::desktopFromSessionName("ubuntu:GNOME"), Desktop::Gnome);
    QCOMPARE(linux_pointer::desktopFromSessionName("KDE"), Desktop::Kde);
    QCOMPARE(linux_pointer::desktopFromSessionName("XFCE"), Desktop::None);
    QCOMPARE(linux_pointer::desktopFromSessionName(""), Desktop::None);

    QStringList calls;
    linux_pointer::DesktopPointerSettings gnome(
        Desktop::Gnome, std::make_unique<FakeRunner>(QStringList{"gsettings"}, &calls, true));
    QVERIFY(gnome.setPointerSpeed(20));
    QVERIFY(gnome.setDoubleClickTime(690));
    QVERIFY(!gnome.setWheelScrollLines(3));
    QCOMPARE(calls, (QStringList{"/usr/bin/gsettings set org.gnome.desktop.peripherals.mouse speed 1.00",
                                 "/usr/bin/gsettings set org.gnome.desktop.peripherals.mouse double-click 690"}));

    calls.clear();
    linux_pointer::DesktopPointerSettings kde(
        Desktop::Kde, std::make_unique<FakeRunner>(QStringList{"kwriteconfig5", "kwriteconfig6"}, &calls, true));
    QVERIFY(kde.setPointerSpeed(1));
    QVERIFY(kde.setWheelScrollLines(3));
    QVERIFY(!kde.setWheelScrollLines(1000));
    QCOMPARE(calls, (QStringList{
        "/usr/bin/kwriteconfig6 --file kcminputrc --group Mouse --key XLbInptPointerAcceleration -0.90",
        "/usr/bin/kwriteconfig6 --file kdeglobals --group KDE --key WheelScrollLines 3"}));

    calls.clear();
    linux_pointer::DesktopPointerSettings failing(
        Desktop::Gnome, std::make_unique<FakeRunner>(QStringList{"gsettings"}, &calls, false));
    QVERIFY(!failing.setDoubleClickTime(500));
    linux_pointer::DesktopPointerSettings noTool(
        Desktop::Kde, std::make_unique<FakeRunner>(QStringList{}, &calls, true));
    QVERIFY(!noTool.setDoubleClickTime(500));
    linux_pointer::DesktopPointerSettings none(
        Desktop::None, std::make_unique<FakeRunner>(QStringList{"gsettings", "kwriteconfig5"}, &calls, true));
    QVERIFY(!none.setPointerSpeed(10));
    QVERIFY(!none.setDoubleClickTime(500));
    QVERIFY(!none.setWheelScrollLines(3));
    QCOMPARE(calls.size(), 1);
}
#endif

void TestDeviceOps::setCurrentDpiReachesScene()
{
    ScratchInstall install;
    {
        QFile f(QStringLiteral("scene.qml"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("import QtQuick 2.0\nItem { property var got: -1\n function setCurrentDPI(v) { got = v } }\n");
    }
    myQQuickView view;
    view.setSource(QUrl::fromLocalFile(install.file(QStringLiteral("scene.qml"))));
    QVERIFY(view.rootObject());
    view.setCurrentDPI(3);   // direct: visible at once, no event loop turn
    QCOMPARE(view.rootObject()->property("got").toInt(), 3);
}

QTEST_MAIN(TestDeviceOps)
#include "tst_device_ops.moc"
