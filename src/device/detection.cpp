#include "device/detection.h"

#include "device/device_table.h"
#include "device/hid_thread.h"

#include <QDebug>

namespace detection {

void findInterfaces(const QList<DeviceRecord*>& table, HidBackend& backend)
{
    for (DeviceRecord* rec : table) {
        rec->commandPath.clear();
        rec->notifyPath.clear();
        if (!rec->reportLengthValid()) {
            qDebug() << "device table entry" << Qt::hex << rec->vid << rec->pid << Qt::dec
                     << "has reportLength" << rec->reportLength << "; treated as not present";
            continue;
        }
        const std::vector<HidDeviceInfo> found = backend.enumerate(rec->vid, rec->pid);
        for (const HidDeviceInfo& info : found) {
            if (info.usagePage == rec->usagePage && info.usage == rec->usage)
                rec->commandPath = QString::fromLocal8Bit(info.path.c_str());
            if (info.usagePage == rec->usagePage2 && info.usage == rec->usage2)
                rec->notifyPath = QString::fromLocal8Bit(info.path.c_str());
        }
    }
}

int detect(Hid_Thread& link, const QString& apConfigPath)
{
    // A running command works on the records of the table.
    if (link.commandRunning())
        return kLinkBusy;
    const QList<DeviceRecord*> table = device_table::load(apConfigPath);
    findInterfaces(table, hidBackend());
    link.replaceDeviceTable(table);
    for (int j = 0; j < link.deviceTable.size(); ++j) {
        if (link.deviceTable.at(j)->commandPath.isEmpty())
            continue;
        const int refusedBefore = link.linkRefusals();
        if (link.chkDeviceIsEnCode(j))
            return j;
        // A check that was never sent says nothing about the mouse.
        if (link.linkRefusals() != refusedBefore)
            return kLinkBusy;
    }
    // No entry passed: commands go nowhere rather than to a mouse that failed its check.
    link.currentDevice = -1;
    return -1;
}

} // namespace detection
