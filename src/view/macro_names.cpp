#include "view/macro_names.h"

namespace macro_names {
namespace {
const QString kMacroFolder = QStringLiteral("./modules/macro/");
const QString kMacroExtension = QStringLiteral(".bin");
const QString kForbiddenCharacters = QStringLiteral("/\\<>:\"|?*");
const QString kParentStep = QStringLiteral("..");
constexpr char16_t kLastControl = 0x1F;
constexpr char16_t kDelete = 0x7F;
} // namespace

bool isAcceptable(const QString& name)
{
    if (name.size() > kMaxNameLength)
        return false;
    if (name.contains(kParentStep))
        return false;
    for (const QChar c : name) {
        if (c.unicode() <= kLastControl || c.unicode() == kDelete)
            return false;
        if (kForbiddenCharacters.contains(c))
            return false;
    }
    return true;
}

QString filePath(const QString& name) { return kMacroFolder + name + kMacroExtension; }

} // namespace macro_names
