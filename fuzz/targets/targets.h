#pragma once
// Every fuzz target: one function per place where bytes from outside are parsed.
// Each takes the fuzzer's bytes, returns 0, and aborts (fuzz::fail) on a broken
// property. The libFuzzer entry of each target and the replay test call them.

#include <cstddef>
#include <cstdint>
#include <vector>

#define CORVANE_FUZZ_TARGET(name) \
    namespace fuzz_##name { \
    int fuzzOne(const uint8_t* data, size_t size); \
    }

CORVANE_FUZZ_TARGET(macro_file)
CORVANE_FUZZ_TARGET(macro_encoder)
CORVANE_FUZZ_TARGET(language_file)
CORVANE_FUZZ_TARGET(name_list)
CORVANE_FUZZ_TARGET(profile_import)
CORVANE_FUZZ_TARGET(query_answers)
CORVANE_FUZZ_TARGET(notify_reports)
CORVANE_FUZZ_TARGET(copy_data)

namespace fuzz {

struct Target {
    const char* name;   // also the folder of its corpus: fuzz/corpus/<name>/
    int (*run)(const uint8_t* data, size_t size);
};

const std::vector<Target>& targets();

} // namespace fuzz
