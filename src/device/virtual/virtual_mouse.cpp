// Not built yet.
#include "device/virtual/virtual_mouse.h"
#pragma GCC diagnostic ignored "-Wunused-parameter"
struct FirmwareState {};
class VirtualFirmware { public: virtual ~VirtualFirmware() = default; };
VirtualMouse::VirtualMouse(const Config& c) : cfg(c) {}
VirtualMouse::~VirtualMouse() = default;
VirtualMouse::Config VirtualMouse::configFromSettings(const QString&) { return {}; }
std::vector<HidDeviceInfo> VirtualMouse::enumerate(uint16_t, uint16_t) { return {}; }
HidDevice* VirtualMouse::open(const std::string&) { return nullptr; }
void VirtualMouse::close(HidDevice*) {}
int VirtualMouse::setNonblocking(HidDevice*, int) { return -1; }
int VirtualMouse::sendFeatureReport(HidDevice*, const uint8_t*, size_t) { return -1; }
int VirtualMouse::getFeatureReport(HidDevice*, uint8_t*, size_t) { return -1; }
int VirtualMouse::write(HidDevice*, const uint8_t*, size_t) { return -1; }
int VirtualMouse::read(HidDevice*, uint8_t*, size_t) { return -1; }
int VirtualMouse::readTimeout(HidDevice*, uint8_t*, size_t, int) { return -1; }
void VirtualMouse::pressDpiButton(int) {}
void VirtualMouse::sendNotification(const std::vector<uint8_t>&) {}
void VirtualMouse::unplug() {}
void VirtualMouse::plug() {}
bool VirtualMouse::pluggedIn() const { return false; }
void VirtualMouse::setSilent(bool) {}
void VirtualMouse::failTransfers(int, int) {}
void VirtualMouse::setGarbageAnswers(bool) {}
void VirtualMouse::setAnswerLength(int) {}
void VirtualMouse::unplugAfterTransfers(int) {}
FirmwareState VirtualMouse::state() const { return {}; }
int VirtualMouse::transferCount() const { return 0; }
bool VirtualMouse::faultBeforeTransfer() { return false; }
