// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "window.h"

#include <array>
#include <string>

namespace ostrel::core {

// The texts of the seven fields as the calculation reads them, indexed by field.
class FieldTexts {
public:
    FieldTexts() = default;
    static FieldTexts read(const Window &window);

    const std::u16string &operator[](Field field) const { return m_texts[indexOf(field)]; }
    std::u16string &operator[](Field field) { return m_texts[indexOf(field)]; }

private:
    std::array<std::u16string, fieldCount> m_texts;
};

} // namespace ostrel::core
