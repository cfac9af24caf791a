// The installation tree as shipped: every key the program reads is there, every
// file ships as its factory copy, the factory keys and the English key names are
// the scene's own, and both languages hold every text.
#include "rig.h"

#include "view/myqquickview.h"
#include "view/settings_values.h"

#include <QQmlComponent>
#include <QQmlEngine>
#include <QSet>
#include <QSettings>
#include <QtTest>

namespace {
QString shipped(const QString& relative) { return QStringLiteral(CORVANE_SOURCE_DIR "/modules/") + relative; }

// An object of the scene's own QML (imports resolve against the scene's folder).
std::unique_ptr<QObject> sceneObject(QQmlEngine& engine, const QByteArray& qml)
{
    QQmlComponent component(&engine);
    component.setData(qml, QUrl::fromLocalFile(QStringLiteral(CORVANE_SOURCE_DIR "/qml/scene.qml")));
    std::unique_ptr<QObject> object(component.create());
    if (!object)
        qWarning() << component.errorString();
    return object;
}
} // namespace

class TestInstallTree : public QObject
{
    Q_OBJECT

private slots:
    // Every key the program reads from the global file is shipped (it writes no
    // defaults), the mouse's identity among them.
    void globalFile()
    {
        const QSettings global(shipped("setting/apConfig.bin"), QSettings::IniFormat);
        const QList<std::pair<const char*, const char*>> rows{
            {"common/name", "CORVANE SKARN MOUSE GX17"}, {"common/deviceCount", "1"}, {"common/language", "English"},
            {"common/url", ""}, {"0/type", "1"}, {"0/vid", "1209"}, {"0/pid", "0001"}, {"0/usagePage", "ff00"},
            {"0/usage", "ff00"}, {"0/usagePage2", "ff01"}, {"0/usage2", "ff01"}, {"0/reportLength", "32"},
            {"0/isEncode", "true"}, {"0/sCode", "735102"}, {"mouse/isColorful", ""}, {"mouse/isGun", ""},
            {"mouse/icType", ""}, {"mouse/keyCount", ""}, {"mouse/profileNo", "0"}, {"mouse/minDPI", ""},
            {"mouse/maxDPI", ""}, {"mouse/sensorType", ""}, {"mouse/dpiBase", ""}, {"mouse/selectGun", ""}};
        for (const auto& [key, value] : rows) {
            QVERIFY2(global.contains(key), key);
            if (*value)
                QCOMPARE(global.value(key).toString(), QString(value));
        }
    }

    // Every profile and the global file ship as their factory copies; the factory key
    // rows are the rows the button page starts with.
    void factoryKeys()
    {
        QCOMPARE(readFileBytes(shipped("setting/apConfig.bin")), readFileBytes(shipped("setting/apConfigD.bin")));
        for (int n = 1; n <= 10; ++n) {
            const QString file = QStringLiteral("setting/p%1.bin").arg(n);
            QVERIFY2(readFileBytes(shipped(file)) == readFileBytes(shipped("setting/pD.bin")), qPrintable(file));
        }
        QQmlEngine engine;
        const auto page = sceneObject(engine, "import QtQml\nimport \"js/keys.js\" as Keys\nQtObject { property var rows: Keys.INITIAL_ROWS }\n");
        QVERIFY(page);
        const QVariantList initialRows = page->property("rows").toList();
        const QSettings p(shipped("setting/pD.bin"), QSettings::IniFormat);
        for (int n = 0; n < 16; ++n) {
            const QVariantList row = settingsList(p.value(QStringLiteral("mouseKeyMatrix/%1").arg(n)));
            QCOMPARE(texts(row), texts(initialRows.value(n).toList()));
        }
    }

    // Both languages hold every text (some empty) of every group the pages read; the
    // key names are the scene's 133 in code order (the English ones its built-in
    // names), and none repeats but the two the table doubles.
    void languages()
    {
        ScratchInstall install;
        myQQuickView view;
        QQmlEngine engine;
        const auto table = sceneObject(engine, "import \"basic\"\nKeyCodeString {}\n");
        QVERIFY(table);
        QCOMPARE(texts(view.getLangStrings("keyCode", "English")), table->property("keyCodeStr").toStringList());
        const QList<std::pair<const char*, int>> groups{
            {"main", 15},          {"keyMatrix", 5},      {"keyAssigment", 60}, {"dpiSetting", 5},
            {"lightControl", 15},  {"macroEditor", 20},   {"systemSetting", 15}, {"gunControl", 10},
            {"profile", 20},       {"keyCode", 133},      {"other", 8}};
        for (const QString& language : {QString("English"), QString("ChineseSimplified")}) {
            const QSettings file(shipped("i18n/" + language + ".ini"), QSettings::IniFormat);
            for (const auto& [group, total] : groups) {
                QCOMPARE(file.value(QString(group) + "/total").toInt(), total);
                for (int i = 0; i < total; ++i)
                    QVERIFY2(file.contains(QStringLiteral("%1/%2").arg(group).arg(i)), qPrintable(language + " " + group));
            }
            const QStringList names = texts(view.getLangStrings("keyCode", language));
            QCOMPARE(QSet<QString>(names.cbegin(), names.cend()).size(), 131);   // backslash and Intl2 repeat
            QVERIFY(!names.contains(QString()));
        }
    }
};

QTEST_MAIN(TestInstallTree)
#include "tst_install_tree.moc"
