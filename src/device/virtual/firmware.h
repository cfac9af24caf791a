#pragma once
// The emulated firmware of one family behind a common shape. The virtual mouse
// hands it plain, checksum-checked command blocks and completed payloads; the
// firmware changes its state and says what the mouse answers.

#include "device/protocol.h"
#include "device/virtual/firmware_state.h"
#include "device/virtual/virtual_mouse.h"

#include <memory>
#include <optional>
#include <vector>

class VirtualFirmware
{
public:
    // How the firmware takes one block.
    struct Reply {
        bool accepted = false;                 // false: unknown opcode or bad parameter, ignored
        std::optional<protocol::Block> answer; // the answer block of a query (plain)
        int payloadLength = 0;                 // bulk output bytes the block announces
        std::vector<uint8_t> bulkIn;           // bytes served as bulk input reports
    };

    VirtualFirmware();
    virtual ~VirtualFirmware() = default;

    static std::unique_ptr<VirtualFirmware> create(VirtualMouse::Family family);

    // A block that passed the checksum check.
    Reply takeBlock(const protocol::Block& block);
    // The whole payload that the block announced has arrived.
    virtual void takePayload(const protocol::Block& block, const std::vector<uint8_t>& payload) = 0;
    // The user pressed the DPI button; stage is counted from 1.
    virtual void dpiButton(int stage) = 0;

    FirmwareState state;

protected:
    virtual Reply handle(const protocol::Block& block) = 0;

    // Helpers for the families' command tables.
    static Reply ignored() { return {}; }
    static Reply done() { Reply r; r.accepted = true; return r; }
    static Reply expectPayload(int length) { Reply r; r.accepted = true; r.payloadLength = length; return r; }
    static Reply answer(uint8_t opcode, std::initializer_list<uint8_t> values);
    static bool inRange(int value, int low, int high) { return value >= low && value <= high; }
};

// The two families, side by side.
class Firmware553 : public VirtualFirmware
{
public:
    void takePayload(const protocol::Block& block, const std::vector<uint8_t>& payload) override;
    void dpiButton(int stage) override;
protected:
    Reply handle(const protocol::Block& block) override;
};

class Firmware560 : public VirtualFirmware
{
public:
    void takePayload(const protocol::Block& block, const std::vector<uint8_t>& payload) override;
    void dpiButton(int stage) override;
protected:
    Reply handle(const protocol::Block& block) override;
};
