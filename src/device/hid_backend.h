#pragma once
// The HID calls the device link makes, as one small interface: the same link
// runs on hidapi (hidraw) or on the virtual mouse, and the wire log wraps either.
//
// Every call reports errors as results, the way hidapi does: a negative number
// (or nullptr from open) is a failure; nothing throws.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// One HID top-level collection as enumeration reports it.
struct HidDeviceInfo {
    std::string path;
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    uint16_t usagePage = 0;
    uint16_t usage = 0;
};

// An open interface. Each backend derives its own handle from this.
class HidDevice {
public:
    explicit HidDevice(std::string p) : path(std::move(p)) {}
    virtual ~HidDevice() = default;
    const std::string path;
};

class HidBackend {
public:
    virtual ~HidBackend() = default;

    // Every collection with this vendor and product ID; 0/0 lists every HID device.
    virtual std::vector<HidDeviceInfo> enumerate(uint16_t vendorId, uint16_t productId) = 0;
    // Opens an interface by its platform path; nullptr when it cannot be opened.
    virtual HidDevice* open(const std::string& path) = 0;
    // Closes and frees a handle returned by open (nullptr is ignored).
    virtual void close(HidDevice* device) = 0;
    // 0 = blocking reads, 1 = non-blocking. 0 on success, -1 on error.
    virtual int setNonblocking(HidDevice* device, int nonblock) = 0;
    // data[0] is the report ID. Bytes sent, or -1.
    virtual int sendFeatureReport(HidDevice* device, const uint8_t* data, size_t length) = 0;
    // data[0] selects the report ID on entry. Bytes received (report ID included), or -1.
    virtual int getFeatureReport(HidDevice* device, uint8_t* data, size_t length) = 0;
    // Output report, data[0] is the report ID. Bytes written, or -1.
    virtual int write(HidDevice* device, const uint8_t* data, size_t length) = 0;
    // Input report (blocking in blocking mode). Bytes read, 0 when nothing came, or -1.
    virtual int read(HidDevice* device, uint8_t* data, size_t length) = 0;
    // Input report with a time-out in milliseconds. Bytes read, 0 on time-out, or -1.
    virtual int readTimeout(HidDevice* device, uint8_t* data, size_t length, int milliseconds) = 0;
};

// The process-wide backend the link uses: hidapi unless another one was installed
// (the virtual mouse, a test double). The caller keeps ownership of what it installs;
// installing nullptr returns to hidapi.
HidBackend& hidBackend();
void installHidBackend(HidBackend* backend);
