#pragma once

#include "form/state.h"

#include <optional>
#include <string>

namespace ostrel::entry {

// Keys of the on-screen keypad by their index: 0 to 9 digits, then these three.
inline constexpr int pointKey = 10;
inline constexpr int backspaceKey = 11;
inline constexpr int zeroKey = 12;
inline constexpr int keypadKeys = 13;

// The text a key press makes of a field's text, or none when the text stays as it is.
// Only the price fields take a decimal point.
std::optional<std::u16string> keyEdit(std::u16string_view text, int key, bool takesPoint);

// A press of keypad key `key`: edits the field that `goText1` names, not the field with the
// focus, and puts that field's caret after its last character. The focus does not move.
void keypadPress(const form::State &state, Window &window, int key);

} // namespace ostrel::entry
