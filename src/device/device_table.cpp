#include "device/device_table.h"

#include <QDebug>
#include <QFileInfo>
#include <QSettings>

namespace device_table {

std::optional<uint16_t> parseHex16(const QString& text)
{
    bool ok = false;
    const uint v = text.trimmed().toUInt(&ok, 16);
    if (!ok || v > 0xFFFF)
        return std::nullopt;
    return static_cast<uint16_t>(v);
}

std::optional<int32_t> parseHex32(const QString& text)
{
    const QString t = text.trimmed();
    bool ok = false;
    // Written as a signed number ("-1") or as 32 bits of hex ("ffffffff").
    const int v = t.toInt(&ok, 16);
    if (ok)
        return v;
    const uint u = t.toUInt(&ok, 16);
    if (ok)
        return static_cast<int32_t>(u);
    return std::nullopt;
}

namespace {

QString text(const QSettings& s, const QString& key)
{
    const QVariant v = s.value(key);
    // A value with a comma comes back as a list; it is not a valid entry.
    if (v.typeId() == QMetaType::QStringList)
        return v.toStringList().join(QLatin1Char(','));
    return v.toString();
}

void readHex16(const QSettings& s, const QString& key, uint16_t& field)
{
    if (!s.contains(key))
        return;
    const QString t = text(s, key);
    if (const auto v = parseHex16(t))
        field = *v;
    else
        qDebug() << "device table:" << key << "=" << t << "is not a 16-bit hexadecimal number; using" << field;
}

DeviceRecord* readEntry(const QSettings& s, int i)
{
    auto* rec = new DeviceRecord;
    const QString g = QString::number(i) + QLatin1Char('/');
    const QString typeKey = g + QLatin1String("type");
    if (s.contains(typeKey)) {
        const QString t = text(s, typeKey);
        if (const auto v = parseHex32(t))
            rec->type = *v;
        else
            qDebug() << "device table:" << typeKey << "=" << t << "is not hexadecimal";
    }
    readHex16(s, g + QLatin1String("vid"), rec->vid);
    readHex16(s, g + QLatin1String("pid"), rec->pid);
    readHex16(s, g + QLatin1String("usagePage"), rec->usagePage);
    readHex16(s, g + QLatin1String("usage"), rec->usage);
    readHex16(s, g + QLatin1String("usagePage2"), rec->usagePage2);
    readHex16(s, g + QLatin1String("usage2"), rec->usage2);
    const QString lengthKey = g + QLatin1String("reportLength");
    if (s.contains(lengthKey)) {
        bool ok = false;
        const int len = text(s, lengthKey).trimmed().toInt(&ok, 10);
        if (ok)
            rec->reportLength = len;
        else
            qDebug() << "device table:" << lengthKey << "is not a number; using" << rec->reportLength;
    }
    rec->isEncode = s.value(g + QLatin1String("isEncode"), false).toBool();
    const QString codeKey = g + QLatin1String("sCode");
    if (s.contains(codeKey))
        rec->sCode = text(s, codeKey);
    rec->commandPath.clear();
    rec->notifyPath.clear();
    return rec;
}

} // namespace

QList<DeviceRecord*> load(const QString& apConfigPath)
{
    QList<DeviceRecord*> table;
    if (!QFileInfo::exists(apConfigPath))
        return table;
    QSettings s(apConfigPath, QSettings::IniFormat);
    if (s.status() != QSettings::NoError) {
        qDebug() << "device table:" << apConfigPath << "cannot be read";
        return table;
    }
    bool ok = false;
    int count = s.value(QStringLiteral("common/deviceCount"), 0).toInt(&ok);
    if (!ok || count < 0) {
        if (s.contains(QStringLiteral("common/deviceCount")))
            qDebug() << "device table: deviceCount is not a count; no entries";
        count = 0;
    }
    if (count > kMaxEntries) {
        qDebug() << "device table: deviceCount" << count << "is more than" << kMaxEntries << "; the rest is not read";
        count = kMaxEntries;
    }
    for (int i = 0; i < count; ++i)
        table.append(readEntry(s, i));
    return table;
}

} // namespace device_table
