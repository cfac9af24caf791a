// The installed program: `cmake --install` into a private read-only prefix, run in
// script mode by users with homes and runtime folders of their own.
#include "device/device_table.h"
#include "install_rig.h"

#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QtTest>

namespace {

const QByteArray kPrintName = "console.log(ui_View.getGlobalData('common/name'))";
const QByteArray kName = "CORVANE SKARN MOUSE GX17\n";

// Every file a user's folder holds apart from the runtime folder, relative to the home.
QStringList filesUnder(const QString& home)
{
    QStringList files;
    const TreeSnapshot all = snapshotTree(home);
    for (auto it = all.begin(); it != all.end(); ++it) {
        if (it.value() != kFolder)
            files << it.key();
    }
    return files;
}

} // namespace

class TstInstallation : public QObject
{
    Q_OBJECT
    std::unique_ptr<InstallRig> rig;

private slots:
    void initTestCase()
    {
        rig = std::make_unique<InstallRig>();
        QVERIFY2(rig->error().isEmpty(), qPrintable(rig->error()));
    }

    // Whatever a test did, the prefix is as installed.
    void cleanup() { QCOMPARE(snapshotTree(rig->prefix()), rig->prefixAsInstalled()); }

    void options_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("out");
        QTest::addColumn<QByteArray>("err");
        QTest::newRow("--help") << QStringList{"--help"} << 0 << QByteArray("Usage: corvane-config [OPTION]...\n")
                                << QByteArray();
        QTest::newRow("--version") << QStringList{"--version"} << 0 << QByteArray("corvane-config 1.0\n") << QByteArray();
        QTest::newRow("Qt's own options pass") << QStringList{"-platform", "offscreen", "--version"} << 0
                                               << QByteArray("corvane-config 1.0\n") << QByteArray();
        QTest::newRow("unknown option") << QStringList{"--virtual-mouse", "--frobnicate"} << 2 << QByteArray()
                                        << QByteArray("corvane-config: unknown option --frobnicate\nUsage: ");
        QTest::newRow("script without file") << QStringList{"--script"} << 2 << QByteArray()
                                             << QByteArray("corvane-config: option --script needs an argument\nUsage: ");
        QTest::newRow("stray argument") << QStringList{"profile.pf"} << 2 << QByteArray()
                                        << QByteArray("corvane-config: unexpected argument profile.pf\nUsage: ");
    }
    // Answered without a display and without touching any settings.
    void options()
    {
        QFETCH(QStringList, args);
        QFETCH(int, status);
        QFETCH(QByteArray, out);
        QFETCH(QByteArray, err);
        QProcessEnvironment env = rig->environment(QStringLiteral("options"));
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        env.remove(QStringLiteral("DISPLAY"));
        env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        const ProgramRun r = rig->run(env, args);
        QCOMPARE(r.status, status);
        QVERIFY2(r.out.startsWith(out), r.out.constData());
        QVERIFY2(err.isEmpty() ? r.err.isEmpty() : r.err.startsWith(err), r.err.constData());
        QCOMPARE(filesUnder(rig->home(QStringLiteral("options"))), QStringList());
    }

    void firstStartSeedsTheUserTreeAndKeepsChanges()
    {
        const QProcessEnvironment env = rig->environment(QStringLiteral("ada"));
        ProgramRun r = rig->runScript(env, "ui_View.setCurrentProfile(2);\n"
                                           "console.log(ui_View.getData('mouse/reportRate', false));\n"
                                           "ui_View.setData('mouse/reportRate', 1);\n" + kPrintName);
        QCOMPARE(r.status, 0);
        QCOMPARE(r.out, "2\n" + kName);

        // A copy of the installed tree, writable by its owner, and nothing else in the home.
        const TreeSnapshot installed = snapshotTree(rig->installedTree());
        const QString tree = rig->userTree(QStringLiteral("ada"));
        QCOMPARE(snapshotTree(tree).keys(), installed.keys());
        QStringList expectedFiles;
        for (auto it = installed.begin(); it != installed.end(); ++it) {
            if (it.value() == kFolder)
                continue;
            expectedFiles << QStringLiteral(".local/share/corvane-config/modules/") + it.key();
            QVERIFY2(QFileInfo(tree + QLatin1Char('/') + it.key()).permissions() & QFile::WriteOwner, qPrintable(it.key()));
        }
        QCOMPARE(filesUnder(rig->home(QStringLiteral("ada"))), expectedFiles);
        QVERIFY(QFile(tree + QStringLiteral("/setting/p3.bin")).size() > 0);

        r = rig->runScript(env, "ui_View.setCurrentProfile(2);\n"
                                "console.log(ui_View.getData('mouse/reportRate', false));\n");
        QCOMPARE(r.status, 0);
        QCOMPARE(r.out, QByteArray("1\n"));
    }

    // A tree a user already has: what the installed tree holds and the user's tree lacks
    // is added, everything the user has stays byte for byte.
    void userTreeIsCompleted_data()
    {
        QTest::addColumn<QStringList>("removedFromUserTree");
        QTest::addColumn<QString>("newInstalledFile");
        QTest::newRow("newer installation with one more file") << QStringList() << QStringLiteral("i18n/Deutsch.ini");
        QTest::newRow("first copy cut short")
            << QStringList{"setting/apConfig.bin", "setting/p7.bin", "setting/p8.bin", "setting/p9.bin",
                           "setting/p10.bin", "setting/pD.bin", "gun/gunData.bin", "gun", "i18n/English.ini", "macro"}
            << QString();
    }
    void userTreeIsCompleted()
    {
        QFETCH(QStringList, removedFromUserTree);
        QFETCH(QString, newInstalledFile);
        const QString user = QString::fromLatin1(QTest::currentDataTag()).left(12).replace(QLatin1Char(' '), QLatin1Char('_'));
        const QProcessEnvironment env = rig->environment(user);
        QCOMPARE(rig->runScript(env, "ui_View.setData('mouse/reportRate', 0)").status, 0);
        const QString tree = rig->userTree(user);
        for (const QString& relative : removedFromUserTree)
            QVERIFY(QFileInfo(tree + QLatin1Char('/') + relative).isDir() ? QDir(tree + QLatin1Char('/') + relative).removeRecursively()
                                                                          : QFile::remove(tree + QLatin1Char('/') + relative));
        if (!newInstalledFile.isEmpty())
            QVERIFY(rig->addInstalledFile(newInstalledFile, "[main]\n"));
        const TreeSnapshot before = snapshotTree(tree);

        const ProgramRun r = rig->runScript(env, kPrintName);
        QCOMPARE(r.status, 0);
        QCOMPARE(r.out, kName);

        const TreeSnapshot installed = snapshotTree(rig->installedTree());
        const TreeSnapshot after = snapshotTree(tree);
        QStringList added;
        for (auto it = after.begin(); it != after.end(); ++it) {
            if (before.contains(it.key())) {
                QVERIFY2(before.value(it.key()) == it.value(), qPrintable(it.key() + QStringLiteral(" changed")));
            } else {
                added << it.key();
                QCOMPARE(it.value(), installed.value(it.key()));
            }
        }
        QCOMPARE(QSet<QString>(after.keyBegin(), after.keyEnd()),
                 QSet<QString>(before.keyBegin(), before.keyEnd()) + QSet<QString>(installed.keyBegin(), installed.keyEnd()));
        QStringList expected = newInstalledFile.isEmpty() ? removedFromUserTree : QStringList{newInstalledFile};
        expected.sort();
        QCOMPARE(added, expected);
    }

    // One instance per user: a run holds the lock while others try.
    void oneInstancePerUser_data()
    {
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("runtimeOf");
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("out");
        QTest::newRow("another user") << QStringLiteral("bob") << QString() << 0 << kName;
        QTest::newRow("another runtime folder, same home") << QStringLiteral("cid") << QStringLiteral("cid2") << 0 << kName;
        QTest::newRow("same runtime folder and tree") << QStringLiteral("cid") << QString() << 1 << QByteArray();
        QTest::newRow("same runtime folder, own tree") << QStringLiteral("dan") << QStringLiteral("cid") << 0 << kName;
    }
    void oneInstancePerUser()
    {
        QFETCH(QString, user);
        QFETCH(QString, runtimeOf);
        QFETCH(int, status);
        QFETCH(QByteArray, out);
        QTemporaryDir scripts;
        const QString holdScript = scripts.filePath(QStringLiteral("hold.js"));
        QFile hold(holdScript);
        QVERIFY(hold.open(QIODevice::WriteOnly));
        hold.write("console.log('holding'); wait(600000);");
        hold.close();
        QProcess first;
        first.setProcessEnvironment(rig->environment(QStringLiteral("cid")));
        first.start(rig->program(), {QStringLiteral("--script"), holdScript, QStringLiteral("--virtual-mouse")});
        QVERIFY(first.waitForReadyRead(30000));
        QCOMPARE(first.readAllStandardOutput(), QByteArray("holding\n"));

        const ProgramRun r = rig->runScript(rig->environment(user, runtimeOf), kPrintName);
        QCOMPARE(r.status, status);
        QCOMPARE(r.out, out);
        QCOMPARE(first.state(), QProcess::Running);
        first.kill();
        first.waitForFinished();
    }

    void udevRuleHasOneLinePerDevicePair()
    {
        QSet<QString> pairs;
        const QList<DeviceRecord*> table = device_table::load(rig->installedTree() + QStringLiteral("/setting/apConfig.bin"));
        for (const DeviceRecord* d : table)
            pairs << QStringLiteral("%1:%2").arg(d->vid, 4, 16, QLatin1Char('0')).arg(d->pid, 4, 16, QLatin1Char('0'));
        qDeleteAll(table);
        QVERIFY(!pairs.isEmpty());

        QFile rule(rig->installed(QStringLiteral("lib/udev/rules.d/70-corvane-config.rules")));
        QVERIFY(rule.open(QIODevice::ReadOnly));
        const QRegularExpression line(QStringLiteral(
            R"re(^SUBSYSTEM=="hidraw", ATTRS\{idVendor\}=="([0-9a-f]{4})", ATTRS\{idProduct\}=="([0-9a-f]{4})", TAG\+="uaccess"$)re"));
        QStringList ruled;
        for (const QByteArray& text : rule.readAll().split('\n')) {
            if (text.isEmpty() || text.startsWith('#'))
                continue;
            const QRegularExpressionMatch m = line.match(QString::fromUtf8(text));
            QVERIFY2(m.hasMatch(), text.constData());
            ruled << m.captured(1) + QLatin1Char(':') + m.captured(2);
        }
        QCOMPARE(ruled.size(), pairs.size());
        QCOMPARE(QSet<QString>(ruled.begin(), ruled.end()), pairs);
    }

    void desktopEntryAndMetainfoValidate_data()
    {
        QTest::addColumn<QString>("tool");
        QTest::addColumn<QStringList>("args");
        QTest::newRow("desktop entry") << QStringLiteral("desktop-file-validate")
                                       << QStringList{rig->installed("share/applications/corvane-config.desktop")};
        QTest::newRow("metainfo") << QStringLiteral("appstreamcli")
                                  << QStringList{"validate", "--no-net", "--pedantic",
                                                 rig->installed("share/metainfo/io.github.corvane.config.metainfo.xml")};
    }
    void desktopEntryAndMetainfoValidate()
    {
        QFETCH(QString, tool);
        QFETCH(QStringList, args);
        QVERIFY2(!QStandardPaths::findExecutable(tool).isEmpty(), qPrintable(tool + " missing: run scripts/test as root once"));
        QProcess p;
        p.start(tool, args);
        QVERIFY(p.waitForFinished(60000));
        QVERIFY2(p.exitCode() == 0, p.readAll().constData());
        // The entry starts the program by name, without arguments, with the installed icon.
        if (tool == QLatin1String("desktop-file-validate")) {
            QFile entry(args.first());
            QVERIFY(entry.open(QIODevice::ReadOnly));
            const QByteArray text = entry.readAll();
            QVERIFY(text.contains("\nExec=corvane-config\n"));
            QVERIFY(text.contains("\nIcon=corvane-config\n"));
            QVERIFY(QFile::exists(rig->installed("share/icons/hicolor/scalable/apps/corvane-config.svg")));
        }
    }
};

QTEST_GUILESS_MAIN(TstInstallation)
#include "tst_installation.moc"
