// Not built yet: the commands of the 553 family.
#include "device/hid_thread.h"
#pragma GCC diagnostic ignored "-Wunused-parameter"
bool Hid_Thread::hid553_00H_GetSecrecyCode(uchar&, uchar&, uchar&, uchar&) { return false; }
bool Hid_Thread::hid553_83H_GetKeyboardoption(uchar&, uchar&, uchar&, uchar&) { return false; }
bool Hid_Thread::hid553_8BH_GetCurrentDPI(uchar&) { return false; }
bool Hid_Thread::hid553_03H_SetKeyboardoption(uchar, uchar, uchar, uchar) { return false; }
bool Hid_Thread::hid553_04H_SetGunData(uchar, uchar, uchar, uchar) { return false; }
bool Hid_Thread::hid553_01H_SetReportRate(uchar) { return false; }
bool Hid_Thread::hid553_0BH_SetCurrentDPI(uchar) { return false; }
bool Hid_Thread::hid553_12H_SetKeyMatrix(uchar*, uchar) { return false; }
bool Hid_Thread::hid553_13H_SetMacroKey(uchar, uchar*) { return false; }
bool Hid_Thread::hid553_11H_SetDPISet(uchar, uchar*) { return false; }
bool Hid_Thread::hid553_02H_SetCurrentKeyMatrix(uchar) { return false; }
bool Hid_Thread::hid553_0DH_SetRGBLedEffect(uchar, uchar, uchar) { return false; }
bool Hid_Thread::hid553_10H_SetLED8StageColor(uchar, uchar*) { return false; }
