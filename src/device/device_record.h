#pragma once
#include <QString>
#include <cstdint>

// One entry of the device table in apConfig.bin, with the interface paths
// that detection found for it.
struct DeviceRecord {
    int32_t type = -1;
    uint16_t vid = 0;
    uint16_t pid = 0;
    uint16_t usagePage = 0;
    uint16_t usage = 0;
    uint16_t usagePage2 = 0;
    uint16_t usage2 = 0;
    int32_t reportLength = 32;
    bool isEncode = false;
    QString sCode = QStringLiteral("735102");
    QString commandPath;   // empty = command interface not present
    QString notifyPath;    // empty = notification interface not present

    // Largest payload of one bulk report the link accepts; beyond it (or at 0)
    // the record is treated as not present.
    static constexpr int kMaxReportLength = 512;
    bool reportLengthValid() const { return reportLength >= 1 && reportLength <= kMaxReportLength; }
};
