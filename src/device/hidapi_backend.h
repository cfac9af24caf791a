#pragma once
// The HID seam on hidapi (hidraw on Linux): the backend a real mouse is reached through.

#include "device/hid_backend.h"

class HidapiBackend : public HidBackend
{
public:
    HidapiBackend();
    ~HidapiBackend() override;

    std::vector<HidDeviceInfo> enumerate(uint16_t vendorId, uint16_t productId) override;
    HidDevice* open(const std::string& path) override;
    void close(HidDevice* device) override;
    int setNonblocking(HidDevice* device, int nonblock) override;
    int sendFeatureReport(HidDevice* device, const uint8_t* data, size_t length) override;
    int getFeatureReport(HidDevice* device, uint8_t* data, size_t length) override;
    int write(HidDevice* device, const uint8_t* data, size_t length) override;
    int read(HidDevice* device, uint8_t* data, size_t length) override;
    int readTimeout(HidDevice* device, uint8_t* data, size_t length, int milliseconds) override;
};

// The process-wide hidapi backend (created on first use).
HidBackend& hidapiBackend();
