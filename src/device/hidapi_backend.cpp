#include "device/hidapi_backend.h"

#include <QDebug>
#include <hidapi/hidapi.h>

#include <mutex>

namespace {

class HidapiDevice : public HidDevice
{
public:
    HidapiDevice(std::string path, hid_device* h) : HidDevice(std::move(path)), handle(h) {}
    hid_device* const handle;
};

hid_device* native(HidDevice* device)
{
    auto* d = dynamic_cast<HidapiDevice*>(device);
    return d ? d->handle : nullptr;
}

void initOnce()
{
    static std::once_flag once;
    std::call_once(once, [] {
        if (hid_init() != 0)
            qDebug() << "hid_init failed";
    });
}

} // namespace

HidapiBackend::HidapiBackend() { initOnce(); }

HidapiBackend::~HidapiBackend() = default;

std::vector<HidDeviceInfo> HidapiBackend::enumerate(uint16_t vendorId, uint16_t productId)
{
    std::vector<HidDeviceInfo> out;
    hid_device_info* list = hid_enumerate(vendorId, productId);
    for (hid_device_info* e = list; e; e = e->next) {
        HidDeviceInfo info;
        info.path = e->path ? e->path : "";
        info.vendorId = e->vendor_id;
        info.productId = e->product_id;
        info.usagePage = e->usage_page;
        info.usage = e->usage;
        out.push_back(std::move(info));
    }
    hid_free_enumeration(list);
    return out;
}

HidDevice* HidapiBackend::open(const std::string& path)
{
    hid_device* h = hid_open_path(path.c_str());
    if (!h)
        return nullptr;
    return new HidapiDevice(path, h);
}

void HidapiBackend::close(HidDevice* device)
{
    if (!device)
        return;
    if (hid_device* h = native(device))
        hid_close(h);
    delete device;
}

int HidapiBackend::setNonblocking(HidDevice* device, int nonblock)
{
    hid_device* h = native(device);
    return h ? hid_set_nonblocking(h, nonblock) : -1;
}

int HidapiBackend::sendFeatureReport(HidDevice* device, const uint8_t* data, size_t length)
{
    hid_device* h = native(device);
    return h && data ? hid_send_feature_report(h, data, length) : -1;
}

int HidapiBackend::getFeatureReport(HidDevice* device, uint8_t* data, size_t length)
{
    hid_device* h = native(device);
    return h && data ? hid_get_feature_report(h, data, length) : -1;
}

int HidapiBackend::write(HidDevice* device, const uint8_t* data, size_t length)
{
    hid_device* h = native(device);
    return h && data ? hid_write(h, data, length) : -1;
}

int HidapiBackend::read(HidDevice* device, uint8_t* data, size_t length)
{
    hid_device* h = native(device);
    return h && data ? hid_read(h, data, length) : -1;
}

int HidapiBackend::readTimeout(HidDevice* device, uint8_t* data, size_t length, int milliseconds)
{
    hid_device* h = native(device);
    return h && data ? hid_read_timeout(h, data, length, milliseconds) : -1;
}

HidBackend& hidapiBackend()
{
    static HidapiBackend backend;
    return backend;
}
