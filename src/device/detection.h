#pragma once
// Detection: finds the two interfaces of every device-table entry among the HID
// collections, hands the table to the link and runs the connection check on the
// present entries in table order.

#include "device/device_record.h"
#include "device/hid_backend.h"

#include <QList>
#include <QString>

class Hid_Thread;

namespace detection {

// Fills commandPath / notifyPath of every record from the enumeration (a later
// matching collection replaces an earlier one). A record whose reportLength is
// outside 1..512 is not looked for and stays not present.
void findInterfaces(const QList<DeviceRecord*>& table, HidBackend& backend);

// The link was busy: nothing was decided, detection has to run again later.
constexpr int kLinkBusy = -2;

// Reads the table from apConfigPath, finds the interfaces, replaces the link's
// table and checks the present entries. Returns the index of the first entry that
// passed the connection check (now the link's currentDevice), -1 when none did
// (the link's currentDevice is then -1 too, so no command reaches a failed mouse),
// or kLinkBusy when a command runs (the table is then left alone) or a check
// was refused because the link stayed taken.
int detect(Hid_Thread& link, const QString& apConfigPath);

} // namespace detection
