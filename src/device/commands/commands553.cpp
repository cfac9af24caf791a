// The commands of the 553 family.
#include "device/hid_thread.h"

#include "device/commands/opcodes.h"

using namespace op553;

namespace {
constexpr bool kSettle = true;
constexpr bool kNoSettle = false;
} // namespace

bool Hid_Thread::hid553_00H_GetSecrecyCode(uchar& byte1, uchar& byte2, uchar& byte3, uchar& byte4)
{
    return runQuery("cmd Failed 00", kGetSecrecyCode, {byte1, byte2, byte3, byte4}, {&byte1, &byte2, &byte3, &byte4});
}

bool Hid_Thread::hid553_83H_GetKeyboardoption(uchar& byte1, uchar& byte2, uchar& byte3, uchar& byte4)
{
    return runQuery("cmd Failed 83", kGetKeyboardOption, {}, {&byte1, &byte2, &byte3, &byte4});
}

bool Hid_Thread::hid553_8BH_GetCurrentDPI(uchar& byte1)
{
    return runQuery("cmd Failed 8BH", kGetCurrentDpi, {}, {&byte1});
}

bool Hid_Thread::hid553_03H_SetKeyboardoption(uchar byte1, uchar byte2, uchar byte3, uchar byte4)
{
    return runSend("cmd Failed 03", kSetKeyboardOption, {byte1, byte2, byte3, byte4}, nullptr, 0, kNoSettle);
}

bool Hid_Thread::hid553_04H_SetGunData(uchar byte1, uchar byte2, uchar byte3, uchar byte4)
{
    return runSend("cmd Failed 04", kSetGunData, {0x00, byte1, byte2, byte3, byte4}, nullptr, 0, kNoSettle);
}

bool Hid_Thread::hid553_01H_SetReportRate(uchar rate)
{
    return runSend("cmd Failed 01", kSetReportRate, {rate}, nullptr, 0, kSettle);
}

bool Hid_Thread::hid553_0BH_SetCurrentDPI(uchar stage)
{
    return runSend("cmd Failed 0B", kSetCurrentDpi, {stage}, nullptr, 0, kSettle);
}

bool Hid_Thread::hid553_12H_SetKeyMatrix(uchar* src64, uchar indexAddOne)
{
    return runSend("cmd Failed 12", kSetKeyMatrix, {indexAddOne, kKeyMatrixLength, kKeyMatrixFlag}, src64,
                   kKeyMatrixLength, kSettle);
}

bool Hid_Thread::hid553_13H_SetMacroKey(uchar macroId, uchar* src128)
{
    return runSend("cmd Failed 13", kSetMacroKey, {macroId, kMacroLength}, src128, kMacroLength, kSettle);
}

bool Hid_Thread::hid553_11H_SetDPISet(uchar dpiStage, uchar* src8)
{
    return runSend("cmd Failed 11", kSetDpiSet, {dpiStage, kDpiSetLength}, src8, kDpiSetLength, kSettle);
}

bool Hid_Thread::hid553_02H_SetCurrentKeyMatrix(uchar currentKeyMatrix)
{
    return runSend("cmd Failed 02", kSetCurrentKeyMatrix, {currentKeyMatrix}, nullptr, 0, kSettle);
}

bool Hid_Thread::hid553_0DH_SetRGBLedEffect(uchar effect, uchar option1, uchar option2)
{
    return runSend("cmd Failed 0D", kSetRgbLedEffect, {effect, option1, option2}, nullptr, 0, kSettle);
}

bool Hid_Thread::hid553_10H_SetLED8StageColor(uchar type, uchar* src24)
{
    const int n = type == kStageColorIndexType ? kStageColorIndexLength : kStageColorSetLength;
    return runSend("cmd Failed 10", kSetLed8StageColor, {type, static_cast<uint8_t>(n)}, src24, n, kSettle);
}
