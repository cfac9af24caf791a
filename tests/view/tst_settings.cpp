// Generic data access of the view: which handle a read or write reaches, lists
// across a restart, and restoring the global file from its factory copy.
#include "fixtures.h"
#include "test_support.h"

#include "view/file_replacement.h"
#include "view/myqquickview.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QtTest>

using namespace fixtures;

namespace {
QStringList settingFolder() { return QDir(QStringLiteral("modules/setting")).entryList(QDir::Files | QDir::Hidden); }
} // namespace

class TestSettings : public QObject
{
    Q_OBJECT
    std::unique_ptr<ScratchInstall> install;

private slots:
    void init() { install = std::make_unique<ScratchInstall>(); }
    void cleanup()
    {
        file_replacement::setWriteLimit(-1);
        install.reset();
    }

    void readsFactoryOrCurrentProfile_data()
    {
        QTest::addColumn<int>("profile");
        QTest::addColumn<bool>("isRecovery");
        QTest::addColumn<QString>("expected");
        QTest::newRow("factory, on profile 0") << 0 << true << "3";
        QTest::newRow("current, profile 0") << 0 << false << "0";
        QTest::newRow("factory, on profile 3") << 3 << true << "3";
        QTest::newRow("current, profile 3") << 3 << false << "1";
    }
    void readsFactoryOrCurrentProfile()
    {
        QFETCH(int, profile);
        QFETCH(bool, isRecovery);
        QFETCH(QString, expected);
        writeFile("modules/setting/pD.bin", "[mouse]\nreportRate=3\n");
        writeFile("modules/setting/p1.bin", "[mouse]\nreportRate=0\n");
        writeFile("modules/setting/p4.bin", "[mouse]\nreportRate=1\n");
        myQQuickView view;
        view.setCurrentProfile(profile);
        QCOMPARE(view.getData("mouse/reportRate", isRecovery).toString(), expected);
    }

    void writeIsVisibleBeforeTheFlush()
    {
        myQQuickView view;
        view.setData("mouse/dpiCount", 6);
        QCOMPARE(view.getData("mouse/dpiCount", false).toInt(), 6);
        QVERIFY(!readFileBytes("modules/setting/p1.bin").contains("dpiCount=6"));
        QTRY_VERIFY(readFileBytes("modules/setting/p1.bin").contains("dpiCount=6"));
    }

    void setCurrentProfileChoosesTheFile()
    {
        const QByteArray p1Before = readFileBytes("modules/setting/p1.bin");
        {
            myQQuickView view;
            view.setCurrentProfile(3);
            view.setData("mouse/reportRate", 2);
            view.setDataList("mouse/lightValue", {4, 1, 2});
        }
        const QSettings p4("modules/setting/p4.bin", QSettings::IniFormat);
        QCOMPARE(p4.value("mouse/reportRate").toString(), QString("2"));
        QCOMPARE(p4.value("mouse/lightValue").toStringList(), QStringList({"4", "1", "2"}));
        QCOMPARE(readFileBytes("modules/setting/p1.bin"), p1Before);
    }

    void profileOutsideTheRangeIsIgnored_data()
    {
        QTest::addColumn<int>("bad");
        QTest::newRow("-1") << -1;
        QTest::newRow("10") << 10;
        QTest::newRow("1000") << 1000;
    }
    void profileOutsideTheRangeIsIgnored()
    {
        QFETCH(int, bad);
        {
            myQQuickView view;
            view.setCurrentProfile(2);
            view.setCurrentProfile(bad);
            QCOMPARE(view.currentProfile, 2);
            view.setData("mouse/scrollRate", 77);
        }
        const QSettings p3("modules/setting/p3.bin", QSettings::IniFormat);
        QCOMPARE(p3.value("mouse/scrollRate").toInt(), 77);
    }

    void damagedCurrentProfileReadsAndWritesNothing()
    {
        writeFile("modules/setting/pD.bin", "[mouse]\nreportRate=3\n");
        const QByteArray p1Before = readFileBytes("modules/setting/p1.bin");
        {
            myQQuickView view;
            view.currentProfile = 12;
            QVERIFY(!view.getData("mouse/reportRate", false).isValid());
            QVERIFY(view.getDataList("mouse/dpiValueArray", false).isEmpty());
            view.setData("mouse/reportRate", 1);
            view.setDataList("mouse/dpiValueArray", {1, 2});
            QVERIFY(view.getData("mouse/reportRate", true).isValid());   // the factory profile still answers
        }
        QCOMPARE(readFileBytes("modules/setting/p1.bin"), p1Before);
    }

