// Language strings and the name lists of name.bin.
#include "fixtures.h"
#include "test_support.h"

#include "device/hid_thread.h"
#include "view/myqquickview.h"

#include <QFile>
#include <QSettings>
#include <QtTest>

using fixtures::writeFile;

namespace {
// Every element as its text; a non-text element makes the list differ.
QStringList asTexts(const QVariantList& list)
{
    QStringList out;
    for (const QVariant& v : list) {
        if (v.typeId() != QMetaType::QString)
            return {QStringLiteral("<not a text: %1>").arg(v.typeName())};
        out << v.toString();
    }
    return out;
}

const char* const kNameFile = "modules/setting/name.bin";
} // namespace

class TestLanguage : public QObject
{
    Q_OBJECT
    std::unique_ptr<ScratchInstall> install;

private slots:
    void init()
    {
        install = std::make_unique<ScratchInstall>();
        dpi_switch_messages::reset();
        writeFile("modules/i18n/Test.ini",
                  "[main]\ntotal=3\n0=Editor\n2=Gun Editor\n\n"
                  "[profile]\ntotal=2\n0=\\x914d\\x7f6e\n1=\"a, b\"\n\n"
                  "[keyCode]\ntotal=4\n0=\\\\\n1=`\n2=\\x25ba\n3=\"Intl2\"\n\n"
                  "[unquoted]\ntotal=1\n0=Hello, world\n\n"
                  "[negative]\ntotal=-4\n0=x\n\n"
                  "[huge]\ntotal=2000000000\n0=first\n\n"
                  "[other]\ntotal=8\n0=Stage 1:\n1=Stage 2:\n2=Stage 3:\n3=Stage 4:\n4=Stage 5:\n5=Stage 6:\n6=Stage 7:\n7=Stage ?:\n\n"
                  "[shortOther]\ntotal=2\n0=A\n1=B\n");
        writeFile("modules/i18n/Utf8.ini", QString::fromUtf8("[main]\ntotal=2\n0=编辑\n1=Größe ►\n").toUtf8());
        writeFile("modules/setting/evil.ini", "[main]\ntotal=1\n0=outside\n");
    }
    void cleanup()
    {
        dpi_switch_messages::reset();
        install.reset();
    }

    void groupTexts_data()
    {
        QTest::addColumn<QString>("group");
        QTest::addColumn<QString>("language");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("gap in the group") << "main" << "Test" << QStringList{"Editor", "", "Gun Editor"};
        QTest::newRow("escaped and quoted") << "profile" << "Test" << QStringList{QString::fromUtf8("配置"), "a, b"};
        QTest::newRow("backslash, grave, arrow") << "keyCode" << "Test"
                                                 << QStringList{"\\", "`", QString(QChar(0x25BA)), "Intl2"};
        QTest::newRow("raw UTF-8") << "main" << "Utf8" << QStringList{QString::fromUtf8("编辑"), QString::fromUtf8("Größe ►")};
        QTest::newRow("unquoted comma kept") << "unquoted" << "Test" << QStringList{"Hello, world"};
        QTest::newRow("negative total") << "negative" << "Test" << QStringList{};
        QTest::newRow("missing group") << "macroEditor" << "Test" << QStringList{};
        QTest::newRow("missing file") << "main" << "Klingon" << QStringList{};
        QTest::newRow("path outside i18n") << "main" << "../setting/evil" << QStringList{};
        QTest::newRow("empty language") << "main" << "" << QStringList{};
    }
    void groupTexts()
    {
        QFETCH(QString, group);
        QFETCH(QString, language);
        QFETCH(QStringList, expected);
        myQQuickView view;
        QCOMPARE(asTexts(view.getLangStrings(group, language)), expected);
    }

    void damagedTotalIsBounded()
    {
        myQQuickView view;
        const QVariantList texts = view.getLangStrings("huge", "Test");
        QVERIFY(!texts.isEmpty());
        QVERIFY(texts.size() <= 4096);
        QCOMPARE(texts.first().toString(), QString("first"));
    }

