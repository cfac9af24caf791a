#include "view/dpi_codes.h"

#include "view/settings_values.h"

#include <QDebug>
#include <QLatin1String>

namespace dpi_codes {
namespace {

struct Threshold {
    int upTo;
    uint8_t code;
};

// "3050": the first threshold the value does not exceed gives the code.
constexpr std::array<Threshold, 12> k3050Table{{
    {250, 0x01}, {500, 0x02}, {750, 0x03}, {1000, 0x04}, {1250, 0x05}, {1500, 0x06},
    {1750, 0x07}, {2000, 0x08}, {2500, 0x45}, {3000, 0x46}, {3500, 0x47}, {4000, 0x48},
}};

constexpr int k4090LowRangeMax = 5000;   // up to here steps of 100, above steps of 200
constexpr uint8_t k4090HighRangeFlag = 0x40;

uint8_t low8(int v) { return static_cast<uint8_t>(v & 0xFF); }

} // namespace

Sensor sensorFromText(const QString& sensorType)
{
    if (sensorType == QLatin1String("4090"))
        return Sensor::S4090;
    if (sensorType == QLatin1String("3360"))
        return Sensor::S3360;
    if (sensorType == QLatin1String("3050"))
        return Sensor::S3050;
    if (sensorType == QLatin1String("3389"))
        return Sensor::S3389;
    return Sensor::S4090;
}

uint8_t code(Sensor sensor, int dpi, bool* ninthBit)
{
    if (ninthBit)
        *ninthBit = false;
    switch (sensor) {
    case Sensor::S3360:
        return low8(dpi / 100 - 1);
    case Sensor::S3050:
        for (const Threshold& t : k3050Table)
            if (dpi <= t.upTo)
                return t.code;
        return 0;
    case Sensor::S3389:
        if (ninthBit)
            *ninthBit = dpi > kNinthBitAbove;
        return low8(dpi / 50);
    case Sensor::S4090:
        break;
    }
    if (dpi <= k4090LowRangeMax)
        return low8(dpi / 100 - 1);
    return low8((dpi / 200) | k4090HighRangeFlag);
}

StageCodes encodeStages(const QString& sensorType, const QVariantList& values)
{
    if (values.size() != kStageCount)
        qDebug() << "DPI list has" << values.size() << "values instead of" << kStageCount;
    const Sensor sensor = sensorFromText(sensorType);
    StageCodes out;
    for (int i = 0; i < kStageCount && i < values.size(); ++i) {
        bool ninth = false;
        out.codes[i] = code(sensor, settingsListInt(values, i), &ninth);
        if (ninth)
            out.ninthBitMask |= static_cast<uint8_t>(1u << i);
    }
    return out;
}

int clampedStageCount(int dpiCount)
{
    if (dpiCount < 0 || dpiCount > kStageCount) {
        qDebug() << "DPI stage count" << dpiCount << "is outside 0 ..." << kStageCount;
        return dpiCount < 0 ? 0 : kStageCount;
    }
    return dpiCount;
}

Codes withStagesOff(Codes codes, int dpiCount)
{
    for (int i = clampedStageCount(dpiCount); i < kStageCount; ++i)
        codes[i] = kStageOff;
    return codes;
}

uint8_t stageEnableMask(int dpiCount)
{
    const int count = clampedStageCount(dpiCount);
    return static_cast<uint8_t>((1u << count) - 1u);
}

} // namespace dpi_codes
