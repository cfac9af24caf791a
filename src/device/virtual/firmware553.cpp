// The 553 family: settings are kept as separate values, one command each.
#include "device/virtual/firmware.h"

#include "device/commands/opcodes.h"

#include <algorithm>

using protocol::Block;
using namespace op553;

Firmware553::Firmware553() : VirtualFirmware({kSetKeyMatrix, kKeyMatrixLength, kSetMacroKey, kMacroLength}) {}

VirtualFirmware::Reply Firmware553::handle(const Block& b)
{
    FirmwareState& s = state;
    switch (b[0]) {
    case kSetReportRate:
        s.reportRate[0] = b[1];
        return done();
    case kSetCurrentKeyMatrix:
        if (!inRange(b[1], 1, FirmwareState::kKeyMatrixCount))
            return ignored();
        s.activeKeyMatrix = b[1];
        return done();
    case kSetKeyboardOption:
        std::copy(b.begin() + 1, b.begin() + 5, s.keyboardOptions.begin());
        return done();
    case kSetGunData:   // 04 00 times x y slot 00
        if (!inRange(b[5], 1, FirmwareState::kGunSlotCount))
            return ignored();
        s.gunSlots[b[5] - 1] = {b[2], b[3], b[4]};
        return done();
    case kSetCurrentDpi:
        s.dpiStage[0] = b[1];
        return done();
    case kSetRgbLedEffect:
        s.ledEffect = b[1];
        s.ledOption1 = b[2];
        s.ledOption2 = b[3];
        return done();
    case kSetLed8StageColor: {
        if (!inRange(b[1], 0, FirmwareState::kColorTypes - 1))
            return ignored();
        const int expected = b[1] == kStageColorIndexType ? kStageColorIndexLength : kStageColorSetLength;
        if (b[2] != expected)
            return ignored();
        return expectPayload(expected);
    }
    case kSetDpiSet:
        if (b[2] != kDpiSetLength)
            return ignored();
        return expectPayload(kDpiSetLength);
    case kGetKeyboardOption:
        return answer(b[0], {s.keyboardOptions[0], s.keyboardOptions[1], s.keyboardOptions[2],
                             s.keyboardOptions[3]});
    case kGetCurrentDpi:
        return answer(b[0], {s.dpiStage[0]});
    default:
        return ignored();
    }
}

void Firmware553::storePayload(const Block& b, const std::vector<uint8_t>& payload)
{
    FirmwareState& s = state;
    switch (b[0]) {
    case kSetLed8StageColor:
        std::copy(payload.begin(), payload.end(), s.stageColors[b[1]].begin());
        break;
    case kSetDpiSet:
        s.dpiCount = b[1];
        std::copy(payload.begin(), payload.end(), s.dpiSet.begin());
        break;
    default:
        break;
    }
}

void Firmware553::dpiButton(int stage)
{
    if (inRange(stage, 1, FirmwareState::kDpiStageCount))
        state.dpiStage[0] = static_cast<uint8_t>(stage);
}

bool Firmware553::notifiesDpiSwitch() const
{
    return (state.keyboardOptions[kNotifyOptionByte] & kNotifyOptionBit) != 0;
}
