#include "device/wire_log.h"

#include <QDebug>

namespace wire_log {

QString formatLine(double elapsedMs, const char* op, const std::string& path, int result,
                   const uint8_t* bytes, int count)
{
    QString line = QString::number(elapsedMs, 'f', 1);
    line += QLatin1Char(' ');
    line += QLatin1String(op);
    line += QLatin1Char(' ');
    line += QString::fromStdString(path);
    line += QLatin1Char(' ');
    line += QString::number(result);
    if (bytes && count > 0) {
        static const char kHex[] = "0123456789abcdef";
        line.reserve(line.size() + 3 * count);
        for (int i = 0; i < count; ++i) {
            line += QLatin1Char(' ');
            line += QLatin1Char(kHex[bytes[i] >> 4]);
            line += QLatin1Char(kHex[bytes[i] & 0x0F]);
        }
    }
    return line;
}

} // namespace wire_log

namespace {
const std::string& pathOf(HidDevice* device)
{
    static const std::string none;
    return device ? device->path : none;
}
// How many bytes of a received buffer a result covers.
int receivedCount(int result, size_t length)
{
    if (result <= 0)
        return 0;
    return static_cast<int>(std::min<size_t>(static_cast<size_t>(result), length));
}
} // namespace

WireLog::WireLog(HidBackend& innerBackend, const QString& filePath) : inner(innerBackend), file(filePath)
{
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text))
        qDebug() << "wire log: cannot open" << filePath;
    clock.start();
}

WireLog::~WireLog() = default;

void WireLog::append(const char* op, const std::string& path, int result, const uint8_t* bytes, int count)
{
    std::lock_guard<std::mutex> lock(mutex);
    if (!file.isOpen())
        return;
    const double ms = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    file.write(wire_log::formatLine(ms, op, path, result, bytes, count).toUtf8());
    file.write("\n");
    file.flush();
}

std::vector<HidDeviceInfo> WireLog::enumerate(uint16_t vendorId, uint16_t productId)
{
    return inner.enumerate(vendorId, productId);
}

HidDevice* WireLog::open(const std::string& path)
{
    HidDevice* d = inner.open(path);
    append("OPEN", path, d ? 0 : -1, nullptr, 0);
    return d;
}

void WireLog::close(HidDevice* device)
{
    if (!device) {
        inner.close(device);
        return;
    }
    const std::string path = device->path;   // the handle is gone after the call
    inner.close(device);
    append("CLOSE", path, 0, nullptr, 0);
}

int WireLog::setNonblocking(HidDevice* device, int nonblock) { return inner.setNonblocking(device, nonblock); }

int WireLog::sendFeatureReport(HidDevice* device, const uint8_t* data, size_t length)
{
    const int r = inner.sendFeatureReport(device, data, length);
    append("SET_FEATURE", pathOf(device), r, data, static_cast<int>(length));
    return r;
}

int WireLog::getFeatureReport(HidDevice* device, uint8_t* data, size_t length)
{
    const int r = inner.getFeatureReport(device, data, length);
    append("GET_FEATURE", pathOf(device), r, data, receivedCount(r, length));
    return r;
}

int WireLog::write(HidDevice* device, const uint8_t* data, size_t length)
{
    const int r = inner.write(device, data, length);
    append("WRITE", pathOf(device), r, data, static_cast<int>(length));
    return r;
}

int WireLog::read(HidDevice* device, uint8_t* data, size_t length)
{
    const int r = inner.read(device, data, length);
    append("READ", pathOf(device), r, data, receivedCount(r, length));
    return r;
}

int WireLog::readTimeout(HidDevice* device, uint8_t* data, size_t length, int milliseconds)
{
    const int r = inner.readTimeout(device, data, length, milliseconds);
    append("READ", pathOf(device), r, data, receivedCount(r, length));
    return r;
}

std::unique_ptr<WireLog> WireLog::fromEnvironment(HidBackend& innerBackend)
{
    const QString path = qEnvironmentVariable(wire_log::kEnvironmentVariable);
    if (path.isEmpty())
        return nullptr;
    auto log = std::make_unique<WireLog>(innerBackend, path);
    if (!log->isOpen())
        return nullptr;
    return log;
}
