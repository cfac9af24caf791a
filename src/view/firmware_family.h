#pragma once
// The firmware family a view operation talks to: "560" when mouse/icType is
// exactly that text, the "553" family for every other value.

#include <QLatin1String>
#include <QString>

enum class FirmwareFamily { F553, F560 };

inline FirmwareFamily firmwareFamily(const QString& icType)
{
    return icType == QLatin1String("560") ? FirmwareFamily::F560 : FirmwareFamily::F553;
}
