// How one catalogue command runs on the transport: take the link, build the
// block, stage payload or answer preset, transfer, and hand the answer back.
#include "device/hid_thread.h"

#include "device/commands/command_frame.h"
#include "device/commands/opcodes.h"
#include "device/pacing.h"

#include <QDebug>
#include <algorithm>

namespace {

using command_frame::kReportId;
using command_frame::stage;

// The answer block a[0..7] sits in featureIn[1..8]; out-arguments start at a[1].
constexpr int kFirstAnswerValue = 2;
constexpr size_t kMaxAnswerValues = 6;   // a[1..6]; a[7] is the checksum

void writeFailure(const char* failLine)
{
    qDebug().noquote() << failLine;
}

} // namespace

bool Hid_Thread::runSend(const char* failLine, uint8_t opcode, std::initializer_list<uint8_t> params,
                         const uint8_t* payload, int payloadLength, bool settle)
{
    if (payloadLength < 0 || payloadLength > protocol::kBulkBufferSize || (payloadLength > 0 && !payload)) {
        qDebug() << "command" << Qt::hex << int(opcode) << "has no valid payload; nothing is sent";
        return false;
    }
    if (!acquireLink()) {
        writeFailure(failLine);
        return false;
    }
    // The pause after an unsettled command still belongs to it.
    const CommandScope running(*this);
    stage(featureOut, opcode, params);
    if (payloadLength > 0)
        std::copy_n(payload, payloadLength, bulkBuffer.begin());
    const bool ok = sendCommand(payloadLength, settle);
    if (!settle)
        pacing::pause(pacing::kUnsettledCommandMs);
    return ok;
}

bool Hid_Thread::runQuery(const char* failLine, uint8_t opcode, std::initializer_list<uint8_t> params,
                          std::initializer_list<uchar*> outs)
{
    if (std::any_of(outs.begin(), outs.end(), [](uchar* p) { return p == nullptr; })
        || outs.size() > kMaxAnswerValues) {
        qDebug() << "query" << Qt::hex << int(opcode) << "has no valid out-arguments; nothing is sent";
        return false;
    }
    if (!acquireLink()) {
        writeFailure(failLine);
        return false;
    }
    const CommandScope running(*this);
    stage(featureOut, opcode, params);
    // The answer frame starts as the out-arguments' values, so a mouse that does
    // not answer hands them back. The challenge query presets nothing: its
    // answer must come from the mouse.
    featureIn.fill(0);
    featureIn[0] = kReportId;
    if (opcode != op553::kGetSecrecyCode) {
        int i = kFirstAnswerValue;
        for (uchar* out : outs)
            featureIn[i++] = *out;
    }
    const bool ok = queryCommand(0);
    int i = kFirstAnswerValue;
    for (uchar* out : outs)
        *out = featureIn[i++];
    return ok;
}

bool Hid_Thread::runRepeated(const char* failLine, uint8_t opcode, uchar value)
{
    if (!acquireLink()) {
        writeFailure(failLine);
        return false;
    }
    const CommandScope running(*this);
    bool all = true;
    for (int k = op560::kRepeatFirst; k <= op560::kRepeatLast; ++k) {
        // The link stays ours for the whole series: each transfer gives it back.
        linkFree = false;
        stage(featureOut, opcode, {static_cast<uint8_t>(k), value});
        all = sendCommand(0, true) && all;
        if (modelIsGun())
            break;
    }
    return all;
}
