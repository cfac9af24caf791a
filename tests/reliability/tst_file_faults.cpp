// Faults of the files under modules/: a settings folder that cannot be written,
// a full disk (through the injected write limit and, where the test may mount
// one, a tiny tmpfs), a damaged apConfig.bin, language files in other encodings
// and an imported profile of 10 MB. Each gives a debug line and a defined result;
// nothing the user saved is lost and nothing is written outside modules/.
#include "fault_rig.h"

#include "view/file_chooser.h"
#include "view/file_replacement.h"

#include <QRandomGenerator>
#include <QStringEncoder>

#include <cerrno>
#include <fcntl.h>
#include <linux/fs.h>
#include <sched.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <unistd.h>

using namespace reliability;
using Family = VirtualMouse::Family;

namespace {

const QString kSetting = QStringLiteral("modules/setting");

// Answers every open dialog with one file.
class FixedChooser : public FileChooser
{
public:
    explicit FixedChooser(QString path) : path(std::move(path)) {}
    QString openFile(QWidget*, const QString&, const QString&) override { return path; }
    QString saveFile(QWidget*, const QString&, const QString&) override { return path; }
    QString path;
};

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(bytes), bytes.size());
}

// --- the immutable attribute: the one "read-only" that binds root too ---

bool setImmutable(const QString& path, bool on)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK);
    if (fd < 0)
        return false;
    int flags = 0;
    bool ok = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    if (ok) {
        flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
        ok = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    ::close(fd);
    return ok;
}

// Makes a folder and every file in it immutable while it lives.
class ReadOnlyFolder
{
public:
    explicit ReadOnlyFolder(const QString& dir)
    {
        QStringList all{dir};
        for (const QString& f : QDir(dir).entryList(QDir::Files))
            all.append(QDir(dir).filePath(f));
        for (const QString& p : all) {
            if (!setImmutable(p, true))
                return;
            done.append(p);
        }
        ok = true;
    }
    ~ReadOnlyFolder() { lift(); }
    void lift()
    {
        for (const QString& p : std::as_const(done))
            setImmutable(p, false);
        done.clear();
    }
    bool ok = false;

private:
    QStringList done;
};

