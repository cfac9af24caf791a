// Language strings (one INI file per UI language) and the name lists of name.bin.
#include "view/myqquickview.h"

#include "device/hid_thread.h"
#include "view/settings_values.h"

#include <QDebug>
#include <QFile>
#include <QSettings>
#include <QStringDecoder>

namespace {
const char* const kNameListFile = "./modules/setting/name.bin";
const char* const kDummyName = "loaderquorin";
const char* const kOtherGroup = "other";

// A group never holds more texts than this; a larger total is a damaged file.
constexpr int kMaxGroupTexts = 4096;

QString languageFile(const QString& langCode)
{
    return QStringLiteral("./modules/i18n/%1.ini").arg(langCode);
}

// A language code names a file in i18n/: no folders, no way out of it.
bool safeLanguageCode(const QString& langCode)
{
    return !langCode.isEmpty() && !langCode.contains(QLatin1Char('/')) && !langCode.contains(QLatin1Char('\\'))
        && !langCode.startsWith(QLatin1Char('.'));
}

// A text read back from a language file. A text with a comma written without quotes
// reads back as a list; it is put back together rather than lost.
QString textValue(const QVariant& value)
{
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QStringLiteral(", "));
    return value.toString();
}

// The key of a name list, or an empty text for an unknown list type.
QString nameListKey(const QVariant& type)
{
    bool ok = false;
    const int t = type.toInt(&ok);
    if (!ok)
        return {};
    switch (t) {
    case 0: return QStringLiteral("macro/macroName");
    case 1: return QStringLiteral("gun/gunName");
    case 2: return QStringLiteral("profile/profileName");
    case 3: return QStringLiteral("gun/selectGun");
    default: return {};
    }
}

// Language files are read as UTF-8: bytes of another encoding come back as
// replacement characters, or a UTF-16 file as no texts at all. Says so.
void checkEncoding(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return;
    const QByteArray bytes = f.readAll();
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(bytes);   // decoding sets the error state
    Q_UNUSED(text);
    if (utf8.hasError() || bytes.contains('\0'))
        qDebug() << "getLangStrings:" << path << "is not UTF-8 text; its texts are read damaged or not at all";
}
} // namespace

QVariantList myQQuickView::getLangStrings(QString typeStr, QString langCode)
{
    if (!safeLanguageCode(langCode)) {
        qDebug() << "getLangStrings: unusable language code" << langCode;
        return {};
    }
    checkEncoding(languageFile(langCode));
    const QSettings file(languageFile(langCode), QSettings::IniFormat);   // INI is read as UTF-8
    int total = file.value(typeStr + QStringLiteral("/total")).toInt();
    if (total < 0)
        total = 0;
    if (total > kMaxGroupTexts) {
        qDebug() << "getLangStrings: group" << typeStr << "claims" << total << "texts; reading" << kMaxGroupTexts;
        total = kMaxGroupTexts;
    }
    QVariantList texts;
    QStringList plain;
    texts.reserve(total);
    for (int i = 0; i < total; ++i) {
        const QString text = textValue(file.value(typeStr + QLatin1Char('/') + QString::number(i)));
        texts.append(text);
        plain.append(text);
    }
    if (typeStr == QLatin1String(kOtherGroup))
        dpi_switch_messages::replace(plain);
    return texts;
}

QVariant myQQuickView::updataNameList(QVariant type, QStringList nameList)
{
    const QString key = nameListKey(type);
    if (key.isEmpty())
        return QVariant(true);
    QSettings file(QString::fromLatin1(kNameListFile), QSettings::IniFormat);
    if (nameList.size() == 1)
        nameList.append(QString::fromLatin1(kDummyName));
    if (nameList.isEmpty())
        file.remove(key);
    else
        file.setValue(key, nameList);
    file.sync();
    if (file.status() != QSettings::NoError)
        qDebug() << "updataNameList: could not write" << file.fileName();
    return QVariant(true);
}

QVariantList myQQuickView::getNameList(QVariant type)
{
    const QString key = nameListKey(type);
    if (key.isEmpty())
        return {};
    const QSettings file(QString::fromLatin1(kNameListFile), QSettings::IniFormat);
    return settingsList(file.value(key));
}
