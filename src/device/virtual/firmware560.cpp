// The 560 family: most settings live in the five 128-byte profile blocks; the
// report rate and the active DPI stage are kept per profile 1..4.
#include "device/virtual/firmware.h"

#include "device/commands/opcodes.h"

#include <algorithm>

using protocol::Block;
using namespace op560;

Firmware560::Firmware560() : VirtualFirmware({kSetKeyMatrix, kKeyMatrixLength, kSetMacroKey, kMacroLength}) {}

VirtualFirmware::Reply Firmware560::handle(const Block& b)
{
    FirmwareState& s = state;
    switch (b[0]) {
    case kSetKeyboardOption:
        s.keyboardOptions[0] = b[1];
        s.keyboardOptions[1] = b[2];
        return done();
    case kSetCurrentProfile:
        if (!inRange(b[1], 0, FirmwareState::kProfileCount - 1))
            return ignored();
        s.currentProfile = b[1];
        return done();
    case kSetReportRate:
        if (!inRange(b[1], kRepeatFirst, kRepeatLast))
            return ignored();
        s.reportRate[b[1]] = b[2];
        return done();
    case kSetCurrentDpi:
        if (!inRange(b[1], kRepeatFirst, kRepeatLast))
            return ignored();
        s.dpiStage[b[1]] = b[2];
        return done();
    case kSetProfile:
        if (!inRange(b[1], 0, FirmwareState::kProfileCount - 1) || b[2] != kProfileLength)
            return ignored();
        return expectPayload(kProfileLength);
    case kGetKeyboardOption:
        return answer(b[0], {s.keyboardOptions[0], s.keyboardOptions[1]});
    case kGetCurrentProfile:
        return answer(b[0], {s.currentProfile});
    case kGetCurrentDpi:
        if (!inRange(b[1], kRepeatFirst, kRepeatLast))
            return ignored();
        return answer(b[0], {b[1], s.dpiStage[b[1]]});
    case kReadProfile: {
        if (!inRange(b[1], 0, FirmwareState::kProfileCount - 1))
            return ignored();
        Reply r = answer(b[0], {b[1]});
        const auto& block = s.profileBlocks[b[1]];
        r.bulkIn.assign(block.begin(), block.end());
        return r;
    }
    default:
        return ignored();
    }
}

void Firmware560::storePayload(const Block& b, const std::vector<uint8_t>& payload)
{
    FirmwareState& s = state;
    switch (b[0]) {
    case kSetProfile:
        std::copy(payload.begin(), payload.end(), s.profileBlocks[b[1]].begin());
        break;
    default:
        break;
    }
}

void Firmware560::dpiButton(int stage)
{
    if (inRange(stage, 1, FirmwareState::kDpiStageCount)
        && inRange(state.currentProfile, kRepeatFirst, kRepeatLast))
        state.dpiStage[state.currentProfile] = static_cast<uint8_t>(stage);
}

bool Firmware560::notifiesDpiSwitch() const
{
    return (state.keyboardOptions[kNotifyOptionByte] & kNotifyOptionBit) != 0;
}
