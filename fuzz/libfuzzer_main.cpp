// The libFuzzer entry of one target; FUZZ_TARGET names it (set by the build).
#include "targets/targets.h"

#define FUZZ_ENTRY_OF(name) fuzz_##name::fuzzOne
#define FUZZ_ENTRY(name) FUZZ_ENTRY_OF(name)

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    return FUZZ_ENTRY(FUZZ_TARGET)(data, size);
}