    void otherReplacesTheDpiSwitchTexts_data()
    {
        QTest::addColumn<QString>("group");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("eight texts") << "other"
                                     << QStringList{"Stage 1:", "Stage 2:", "Stage 3:", "Stage 4:", "Stage 5:", "Stage 6:",
                                                    "Stage 7:", "Stage ?:"};
        QTest::newRow("another group leaves them") << "main" << QStringList(8, "DPI Switch to");
    }
    void otherReplacesTheDpiSwitchTexts()
    {
        QFETCH(QString, group);
        QFETCH(QStringList, expected);
        myQQuickView view;
        view.getLangStrings(group, "Test");
        QCOMPARE(dpi_switch_messages::all(), expected);
        QCOMPARE(dpi_switch_messages::textForStage(3), expected[2] + " ");
        QCOMPARE(dpi_switch_messages::textForStage(8), expected[7] + " ");
    }

    void nameLists_data()
    {
        QTest::addColumn<QVariant>("type");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QStringList>("stored");
        QTest::newRow("one macro gets the dummy") << QVariant(0) << QStringList{"Macro_0"} << "macro/macroName"
                                                  << QStringList{"Macro_0", "loaderquorin"};
        QTest::newRow("two profiles") << QVariant(2) << QStringList{"Standard0", "profile_01"} << "profile/profileName"
                                      << QStringList{"Standard0", "profile_01"};
        QTest::newRow("genuine dummy name kept") << QVariant(2) << QStringList{"Standard0", "loaderquorin"}
                                                 << "profile/profileName" << QStringList{"Standard0", "loaderquorin"};
        QTest::newRow("guns with commas") << QVariant(1) << QStringList{"M4, silenced", "AKM", "UNP9"} << "gun/gunName"
                                          << QStringList{"M4, silenced", "AKM", "UNP9"};
        QTest::newRow("type as text") << QVariant("3") << QStringList{"0", "1", "2"} << "gun/selectGun"
                                      << QStringList{"0", "1", "2"};
    }
    void nameLists()
    {
        QFETCH(QVariant, type);
        QFETCH(QStringList, names);
        QFETCH(QString, key);
        QFETCH(QStringList, stored);
        myQQuickView view;
        QCOMPARE(view.updataNameList(type, names), QVariant(true));
        QCOMPARE(asTexts(view.getNameList(type)), stored);
        const QSettings file(kNameFile, QSettings::IniFormat);
        QCOMPARE(file.value(key).toStringList(), stored);
    }

    void emptyListRemovesTheKey()
    {
        myQQuickView view;
        view.updataNameList(2, {"Standard0", "profile_01"});
        view.updataNameList(0, {"Macro_0", "Macro_1"});
        QCOMPARE(view.updataNameList(2, {}), QVariant(true));
        QVERIFY(view.getNameList(2).isEmpty());
        QVERIFY(!readFileBytes(kNameFile).contains("profileName"));
        QCOMPARE(asTexts(view.getNameList(0)), QStringList({"Macro_0", "Macro_1"}));
    }

    void unknownTypeStoresAndReadsNothing_data()
    {
        QTest::addColumn<QVariant>("type");
        QTest::newRow("7") << QVariant(7);
        QTest::newRow("-1") << QVariant(-1);
        QTest::newRow("not a number") << QVariant("macro");
    }
    void unknownTypeStoresAndReadsNothing()
    {
        QFETCH(QVariant, type);
        myQQuickView view;
        view.updataNameList(0, {"Macro_0", "Macro_1"});
        const QByteArray before = readFileBytes(kNameFile);
        QCOMPARE(view.updataNameList(type, {"x", "y"}), QVariant(true));
        QVERIFY(view.getNameList(type).isEmpty());
        QCOMPARE(readFileBytes(kNameFile), before);
    }

    void olderSingleValueReadsAsOneName()
    {
        writeFile(kNameFile, "[macro]\nmacroName=Macro_7\n");
        myQQuickView view;
        QCOMPARE(asTexts(view.getNameList(0)), QStringList{"Macro_7"});
        QVERIFY(view.getNameList(1).isEmpty());
    }
};

QTEST_MAIN(TestLanguage)
#include "tst_language.moc"
