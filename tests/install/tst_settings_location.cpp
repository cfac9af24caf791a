// Where the settings live, and how a per-user tree is made whole, without installing.
#include "app/settings_location.h"
#include "app/user_tree.h"

#include <QTemporaryDir>
#include <QtTest>

class TstSettingsLocation : public QObject
{
    Q_OBJECT
private slots:
    void choice_data()
    {
        QTest::addColumn<bool>("exists");
        QTest::addColumn<bool>("writable");
        QTest::addColumn<QString>("tree");
        QTest::addColumn<QString>("installedTree");
        QTest::addColumn<QString>("workingDirectory");
        QTest::newRow("portable: writable modules/ beside the program")
            << true << true << "/opt/cc/modules" << QString() << "/opt/cc";
        QTest::newRow("read-only modules/ beside the program seeds the user's tree")
            << true << false << "/home/u/.local/share/corvane-config/modules" << "/opt/cc/modules"
            << "/home/u/.local/share/corvane-config";
        QTest::newRow("installed: the tree under share/")
            << false << false << "/home/u/.local/share/corvane-config/modules"
            << "/opt/share/corvane-config/modules" << "/home/u/.local/share/corvane-config";
    }
    void choice()
    {
        QFETCH(bool, exists);
        QFETCH(bool, writable);
        QFETCH(QString, tree);
        QFETCH(QString, installedTree);
        QFETCH(QString, workingDirectory);
        const SettingsLocation l = chooseSettingsLocation("/opt/cc", {exists, writable}, "/home/u/.local/share");
        QCOMPARE(l.tree, tree);
        QCOMPARE(l.portable, installedTree.isEmpty());
        QCOMPARE(l.installedTree, installedTree.isEmpty() ? QString() : installedTree);
        QCOMPARE(l.workingDirectory(), workingDirectory);
    }

    void incompleteSources_data()
    {
        QTest::addColumn<bool>("installed");
        QTest::addColumn<QString>("userTree");
        QTest::addColumn<bool>("ok");
        QTest::newRow("no installed tree, no user tree") << false << "user/modules" << false;
        QTest::newRow("no installed tree, the user's tree is used as it is") << false << "existing" << true;
        QTest::newRow("user tree path blocked by a file") << true << "blocker/modules" << false;
    }
    void incompleteSources()
    {
        QFETCH(bool, installed);
        QFETCH(QString, userTree);
        QFETCH(bool, ok);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath("existing"));
        if (installed)
            QVERIFY(QDir(dir.path()).mkpath("installed/setting"));
        QFile blocker(dir.filePath("blocker"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        QString error;
        QCOMPARE(completeUserTree(dir.filePath("installed"), dir.filePath(userTree), &error), ok);
        QCOMPARE(error.isEmpty(), ok);
        QCOMPARE(QFileInfo::exists(dir.filePath("user")), false);
    }
};

QTEST_GUILESS_MAIN(TstSettingsLocation)
#include "tst_settings_location.moc"
