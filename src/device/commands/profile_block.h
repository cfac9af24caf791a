#pragma once
// Layout of the 128-byte profile block of the 560 family. Block 0 holds the
// matrix mask and the colours of full-colour mice; blocks 1..4 hold the
// per-profile settings. Bytes not named here are carried unchanged.

#include <cstdint>

namespace profile_block {

constexpr int kSize = 128;
constexpr int kCount = 5;                 // blocks 0..4
constexpr int kFirstProfileBlock = 1;     // blocks 1..4 carry per-profile settings
constexpr int kLastProfileBlock = 4;

// --- block 0 ---
constexpr int kMatrixMask = 2;            // matrix enable mask
constexpr int kStageColorIndex = 16;      // 16..23: palette index 0..7 per DPI stage 1..8
constexpr int kStageColorIndexCount = 8;
constexpr int kColorSetA = 24;            // 24..47: 8 colours x (R, G, B)
constexpr int kColorSetB = 104;           // 104..127: 8 colours x (R, G, B)
constexpr int kColorSetLength = 24;

// --- blocks 1..4 ---
constexpr int kRecoilFlags = 65;
constexpr uint8_t kRecoilFlagBit = 0x04;  // cleared when recoil data is sent
constexpr int kEffect = 71;               // effect code
constexpr int kEffectOption1 = 72;
constexpr int kEffectOption2 = 73;
constexpr int kRecoilData = 78;           // 78: marker, 79..81: times, x, y
constexpr uint8_t kRecoilMarker = 0xF0;
constexpr int kRecoilTimes = 79;
constexpr int kRecoilX = 80;
constexpr int kRecoilY = 81;
constexpr int kNinthBitMask = 82;         // 82 and 83 hold the same mask
constexpr int kNinthBitMaskCopy = 83;
constexpr int kDpiCodes = 84;             // 84..91: DPI codes of stages 1..8
constexpr int kDpiCodesCopy = 92;         // 92..99: the same codes again
constexpr int kDpiCodeCount = 8;
constexpr int kStageEnableMask = 100;     // bit i set for stages 0..count-1

// --- block 1 only ---
constexpr int kSingleColorBlock = 1;
constexpr int kSingleColorSet = 104;      // 104..127: colours of mice without full-colour lighting

} // namespace profile_block
