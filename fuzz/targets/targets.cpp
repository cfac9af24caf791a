#include "targets.h"

namespace fuzz {

const std::vector<Target>& targets()
{
    static const std::vector<Target> all = {
        {"macro_file", &fuzz_macro_file::fuzzOne},
        {"macro_encoder", &fuzz_macro_encoder::fuzzOne},
        {"language_file", &fuzz_language_file::fuzzOne},
        {"name_list", &fuzz_name_list::fuzzOne},
        {"profile_import", &fuzz_profile_import::fuzzOne},
        {"query_answers", &fuzz_query_answers::fuzzOne},
        {"notify_reports", &fuzz_notify_reports::fuzzOne},
        {"copy_data", &fuzz_copy_data::fuzzOne},
    };
    return all;
}

} // namespace fuzz
