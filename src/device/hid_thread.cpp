#include "device/hid_thread.h"

#include "device/commands/opcodes.h"
#include "device/pacing.h"
#include "view/myqquickview.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QDebug>
#include <QRandomGenerator>

#include <algorithm>
#include <mutex>
#include <vector>

namespace {

constexpr uint8_t kReportId = 0x00;
constexpr int kChallengeBytes = 4;

QByteArray pathBytes(const QString& path) { return path.toLocal8Bit(); }

} // namespace

Hid_Thread::Hid_Thread(QObject* parent) : QThread(parent)
{
    // The loop reports removal from the pool thread; the table is only touched here, on the GUI thread.
    connect(this, &Hid_Thread::deviceRemoved, this, &Hid_Thread::forgetNotifyPath, Qt::QueuedConnection);
}

Hid_Thread::~Hid_Thread()
{
    stopListening();
    closeCommandInterface();
    if (notifyHandle) {
        hidBackend().close(notifyHandle);
        notifyHandle = nullptr;
    }
    qDeleteAll(deviceTable);
    deviceTable.clear();
}

void Hid_Thread::replaceDeviceTable(const QList<DeviceRecord*>& table)
{
    if (table == deviceTable)
        return;
    qDeleteAll(deviceTable);
    deviceTable = table;
}

DeviceRecord* Hid_Thread::currentRecord() const
{
    if (currentDevice < 0 || currentDevice >= deviceTable.size())
        return nullptr;
    DeviceRecord* rec = deviceTable.at(currentDevice);
    if (!rec || !rec->reportLengthValid())
        return nullptr;
    return rec;
}

bool Hid_Thread::modelIsGun() const { return view ? view->isGun : false; }

bool Hid_Thread::modelIs560() const { return view ? view->icType == QLatin1String("560") : false; }

// ---------------------------------------------------------------------------
// Checksum and scrambling

uchar Hid_Thread::hidCS(uchar* block)
{
    if (!block) {
        qDebug() << "hidCS: no block";
        return 0;
    }
    return protocol::checksum(block);
}

void Hid_Thread::USBDataEncryption(uchar FIFOBuf[], uchar SecrecyCode[])
{
    if (!FIFOBuf || !SecrecyCode) {
        qDebug() << "USBDataEncryption: no data";
        return;
    }
    protocol::scramble(FIFOBuf, SecrecyCode);
}

void Hid_Thread::USBDataDecipher(uchar FIFOBuf[], uchar SecrecyCode[])
{
    if (!FIFOBuf || !SecrecyCode) {
        qDebug() << "USBDataDecipher: no data";
        return;
    }
    protocol::unscramble(FIFOBuf, SecrecyCode);
}

// ---------------------------------------------------------------------------
// Connection check

bool Hid_Thread::chkDeviceIsEnCode(int index)
{
    currentDevice = index;
    const DeviceRecord* rec = currentRecord();
    if (!rec) {
        qDebug() << "connection check: no usable device record" << index;
        return false;
    }

    // A challenge of four zero bytes could not be told from a mouse that hands
    // back an untouched (zero) answer, so it is never used.
    std::array<uchar, kChallengeBytes> challenge{};
    do {
        for (uchar& c : challenge)
            c = static_cast<uchar>(QRandomGenerator::global()->generate() & 0xFF);
    } while (std::all_of(challenge.begin(), challenge.end(), [](uchar c) { return c == 0; }));

    const QByteArray code = rec->sCode.toLatin1();
    if (rec->sCode.size() == 6)
        protocol::loadSecrecyCode(secrecyCode(), code.constData(), code.size());
    else
        qDebug() << "secrecy code" << rec->sCode << "is not six characters; the previous code stays";

    std::array<uchar, kChallengeBytes> answer = challenge;
    const bool exchanged = hid553_00H_GetSecrecyCode(answer[0], answer[1], answer[2], answer[3]);
    // Passes only when the exchange really happened and the challenge came back.
    return exchanged && answer == challenge;
}

// ---------------------------------------------------------------------------
// Transport

bool Hid_Thread::acquireLink()
{
    // Every command runs on the GUI thread: one entered from the event processing
    // of a running command sits on top of it, and waiting would only stall it.
    if (commandDepth > 0) {
        ++refusals;
        qDebug() << "command refused: another command is running";
        return false;
    }
    for (int attempt = 0; attempt < pacing::kLinkAttempts; ++attempt) {
        if (linkFree) {
            linkFree = false;
            return true;
        }
        pacing::pause(pacing::kLinkRetryMs);
    }
    ++refusals;
    return false;
}

void Hid_Thread::settlePause()
{
    settleFlag = false;
    for (int step = 0; step < pacing::kSettleMaxSteps; ++step) {
        pacing::pause(pacing::kSettleStepMs);
        if (settleFlag)
            break;
        settleFlag = true;
    }
}

