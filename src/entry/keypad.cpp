#include "entry/keypad.h"

#include "runtime/text.h"

namespace ostrel::entry {

std::optional<std::u16string> keyEdit(std::u16string_view text, int key, bool takesPoint)
{
    const std::u16string zero = u"0";
    if (key >= 0 && key <= 9) {
        const char16_t digit = static_cast<char16_t>(u'0' + key);
        // A lone 0 is replaced by the first digit; any other text is appended to.
        if (text == zero)
            return std::u16string(1, digit);
        return std::u16string(text) + digit;
    }
    switch (key) {
    case pointKey:
        if (!takesPoint)
            return std::nullopt;
        return std::u16string(text) + u'.';
    case backspaceKey: {
        // The backspace key never leaves a field empty.
        std::u16string shorter =
            runtime::length(text) < 2 ? std::u16string() : runtime::withoutLastCharacter(text);
        return shorter.empty() ? zero : shorter;
    }
    case zeroKey:
        return zero;
    default:
        return std::nullopt;
    }
}

void keypadPress(const form::State &state, Window &window, int key)
{
    const auto target = form::keypadTarget(state.goText1);
    if (!target || key < 0 || key >= keypadKeys)
        return;
    const bool takesPoint = *target == Field::oldprice || *target == Field::newprice;
    if (auto edited = keyEdit(window.text(*target), key, takesPoint))
        window.setText(*target, *edited);
    window.setCaret(*target, runtime::length(window.text(*target)));
}

} // namespace ostrel::entry
