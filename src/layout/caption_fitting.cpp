// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "caption_fitting.h"

#include <algorithm>
#include <cmath>

namespace ostrel::layout {

double letterTightening(double drawnWidth, int placeWidth, std::size_t letters)
{
    const double gaps = static_cast<double>(letters) - 1;
    const double excess = drawnWidth - placeWidth;
    if (gaps < 1 || excess <= 0)
        return 0;
    return std::min(std::ceil(excess / gaps), mostLetterTightening);
}

} // namespace ostrel::layout
