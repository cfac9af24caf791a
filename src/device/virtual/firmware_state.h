#pragma once
// Everything the emulated firmware keeps, as plain data that tests and script
// mode can read. One shape for both families; each family uses its own fields.

#include <array>
#include <cstdint>

struct FirmwareState {
    static constexpr int kProfileCount = 5;      // profile records 0..4
    static constexpr int kProfileBlockSize = 128;
    static constexpr int kKeyMatrixCount = 4;    // matrices 1..4
    static constexpr int kKeyMatrixSize = 128;   // 553 fills the first 64 bytes, 560 all 128
    static constexpr int kMacroCount = 12;       // macros 1..12
    static constexpr int kMacroSize = 128;
    static constexpr int kGunSlotCount = 3;      // gun slots 1..3
    static constexpr int kDpiStageCount = 8;
    static constexpr int kColorTypes = 3;        // 553 stage colours: types 0, 1, 2
    static constexpr int kColorBytes = 24;

    struct GunSlot {
        uint8_t times = 0;
        uint8_t x = 0;
        uint8_t y = 0;
        bool operator==(const GunSlot&) const = default;
    };

    // Report rate code and active DPI stage (counted from 1): the 553 family keeps
    // one value at index 0, the 560 family one per profile 1..4.
    std::array<uint8_t, kProfileCount> reportRate{};
    std::array<uint8_t, kProfileCount> dpiStage{};
    // Keyboard option bytes (the 560 family uses the first two).
    std::array<uint8_t, 4> keyboardOptions{};
    // Key matrices 1..4 at index 0..3, and the active one (553).
    std::array<std::array<uint8_t, kKeyMatrixSize>, kKeyMatrixCount> keyMatrices{};
    uint8_t activeKeyMatrix = 1;
    // Macros 1..12 at index 0..11.
    std::array<std::array<uint8_t, kMacroSize>, kMacroCount> macros{};
    // DPI set (553): stage count and eight stage codes.
    uint8_t dpiCount = 0;
    std::array<uint8_t, kDpiStageCount> dpiSet{};
    // Lighting (553): effect and its options, colours per type.
    uint8_t ledEffect = 0;
    uint8_t ledOption1 = 0;
    uint8_t ledOption2 = 0;
    std::array<std::array<uint8_t, kColorBytes>, kColorTypes> stageColors{};
    // Recoil data of gun slots 1..3 at index 0..2 (553).
    std::array<GunSlot, kGunSlotCount> gunSlots{};
    // Profile blocks 0..4 and the current profile (560).
    std::array<std::array<uint8_t, kProfileBlockSize>, kProfileCount> profileBlocks{};
    uint8_t currentProfile = 1;

    bool operator==(const FirmwareState&) const = default;

    // The state of a mouse fresh from the factory: every buffer holds a fixed,
    // recognisable pattern so that reads and partial writes can be told apart.
    static FirmwareState factory();
    static std::array<uint8_t, kProfileBlockSize> factoryProfileBlock(int profile);
};
