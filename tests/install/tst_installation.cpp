// The installed program: `cmake --install` into a private read-only prefix, run in
// script mode by users with homes and runtime folders of their own.
#include "device/device_table.h"
#include "install_rig.h"

#include <QRegularExpression>
#include <QtTest>

namespace {

const QByteArray kPrintName = "console.log(ui_View.getGlobalData('common/name'))";
const QByteArray kName = "CORVANE SKARN MOUSE GX17\n";

QStringList filesUnder(const QString& root)
{
    QStringList files = treeBytes(root).keys();
    files.removeIf([](const QString& path) { return path.endsWith(QLatin1Char('/')); });
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
    void cleanup() { QCOMPARE(treeBytes(rig->prefix()), rig->prefixAsInstalled()); }

    void firstStartSeedsTheUserTreeAndKeepsChanges()
    {
        const QProcessEnvironment env = rig->environment(QStringLiteral("ada"));
        ProgramRun r = rig->runScript(env, "ui_View.setCurrentProfile(2);\n"
                                           "console.log(ui_View.getData('mouse/reportRate', false));\n"
                                           "ui_View.setData('mouse/reportRate', 1);\n" + kPrintName);
        QCOMPARE(r.status, 0);
        QCOMPARE(r.out, "2\n" + kName);

        // A copy of the installed tree, writable by its owner, and nothing else in the home.
        const QString tree = rig->userTree(QStringLiteral("ada"));
        QCOMPARE(treeBytes(tree).keys(), treeBytes(rig->installedTree()).keys());
        QStringList expectedFiles;
        for (const QString& file : filesUnder(tree)) {
            expectedFiles << QStringLiteral(".local/share/corvane-config/modules/") + file;
            QVERIFY2(QFileInfo(tree + QLatin1Char('/') + file).permissions() & QFile::WriteOwner, qPrintable(file));
        }
        QCOMPARE(filesUnder(rig->home(QStringLiteral("ada"))), expectedFiles);

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
                           "setting/p10.bin", "setting/pD.bin", "gun/gunData.bin", "gun/", "i18n/English.ini", "macro/"}
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
        for (const QString& relative : removedFromUserTree) {
            const QString path = tree + QLatin1Char('/') + relative;
            QVERIFY(QFileInfo(path).isDir() ? QDir(path).removeRecursively() : QFile::remove(path));
        }
        if (!newInstalledFile.isEmpty())
            QVERIFY(rig->addInstalledFile(newInstalledFile, "[main]\n"));
        const TreeSnapshot before = treeBytes(tree);

        const ProgramRun r = rig->runScript(env, kPrintName);
        QCOMPARE(r.status, 0);
        QCOMPARE(r.out, kName);

        // Nothing of the user's changed or went; exactly the missing entries came, as installed.
        const TreeSnapshot after = treeBytes(tree);
        QStringList expected = newInstalledFile.isEmpty() ? removedFromUserTree : QStringList{newInstalledFile};
        expected.sort();
        QCOMPARE(changedPaths(before, after), expected);
        for (const QString& path : expected)
            QCOMPARE(after.value(path), treeBytes(rig->installedTree()).value(path));
    }

    // One instance per user and tree: "cid" holds its lock while another run starts.
    void oneInstancePerUser_data()
    {
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("runtimeOf");
        QTest::addColumn<int>("status");
        QTest::newRow("another user") << QStringLiteral("bob") << QString() << 0;
        QTest::newRow("another runtime folder, same home") << QStringLiteral("cid") << QStringLiteral("cid2") << 0;
        QTest::newRow("same runtime folder and tree") << QStringLiteral("cid") << QString() << 1;
        QTest::newRow("same runtime folder, own tree") << QStringLiteral("dan") << QStringLiteral("cid") << 0;
    }
    void oneInstancePerUser()
    {
        QFETCH(QString, user);
        QFETCH(QString, runtimeOf);
        QFETCH(int, status);
        const auto first = rig->start(rig->environment(QStringLiteral("cid")),
                                      rig->scriptArgs("console.log('holding'); wait(600000);"));
        QVERIFY(first->waitForReadyRead(30000));
        QCOMPARE(first->readAllStandardOutput(), QByteArray("holding\n"));

        const ProgramRun r = rig->runScript(rig->environment(user, runtimeOf), kPrintName);
        QCOMPARE(r.status, status);
        QCOMPARE(r.out, status == 0 ? kName : QByteArray());   // a run locked out prints nothing
        QCOMPARE(first->state(), QProcess::Running);   // killed when it goes
    }

