#include "view/light_effects.h"

#include <array>
#include <cstddef>

namespace light_effects {
namespace {

using StepTable = std::array<uint8_t, 5>;

constexpr StepTable kBrightness{0, 64, 128, 192, 255};
constexpr StepTable kS1{10, 7, 5, 3, 1};
constexpr StepTable kS2{20, 17, 15, 13, 11};
constexpr StepTable kS3{15, 13, 10, 7, 5};
constexpr StepTable kS4{30, 27, 24, 22, 20};
// Single-colour mouse
constexpr StepTable kSingleStaticLevel{1, 3, 5, 7, 10};
constexpr StepTable kSingleNeonSpeed{30, 24, 18, 12, 6};
constexpr uint8_t kSingleOption2 = 2;

uint8_t lookup(const StepTable& table, int step)
{
    if (step < 0 || step >= static_cast<int>(table.size()))
        return 0;
    return table[static_cast<std::size_t>(step)];
}

enum FullMode { Static, Breath, Neon, Off, Wave, Gliding, FingerMoving, VerticalFlipping, YoYo, Spotlight };

} // namespace

uint8_t brightnessLevel(int step) { return lookup(kBrightness, step); }
uint8_t speedS1(int step) { return lookup(kS1, step); }
uint8_t speedS2(int step) { return lookup(kS2, step); }
uint8_t speedS3(int step) { return lookup(kS3, step); }
uint8_t speedS4(int step) { return lookup(kS4, step); }

Effect fullColour(int mode, int speed, int brightness)
{
    const uint8_t level = brightnessLevel(brightness);
    switch (mode) {
    case Static:           return {1, level, 0};
    case Breath:           return {3, 0, speedS1(speed)};
    case Neon:             return {4, 0, speedS1(speed)};
    case Off:              return {0, 0, 0};
    case Wave:             return {5, level, speedS1(speed)};
    case Gliding:          return {6, 0, 0};
    case FingerMoving:     return {7, level, 0};
    case VerticalFlipping: return {8, level, speedS2(speed)};
    case YoYo:             return {9, level, speedS3(speed)};
    case Spotlight:        return {10, level, speedS4(speed)};
    default:               return {0, 0, 0};
    }
}

Effect singleColour(int mode, int speed, int brightness)
{
    switch (mode) {
    case 0:  return {1, lookup(kSingleStaticLevel, brightness), kSingleOption2};
    case 1:  return {2, static_cast<uint8_t>((speed + 1) & 0xFF), kSingleOption2};
    case 2:  return {3, lookup(kSingleNeonSpeed, speed), kSingleOption2};
    default: return {0, 0, kSingleOption2};
    }
}

} // namespace light_effects
