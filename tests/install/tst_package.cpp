// scripts/package builds a Debian package of this build holding everything the
// installation needs, with its library dependencies found by dpkg-shlibdeps.
#include "rig.h"

#include <QtTest>

namespace {

QByteArray dpkgDeb(const QStringList& args)
{
    QProcess p;
    p.start(QStringLiteral("dpkg-deb"), args);
    p.waitForFinished(60000);
    return p.readAllStandardOutput();
}

} // namespace

class TstPackage : public QObject
{
    Q_OBJECT
private slots:
    void packageHoldsTheInstallation()
    {
        QTemporaryDir out;
        QProcess script;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("CORVANE_BUILD_DIR"), QStringLiteral(CORVANE_BINARY_DIR));
        env.insert(QStringLiteral("PACKAGE_DIR"), out.path());
        script.setProcessEnvironment(env);
        script.start(QStringLiteral("bash"), {QStringLiteral(CORVANE_SOURCE_DIR "/scripts/package"), QStringLiteral("--no-build")});
        QVERIFY(script.waitForFinished(300000));
        QVERIFY2(script.exitCode() == 0, script.readAllStandardError().constData());
        const QString deb = QString::fromLocal8Bit(script.readAllStandardOutput()).trimmed();
        QVERIFY2(QFileInfo(deb).fileName().startsWith(QLatin1String("corvane-config_1.0_")), qPrintable(deb));
        QCOMPARE(QDir(out.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{QFileInfo(deb).fileName()});

        // path -> mode as dpkg-deb -c shows it
        QMap<QString, QString> contents;
        for (const QByteArray& line : dpkgDeb({QStringLiteral("-c"), deb}).split('\n')) {
            const QList<QByteArray> fields = line.simplified().split(' ');
            if (fields.size() >= 6)
                contents.insert(QString::fromUtf8(fields.at(5)), QString::fromUtf8(fields.at(0)));
        }
        QStringList expected{"./usr/bin/corvane-config", "./usr/lib/udev/rules.d/70-corvane-config.rules",
                             "./usr/share/applications/corvane-config.desktop",
                             "./usr/share/icons/hicolor/scalable/apps/corvane-config.svg",
                             "./usr/share/metainfo/io.github.corvane.config.metainfo.xml"};
        // The tree's files and folders (an empty folder too).
        for (const QString& relative : treeBytes(QStringLiteral(CORVANE_SOURCE_DIR "/modules")).keys()) {
            if (!relative.endsWith(QLatin1String(".keep")))
                expected << QStringLiteral("./usr/share/corvane-config/modules/") + relative;
        }
        for (const QString& path : expected)
            QVERIFY2(contents.contains(path), qPrintable(path + " missing"));
        QCOMPARE(contents.value("./usr/bin/corvane-config"), QStringLiteral("-rwxr-xr-x"));
        QCOMPARE(contents.value("./usr/share/corvane-config/modules/setting/apConfig.bin"), QStringLiteral("-r--r--r--"));

        const QByteArray depends = dpkgDeb({QStringLiteral("-f"), deb, QStringLiteral("Depends")});
        for (const char* dependency : {"libc6", "libqt6core6", "libhidapi-hidraw0", "qml6-module-qtquick", "qt6-qpa-plugins"})
            QVERIFY2(depends.contains(dependency), depends.constData());
        QVERIFY(dpkgDeb({QStringLiteral("-I"), deb}).contains("postinst"));
    }
};

QTEST_GUILESS_MAIN(TstPackage)
#include "tst_package.moc"
