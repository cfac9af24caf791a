#include "device/virtual/firmware.h"

#include "device/commands/opcodes.h"

#include <algorithm>

namespace {
constexpr uint8_t kFactoryMarker = 0xC0;   // byte 0 of a factory profile block: 0xC0 | block number
constexpr uint8_t kFactoryReportRate = 4;  // 250 Hz
constexpr uint8_t kFactoryDpiStage = 3;
constexpr std::array<uint8_t, 4> kFactoryKeyboardOptions = {0x05, 0x10, 0x00, 0x02};
constexpr uint8_t kFactoryDpiCount = 4;
}

std::array<uint8_t, FirmwareState::kProfileBlockSize> FirmwareState::factoryProfileBlock(int profile)
{
    std::array<uint8_t, kProfileBlockSize> block{};
    for (int i = 0; i < kProfileBlockSize; ++i)
        block[i] = static_cast<uint8_t>((profile + 1) * 0x1D + i * 3);
    block[0] = static_cast<uint8_t>(kFactoryMarker | (profile & 0x0F));
    return block;
}

FirmwareState FirmwareState::factory()
{
    FirmwareState s;
    s.reportRate.fill(kFactoryReportRate);
    s.dpiStage.fill(kFactoryDpiStage);
    s.keyboardOptions = kFactoryKeyboardOptions;
    for (int m = 0; m < kKeyMatrixCount; ++m)
        for (int i = 0; i < kKeyMatrixSize; ++i)
            s.keyMatrices[m][i] = static_cast<uint8_t>(0x80 + m * 0x10 + i);
    for (int m = 0; m < kMacroCount; ++m)
        for (int i = 0; i < kMacroSize; ++i)
            s.macros[m][i] = static_cast<uint8_t>(0xE0 ^ (m * 13 + i));
    s.dpiCount = kFactoryDpiCount;
    for (int i = 0; i < kDpiStageCount; ++i)
        s.dpiSet[i] = static_cast<uint8_t>(0x10 * (i + 1));
    for (int t = 0; t < kColorTypes; ++t)
        for (int i = 0; i < kColorBytes; ++i)
            s.stageColors[t][i] = static_cast<uint8_t>(0x40 + t * 0x20 + i);
    for (int p = 0; p < kProfileCount; ++p)
        s.profileBlocks[p] = factoryProfileBlock(p);
    return s;
}

VirtualFirmware::VirtualFirmware(const NumberedPayloads& n) : state(FirmwareState::factory()), numberedPayloads(n) {}

std::unique_ptr<VirtualFirmware> VirtualFirmware::create(VirtualMouse::Family family)
{
    if (family == VirtualMouse::Family::F560)
        return std::make_unique<Firmware560>();
    return std::make_unique<Firmware553>();
}

VirtualFirmware::Reply VirtualFirmware::takeBlock(const protocol::Block& block)
{
    // The connection check is the same on both families: echo the challenge.
    if (block[0] == op553::kGetSecrecyCode)
        return answer(block[0], {block[1], block[2], block[3], block[4]});
    if (const std::optional<Numbered> n = numbered(block)) {
        if (!n->buffer || block[2] != n->length)
            return ignored();
        return expectPayload(n->length);
    }
    return handle(block);
}

void VirtualFirmware::takePayload(const protocol::Block& block, const std::vector<uint8_t>& payload)
{
    if (const std::optional<Numbered> n = numbered(block)) {
        if (n->buffer)
            std::copy_n(payload.begin(), std::min<size_t>(payload.size(), size_t(n->length)), n->buffer);
        return;
    }
    storePayload(block, payload);
}

std::optional<VirtualFirmware::Numbered> VirtualFirmware::numbered(const protocol::Block& block)
{
    const int number = block[1];
    if (block[0] == numberedPayloads.keyMatrixOpcode) {
        uint8_t* buffer = inRange(number, 1, FirmwareState::kKeyMatrixCount) ? state.keyMatrices[number - 1].data() : nullptr;
        return Numbered{buffer, numberedPayloads.keyMatrixLength};
    }
    if (block[0] == numberedPayloads.macroOpcode) {
        uint8_t* buffer = inRange(number, 1, FirmwareState::kMacroCount) ? state.macros[number - 1].data() : nullptr;
        return Numbered{buffer, numberedPayloads.macroLength};
    }
    return std::nullopt;
}

VirtualFirmware::Reply VirtualFirmware::answer(uint8_t opcode, std::initializer_list<uint8_t> values)
{
    Reply r;
    r.accepted = true;
    r.answer = protocol::makeBlock(opcode, values);
    return r;
}
