#include "device/hid_backend.h"
#include "device/hidapi_backend.h"

#include <atomic>

namespace {
std::atomic<HidBackend*> g_installed{nullptr};
}

HidBackend& hidBackend()
{
    HidBackend* b = g_installed.load();
    return b ? *b : hidapiBackend();
}

void installHidBackend(HidBackend* backend) { g_installed.store(backend); }
