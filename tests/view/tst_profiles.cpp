// Profile files: export, import, reset and copy byte for byte; failed replacements
// and cancelled dialogs leave everything as it was.
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
QString profilePath(int n) { return QStringLiteral("modules/setting/p%1.bin").arg(n + 1); }

QByteArray profileBytes(int n) { return QByteArray("[mouse]\nreportRate=") + QByteArray::number(n % 4) + "\nname=profile " + QByteArray::number(n) + "\n"; }

QStringList folder(const QString& path) { return QDir(path).entryList(QDir::Files | QDir::Hidden); }
} // namespace

class TestProfiles : public QObject
{
    Q_OBJECT
    std::unique_ptr<ScratchInstall> install;
    DialogLog log;

    std::unique_ptr<myQQuickView> makeView(const QString& answer)
    {
        auto view = std::make_unique<myQQuickView>();
        view->setFileChooser(std::make_unique<ScriptedChooser>(answer, &log));
        return view;
    }

private slots:
    void init()
    {
        install = std::make_unique<ScratchInstall>();
        log = DialogLog();
        for (int n = 0; n < myQQuickView::kProfileCount; ++n)
            writeFile(profilePath(n), profileBytes(n));
        writeFile("modules/setting/pD.bin", "[mouse]\nreportRate=3\nname=factory\n");
        QDir().mkpath("exchange");
    }
    void cleanup()
    {
        file_replacement::setWriteLimit(-1);
        install.reset();
    }

    void exportCopiesTheProfileWithItsLatestWrite()
    {
        const QString target = install->file("exchange/mine.pf");
        writeFile(target, "an older export that is longer than the profile file itself, to be replaced");
        {
            auto view = makeView(target);
            view->setCurrentProfile(0);
            view->setData("mouse/doubleRate", 222);   // still pending in the handle
            view->saveProfile(0);
            QCOMPARE(log.saves, 1);
            QCOMPARE(log.title, QString("Save File"));
            QCOMPARE(log.filter, QString("Profile(*.pf)"));
        }
        const QByteArray exported = readFileBytes(target);
        QCOMPARE(exported, readFileBytes(profilePath(0)));
        QVERIFY(exported.contains("doubleRate=222"));
    }

    void importReplacesTheProfileByteForByte()
    {
        const QString source = install->file("exchange/in.pf");
        const QByteArray imported("[mouse]\nreportRate=1\nscrollRate=1000\n\n[mouseKeyMatrix]\n0=0, 0, 240, 0\n");
        writeFile(source, imported);
        {
            auto view = makeView(source);
            view->setCurrentProfile(2);
            view->setData("mouse/scrollRate", 5);   // pending in the handle that the import discards
            QVERIFY(view->loadProfile(2));
            QCOMPARE(log.opens, 1);
            QCOMPARE(log.title, QString("Open File"));
            QCOMPARE(log.filter, QString("Profile(*.pf)"));
            QCOMPARE(view->getData("mouse/scrollRate", false).toInt(), 1000);
            QCOMPARE(view->getDataList("mouseKeyMatrix/0", false).size(), 4);
        }
        QCOMPARE(readFileBytes(profilePath(2)), imported);
        QCOMPARE(readFileBytes(source), imported);
    }

    void replacementMakesAByteCopy_data()
    {
        QTest::addColumn<QString>("operation");
        QTest::addColumn<int>("dest");
        QTest::addColumn<int>("src");   // -1: the factory profile
        QTest::newRow("reset 4") << "reset" << 4 << -1;
        QTest::newRow("reset 0") << "reset" << 0 << -1;
        QTest::newRow("copy 5 into 2") << "copy" << 2 << 5;
        QTest::newRow("copy 2 into 5") << "copy" << 5 << 2;
        QTest::newRow("copy 9 into 0") << "copy" << 0 << 9;
    }
    void replacementMakesAByteCopy()
    {
        QFETCH(QString, operation);
        QFETCH(int, dest);
        QFETCH(int, src);
        {
            auto view = makeView(QString());
            view->setCurrentProfile(dest);
            view->setData("mouse/stale", 1);   // pending in the destination: must not survive
            if (src >= 0) {
                view->setCurrentProfile(src);
                view->setData("mouse/fresh", 2);   // pending in the source: belongs to the copy
            }
            if (operation == "reset")
                view->resetProfile(dest);
            else
                view->copyProfile(dest, src);
            view->setCurrentProfile(dest);
            QVERIFY(!view->getData("mouse/stale", false).isValid());
            if (src >= 0)
                QCOMPARE(view->getData("mouse/fresh", false).toInt(), 2);
            else
                QCOMPARE(view->getData("mouse/name", false).toString(), QString("factory"));
        }
        const QString srcPath = src >= 0 ? profilePath(src) : QStringLiteral("modules/setting/pD.bin");
        QCOMPARE(readFileBytes(profilePath(dest)), readFileBytes(srcPath));
        QCOMPARE(log.opens + log.saves, 0);
        for (int n = 0; n < myQQuickView::kProfileCount; ++n)
            if (n != dest && n != src)
                QCOMPARE(readFileBytes(profilePath(n)), profileBytes(n));
    }

