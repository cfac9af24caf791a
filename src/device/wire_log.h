#pragma once
// The wire log: a HID seam decorator that appends one line per HID call to a file,
//   <ms since start, one decimal> <OP> <device path> <result> [<bytes>]
// with OP one of OPEN CLOSE SET_FEATURE GET_FEATURE WRITE READ and the bytes as
// lowercase two-digit hex separated by single blanks: what was sent (the whole
// buffer, report ID first) or what was received (as many as the call returned).
// Installed when CORVANE_HID_LOG names a file; works around either backend.
// Thread-safe: the notification loop logs from its own thread.

#include "device/hid_backend.h"

#include <QElapsedTimer>
#include <QFile>
#include <QString>
#include <memory>
#include <mutex>

namespace wire_log {
constexpr const char* kEnvironmentVariable = "CORVANE_HID_LOG";

// One line of the log, without the line end.
QString formatLine(double elapsedMs, const char* op, const std::string& path, int result,
                   const uint8_t* bytes, int count);
} // namespace wire_log

class WireLog : public HidBackend
{
public:
    // Appends to filePath; calls go on to inner.
    WireLog(HidBackend& inner, const QString& filePath);
    ~WireLog() override;
    bool isOpen() const { return file.isOpen(); }

    std::vector<HidDeviceInfo> enumerate(uint16_t vendorId, uint16_t productId) override;
    HidDevice* open(const std::string& path) override;
    void close(HidDevice* device) override;
    int setNonblocking(HidDevice* device, int nonblock) override;
    int sendFeatureReport(HidDevice* device, const uint8_t* data, size_t length) override;
    int getFeatureReport(HidDevice* device, uint8_t* data, size_t length) override;
    int write(HidDevice* device, const uint8_t* data, size_t length) override;
    int read(HidDevice* device, uint8_t* data, size_t length) override;
    int readTimeout(HidDevice* device, uint8_t* data, size_t length, int milliseconds) override;

    // A log around inner when CORVANE_HID_LOG is set (and the file opens), else nullptr.
    static std::unique_ptr<WireLog> fromEnvironment(HidBackend& inner);

private:
    void append(const char* op, const std::string& path, int result, const uint8_t* bytes, int count);

    HidBackend& inner;
    std::mutex mutex;   // a standard mutex, so thread checkers see the lock
    QFile file;
    QElapsedTimer clock;
};
