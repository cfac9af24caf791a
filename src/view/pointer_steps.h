#pragma once
// The system page's steps → the desktop pointer values. Pure functions.

#include <cstdint>

namespace pointer_steps {

constexpr unsigned kMaxStep = 10;
constexpr int kSpeedPerStep = 2;            // the Windows pointer speed scale 1..20
constexpr int kMinSpeed = 1;
constexpr int kDoubleClickSlowestMs = 900;  // step 0
constexpr int kDoubleClickPerStepMs = 70;   // ... down to 200 ms at step 10
constexpr int kDefaultSpeed = 10;           // the scale's middle, the desktops' default

// Step 0..10 → 2 × step, or 1 for step 0. Steps above 10 count as 10 (debug line).
int cursorSpeed(unsigned step);
// Step 0..10 → 900 − 70 × step ms. Steps above 10 count as 10 (debug line).
int doubleClickMs(unsigned step);
// Lines per wheel notch pass unchanged (1000 scrolls one screen); values beyond
// the int range are capped.
int scrollLines(unsigned lines);

// Pointer speed 1..20 → a desktop acceleration in −1..1, the default speed 10 at 0.
double accelerationForSpeed(int speed);

} // namespace pointer_steps
