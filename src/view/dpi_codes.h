#pragma once
// DPI stage values → the one-byte codes the firmware takes, per sensor.
// Pure functions: no settings, no device.

#include <QString>
#include <QVariantList>
#include <array>
#include <cstdint>

namespace dpi_codes {

constexpr int kStageCount = 8;
constexpr uint8_t kStageOff = 0x80;          // 553 family: a stage beyond the active count
constexpr int kNinthBitAbove = 12799;        // "3389": values above this set the stage's ninth bit

using Codes = std::array<uint8_t, kStageCount>;

enum class Sensor { S4090, S3360, S3050, S3389 };

// Exact comparison with "4090", "3360", "3050", "3389"; any other text is a "4090".
Sensor sensorFromText(const QString& sensorType);

// The code of one stage value (low 8 bits). ninthBit (optional) is set for a
// "3389" value above 12799 and cleared otherwise.
uint8_t code(Sensor sensor, int dpi, bool* ninthBit = nullptr);

struct StageCodes {
    Codes codes{};
    uint8_t ninthBitMask = 0;   // bit i for stage i; only "3389" sets bits
};

// Encodes the eight stage values of a list. Missing stages (a list shorter than 8)
// encode as 0; elements past the eighth are ignored.
StageCodes encodeStages(const QString& sensorType, const QVariantList& values);

// The stage count limited to 0..8.
int clampedStageCount(int dpiCount);

// 553 family: every stage i >= count becomes kStageOff.
Codes withStagesOff(Codes codes, int dpiCount);

// 560 family: bits 0..count-1 set.
uint8_t stageEnableMask(int dpiCount);

} // namespace dpi_codes
