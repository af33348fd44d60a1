#pragma once

#include "form/state.h"

namespace ostrel::entry {

enum class ResetGroup {
    all,      // "全部重置": every field back to its start-up text
    oldStock, // the old stock's group: price 0, and the smallest holding that passes, 100
    newStock, // the new stock's group
};

// Clears the calculation values, confirms on the result line and writes the group's texts.
// The keypad's target, the focus and every other field stay as they were.
void reset(form::State &state, Window &window, ResetGroup group);

} // namespace ostrel::entry
