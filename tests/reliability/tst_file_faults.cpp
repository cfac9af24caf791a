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

using namespace Qt::Literals::StringLiterals;

namespace {

// A hang guard of seconds, not a timing: no file operation may stop the window for long.
constexpr int kMaxStallMs = 3000;

// Lets `room` bytes through in all, then refuses, as a full disk does.
struct FullDisk : file_replacement::WriteLayer {
    explicit FullDisk(qint64 room) : room(room) {}
    qint64 write(QFileDevice& out, const char* data, qint64 length) override
    {
        const qint64 n = out.write(data, std::min(length, room));
        room -= std::max<qint64>(n, 0);
        return n > 0 ? n : -1;
    }
    qint64 room;
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
struct ReadOnlyFolder {
    explicit ReadOnlyFolder(const QString& dir) : paths{dir}
    {
        for (const QString& f : QDir(dir).entryList(QDir::Files))
            paths.append(QDir(dir).filePath(f));
        for (const QString& p : std::as_const(paths)) {
            QFile::setPermissions(p, kReadExec);
            setImmutable(p, true);
        }
        QFile probe(dir + u"/probe"_s);
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
    static constexpr auto kReadExec = QFile::ReadOwner | QFile::ReadUser | QFile::ExeOwner | QFile::ExeUser;
    QStringList paths;
};

enum Op { SetData, SetGlobalData, NameList, Import, Reset, Copy, ResetApconfig, ExportProfile, ExportMacro };
enum Fault { ReadOnly, RoomFor0, RoomFor100, FileSize, SourceMissing, SourceIsFolder, SourceHuge };
const char* const kFaultNames[] = {"read-only folder", "full disk after 0 bytes", "full disk after 100 bytes",
                                   "file size limit", "source missing", "source is a folder", "source of 10 MB"};

// What an operation writes, the source it reads (none: no source row), how it is started.
struct Operation {
    const char* name;
    QString target, source;
    void (*run)(myQQuickView&);
};
const QString kP3 = u"modules/setting/p3.bin"_s, kApConfig = u"modules/setting/apConfig.bin"_s;
const QString kImport = u"../exchange/in.pf"_s, kExport = u"../exchange/out"_s;
const Operation kOps[] = {
    {"setData", kP3, {}, [](myQQuickView& v) {
         v.setData(u"mouse/reportRate"_s, 3);
         v.profileSettings[2]->sync();
     }},
    {"setGlobalData", kApConfig, {}, [](myQQuickView& v) {
         v.setGlobalData(u"mouse/profileNo"_s, 4);
         v.globalSettings->sync();
     }},
    {"updataNameList", u"modules/setting/name.bin"_s, {}, [](myQQuickView& v) { v.updataNameList(0, {u"Macro_7"_s}); }},
    {"import", kP3, kImport, [](myQQuickView& v) { QVERIFY(!v.loadProfile(2)); }},
    {"reset", kP3, u"modules/setting/pD.bin"_s, [](myQQuickView& v) { v.resetProfile(2); }},
    {"copy", kP3, {}, [](myQQuickView& v) { v.copyProfile(2, 4); }},
    {"resetApconfig", kApConfig, u"modules/setting/apConfigD.bin"_s, [](myQQuickView& v) { v.resetApconfig(); }},
    {"export profile", kExport, {}, [](myQQuickView& v) { v.saveProfile(2); }},
    {"export macro", kExport, {}, [](myQQuickView& v) { v.saveMacroFile(u"Macro_1"_s); }},
};

bool isExport(int op) { return op == ExportProfile || op == ExportMacro; }
// Handle writes that QSettings keeps in memory and repeats at the next flush.
bool isKeptEdit(int op) { return op == SetData || op == SetGlobalData; }

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
    auto add = [](int op, int fault) { QTest::addRow("%s, %s", kOps[op].name, kFaultNames[fault]) << op << fault; };
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
    const Operation& o = kOps[op];
    ScratchInstall install;
    QDir(install.parent()).mkpath(u"exchange"_s);
    const QByteArray import = readFileBytes(u"modules/setting/p5.bin"_s) + QByteArray(300, '\n');
    // 10 MB: a profile no real one comes near in size.
    writeFile(kImport, fault == SourceHuge ? import + "k=" + QByteArray(10 << 20, 'v') + '\n' : import);
    if (fault == SourceMissing || fault == SourceIsFolder)
        QVERIFY(QFile::remove(o.source));
    if (fault == SourceIsFolder)
        QVERIFY(QDir().mkpath(o.source));
    writeFile(kP3, "[mouse]\nname=mine\n[pad]\nk=" + QByteArray(300, 'x') + "\n");
    writeFile(kExport, "previous export");
    QSettings(kApConfig, QSettings::IniFormat).setValue(u"common/name"_s, u"Mine"_s);
    DebugLines debug;
    myQQuickView view;
    view.setFileChooser(std::make_unique<ScriptedChooser>(install.file(isExport(op) ? kExport : kImport)));
    QVERIFY(view.createMacroIni(u"Macro_1"_s, 0).toBool());
    QVERIFY(view.saveMacroIni(u"Macro_1"_s, QStringList(50, u"0,10"_s), 1).toBool());
    view.setCurrentProfile(2);
    view.setData(u"mouse/scrollRate"_s, 9);   // saved, not yet flushed
    // A replacement or an export flushes the profile's handle first; where the fault
    // lets that flush through, flush it here so that it is no change of the operation.
    if (!isKeptEdit(op) && op != NameList && fault != FileSize && (fault != ReadOnly || isExport(op)))
        view.profileSettings[2]->sync();
    const TreeSnapshot before = treeBytes(install.parent());
    debug.clear();
    {
        const auto readOnly = fault == ReadOnly ? std::make_unique<ReadOnlyFolder>(QFileInfo(o.target).absolutePath()) : nullptr;
        if (readOnly && !readOnly->binds)
            QSKIP("neither permissions nor the immutable attribute make a folder read-only here");
        const auto disk = fault == RoomFor0 || fault == RoomFor100 ? std::make_unique<FullDisk>(fault == RoomFor0 ? 0 : 100) : nullptr;
        // The file size limit: no file of this process may grow, every write fails as on a
        // full disk (no privilege needed).
        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        const rlimit none{0, saved.rlim_max};
        if (fault == FileSize)
            setrlimit(RLIMIT_FSIZE, &none);
        LoopWatch watch;
        watch.start();
        o.run(view);
        watch.stop();
        setrlimit(RLIMIT_FSIZE, &saved);
        QVERIFY2(watch.longest <= kMaxStallMs, qPrintable(QString::number(watch.longest)));
        QCOMPARE(changedPaths(before, treeBytes(install.parent())), QStringList());
        if (!isKeptEdit(op))
            QVERIFY2(!debug.lines().isEmpty(), "a failed write must leave a debug line");
    }
    QCOMPARE(view.getData(u"mouse/name"_s, false).toString(), u"mine"_s);
    QCOMPARE(view.getData(u"mouse/scrollRate"_s, false), QVariant(9));
    if (op == ResetApconfig)
        view.setGlobalData(u"mouse/keyCount"_s, 6);   // the kept handle still writes
    view.globalSettings->sync();
    for (QSettings* s : view.profileSettings)
        s->sync();
    const QSettings global(kApConfig, QSettings::IniFormat), p3(kP3, QSettings::IniFormat);
    QCOMPARE(global.value(u"common/name"_s).toString(), u"Mine"_s);
    QCOMPARE(global.value(u"mouse/profileNo"_s).toInt() == 4, op == SetGlobalData);
    QCOMPARE(global.value(u"mouse/keyCount"_s).toInt() == 6, op == ResetApconfig);
    QCOMPARE(p3.value(u"mouse/name"_s).toString(), u"mine"_s);
    QCOMPARE(p3.value(u"mouse/scrollRate"_s).toInt(), 9);
    QCOMPARE(p3.value(u"mouse/reportRate"_s).toInt() == 3, op == SetData);
    const bool targetWritten = isKeptEdit(op) || op == ResetApconfig;
    for (const QString& p : changedPaths(before, treeBytes(install.parent())))
        QVERIFY2(p == u"app/"_s + kP3 || (targetWritten && p == QDir::cleanPath(u"app/"_s + o.target)), qPrintable(p));
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
