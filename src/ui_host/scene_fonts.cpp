#include "ui_host/scene_fonts.h"

#include <QDebug>
#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QResource>
#include <QStringList>

namespace {

// The scene names the YaHei family by its Chinese name, as Windows lists it.
const char* const kSceneFamily = "\xe5\xbe\xae\xe8\xbd\xaf\xe9\x9b\x85\xe9\xbb\x91";
// The Linux build links in a cut of WenQuanYi Micro Hei with the glyphs of the scene's texts.
const char* const kSceneFont = ":/fonts/scene_sans.ttf";

} // namespace

void installSceneFontSubstitutes()
{
    // Windows knows the family under its Latin name too. On Linux the scene's own cut
    // draws the shipped texts; whatever else the user types comes from WenQuanYi Micro
    // Hei (installed by the set-up) or the system's fallback fonts.
    QStringList families{QStringLiteral("Microsoft YaHei")};
    const QString font = QString::fromLatin1(kSceneFont);
    const QResource linkedIn(font);
    if (linkedIn.isValid()) {
        // Stored uncompressed: the font engine reads the program's own copy, none is made.
        const int id = linkedIn.compressionAlgorithm() == QResource::NoCompression
                           ? QFontDatabase::addApplicationFontFromData(QByteArray::fromRawData(
                                 reinterpret_cast<const char*>(linkedIn.data()), linkedIn.size()))
                           : QFontDatabase::addApplicationFont(font);
        if (id < 0) {
            qDebug() << "scene font" << font << "could not be loaded; the system's fonts draw the texts";
        } else {
            const QStringList cut = QFontDatabase::applicationFontFamilies(id);
            families += cut;
            // The window's own widgets (tray menu, file dialogs) draw with the cut too:
            // no second font is loaded for them.
            QFont widgets = QGuiApplication::font();
            widgets.setFamilies(cut);
            QGuiApplication::setFont(widgets);
        }
    }
    families += QStringLiteral("WenQuanYi Micro Hei");
    QFont::insertSubstitutions(QString::fromUtf8(kSceneFamily), families);
}
