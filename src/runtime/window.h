#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace ostrel {

// The seven entry fields of the window. `ybuy` is hidden for the window's whole life but its
// text still takes part in the checks and the resets.
enum class Field { oldprice, buy6, newprice, ybuy, souxufei, savemoney, buymoney };

inline constexpr Field allFields[] = {Field::oldprice, Field::buy6,     Field::newprice,
                                      Field::ybuy,     Field::souxufei, Field::savemoney,
                                      Field::buymoney};

std::string_view fieldName(Field field);
// The field of that name, or none.
std::optional<Field> fieldNamed(std::string_view name);

// Everything the handlers may do to the window, and nothing more. Texts are UTF-16, the
// unit in which the window counts characters and caret positions.
class Window {
public:
    virtual ~Window() = default;

    virtual std::u16string text(Field field) const = 0;
    virtual void setText(Field field, std::u16string_view text) = 0;
    // Caret position in characters; the text's length puts it after the last character.
    virtual void setCaret(Field field, std::size_t position) = 0;
    virtual void setFocus(Field field) = 0;
    // The caption of the result line `xsall`.
    virtual void setResult(std::u16string_view caption) = 0;
    // A modal box with one OK button and no icon; returns once the user has closed it.
    virtual void messageBox(std::u16string_view title, std::u16string_view body) = 0;

protected:
    Window() = default;
    Window(const Window &) = default;
    Window &operator=(const Window &) = default;
};

} // namespace ostrel
