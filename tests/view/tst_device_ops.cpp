// The device operations of the view against the virtual mouse of each family:
// what goes over the wire (byte for byte, from the wire log), what the emulated
// firmware keeps, and what stays in the files when a transfer fails.
#include "rig.h"

#include "device/pacing.h"
#include "platform/pointer_settings.h"
#ifdef Q_OS_LINUX
#include "platform/linux/pointer_settings_linux.h"
#endif

#include <QFile>
#include <QQuickItem>
#include <QSettings>
#include <QtTest>

using Bytes = QByteArray;
using Rig = LinkRig;

namespace {
Bytes hex(const char* spaced) { return bytesFromHex(spaced); }

// One command per OPEN ... CLOSE: its block and its payload.
struct Sent {
    Bytes block;
    Bytes payload;
};
QList<Sent> sentCommands(const Rig& rig)
{
    QList<Sent> out;
    for (const QList<Step>& c : splitCommands(rig.steps()))
        out.append({blocksOf(c).value(0), payloadOf(c)});
    return out;
}

QList<Bytes> blocksHex(const QStringList& first7s)
{
    QList<Bytes> out;
    for (const QString& b : first7s)
        out.append(blockHex(b.toLatin1().constData()));
    return out;
}

// A 560 profile change: block 1 goes out, blocks 2..4 too with recoil; the mouse then
// holds the view's blocks and its factory blocks elsewhere.
void profileWriteReached(const Rig& rig, bool isGun)
{
    QCOMPARE(rig.blocks(), isGun ? blocksHex({"0c 01 80", "0c 02 80", "0c 03 80", "0c 04 80"}) : blocksHex({"0c 01 80"}));
    const FirmwareState s = rig.state();
    for (int b = 1; b <= 4; ++b)
        QCOMPARE(bytesOf(s.profileBlocks[b]), bytesOf(b == 1 || isGun ? rig.view->profileBlocks[b]
                                                                      : FirmwareState::factoryProfileBlock(b)));
}

void setEntry(Bytes& m, int n, const char* spaced) { m.replace(4 * n, 4, hex(spaced)); }

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

// The four matrices after a gun upload: the user matrix with its slot-5 entry, and
// the factory matrix with slot 5 and the left button replaced in G2..G4.
std::array<Bytes, 4> gunMatrices(const char* user5, std::array<const char*, 3> gun5, std::array<const char*, 3> left)
{
    std::array<Bytes, 4> m{userMatrixNoGun(), Rig::factoryMatrixBytes(), Rig::factoryMatrixBytes(),
                           Rig::factoryMatrixBytes()};
    setEntry(m[0], 5, user5);
    for (int g = 0; g < 3; ++g) {
        setEntry(m[g + 1], 5, gun5[g]);
        setEntry(m[g + 1], 0, left[g]);
    }
    return m;
}

// Records what the view asks of the desktop; answers with `result`.
class FakePointer : public PointerSettings
{
public:
    explicit FakePointer(QStringList* calls, bool result) : calls(calls), result(result) {}
    bool setPointerSpeed(int v) override { return record(QStringLiteral("speed %1").arg(v)); }
    bool setDoubleClickTime(int v) override { return record(QStringLiteral("doubleClick %1").arg(v)); }
    bool setWheelScrollLines(int v) override { return record(QStringLiteral("lines %1").arg(v)); }
private:
    bool record(const QString& call) { calls->append(call); return result; }
    QStringList* calls;
    bool result;
};

#ifdef Q_OS_LINUX
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
#endif
} // namespace

