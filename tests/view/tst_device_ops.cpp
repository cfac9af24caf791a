// The device operations of the view against the virtual mouse of each family: what
// goes over the wire (byte for byte, from the wire log), what the emulated firmware
// keeps and what the view keeps in its profile blocks; the desktop pointer commands.
#include "rig.h"

#include "device/pacing.h"
#ifdef Q_OS_LINUX
#include "platform/linux/pointer_settings_linux.h"
#endif

#include <QtTest>

using Bytes = QByteArray;
using Rig = LinkRig;
using ViewOp = std::function<void(myQQuickView&)>;

// Bytes a 560 operation sets at offset in the view's profile blocks first..last.
struct Edit {
    int first = 0;
    int last = 0;
    int offset = 0;
    Bytes bytes;
};
Q_DECLARE_METATYPE(ViewOp)
Q_DECLARE_METATYPE(Edit)

namespace {
Bytes hex(const char* spaced) { return bytesFromHex(spaced); }

QList<Bytes> blocksHex(const QStringList& first7s)
{
    QList<Bytes> out;
    for (const QString& b : first7s)
        out.append(blockHex(b.toLatin1().constData()));
    return out;
}

// The DPI bytes of blocks 1..4: the codes twice, the stage mask and the ninth bits twice.
QList<Edit> dpiEdits(const char* codes, const char* mask, const char* ninth = nullptr)
{
    QList<Edit> e{{1, 4, 84, hex(codes)}, {1, 4, 92, hex(codes)}, {1, 4, 100, hex(mask)}};
    if (ninth)
        e.append({1, 4, 82, hex(ninth)});
    return e;
}

// The view's blocks are `before` with the edits; the blocks `sent` went out in that
// order and the mouse holds them, its other blocks still the factory ones.
template <typename Blocks>
void verifyProfileBlocks(const Rig& rig, Blocks before, const QList<Edit>& edits, const QList<int>& sent)
{
    for (const Edit& e : edits)
        for (int b = e.first; b <= e.last; ++b)
            std::copy(e.bytes.begin(), e.bytes.end(), before[b].begin() + e.offset);
    QStringList blocks;
    for (int b : sent)
        blocks << QStringLiteral("0c %1 80").arg(b, 2, 10, QLatin1Char('0'));
    QCOMPARE(rig.blocks(), blocksHex(blocks));
    const FirmwareState s = rig.state();
    for (int b = 0; b < myQQuickView::kBlockCount; ++b) {
        QCOMPARE(bytesOf(rig.view->profileBlocks[b]), bytesOf(before[b]));
        const auto& held = sent.contains(b) ? before[b] : FirmwareState::factoryProfileBlock(b);
        QCOMPARE(bytesOf(s.profileBlocks[b]), bytesOf(held));
    }
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
    // Slot 9: L Ctrl + C, one place as the settings file's text, one above a byte (its low 8 bits count).
    e[36] = 2; e[37] = QStringLiteral("1"); e[38] = 0x106;
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
QList<Bytes> gunMatrices(const char* user5, std::array<const char*, 3> gun5, std::array<const char*, 3> left)
{
    QList<Bytes> m{userMatrixNoGun(), Rig::factoryMatrixBytes(), Rig::factoryMatrixBytes(), Rig::factoryMatrixBytes()};
    setEntry(m[0], 5, user5);
    for (int g = 0; g < 3; ++g) {
        setEntry(m[g + 1], 5, gun5[g]);
        setEntry(m[g + 1], 0, left[g]);
    }
    return m;
}

#ifdef Q_OS_LINUX
struct FakeRunner : linux_pointer::CommandRunner {
    FakeRunner(QStringList present, QStringList* calls, bool result)
        : present(std::move(present)), calls(calls), result(result) {}
    QString find(const QString& p) override { return present.contains(p) ? "/usr/bin/" + p : QString(); }
    bool run(const QString& program, const QStringList& args) override
    {
        calls->append(program + QLatin1Char(' ') + args.join(QLatin1Char(' ')));
        return result;
    }
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

    // The wire of the operations that send their values as they come, and of those that
    // send nothing. 553 recoil reads the option bytes first: the third negates the pull-down.
    void commandsSent_data()
    {
        QTest::addColumn<Family>("family");
        QTest::addColumn<bool>("isGun");
        QTest::addColumn<ViewOp>("op");
        QTest::addColumn<QStringList>("expected");   // first seven bytes of every block, in order
        QTest::addColumn<Bytes>("payload");          // every bulk report after its report ID
        auto add = [](const char* name, Family f, bool isGun, ViewOp op, QStringList blocks, Bytes payload = {}) {
            QTest::newRow(name) << f << isGun << op << blocks << payload;
        };
        auto each = [](const char* op, const char* arg) {
            QStringList out;
            for (int k = 1; k <= 4; ++k)
                out << QStringLiteral("%1 0%2 %3").arg(op).arg(k).arg(arg);
            return out;
        };
        auto rate = [](uchar r) { return ViewOp([=](myQQuickView& v) { v.mouseSetReportRate(r); }); };
        auto stage = [](uchar s) { return ViewOp([=](myQQuickView& v) { v.mouseSetCurrentDPI(s); }); };
        const ViewOp option = [](myQQuickView& v) { v.mouseSetKeyboardoption(0x11, 0x22, 0x33, 0x44); };
        auto recoil = [](int slot, QVariantList data, uchar negate = 0) {
            return ViewOp([=](myQQuickView& v) {
                if (negate)
                    v.mouseSetKeyboardoption(0, 0, negate, 0);
                v.mouseSendGundata(slot, data);
            });
        };
        QVariantList colours;
        Bytes set;
        for (int i = 0; i < 30; ++i)   // six more than a colour set holds: cut, never read into the buffer
            colours.append(0x100 + i);
        for (int i = 0; i < 24; ++i)
            set.append(char(i));
        const Bytes report = set + Bytes(8, '\0');
        using F = Family;
        add("560 rate", F::F560, false, rate(2), each("03", "02"));
        add("560 rate gun", F::F560, true, rate(8), {"03 01 08"});
        add("553 stage", F::F553, false, stage(3), {"0b 03"});
        add("560 stage", F::F560, false, stage(2), each("04", "02"));
        add("560 option uses 553 command", F::F560, false, option, {"03 11 22 33 44"});
        add("553 short DPI list: missing stages are 0", F::F553, false,
            [](myQQuickView& v) { v.mouseSetDpi(8, "4090", ints({800, 5200})); }, {"11 08 08"},
            hex("07 5a") + Bytes(30, '\0'));
        add("553 colour set sent twice", F::F553, false, [colours](myQQuickView& v) { v.mouseSetRGBColor(0, colours); },
            {"10 00 18", "10 00 18"}, report + report);
        add("553 recoil negated", F::F553, true, recoil(2, {5, "3", 10}, 1),
            {"03 00 00 01 00", "83", "04 00 05 03 f6 02"});
        add("553 recoil zero stays", F::F553, true, recoil(2, {5, "3", 0}, 1),
            {"03 00 00 01 00", "83", "04 00 05 03 00 02"});
        // Nothing goes out without recoil functions, for a short list or a slot outside 1..3.
        add("553 no recoil", F::F553, false, recoil(1, ints({1, 2, 3})), {});
        add("560 recoil short list", F::F560, true, recoil(2, ints({1})), {});
        add("560 recoil slot 5", F::F560, true, recoil(5, ints({1, 2, 3})), {});
        add("560 recoil slot -1", F::F560, true, recoil(-1, ints({1, 2, 3})), {});
    }
    void commandsSent()
    {
        QFETCH(Family, family);
        QFETCH(bool, isGun);
        QFETCH(ViewOp, op);
        QFETCH(QStringList, expected);
        QFETCH(Bytes, payload);
        Rig rig({family, isGun});
        const auto blocksBefore = rig.view->profileBlocks;
        op(*rig.view);
        QCOMPARE(rig.blocks(), blocksHex(expected));
        if (expected.isEmpty())   // a refused operation leaves the view's profile blocks alone too
            QVERIFY(rig.view->profileBlocks == blocksBefore);
        QCOMPARE(payloadOf(rig.steps()).toHex(' '), payload.toHex(' '));
    }

    // 560: the stage is read from block 1, the current profile from the mouse.
    void stageAndProfileRead560()
    {
        Rig rig({Family::F560});
        rig.view->mouseSetCurrentDPI(5);
        rig.view->mouseSwitchKeyMatrix(3);
        rig.mark();
        QCOMPARE(rig.view->mouseGetCurrentDPI(), QVariant(5));
        QCOMPARE(rig.blocks(), QList<Bytes>{blockHex("84 01")});
        QCOMPARE(rig.view->mouseReadCurrentProfile().toInt(), 3);
    }

    // 560 DPI, lighting, colours and recoil edit the view's profile blocks and send them:
    // block 1 alone, blocks 1..4 with recoil, block 0 or 1 for the colours.
    void profileBlockEdits_data()
    {
        QTest::addColumn<bool>("isGun");
        QTest::addColumn<bool>("colourful");
        QTest::addColumn<ViewOp>("op");
        QTest::addColumn<QList<Edit>>("edits");
        QTest::addColumn<QList<int>>("sent");
        const QList<int> one{1}, all{1, 2, 3, 4}, zero{0};
        const QVariantList dpis = ints({800, 1600, 3200, 6400, 8000, 9600, 11000, 12000});
        const QVariantList high = ints({800, 1600, 3200, 6400, 8000, 12000, 12800, 16000});
        auto dpi = [](int count, const char* sensor, const QVariantList& values) {
            return ViewOp([=](myQQuickView& v) { v.mouseSetDpi(count, sensor, values); });
        };
        auto effect = [](uchar mode, uchar speed, uchar brightness) {
            return ViewOp([=](myQQuickView& v) { v.mouseSetRGBEffect(mode, speed, brightness); });
        };
        QVariantList values;
        Bytes colours;
        for (int i = 0; i < 24; ++i) {
            values.append(0xA0 + i);
            colours.append(char(0xA0 + i));
        }
        auto colour = [values](uchar type) {
            return ViewOp([=](myQQuickView& v) { v.mouseSetRGBColor(type, values); });
        };
        using E = QList<Edit>;
        QTest::newRow("dpi 4 stages") << false << true << dpi(4, "3360", dpis)
                                      << dpiEdits("07 0f 1f 3f 4f 5f 6d 77", "0f") << one;
        QTest::newRow("dpi 3389 ninth bits") << true << true << dpi(2, "3389", high)
                                             << dpiEdits("10 20 40 80 a0 f0 00 40", "03", "c0 c0") << all;
        // Bytes 71..73; a single-colour mouse without recoil has its own second option in block 1.
        QTest::newRow("single breath") << false << false << effect(1, 4, 0)
                                       << E{{1, 1, 71, hex("02 05 03")}, {2, 4, 71, hex("02 05 02")}} << one;
        QTest::newRow("single breath gun") << true << false << effect(1, 4, 0) << E{{1, 4, 71, hex("02 05 02")}} << all;
        QTest::newRow("full spotlight") << false << true << effect(9, 2, 4) << E{{1, 4, 71, hex("0a ff 18")}} << one;
        QTest::newRow("colour full set") << false << true << colour(0) << E{{0, 0, 24, colours}} << zero;
        QTest::newRow("colour full stage indices") << false << true << colour(2) << E{{0, 0, 16, colours.left(8)}}
                                                   << zero;
        QTest::newRow("colour single type 2") << false << false << colour(2) << E{{1, 1, 104, colours}} << one;
        // Recoil on slot 2: its flag cleared and its neighbour kept in byte 65, bytes 78..81.
        const char flags = static_cast<char>((FirmwareState::factoryProfileBlock(2)[65] | 0x02) & ~0x04);
        QTest::newRow("recoil slot 2") << true << true << ViewOp([](myQQuickView& v) {
            v.profileBlocks[2][65] |= 0x06;
            v.mouseSendGundata(2, ints({7, 0x101, 12}));
        }) << E{{2, 2, 65, Bytes(1, flags)}, {2, 2, 78, hex("f0 07 01 0c")}} << QList<int>{2};
    }
    void profileBlockEdits()
    {
        QFETCH(bool, isGun);
        QFETCH(bool, colourful);
        QFETCH(ViewOp, op);
        QFETCH(QList<Edit>, edits);
        QFETCH(QList<int>, sent);
        Rig rig({Family::F560, isGun, colourful});
        rig.readBlocks();
        const auto before = rig.view->profileBlocks;
        op(*rig.view);
        verifyProfileBlocks(rig, before, edits, sent);
    }

    // Matrix 1 alone without a gun button; with one, the 560 enable mask in block 0
    // first, then the four matrices and the switch to matrix 1.
    void keyMatrixUpload_data()
    {
        QTest::addColumn<Family>("family");
        QTest::addColumn<int>("gunCount");   // the gun button's third byte; 0: no gun button
        QTest::addColumn<QVariantList>("periods");
        QTest::addColumn<QStringList>("blocks");
        QTest::addColumn<QList<Bytes>>("matrices");   // the first 64 bytes of matrices 1.. written
        QTest::newRow("553") << Family::F553 << 0 << QVariantList{} << QStringList{"12 01 40 08"}
                             << QList<Bytes>{userMatrixNoGun()};
        QTest::newRow("553 gun") << Family::F553 << 2 << ints({10, 20, 30})
                                 << QStringList{"12 01 40 08", "12 02 40 08", "12 03 40 08", "12 04 40 08", "02 01"}
                                 << gunMatrices("08 00 01 01", {"08 00 01 02", "08 00 01 00", "08 00 01 00"},
                                                {"0a f0 0a 00", "0a f0 14 00", "0a f0 1e 00"});
        // Only two periods: the third counts as 0.
        QTest::newRow("560 gun") << Family::F560 << 3 << ints({10, 20})
                                 << QStringList{"0c 00 80", "0d 01 80", "0d 02 80", "0d 03 80", "0d 04 80", "02 01"}
                                 << gunMatrices("08 00 01 00", {"08 05 03 00", "08 05 03 00", "08 05 00 00"},
                                                {"0b 00 0a 00", "0b 01 14 00", "0b 02 00 00"});
    }
    void keyMatrixUpload()
    {
        QFETCH(Family, family);
        QFETCH(int, gunCount);
        QFETCH(QVariantList, periods);
        QFETCH(QStringList, blocks);
        QFETCH(QList<Bytes>, matrices);
        const bool is560 = family == Family::F560;
        Rig rig({family, gunCount > 0});
        rig.view->mouseSwitchKeyMatrix(3);
        if (is560)
            rig.readBlocks();
        rig.mark();
        auto block0 = rig.view->profileBlocks[0];
        rig.view->mouseSetKeyMatrix(gunCount ? keyEntries(true, gunCount) : keyEntries(false), true, periods);
        QCOMPARE(rig.blocks(), blocksHex(blocks));
        const FirmwareState s = rig.state();
        const FirmwareState factory = FirmwareState::factory();
        for (int m = 0; m < 4; ++m) {
            Bytes expected = bytesOf(factory.keyMatrices[m]);
            if (m < matrices.size())   // the 560 matrix command carries 64 zeros after the matrix
                expected.replace(0, is560 ? 128 : 64, is560 ? matrices[m] + Bytes(64, '\0') : matrices[m]);
            QCOMPARE(bytesOf(s.keyMatrices[m]), expected);
        }
        QCOMPARE(int(is560 ? s.currentProfile : s.activeKeyMatrix), gunCount ? 1 : 3);
        if (is560 && gunCount) {
            block0[2] = 31;
            QCOMPARE(bytesOf(s.profileBlocks[0]), bytesOf(block0));
        }
    }

    void resetKeyMatrix()
    {
        for (Family f : {Family::F553, Family::F560}) {
            Rig rig({f, true});
            // Stored factory entries: missing places, a non-number and an absent key read as 0.
            rig.view->profileSettings[0]->setValue("mouseFwKeyMatrix/3", ints({5, 6}));
            rig.view->profileSettings[0]->setValue("mouseFwKeyMatrix/6", QVariantList{"7", "x", "2", "0"});
            rig.view->profileSettings[0]->remove("mouseFwKeyMatrix/4");
            rig.view->mouseResetKeyMatrix();
            QCOMPARE(rig.blocks(), f == Family::F560 ? blocksHex({"0d 02 80", "0d 03 80", "0d 04 80"})
                                                     : blocksHex({"12 02 40 08", "12 03 40 08", "12 04 40 08"}));
            Bytes factory = Rig::factoryMatrixBytes();
            setEntry(factory, 3, "05 06 00 00");
            setEntry(factory, 4, "00 00 00 00");
            setEntry(factory, 6, "07 00 02 00");
            const FirmwareState s = rig.state();
            for (int m = 1; m < 4; ++m)
                QCOMPARE(bytesOf(s.keyMatrices[m], 0, 64), factory);
            QCOMPARE(bytesOf(s.keyMatrices[0]), bytesOf(FirmwareState::factory().keyMatrices[0]));
        }
    }

#ifdef Q_OS_LINUX
    void linuxDesktopCommands()
    {
        using linux_pointer::Desktop;
        QCOMPARE(linux_pointer::desktopFromSessionName("ubuntu:GNOME"), Desktop::Gnome);
        QCOMPARE(linux_pointer::desktopFromSessionName("KDE"), Desktop::Kde);
        QCOMPARE(linux_pointer::desktopFromSessionName("XFCE"), Desktop::None);
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
        QVERIFY(!desktop(Desktop::None, {"gsettings", "kwriteconfig5"}, true).setPointerSpeed(10));
        QCOMPARE(calls.size(), 1);   // only the failing gsettings run
    }
#endif
};

QTEST_MAIN(TestDeviceOps)
#include "tst_device_ops.moc"
