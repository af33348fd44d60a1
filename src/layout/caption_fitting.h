// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstddef>

// How a one-line caption keeps to its place when the desktop's face draws it wider than the
// face the window was drawn for.
namespace ostrel::layout {

// The most a caption's letters close up by, in pixels between two letters.
inline constexpr double mostLetterTightening = 2.0;

// How many pixels to take from between each two letters of a one-line caption of `letters`
// letters (UTF-16 units) that is drawn `drawnWidth` pixels wide, to fit `placeWidth`: 0 where
// it fits already or has no gap to close. A Chinese face a pixel wider than the one the window
// was drawn for would cut the last stroke of a caption that fills its place ("/千"); rather
// than move the place, the letters close up by a pixel or two, which the eye does not notice.
double letterTightening(double drawnWidth, int placeWidth, std::size_t letters);

} // namespace ostrel::layout