HidDevice* Hid_Thread::openCommandInterface(int index)
{
    if (index < 0 || index >= deviceTable.size() || !deviceTable.at(index)->reportLengthValid())
        return nullptr;
    DeviceRecord* rec = deviceTable.at(index);
    if (rec->commandPath.isEmpty())
        return nullptr;
    closeCommandInterface();
    HidDevice* handle = hidBackend().open(pathBytes(rec->commandPath).toStdString());
    if (!handle) {
        rec->commandPath.clear();
        return nullptr;
    }
    hidBackend().setNonblocking(handle, 0);
    commandHandle = handle;
    return handle;
}

HidDevice* Hid_Thread::openNotifyInterface(int index)
{
    if (index < 0 || index >= deviceTable.size())
        return nullptr;
    DeviceRecord* rec = deviceTable.at(index);
    if (rec->notifyPath.isEmpty())
        return nullptr;
    if (notifyHandle) {
        hidBackend().close(notifyHandle);
        notifyHandle = nullptr;
    }
    HidDevice* handle = hidBackend().open(pathBytes(rec->notifyPath).toStdString());
    if (!handle) {
        rec->notifyPath.clear();
        return nullptr;
    }
    hidBackend().setNonblocking(handle, 0);
    notifyHandle = handle;
    return handle;
}

void Hid_Thread::closeCommandInterface()
{
    if (commandHandle) {
        hidBackend().close(commandHandle);
        commandHandle = nullptr;
    }
}

namespace {
// Ends a transfer: closes the command interface and gives the link back.
struct TransferEnd {
    Hid_Thread& link;
    void (Hid_Thread::*close)();
    ~TransferEnd()
    {
        (link.*close)();
        link.linkFree = true;
    }
};
} // namespace

std::optional<Hid_Thread::TransferTarget> Hid_Thread::beginTransfer(const char* who, int dataLength)
{
    // The window gets its turn before every transfer, so that a series of them does
    // not freeze it. Input waits for the main loop: a click handled here would run
    // its operation in the middle of this one.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);

    if (dataLength < 0 || dataLength > protocol::kBulkBufferSize) {
        qDebug() << who << ": payload length" << dataLength << "is outside 0 ..." << protocol::kBulkBufferSize;
        return std::nullopt;
    }
    const DeviceRecord* rec = currentRecord();
    if (!rec)
        return std::nullopt;
    TransferTarget target;
    target.reportLength = rec->reportLength;
    target.isEncode = rec->isEncode;
    target.handle = openCommandInterface(currentDevice);
    if (!target.handle)
        return std::nullopt;
    if (target.isEncode)
        protocol::scramble(featureOut.data() + 1, secrecyCode().data());
    if (hidBackend().sendFeatureReport(target.handle, featureOut.data(), featureOut.size()) < 0)
        return std::nullopt;
    return target;
}

bool Hid_Thread::sendCommand(int dataLength, bool settle)
{
    TransferEnd end{*this, &Hid_Thread::closeCommandInterface};
    const std::optional<TransferTarget> t = beginTransfer("sendCommand", dataLength);
    if (!t)
        return false;
    if (settle)
        settlePause();
    if (dataLength == 0)
        return true;

    const int len = std::min(dataLength, t->reportLength);
    std::vector<uint8_t> report(static_cast<size_t>(t->reportLength) + 1, 0);
    for (int offset = 0; offset < dataLength; offset += len) {
        std::fill(report.begin(), report.end(), 0);
        report[0] = kReportId;
        const int n = std::min(len, dataLength - offset);
        std::copy_n(bulkBuffer.begin() + offset, n, report.begin() + 1);
        if (hidBackend().write(t->handle, report.data(), report.size()) < 0)
            return false;
        pacing::pause(pacing::kBulkReportGapMs);
    }
    if (settle)
        settlePause();
    return true;
}

bool Hid_Thread::queryCommand(int dataLength)
{
    TransferEnd end{*this, &Hid_Thread::closeCommandInterface};
    const std::optional<TransferTarget> t = beginTransfer("queryCommand", dataLength);
    if (!t)
        return false;
    // The answer replaces the preset only when it came whole: a failed or short
    // answer leaves the preset, which the query then hands back.
    std::array<uint8_t, protocol::kFeatureReportSize> answer = featureIn;
    const int answered = hidBackend().getFeatureReport(t->handle, answer.data(), answer.size());
    if (answered < 0)
        return false;
    if (answered < static_cast<int>(answer.size())) {
        qDebug() << "queryCommand: short answer of" << answered << "bytes instead of" << answer.size();
        return false;
    }
    featureIn = answer;

    if (dataLength == 0) {
        if (t->isEncode)
            protocol::unscramble(featureIn.data() + 1, secrecyCode().data());
        return true;
    }

    const int len = std::min(dataLength, t->reportLength);
    std::vector<uint8_t> report(static_cast<size_t>(t->reportLength) + 1, 0);
    for (int offset = 0; offset < dataLength; offset += len) {
        std::fill(report.begin(), report.end(), 0);
        // A mouse that stops answering must not hang the window: the wait is bounded
        // and a time-out fails the read.
        const int got = hidBackend().readTimeout(t->handle, report.data(), report.size(), pacing::kBulkReadTimeoutMs);
        if (got <= 0)
            return false;
        const int n = std::min(len, dataLength - offset);
        if (got < n) {
            // Zeros where the payload should be must not pass for the mouse's data.
            qDebug() << "queryCommand: bulk report of" << got << "bytes instead of" << n;
            return false;
        }
        std::copy_n(report.begin(), n, bulkBuffer.begin() + offset);
    }
    return true;
}

