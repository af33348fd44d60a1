// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "actions.h"
#include "window_description.h"

#include <array>
#include <optional>
#include <string_view>

// What the keyboard, the close button and the context menu of a selectable caption do, the
// same on every desktop: each window reports what happened in these terms and asks.
namespace ostrel::layout {

// The keys the windows answer themselves; every other key is the controls' own.
enum class KeyName {
    enter, // Return or the keypad's Enter
    escape,
    letterC,
    insert,
    copy, // a keyboard's own copy key
    other
};

// A key pressed, with the modifier keys held down with it (the keypad's is none of them).
struct KeyPress {
    KeyName key = KeyName::other;
    bool control = false;
    bool shift = false;
    bool alt = false;
    bool logo = false;     // the Windows or Super key
    bool repeated = false; // the keyboard's repeat of a key held down
};

// Whether a held Enter runs the control's Enter action only once, as a held Space presses a
// button once: so on a push button, a check box and a radio button. In a field and a
// drop-down's edit part each press runs it again, as each press of 开始计算 would.
bool enterPressesOnce(Kind kind);

// What Enter runs on the control with the keyboard focus; none when it runs nothing there.
// A push button is pressed by Enter alone (the keypad's included): Ctrl+Enter and the like
// are no press.
std::optional<Action> enterAction(const Control &focused, const KeyPress &press);

// Ctrl+C and Ctrl+Insert, without Shift or Alt, or the keyboard's own copy key alone.
bool isCopyKey(const KeyPress &press);

// Whichever control has the keyboard focus, the copy key copies the part of a selectable
// caption (the answer) the user selected, when there is one; otherwise the control copies its
// own selection, as it always does.
bool copiesCaptionSelection(const KeyPress &press, bool captionHasSelection);

// Text selected in a field or a drop-down's edit part after a caption's is what the user means
// to copy next: the caption's selection goes. Whether the caption keeps its selection when the
// field's selection changes.
bool keepsCaptionSelection(bool fieldHasSelection);

// The calculator's main window, or a modal window in front of it (the fee settings, the
// detail, the instructions).
enum class WindowRole { main, modal };

// Escape, or the window's close button (the title bar's, Alt+F4, the window menu's 关闭).
enum class CloseRequest { escape, closeButton };

enum class CloseAnswer {
    ignore,      // nothing happens
    close,       // the window closes; the main window's closing ends the program
    closeDialog, // the window runs its CloseDialog action; only the calculator closes it
};

// The main window ignores Escape, so that a slip of the finger loses none of the figures
// typed, and its close button closes it. A modal window answers both as its 取消 or 关闭.
// Escape counts alone; with a modifier key it is just another key.
CloseAnswer answerTo(CloseRequest request, WindowRole role, const KeyPress &press = {});

// The context menu of a selectable caption: copy what is selected, select the whole caption.
enum class TextCommand { copy, selectAll };

struct TextMenuItem {
    TextCommand command;
    std::u16string_view caption;  // its access key after an &
    std::u16string_view shortcut; // the key shown beside it, where the desktop shows keys
    bool separatorBefore;
};

// In the words the fields' own menus use. Select All shows no key: Ctrl+A selects the text of
// the field with the focus, not the caption's, whereas the copy key copies the caption's
// selection wherever the focus is.
inline constexpr std::array<TextMenuItem, 2> selectableTextMenu{{
    {TextCommand::copy, u"复制(&C)", u"Ctrl+C", false},
    {TextCommand::selectAll, u"全选", u"", true},
}};

// Copy needs a selection, Select All a caption with text in it.
bool isEnabled(TextCommand command, bool hasSelection, bool hasText);

} // namespace ostrel::layout
