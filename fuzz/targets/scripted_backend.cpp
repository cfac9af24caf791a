#include "scripted_backend.h"

#include <algorithm>
#include <cstring>

namespace fuzz {
namespace {
constexpr const char* kTarget = "backend";
// One control byte in this many makes a send, write or open fail.
constexpr uint8_t kFailureDivisor = 16;
// Answer kinds, taken from the low two bits of a control byte.
enum AnswerKind : uint8_t { kError = 0, kEmpty = 1, kWhole = 2, kShort = 3 };
} // namespace

void ScriptedBackend::script(Input* in, bool withFailures)
{
    input = in;
    failures = withFailures;
    log.clear();
}

bool ScriptedBackend::failsNow()
{
    return input && failures && input->byte() % kFailureDivisor == kFailureDivisor - 1;
}

void ScriptedBackend::checkOpen(HidDevice* device, const char* call) const
{
    if (!device || handles.count(device) == 0)
        fail(kTarget, call);
}

std::vector<HidDeviceInfo> ScriptedBackend::enumerate(uint16_t, uint16_t) { return {}; }

HidDevice* ScriptedBackend::open(const std::string& path)
{
    // The notification interface goes away once the script is used up: that is
    // how the notification loop of a fuzz run comes to its end.
    const bool gone = path == kNotifyPath && (!input || input->empty());
    if (gone || failsNow()) {
        log.push_back({Op::Open, path, -1, {}});
        return nullptr;
    }
    auto* device = new HidDevice(path);
    handles.insert(device);
    log.push_back({Op::Open, path, 0, {}});
    return device;
}

void ScriptedBackend::close(HidDevice* device)
{
    if (!device)
        return;
    if (handles.erase(device) == 0)
        fail(kTarget, "a handle is closed that is not open");
    log.push_back({Op::Close, device->path, 0, {}});
    delete device;
}

int ScriptedBackend::setNonblocking(HidDevice* device, int)
{
    checkOpen(device, "setNonblocking on a handle that is not open");
    return 0;
}

int ScriptedBackend::sendFeatureReport(HidDevice* device, const uint8_t* data, size_t length)
{
    checkOpen(device, "sendFeatureReport on a handle that is not open");
    if (length != 9)
        fail(kTarget, "a feature report that is not 9 bytes");
    const int result = failsNow() ? -1 : static_cast<int>(length);
    log.push_back({Op::SendFeature, device->path, result,
                   QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(length))});
    return result;
}

int ScriptedBackend::getFeatureReport(HidDevice* device, uint8_t* data, size_t length)
{
    checkOpen(device, "getFeatureReport on a handle that is not open");
    if (length != 9)
        fail(kTarget, "a feature answer buffer that is not 9 bytes");
    const int result = answer(data, length, false);
    log.push_back({Op::GetFeature, device->path, result,
                   QByteArray(reinterpret_cast<const char*>(data), std::max(result, 0))});
    return result;
}

int ScriptedBackend::write(HidDevice* device, const uint8_t* data, size_t length)
{
    checkOpen(device, "write on a handle that is not open");
    if (static_cast<int>(length) != writeSize)
        fail(kTarget, "an output report that is not report length + 1 bytes");
    const int result = failsNow() ? -1 : static_cast<int>(length);
    log.push_back({Op::Write, device->path, result,
                   QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(length))});
    return result;
}

int ScriptedBackend::read(HidDevice* device, uint8_t* data, size_t length)
{
    return readTimeout(device, data, length, -1);
}

int ScriptedBackend::readTimeout(HidDevice* device, uint8_t* data, size_t length, int)
{
    checkOpen(device, "read on a handle that is not open");
    if (length == 0)
        fail(kTarget, "a read into no buffer");
    const int result = answer(data, length, true);
    log.push_back({Op::Read, device->path, result,
                   QByteArray(reinterpret_cast<const char*>(data), std::max(result, 0))});
    return result;
}

int ScriptedBackend::answer(uint8_t* data, size_t length, bool mayTimeOut)
{
    if (!input) {
        std::memset(data, 0, length);
        return static_cast<int>(length);
    }
    const uint8_t control = input->byte();
    size_t n = length;
    switch (control & 3) {
    case kError:
        return -1;
    case kEmpty:
        if (mayTimeOut)
            return 0;
        break;
    case kShort:
        n = (control >> 2) % length;   // 0 .. length-1
        break;
    default:
        break;
    }
    const QByteArray bytes = input->bytes(n);
    std::memset(data, 0, n);
    std::memcpy(data, bytes.constData(), static_cast<size_t>(bytes.size()));
    return static_cast<int>(n);
}

} // namespace fuzz