// A tiny tmpfs over a folder, in a mount namespace of this thread's own, its
// files copied in. `ok` is false where the test may not mount.
class TinyDisk
{
public:
    TinyDisk(const QString& dir, int kilobytes) : dir(dir)
    {
        const TreeSnapshot files = snapshotTree(dir);
        if (::unshare(CLONE_NEWNS) != 0)
            return;
        if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
            return;
        const QByteArray options = "size=" + QByteArray::number(kilobytes) + "k";
        if (::mount("tmpfs", QFile::encodeName(dir).constData(), "tmpfs", MS_NOSUID | MS_NODEV,
                    options.constData()) != 0)
            return;
        mounted = true;
        for (auto it = files.cbegin(); it != files.cend(); ++it) {
            QFile f(QDir(dir).filePath(it.key()));
            if (!f.open(QIODevice::WriteOnly) || f.write(it.value()) != it.value().size())
                return;
        }
        ok = true;
    }
    ~TinyDisk()
    {
        if (mounted)
            ::umount2(QFile::encodeName(dir).constData(), MNT_DETACH);
    }
    // Fills the free space with one file; false if the disk never filled up.
    bool fill()
    {
        QFile f(QDir(dir).filePath(QStringLiteral("filler")));
        if (!f.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            return false;
        const QByteArray chunk(4096, 'x');
        for (int i = 0; i < 100000; ++i)
            if (f.write(chunk) != chunk.size())
                return true;
        return false;
    }
    void makeRoom() { QFile::remove(QDir(dir).filePath(QStringLiteral("filler"))); }
    bool ok = false;

private:
    QString dir;
    bool mounted = false;
};

QByteArray pseudoRandomBytes(int n, quint32 seed)
{
    QRandomGenerator g(seed);
    QByteArray b(n, 0);
    for (int i = 0; i < n; ++i)
        b[i] = static_cast<char>(g.bounded(256));
    return b;
}

// A view on the scratch tree, the way the window holds it.
std::unique_ptr<myQQuickView> openView(const QString& chosenFile = {})
{
    auto view = std::make_unique<myQQuickView>();
    view->setFileChooser(std::make_unique<FixedChooser>(chosenFile));
    return view;
}

// The view operations that write into modules/setting/, each on profile 2 (p3.bin)
// or the global file.
enum Operation { SetData, SetGlobalData, NameList, LoadProfile, ResetProfile, CopyProfile, ResetApconfig };

void runOperation(myQQuickView& view, int op)
{
    switch (op) {
    case SetData:
        view.setCurrentProfile(2);
        view.setData(QStringLiteral("mouse/reportRate"), 3);
        view.profileSettings[2]->sync();
        break;
    case SetGlobalData:
        view.setGlobalData(QStringLiteral("mouse/profileNo"), 4);
        view.globalSettings->sync();
        break;
    case NameList:
        QCOMPARE(view.updataNameList(0, {QStringLiteral("Macro_7")}), QVariant(true));
        break;
    case LoadProfile:
        QVERIFY(!view.loadProfile(2));
        break;
    case ResetProfile:
        view.resetProfile(2);
        break;
    case CopyProfile:
        view.copyProfile(2, 0);
        break;
    case ResetApconfig:
        view.resetApconfig();
        break;
    }
}

// The file each operation writes, and what it holds once the write went through.
QString targetOf(int op)
{
    switch (op) {
    case SetGlobalData:
    case ResetApconfig:
        return QStringLiteral("modules/setting/apConfig.bin");
    case NameList:
        return QStringLiteral("modules/setting/name.bin");
    default:
        return QStringLiteral("modules/setting/p3.bin");
    }
}

void addOperationRows()
{
    QTest::addColumn<int>("op");
    QTest::newRow("setData") << int(SetData);
    QTest::newRow("setGlobalData") << int(SetGlobalData);
    QTest::newRow("updataNameList") << int(NameList);
    QTest::newRow("loadProfile") << int(LoadProfile);
    QTest::newRow("resetProfile") << int(ResetProfile);
    QTest::newRow("copyProfile") << int(CopyProfile);
    QTest::newRow("resetApconfig") << int(ResetApconfig);
}

// True when the operation's write reached its file.
bool written(int op, const QByteArray& before, const QByteArray& after)
{
    const QSettings file(targetOf(op), QSettings::IniFormat);
    switch (op) {
    case SetData:
        return file.value(QStringLiteral("mouse/reportRate")).toInt() == 3;
    case SetGlobalData:
        return file.value(QStringLiteral("mouse/profileNo")).toInt() == 4;
    case NameList:
        return file.value(QStringLiteral("macro/macroName")).toStringList()
            == QStringList{QStringLiteral("Macro_7"), QStringLiteral("loaderquorin")};
    default:
        return before != after;
    }
}

} // namespace

class TstFileFaults : public QObject
{
    Q_OBJECT
private slots:
    void init() { pacing::setTimeScale(0.0); }
    void cleanup() { file_replacement::setWriteLimit(-1); }

    void readOnlySettingsFolder_data() { addOperationRows(); }
    void readOnlySettingsFolder();
    void unwritableEditIsReportedAtTheEnd();
    void fullDiskInjected_data();
    void fullDiskInjected();
    void fullDiskTmpfs_data() { addOperationRows(); }
    void fullDiskTmpfs();
    void fullDiskMacroExport();
    void damagedApConfig_data();
    void damagedApConfig();
    void languageFileInOtherEncoding_data();
    void languageFileInOtherEncoding();
    void hugeImportedProfile_data();
    void hugeImportedProfile();
};

