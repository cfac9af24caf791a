// Not built yet: the commands of the 560 family.
#include "device/hid_thread.h"
#pragma GCC diagnostic ignored "-Wunused-parameter"
bool Hid_Thread::hid560_81H_GetKeyboardoption(uchar&, uchar&) { return false; }
bool Hid_Thread::hid560_82H_GetCurrentProfile(uchar&) { return false; }
bool Hid_Thread::hid560_84H_GetCurrentDPI(uchar&, uchar&) { return false; }
bool Hid_Thread::hid560_01H_SetKeyboardoption(uchar, uchar) { return false; }
bool Hid_Thread::hid560_03H_SetReportRate(uchar) { return false; }
bool Hid_Thread::hid560_04H_SetCurrentDPI(uchar) { return false; }
bool Hid_Thread::hid560_0DH_SetKeyMatrix(uchar*, uchar) { return false; }
bool Hid_Thread::hid560_0CH_setProfile(uchar*, uchar) { return false; }
bool Hid_Thread::hid560_8CH_readProfile(uchar*, uchar) { return false; }
bool Hid_Thread::hid560_02H_SetCurrentProfile(uchar) { return false; }
bool Hid_Thread::hid560_0FH_SetMacroKey(uchar, uchar*) { return false; }
