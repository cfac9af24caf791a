// Replays the regression corpus of every fuzz target (seed inputs and every input
// that once found a fault) through the target's own checks.
#include "targets.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QtTest>

static QDir corpusOf(const char* target)
{
    return QDir(QStringLiteral(CORVANE_FUZZ_CORPUS "/") + QLatin1String(target));
}

class TestFuzzRegressions : public QObject
{
    Q_OBJECT

private slots:
    void everyTargetHasItsCorpus()
    {
        QSet<QString> names;
        for (const fuzz::Target& t : fuzz::targets()) {
            names.insert(QString::fromLatin1(t.name));
            QVERIFY2(!corpusOf(t.name).entryList(QDir::Files).isEmpty(), t.name);
        }
        // A crash input dropped into a folder no target reads would never be replayed.
        for (const QString& folder : QDir(QStringLiteral(CORVANE_FUZZ_CORPUS)).entryList(QDir::Dirs | QDir::NoDotAndDotDot))
            QVERIFY2(names.contains(folder), qPrintable(folder));
    }

    void replay_data()
    {
        QTest::addColumn<int>("target");
        QTest::addColumn<QString>("file");
        const auto& all = fuzz::targets();
        for (int i = 0; i < int(all.size()); ++i) {
            const QDir dir = corpusOf(all[i].name);
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
};

QTEST_MAIN(TestFuzzRegressions)
#include "tst_fuzz_regressions.moc"