// ---------------------------------------------------------------------------
// Notifications

void Hid_Thread::startListening(int index)
{
    // A previous loop ends before the next starts, so there is never more than one.
    stopListening();

    if (modelIs560()) {
        uchar b0 = 0, b1 = 0;
        if (hid560_81H_GetKeyboardoption(b0, b1)) {
            b0 |= op560::kNotifyOptionBit;
            hid560_01H_SetKeyboardoption(b0, b1);
        } else {
            qDebug() << "keyboard option not read; the option is not written back";
        }
    } else {
        uchar b0 = 0, b1 = 0, b2 = 0, b3 = 0;
        if (hid553_83H_GetKeyboardoption(b0, b1, b2, b3)) {
            b3 |= op553::kNotifyOptionBit;
            hid553_03H_SetKeyboardoption(b0, b1, b2, b3);
        } else {
            qDebug() << "keyboard option not read; the option is not written back";
        }
    }

    DeviceRecord record;
    record.notifyPath.clear();
    if (index >= 0 && index < deviceTable.size())
        record = *deviceTable.at(index);

    listening = true;
    listenTask.start([this, record] { listenLoop(record); });
}

void Hid_Thread::stopListening()
{
    listening = false;
    listenTask.wait();
}

void Hid_Thread::listenLoop(DeviceRecord record)
{
    if (record.notifyPath.isEmpty()) {
        // Without a notification interface nothing would ever clear the flag, and
        // device changes would stop triggering detection.
        qDebug() << "no notification interface; not listening";
        listening = false;
        return;
    }
    HidBackend& backend = hidBackend();
    const std::string path = pathBytes(record.notifyPath).toStdString();
    while (listening) {
        HidDevice* handle = backend.open(path);
        if (!handle) {
            qDebug() << "Device removed";
            listening = false;
            emit deviceRemoved(record.notifyPath);
            return;
        }
        backend.setNonblocking(handle, 0);
        std::array<uint8_t, protocol::kNotifyReportSize> report{};
        const int got = backend.readTimeout(handle, report.data(), report.size(), pacing::kNotifyReadTimeoutMs);
        backend.close(handle);
        if (got == protocol::kNotifyReportSize && report[0] == protocol::kNotifyMagic0
            && report[1] == protocol::kNotifyDpiSwitch) {
            const int stage = report[3];
            emit dpiSwitched(stage, dpi_switch_messages::textForStage(stage));
        } else if (got < 0) {
            // A read error that does not come with a failed open: wait as long as a
            // read would have, instead of spinning.
            pacing::sleepThread(pacing::kNotifyReadTimeoutMs);
        }
    }
}

void Hid_Thread::forgetNotifyPath(const QString& notifyPath)
{
    for (DeviceRecord* rec : std::as_const(deviceTable)) {
        if (rec && rec->notifyPath == notifyPath)
            rec->notifyPath.clear();
    }
}

// ---------------------------------------------------------------------------
// Process-wide data

protocol::SecrecyCode& secrecyCode()
{
    static protocol::SecrecyCode code{};
    return code;
}

namespace dpi_switch_messages {
namespace {
// A standard mutex: the texts are read on the notification thread, and thread
// checkers see this lock where they cannot see Qt's.
std::mutex& mutex()
{
    static std::mutex m;
    return m;
}
QStringList defaults() { return QStringList(kCount, QStringLiteral("DPI Switch to")); }
QStringList& texts()
{
    static QStringList t = defaults();
    return t;
}
} // namespace

QString textForStage(int stage)
{
    const int i = (stage >= 1 && stage <= 7) ? stage - 1 : kCount - 1;
    std::lock_guard<std::mutex> lock(mutex());
    return texts().at(i) + QLatin1Char(' ');
}

void replace(const QStringList& newTexts)
{
    std::lock_guard<std::mutex> lock(mutex());
    for (int i = 0; i < kCount && i < newTexts.size(); ++i)
        texts()[i] = newTexts.at(i);
}

QStringList all()
{
    std::lock_guard<std::mutex> lock(mutex());
    return texts();
}

void reset()
{
    std::lock_guard<std::mutex> lock(mutex());
    texts() = defaults();
}
} // namespace dpi_switch_messages
