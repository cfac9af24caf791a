#include "view/file_replacement.h"

#include <QDateTime>
#include <QDebug>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSettings>

namespace file_replacement {
namespace {

constexpr qint64 kChunkSize = 64 * 1024;
WriteLayer* installedLayer = nullptr;

// Writes all of data through the installed layer. False when anything is left unwritten.
bool writeAll(QSaveFile& out, const char* data, qint64 length)
{
    qint64 done = 0;
    while (done < length) {
        const qint64 n = installedLayer ? installedLayer->write(out, data + done, length - done)
                                        : out.write(data + done, length - done);
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

bool fail(const QString& target, const QString& source, const QString& why)
{
    qDebug() << "cannot replace" << target << "with" << source << ":" << why;
    return false;
}

} // namespace

WriteLayer::WriteLayer() : previous(installedLayer) { installedLayer = this; }

WriteLayer::~WriteLayer() { installedLayer = previous; }

bool replaceWithCopy(const QString& target, const QString& source)
{
    if (QFileInfo(source).isDir())
        return fail(target, source, QStringLiteral("the source is a folder"));
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return fail(target, source, in.errorString());
    QSaveFile out(target);
    out.setDirectWriteFallback(false);
    if (!out.open(QIODevice::WriteOnly))
        return fail(target, source, out.errorString());
    QByteArray chunk;
    while (!in.atEnd()) {
        chunk = in.read(kChunkSize);
        if (chunk.isEmpty() && in.error() != QFileDevice::NoError) {
            out.cancelWriting();
            out.commit();
            return fail(target, source, in.errorString());
        }
        if (!writeAll(out, chunk.constData(), chunk.size())) {
            out.cancelWriting();
            out.commit();   // discards the temporary file
            return fail(target, source, QStringLiteral("the copy could not be written completely"));
        }
    }
    // The last buffered bytes go out here. A disk that fills up now must be seen
    // now: the commit would put a short or empty copy in the target's place.
    if (!out.flush()) {
        const QString why = out.errorString();
        out.cancelWriting();
        out.commit();
        return fail(target, source, why);
    }
    if (!out.commit())
        return fail(target, source, out.errorString());
    return true;
}

bool replaceSettingsFile(QSettings*& handle, const QString& source)
{
    if (!handle)
        return fail(QString(), source, QStringLiteral("no settings handle"));
    const QString target = handle->fileName();
    handle->sync();
    const QDateTime before = QFileInfo(target).lastModified();
    if (!replaceWithCopy(target, source))
        return false;
    // Settings handles on one file share a cache that is read again only when the
    // file's size or time stamp (in milliseconds) changed: a copy of the same size
    // written within the same millisecond would go unseen. Move its time on.
    if (before.isValid() && QFileInfo(target).lastModified() <= before) {
        QFile replaced(target);
        if (replaced.open(QIODevice::ReadWrite))
            replaced.setFileTime(before.addMSecs(1), QFileDevice::FileModificationTime);
    }
    delete handle;
    handle = new QSettings(target, QSettings::IniFormat);
    return true;
}

} // namespace file_replacement
