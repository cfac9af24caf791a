// Faults of the files: every operation that writes a settings or exchange file against
// a read-only folder, a full disk and a missing, wrong or oversized source; a damaged
// apConfig.bin at start-up.
#include "rig.h"

#include "app/widget.h"
#include "ui_host/ui_controler.h"
#include "device/pacing.h"
#include "view/file_replacement.h"

#include <QSettings>
#include <QtTest>

#include <csignal>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <unistd.h>

namespace {

// A hang guard of seconds, not a timing: no file operation may stop the window for long.
constexpr int kMaxStallMs = 3000;

// Lets length bytes through in all, then refuses, as a full disk does.
class FullDisk : public file_replacement::WriteLayer
{
public:
    explicit FullDisk(qint64 room) : room(room) {}
    qint64 write(QFileDevice& out, const char* data, qint64 length) override
    {
        const qint64 n = out.write(data, std::min(length, room));
        room -= std::max<qint64>(n, 0);
        return n > 0 ? n : -1;
    }

private:
    qint64 room;
};

// No file of this process may grow past zero bytes while it lives: every write
// fails as on a full disk (RLIMIT_FSIZE, no privilege needed).
struct FileSizeLimit {
    FileSizeLimit()
    {
        getrlimit(RLIMIT_FSIZE, &saved);
        const rlimit none{0, saved.rlim_max};
        setrlimit(RLIMIT_FSIZE, &none);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &saved); }
    rlimit saved{};
};

// Sets or clears the immutable attribute; only root (CAP_LINUX_IMMUTABLE) can.
void setImmutable(const QString& path, bool on)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK);
    int flags = 0;
    if (fd >= 0 && ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0) {
        flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
        ::ioctl(fd, FS_IOC_SETFLAGS, &flags);
    }
    if (fd >= 0)
        ::close(fd);
}

// A folder and its files that cannot be written while it lives: without write
// permission for an ordinary user; root passes over permissions, so for root also the
// immutable attribute. `binds` is false when neither does.
class ReadOnlyFolder
{
public:
    explicit ReadOnlyFolder(const QString& dir) : paths{dir}
    {
        for (const QString& f : QDir(dir).entryList(QDir::Files))
            paths.append(QDir(dir).filePath(f));
        for (const QString& p : std::as_const(paths)) {
            QFile::setPermissions(p, kReadExec);
            setImmutable(p, true);
        }
        QFile probe(dir + QStringLiteral("/probe"));
        binds = !probe.open(QIODevice::WriteOnly);
        if (!binds)
            probe.remove();
    }
    ~ReadOnlyFolder()
    {
        for (const QString& p : std::as_const(paths)) {
            setImmutable(p, false);
            QFile::setPermissions(p, kReadExec | QFile::WriteOwner | QFile::WriteUser);
        }
    }
    bool binds = false;

private:
    static constexpr auto kReadExec = QFile::ReadOwner | QFile::ReadUser | QFile::ExeOwner | QFile::ExeUser;
    QStringList paths;
};

enum Op { SetData, SetGlobalData, NameList, Import, Reset, Copy, ResetApconfig, ExportProfile, ExportMacro };
enum Fault { ReadOnly, RoomFor0, RoomFor100, FileSize, SourceMissing, SourceIsFolder, SourceHuge };
const char* const kOpNames[] = {"setData", "setGlobalData", "updataNameList", "import", "reset", "copy",
                                "resetApconfig", "export profile", "export macro"};
const char* const kFaultNames[] = {"read-only folder", "full disk after 0 bytes", "full disk after 100 bytes",
                                   "file size limit", "source missing", "source is a folder", "source of 10 MB"};

bool isExport(int op) { return op == ExportProfile || op == ExportMacro; }
// Handle writes that QSettings keeps in memory and repeats at the next flush.
bool isKeptEdit(int op) { return op == SetData || op == SetGlobalData; }

QString targetOf(int op)
{
    switch (op) {
    case SetGlobalData:
    case ResetApconfig: return QStringLiteral("modules/setting/apConfig.bin");
    case NameList: return QStringLiteral("modules/setting/name.bin");
    case ExportProfile:
    case ExportMacro: return QStringLiteral("../exchange/out");
    default: return QStringLiteral("modules/setting/p3.bin");
    }
}

void run(myQQuickView& view, int op)
{
    switch (op) {
    case SetData: view.setData(QStringLiteral("mouse/reportRate"), 3); view.profileSettings[2]->sync(); break;
    case SetGlobalData: view.setGlobalData(QStringLiteral("mouse/profileNo"), 4); view.globalSettings->sync(); break;
    case NameList: view.updataNameList(0, {QStringLiteral("Macro_7")}); break;
    case Import: QVERIFY(!view.loadProfile(2)); break;
    case Reset: view.resetProfile(2); break;
    case Copy: view.copyProfile(2, 4); break;
    case ResetApconfig: view.resetApconfig(); break;
    case ExportProfile: view.saveProfile(2); break;
    case ExportMacro: view.saveMacroFile(QStringLiteral("Macro_1")); break;
    }
}

