// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "actions.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

// The window as data: every control with its id, kind, container, caption or start-up text,
// place, font, colours, tab index, visibility and the action its click runs. Each window
// adapter builds its widgets from this table, and the test double of the window follows the
// same table, so they cannot drift apart.
namespace ostrel::layout {

enum class Kind { label, textBox, frame, button };

// A colour is fixed, one of the desktop's own, or not given.
struct Colour {
    enum class Role { rgb, system, highlightText, none };
    Role role = Role::system;
    std::uint32_t rgb = 0; // 0xRRGGBB, for Role::rgb

    static constexpr Colour system() { return {Role::system, 0}; }
    static constexpr Colour highlightText() { return {Role::highlightText, 0}; }
    static constexpr Colour none() { return {Role::none, 0}; }
    static constexpr Colour fixed(std::uint32_t rgb) { return {Role::rgb, rgb}; }
};

struct Font {
    std::u16string_view face; // empty: the control shows no text of its own
    double points = 0;
    bool bold = false;
};

// Lengths in twips, 15 to a pixel at 96 dots per inch.
struct Rect {
    int left = 0, top = 0, width = 0, height = 0;
    bool contains(int x, int y) const
    {
        return x >= left && y >= top && x < left + width && y < top + height;
    }
};

inline constexpr int twipsPerPixel = 15;
int twipsToPixels(int twips);
Rect toPixels(const Rect &twips);

enum class Align { left, centre };

struct Control {
    // The control's name: the widgets' object name, the accessibility table's key and the
    // word the scenarios use ("Command3(5)" for a key of the keypad).
    std::string_view id{};
    Kind kind = Kind::label;
    std::string_view container{}; // id of the frame that holds it; empty: the client area
    std::u16string_view text{};   // caption, or start-up text of a text box
    Rect twips{};                 // relative to the container's outer top-left corner
    Font font{};
    Colour foreground{};
    Colour background{};
    int tabIndex = 0;
    bool visible = true;
    Action action = NoAction{};       // what a click runs
    std::optional<Field> field{};     // the entry field a text box is
    bool keepsFocusWhereItIs = false; // a click leaves the focus in the field being typed into
    bool isResultLine = false;        // the caption the calculation and the resets write
    // Its caption can be selected with the mouse and copied (the copy key wherever the focus
    // is, or its context menu), without it taking the focus.
    bool selectableText = false;
    Align align = Align::left;

    bool takesFocus() const { return visible && (kind == Kind::textBox || kind == Kind::button); }
    bool takesFocusOnClick() const { return takesFocus() && !keepsFocusWhereItIs; }
    // What Return (or the keypad's Enter) runs on the control with the keyboard focus: in an
    // entry field it starts the calculation, as 开始计算 does; on a push button it presses the
    // button, as a click does (a keypad key edits the field clicked last); anything else lets
    // it pass.
    Action actionOnEnter() const
    {
        if (!takesFocus())
            return NoAction{};
        return kind == Kind::textBox ? Action{Calculate{}} : action;
    }
};

struct WindowLook {
    std::u16string_view caption;
    int clientWidthTwips;
    int clientHeightTwips;
    std::uint32_t background;
    // Where the client area first opens, from the top-left corner of the screen.
    int storedLeftTwips;
    int storedTopTwips;
};

const WindowLook &window();

// Every control in creation order: a later control is drawn above an earlier one of the same
// container, and a frame's controls above the frame.
std::span<const Control> controls();

// Its place in `controls()`.
std::size_t positionOf(const Control &control);

const Control *findControl(std::string_view id);
const Control *containerOf(const Control &control);
const Control &fieldControl(Field field);
const Control &keyControl(Key key);
const Control &resultLine();
// The first control whose click runs the action, or none.
const Control *controlFor(const Action &action);

// The control's place in pixels, relative to the window's client area.
Rect clientPixels(const Control &control);

// The topmost visible control at a pixel of the client area, or none (the bare window).
const Control *controlAt(int x, int y);

// The most characters a text box holds; longer texts are cut to it.
inline constexpr std::size_t maxTextLength = 32767;

// The controls that take the focus, in the order Tab visits them.
std::span<const Control *const> tabOrder();

} // namespace ostrel::layout
