#pragma once
// A view linked to a virtual mouse through the wire log, on a scratch install
// whose apConfig.bin carries the model flags. Button n of the factory key matrix
// in p1.bin is recognisable: (1, n, 0xF0 + n, 7 for button 15 else 0).
#include "test_support.h"
#include "wire_log_reader.h"

#include "device/hid_thread.h"
#include "device/virtual/firmware_state.h"
#include "device/virtual/virtual_mouse.h"
#include "device/wire_log.h"
#include "view/myqquickview.h"

#include <QByteArray>
#include <QList>
#include <QVariantList>
#include <array>
#include <memory>

struct RigModel {
    VirtualMouse::Family family = VirtualMouse::Family::F553;
    bool isGun = false;
    bool isColorful = true;
    bool isEncode = false;   // plain blocks in the log unless scrambling is under test
};

// One command on the command interface: the 8-byte block (unscrambled) and the
// payload of the bulk output reports that followed it (report IDs removed).
struct SentCommand {
    QByteArray block;
    QByteArray payload;
};

class LinkRig
{
public:
    explicit LinkRig(const RigModel& model);
    ~LinkRig();

    // The blocks the connection reads (0 and 1, 2..4 with recoil functions); the log starts afresh.
    void readBlocks();
    void clearLog();
    QList<WireLogEntry> wire() const { return readWireLog(logPath); }
    QList<SentCommand> sent() const;
    QList<QByteArray> blocks() const;
    FirmwareState state() const { return mouse->state(); }

    static QVariantList factoryEntry(int n);
    static QByteArray factoryMatrixBytes();

    ScratchInstall install;
    std::unique_ptr<VirtualMouse> mouse;
    std::unique_ptr<WireLog> log;
    QString logPath;
    Hid_Thread link;
    std::unique_ptr<myQQuickView> view;
};

// A block from its first seven bytes in hex, the checksum appended.
QByteArray blockHex(const char* first7);

template <size_t N>
QByteArray bytesOf(const std::array<uint8_t, N>& a, int from = 0, int count = int(N))
{
    return QByteArray(reinterpret_cast<const char*>(a.data()) + from, count);
}
