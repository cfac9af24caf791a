#pragma once
// Key entries as the scene edits them → device key entries, and the gun key
// matrices built from the factory matrix. Pure functions: no settings, no device.

#include "view/firmware_family.h"

#include <QVariantList>
#include <array>
#include <cstdint>
#include <optional>

namespace key_translation {

constexpr int kEntrySize = 4;
constexpr int kButtonCount = 16;
constexpr int kMatrixSize = kEntrySize * kButtonCount;   // 64
constexpr int kEditableButtons = 8;                      // entries 0..7 get the full translation
constexpr int kGunSlots = 3;

// Device entry types the translation and the gun matrices produce.
namespace device_type {
constexpr uint8_t Keyboard = 0x00;
constexpr uint8_t MouseButton = 0x01;
constexpr uint8_t Media = 0x03;
constexpr uint8_t Reserved = 0x04;
constexpr uint8_t Dpi = 0x07;
constexpr uint8_t Gun = 0x08;
constexpr uint8_t Macro = 0x09;
constexpr uint8_t Fire = 0x0A;
constexpr uint8_t Special = 0x0B;   // sniper; 560 gun fire of the left button
}

// Key entry types of the scene's encoding.
namespace key_type {
constexpr uint8_t MouseButton = 0;
constexpr uint8_t Fire = 1;
constexpr uint8_t Combination = 2;
constexpr uint8_t Media = 3;
constexpr uint8_t Macro = 4;
constexpr uint8_t Dpi = 5;
constexpr uint8_t WindowsFunction = 6;
constexpr uint8_t Shortcut = 7;
constexpr uint8_t Gun = 8;
constexpr uint8_t Reserved = 0xFF;
}

using Entry = std::array<uint8_t, kEntrySize>;
using Matrix = std::array<uint8_t, kMatrixSize>;

Entry entryAt(const Matrix& m, int button);
void setEntry(Matrix& m, int button, const Entry& e);

// 64 list values → 64 bytes, each the value as an integer truncated to 8 bits.
// Missing values read as 0.
Matrix matrixFromList(const QVariantList& values);

// Matrix from 16 stored entries (lists of four integers, already in device
// encoding); missing entries and missing places read as 0.
Matrix matrixFromEntries(const std::array<QVariantList, kButtonCount>& entries);

// One entry: buttons 0..7 get the whole table, buttons 8..15 only 0xFF → 4.
Entry translateEntry(const Entry& keyEntry, int button);
Matrix translateMatrix(const Matrix& keyEntries);

bool hasGunButton(const Matrix& translated);

struct GunMatrices {
    Matrix user{};   // U, with the gun buttons' bytes adjusted
    Matrix g2{}, g3{}, g4{};
    std::optional<uint8_t> enableMask;   // 560 family: the matrix enable mask, when a gun button set one
};

// Builds the three gun matrices from the factory matrix: every gun button (type 8
// in the translated user matrix) gets its cycle bytes, then the left button of
// G2..G4 becomes the fire function with the period of its gun slot.
GunMatrices buildGunMatrices(FirmwareFamily family, const Matrix& translatedUser, const Matrix& factory,
                             const std::array<uint8_t, kGunSlots>& periods);

} // namespace key_translation
