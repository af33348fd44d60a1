// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "drawing.h"
#include "fee_windows.h"
#include "window_table.h"

#include <gtest/gtest.h>

#include <string_view>

namespace {

namespace form = ostrel::layout;

// A frame's edge runs through the middle of its caption's line, and the caption starts as far
// in as the edge runs down; a frame without a caption has its edge all round its place.
struct FrameCase {
    const char *name;
    int width, height, captionWidth, lineHeight;
    form::FrameDrawing expected;
};

class FrameDrawing : public testing::TestWithParam<FrameCase> {};

TEST_P(FrameDrawing, PutsTheEdgeThroughTheCaption)
{
    const FrameCase &given = GetParam();
    const form::FrameDrawing drawn =
        form::frameDrawing(given.width, given.height, given.captionWidth, given.lineHeight);
    EXPECT_EQ(drawn.edge, given.expected.edge);
    EXPECT_EQ(drawn.caption, given.expected.caption);
}

INSTANTIATE_TEST_SUITE_P(
    Frames, FrameDrawing,
    testing::Values(FrameCase{"captioned", 250, 100, 160, 16, {{0, 8, 250, 92}, {8, 0, 160, 16}}},
                    // An odd line height: the edge and the caption's inset round down alike.
                    FrameCase{"oddLine", 375, 150, 240, 25, {{0, 12, 375, 138}, {12, 0, 240, 25}}},
                    FrameCase{"uncaptioned", 250, 100, 0, 16, {{0, 0, 250, 100}, {}}}),
    [](const auto &tested) { return std::string(tested.param.name); });

// A line stands in the middle of its band, a pixel nearer the top where it cannot be exactly.
struct LineCase {
    form::LineBand band;
    int lineHeight;
    int top;
};

class LineTop : public testing::TestWithParam<LineCase> {};

TEST_P(LineTop, CentresTheLineInItsBand)
{
    EXPECT_EQ(form::lineTop(GetParam().band, GetParam().lineHeight), GetParam().top);
}

INSTANTIATE_TEST_SUITE_P(Bands, LineTop,
                         testing::Values(LineCase{{0, 18}, 14, 2}, LineCase{{24, 18}, 15, 25},
                                         LineCase{{48, 27}, 21, 51},
                                         // A line taller than its band spills over both edges.
                                         LineCase{{0, 18}, 22, -2}));

// The window draws the captions beside the fields and those centred or right-aligned; the
// platform draws every other caption, and every other kind of control.
struct CaptionCase {
    std::string_view control;
    bool drawnByWindow;
};

class CaptionDrawing : public testing::TestWithParam<CaptionCase> {};

TEST_P(CaptionDrawing, IsTheWindowsWhereThePlatformWouldMisplaceIt)
{
    const form::WindowDescription &window = form::mainWindow();
    EXPECT_EQ(form::isCaptionDrawnByWindow(window, *window.findControl(GetParam().control)),
              GetParam().drawnByWindow);
}

INSTANTIATE_TEST_SUITE_P(MainWindow, CaptionDrawing,
                         testing::Values(CaptionCase{"L1", true}, CaptionCase{"Label1", true},
                                         CaptionCase{"BYNARO", true}, CaptionCase{"feeModel", true},
                                         CaptionCase{"yhs", false}, CaptionCase{"xsall", false},
                                         CaptionCase{"Frame1", false},
                                         CaptionCase{"oldprice", false}));

TEST(CaptionDrawing, TheDetailsFiguresAreRightAligned)
{
    const form::WindowDescription &detail = form::detailWindow();
    int drawn = 0;
    for (const form::Control &control : detail.controls()) {
        const bool rightAligned =
            control.kind == form::Kind::label && control.align == form::Align::right;
        EXPECT_EQ(form::isCaptionDrawnByWindow(detail, control), rightAligned) << control.id;
        drawn += rightAligned ? 1 : 0;
    }
    EXPECT_GT(drawn, 0);
}

} // namespace
