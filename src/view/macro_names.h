#pragma once
// Macro names double as file names under ./modules/macro/. A name is accepted only
// when its file stays inside that folder and every common file system can hold it.

#include <QString>

namespace macro_names {

constexpr int kMaxNameLength = 100;

// True when name may be used as a macro file name. The empty name is accepted.
// Refused: path separators, "..", control characters, any of <>:"|?* (which also
// refuses drive prefixes such as "C:"), and names longer than kMaxNameLength.
bool isAcceptable(const QString& name);

// "./modules/macro/<name>.bin" (no check; call isAcceptable first).
QString filePath(const QString& name);

} // namespace macro_names