// A profile no real one comes near in size.
QByteArray hugeProfile(QByteArray text)
{
    text += "[filler]\n";
    for (int i = 0; text.size() < 10 * 1024 * 1024; ++i)
        text += "key" + QByteArray::number(i) + "=" + QByteArray(200, 'v') + "\n";
    return text;
}

} // namespace

class TstFileFaults : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        pacing::setTimeScale(0.0);
        std::signal(SIGXFSZ, SIG_IGN);   // a write past the size limit fails instead of ending the run
    }

    void failedWriteKeepsEverything_data();
    void failedWriteKeepsEverything();
    void damagedApConfig_data();
    void damagedApConfig();
};

void TstFileFaults::failedWriteKeepsEverything_data()
{
    QTest::addColumn<int>("op");
    QTest::addColumn<int>("fault");
    auto add = [](int op, int fault) { QTest::addRow("%s, %s", kOpNames[op], kFaultNames[fault]) << op << fault; };
    for (int op = SetData; op <= ExportMacro; ++op) {
        add(op, ReadOnly);
        add(op, FileSize);
        if (op >= Import && op != ExportMacro) {   // the copies through the write layer
            add(op, RoomFor0);
            add(op, RoomFor100);
        }
    }
    for (int op : {Import, Reset, ResetApconfig})
        add(op, SourceMissing);
    for (int op : {Import, ResetApconfig})
        add(op, SourceIsFolder);
    add(Import, SourceHuge);
}

// The target keeps every byte, no temporary file is left, nothing outside the
// target's folder changes, the window keeps turning, the handle keeps reading the old
// file with the edit still pending, a write that is over says so in a debug line, and
// once the fault is gone a pending edit reaches its file while a refused replacement
// is simply not there.
void TstFileFaults::failedWriteKeepsEverything()
{
    QFETCH(int, op);
    QFETCH(int, fault);
    ScratchInstall install;
    QDir(install.parent()).mkpath(QStringLiteral("exchange"));
    const QByteArray import = readFileBytes(QStringLiteral("modules/setting/p5.bin")) + QByteArray(300, '\n');
    const QString source = install.file(QStringLiteral("../exchange/in.pf"));
    const QString factoryGlobal = QStringLiteral("modules/setting/apConfigD.bin");
    if (fault == SourceIsFolder)
        QVERIFY(op == ResetApconfig ? QFile::remove(factoryGlobal) && QDir().mkpath(factoryGlobal) : QDir().mkpath(source));
    else if (fault == SourceMissing)
        QFile::remove(op == Reset ? QStringLiteral("modules/setting/pD.bin")
                                  : op == ResetApconfig ? factoryGlobal : source);
    else
        writeFile(source, fault == SourceHuge ? hugeProfile(import) : import);
    writeFile(QStringLiteral("modules/setting/p3.bin"), "[mouse]\nname=mine\n[pad]\nk=" + QByteArray(300, 'x') + "\n");
    writeFile(QStringLiteral("../exchange/out"), "previous export");
    QSettings(QStringLiteral("modules/setting/apConfig.bin"), QSettings::IniFormat).setValue(QStringLiteral("common/name"), QStringLiteral("Mine"));
    const QString answer = install.file(isExport(op) ? targetOf(op) : QStringLiteral("../exchange/in.pf"));
    DebugLines debug;
    myQQuickView view;
    view.setFileChooser(std::make_unique<ScriptedChooser>(answer));
    QVERIFY(view.createMacroIni(QStringLiteral("Macro_1"), 0).toBool());
    QVERIFY(view.saveMacroIni(QStringLiteral("Macro_1"), QStringList(50, QStringLiteral("0,10")), 1).toBool());
    view.setCurrentProfile(2);
    view.setData(QStringLiteral("mouse/scrollRate"), 9);   // saved, not yet flushed
    // A replacement or an export flushes the profile's handle first; where the fault
    // lets that flush through, flush it here so that it is no change of the operation.
    const bool settingsWritable = fault != FileSize && (fault != ReadOnly || isExport(op));
    if (!isKeptEdit(op) && op != NameList && settingsWritable)
        view.profileSettings[2]->sync();
    const QString folder = QFileInfo(targetOf(op)).absolutePath();
    const QString targetKey = QDir(install.parent()).relativeFilePath(QFileInfo(targetOf(op)).absoluteFilePath());
    const TreeSnapshot before = treeBytes(install.parent());
    debug.clear();
    {
        const auto readOnly = fault == ReadOnly ? std::make_unique<ReadOnlyFolder>(folder) : nullptr;
        if (readOnly && !readOnly->binds)
            QSKIP("neither permissions nor the immutable attribute make a folder read-only here");
        const auto disk = fault == RoomFor0 || fault == RoomFor100 ? std::make_unique<FullDisk>(fault == RoomFor0 ? 0 : 100) : nullptr;
        auto limit = fault == FileSize ? std::make_unique<FileSizeLimit>() : nullptr;
        LoopWatch watch;
        watch.start();
        run(view, op);
        watch.stop();
        limit.reset();
        QVERIFY2(watch.longest <= kMaxStallMs, qPrintable(QString::number(watch.longest)));
        QCOMPARE(changedPaths(before, treeBytes(install.parent())), QStringList());
        if (!isKeptEdit(op))
            QVERIFY2(!debug.lines().isEmpty(), "a failed write must leave a debug line");
    }
    QCOMPARE(view.getData(QStringLiteral("mouse/name"), false).toString(), QStringLiteral("mine"));
    QCOMPARE(view.getData(QStringLiteral("mouse/scrollRate"), false), QVariant(9));
    if (op == ResetApconfig)
        view.setGlobalData(QStringLiteral("mouse/keyCount"), 6);   // the kept handle still writes
    view.globalSettings->sync();
    for (QSettings* s : view.profileSettings)
        s->sync();
    const QSettings global(QStringLiteral("modules/setting/apConfig.bin"), QSettings::IniFormat);
    QCOMPARE(global.value(QStringLiteral("common/name")).toString(), QStringLiteral("Mine"));
    QCOMPARE(global.value(QStringLiteral("mouse/profileNo")).toInt() == 4, op == SetGlobalData);
    QCOMPARE(global.value(QStringLiteral("mouse/keyCount")).toInt() == 6, op == ResetApconfig);
    const QSettings p3(QStringLiteral("modules/setting/p3.bin"), QSettings::IniFormat);
    QCOMPARE(p3.value(QStringLiteral("mouse/name")).toString(), QStringLiteral("mine"));
    QCOMPARE(p3.value(QStringLiteral("mouse/scrollRate")).toInt(), 9);
    QCOMPARE(p3.value(QStringLiteral("mouse/reportRate")).toInt() == 3, op == SetData);
    const bool targetWritten = isKeptEdit(op) || op == ResetApconfig;
    for (const QString& p : changedPaths(before, treeBytes(install.parent())))
        QVERIFY2(p == QStringLiteral("app/modules/setting/p3.bin") || (targetWritten && p == targetKey), qPrintable(p));
}