void TstFileFaults::readOnlySettingsFolder()
{
    QFETCH(int, op);
    NestedInstall install;
    const QString exported = install.parent() + QStringLiteral("/exported.pf");
    QVERIFY(QFile::copy(QStringLiteral("modules/setting/p1.bin"), exported));
    const TreeSnapshot tree = snapshotTree(install.parent());
    const QByteArray before = readFileBytes(targetOf(op));
    DebugCapture debug;
    {
        auto view = openView(exported);
        ReadOnlyFolder readOnly(install.app(kSetting));
        if (!readOnly.ok)
            QSKIP("the immutable attribute cannot be set on this file system (needs CAP_LINUX_IMMUTABLE)");
        QFile probe(install.app(QStringLiteral("modules/setting/probe")));
        if (probe.open(QIODevice::WriteOnly))
            QSKIP("an immutable folder still takes new files here");

        runOperation(*view, op);
        QCOMPARE(readFileBytes(targetOf(op)), before);
        QCOMPARE(changedPaths(tree, snapshotTree(install.parent())), QStringList());
        // A handle keeps an edit it could not write and tries again at its next
        // flush; every other write is over and must have said so.
        if (op != SetData && op != SetGlobalData)
            QVERIFY2(!debug.lines().isEmpty(), "a failed write must leave a debug line");

        // Writable again, a pending write reaches its file; a refused replacement
        // is simply not there, and the handle still reads the old file.
        readOnly.lift();
        view->globalSettings->sync();
        for (QSettings* s : view->profileSettings)
            s->sync();
        const QByteArray after = readFileBytes(targetOf(op));
        if (op == SetData || op == SetGlobalData)
            QVERIFY(written(op, before, after));
        else
            QCOMPARE(after, before);
    }
    for (const QString& p : changedPaths(tree, snapshotTree(install.parent())))
        QVERIFY2(p.startsWith(QLatin1String("app/modules/setting/")), qPrintable(p));
}

// An edit that never could be written is reported when its handle goes, at the
// end of the run; the file keeps what it held.
void TstFileFaults::unwritableEditIsReportedAtTheEnd()
{
    NestedInstall install;
    const QByteArray before = readFileBytes(QStringLiteral("modules/setting/p1.bin"));
    DebugCapture debug;
    auto view = openView();
    ReadOnlyFolder readOnly(install.app(kSetting));
    if (!readOnly.ok)
        QSKIP("the immutable attribute cannot be set on this file system (needs CAP_LINUX_IMMUTABLE)");
    view->setData(QStringLiteral("mouse/reportRate"), 1);
    QTest::qWait(10);   // the event loop's flush fails quietly and keeps the edit
    QCOMPARE(readFileBytes(QStringLiteral("modules/setting/p1.bin")), before);
    QVERIFY(!debug.any(QStringLiteral("p1.bin")));
    view.reset();
    QVERIFY(debug.any(QStringLiteral("p1.bin")));
    QCOMPARE(readFileBytes(QStringLiteral("modules/setting/p1.bin")), before);
}

void TstFileFaults::fullDiskInjected_data()
{
    QTest::addColumn<int>("op");
    QTest::addColumn<int>("limit");   // bytes that still fit
    for (int op : {LoadProfile, ResetProfile, CopyProfile, ResetApconfig}) {
        const char* name = op == LoadProfile ? "loadProfile" : op == ResetProfile ? "resetProfile"
                         : op == CopyProfile ? "copyProfile" : "resetApconfig";
        for (int limit : {0, 1, 100})
            QTest::addRow("%s, %d bytes left", name, limit) << op << limit;
    }
}

