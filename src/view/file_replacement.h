#pragma once
// Replacing a file by a copy of another one without ever leaving the target half
// written or missing: the copy goes to a temporary file beside the target and takes
// the target's place only when it is complete. On failure the target is untouched.

#include <QString>

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

// Fault injection: after `bytes` more bytes every write fails, as on a full disk.
// A negative value (the default) lifts the limit.
void setWriteLimit(qint64 bytes);

} // namespace file_replacement
