// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "caption_fitting.h"

#include <gtest/gtest.h>

#include <string>

namespace {

namespace form = ostrel::layout;

// A caption that overflows its place closes up each gap between its letters by whole pixels,
// enough to fit and never more than two; one that fits, or has no gap, stays as it is.
struct FittingCase {
    const char *name;
    double drawnWidth;
    int placeWidth;
    std::size_t letters;
    double tightening;
};

class LetterTightening : public testing::TestWithParam<FittingCase> {};

TEST_P(LetterTightening, ClosesUpWhatOverflows)
{
    const FittingCase &given = GetParam();
    EXPECT_EQ(form::letterTightening(given.drawnWidth, given.placeWidth, given.letters),
              given.tightening);
}

INSTANTIATE_TEST_SUITE_P(
    Captions, LetterTightening,
    testing::Values(FittingCase{"fits", 60, 60, 5, 0}, FittingCase{"narrower", 40.5, 60, 5, 0},
                    // A pixel too wide over four gaps: each closes by a whole pixel.
                    FittingCase{"aPixelOver", 61, 60, 5, 1},
                    FittingCase{"halfAPixelOver", 60.5, 60, 5, 1},
                    // Four pixels over four gaps close them a pixel each; five, two each.
                    FittingCase{"fourPixelsOver", 64, 60, 5, 1},
                    FittingCase{"fivePixelsOver", 65, 60, 5, 2},
                    // Two letters have one gap to close up.
                    FittingCase{"twoLetters", 61.5, 60, 2, 2},
                    // Far too wide: never more than two pixels a gap.
                    FittingCase{"farOver", 90, 60, 5, form::mostLetterTightening},
                    FittingCase{"oneLetter", 70, 60, 1, 0}, FittingCase{"empty", 70, 60, 0, 0}),
    [](const auto &tested) { return std::string(tested.param.name); });

} // namespace
