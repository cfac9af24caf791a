#pragma once
// Replacing a file by a copy of another one without ever leaving the target half
// written or missing: the copy goes to a temporary file beside the target and takes
// the target's place only when it is complete. On failure the target is untouched.

#include <QString>

class QFileDevice;
class QSettings;

namespace file_replacement {

// Copies source over target. Returns false (target untouched, a debug line saying
// why) when the source cannot be read or the copy cannot be completed.
bool replaceWithCopy(const QString& target, const QString& source);

// Replaces the file of an open settings handle with a copy of source. The handle's
// pending writes go out first, so a discarded handle has nothing left to write over
// the new file. On success handle points to a new handle on the same file name; on
// failure the old handle stays and keeps addressing the old file.
bool replaceSettingsFile(QSettings*& handle, const QString& source);

// The layer a copy writes through. Without one installed the bytes go straight to
// the file; a test installs its own for as long as it lives (a disk that fills up).
class WriteLayer
{
public:
    WriteLayer();            // becomes the installed layer
    virtual ~WriteLayer();   // the previous layer comes back
    WriteLayer(const WriteLayer&) = delete;
    WriteLayer& operator=(const WriteLayer&) = delete;
    // Writes up to length bytes of data to out: the bytes written, or -1.
    virtual qint64 write(QFileDevice& out, const char* data, qint64 length) = 0;

private:
    WriteLayer* previous;
};

} // namespace file_replacement
