#pragma once
// Lighting choices of the scene (mode, speed step, brightness step) → the three
// effect bytes of the firmware. Pure functions.

#include <cstdint>

namespace light_effects {

// The single-colour mouse of the 560 family without recoil functions takes this
// second option in profile block 1 instead of the table's 2.
constexpr uint8_t kSingleColourBlock1Option2 = 3;

struct Effect {
    uint8_t code = 0;
    uint8_t a = 0;   // option 1
    uint8_t b = 0;   // option 2
    bool operator==(const Effect&) const = default;
};

// L(b): 1..4 → 64, 128, 192, 255; anything else 0.
uint8_t brightnessLevel(int step);

// The speed tables S1..S4, indexed by step 0..4; steps above 4 give 0.
uint8_t speedS1(int step);
uint8_t speedS2(int step);
uint8_t speedS3(int step);
uint8_t speedS4(int step);

Effect fullColour(int mode, int speed, int brightness);
Effect singleColour(int mode, int speed, int brightness);
inline Effect encode(bool colourful, int mode, int speed, int brightness)
{
    return colourful ? fullColour(mode, speed, brightness) : singleColour(mode, speed, brightness);
}

} // namespace light_effects
