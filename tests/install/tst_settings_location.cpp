// Where the settings live, and how a per-user tree is made whole, without installing.
#include "app/settings_location.h"
#include "app/user_tree.h"

#include <QTemporaryDir>
#include <QtTest>

class TstSettingsLocation : public QObject
{
    Q_OBJECT
private slots:
    // Modules beside the program: portable when writable, else they seed the user's tree.
    // (The installed layout, share/ and no modules/ beside the program: tst_installation.)
    void choice()
    {
        const QString userData = QStringLiteral("/home/u/.local/share/corvane-config");
        SettingsLocation l = chooseSettingsLocation("/opt/cc", {true, true}, "/home/u/.local/share");
        QCOMPARE(QStringList({l.tree, l.installedTree, l.workingDirectory()}),
                 QStringList({"/opt/cc/modules", QString(), "/opt/cc"}));
        QVERIFY(l.portable);
        l = chooseSettingsLocation("/opt/cc", {true, false}, "/home/u/.local/share");
        QCOMPARE(QStringList({l.tree, l.installedTree, l.workingDirectory()}),
                 QStringList({userData + "/modules", "/opt/cc/modules", userData}));
        QVERIFY(!l.portable);
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
