// Macro files, exchange files, the profile clean-up after rename and delete, and the
// upload of a macro block to the virtual mouse of each family.
#include "rig.h"

#include "device/pacing.h"
#include "view/file_chooser.h"
#include "view/macro_names.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {
QString profilePath(int n) { return QStringLiteral("modules/setting/p%1.bin").arg(n + 1); }
QString macroPath(const QString& name) { return QStringLiteral("modules/macro/") + name + QStringLiteral(".bin"); }

// Profile n: button 0 left click, buttons 2 and 7 run the macro "Old" (slot 2),
// button 3 runs "Other", button 4 holds a short entry, button 6 runs "Old" but the
// factory profile has no entry for it.
QByteArray profileBytes(int n)
{
    return QByteArray("[mouse]\nreportRate=") + QByteArray::number(n % 4)
        + "\n\n[mouseKeyMatrix]\n0=0, 0, 240, 0\n2=4, 0, 2, 0\n3=4, 1, 3, 0\n4=4, 0\n5=4\n6=4, 2, 6, 0\n7=4, 0, 2, 0\n"
          "\n[mouseMacroKey]\n2=Old\n3=Other\n5=Old\n6=Old\n";
}
const QByteArray kFactoryProfile("[mouseKeyMatrix]\n0=0, 0, 240, 0\n2=0, 0, 242, 0\n3=0, 0, 241, 0\n4=0, 0, 243, 0\n"
                                 "5=0, 0, 244, 0\n7=1, 4, 0, 0\n");

} // namespace

class TestMacros : public QObject
{
    Q_OBJECT
    std::unique_ptr<ScratchInstall> install;
    DialogLog log;

    std::unique_ptr<myQQuickView> makeView(const QString& answer = QString())
    {
        auto view = std::make_unique<myQQuickView>();
        view->setFileChooser(std::make_unique<ScriptedChooser>(answer, &log));
        return view;
    }

private slots:
    void initTestCase() { pacing::setTimeScale(0.05); }

    void init()
    {
        install = std::make_unique<ScratchInstall>();
        log = DialogLog();
        for (int n = 0; n < myQQuickView::kProfileCount; ++n)
            writeFile(profilePath(n), profileBytes(n));
        writeFile("modules/setting/pD.bin", kFactoryProfile);
        QDir().mkpath("exchange");
    }
    void cleanup() { install.reset(); }

