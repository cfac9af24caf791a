// Not built yet: how one catalogue command runs on the transport.
#include "device/hid_thread.h"
bool Hid_Thread::runSend(const char*, uint8_t, std::initializer_list<uint8_t>, const uint8_t*, int, bool) { return false; }
bool Hid_Thread::runQuery(const char*, uint8_t, std::initializer_list<uint8_t>, std::initializer_list<uchar*>) { return false; }
bool Hid_Thread::runRepeated(const char*, uint8_t, uchar) { return false; }