// The copy that replaces a settings file stops part-way: the target stays as it
// was, byte for byte, no temporary file is left, and the handle keeps working.
void TstFileFaults::fullDiskInjected()
{
    QFETCH(int, op);
    QFETCH(int, limit);
    NestedInstall install;
    const QString exported = install.parent() + QStringLiteral("/exported.pf");
    writeFile(exported, readFileBytes(QStringLiteral("modules/setting/p5.bin")) + QByteArray(300, '\n'));
    DebugCapture debug;
    auto view = openView(exported);
    view->setCurrentProfile(2);
    view->setData(QStringLiteral("mouse/scrollRate"), 9);   // saved, not yet flushed
    const TreeSnapshot tree = snapshotTree(install.parent());

    file_replacement::setWriteLimit(limit);
    runOperation(*view, op);
    file_replacement::setWriteLimit(-1);
    QVERIFY(debug.any(QStringLiteral("cannot replace")));

    // The pending edit went out before the copy was tried; the copy did not.
    QStringList changed = changedPaths(tree, snapshotTree(install.parent()));
    changed.removeAll(QStringLiteral("app/modules/setting/p3.bin"));
    QCOMPARE(changed, QStringList());
    QCOMPARE(view->getData(QStringLiteral("mouse/scrollRate"), false), QVariant(9));
    view->profileSettings[2]->sync();
    QCOMPARE(QSettings(QStringLiteral("modules/setting/p3.bin"), QSettings::IniFormat)
                 .value(QStringLiteral("mouse/scrollRate")).toInt(), 9);
    if (op == ResetApconfig)
        QCOMPARE(readFileBytes(QStringLiteral("modules/setting/apConfig.bin")),
                 tree.value(QStringLiteral("app/modules/setting/apConfig.bin")));
}

void TstFileFaults::fullDiskTmpfs()
{
    QFETCH(int, op);
    NestedInstall install;
    const QString exported = install.parent() + QStringLiteral("/exported.pf");
    QVERIFY(QFile::copy(QStringLiteral("modules/setting/p5.bin"), exported));
    DebugCapture debug;
    TinyDisk disk(install.app(kSetting), 256);
    if (!disk.ok)
        QSKIP("no tmpfs can be mounted here (needs CAP_SYS_ADMIN and a mount namespace)");
    const QByteArray before = readFileBytes(targetOf(op));
    auto view = openView(exported);
    const TreeSnapshot settingBefore = snapshotTree(install.app(kSetting));
    QVERIFY(disk.fill());

    runOperation(*view, op);
    const TreeSnapshot settingFull = snapshotTree(install.app(kSetting));
    QCOMPARE(changedPaths(settingBefore, settingFull).join(' '), QStringLiteral("filler"));
    QCOMPARE(readFileBytes(targetOf(op)), before);
    if (op != SetData && op != SetGlobalData)
        QVERIFY2(!debug.lines().isEmpty(), "a failed write must leave a debug line");

    // With room again, what was saved reaches the file; nothing was lost.
    disk.makeRoom();
    view->globalSettings->sync();
    for (QSettings* s : view->profileSettings)
        s->sync();
    if (op == SetData || op == SetGlobalData)
        QVERIFY(written(op, before, readFileBytes(targetOf(op))));
    else
        QCOMPARE(readFileBytes(targetOf(op)), before);
}

// Exporting a macro onto a full disk keeps the file that was there.
void TstFileFaults::fullDiskMacroExport()
{
    NestedInstall install;
    const QString target = install.app(QStringLiteral("modules/setting/export.mc"));
    writeFile(target, "[config]\ntotal=0\n");
    TinyDisk disk(install.app(kSetting), 256);
    if (!disk.ok)
        QSKIP("no tmpfs can be mounted here (needs CAP_SYS_ADMIN and a mount namespace)");
    DebugCapture debug;
    auto view = openView(target);
    QVERIFY(view->createMacroIni(QStringLiteral("Macro_1"), 0).toBool());
    QStringList actions;
    for (int i = 0; i < 200; ++i)
        actions << QStringLiteral("1,0x1E") << QStringLiteral("0,10") << QStringLiteral("2,0x1E");
    QVERIFY(view->saveMacroIni(QStringLiteral("Macro_1"), actions, 1).toBool());
    const QByteArray macro = readFileBytes(QStringLiteral("modules/macro/Macro_1.bin"));
    QVERIFY(macro.size() > 4096);
    const qsizetype files = QDir(install.app(kSetting)).entryList(QDir::Files | QDir::Hidden).size();
    QVERIFY(disk.fill());

    view->saveMacroFile(QStringLiteral("Macro_1"));
    QCOMPARE(readFileBytes(target), QByteArray("[config]\ntotal=0\n"));
    QVERIFY(debug.any(QStringLiteral("export.mc")));
    // No temporary file is left beside it (the filler is the one new file).
    QCOMPARE(QDir(install.app(kSetting)).entryList(QDir::Files | QDir::Hidden).size(), files + 1);

    disk.makeRoom();
    view->saveMacroFile(QStringLiteral("Macro_1"));
    QCOMPARE(readFileBytes(target), macro);
}

