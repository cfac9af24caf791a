// The commands of the 560 family.
#include "device/hid_thread.h"

#include "device/commands/command_frame.h"
#include "device/commands/opcodes.h"

#include <QDebug>
#include <algorithm>

using namespace op560;

namespace {
constexpr bool kSettle = true;
constexpr bool kNoSettle = false;
} // namespace

bool Hid_Thread::hid560_81H_GetKeyboardoption(uchar& byte1, uchar& byte2)
{
    return runQuery("cmd Failed 81", kGetKeyboardOption, {}, {&byte1, &byte2});
}

bool Hid_Thread::hid560_82H_GetCurrentProfile(uchar& byte1)
{
    return runQuery("cmd Failed 82", kGetCurrentProfile, {}, {&byte1});
}

bool Hid_Thread::hid560_84H_GetCurrentDPI(uchar& byte1, uchar& byte2)
{
    return runQuery("cmd Failed 84", kGetCurrentDpi, {byte1}, {&byte1, &byte2});
}

bool Hid_Thread::hid560_01H_SetKeyboardoption(uchar byte1, uchar byte2)
{
    return runSend("cmd Failed 01", kSetKeyboardOption, {byte1, byte2}, nullptr, 0, kNoSettle);
}

bool Hid_Thread::hid560_03H_SetReportRate(uchar rate)
{
    return runRepeated("cmd Failed 03", kSetReportRate, rate);
}

bool Hid_Thread::hid560_04H_SetCurrentDPI(uchar stage)
{
    return runRepeated("cmd Failed 04", kSetCurrentDpi, stage);
}

bool Hid_Thread::hid560_0DH_SetKeyMatrix(uchar* src64, uchar indexAddOne)
{
    if (!src64) {
        qDebug() << "hid560_0DH_SetKeyMatrix: no key matrix; nothing is sent";
        return false;
    }
    // 64 key bytes, padded with zeros to the 128 bytes the firmware takes.
    std::array<uint8_t, kKeyMatrixLength> padded{};
    std::copy_n(src64, kKeyMatrixSourceLength, padded.begin());
    return runSend("cmd Failed 0D", kSetKeyMatrix, {indexAddOne, kKeyMatrixLength}, padded.data(),
                   kKeyMatrixLength, kSettle);
}

bool Hid_Thread::hid560_0CH_setProfile(uchar* src128, uchar profileData)
{
    return runSend("cmd Failed 0C", kSetProfile, {profileData, kProfileLength}, src128, kProfileLength, kSettle);
}

bool Hid_Thread::hid560_8CH_readProfile(uchar* src128, uchar profileNo)
{
    if (!src128) {
        qDebug() << "hid560_8CH_readProfile: no buffer; nothing is read";
        return false;
    }
    if (!acquireLink()) {
        qDebug().noquote() << "cmd Failed 8c";
        return false;
    }
    const CommandScope running(*this);
    command_frame::stage(featureOut, kReadProfile, {profileNo});
    featureIn.fill(0);   // no out-arguments: report ID 0 and zeros
    // The read lands on the caller's bytes: chunks that never arrive leave them as they were.
    std::copy_n(src128, kProfileLength, bulkBuffer.begin());
    const bool ok = queryCommand(kProfileLength);
    std::copy_n(bulkBuffer.begin(), kProfileLength, src128);
    return ok;
}

bool Hid_Thread::hid560_02H_SetCurrentProfile(uchar profile)
{
    return runSend("cmd Failed 02", kSetCurrentProfile, {profile}, nullptr, 0, kNoSettle);
}

bool Hid_Thread::hid560_0FH_SetMacroKey(uchar macroId, uchar* src128)
{
    return runSend("cmd Failed 0F", kSetMacroKey, {macroId, kMacroLength}, src128, kMacroLength, kSettle);
}
