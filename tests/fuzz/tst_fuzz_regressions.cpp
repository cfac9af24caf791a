// Replays the regression corpus of every fuzz target (seed inputs and every input
// that once found a fault) through the target's own checks, and checks the checks:
// the oracles the targets judge by must reject what is wrong.
#include "fuzz_support.h"
#include "macro_codec_engine.h"
#include "rig.h"
#include "scripted_backend.h"
#include "targets.h"

#include <QDir>
#include <QFile>
#include <QJSEngine>
#include <QSet>
#include <QtTest>

namespace {

QString corpusRoot() { return QStringLiteral(CORVANE_FUZZ_CORPUS); }

using Op = fuzz::ScriptedBackend::Op;
using Transfer = fuzz::ScriptedBackend::Transfer;

QByteArray block(uint8_t opcode, uint8_t slotPlusOne)
{
    QByteArray b(9, '\0');
    b[1] = char(opcode);
    b[2] = char(slotPlusOne);
    return b;
}

// The transfers of a macro upload over reports of 32 bytes.
std::vector<Transfer> upload(uint8_t opcode, int slot, const QByteArray& payload)
{
    std::vector<Transfer> log{{Op::SendFeature, "c", 9, block(opcode, uint8_t(slot + 1))}};
    for (int at = 0; at < 128; at += 32)
        log.push_back({Op::Write, "c", 33, QByteArray(1, '\0') + payload.mid(at, 32).leftJustified(32, '\0')});
    return log;
}

} // namespace

class TestFuzzRegressions : public QObject
{
    Q_OBJECT

private slots:
    void everyTargetHasItsCorpus()
    {
        QSet<QString> names;
        for (const fuzz::Target& t : fuzz::targets()) {
            names.insert(QString::fromLatin1(t.name));
            const QDir dir(corpusRoot() + QLatin1Char('/') + QString::fromLatin1(t.name));
            QVERIFY2(!dir.entryList(QDir::Files).isEmpty(), t.name);
        }
        // A crash input dropped into a folder no target reads would never be replayed.
        for (const QString& folder : QDir(corpusRoot()).entryList(QDir::Dirs | QDir::NoDotAndDotDot))
            QVERIFY2(names.contains(folder), qPrintable(folder));
    }

    void replay_data()
    {
        QTest::addColumn<int>("target");
        QTest::addColumn<QString>("file");
        const auto& all = fuzz::targets();
        for (int i = 0; i < int(all.size()); ++i) {
            const QDir dir(corpusRoot() + QLatin1Char('/') + QString::fromLatin1(all[i].name));
            for (const QString& f : dir.entryList(QDir::Files, QDir::Name))
                QTest::newRow(qPrintable(QStringLiteral("%1/%2").arg(QLatin1String(all[i].name), f)))
                    << i << dir.filePath(f);
        }
    }

    // A broken property aborts the process, so a failing input fails this test.
    void replay()
    {
        QFETCH(int, target);
        QFETCH(QString, file);
        QFile f(file);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        QCOMPARE(fuzz::targets()[target].run(reinterpret_cast<const uint8_t*>(bytes.constData()),
                                             static_cast<size_t>(bytes.size())),
                 0);
    }

    void encodedMacroOracle_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<int>("recordCount");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("repeat and one key") << "[0, 1, 1, 4, 0, 0]" << 6 << true;
        QTest::newRow("count differs") << "[0, 1, 1, 4, 0, 0]" << 4 << false;
        QTest::newRow("byte 256") << "[0, 1, 1, 256, 0, 0]" << 6 << false;
        QTest::newRow("text") << "[0, 1, '1', 4, 0, 0]" << 6 << false;
        QTest::newRow("no repeat count") << "[7]" << 1 << false;
        QTest::newRow("not an array") << "({length: 2})" << 2 << false;
    }

    void encodedMacroOracle()
    {
        QFETCH(QString, script);
        QFETCH(int, recordCount);
        QFETCH(bool, accepted);
        QJSEngine engine;
        QVariantList bytes;
        const char* problem = fuzz::encodedMacroProblem(engine.evaluate(script), recordCount, bytes);
        QCOMPARE(problem == nullptr, accepted);
        if (accepted)
            QCOMPARE(bytes, ints({0, 1, 1, 4, 0, 0}));
    }

    void macroUploadOracle_data()
    {
        QTest::addColumn<int>("slot");
        QTest::addColumn<int>("sentSlot");
        QTest::addColumn<QByteArray>("sent");
        QTest::addColumn<bool>("accepted");
        const QByteArray exact = QByteArray::fromHex("00010104");
        QTest::newRow("as encoded") << 3 << 3 << exact << true;
        QTest::newRow("other slot") << 3 << 4 << exact << false;
        QTest::newRow("byte changed") << 3 << 3 << QByteArray::fromHex("00010105") << false;
        QTest::newRow("garbage after the end") << 3 << 3 << QByteArray::fromHex("0001010400000001") << false;
        QTest::newRow("slot 12 not sent") << 12 << -1 << QByteArray() << true;
        QTest::newRow("slot 3 not sent") << 3 << -1 << QByteArray() << false;
    }

    void macroUploadOracle()
    {
        QFETCH(int, slot);
        QFETCH(int, sentSlot);
        QFETCH(QByteArray, sent);
        QFETCH(bool, accepted);
        const std::vector<Transfer> log = sentSlot < 0 ? std::vector<Transfer>{} : upload(0x13, sentSlot, sent);
        QCOMPARE(fuzz::macroUploadProblem(log, ints({0, 1, 1, 4}), slot, 0x13) == nullptr, accepted);
    }
};

QTEST_MAIN(TestFuzzRegressions)
#include "tst_fuzz_regressions.moc"
