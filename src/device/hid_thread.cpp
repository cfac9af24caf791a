// Not built yet: the transport of the device link.
#include "device/hid_thread.h"
#pragma GCC diagnostic ignored "-Wunused-parameter"

Hid_Thread::Hid_Thread(QObject* parent) : QThread(parent) {}
Hid_Thread::~Hid_Thread() { qDeleteAll(deviceTable); }
void Hid_Thread::replaceDeviceTable(const QList<DeviceRecord*>& table) { qDeleteAll(deviceTable); deviceTable = table; }
DeviceRecord* Hid_Thread::currentRecord() const { return nullptr; }
void Hid_Thread::startListening(int index) {}
void Hid_Thread::stopListening() {}
bool Hid_Thread::modelIsGun() const { return false; }
bool Hid_Thread::modelIs560() const { return false; }
uchar Hid_Thread::hidCS(uchar* block) { return protocol::checksum(block); }
bool Hid_Thread::chkDeviceIsEnCode(int index) { return false; }
void Hid_Thread::USBDataEncryption(uchar FIFOBuf[], uchar SecrecyCode[]) {}
void Hid_Thread::USBDataDecipher(uchar FIFOBuf[], uchar SecrecyCode[]) {}
void Hid_Thread::forgetNotifyPath(const QString&) {}
bool Hid_Thread::acquireLink() { return false; }
void Hid_Thread::settlePause() {}
HidDevice* Hid_Thread::openCommandInterface(int) { return nullptr; }
HidDevice* Hid_Thread::openNotifyInterface(int) { return nullptr; }
void Hid_Thread::closeCommandInterface() {}
bool Hid_Thread::sendCommand(int, bool) { return false; }
bool Hid_Thread::queryCommand(int) { return false; }
void Hid_Thread::listenLoop(DeviceRecord) {}
protocol::SecrecyCode& secrecyCode() { static protocol::SecrecyCode c{}; return c; }
namespace dpi_switch_messages {
QString textForStage(int) { return {}; }
void replace(const QStringList&) {}
QStringList all() { return {}; }
void reset() {}
}
