#pragma once
// The output feature report of one command: report ID 0, then the block.

#include "device/protocol.h"

#include <algorithm>
#include <array>
#include <initializer_list>

namespace command_frame {

constexpr uint8_t kReportId = 0x00;

// Stores report ID 0 and the block (checksum added) in a feature report.
inline void stage(std::array<uint8_t, protocol::kFeatureReportSize>& report, uint8_t opcode,
                  std::initializer_list<uint8_t> params)
{
    const protocol::Block block = protocol::makeBlock(opcode, params);
    report[0] = kReportId;
    std::copy(block.begin(), block.end(), report.begin() + 1);
}

} // namespace command_frame