void TstFileFaults::damagedApConfig_data()
{
    const QByteArray shipped = readFileBytes(QStringLiteral(CORVANE_SOURCE_DIR "/modules/setting/apConfig.bin"));
    const qsizetype mouseAt = shipped.indexOf("[mouse]");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("connects");
    QTest::addColumn<QString>("icType");
    QTest::newRow("empty") << QByteArray() << false << QString();
    QTest::newRow("cut inside the first entry") << shipped.left(shipped.indexOf("pid=") + 6) << false << QString();
    QTest::newRow("cut before [mouse]") << shipped.left(mouseAt) << true << QString();
    QTest::newRow("cut inside [mouse]") << shipped.left(shipped.indexOf("icType=") + 5) << true << QString();
    QTest::newRow("binary") << pseudoRandomBytes(4096, 7) << false << QString();
    QTest::newRow("binary after a valid table") << shipped.left(mouseAt) + pseudoRandomBytes(4096, 8) << true
                                                << QString();
    QTest::newRow("NUL bytes") << QByteArray(1024, '\0') << false << QString();
}

// Start-up on a damaged global file: an empty table disconnects, missing model keys
// read as their defaults, and the file is never rewritten.
void TstFileFaults::damagedApConfig()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, connects);
    QFETCH(QString, icType);
    NestedInstall install;
    writeFile(QStringLiteral("modules/setting/apConfig.bin"), content);
    const TreeSnapshot tree = snapshotTree(install.parent());
    DebugCapture debug;
    {
        VirtualMouse mouse(VirtualMouse::Config{});
        installHidBackend(&mouse);
        auto window = std::make_unique<Widget>(nullptr, false);
        window->show();
        window->checkDevice();
        QCOMPARE(window->deviceConnected, connects);
        QCOMPARE(debug.count(connects ? QStringLiteral("Device Connect") : QStringLiteral("Device DisConnect")), 1);
        QCOMPARE(window->isVisible(), connects);
        myQQuickView* view = window->controller->view;
        QCOMPARE(view->icType, icType);
        QVERIFY(!view->isGun);
        QVERIFY(!view->isColorful);
        window->link.listening = false;
        mouse.unplug();
        window.reset();
        installHidBackend(nullptr);
    }
    QCOMPARE(changedPaths(tree, snapshotTree(install.parent())), QStringList());
}

void TstFileFaults::languageFileInOtherEncoding_data()
{
    const QString text = QStringLiteral("[other]\ntotal=2\n0=Stufe Größe\n1=café\n");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QVariantList>("texts");
    QTest::addColumn<bool>("logged");
    QTest::newRow("UTF-8") << text.toUtf8() << QVariantList{QStringLiteral("Stufe Größe"), QStringLiteral("café")}
                           << false;
    QTest::newRow("UTF-8 with BOM") << QByteArray("\xEF\xBB\xBF") + text.toUtf8()
                                    << QVariantList{QStringLiteral("Stufe Größe"), QStringLiteral("café")} << false;
    QTest::newRow("Latin-1") << text.toLatin1()
                             << QVariantList{QStringLiteral("Stufe Gr\uFFFD\uFFFDe"), QStringLiteral("caf")}
                             << true;
    QStringEncoder utf16le(QStringEncoder::Utf16LE, QStringEncoder::Flag::WriteBom);
    QStringEncoder utf16be(QStringEncoder::Utf16BE);
    QTest::newRow("UTF-16LE with BOM") << QByteArray(utf16le(text)) << QVariantList{} << true;
    QTest::newRow("UTF-16BE") << QByteArray(utf16be(text)) << QVariantList{} << true;
}

