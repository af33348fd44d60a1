// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "own_colours.h"

#include <gtest/gtest.h>

#include <string>

namespace {

namespace form = ostrel::layout;
using form::Colour;
using form::Kind;

// A control's colours, and whether the platform may draw it in the desktop's colours, and
// whether the window draws it itself.
struct ColourCase {
    const char *name;
    Kind kind;
    Colour foreground;
    Colour background;
    bool usesSystemColours;
    bool drawnByWindow;
};

class OwnColours : public testing::TestWithParam<ColourCase> {};

TEST_P(OwnColours, LeaveTheDesktopsColoursAlone)
{
    const ColourCase &given = GetParam();
    const form::Control control{
        .kind = given.kind, .foreground = given.foreground, .background = given.background};
    EXPECT_EQ(form::usesSystemColours(control), given.usesSystemColours);
    EXPECT_EQ(form::isFrameDrawnByWindow(control), given.drawnByWindow);
}

INSTANTIATE_TEST_SUITE_P(
    Controls, OwnColours,
    testing::Values(
        ColourCase{"systemFrame", Kind::frame, Colour::system(), Colour::system(), true, false},
        ColourCase{"noneIsTheDesktops", Kind::frame, Colour::none(), Colour::system(), true, false},
        ColourCase{"faceOfItsOwn", Kind::frame, Colour::system(), Colour::fixed(0xC0C0C0), false,
                   true},
        ColourCase{"textOfItsOwn", Kind::frame, Colour::fixed(0x0000FF), Colour::none(), false,
                   true},
        ColourCase{"highlightIsNoSystemFace", Kind::frame, Colour::highlightText(),
                   Colour::system(), false, true},
        // Only a frame is drawn by the window for its colours; a label is coloured as it is.
        ColourCase{"colouredLabel", Kind::label, Colour::fixed(0xFF0000), Colour::system(), false,
                   false},
        ColourCase{"plainButton", Kind::button, Colour::system(), Colour::none(), true, false}),
    [](const auto &tested) { return std::string(tested.param.name); });

} // namespace