void TstFileFaults::damagedApConfig_data()
{
    const QByteArray shipped = readFileBytes(QStringLiteral(CORVANE_SOURCE_DIR "/modules/setting/apConfig.bin"));
    const qsizetype mouseAt = shipped.indexOf("[mouse]");
    QTest::addColumn<QByteArray>("content");   // null: no file at all
    QTest::addColumn<bool>("connects");
    QTest::newRow("absent") << QByteArray() << false;
    QTest::newRow("empty") << QByteArray("") << false;
    QTest::newRow("no device count") << QByteArray("[common]\nname=x\n") << false;
    QTest::newRow("cut inside the first entry") << shipped.left(shipped.indexOf("pid=") + 6) << false;
    QTest::newRow("cut before [mouse]") << shipped.left(mouseAt) << true;
    QTest::newRow("cut inside [mouse]") << shipped.left(shipped.indexOf("icType=") + 5) << true;
    QTest::newRow("NUL bytes") << QByteArray(1024, '\0') << false;
    QTest::newRow("NUL bytes after a valid table") << shipped.left(mouseAt) + QByteArray(1024, '\0') << true;
}

// Start-up on a missing or damaged global file: without a whole entry for the mouse it
// is not detected, missing model keys read as their defaults, and no file is written.
void TstFileFaults::damagedApConfig()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, connects);
    DebugLines quiet;
    MouseRig rig;
    if (content.isNull())
        QVERIFY(QFile::remove(QStringLiteral("modules/setting/apConfig.bin")));
    else
        writeFile(QStringLiteral("modules/setting/apConfig.bin"), content);
    const TreeSnapshot tree = treeBytes(rig.install.parent());
    {
        Widget window(nullptr, false);
        window.show();
        window.checkDevice();
        QCOMPARE(window.deviceConnected, connects);
        QCOMPARE(window.isVisible(), connects);
        myQQuickView* view = window.controller->view;
        QCOMPARE(view->icType, QString());
        QVERIFY(!view->isGun);
        QVERIFY(!view->isColorful);
        window.link.listening = false;
        rig.mouse->unplug();
    }
    QCOMPARE(changedPaths(tree, treeBytes(rig.install.parent())), QStringList());
}

QTEST_MAIN(TstFileFaults)
#include "tst_file_faults.moc"
