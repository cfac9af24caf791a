#pragma once
// The table of supported devices as apConfig.bin keeps it: common/deviceCount and
// one section per entry ([0], [1], ...), hexadecimal IDs without prefix.

#include "device/device_record.h"

#include <QList>
#include <QString>
#include <optional>

namespace device_table {

constexpr const char* kDefaultFile = "./modules/setting/apConfig.bin";
// More entries than this are not read (a damaged count must not stall detection).
constexpr int kMaxEntries = 64;

// Hexadecimal text without prefix ("ff00", "1209"); nullopt when it is not hex
// or does not fit the width.
std::optional<uint16_t> parseHex16(const QString& text);
std::optional<int32_t> parseHex32(const QString& text);

// Reads every entry with the defaults of the table; a missing or unreadable file
// is an empty table. The caller owns the records.
QList<DeviceRecord*> load(const QString& apConfigPath = QString::fromLatin1(kDefaultFile));

} // namespace device_table
