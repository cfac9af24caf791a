// The pure encodings of the device operations: DPI codes, lighting bytes, key
// translation with the gun matrices, and the system page's pointer steps.
#include "view/dpi_codes.h"
#include "view/key_translation.h"
#include "view/light_effects.h"
#include "view/pointer_steps.h"

#include <QtTest>

using namespace key_translation;

namespace {
// A recognisable factory matrix: entry n = (1, n, 0xF0 + n, 0).
Matrix factoryMatrix()
{
    Matrix m{};
    for (int n = 0; n < kButtonCount; ++n)
        setEntry(m, n, Entry{1, static_cast<uint8_t>(n), static_cast<uint8_t>(0xF0 + n), 0});
    return m;
}
} // namespace

Q_DECLARE_METATYPE(Entry)

class TestEncoders : public QObject
{
    Q_OBJECT
private slots:
    // The DPI codes the wire tests do not show already, boundaries mostly.
    void dpiCode_data()
    {
        QTest::addColumn<QString>("sensor");
        QTest::addColumn<int>("dpi");
        QTest::addColumn<int>("code");
        QTest::addColumn<bool>("ninthBit");
        QTest::newRow("4090 5000") << "4090" << 5000 << 0x31 << false;
        QTest::newRow("3050 250") << "3050" << 250 << 0x01 << false;
        QTest::newRow("3050 251") << "3050" << 251 << 0x02 << false;
        QTest::newRow("3050 2000") << "3050" << 2000 << 0x08 << false;
        QTest::newRow("3050 2100") << "3050" << 2100 << 0x45 << false;
        QTest::newRow("3389 12750") << "3389" << 12750 << 0xFF << false;
        QTest::newRow("3389 12800") << "3389" << 12800 << 0x00 << true;
    }

    void dpiCode()
    {
        QFETCH(QString, sensor);
        QFETCH(int, dpi);
        QFETCH(int, code);
        QFETCH(bool, ninthBit);
        bool ninth = !ninthBit;
        QCOMPARE(int(dpi_codes::code(dpi_codes::sensorFromText(sensor), dpi, &ninth)), code);
        QCOMPARE(ninth, ninthBit);
    }

    void lighting_data()
    {
        QTest::addColumn<bool>("colourful");
        QTest::addColumn<QList<int>>("input");      // mode, speed, brightness
        QTest::addColumn<QList<int>>("expected");   // code, a, b; more rows go to the mouse in the device tests
        QTest::newRow("full static 2") << true << QList<int>{0, 3, 2} << QList<int>{1, 128, 0};
        QTest::newRow("full breath s0") << true << QList<int>{1, 0, 4} << QList<int>{3, 0, 10};
        QTest::newRow("full neon s4") << true << QList<int>{2, 4, 1} << QList<int>{4, 0, 1};
        QTest::newRow("full off") << true << QList<int>{3, 2, 4} << QList<int>{0, 0, 0};
        QTest::newRow("full wave") << true << QList<int>{4, 1, 3} << QList<int>{5, 192, 7};
        QTest::newRow("full gliding") << true << QList<int>{5, 1, 3} << QList<int>{6, 0, 0};
        QTest::newRow("full finger") << true << QList<int>{6, 1, 1} << QList<int>{7, 64, 0};
        QTest::newRow("full vertical") << true << QList<int>{7, 3, 4} << QList<int>{8, 255, 13};
        QTest::newRow("full yoyo") << true << QList<int>{8, 4, 4} << QList<int>{9, 255, 5};
        QTest::newRow("single static b4") << false << QList<int>{0, 0, 4} << QList<int>{1, 10, 2};
        QTest::newRow("single neon s1") << false << QList<int>{2, 1, 0} << QList<int>{3, 24, 2};
        QTest::newRow("single off") << false << QList<int>{3, 1, 1} << QList<int>{0, 0, 2};
    }

    void lighting()
    {
        QFETCH(bool, colourful);
        QFETCH(QList<int>, input);
        QFETCH(QList<int>, expected);
        const light_effects::Effect e = light_effects::encode(colourful, input[0], input[1], input[2]);
        QCOMPARE((QList<int>{e.code, e.a, e.b}), expected);
    }

    void translate_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<Entry>("in");
        QTest::addColumn<Entry>("out");
        // The scene's built-in entries, a gun button and buttons 8..15 (only their reserved type
        // is translated) go byte for byte to the mouse in the device tests, each at its place.
        QTest::newRow("type 0, 0x1E with 3") << 2 << Entry{0, 0xF0, 0x1E, 3} << Entry{1, 0xF0, 0x1E, 3};
        QTest::newRow("fire key") << 3 << Entry{1, 0x04, 50, 0} << Entry{10, 0x04, 50, 0};
        QTest::newRow("combination") << 1 << Entry{2, 0x01, 0x06, 0} << Entry{0, 0x01, 0x06, 0};
        QTest::newRow("macro on slot 3") << 3 << Entry{4, 0, 3, 0} << Entry{9, 0, 4, 0};
        QTest::newRow("macro slot wraps") << 3 << Entry{4, 2, 255, 0} << Entry{9, 2, 0, 0};
        QTest::newRow("dpi loop") << 6 << Entry{5, 0, 3, 0} << Entry{7, 0, 3, 0};
        QTest::newRow("reserved on 7") << 7 << Entry{0xFF, 0, 1, 0} << Entry{4, 0, 1, 0};
    }

    void translate()
    {
        QFETCH(int, button);
        QFETCH(Entry, in);
        QFETCH(Entry, out);
        QCOMPARE(translateEntry(in, button), out);
    }

    void gunMatrices560()
    {
        Matrix user = factoryMatrix();
        // c = 3, bytes 1 and 3 carried as they are; the rest of this case goes byte for byte
        // to the mouse in the device tests.
        setEntry(user, 5, Entry{8, 7, 3, 9});
        const Matrix factory = factoryMatrix();
        const GunMatrices g = buildGunMatrices(FirmwareFamily::F560, translateMatrix(user), factory, {10, 20, 30});
        QCOMPARE(entryAt(g.user, 5), (Entry{8, 7, 1, 9}));
        QCOMPARE(entryAt(g.g2, 5), (Entry{8, 5, 3, 0}));
    }

    void pointerSteps_data()
    {
        QTest::addColumn<uint>("step");
        QTest::addColumn<QList<int>>("expected");   // speed, double-click ms, scroll lines (unchanged)
        QTest::newRow("0") << 0u << QList<int>{1, 900, 0};
        QTest::newRow("10") << 10u << QList<int>{20, 200, 10};
        QTest::newRow("11 capped") << 11u << QList<int>{20, 200, 11};
    }
    void pointerSteps()
    {
        QFETCH(uint, step);
        QFETCH(QList<int>, expected);
        using namespace pointer_steps;
        QCOMPARE((QList<int>{cursorSpeed(step), doubleClickMs(step), scrollLines(step)}), expected);
    }

};

QTEST_GUILESS_MAIN(TestEncoders)
#include "tst_encoders.moc"