class TestDeviceOps : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { pacing::setTimeScale(0.0); }
    void cleanupTestCase() { pacing::setTimeScale(1.0); }

    void passThroughCommands_data()
    {
        QTest::addColumn<Family>("family");
        QTest::addColumn<bool>("isGun");
        QTest::addColumn<QString>("operation");
        QTest::addColumn<QStringList>("expected");   // first seven bytes of every block, in order
        const QStringList perProfile{"%1 01 %2", "%1 02 %2", "%1 03 %2", "%1 04 %2"};
        auto each = [&](const char* op, const char* arg) {
            QStringList out;
            for (const QString& p : perProfile)
                out << p.arg(op, arg);
            return out;
        };
        QTest::newRow("553 rate") << Family::F553 << false << "rate 2" << QStringList{"01 02"};
        QTest::newRow("553 rate gun") << Family::F553 << true << "rate 1" << QStringList{"01 01"};
        QTest::newRow("560 rate") << Family::F560 << false << "rate 2" << each("03", "02");
        QTest::newRow("560 rate gun") << Family::F560 << true << "rate 8" << QStringList{"03 01 08"};
        QTest::newRow("553 stage") << Family::F553 << false << "stage 3" << QStringList{"0b 03"};
        QTest::newRow("560 stage") << Family::F560 << false << "stage 2" << each("04", "02");
        QTest::newRow("560 stage gun") << Family::F560 << true << "stage 2" << QStringList{"04 01 02"};
        QTest::newRow("553 switch") << Family::F553 << true << "switch 2" << QStringList{"02 02"};
        QTest::newRow("560 switch") << Family::F560 << true << "switch 3" << QStringList{"02 03"};
        QTest::newRow("553 option") << Family::F553 << false << "option" << QStringList{"03 11 22 33 44"};
        QTest::newRow("560 option uses 553 command") << Family::F560 << false << "option"
                                                     << QStringList{"03 11 22 33 44"};
    }
    void passThroughCommands()
    {
        QFETCH(Family, family);
        QFETCH(bool, isGun);
        QFETCH(QString, operation);
        QFETCH(QStringList, expected);
        Rig rig({family, isGun});
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
        QCOMPARE(rig.blocks(), blocksHex(expected));
    }

    // Stage and option reads; a mouse that never answers hands back the presets (0).
    void stageAndOptionsRead_data()
    {
        QTest::addColumn<Family>("family");
        QTest::addColumn<bool>("silent");
        QTest::newRow("553") << Family::F553 << false;
        QTest::newRow("560") << Family::F560 << false;
        QTest::newRow("553 silent") << Family::F553 << true;
        QTest::newRow("560 silent") << Family::F560 << true;
    }
    void stageAndOptionsRead()
    {
        QFETCH(Family, family);
        QFETCH(bool, silent);
        const bool is553 = family == Family::F553;
        Rig rig({family});
        rig.view->mouseSetKeyboardoption(1, 2, 3, 4);
        if (is553)
            rig.mouse->pressDpiButton(5);
        else
            rig.view->mouseSetCurrentDPI(5);
        rig.mouse->setSilent(silent);
        rig.mark();
        QCOMPARE(rig.view->mouseGetCurrentDPI(), QVariant(silent ? 0 : 5));
        if (!silent)
            QCOMPARE(rig.blocks(), QList<Bytes>{blockHex(is553 ? "8b" : "84 01")});
        if (is553 || silent)
            QCOMPARE(rig.view->GetKeyboardoption(), silent ? ints({0, 0, 0, 0}) : ints({1, 2, 3, 4}));
    }

    // 553: a short list encodes the missing stages as 0.
    void dpi553ShortList()
    {
        Rig rig({Family::F553});
        rig.view->mouseSetDpi(8, "4090", ints({800, 5200}));
        const QList<Sent> sent = sentCommands(rig);
        QCOMPARE(sent.size(), 1);
        QCOMPARE(sent[0].block, blockHex("11 08 08"));
        QCOMPARE(sent[0].payload.left(8), hex("07 5a 00 00 00 00 00 00"));
        QCOMPARE(int(rig.state().dpiCount), 8);
        QCOMPARE(bytesOf(rig.state().dpiSet), hex("07 5a 00 00 00 00 00 00"));
    }

    void dpi560Blocks_data()
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
    void dpi560Blocks()
    {
        QFETCH(bool, isGun);
        QFETCH(int, count);
        QFETCH(QString, sensor);
        QFETCH(int, mask);
        QFETCH(int, ninth);
        Rig rig({Family::F560, isGun});
        rig.readBlocks();
        const auto before = rig.view->profileBlocks;
        const QVariantList values = ninth > 0 ? ints({800, 1600, 3200, 6400, 8000, 12000, 12800, 16000})
                                              : ints({800, 1600, 3200, 6400, 8000, 9600, 11000, 12000});
        rig.view->mouseSetDpi(count, sensor, values);

        const Bytes codes = sensor == "3389" ? (ninth > 0 ? hex("10 20 40 80 a0 f0 00 40") : hex("10 20 40 80 a0 c0 dc f0"))
                                             : hex("07 0f 1f 3f 4f 5f 6d 77");
        for (int b = 1; b <= 4; ++b) {
            auto expected = before[b];
            for (int i = 0; i < 8; ++i)
                expected[84 + i] = expected[92 + i] = static_cast<uint8_t>(codes[i]);
            expected[100] = static_cast<uint8_t>(mask);
            if (ninth >= 0)
                expected[82] = expected[83] = static_cast<uint8_t>(ninth);
            QCOMPARE(bytesOf(rig.view->profileBlocks[b]), bytesOf(expected));
        }
        profileWriteReached(rig, isGun);
    }

    void effect560_data()
    {
        QTest::addColumn<bool>("colourful");
        QTest::addColumn<bool>("isGun");
        QTest::addColumn<QList<int>>("input");   // mode, speed, brightness
        QTest::addColumn<QString>("block1");     // bytes 71..73 of block 1
        QTest::addColumn<QString>("others");     // bytes 71..73 of blocks 2..4
        QTest::newRow("single breath no gun") << false << false << QList<int>{1, 4, 0} << "02 05 03" << "02 05 02";
        QTest::newRow("single breath gun") << false << true << QList<int>{1, 4, 0} << "02 05 02" << "02 05 02";
        QTest::newRow("full spotlight no gun") << true << false << QList<int>{9, 2, 4} << "0a ff 18" << "0a ff 18";
        QTest::newRow("full static gun") << true << true << QList<int>{0, 0, 0} << "01 00 00" << "01 00 00";
    }
    void effect560()
    {
        QFETCH(bool, colourful);
        QFETCH(bool, isGun);
        QFETCH(QList<int>, input);
        QFETCH(QString, block1);
        QFETCH(QString, others);
        Rig rig({Family::F560, isGun, colourful});
        rig.readBlocks();
        rig.view->mouseSetRGBEffect(uchar(input[0]), uchar(input[1]), uchar(input[2]));
        QCOMPARE(bytesOf(rig.view->profileBlocks[1], 71, 3), hex(block1.toLatin1()));
        for (int b = 2; b <= 4; ++b)
            QCOMPARE(bytesOf(rig.view->profileBlocks[b], 71, 3), hex(others.toLatin1()));
        profileWriteReached(rig, isGun);
    }

    void colour553SentTwice()
    {
        Rig rig({Family::F553});
        QVariantList colours;
        Bytes expected;
        for (int i = 0; i < 30; ++i)   // six more than a colour set holds: cut, never read into the buffer
            colours.append(0x100 + i);
        for (int i = 0; i < 24; ++i)
            expected.append(static_cast<char>(i));
        rig.view->mouseSetRGBColor(0, colours);
        QList<Sent> sent = sentCommands(rig);
        QCOMPARE(sent.size(), 2);
        for (const Sent& c : sent) {
            QCOMPARE(c.block, blockHex("10 00 18"));
            QCOMPARE(c.payload.left(24), expected);
        }
        QCOMPARE(bytesOf(rig.state().stageColors[0]), expected);

        rig.mark();
        rig.view->mouseSetRGBColor(2, ints({1, 2, 3, 4, 5, 6, 7, 0}));
        sent = sentCommands(rig);
        QCOMPARE(sent.size(), 2);
        QCOMPARE(sent[0].block, blockHex("10 02 04"));
        QCOMPARE(sent[1].block, blockHex("10 02 04"));
        QCOMPARE(sent[1].payload.left(4), hex("01 02 03 04"));
    }

    void colour560Placement_data()
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
    void colour560Placement()
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
        const QList<Sent> sent = sentCommands(rig);
        QCOMPARE(sent.size(), 1);
        QCOMPARE(sent[0].block, blockHex(block == 0 ? "0c 00 80" : "0c 01 80"));
        QCOMPARE(bytesOf(rig.state().profileBlocks[block]), bytesOf(expected));
    }

    void keyMatrixStoredWithoutSendingAndTooShortIgnored()
    {
        Rig rig({Family::F553, true});
        const QVariantList entries = keyEntries(true);
        rig.view->mouseSetKeyMatrix(entries, false, ints({10, 20, 30}));
        // One value short: neither stored nor sent.
        rig.view->mouseSetKeyMatrix(keyEntries(false).mid(1), true, ints({10, 20, 30}));
        QVERIFY(rig.blocks().isEmpty());
        for (int n = 0; n < 16; ++n)
            QCOMPARE(texts(rig.view->mouseGetKeydefine(n, false)), texts(entries.mid(4 * n, 4)));
        rig.view->profileSettings[0]->sync();
        const QSettings file(QStringLiteral("modules/setting/p1.bin"), QSettings::IniFormat);
        QCOMPARE(file.value("mouseKeyMatrix/5").toStringList(), (QStringList{"8", "0", "2", "0"}));
    }

    void keyMatrixNoGun()
    {
        for (Family family : {Family::F553, Family::F560}) {
            Rig rig({family});
            rig.view->mouseSetKeyMatrix(keyEntries(false), true, {});
            const QList<Sent> sent = sentCommands(rig);
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
    }

    void keyMatrixGun553()
    {
        Rig rig({Family::F553, true});
        rig.view->mouseSwitchKeyMatrix(3);
        rig.mark();
        rig.view->mouseSetKeyMatrix(keyEntries(true, 2), true, ints({10, 20, 30}));
        QCOMPARE(rig.blocks(), blocksHex({"12 01 40 08", "12 02 40 08", "12 03 40 08", "12 04 40 08", "02 01"}));
        const auto m = gunMatrices("08 00 01 01", {"08 00 01 02", "08 00 01 00", "08 00 01 00"},
                                   {"0a f0 0a 00", "0a f0 14 00", "0a f0 1e 00"});
        const FirmwareState s = rig.state();
        for (int i = 0; i < 4; ++i)
            QCOMPARE(bytesOf(s.keyMatrices[i], 0, 64), m[i]);
        QCOMPARE(int(s.activeKeyMatrix), 1);
    }

    void keyMatrixGun560()
    {
        Rig rig({Family::F560, true});
        rig.readBlocks();
        auto block0 = rig.view->profileBlocks[0];
        // Only two periods: the third counts as 0.
        rig.view->mouseSetKeyMatrix(keyEntries(true, 3), true, ints({10, 20}));
        QCOMPARE(rig.blocks(), blocksHex({"0c 00 80", "0d 01 80", "0d 02 80", "0d 03 80", "0d 04 80", "02 01"}));
        block0[2] = 31;
        const FirmwareState s = rig.state();
        QCOMPARE(bytesOf(s.profileBlocks[0]), bytesOf(block0));
        const auto m = gunMatrices("08 00 01 00", {"08 05 03 00", "08 05 03 00", "08 05 00 00"},
                                   {"0b 00 0a 00", "0b 01 14 00", "0b 02 00 00"});
        for (int i = 0; i < 4; ++i)
            QCOMPARE(bytesOf(s.keyMatrices[i]), m[i] + Bytes(64, '\0'));
        QCOMPARE(int(s.currentProfile), 1);
    }

    void keyMatrixSurvivesFailedTransfer()
    {
        Rig rig({Family::F553, true});
        rig.mouse->unplug();
        rig.view->mouseSetKeyMatrix(keyEntries(true), true, ints({10, 20, 30}));
        rig.view->profileSettings[0]->sync();
        const QSettings file(QStringLiteral("modules/setting/p1.bin"), QSettings::IniFormat);
        QCOMPARE(file.value("mouseKeyMatrix/7").toStringList(), (QStringList{"0", "240", "30", "2"}));
        QCOMPARE(file.value("mouseKeyMatrix/14").toStringList(), (QStringList{"255", "0", "1", "0"}));
        QCOMPARE(bytesOf(rig.state().keyMatrices[0]), bytesOf(FirmwareState::factory().keyMatrices[0]));
    }

    void resetKeyMatrix()
    {
        for (Family f : {Family::F553, Family::F560}) {
            Rig rig({f, true});
            // One stored factory entry with only two places: the missing ones read as 0.
            rig.view->profileSettings[0]->setValue("mouseFwKeyMatrix/3", ints({5, 6}));
            rig.view->mouseResetKeyMatrix();
            QCOMPARE(rig.blocks(), f == Family::F560 ? blocksHex({"0d 02 80", "0d 03 80", "0d 04 80"})
                                                     : blocksHex({"12 02 40 08", "12 03 40 08", "12 04 40 08"}));
            Bytes factory = Rig::factoryMatrixBytes();
            setEntry(factory, 3, "05 06 00 00");
            const FirmwareState s = rig.state();
            for (int m = 1; m < 4; ++m)
                QCOMPARE(bytesOf(s.keyMatrices[m], 0, 64), factory);
            QCOMPARE(bytesOf(s.keyMatrices[0]), bytesOf(FirmwareState::factory().keyMatrices[0]));
        }
    }

    void keyDefine()
    {
        Rig rig({Family::F553});
        {
            QSettings pd(QStringLiteral("modules/setting/pD.bin"), QSettings::IniFormat);
            pd.setValue("mouseKeyMatrix/3", ints({0, 0, 0xF4, 0}));
            pd.remove("mouseKeyMatrix/12");
            QSettings(QStringLiteral("modules/setting/p1.bin"), QSettings::IniFormat).remove("mouseKeyMatrix/3");
        }
        rig.view = std::make_unique<myQQuickView>();
        QCOMPARE(rig.view->mouseGetKeydefine(3, true), (QVariantList{"0", "0", "244", "0"}));
        QVERIFY(rig.view->mouseGetKeydefine(3, false).isEmpty());
        QVERIFY(rig.view->mouseGetKeydefine(12, true).isEmpty());
    }

    void recoil553_data()
    {
        QTest::addColumn<int>("thirdOption");
        QTest::addColumn<int>("y");
        QTest::addColumn<QString>("block");
        QTest::newRow("negated") << 1 << 10 << "04 00 05 03 f6 02";
        QTest::newRow("plain") << 0 << 10 << "04 00 05 03 0a 02";
        QTest::newRow("zero stays") << 1 << 0 << "04 00 05 03 00 02";
    }
    void recoil553()
    {
        QFETCH(int, thirdOption);
        QFETCH(int, y);
        QFETCH(QString, block);
        Rig rig({Family::F553, true});
        rig.view->mouseSetKeyboardoption(0, 0, static_cast<uchar>(thirdOption), 0);
        rig.mark();
        rig.view->mouseSendGundata(2, QVariantList{5, "3", y});
        QCOMPARE(rig.blocks(), blocksHex({"83", block}));
        const FirmwareState s = rig.state();
        QCOMPARE(s.gunSlots[1], (FirmwareState::GunSlot{5, 3, static_cast<uint8_t>(hex(block.toLatin1())[4])}));
        QCOMPARE(s.gunSlots[0], FirmwareState::GunSlot{});
    }

    void recoil560ChangesOnlyItsBytes()
    {
        Rig rig({Family::F560, true});
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

    void recoilNotSent_data()
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
    void recoilNotSent()
    {
        QFETCH(Family, family);
        QFETCH(bool, isGun);
        QFETCH(int, slot);
        QFETCH(QVariantList, data);
        Rig rig({family, isGun});
        const auto before = rig.view->profileBlocks;
        rig.view->mouseSendGundata(slot, data);
        QVERIFY(rig.blocks().isEmpty());
        QVERIFY(rig.view->profileBlocks == before);
    }

    // 560 profile blocks: a written block reaches the mouse; the current profile is
    // read back (0 when unplugged).
    void profileBlockWriteAndCurrentProfile()
    {
        Rig rig({Family::F560, true});
        for (int i = 0; i < myQQuickView::kBlockSize; ++i)
            rig.view->profileBlocks[2][i] = uchar(255 - i);
        rig.view->mouseSetProfile(2);
        QVERIFY(rig.state().profileBlocks[2] == rig.view->profileBlocks[2]);
        QVERIFY(rig.state().profileBlocks[1] == FirmwareState::factoryProfileBlock(1));
        rig.view->mouseSwitchKeyMatrix(3);
        QCOMPARE(int(rig.state().currentProfile), 3);
        QCOMPARE(rig.view->mouseReadCurrentProfile().toInt(), 3);
        rig.mouse->unplug();
        QCOMPARE(rig.view->mouseReadCurrentProfile().toInt(), 0);
    }

    void gunFileAbsentNeverCreated()
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

    void gunFilePresent()
    {
        ScratchInstall install;
        writeFile(QStringLiteral("modules/gun/gunData.bin"),
                            "[gunData]\n0=M416, L-Click, 10, 0, 10, 0\n1=AKM, L-Click, 20, 0, 12, 3\n");
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

    void perProfileAccessors()
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

    // The steps reach the desktop mapped; a desktop that refuses gives the failure lines.
    void pointerSettings()
    {
        ScratchInstall install;
        myQQuickView view;
        QStringList calls;
        view.setPointerSettings(std::make_unique<FakePointer>(&calls, true));
        for (uint step : {0u, 5u, 10u})
            view.mouseSetCursorSpeed(step);
        view.mouseSetDoubleClickSpeed(3);
        view.mouseSetVerticalScrollLines(1000);
        QCOMPARE(calls, (QStringList{"speed 1", "speed 10", "speed 20", "doubleClick 690", "lines 1000"}));

        calls.clear();
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
    void linuxDesktopCommands()
    {
        using linux_pointer::Desktop;
        QCOMPARE(linux_pointer::desktopFromSessionName("ubuntu:GNOME"), Desktop::Gnome);
        QCOMPARE(linux_pointer::desktopFromSessionName("KDE"), Desktop::Kde);
        QCOMPARE(linux_pointer::desktopFromSessionName("XFCE"), Desktop::None);
        QCOMPARE(linux_pointer::desktopFromSessionName(""), Desktop::None);
        QStringList calls;
        auto desktop = [&calls](Desktop d, QStringList tools, bool result) {
            return linux_pointer::DesktopPointerSettings(d, std::make_unique<FakeRunner>(tools, &calls, result));
        };

        auto gnome = desktop(Desktop::Gnome, {"gsettings"}, true);
        QVERIFY(gnome.setPointerSpeed(20));
        QVERIFY(gnome.setDoubleClickTime(690));
        QVERIFY(!gnome.setWheelScrollLines(3));
        QCOMPARE(calls, (QStringList{"/usr/bin/gsettings set org.gnome.desktop.peripherals.mouse speed 1.00",
                                     "/usr/bin/gsettings set org.gnome.desktop.peripherals.mouse double-click 690"}));
        calls.clear();
        auto kde = desktop(Desktop::Kde, {"kwriteconfig5", "kwriteconfig6"}, true);
        QVERIFY(kde.setPointerSpeed(1));
        QVERIFY(kde.setWheelScrollLines(3));
        QVERIFY(!kde.setWheelScrollLines(1000));
        QCOMPARE(calls, (QStringList{
            "/usr/bin/kwriteconfig6 --file kcminputrc --group Mouse --key XLbInptPointerAcceleration -0.90",
            "/usr/bin/kwriteconfig6 --file kdeglobals --group KDE --key WheelScrollLines 3"}));
        calls.clear();
        QVERIFY(!desktop(Desktop::Gnome, {"gsettings"}, false).setDoubleClickTime(500));
        QVERIFY(!desktop(Desktop::Kde, {}, true).setDoubleClickTime(500));
        auto none = desktop(Desktop::None, {"gsettings", "kwriteconfig5"}, true);
        QVERIFY(!none.setPointerSpeed(10));
        QVERIFY(!none.setDoubleClickTime(500));
        QVERIFY(!none.setWheelScrollLines(3));
        QCOMPARE(calls.size(), 1);
    }
#endif

    void setCurrentDpiReachesScene()
    {
        ScratchInstall install;
        writeFile(QStringLiteral("scene.qml"),
                            "import QtQuick 2.0\nItem { property var got: -1\n function setCurrentDPI(v) { got = v } }\n");
        myQQuickView view;
        view.setSource(QUrl::fromLocalFile(install.file(QStringLiteral("scene.qml"))));
        QVERIFY(view.rootObject());
        view.setCurrentDPI(3);   // direct: visible at once, no event loop turn
        QCOMPARE(view.rootObject()->property("got").toInt(), 3);
    }
};

QTEST_MAIN(TestDeviceOps)
#include "tst_device_ops.moc"
