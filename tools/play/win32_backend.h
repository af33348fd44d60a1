// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "control_behaviour.h"
#include "scenario.h"

#include <windows.h>

#include <functional>
#include <iosfwd>
#include <string>
#include <string_view>

namespace ostrel::win32 {
class Controls;
class MainWindow;
} // namespace ostrel::win32

namespace ostrel::play {

// Where the player and the tests keep the fee settings, under HKEY_CURRENT_USER, apart from the
// program's own.
inline constexpr std::wstring_view playSettingsKey = L"Software\\QZ Ostrel\\ostrel-play";

// Removes the settings key with everything in it, so that a window started on it finds nothing
// stored, and returns it.
std::wstring freshSettings(std::wstring_view key = playSettingsKey);

// The user in front of the real Windows window. Every action is the window messages a user's
// mouse and keyboard make, sent to the control under the mouse or with the focus: mouse
// presses and releases at the control's place, Tab through the dialog manager, Ctrl+A and the
// typed text as an input method hands it over. A message box that an action opens, in front of
// the window or of its modal window, is handed to the sink and closed with its OK button while
// the action waits in the box's own loop. While a modal window is open, clicks and typing
// reach its controls.
class Win32Backend : public testing::Backend {
public:
    // The window must be shown.
    Win32Backend(win32::MainWindow &window, MessageSink sink);
    Win32Backend(const Win32Backend &) = delete;
    Win32Backend &operator=(const Win32Backend &) = delete;
    ~Win32Backend() override;

    void type(Field field, std::u16string_view text) override;
    void paste(Field field, std::u16string_view text) override;
    void click(const layout::Control &control) override;
    void clickAt(int x, int y) override;
    void tab() override;
    void enter() override;
    void escape() override;
    void chooseBoard(Stock stock, Board board) override;
    void typeBoard(Stock stock, std::u16string_view text) override;
    // A key pressed and released on the control with the focus, as the keyboard posts it to
    // the window's thread, through the dialog manager; `extended` for a key beside the main
    // block (the keypad's Enter).
    void press(WORD key, bool extended = false);

    const layout::WindowDescription *openDialog() const override;
    void typeInto(const layout::Control &textBox, std::u16string_view text) override;
    bool isChecked(const layout::Control &control) const override;
    // The clipboard's plain text, its lines ended by \n as the calculator writes them.
    std::u16string clipboard() const override;
    // Writes a string value (REG_SZ) into the window's settings key.
    void storeText(std::string_view key, std::u16string_view text) override;
    void reloadSettings() override;

    std::u16string text(Field field) const override;
    std::u16string result() const override;
    std::u16string boardText(Stock stock) const override;
    Field keypadTarget() const override;
    const layout::Control *focus() const override;
    std::size_t caret(Field field) const override;
    // What the controls hold: kind, caption, place, font, visibility and the order Tab visits
    // them in; the colours and the frames are the table's (every control is a child of the
    // window itself, frames' controls too).
    testing::WindowView describe() const override;
    std::vector<testing::AccessibleView> accessible() const override;

    // Closes the message box of the window or of its modal window that is on the screen, if
    // any, after handing its title and text to the sink.
    void answerMessageBox();

private:
    void perform(const std::function<void()> &action);
    // A left click on a control or a window, at a pixel of its client area. A drop-down's list
    // that it opens is closed again, unless the list is to stay open for the next click.
    void clickOn(HWND target, POINT local, bool leaveListOpen = false);
    // Into `control` as Tab would take the focus there, then Ctrl+A and the text into its
    // `edit`, as an input method hands it over.
    void typeOver(HWND control, HWND edit, std::u16string_view text);
    // The controls that take input: the modal window's while one is open.
    const win32::Controls &activeControls() const;

    win32::MainWindow &m_window;
    MessageSink m_sink;
    HWND m_answered = nullptr;
};

// What a screen reader is told of a control through its accessible object
// (AccessibleObjectFromWindow): its name and description; empty where it tells none.
struct AccessibleText {
    std::u16string name;
    std::u16string description;
    bool invisible = false;    // a screen reader passes it by
    HWND labelledBy = nullptr; // the control that shows its caption, by accNavigate
    layout::TablePart tablePart = layout::TablePart::none; // by its role
};
AccessibleText accessibleText(HWND control);

// The real Windows window: for each scenario a calculator's window of its own, on fresh
// settings (playSettingsKey), shown, played through a Win32Backend and closed.
class Win32Stage : public Stage {
public:
    Win32Stage();

    int play(std::istream &in, std::ostream &out, std::ostream &err) override;

private:
    // Joined once for every window: each window joins it too, and would otherwise start COM
    // and shut it down again, which costs Wine a good part of a window's start.
    win32::ComApartment m_com;
};

} // namespace ostrel::play
