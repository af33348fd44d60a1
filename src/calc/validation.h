#pragma once

#include "calc/texts.h"
#include "form/state.h"

#include <optional>
#include <string_view>

namespace ostrel::calc {

inline constexpr std::u16string_view inputErrorTitle = u"输入错误";

// The first input fault in the fixed order of the checks, as the body of its message box;
// none when every input passes. Only one fault is ever reported per calculation.
std::optional<std::u16string_view> firstInputFault(const Texts &texts);

// Runs the checks: on a fault, sets `errflag` and shows the one message box.
void checkInputs(form::State &state, Window &window, const Texts &texts);

} // namespace ostrel::calc
