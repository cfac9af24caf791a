// The installation tree as shipped: every key the program reads is there, every
// profile starts as the factory profile, which agrees with the scene's built-in
// rows, and every language group holds its full count.
#include "rig.h"

#include "view/key_translation.h"
#include "view/myqquickview.h"
#include "view/settings_values.h"

#include <QSet>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QSettings>
#include <QtTest>

namespace {
QString shipped(const QString& relative) { return QStringLiteral(CORVANE_SOURCE_DIR "/modules/") + relative; }

QList<int> numbers(const QVariant& value)
{
    QList<int> out;
    for (const QVariant& v : settingsList(value)) {
        bool ok = false;
        out << v.toInt(&ok);
        if (!ok)
            return {};
    }
    return out;
}

// The scene's built-in key rows.
const int kBuiltInRows[16][4] = {{0, 0, 0xF0, 0}, {0, 0, 0xF1, 0}, {0, 0, 0xF2, 0}, {0, 0, 0xF4, 0},
                                 {0, 0, 0xF3, 0}, {5, 0, 1, 0},    {5, 0, 2, 0},    {0, 0xF0, 0x1E, 2},
                                 {0, 0, 0, 0},    {0, 0, 0, 0},    {0, 0, 0, 0},    {0, 0, 0, 0},
                                 {0, 0, 0, 0},    {0, 0, 0, 0},    {0xFF, 0, 1, 0}, {0xFF, 0, 2, 0}};
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

    // Every profile and the global file ship as their factory copies; the factory
    // keys are the scene's built-in rows and their firmware entries.
    void factoryProfile()
    {
        QCOMPARE(readFileBytes(shipped("setting/apConfig.bin")), readFileBytes(shipped("setting/apConfigD.bin")));
        for (int n = 1; n <= 10; ++n) {
            const QString file = QStringLiteral("setting/p%1.bin").arg(n);
            QVERIFY2(readFileBytes(shipped(file)) == readFileBytes(shipped("setting/pD.bin")), qPrintable(file));
        }
        const QSettings p(shipped("setting/pD.bin"), QSettings::IniFormat);
        key_translation::Matrix keys{};
        std::array<QVariantList, key_translation::kButtonCount> fw;
        for (int n = 0; n < 16; ++n) {
            const QList<int> row = numbers(p.value(QStringLiteral("mouseKeyMatrix/%1").arg(n)));
            QCOMPARE(row, QList<int>({kBuiltInRows[n][0], kBuiltInRows[n][1], kBuiltInRows[n][2], kBuiltInRows[n][3]}));
            for (int k = 0; k < 4; ++k)
                keys[4 * n + k] = uint8_t(row[k]);
            fw[n] = settingsList(p.value(QStringLiteral("mouseFwKeyMatrix/%1").arg(n)));
            QCOMPARE(fw[n].size(), 4);
        }
        // The factory entries are the built-in rows in firmware encoding.
        QVERIFY(key_translation::matrixFromEntries(fw) == key_translation::translateMatrix(keys));
    }

    // Both languages hold every text (some empty) of every group the pages read; the
    // key names are the scene's 133 in code order (the English ones its built-in
    // names), and none repeats but the two the table doubles.
    void languages()
    {
        ScratchInstall install;
        myQQuickView view;
        QQmlEngine engine;
        QQmlComponent component(&engine);
        component.setData("import \"basic\"\nKeyCodeString {}\n",
                          QUrl::fromLocalFile(QStringLiteral(CORVANE_SOURCE_DIR "/qml/scene.qml")));
        std::unique_ptr<QObject> table(component.create());
        QVERIFY2(table, qPrintable(component.errorString()));
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
        }
    }
};

QTEST_MAIN(TestInstallTree)
#include "tst_install_tree.moc"
