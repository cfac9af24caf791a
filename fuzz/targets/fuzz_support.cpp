#include "fuzz_support.h"

#include "scripted_backend.h"

#include "device/device_record.h"
#include "device/hid_thread.h"
#include "device/pacing.h"
#include "view/myqquickview.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>

namespace fuzz {

uint8_t Input::byte()
{
    return pos < size ? data[pos++] : 0;
}

uint16_t Input::u16()
{
    const uint16_t high = byte();
    return static_cast<uint16_t>(high << 8 | byte());
}

uint32_t Input::u32()
{
    const uint32_t high = u16();
    return high << 16 | u16();
}

QByteArray Input::bytes(size_t n)
{
    const size_t take = std::min(n, remaining());
    QByteArray out(reinterpret_cast<const char*>(data + pos), static_cast<qsizetype>(take));
    pos += take;
    return out;
}

QByteArray Input::rest()
{
    return bytes(remaining());
}

QString Input::text(size_t maxBytes)
{
    const size_t length = maxBytes ? byte() % (maxBytes + 1) : 0;
    return QString::fromUtf8(bytes(length));
}

void fail(const char* target, const char* what)
{
    std::fprintf(stderr, "fuzz target %s: property broken: %s\n", target, what);
    std::fflush(stderr);
    std::abort();
}

namespace {

void quietHandler(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "%s\n", qPrintable(message));
        std::abort();
    }
}

// The scratch tree lives until the process ends.
QTemporaryDir& scratch()
{
    static QTemporaryDir dir;
    return dir;
}

void copyInstallationTree(const QString& target)
{
    const QString source = QStringLiteral(CORVANE_SOURCE_DIR "/modules");
    QDir root(target);
    root.mkpath(QStringLiteral("modules/macro"));
    QDirIterator it(source, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString relative = QStringLiteral("modules/") + QDir(source).relativeFilePath(path);
        if (it.fileInfo().isDir())
            root.mkpath(relative);
        else
            QFile::copy(path, root.filePath(relative));
    }
}

DeviceRecord* standardRecord()
{
    auto* record = new DeviceRecord;
    record->reportLength = 32;
    record->isEncode = false;
    record->commandPath = QString::fromLatin1(ScriptedBackend::kCommandPath);
    record->notifyPath = QString::fromLatin1(ScriptedBackend::kNotifyPath);
    return record;
}

} // namespace

void setUpProcess()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    qInstallMessageHandler(quietHandler);
    if (!QCoreApplication::instance()) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "corvane-fuzz";
        static char* argv[] = {name, nullptr};
        new QApplication(argc, argv);   // lives as long as the process
    }
    pacing::setTimeScale(0.0);
    if (!scratch().isValid()) {
        std::fprintf(stderr, "no scratch folder\n");
        std::abort();
    }
    copyInstallationTree(scratch().path());
    QDir::setCurrent(scratch().path());
    installHidBackend(&backend());
}

ScriptedBackend& backend()
{
    static ScriptedBackend* instance = new ScriptedBackend;
    return *instance;
}

Hid_Thread& link()
{
    static Hid_Thread* instance = [] {
        auto* l = new Hid_Thread;
        l->replaceDeviceTable({standardRecord()});
        l->currentDevice = 0;
        return l;
    }();
    return *instance;
}

void resetLink()
{
    link().replaceDeviceTable({standardRecord()});
    link().currentDevice = 0;
    backend().expectWriteSize(33);
}

myQQuickView& view()
{
    static myQQuickView* instance = [] {
        auto* v = new myQQuickView;
        v->setLink(&link());
        return v;
    }();
    return *instance;
}

bool writeFresh(const QString& path, const QByteArray& bytes)
{
    static QDateTime stamp = QDateTime::currentDateTimeUtc().addYears(-1);
    stamp = stamp.addMSecs(1);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        return false;
    file.flush();
    return file.setFileTime(stamp, QFileDevice::FileModificationTime);
}

} // namespace fuzz