    void failedReplacementKeepsTheOldFile_data()
    {
        QTest::addColumn<QString>("operation");
        QTest::addColumn<int>("fault");   // 0 source missing, 1 source is a folder, 2 disk full part-way
        QTest::newRow("import, missing file") << "import" << 0;
        QTest::newRow("import, a folder") << "import" << 1;
        QTest::newRow("import, disk full") << "import" << 2;
        QTest::newRow("reset, factory profile missing") << "reset" << 0;
        QTest::newRow("reset, disk full") << "reset" << 2;
        QTest::newRow("copy, disk full") << "copy" << 2;
    }
    void failedReplacementKeepsTheOldFile()
    {
        QFETCH(QString, operation);
        QFETCH(int, fault);
        const QString source = install->file("exchange/in.pf");
        if (fault == 0 && operation == "reset")
            QVERIFY(QFile::remove("modules/setting/pD.bin"));
        else if (fault == 1)
            QVERIFY(QDir().mkpath(source));
        else if (fault == 2)
            writeFile(source, QByteArray(4096, 'x'));
        const QStringList settingBefore = folder("modules/setting");
        {
            auto view = makeView(source);
            view->setCurrentProfile(3);
            view->setData("mouse/pending", 9);
            if (fault == 2)
                file_replacement::setWriteLimit(7);
            if (operation == "import")
                QVERIFY(!view->loadProfile(3));
            else if (operation == "reset")
                view->resetProfile(3);
            else
                view->copyProfile(3, 6);
            file_replacement::setWriteLimit(-1);
            QCOMPARE(view->getData("mouse/name", false).toString(), QString("profile 3"));
            QCOMPARE(view->getData("mouse/pending", false).toInt(), 9);
        }
        QCOMPARE(folder("modules/setting"), settingBefore);   // no temporary file left behind
        const QSettings kept(profilePath(3), QSettings::IniFormat);
        QCOMPARE(kept.value("mouse/name").toString(), QString("profile 3"));
        QCOMPARE(kept.value("mouse/pending").toInt(), 9);
    }

    void failedExportKeepsTheOldExport()
    {
        const QString target = install->file("exchange/mine.pf");
        writeFile(target, "previous export");
        auto view = makeView(target);
        file_replacement::setWriteLimit(5);
        view->saveProfile(1);
        file_replacement::setWriteLimit(-1);
        QCOMPARE(readFileBytes(target), QByteArray("previous export"));
        QCOMPARE(folder(install->file("exchange")), QStringList{"mine.pf"});
    }

    void cancelledDialogsChangeNothing_data()
    {
        QTest::addColumn<bool>("import");
        QTest::newRow("export") << false;
        QTest::newRow("import") << true;
    }
    void cancelledDialogsChangeNothing()
    {
        QFETCH(bool, import);
        {
            auto view = makeView(QString());
            view->setCurrentProfile(1);
            if (import)
                QVERIFY(!view->loadProfile(1));
            else
                view->saveProfile(1);
            QCOMPARE(log.opens + log.saves, 1);
            QCOMPARE(view->getData("mouse/name", false).toString(), QString("profile 1"));
        }
        QCOMPARE(readFileBytes(profilePath(1)), profileBytes(1));
        QVERIFY(folder(install->file("exchange")).isEmpty());
    }

    void profileNumbersOutsideTheRangeDoNothing_data()
    {
        QTest::addColumn<QString>("operation");
        QTest::addColumn<int>("profile");
        QTest::newRow("export 10") << "export" << 10;
        QTest::newRow("import -1") << "import" << -1;
        QTest::newRow("reset 10") << "reset" << 10;
        QTest::newRow("copy into 10") << "copyTo" << 10;
        QTest::newRow("copy from -3") << "copyFrom" << -3;
    }
    void profileNumbersOutsideTheRangeDoNothing()
    {
        QFETCH(QString, operation);
        QFETCH(int, profile);
        const QString source = install->file("exchange/in.pf");
        writeFile(source, "[mouse]\nreportRate=0\n");
        {
            auto view = makeView(source);
            if (operation == "export")
                view->saveProfile(profile);
            else if (operation == "import")
                QVERIFY(!view->loadProfile(profile));
            else if (operation == "reset")
                view->resetProfile(profile);
            else if (operation == "copyTo")
                view->copyProfile(profile, 0);
            else
                view->copyProfile(0, profile);
        }
        QCOMPARE(log.opens + log.saves, 0);
        for (int n = 0; n < myQQuickView::kProfileCount; ++n)
            QCOMPARE(readFileBytes(profilePath(n)), profileBytes(n));
        QCOMPARE(folder(install->file("exchange")), QStringList{"in.pf"});
    }
};

QTEST_MAIN(TestProfiles)
#include "tst_profiles.moc"
