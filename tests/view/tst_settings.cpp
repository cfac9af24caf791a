// The view's settings files: profiles exported, imported, reset and copied byte for
// byte, and lists an older version wrote as plain values.
#include "rig.h"

#include <QDir>
#include <QtTest>

namespace {
QString profilePath(int n) { return QStringLiteral("modules/setting/p%1.bin").arg(n + 1); }
QByteArray profileBytes(int n)
{
    return "[mouse]\nreportRate=" + QByteArray::number(n % 4) + "\nname=profile " + QByteArray::number(n) + "\n";
}

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

class TestSettings : public QObject
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

    void writeProfiles()
    {
        for (int n = 0; n < myQQuickView::kProfileCount; ++n)
            writeFile(profilePath(n), profileBytes(n));
        writeFile("modules/setting/pD.bin", "[mouse]\nreportRate=3\nname=factory\n");
    }
private slots:
    void init()
    {
        install = std::make_unique<ScratchInstall>();
        log = DialogLog();
        QDir().mkpath("exchange");
    }
    void cleanup() { install.reset(); }

    // A replacement makes the destination a byte copy of the source: a write still
    // pending in the source's handle belongs to the copy, one pending in the
    // destination's is dropped. A cancelled dialog or a profile number outside 0..9
    // changes no file.
    void profileReplacement_data()
    {
        QTest::addColumn<QString>("operation");
        QTest::addColumn<int>("dest");   // a profile; -1: the factory profile; 10: the exchange file
        QTest::addColumn<int>("src");
        QTest::addColumn<QString>("outcome");   // copy, cancel or refused
        QTest::addColumn<QString>("name");      // of the profile shown afterwards
        QTest::newRow("reset 4") << "reset" << 4 << -1 << "copy" << "factory";
        QTest::newRow("copy 9 into 0") << "copy" << 0 << 9 << "copy" << "profile 9";
        QTest::newRow("export 0") << "export" << 10 << 0 << "copy" << "";
        QTest::newRow("import into 2") << "import" << 2 << 10 << "copy" << "imported";
        QTest::newRow("export cancelled") << "export" << 10 << 1 << "cancel" << "profile 1";
        QTest::newRow("import cancelled") << "import" << 1 << 10 << "cancel" << "profile 1";
        QTest::newRow("copy from -3") << "copy" << 0 << -3 << "refused" << "profile 1";
    }
    void profileReplacement()
    {
        QFETCH(QString, operation);
        QFETCH(int, dest);
        QFETCH(int, src);
        QFETCH(QString, outcome);
        QFETCH(QString, name);
        const bool copies = outcome == "copy";
        const auto inRange = [](int n) { return n >= 0 && n < 10; };
        writeProfiles();
        const QString exchange = install->file("exchange/x.pf");
        writeFile(exchange, operation == "import" ? "[mouse]\nname=imported\n\n[mouseKeyMatrix]\n0=0, 0, 240, 0\n"
                                                  : "an older export, longer than the profile file, to be replaced");
        const QByteArray exchangeBefore = readFileBytes(exchange);
        auto path = [&](int n) {
            return n < 0 ? QStringLiteral("modules/setting/pD.bin") : n == 10 ? exchange : profilePath(n);
        };
        {
            auto view = makeView(outcome == "cancel" ? QString() : exchange);
            view->setCurrentProfile(1);
            if (copies && inRange(dest)) {
                view->setCurrentProfile(dest);
                view->setData("mouse/stale", 1);
            }
            if (copies && inRange(src)) {
                view->setCurrentProfile(src);
                view->setData("mouse/fresh", 2);
            }
            if (operation == "reset")
                view->resetProfile(dest);
            else if (operation == "copy")
                view->copyProfile(dest, src);
            else if (operation == "export")
                view->saveProfile(src);
            else
                QCOMPARE(view->loadProfile(dest), copies);
            const int dialogs = outcome == "refused" ? 0 : 1;
            QCOMPARE(log.opens, operation == "import" ? dialogs : 0);
            QCOMPARE(log.saves, operation == "export" ? dialogs : 0);
            QCOMPARE(log.filter, log.opens + log.saves ? QString("Profile(*.pf)") : QString());
            if (!name.isEmpty()) {   // the handle reads the file as it is now
                view->setCurrentProfile(copies ? dest : 1);
                QVERIFY(!view->getData("mouse/stale", false).isValid());
                QCOMPARE(view->getData("mouse/name", false).toString(), name);
            }
        }
        if (copies) {
            QCOMPARE(readFileBytes(path(dest)), readFileBytes(path(src)));
            QCOMPARE(readFileBytes(path(dest)).contains("fresh=2"), inRange(src));
        }
        if (!copies || dest != 10)
            QCOMPARE(readFileBytes(exchange), exchangeBefore);
        QCOMPARE(QDir(install->file("exchange")).entryList(QDir::Files | QDir::Hidden), QStringList{"x.pf"});
        for (int n = 0; n < myQQuickView::kProfileCount; ++n)
            if (!copies || (n != dest && n != src))
                QCOMPARE(readFileBytes(profilePath(n)), profileBytes(n));
    }

    // Values an older version wrote as one plain value read as lists of one.
    void olderPlainValuesReadAsLists()
    {
        writeFile("modules/setting/p1.bin", "[mouse]\ncolorValue=7\nlightValue=\"3, 1\"\n");
        writeFile(kNameFile, "[macro]\nmacroName=Macro_7\n");
        myQQuickView view;
        QCOMPARE(texts(view.getDataList("mouse/colorValue", false)), QStringList{"7"});
        QCOMPARE(texts(view.getDataList("mouse/lightValue", false)), QStringList{"3, 1"});
        QCOMPARE(asTexts(view.getNameList(0)), QStringList{"Macro_7"});
    }
};

QTEST_MAIN(TestSettings)
#include "tst_settings.moc"
