// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "caret.h"

namespace ostrel::layout {

std::size_t caretPositionAt(std::span<const int> ends, int x)
{
    int left = 0;
    for (std::size_t i = 0; i < ends.size(); ++i) {
        if (x < (left + ends[i]) / 2)
            return i;
        left = ends[i];
    }
    return ends.size();
}

} // namespace ostrel::layout