    void udevRuleHasOneLinePerDevicePair()
    {
        QStringList pairs;
        const QList<DeviceRecord*> table = device_table::load(rig->installedTree() + QStringLiteral("/setting/apConfig.bin"));
        for (const DeviceRecord* d : table)
            pairs << QStringLiteral("%1:%2").arg(d->vid, 4, 16, QLatin1Char('0')).arg(d->pid, 4, 16, QLatin1Char('0'));
        qDeleteAll(table);
        QVERIFY(!pairs.isEmpty());
        pairs.removeDuplicates();
        pairs.sort();

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
        ruled.sort();
        QCOMPARE(ruled, pairs);   // each pair once
    }
    // Answered without a display and without touching any settings.
    void options_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("start");   // of stdout when it succeeds, of stderr when not
        QTest::newRow("--help") << QStringList{"--help"} << 0 << QByteArray("Usage: corvane-config [OPTION]...\n");
        QTest::newRow("Qt's own options pass") << QStringList{"-platform", "offscreen", "--version"} << 0
                                               << QByteArray("corvane-config 1.0\n");
        QTest::newRow("unknown option") << QStringList{"--virtual-mouse", "--frobnicate"} << 2
                                        << QByteArray("corvane-config: unknown option --frobnicate\nUsage: ");
        QTest::newRow("script without file") << QStringList{"--script"} << 2
                                             << QByteArray("corvane-config: option --script needs an argument\nUsage: ");
        QTest::newRow("stray argument") << QStringList{"profile.pf"} << 2
                                        << QByteArray("corvane-config: unexpected argument profile.pf\nUsage: ");
    }
    void options()
    {
        QFETCH(QStringList, args);
        QFETCH(int, status);
        QFETCH(QByteArray, start);
        QProcessEnvironment env = rig->environment(QStringLiteral("options"));
        for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
            env.remove(QString::fromLatin1(name));
        const ProgramRun r = rig->run(env, args);
        QCOMPARE(r.status, status);
        QVERIFY2((status == 0 ? r.out : r.err).startsWith(start), (r.out + r.err).constData());
        QCOMPARE(treeBytes(rig->home(QStringLiteral("options"))), TreeSnapshot());   // nothing written
    }

    // The installed menu entry and metainfo pass their validators; the entry starts the
    // program by name, without arguments, with the installed icon.
    void desktopEntryAndMetainfoValidate()
    {
        const QString entry = rig->installed(QStringLiteral("share/applications/corvane-config.desktop"));
        const QList<QStringList> runs{{"desktop-file-validate", entry},
            {"appstreamcli", "validate", "--no-net", "--pedantic",
             rig->installed(QStringLiteral("share/metainfo/io.github.corvane.config.metainfo.xml"))}};
        for (const QStringList& run : runs) {
            QVERIFY2(!QStandardPaths::findExecutable(run.first()).isEmpty(), qPrintable(run.first() + " missing: run scripts/test"));
            QProcess p;
            p.start(run.first(), run.mid(1));
            QVERIFY(p.waitForFinished(60000));
            QVERIFY2(p.exitCode() == 0, p.readAll().constData());
        }
        QFile file(entry);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray text = file.readAll();
        QVERIFY(text.contains("\nExec=corvane-config\n") && text.contains("\nIcon=corvane-config\n"));
    }
};

QTEST_GUILESS_MAIN(TstInstallation)
#include "tst_installation.moc"