    // An accepted name makes a file in the macro folder. A refused one opens no dialog
    // and writes nothing anywhere through any operation, not even above the install.
    void names_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("empty") << "" << true;
        QTest::newRow("blank and unicode") << QString::fromUtf8("Makro ▲ 1") << true;
        QTest::newRow("100 characters") << QString(100, 'x') << true;
        QTest::newRow("101 characters") << QString(101, 'x') << false;
        QTest::newRow("parent") << ".." << false;
        QTest::newRow("above the install") << "../../../{scratch}" << false;
        QTest::newRow("slash") << "a/b" << false;
        QTest::newRow("backslash") << "..\\..\\outside" << false;
        QTest::newRow("drive") << "C:macro" << false;
        for (const char c : QByteArray("<>\"|?*"))
            QTest::newRow(qPrintable(QStringLiteral("character %1").arg(QChar(c)))) << QStringLiteral("a%1b").arg(QChar(c)) << false;
        QTest::newRow("line break") << "two\nlines" << false;
        QTest::newRow("nul") << QString(QChar(0)) + "a" << false;
        QTest::newRow("delete") << "a\x7f" << false;
    }
    void names()
    {
        QFETCH(QString, name);
        QFETCH(bool, accepted);
        // A file name above the scratch install that no other run uses.
        const QString escape = QFileInfo(install->path()).fileName() + QStringLiteral("_escape");
        name.replace(QStringLiteral("{scratch}"), escape);
        QCOMPARE(macro_names::isAcceptable(name), accepted);
        if (accepted) {
            QCOMPARE(makeView()->createMacroIni(name, 0), QVariant(true));
            QVERIFY(QFile::exists(macroPath(name)));
            return;
        }
        const QString above = QDir(install->path()).absoluteFilePath(QStringLiteral("../") + escape + QStringLiteral(".bin"));
        QVERIFY(!QFile::exists(above));
        writeFile(install->file("outside.bin"), "outside");
        writeFile(macroPath("Good"), "[config]\ntotal=0\nrepeat=1\n");
        const QString exported = install->file("exchange/out.mc");
        writeFile(exported, "keep");
        writeFile(install->file("exchange/in.mc"), "[config]\ntotal=0\nrepeat=1\n");
        const auto before = treeBytes(install->path());
        {
            auto view = makeView(install->file("exchange/in.mc"));
            QCOMPARE(view->createMacroIni(name, 0), QVariant(false));
            QCOMPARE(view->saveMacroIni(name, {"1,A"}, 1), QVariant(false));
            QCOMPARE(view->loadMacroIni(name), QVariantList());
            QCOMPARE(view->deleteMacroIni(name), QVariant(false));
            QVERIFY(!view->loadMacroFile(name));
            view->setFileChooser(std::make_unique<ScriptedChooser>(exported, &log));
            view->saveMacroFile(name);
            QCOMPARE(view->modifyMacroNameUpdateProfile("Good", name), QVariant(false));
            QCOMPARE(view->modifyMacroNameUpdateProfile(name, "Good"), QVariant(false));
            view->deleteMacroUpdateProfile(name);
            QCOMPARE(log.opens + log.saves, 0);
        }
        QCOMPARE(treeBytes(install->path()), before);
        const bool escaped = QFile::exists(above);
        if (escaped)
            QFile::remove(above);
        QVERIFY(!escaped);
    }

    // A new macro holds its defaults; saving fewer actions leaves only those.
    void createThenSaveFewerActions()
    {
        const QStringList five{"1,A", "0,50", "2,A", "3,MS-L", "4,MS-L"};
        // Names with the INI format's special characters and non-ASCII survive unchanged.
        const QStringList three{"1,,", "0,1270", QString::fromUtf8("2,\\ ▲ ;=\"x\"")};
        {
            auto view = makeView();
            QCOMPARE(view->createMacroIni("M", 0), QVariant(true));
            QCOMPARE(view->loadMacroIni("M"), QVariantList{"1"});
        }
        QCOMPARE(readFileBytes(macroPath("M")), QByteArray("[config]\ndid=-1\nindex=0\nrepeat=1\ntotal=0\n"));
        {
            auto view = makeView();
            QVERIFY(view->saveMacroIni("M", five, 2).toBool());
            QVERIFY(view->saveMacroIni("M", three, 300).toBool());
        }
        QCOMPARE(readFileBytes(macroPath("M")),
                 QByteArray("[config]\ndid=-1\nindex=0\nrepeat=300\ntotal=3\n\n"
                            "[macro]\n0=\"1,,\"\n1=\"0,1270\"\n2=\"2,\\\\ \xE2\x96\xB2 ;=\\\"x\\\"\"\n"));
        QCOMPARE(makeView()->loadMacroIni("M"), (QVariantList{three[0], three[1], three[2], "300"}));
    }

    void loadingReadsWhatTheFileHolds_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QVariantList>("expected");
        QTest::newRow("absent entry reads 0") << QByteArray("[config]\ntotal=3\nrepeat=4\n\n[macro]\n0=\"1,A\"\n2=\"2,A\"\n")
                                              << QVariantList{"1,A", "0", "2,A", "4"};
        QTest::newRow("negative total") << QByteArray("[config]\ntotal=-5\nrepeat=2\n") << QVariantList{"2"};
        QTest::newRow("entries beyond total ignored") << QByteArray("[config]\ntotal=1\nrepeat=3\n\n[macro]\n0=\"1,A\"\n1=\"2,A\"\n")
                                                      << QVariantList{"1,A", "3"};
    }
    void loadingReadsWhatTheFileHolds()
    {
        QFETCH(QByteArray, content);
        QFETCH(QVariantList, expected);
        writeFile(macroPath("M"), content);
        auto view = makeView();
        QCOMPARE(view->loadMacroIni("M"), expected);
        QCOMPARE(view->loadMacroIni("Missing"), QVariantList());
    }

    void loadingAHugeTotalStaysBounded()
    {
        writeFile(macroPath("M"), "[config]\ntotal=2147483647\nrepeat=1\n");
        auto view = makeView();
        const QVariantList list = view->loadMacroIni("M");
        QVERIFY(list.size() <= 10001);
        QCOMPARE(list.last(), QVariant("1"));
    }

    // An export replaces the target with the macro file; an import copies the exchange
    // file byte for byte under a new name and leaves an existing macro of that name.
    // One that cannot copy changes no file anywhere.
    void exchange_data()
    {
        QTest::addColumn<bool>("isImport");
        QTest::addColumn<QString>("macro");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("outcome");   // copied; kept: taken, yet no file changes; refused
        const QString old = QStringLiteral("exchange/old.mc");
        QTest::newRow("export") << false << "M" << old << "copied";
        QTest::newRow("import") << true << "New" << old << "copied";
        QTest::newRow("import onto an existing macro") << true << "M" << old << "kept";
        QTest::newRow("import cancelled") << true << "New" << QString() << "refused";
        QTest::newRow("export cancelled") << false << "M" << QString() << "refused";
        QTest::newRow("export onto the macro file") << false << "M" << "modules/macro/M.bin" << "refused";
    }
    void exchange()
    {
        QFETCH(bool, isImport);
        QFETCH(QString, macro);
        QFETCH(QString, answer);
        QFETCH(QString, outcome);
        writeFile(macroPath("M"), "[config]\ntotal=1\nrepeat=1\n\n[macro]\n0=\"1,A\"\n");
        // Longer than M.bin: an export that leaves the old end in place shows.
        const QByteArray mc("[config]\nindex=0\ntotal=2\nrepeat=3\ndid=-1\n\n[macro]\n0=\"1,A\"\n1=\"2,A\"\n");
        writeFile(install->file("exchange/old.mc"), mc);
        TreeSnapshot expected = treeBytes(install->path());
        auto view = makeView(answer.isEmpty() ? answer : install->file(answer));
        if (isImport)
            QCOMPARE(view->loadMacroFile(macro), outcome != "refused");
        else
            view->saveMacroFile(macro);
        QCOMPARE(isImport ? log.opens : log.saves, 1);
        QCOMPARE(log.filter, QString("Macro(*.mc)"));
        view.reset();
        const QString target = isImport ? "modules/macro/New.bin" : "exchange/old.mc";
        if (outcome == "copied")
            expected[target] = isImport ? mc : expected["modules/macro/M.bin"];
        QCOMPARE(treeBytes(install->path()), expected);
    }

    // The first six profiles follow the new name, also when the file cannot be renamed
    // onto an existing macro (the scene has renamed it already).
    void rename_data()
    {
        QTest::addColumn<QString>("to");
        QTest::addColumn<bool>("taken");
        QTest::newRow("free name") << "New" << false;
        QTest::newRow("onto an existing macro") << "New" << true;
        QTest::newRow("empty name") << "" << false;
    }
    void rename()
    {
        QFETCH(QString, to);
        QFETCH(bool, taken);
        const QByteArray old("[config]\ntotal=1\nrepeat=6\n\n[macro]\n0=\"1,Z\"\n");
        writeFile(macroPath("Old"), old);
        if (taken)
            writeFile(macroPath(to), "new");
        QCOMPARE(makeView()->modifyMacroNameUpdateProfile("Old", to), QVariant(!taken));
        QCOMPARE(QFile::exists(macroPath("Old")), taken);
        QCOMPARE(readFileBytes(macroPath(taken ? "Old" : to)), old);
        if (taken)
            QCOMPARE(readFileBytes(macroPath(to)), QByteArray("new"));
        const QByteArray renamed = "=" + to.toUtf8();
        for (int n = 0; n < myQQuickView::kProfileCount; ++n)
            QCOMPARE(readFileBytes(profilePath(n)), n < 6 ? profileBytes(n).replace("=Old", renamed) : profileBytes(n));
    }

    // In the first six profiles every button running the macro gets its factory entry
    // back; another macro, short entries and one without a factory value stay.
    void deleteRestoresFactoryEntriesOfTheFirstSixProfiles()
    {
        makeView()->deleteMacroUpdateProfile("Old");
        for (int n = 0; n < myQQuickView::kProfileCount; ++n) {
            QByteArray expected = profileBytes(n);
            if (n < 6)
                expected.replace("2=4, 0, 2, 0", "2=0, 0, 242, 0").replace("7=4, 0, 2, 0", "7=1, 4, 0, 0");
            QCOMPARE(readFileBytes(profilePath(n)), expected);
        }
        QCOMPARE(readFileBytes("modules/setting/pD.bin"), kFactoryProfile);
    }

    // A block goes to its slot byte for byte (only the low 8 bits of a value count): one
    // command block and the payload in four bulk reports of 32 bytes; 129 bytes open nothing.
    void upload_data()
    {
        QTest::addColumn<Family>("family");
        QTest::addColumn<QVariant>("slot");
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("block");   // empty: nothing sent
        QTest::newRow("553, slot 11, whole block") << Family::F553 << QVariant(11) << 128 << "13 0c 80";
        QTest::newRow("560, slot 5") << Family::F560 << QVariant(5) << 40 << "0f 06 80";
        QTest::newRow("129 bytes") << Family::F553 << QVariant(0) << 129 << "";
        QTest::newRow("slot 12") << Family::F553 << QVariant(12) << 8 << "";
        QTest::newRow("slot -1") << Family::F553 << QVariant(-1) << 8 << "";
        QTest::newRow("slot 268 is 12 in its low byte") << Family::F553 << QVariant(268) << 8 << "";
        QTest::newRow("slot not a number") << Family::F553 << QVariant("first") << 8 << "";
    }
    void upload()
    {
        QFETCH(Family, family);
        QFETCH(QVariant, slot);
        QFETCH(int, length);
        QFETCH(QString, block);
        LinkRig rig({family});
        QVariantList data;
        for (int i = 0; i < length; ++i)
            data.append((i * 37 + slot.toInt()) & 0xFF);
        data[0] = 0x100 | 0x2C;
        QCOMPARE(rig.view->mouseSendMacroData(data, slot), QVariant(true));
        QByteArray payload;
        if (!block.isEmpty()) {
            payload.fill('\0', 128);
            for (int i = 0; i < length; ++i)
                payload[i] = char(data[i].toInt() & 0xFF);
        }
        const QList<Step> steps = rig.steps();
        QCOMPARE(blocksOf(steps), block.isEmpty() ? QList<QByteArray>{} : QList{blockHex(qPrintable(block))});
        QCOMPARE(countOf(steps, "WRITE"), block.isEmpty() ? 0 : 4);
        QCOMPARE(payloadOf(steps).toHex(' '), payload.toHex(' '));
        QCOMPARE(rig.entries().isEmpty(), block.isEmpty());   // not even opened
    }

    // The file dialogs of the exchange start in the desktop folder, or in the home
    // folder of a user who has none.
    void dialogsStartOnTheDesktop()
    {
        QTemporaryDir home;
        const EnvironmentPaths homeHere{{"HOME", home.path()}, {"XDG_CONFIG_HOME", home.filePath(QStringLiteral(".config"))}};
        QCOMPARE(fileDialogStartDirectory(), home.path());
        QVERIFY(QDir(home.path()).mkdir(QStringLiteral("Desktop")));
        QCOMPARE(fileDialogStartDirectory(), home.filePath(QStringLiteral("Desktop")));
    }
};

QTEST_MAIN(TestMacros)
#include "tst_macros.moc"
