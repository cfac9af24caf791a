#include "view/settings_values.h"

#include <QStringList>

QVariantList settingsList(const QVariant& value)
{
    if (!value.isValid() || value.isNull())
        return {};
    const int type = value.typeId();
    if (type == QMetaType::QVariantList)
        return value.toList();
    if (type == QMetaType::QStringList) {
        QVariantList out;
        for (const QString& s : value.toStringList())
            out.append(s);
        return out;
    }
    return {value};
}

int settingsListInt(const QVariantList& list, int i)
{
    if (i < 0 || i >= list.size())
        return 0;
    bool ok = false;
    const int v = list[i].toInt(&ok);
    return ok ? v : 0;
}
