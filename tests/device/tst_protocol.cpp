// Checksum and scrambling of the command block against fixed vectors and an
// independent 64-bit formulation.
#include "device/protocol.h"

#include <QRandomGenerator>
#include <QtEndian>
#include <QtTest>

#include <algorithm>

namespace {

using Bytes8 = std::array<uint8_t, 8>;

Bytes8 hex8(const QString& text)
{
    const QByteArray b = QByteArray::fromHex(text.toLatin1());
    Bytes8 out{};
    std::copy_n(b.constData(), std::min<qsizetype>(8, b.size()), out.begin());
    return out;
}

// The scrambling written as whole-block arithmetic: a permutation, then a 64-bit
// big-endian rotation instead of byte-wise shifts.
Bytes8 referenceScramble(Bytes8 p, const protocol::SecrecyCode& c)
{
    p = {p[5], p[4], p[7], p[6], p[1], p[0], p[3], p[2]};
    for (int i = 1; i <= 6; ++i)
        p[i] ^= c[i];
    const quint64 v = qFromBigEndian<quint64>(p.data());
    qToBigEndian<quint64>((v << 3) | (v >> 61), p.data());
    const char key[] = "KaVomLep";
    for (int i = 0; i < 8; ++i) {
        const uint8_t k = static_cast<uint8_t>(key[i]);
        p[i] = static_cast<uint8_t>(p[i] + static_cast<uint8_t>((k << 4) | (k >> 4)));
    }
    return p;
}

} // namespace

class TstProtocol : public QObject
{
    Q_OBJECT
private slots:
    void checksum_data()
    {
        QTest::addColumn<QString>("block");   // bytes 0..6
        QTest::addColumn<int>("expected");
        QTest::newRow("all zero") << "00 00 00 00 00 00 00" << 0xFF;
        QTest::newRow("sum 0x1ff") << "ff ff 01 00 00 00 00" << 0x00;
        QTest::newRow("key matrix 553") << "12 01 40 08 00 00 00" << 0xA4;
        QTest::newRow("sum wraps twice") << "ff ff ff 03 00 00 00" << 0xFF;
        QTest::newRow("byte 7 ignored") << "84 01 00 00 00 00 00 ee" << 0x7A;
    }
    void checksum()
    {
        QFETCH(QString, block);
        QFETCH(int, expected);
        QCOMPARE(int(protocol::checksum(hex8(block).data())), expected);
    }

    void scrambleVectors_data()
    {
        QTest::addColumn<QString>("plain");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("scrambled");
        // Zero block with zero code: only the nibble-swapped key remains.
        QTest::newRow("zero") << "00 00 00 00 00 00 00 00" << QString(6, QChar(0)) << "b4 16 65 f6 d6 c4 56 07";
        QTest::newRow("challenge") << "00 12 34 56 78 00 00 eb" << "735102" << "b6 94 26 9f ef 47 77 a7";
        QTest::newRow("option query") << "83 00 00 00 00 00 00 7c" << "735102" << "b5 d0 de 9f 63 5d e6 07";
        // High bits everywhere: the carries of the key addition and the bits rotated round.
        QTest::newRow("high bits") << "ff 80 7f 01 fe e0 1f c3" << "999999" << "ba 55 36 2b a4 f5 19 06";
    }
    void scrambleVectors()
    {
        QFETCH(QString, plain);
        QFETCH(QString, code);
        QFETCH(QString, scrambled);
        protocol::SecrecyCode c{};   // the six characters between two zero bytes
        std::copy_n(code.toLatin1().constData(), 6, c.begin() + 1);
        Bytes8 b = hex8(plain);
        protocol::scramble(b.data(), c.data());
        QCOMPARE(b, hex8(scrambled));
        protocol::unscramble(b.data(), c.data());
        QCOMPARE(b, hex8(plain));
    }

    void scrambleMatchesReferenceAndRoundTrips()
    {
        QRandomGenerator rng(20240611);
        for (int n = 0; n < 2000; ++n) {
            Bytes8 plain;
            protocol::SecrecyCode code;
            qToLittleEndian(rng.generate64(), plain.data());
            qToLittleEndian(rng.generate64(), code.data());
            Bytes8 b = plain;
            protocol::scramble(b.data(), code.data());
            QCOMPARE(b, referenceScramble(plain, code));
            protocol::unscramble(b.data(), code.data());
            QCOMPARE(b, plain);
        }
    }
};

QTEST_GUILESS_MAIN(TstProtocol)
#include "tst_protocol.moc"
