// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "keypad.h"

#include "utf16.h"

namespace ostrel::core {
namespace {

bool takesPoint(Field field)
{
    return field == Field::oldPrice || field == Field::newPrice;
}

} // namespace

std::optional<std::u16string> keyEdit(std::u16string_view text, Key key, bool takesPoint)
{
    const std::u16string zero = u"0";
    switch (key) {
    case Key::point:
        if (!takesPoint)
            return std::nullopt;
        return std::u16string(text) + u'.';
    case Key::backspace: {
        // The backspace key never leaves a field empty.
        std::u16string shorter =
            numbers::length(text) < 2 ? std::u16string() : numbers::withoutLastCharacter(text);
        return shorter.empty() ? zero : shorter;
    }
    case Key::clear:
        return zero;
    default:
        break;
    }
    const char16_t digit = static_cast<char16_t>(u'0' + static_cast<int>(key));
    // A lone 0 is replaced by the first digit; any other text is appended to.
    if (text == zero)
        return std::u16string(1, digit);
    return std::u16string(text) + digit;
}

void pressKey(const State &state, Window &window, Key key)
{
    const Field target = state.keypadTarget;
    if (auto edited = keyEdit(window.text(target), key, takesPoint(target)))
        window.setText(target, *edited);
    window.setCaret(target, numbers::length(window.text(target)));
}

} // namespace ostrel::core