    void listsAcrossARestart_data()
    {
        QTest::addColumn<QVariantList>("written");
        QTest::newRow("two numbers") << QVariantList{800, 1600};
        QTest::newRow("one number") << QVariantList{5};
        QTest::newRow("one text") << QVariantList{"Macro_0"};
        QTest::newRow("texts with commas") << QVariantList{"a, b", "c"};
        QTest::newRow("24 colours") << QVariantList{255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 0, 255, 0, 255, 255, 255, 127,
                                                    0, 96, 0, 255, 255, 255, 255};
    }
    // The same texts come back in the session and after a restart.
    void listsAcrossARestart()
    {
        QFETCH(QVariantList, written);
        {
            myQQuickView view;
            view.setDataList("mouse/dpiColorValue", written);
            QCOMPARE(texts(view.getDataList("mouse/dpiColorValue", false)), texts(written));
        }
        myQQuickView restarted;
        QCOMPARE(texts(restarted.getDataList("mouse/dpiColorValue", false)), texts(written));
    }

    void olderPlainValueReadsAsOneElementList()
    {
        writeFile("modules/setting/p1.bin", "[mouse]\ncolorValue=7\nlightValue=\"3, 1\"\n");
        myQQuickView view;
        QCOMPARE(texts(view.getDataList("mouse/colorValue", false)), QStringList{"7"});
        QCOMPARE(texts(view.getDataList("mouse/lightValue", false)), QStringList{"3, 1"});
        QVERIFY(view.getDataList("mouse/absent", false).isEmpty());
        QVERIFY(!view.getData("mouse/absent", false).isValid());
    }

    void resetApconfigRestoresTheFactoryBytes()
    {
        writeFile("modules/setting/apConfig.bin", "[common]\nname=Someone Else\n[mouse]\nprofileNo=5\n");
        const QByteArray factory("[common]\nname=CORVANE SKARN MOUSE GX17\n\n[mouse]\nprofileNo=0\n");
        writeFile("modules/setting/apConfigD.bin", factory);
        {
            myQQuickView view;
            view.setGlobalData("mouse/profileNo", 3);   // pending, must not come back after the reset
            view.resetApconfig();
            QCOMPARE(view.getGlobalData("common/name").toString(), QString("CORVANE SKARN MOUSE GX17"));
            QCOMPARE(view.getGlobalData("mouse/profileNo").toString(), QString("0"));
        }
        QCOMPARE(readFileBytes("modules/setting/apConfig.bin"), factory);
    }

    void failedResetApconfigKeepsFileAndHandle_data()
    {
        QTest::addColumn<int>("fault");
        QTest::newRow("factory copy missing") << 0;
        QTest::newRow("factory copy is a folder") << 1;
        QTest::newRow("disk full part-way") << 2;
    }
    void failedResetApconfigKeepsFileAndHandle()
    {
        QFETCH(int, fault);
        writeFile("modules/setting/apConfig.bin", "[common]\nname=Mine\n");
        writeFile("modules/setting/apConfigD.bin", "[common]\nname=Factory name long enough to be cut\n");
        if (fault < 2)
            QVERIFY(QFile::remove("modules/setting/apConfigD.bin"));
        if (fault == 1)
            QVERIFY(QDir().mkpath("modules/setting/apConfigD.bin"));
        if (fault == 2)
            file_replacement::setWriteLimit(10);
        const QStringList filesBefore = settingFolder();
        {
            myQQuickView view;
            view.setGlobalData("mouse/profileNo", 4);
            view.resetApconfig();
            QCOMPARE(view.getGlobalData("common/name").toString(), QString("Mine"));
            QCOMPARE(view.getGlobalData("mouse/profileNo").toInt(), 4);
            view.setGlobalData("mouse/keyCount", 6);   // the kept handle still writes
        }
        QCOMPARE(settingFolder(), filesBefore);   // no temporary file left behind
        const QSettings global("modules/setting/apConfig.bin", QSettings::IniFormat);
        QCOMPARE(global.value("common/name").toString(), QString("Mine"));
        QCOMPARE(global.value("mouse/profileNo").toInt(), 4);
        QCOMPARE(global.value("mouse/keyCount").toInt(), 6);
    }
};

QTEST_MAIN(TestSettings)
#include "tst_settings.moc"
