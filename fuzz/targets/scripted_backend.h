#pragma once
// A HID backend whose answers come from the fuzzer's bytes. It keeps a log of
// every transfer and checks the link's side of the contract as it goes: the
// sizes of what is sent, and that every handle is closed once and only once.

#include "device/hid_backend.h"
#include "fuzz_support.h"

#include <QByteArray>
#include <set>
#include <string>
#include <vector>

namespace fuzz {

class ScriptedBackend : public HidBackend
{
public:
    static constexpr const char* kCommandPath = "fuzz-command";
    static constexpr const char* kNotifyPath = "fuzz-notify";

    enum class Op { Open, Close, SendFeature, GetFeature, Write, Read };
    struct Transfer {
        Op op;
        std::string path;
        int result = 0;
        QByteArray bytes;   // what went out, or what came back (result bytes)
    };

    // Answers come from input; nullptr makes every call succeed with zero answers.
    // failures: opens, feature sends and writes may fail too (one input byte each).
    void script(Input* input, bool failures);
    // Size every output report must have (report ID + report length).
    void expectWriteSize(int bytes) { writeSize = bytes; }

    std::vector<Transfer> log;
    int openHandles() const { return static_cast<int>(handles.size()); }

    std::vector<HidDeviceInfo> enumerate(uint16_t vendorId, uint16_t productId) override;
    HidDevice* open(const std::string& path) override;
    void close(HidDevice* device) override;
    int setNonblocking(HidDevice* device, int nonblock) override;
    int sendFeatureReport(HidDevice* device, const uint8_t* data, size_t length) override;
    int getFeatureReport(HidDevice* device, uint8_t* data, size_t length) override;
    int write(HidDevice* device, const uint8_t* data, size_t length) override;
    int read(HidDevice* device, uint8_t* data, size_t length) override;
    int readTimeout(HidDevice* device, uint8_t* data, size_t length, int milliseconds) override;

private:
    // One answer of up to length bytes into data: -1, 0, a short or a whole report.
    int answer(uint8_t* data, size_t length, bool mayTimeOut);
    bool failsNow();
    void checkOpen(HidDevice* device, const char* call) const;

    Input* input = nullptr;
    bool failures = false;
    int writeSize = 33;
    std::set<HidDevice*> handles;
};

} // namespace fuzz
