#pragma once
// The opcodes and payload sizes of both firmware families, named once. The
// command slots of the link and the emulated firmware both use them.

#include <cstdint>

namespace op553 {
constexpr uint8_t kGetSecrecyCode = 0x00;     // the connection check, used for every family
constexpr uint8_t kSetReportRate = 0x01;
constexpr uint8_t kSetCurrentKeyMatrix = 0x02;
constexpr uint8_t kSetKeyboardOption = 0x03;
constexpr uint8_t kSetGunData = 0x04;
constexpr uint8_t kSetCurrentDpi = 0x0B;
constexpr uint8_t kSetRgbLedEffect = 0x0D;
constexpr uint8_t kSetLed8StageColor = 0x10;
constexpr uint8_t kSetDpiSet = 0x11;
constexpr uint8_t kSetKeyMatrix = 0x12;
constexpr uint8_t kSetMacroKey = 0x13;
constexpr uint8_t kGetKeyboardOption = 0x83;
constexpr uint8_t kGetCurrentDpi = 0x8B;

constexpr uint8_t kStageColorIndexType = 2;   // 10H type whose payload is 4 bytes
constexpr int kStageColorIndexLength = 4;
constexpr int kStageColorSetLength = 24;
constexpr int kDpiSetLength = 8;
constexpr int kKeyMatrixLength = 64;
constexpr uint8_t kKeyMatrixFlag = 0x08;      // cmd[3] of 12H
constexpr int kMacroLength = 128;
// The option bit that makes the mouse send DPI-switch notifications.
constexpr int kNotifyOptionByte = 3;          // fourth keyboard-option byte
constexpr uint8_t kNotifyOptionBit = 0x40;
} // namespace op553

namespace op560 {
constexpr uint8_t kSetKeyboardOption = 0x01;
constexpr uint8_t kSetCurrentProfile = 0x02;
constexpr uint8_t kSetReportRate = 0x03;
constexpr uint8_t kSetCurrentDpi = 0x04;
constexpr uint8_t kSetProfile = 0x0C;
constexpr uint8_t kSetKeyMatrix = 0x0D;
constexpr uint8_t kSetMacroKey = 0x0F;
constexpr uint8_t kGetKeyboardOption = 0x81;
constexpr uint8_t kGetCurrentProfile = 0x82;
constexpr uint8_t kGetCurrentDpi = 0x84;
constexpr uint8_t kReadProfile = 0x8C;

constexpr int kProfileLength = 128;
constexpr int kKeyMatrixSourceLength = 64;    // 0DH: 64 key bytes ...
constexpr int kKeyMatrixLength = 128;         // ... padded with zeros to 128 on the wire
constexpr int kMacroLength = 128;
constexpr int kRepeatFirst = 1;               // 03H/04H go to profiles 1..4
constexpr int kRepeatLast = 4;
constexpr int kNotifyOptionByte = 0;          // first keyboard-option byte
constexpr uint8_t kNotifyOptionBit = 0x08;
} // namespace op560
