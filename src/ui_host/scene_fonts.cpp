#include "ui_host/scene_fonts.h"

#include <QFont>
#include <QStringList>

namespace {

// The scene names the YaHei family by its Chinese name, as Windows lists it.
const char* const kSceneFamily = "\xe5\xbe\xae\xe8\xbd\xaf\xe9\x9b\x85\xe9\xbb\x91";

} // namespace

void installSceneFontSubstitutes()
{
    // Windows knows the family under its Latin name too; on Linux the set-up
    // installs WenQuanYi Micro Hei, a small font covering Latin and Chinese.
    QFont::insertSubstitutions(QString::fromUtf8(kSceneFamily),
                               {QStringLiteral("Microsoft YaHei"), QStringLiteral("WenQuanYi Micro Hei")});
}