void TstFileFaults::languageFileInOtherEncoding()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QVariantList, texts);
    QFETCH(bool, logged);
    NestedInstall install;
    writeFile(QStringLiteral("modules/i18n/Test.ini"), bytes);
    const TreeSnapshot tree = snapshotTree(install.parent());
    dpi_switch_messages::reset();
    DebugCapture debug;
    auto view = openView();
    QCOMPARE(view->getLangStrings(QStringLiteral("other"), QStringLiteral("Test")), texts);
    QCOMPARE(debug.any(QStringLiteral("Test.ini")), logged);
    // The notification texts take what was read; the rest stay as they were.
    QStringList expected = dpi_switch_messages::all();
    for (int i = 0; i < texts.size(); ++i)
        QCOMPARE(expected[i], texts[i].toString());
    for (int i = int(texts.size()); i < dpi_switch_messages::kCount; ++i)
        QCOMPARE(expected[i], QStringLiteral("DPI Switch to"));
    view.reset();
    QCOMPARE(changedPaths(tree, snapshotTree(install.parent())), QStringList());
    dpi_switch_messages::reset();
}

void TstFileFaults::hugeImportedProfile_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("accepted");
    const QByteArray profile = readFileBytes(QStringLiteral(CORVANE_SOURCE_DIR "/modules/setting/p5.bin"));
    QTest::newRow("an exported profile") << profile + "[imported]\nmarker=1\n" << true;
    QByteArray text = profile + "[filler]\n";
    for (int i = 0; text.size() < 10 * 1024 * 1024; ++i)
        text += "key" + QByteArray::number(i) + "=" + QByteArray(200, 'v') + "\n";
    QTest::newRow("10 MB of settings text") << text << false;
    QTest::newRow("10 MB of binary") << pseudoRandomBytes(10 * 1024 * 1024, 9) << false;
}

// Importing a profile: a file no profile comes near in size is refused with a debug
// line and the old profile stays; the window keeps turning either way.
void TstFileFaults::hugeImportedProfile()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, accepted);
    NestedInstall install;
    const QString source = install.parent() + QStringLiteral("/import.pf");
    writeFile(source, content);
    DebugCapture debug;
    auto view = openView(source);
    view->setCurrentProfile(2);
    const QVariant oldRate = view->getData(QStringLiteral("mouse/reportRate"), false);
    const QByteArray before = readFileBytes(QStringLiteral("modules/setting/p3.bin"));
    const TreeSnapshot tree = snapshotTree(install.parent());

    LoopWatch watch;
    watch.start();
    QCOMPARE(view->loadProfile(2), accepted);
    const QVariant rate = view->getData(QStringLiteral("mouse/reportRate"), false);
    watch.stop();
    QVERIFY2(watch.longest <= kMaxStallMs, qPrintable(QString::number(watch.longest)));

    const QStringList changed = changedPaths(tree, snapshotTree(install.parent()));
    if (accepted) {
        QCOMPARE(readFileBytes(QStringLiteral("modules/setting/p3.bin")), content);
        QCOMPARE(changed, QStringList{QStringLiteral("app/modules/setting/p3.bin")});
        QCOMPARE(rate, QSettings(source, QSettings::IniFormat).value(QStringLiteral("mouse/reportRate")));
    } else {
        QVERIFY(debug.any(QStringLiteral("import.pf")));
        QCOMPARE(readFileBytes(QStringLiteral("modules/setting/p3.bin")), before);
        QCOMPARE(changed, QStringList());
        QCOMPARE(rate, oldRate);
    }
}

QTEST_MAIN(TstFileFaults)
#include "tst_file_faults.moc"
