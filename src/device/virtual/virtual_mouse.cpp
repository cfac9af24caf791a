#include "device/virtual/virtual_mouse.h"

#include "device/virtual/firmware.h"

#include <QDebug>
#include <QRandomGenerator>
#include <QSettings>
#include <algorithm>
#include <chrono>
#include <cstring>

namespace {

constexpr uint8_t kReportId = 0x00;
constexpr uint8_t kNotifyNoValue = 0x00;   // byte 2 of a notification

uint16_t hexValue(const QSettings& s, const QString& key, uint16_t fallback)
{
    const QVariant v = s.value(key);
    if (!v.isValid())
        return fallback;
    bool ok = false;
    const uint value = v.toString().trimmed().toUInt(&ok, 16);
    if (!ok || value > 0xFFFF) {
        qDebug() << "virtual mouse: bad hexadecimal value for" << key << v.toString();
        return fallback;
    }
    return static_cast<uint16_t>(value);
}

void fillRandom(uint8_t* data, size_t length)
{
    for (size_t i = 0; i < length; ++i)
        data[i] = static_cast<uint8_t>(QRandomGenerator::global()->bounded(256));
}

} // namespace

struct VirtualMouse::Handle : HidDevice {
    Handle(const std::string& p, bool n, unsigned g) : HidDevice(p), notify(n), generation(g) {}
    const bool notify;
    const unsigned generation;
    bool nonblocking = false;
};

VirtualMouse::VirtualMouse(const Config& c)
    : cfg(c), firmware(VirtualFirmware::create(c.family))
{
    const QByteArray text = cfg.sCode.toLatin1();
    if (!protocol::loadSecrecyCode(code, text.constData(), static_cast<int>(text.size())))
        qDebug() << "virtual mouse: secrecy code is not six characters, the mouse keeps none";
}

VirtualMouse::~VirtualMouse() = default;

VirtualMouse::Config VirtualMouse::configFromSettings(const QString& apConfigPath)
{
    Config c;
    QSettings s(apConfigPath, QSettings::IniFormat);
    c.vid = hexValue(s, QStringLiteral("0/vid"), c.vid);
    c.pid = hexValue(s, QStringLiteral("0/pid"), c.pid);
    c.usagePage = hexValue(s, QStringLiteral("0/usagePage"), c.usagePage);
    c.usage = hexValue(s, QStringLiteral("0/usage"), c.usage);
    // Absent like the device table reads it: no notification interface.
    c.usagePage2 = hexValue(s, QStringLiteral("0/usagePage2"), 0);
    c.usage2 = hexValue(s, QStringLiteral("0/usage2"), 0);
    c.reportLength = s.value(QStringLiteral("0/reportLength"), c.reportLength).toInt();
    c.isEncode = s.value(QStringLiteral("0/isEncode"), c.isEncode).toBool();
    c.sCode = s.value(QStringLiteral("0/sCode"), c.sCode).toString();
    c.family = s.value(QStringLiteral("mouse/icType")).toString() == QLatin1String("560") ? Family::F560
                                                                                        : Family::F553;
    return c;
}

// --- enumeration and handles ---

std::vector<HidDeviceInfo> VirtualMouse::enumerate(uint16_t vendorId, uint16_t productId)
{
    std::lock_guard<std::mutex> lock(mutex);
    const bool all = vendorId == 0 && productId == 0;
    if (!plugged || (!all && (vendorId != cfg.vid || productId != cfg.pid)))
        return {};
    std::vector<HidDeviceInfo> found{{kCommandPath, cfg.vid, cfg.pid, cfg.usagePage, cfg.usage}};
    if (cfg.hasNotifyInterface())
        found.push_back({kNotifyPath, cfg.vid, cfg.pid, cfg.usagePage2, cfg.usage2});
    return found;
}

HidDevice* VirtualMouse::open(const std::string& path)
{
    std::lock_guard<std::mutex> lock(mutex);
    if (!plugged)
        return nullptr;
    if (path == kCommandPath)
        return new Handle(path, false, generation);
    if (path == kNotifyPath && cfg.hasNotifyInterface())
        return new Handle(path, true, generation);
    return nullptr;
}

void VirtualMouse::close(HidDevice* device)
{
    delete device;
}

VirtualMouse::Handle* VirtualMouse::liveHandle(HidDevice* device) const
{
    auto* h = dynamic_cast<Handle*>(device);
    if (!h || !plugged || h->generation != generation)
        return nullptr;
    return h;
}

int VirtualMouse::setNonblocking(HidDevice* device, int nonblock)
{
    std::lock_guard<std::mutex> lock(mutex);
    Handle* h = liveHandle(device);
    if (!h)
        return -1;
    h->nonblocking = nonblock != 0;
    return 0;
}

// --- transfers on the command interface ---

