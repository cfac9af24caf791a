#pragma once
// Whether a WM_COPYDATA record asks for the warning box, and with which text.

#include "input/input_hooks.h"

#include <QString>

namespace copy_data {

// The dwData that marks a warning text.
constexpr std::uintptr_t kWarningTag = 0x250F;

struct Decision {
    bool show = false;
    QString text;
};

// Shows only when the tag matches and cbData equals the UTF-8 byte length of the
// text. The text is decoded from at most cbData bytes of lpData, ending at the
// first zero byte within them; nothing beyond cbData is ever read.
Decision decide(const CopyDataRecord& record);

} // namespace copy_data
