#pragma once
// The virtual mouse: an emulated mouse of either firmware family behind the same
// HID seam as hidapi. It offers a command interface and a notification interface,
// unscrambles the blocks it receives, ignores blocks with a wrong checksum, keeps
// the firmware's state, answers as the mouse does, sends DPI-switch notifications
// and fails on demand for fault tests.
//
// Thread-safe: the notification loop reads from another thread.

#include "device/hid_backend.h"
#include "device/protocol.h"
#include "device/virtual/firmware_state.h"

#include <QString>
#include <array>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <vector>

class VirtualFirmware;

class VirtualMouse : public HidBackend
{
public:
    enum class Family { F553, F560 };

    struct Config {
        uint16_t vid = 0x1209;
        uint16_t pid = 0x0001;
        uint16_t usagePage = 0xff00;
        uint16_t usage = 0xff00;
        uint16_t usagePage2 = 0xff01;
        uint16_t usage2 = 0xff01;
        int reportLength = 32;
        bool isEncode = true;
        QString sCode = QStringLiteral("735102");   // the code the mouse holds
        Family family = Family::F553;
        // Without it the mouse offers only its command interface.
        bool hasNotifyInterface() const { return usagePage2 != 0 || usage2 != 0; }
    };

    static constexpr const char* kCommandPath = "virtual:cmd";
    static constexpr const char* kNotifyPath = "virtual:notify";
    static constexpr int kMaxQueuedNotifications = 32;   // older ones are dropped

    explicit VirtualMouse(const Config& config);
    ~VirtualMouse() override;

    // Config from device entry 0 of an apConfig.bin file and its mouse/icType. An
    // entry without usagePage2/usage2 (or both 0) describes a mouse without a
    // notification interface.
    static Config configFromSettings(const QString& apConfigPath);

    const Config& config() const { return cfg; }

    // --- HidBackend ---
    std::vector<HidDeviceInfo> enumerate(uint16_t vendorId, uint16_t productId) override;
    HidDevice* open(const std::string& path) override;
    void close(HidDevice* device) override;
    int setNonblocking(HidDevice* device, int nonblock) override;
    int sendFeatureReport(HidDevice* device, const uint8_t* data, size_t length) override;
    int getFeatureReport(HidDevice* device, uint8_t* data, size_t length) override;
    int write(HidDevice* device, const uint8_t* data, size_t length) override;
    int read(HidDevice* device, uint8_t* data, size_t length) override;
    int readTimeout(HidDevice* device, uint8_t* data, size_t length, int milliseconds) override;

    // --- the user's hand on the mouse ---
    // Presses the DPI button: the active stage becomes stage; the notification
    // 06 07 00 stage is sent once the host has set the notification option bit.
    void pressDpiButton(int stage);
    // Sends any raw report on the notification interface.
    void sendNotification(const std::vector<uint8_t>& report);
    void unplug();   // both interfaces vanish: opens fail, open handles fail their transfers
    void plug();
    bool pluggedIn() const;

    // --- faults ---
    // Transfers are the feature, write and read calls on the command interface;
    // notification reads are not counted.
    void setSilent(bool silent);              // commands are taken but never answered
    void failTransfers(int count, int after = 0); // the count transfers after the next `after` fail (-1)
    void setGarbageAnswers(bool garbage);     // answers carry random bytes
    void setAnswerLength(int length);         // feature answers of this many bytes (-1 = normal)
    void unplugAfterTransfers(int count);     // unplugs once count more transfers have run

    // --- state, for tests and script mode ---
    FirmwareState state() const;
    Family family() const { return cfg.family; }
    int transferCount() const;

private:
    struct Handle;
    bool faultBeforeTransfer();   // true = fail this one
    // Checks the handle and the faults of one command-interface transfer; false = fail it.
    bool beginTransfer(HidDevice* device);
    void endTransfer();
    Handle* liveHandle(HidDevice* device) const;
    void unplugLocked();
    void resetExchange();
    int readCommand(Handle* h, uint8_t* data, size_t length, int milliseconds, std::unique_lock<std::mutex>& lock);
    int readNotify(Handle* h, uint8_t* data, size_t length, int milliseconds, std::unique_lock<std::mutex>& lock);
    mutable std::mutex mutex;
    std::condition_variable notifyReady;
    Config cfg;
    protocol::SecrecyCode code{};
    std::unique_ptr<VirtualFirmware> firmware;
    std::deque<std::vector<uint8_t>> notifications;
    std::deque<std::vector<uint8_t>> bulkIn;
    std::vector<uint8_t> pendingAnswer;       // feature answer waiting for get feature (9 bytes) or empty
    bool plugged = true;
    bool silent = false;
    bool garbage = false;
    int answerLength = -1;
    int failAfter = 0, failCount = 0;
    int unplugAfter = -1;
    int transfers = 0;
    unsigned generation = 0;                  // bumped by unplug: older handles are dead
    // A payload the last block announced, collected from bulk output reports.
    protocol::Block payloadBlock{};
    int payloadExpected = 0;
    std::vector<uint8_t> payload;
};
