#pragma once

#include "runtime/window.h"

#include <array>
#include <string>

namespace ostrel::calc {

// The texts of the seven fields as the calculation reads them, indexed by field.
class Texts {
public:
    Texts() = default;
    static Texts read(const Window &window);

    const std::u16string &operator[](Field field) const { return m_texts[index(field)]; }
    std::u16string &operator[](Field field) { return m_texts[index(field)]; }

private:
    static std::size_t index(Field field) { return static_cast<std::size_t>(field); }
    std::array<std::u16string, std::size(allFields)> m_texts;
};

} // namespace ostrel::calc
