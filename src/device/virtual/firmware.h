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

    virtual ~VirtualFirmware() = default;

    static std::unique_ptr<VirtualFirmware> create(VirtualMouse::Family family);

    // A block that passed the checksum check.
    Reply takeBlock(const protocol::Block& block);
    // The whole payload that the block announced has arrived.
    void takePayload(const protocol::Block& block, const std::vector<uint8_t>& payload);
    // The user pressed the DPI button; stage is counted from 1.
    virtual void dpiButton(int stage) = 0;
    // The host has told the mouse to send DPI-switch notifications.
    virtual bool notifiesDpiSwitch() const = 0;

    FirmwareState state;

protected:
    // The payload commands both families have: key matrix n (1..4) and macro n
    // (1..12), numbered in byte 1, with the payload length in byte 2.
    struct NumberedPayloads {
        uint8_t keyMatrixOpcode;
        int keyMatrixLength;
        uint8_t macroOpcode;
        int macroLength;
    };
    explicit VirtualFirmware(const NumberedPayloads& numbered);

    virtual Reply handle(const protocol::Block& block) = 0;
    // The family's own payloads (the numbered ones are stored before this is asked).
    virtual void storePayload(const protocol::Block& block, const std::vector<uint8_t>& payload) = 0;

    // Helpers for the families' command tables.
    static Reply ignored() { return {}; }
    static Reply done() { Reply r; r.accepted = true; return r; }
    static Reply expectPayload(int length) { Reply r; r.accepted = true; r.payloadLength = length; return r; }
    static Reply answer(uint8_t opcode, std::initializer_list<uint8_t> values);
    static bool inRange(int value, int low, int high) { return value >= low && value <= high; }

private:
    // Where a numbered payload block writes and how long its payload is; nullopt
    // when the block is not one of them.
    struct Numbered {
        uint8_t* buffer;   // nullptr: the number is out of range
        int length;
    };
    std::optional<Numbered> numbered(const protocol::Block& block);
    const NumberedPayloads numberedPayloads;
};

// The two families, side by side.
class Firmware553 : public VirtualFirmware
{
public:
    Firmware553();
    void dpiButton(int stage) override;
    bool notifiesDpiSwitch() const override;
protected:
    Reply handle(const protocol::Block& block) override;
    void storePayload(const protocol::Block& block, const std::vector<uint8_t>& payload) override;
};

class Firmware560 : public VirtualFirmware
{
public:
    Firmware560();
    void dpiButton(int stage) override;
    bool notifiesDpiSwitch() const override;
protected:
    Reply handle(const protocol::Block& block) override;
    void storePayload(const protocol::Block& block, const std::vector<uint8_t>& payload) override;
};
