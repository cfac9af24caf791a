// Not built yet: hidapi backend and the process-wide seam.
#include "device/hid_backend.h"
namespace { HidBackend* g_installed = nullptr; }
HidBackend& hidBackend() { return *g_installed; }
void installHidBackend(HidBackend* b) { g_installed = b; }
