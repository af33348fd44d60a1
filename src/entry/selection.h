#pragma once

#include "form/state.h"

namespace ostrel::entry {

// A mouse click on one of the six visible fields: it becomes the keypad's target, takes the
// focus and gets the caret after its last character. A click on the fee field starts the fee
// afresh with "0"; a click on `buymoney` fills in the full funds.
void fieldClick(form::State &state, Window &window, Field field);

} // namespace ostrel::entry
