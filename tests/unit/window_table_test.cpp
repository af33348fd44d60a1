// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "fee_windows.h"
#include "window_links.h"
#include "window_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <variant>
#include <vector>

namespace {

namespace form = ostrel::layout;

TEST(Layout, TabOrderSkipsTheHiddenFieldAndFollowsTabIndex)
{
    std::vector<std::string> names;
    for (const form::Control *control : form::tabOrder())
        names.emplace_back(control->id);
    std::vector<std::string> expected = {"oldprice", "buy6",        "newprice", "savemoney",
                                         "buymoney", "souxufei",    "Command1", "Command2",
                                         "C44",      "Command4(0)", "Command5"};
    for (int key = 0; key <= 12; ++key)
        expected.push_back("Command3(" + std::to_string(key) + ")");
    // The two additions come after every control of the window as it was designed.
    expected.insert(expected.end(), {"feeSettings", "detail", "oldBoard", "newBoard"});
    EXPECT_EQ(names, expected);
}

struct HitCase {
    int x, y;
    const char *control; // nullptr: the bare window
};

class HitTest : public testing::TestWithParam<HitCase> {};

TEST_P(HitTest, TopmostControlReceivesTheClick)
{
    const form::Control *hit = form::controlAt(GetParam().x, GetParam().y);
    if (!GetParam().control) {
        EXPECT_EQ(hit, nullptr);
        return;
    }
    ASSERT_NE(hit, nullptr);
    EXPECT_EQ(hit->id, GetParam().control);
}

INSTANTIATE_TEST_SUITE_P(
    Points, HitTest,
    testing::Values(HitCase{480, 110, "Command5"}, // drawn over Frame2
                    HitCase{470, 95, "Command5"}, HitCase{276, 140, "Frame2"},
                    HitCase{210, 100, "Command4(0)"}, // covers the right part of Label1
                    HitCase{195, 100, "Label1"}, HitCase{120, 100, "oldprice"},
                    HitCase{120, 125, "buy6"}, HitCase{380, 130, "Frame2"}, // hidden ybuy
                    HitCase{0, 370, "BYNARO"}, HitCase{533, 379, nullptr},
                    HitCase{20, 300, "Command3(0)"}, HitCase{500, 300, "Command3(12)"},
                    HitCase{10, 280, "Frame3"}, HitCase{300, 180, "xsall"}, HitCase{0, 0, nullptr},
                    HitCase{534, 10, nullptr}, HitCase{-1, 10, nullptr}));

TEST(Layout, PixelsAreTwipsOverFifteen)
{
    EXPECT_EQ(form::clientPixels(*form::findControl("Command5")).top, 93);
    EXPECT_EQ(form::clientPixels(*form::findControl("buy6")).left, 16 + 88);
    EXPECT_EQ(form::clientPixels(*form::findControl("Command3(11)")).left, 7 + 315);
    EXPECT_EQ(form::clientPixels(*form::findControl("BYNARO")).left, -7);
    // Where the window first opens, when the desktop lets it choose.
    EXPECT_EQ(form::twipsToPixels(form::window().storedLeftTwips), 227);
    EXPECT_EQ(form::twipsToPixels(form::window().storedTopTwips), 174);
}

TEST(Layout, CaptionsKeepTheirBlanks)
{
    EXPECT_EQ(form::findControl("L1")->text,
              u"* 当前股价：" + std::u16string(15, u' ') + u"* 持股总数：");
    EXPECT_EQ(form::findControl("Label3")->text, u"* 当前股价：" + std::u16string(18, u' '));
    EXPECT_EQ(form::findControl("Label1")->text, u"元" + std::u16string(8, u' ') + u"股");
    EXPECT_EQ(form::window().caption, u"QZ Ostrel v1.2   ");
}

// Every action a user can run has exactly one control, and each field is one text box.
TEST(Layout, EachActionAndFieldBelongsToOneControl)
{
    using namespace ostrel;
    std::vector<Action> actions = {Calculate{}, Reset{ResetGroup::all}, Reset{ResetGroup::oldStock},
                                   Reset{ResetGroup::newStock}, ShowInstructions{}};
    for (int key = 0; key < keyCount; ++key)
        actions.push_back(PressKey{keyAt(key)});
    for (const Field field : allFields) {
        if (field != Field::plannedShares)
            actions.push_back(SelectField{field});
        EXPECT_EQ(form::fieldControl(field).field, field);
        EXPECT_EQ(form::fieldControl(field).kind, form::Kind::textBox);
    }
    for (const Action &action : actions) {
        const auto count =
            std::count_if(form::controls().begin(), form::controls().end(),
                          [&](const auto &control) { return control.action == action; });
        EXPECT_EQ(count, 1) << action.index();
    }
    EXPECT_FALSE(form::fieldControl(Field::plannedShares).visible);
    EXPECT_TRUE(std::holds_alternative<NoAction>(form::fieldControl(Field::plannedShares).action));
}

// Only the answer can be selected and copied: a caption that takes no focus and runs nothing
// when clicked, so that selecting in it moves no focus and changes no field.
TEST(Layout, OnlyTheResultLineIsSelectable)
{
    std::vector<std::string> selectable;
    for (const form::Control &control : form::controls()) {
        if (control.selectableText)
            selectable.emplace_back(control.id);
    }
    EXPECT_EQ(selectable, std::vector<std::string>{std::string(form::resultLine().id)});
    const form::Control &line = form::resultLine();
    EXPECT_EQ(line.kind, form::Kind::label);
    EXPECT_FALSE(line.takesFocus());
    EXPECT_TRUE(std::holds_alternative<ostrel::NoAction>(line.action));
}

// Return on the control with the focus: a field starts the calculation, a push button runs
// what its click runs, and a caption, a frame or the hidden field let it pass.
TEST(Layout, EnterCalculatesInAFieldAndPressesAButton)
{
    using namespace ostrel;
    for (const form::Control &control : form::controls()) {
        if (control.kind == form::Kind::button) {
            EXPECT_EQ(control.actionOnEnter(), control.action) << control.id;
        }
    }
    for (const Field field : allFields) {
        if (field != Field::plannedShares) {
            EXPECT_EQ(form::fieldControl(field).actionOnEnter(), Action{Calculate{}});
        }
    }
    EXPECT_EQ(form::findControl("Command2")->actionOnEnter(), Action{Reset{ResetGroup::all}});
    EXPECT_EQ(form::findControl("Command3(11)")->actionOnEnter(), Action{PressKey{Key::backspace}});
    EXPECT_EQ(form::findControl("Label1")->actionOnEnter(), Action{NoAction{}});
    EXPECT_EQ(form::findControl("Frame2")->actionOnEnter(), Action{NoAction{}});
    EXPECT_EQ(form::fieldControl(Field::plannedShares).actionOnEnter(), Action{NoAction{}});
}

// A caption wraps only where its place holds two lines of its font: a one-line caption a
// pixel too wide must not lose its last character to a second line nobody can see.
struct WrapCase {
    const char *control;
    bool wraps;
};

class CaptionWrap : public testing::TestWithParam<WrapCase> {};

TEST_P(CaptionWrap, OnlyWherePlaceHoldsTwoLines)
{
    EXPECT_EQ(form::mainWindow().captionWraps(*form::findControl(GetParam().control)),
              GetParam().wraps);
}

INSTANTIATE_TEST_SUITE_P(Captions, CaptionWrap,
                         testing::Values(WrapCase{"xsall", true}, WrapCase{"L1", true},
                                         WrapCase{"Label1", true}, WrapCase{"bigtitle", false},
                                         WrapCase{"yhs", false}, WrapCase{"Label8", false},
                                         WrapCase{"BYNARO", false}));

// A caption beside a column of fields breaks at its wide gaps, one line level with each
// field; single blanks stay inside a line.
struct LinesCase {
    const char *control;
    std::vector<std::u16string_view> lines;
};

class CaptionLines : public testing::TestWithParam<LinesCase> {};

TEST_P(CaptionLines, StandBesideTheFields)
{
    EXPECT_EQ(form::mainWindow().captionLinesBesideFields(*form::findControl(GetParam().control)),
              GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    Captions, CaptionLines,
    testing::Values(LinesCase{"L1", {u"* 当前股价：", u"* 持股总数："}},
                    LinesCase{"Label1", {u"元", u"股"}}, LinesCase{"Label3", {u"* 当前股价："}},
                    LinesCase{"Label9", {u"元"}},
                    // Not in a frame beside fields: the platform wraps them as it wraps text.
                    LinesCase{"yhs", {}}, LinesCase{"xsall", {}}, LinesCase{"Frame1", {}}));

TEST(Layout, CaptionLinesStandLevelWithTheFieldRows)
{
    const auto &window = form::mainWindow();
    const form::Control &label = *form::findControl("L1");
    // The fields are 18 pixels high and 24 apart; the caption starts level with the first.
    EXPECT_EQ(window.lineBand(label, 0), (form::LineBand{0, 18}));
    EXPECT_EQ(window.lineBand(label, 1), (form::LineBand{24, 18}));
    // A line past the last field keeps the rows' pitch.
    EXPECT_EQ(window.lineBand(label, 2), (form::LineBand{48, 18}));
    // The hidden planned-shares field still holds its row, so the new stock's caption lines
    // stand where the old stock's do.
    EXPECT_EQ(window.lineBand(*form::findControl("Label3"), 1), (form::LineBand{24, 18}));
}

// A caption that starts above its first field: its lines still stand level with the fields,
// and a line past the last one keeps the fields' pitch, not the caption's offset.
TEST(Layout, CaptionLinesBelowTheCaptionsTop)
{
    // Fields 18 pixels high and 30 apart, the first 6 pixels below the caption's top.
    static constexpr std::array<form::Control, 4> controls{{
        {.id = "box", .kind = form::Kind::frame, .twips = {0, 0, 3000, 2400}},
        {.id = "caption",
         .kind = form::Kind::label,
         .container = {0},
         .text = u"甲  乙  丙",
         .twips = {150, 300, 900, 1500}},
        {.id = "first",
         .kind = form::Kind::textBox,
         .container = {0},
         .twips = {1200, 390, 900, 270}},
        {.id = "second",
         .kind = form::Kind::textBox,
         .container = {0},
         .twips = {1200, 840, 900, 270}},
    }};
    const form::WindowDescription window({u"设置", 3300, 2700, 0xFFFFFF, 0, 0}, controls);
    EXPECT_EQ(window.lineBand(controls[1], 0), (form::LineBand{6, 18}));
    EXPECT_EQ(window.lineBand(controls[1], 1), (form::LineBand{36, 18}));
    EXPECT_EQ(window.lineBand(controls[1], 2), (form::LineBand{66, 18}));
}

// The credit line starts left of the client area and is wider than it: its caption centres
// in the part that shows.
TEST(Layout, CaptionsKeepToThePartOfTheirPlaceThatShows)
{
    const auto &window = form::mainWindow();
    EXPECT_EQ(window.visiblePart(*form::findControl("BYNARO")), (form::Rect{7, 0, 530, 17}));
    const form::Control &result = form::resultLine();
    const form::Rect place = form::clientPixels(result);
    EXPECT_EQ(window.visiblePart(result), (form::Rect{0, 0, place.width, place.height}));
}

// The description is not the main window's alone: a second window with a frame, a field, a
// caption beside it, a button and notes at its corners and edges answers every question from
// its own controls.
TEST(Layout, DescribesAnyWindow)
{
    using namespace ostrel;
    static constexpr std::array<form::Control, 8> controls{{
        {.id = "box", .kind = form::Kind::frame, .twips = {150, 150, 3000, 1500}},
        // A blank inside a line, a wide gap between lines and a blank at the end.
        {.id = "caption",
         .kind = form::Kind::label,
         .container = {0},
         .text = u"单 笔  千分之 ",
         .twips = {150, 300, 900, 900},
         .font = {u"宋体", 9}},
        {.id = "rate",
         .kind = form::Kind::textBox,
         .container = {0},
         .twips = {1200, 300, 900, 270},
         .tabIndex = 2,
         .field = Field::feePerMille,
         .accessible =
             {.name = u"费率", .description = {}, .labelledBy = {1}, .descriptionWhenGreyed = {}}},
        {.id = "ok", .kind = form::Kind::button, .twips = {150, 1800, 900, 450}, .tabIndex = 1},
        {.id = "corner", .kind = form::Kind::label, .twips = {0, 0, 150, 150}},
        // Hangs 40 pixels past the right edge and 20 past the bottom.
        {.id = "overhang", .kind = form::Kind::label, .twips = {3000, 2100, 900, 600}},
        // Exactly two lines of its font high, and a pixel less.
        {.id = "two", .kind = form::Kind::label, .twips = {0, 1800, 90, 360}, .font = {u"宋体", 9}},
        {.id = "one", .kind = form::Kind::label, .twips = {0, 2100, 90, 345}, .font = {u"宋体", 9}},
    }};
    const form::WindowDescription window({u"设置", 3300, 2400, 0xFFFFFF, 0, 0}, controls);
    ASSERT_EQ(window.tabOrder().size(), 2u);
    EXPECT_EQ(window.tabOrder()[0]->id, "ok");
    EXPECT_EQ(window.fieldControl(Field::feePerMille), &controls[2]);
    EXPECT_EQ(window.fieldControl(Field::oldPrice), nullptr);
    EXPECT_EQ(window.resultLine(), nullptr);
    EXPECT_EQ(window.labelledBy(controls[2]), &controls[1]);
    EXPECT_EQ(window.labelFor(controls[1]), std::vector<const form::Control *>{&controls[2]});
    // The field sits at (90, 30) in the client area: (80, 20) inside the frame at (10, 10).
    EXPECT_EQ(window.controlAt(95, 35), &controls[2]);
    EXPECT_EQ(window.controlAt(15, 15), &controls[0]);
    EXPECT_EQ(window.controlAt(15, 130), &controls[3]);
    // The client area's first pixel is in it, its last row and column past it are not.
    EXPECT_EQ(window.controlAt(0, 0), &controls[4]);
    EXPECT_EQ(window.controlAt(219, 159), &controls[5]);
    EXPECT_EQ(window.controlAt(220, 150), nullptr);
    EXPECT_EQ(window.controlAt(210, 160), nullptr);
    EXPECT_EQ(window.visiblePart(controls[5]), (form::Rect{0, 0, 20, 20}));
    EXPECT_TRUE(window.captionWraps(controls[6]));
    EXPECT_FALSE(window.captionWraps(controls[7]));
    // One field row: a second line of the caption keeps the row's own height as its pitch.
    EXPECT_EQ(window.captionLinesBesideFields(controls[1]),
              (std::vector<std::u16string_view>{u"单 笔", u"千分之"}));
    EXPECT_EQ(window.lineBand(controls[1], 1), (form::LineBand{18, 18}));
}

// A window's table names containers and labels by id; every wrong name is refused (which,
// for a table resolved in a constexpr variable, means it does not compile).
struct LinkCase {
    const char *what;
    std::string_view frameContainer; // where the frame "box" stands
    std::string_view fieldContainer; // where the field "rate" stands
    std::string_view accessibleControl;
    std::string_view labelledBy;
    std::string_view secondId; // the caption's id
    bool twoAccessibleRows;
};

class Links : public ::testing::TestWithParam<LinkCase> {};

TEST_P(Links, WrongNamesAreRefused)
{
    const LinkCase &c = GetParam();
    using form::Kind;
    const std::array<form::Row, 4> rows{{
        {{.id = "box", .kind = Kind::frame}, c.frameContainer},
        {{.id = c.secondId, .kind = Kind::label}, "box"},
        {{.id = "rate", .kind = Kind::textBox}, c.fieldContainer},
        {{.id = "later", .kind = Kind::frame}, {}},
    }};
    const form::AccessibleRow row{c.accessibleControl, u"费率", {}, c.labelledBy};
    if (c.twoAccessibleRows) {
        EXPECT_THROW(form::linked(rows, std::array{row, row}), std::logic_error) << c.what;
    } else {
        EXPECT_THROW(form::linked(rows, std::array{row}), std::logic_error) << c.what;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Tables, Links,
    ::testing::Values(
        LinkCase{"unknown container", {}, "frame", "rate", "caption", "caption", false},
        LinkCase{"a frame inside itself", "box", "box", "rate", "caption", "caption", false},
        LinkCase{"container after the control", {}, "later", "rate", {}, "caption", false},
        LinkCase{"container that is no frame", {}, "caption", "rate", {}, "caption", false},
        LinkCase{"two controls of one id", {}, "box", "rate", {}, "box", false},
        LinkCase{"row of an unknown control", {}, "box", "rat", {}, "caption", false},
        LinkCase{"labelled by no label", {}, "box", "rate", "box", "caption", false},
        LinkCase{"two rows for a control", {}, "box", "rate", {}, "caption", true}));

TEST(Links, RightNamesResolveToTheirRows)
{
    using form::Kind;
    const std::array<form::Row, 3> rows{{
        {{.id = "box", .kind = Kind::frame}, {}},
        {{.id = "caption", .kind = Kind::label}, "box"},
        {{.id = "rate", .kind = Kind::textBox}, "box"},
    }};
    const auto controls =
        form::linked(rows, std::array{form::AccessibleRow{"rate", u"费率", u"千分之", "caption"}});
    EXPECT_FALSE(controls[0].container);
    EXPECT_EQ(controls[1].container, form::ControlRef{0});
    EXPECT_EQ(controls[2].container, form::ControlRef{0});
    EXPECT_EQ(controls[2].accessible.labelledBy, form::ControlRef{1});
    EXPECT_EQ(controls[2].accessible.description, u"千分之");
}

} // namespace

namespace {

// A caption in a frame stands beside only the fields whose rows start inside its own place:
// the fee settings' captions each belong to the one row they stand on, and keep their text
// where their place is.
TEST(CaptionLines, OnlyBesideTheRowsInsideTheirPlace)
{
    const auto &settings = ostrel::layout::feeSettingsWindow();
    for (const char *id : {"commissionLabel", "stampDutyLabel", "saleOnlyLabel", "transferFeeLabel",
                           "bothTradesLabel"})
        EXPECT_TRUE(settings.captionLinesBesideFields(*settings.findControl(id)).empty()) << id;
    const auto &main = ostrel::layout::mainWindow();
    EXPECT_EQ(main.captionLinesBesideFields(*main.findControl("L1")).size(), 2u);
}

} // namespace

namespace {

namespace layout = ostrel::layout;

// Tab in the fee settings, whatever the window shows: a group of radio buttons is one stop,
// at its checked button; a greyed-out control is passed over; Shift+Tab goes back.
TEST(TabStops, ChoicesAreOneStopAndGreyedControlsArePassedOver)
{
    const layout::WindowDescription &window = layout::feeSettingsWindow();
    const auto named = [&](std::string_view id) { return window.findControl(id); };
    struct Case {
        const char *from;
        const char *checked; // the checked choice; none: no choice checked
        const char *greyed;  // a greyed control; none: every one usable
        bool backwards;
        const char *to;
    };
    const Case cases[] = {
        {nullptr, "perMilleModel", nullptr, false, "perMilleModel"},
        {nullptr, "itemisedModel", nullptr, false, "itemisedModel"},
        {nullptr, nullptr, nullptr, false, "perMilleModel"},
        // Shift+Tab from no control goes to the last stop.
        {nullptr, "perMilleModel", nullptr, true, "settingsDefaults"},
        {"perMilleModel", "perMilleModel", nullptr, false, "commissionRate"},
        {"commissionRate", "itemisedModel", nullptr, true, "itemisedModel"},
        {"commissionRate", "itemisedModel", "minimumCommission", false, "waiveMinimum"},
        {"waiveMinimum", "itemisedModel", "minimumCommission", true, "commissionRate"},
        {"settingsDefaults", "itemisedModel", nullptr, false, "itemisedModel"},
        {"itemisedModel", "itemisedModel", nullptr, true, "settingsDefaults"},
    };
    for (const Case &c : cases) {
        const layout::ControlStates states{[&](const layout::Control &control) {
                                               return !c.greyed || &control != named(c.greyed);
                                           },
                                           [&](const layout::Control &control) {
                                               return c.checked && &control == named(c.checked);
                                           }};
        const layout::Control *to =
            window.nextTabStop(c.from ? named(c.from) : nullptr, states, c.backwards);
        ASSERT_NE(to, nullptr);
        EXPECT_EQ(to->id, c.to) << (c.from ? c.from : "start") << (c.backwards ? " back" : "");
    }
    // Nothing usable: nowhere to go.
    const layout::ControlStates none{[](const layout::Control &) { return false; },
                                     [](const layout::Control &) { return false; }};
    EXPECT_EQ(window.nextTabStop(nullptr, none), nullptr);
}

// Each kind of control takes the desktop's colours of its kind where the table gives none,
// and the same on every platform.
TEST(Colours, KindsTakeTheirDesktopColours)
{
    using layout::Kind;
    using layout::SystemColour;
    EXPECT_EQ(layout::systemColoursOf(Kind::textBox).foreground, SystemColour::fieldText);
    EXPECT_EQ(layout::systemColoursOf(Kind::textBox).background, SystemColour::fieldFace);
    EXPECT_EQ(layout::systemColoursOf(Kind::button).background, SystemColour::buttonFace);
    EXPECT_EQ(layout::systemColoursOf(Kind::checkBox).background, SystemColour::windowFace);
    EXPECT_EQ(layout::resolve(layout::Colour::fixed(0xC0C0FF), SystemColour::windowFace),
              (std::variant<std::uint32_t, SystemColour>(0xC0C0FFu)));
    EXPECT_EQ(layout::resolve(layout::Colour::highlightText(), SystemColour::windowFace),
              (std::variant<std::uint32_t, SystemColour>(SystemColour::highlightText)));
    EXPECT_EQ(layout::resolve(layout::Colour::none(), SystemColour::buttonFace),
              (std::variant<std::uint32_t, SystemColour>(SystemColour::buttonFace)));
}

// The two faces of the window, then their stand-ins, Song for Song and Hei for Hei first. Each
// name is spelt as the desktops that have the face spell it: a name misspelt would only show
// on the desktop that lacks every face before it.
TEST(Fonts, EachFaceFallsBackWithinItsStyle)
{
    using Faces = std::vector<std::u16string_view>;
    EXPECT_EQ(layout::fontFaces(u"宋体"),
              (Faces{u"宋体", u"SimSun", u"NSimSun", u"AR PL UMing CN", u"Noto Serif CJK SC",
                     u"Source Han Serif SC", u"Songti SC", u"STSong", u"Microsoft YaHei"}));
    EXPECT_EQ(layout::fontFaces(u"黑体"),
              (Faces{u"黑体", u"SimHei", u"WenQuanYi Zen Hei", u"Noto Sans CJK SC",
                     u"Source Han Sans SC", u"Heiti SC", u"STHeiti", u"Microsoft YaHei"}));
    EXPECT_EQ(layout::fontFaces(u"Arial"), std::vector<std::u16string_view>{u"Arial"});
    EXPECT_TRUE(layout::fontFaces(u"").empty());
    EXPECT_EQ(layout::fontPixels(9), 12);
    EXPECT_EQ(layout::fontPixels(9, 144), 18);
    EXPECT_EQ(layout::fontPixels(21.75, 120), 36);
}

} // namespace
