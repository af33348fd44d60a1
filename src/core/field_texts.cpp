// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "field_texts.h"

namespace ostrel::core {

FieldTexts FieldTexts::read(const Window &window)
{
    FieldTexts texts;
    for (const Field field : allFields)
        texts[field] = window.text(field);
    return texts;
}

} // namespace ostrel::core