bool VirtualMouse::faultBeforeTransfer()
{
    ++transfers;
    if (failAfter > 0) {
        --failAfter;
        return false;
    }
    if (failCount > 0) {
        --failCount;
        return true;
    }
    return false;
}

bool VirtualMouse::beginTransfer(HidDevice* device)
{
    Handle* h = liveHandle(device);
    if (!h || h->notify)
        return false;
    return !faultBeforeTransfer();
}

void VirtualMouse::endTransfer()
{
    if (unplugAfter > 0 && --unplugAfter == 0) {
        unplugAfter = -1;
        unplugLocked();
    }
}

void VirtualMouse::resetExchange()
{
    pendingAnswer.clear();
    bulkIn.clear();
    payloadExpected = 0;
    payload.clear();
}

int VirtualMouse::sendFeatureReport(HidDevice* device, const uint8_t* data, size_t length)
{
    std::lock_guard<std::mutex> lock(mutex);
    if (!beginTransfer(device)) {
        endTransfer();
        return -1;
    }
    const int result = [&] {
        if (!data || length != protocol::kFeatureReportSize || data[0] != kReportId)
            return -1;
        // A new block ends whatever exchange was going on.
        resetExchange();
        protocol::Block block;
        std::memcpy(block.data(), data + 1, protocol::kBlockSize);
        if (cfg.isEncode)
            protocol::unscramble(block.data(), code.data());
        if (protocol::checksum(block.data()) != block[7])
            return static_cast<int>(length);   // taken off the wire, ignored by the firmware
        const VirtualFirmware::Reply reply = firmware->takeBlock(block);
        if (reply.answer) {
            pendingAnswer.assign(protocol::kFeatureReportSize, 0);
            std::copy(reply.answer->begin(), reply.answer->end(), pendingAnswer.begin() + 1);
            if (cfg.isEncode)
                protocol::scramble(pendingAnswer.data() + 1, code.data());
        }
        if (reply.payloadLength > 0) {
            payloadBlock = block;
            payloadExpected = reply.payloadLength;
        }
        // Bulk input is served in reports of reportLength bytes, the last one zero-padded.
        const size_t chunk = static_cast<size_t>(std::max(cfg.reportLength, 1));
        for (size_t off = 0; off < reply.bulkIn.size(); off += chunk) {
            std::vector<uint8_t> report(chunk, 0);
            const size_t n = std::min(chunk, reply.bulkIn.size() - off);
            std::copy_n(reply.bulkIn.begin() + static_cast<long>(off), n, report.begin());
            bulkIn.push_back(std::move(report));
        }
        return static_cast<int>(length);
    }();
    endTransfer();
    return result;
}

int VirtualMouse::getFeatureReport(HidDevice* device, uint8_t* data, size_t length)
{
    std::lock_guard<std::mutex> lock(mutex);
    if (!beginTransfer(device) || silent || !data || length == 0) {
        endTransfer();
        return -1;
    }
    // Without a fresh answer the mouse reports its idle frame of zeros.
    std::vector<uint8_t> frame = pendingAnswer.empty()
        ? std::vector<uint8_t>(protocol::kFeatureReportSize, 0) : pendingAnswer;
    pendingAnswer.clear();
    if (garbage)
        fillRandom(frame.data() + 1, frame.size() - 1);
    frame[0] = kReportId;
    const size_t answered = answerLength >= 0 ? static_cast<size_t>(answerLength) : frame.size();
    frame.resize(std::max(frame.size(), answered), 0);
    const size_t n = std::min(answered, length);
    std::copy_n(frame.begin(), n, data);
    endTransfer();
    return static_cast<int>(n);
}

int VirtualMouse::write(HidDevice* device, const uint8_t* data, size_t length)
{
    std::lock_guard<std::mutex> lock(mutex);
    if (!beginTransfer(device)) {
        endTransfer();
        return -1;
    }
    const size_t reportSize = static_cast<size_t>(cfg.reportLength) + 1;
    if (!data || length != reportSize || data[0] != kReportId) {
        // A malformed report breaks the payload transfer: the firmware drops it.
        payloadExpected = 0;
        payload.clear();
        endTransfer();
        return -1;
    }
    if (payloadExpected > 0) {
        const size_t want = static_cast<size_t>(payloadExpected) - payload.size();
        const size_t take = std::min(want, static_cast<size_t>(cfg.reportLength));
        payload.insert(payload.end(), data + 1, data + 1 + take);
        if (payload.size() == static_cast<size_t>(payloadExpected)) {
            firmware->takePayload(payloadBlock, payload);
            payloadExpected = 0;
            payload.clear();
        }
    }
    endTransfer();
    return static_cast<int>(length);
}

int VirtualMouse::read(HidDevice* device, uint8_t* data, size_t length)
{
    return readTimeout(device, data, length, -1);
}

int VirtualMouse::readTimeout(HidDevice* device, uint8_t* data, size_t length, int milliseconds)
{
    std::unique_lock<std::mutex> lock(mutex);
    auto* h = dynamic_cast<Handle*>(device);
    if (!h || !data)
        return -1;
    if (h->nonblocking)
        milliseconds = 0;
    return h->notify ? readNotify(h, data, length, milliseconds, lock)
                     : readCommand(h, data, length, milliseconds, lock);
}

int VirtualMouse::readCommand(Handle* h, uint8_t* data, size_t length, int milliseconds,
                              std::unique_lock<std::mutex>& lock)
{
    if (!beginTransfer(h)) {
        endTransfer();
        return -1;
    }
    if (!bulkIn.empty() && !silent) {
        std::vector<uint8_t> report = std::move(bulkIn.front());
        bulkIn.pop_front();
        if (garbage)
            fillRandom(report.data(), report.size());
        const size_t n = std::min(report.size(), length);
        std::copy_n(report.begin(), n, data);
        endTransfer();
        return static_cast<int>(n);
    }
    endTransfer();
    // Nothing but a command feeds this interface, and commands come from the
    // reader's own thread: a blocking read with nothing queued would never end,
    // so the endpoint reports the stall as an error instead of hanging.
    if (milliseconds < 0)
        return -1;
    const unsigned gen = h->generation;
    notifyReady.wait_for(lock, std::chrono::milliseconds(milliseconds),
                         [&] { return !plugged || generation != gen; });
    return liveHandle(h) ? 0 : -1;
}

int VirtualMouse::readNotify(Handle* h, uint8_t* data, size_t length, int milliseconds,
                             std::unique_lock<std::mutex>& lock)
{
    const unsigned gen = h->generation;
    auto ready = [&] { return !notifications.empty() || !plugged || generation != gen; };
    if (milliseconds < 0)
        notifyReady.wait(lock, ready);
    else
        notifyReady.wait_for(lock, std::chrono::milliseconds(milliseconds), ready);
    if (!liveHandle(h))
        return -1;
    if (notifications.empty())
        return 0;
    const std::vector<uint8_t> report = std::move(notifications.front());
    notifications.pop_front();
    const size_t n = std::min(report.size(), length);
    std::copy_n(report.begin(), n, data);
    return static_cast<int>(n);
}

// --- the user's hand ---

void VirtualMouse::pressDpiButton(int stage)
{
    {
        std::lock_guard<std::mutex> lock(mutex);
        if (!plugged)
            return;
        firmware->dpiButton(stage);
        if (!firmware->notifiesDpiSwitch())
            return;
    }
    sendNotification({protocol::kNotifyMagic0, protocol::kNotifyDpiSwitch, kNotifyNoValue,
                      static_cast<uint8_t>(stage)});
}

void VirtualMouse::sendNotification(const std::vector<uint8_t>& report)
{
    {
        std::lock_guard<std::mutex> lock(mutex);
        if (!plugged)
            return;
        notifications.push_back(report);
        while (notifications.size() > static_cast<size_t>(kMaxQueuedNotifications))
            notifications.pop_front();
    }
    notifyReady.notify_all();
}

void VirtualMouse::unplugLocked()
{
    plugged = false;
    ++generation;
    notifications.clear();
    resetExchange();
    notifyReady.notify_all();
}

void VirtualMouse::unplug()
{
    std::lock_guard<std::mutex> lock(mutex);
    unplugLocked();
}

void VirtualMouse::plug()
{
    std::lock_guard<std::mutex> lock(mutex);
    plugged = true;
}

bool VirtualMouse::pluggedIn() const
{
    std::lock_guard<std::mutex> lock(mutex);
    return plugged;
}

// --- faults ---

void VirtualMouse::setSilent(bool s)
{
    std::lock_guard<std::mutex> lock(mutex);
    silent = s;
}

void VirtualMouse::failTransfers(int count, int after)
{
    std::lock_guard<std::mutex> lock(mutex);
    failCount = std::max(count, 0);
    failAfter = std::max(after, 0);
}

void VirtualMouse::setGarbageAnswers(bool g)
{
    std::lock_guard<std::mutex> lock(mutex);
    garbage = g;
}

void VirtualMouse::setAnswerLength(int length)
{
    std::lock_guard<std::mutex> lock(mutex);
    answerLength = length < 0 ? -1 : std::min(length, protocol::kBulkBufferSize);
}

void VirtualMouse::unplugAfterTransfers(int count)
{
    std::lock_guard<std::mutex> lock(mutex);
    if (count <= 0) {
        unplugAfter = -1;
        unplugLocked();
        return;
    }
    unplugAfter = count;
}

FirmwareState VirtualMouse::state() const
{
    std::lock_guard<std::mutex> lock(mutex);
    return firmware->state;
}

int VirtualMouse::transferCount() const
{
    std::lock_guard<std::mutex> lock(mutex);
    return transfers;
}
