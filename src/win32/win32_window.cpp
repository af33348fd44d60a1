// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "win32_window.h"

#include "controls.h"
#include "line_ends.h"
#include "wide_text.h"
#include "window_description.h"

#include <algorithm>
#include <cstring>

namespace ostrel::win32 {
namespace {

// Another program may hold the clipboard for a moment (a clipboard manager reading what was
// copied): tried this often, this long apart.
constexpr int clipboardTries = 5;
constexpr DWORD clipboardRetryMs = 10;

bool openClipboard(HWND owner)
{
    for (int tries = 0; tries < clipboardTries; ++tries) {
        if (OpenClipboard(owner))
            return true;
        Sleep(clipboardRetryMs);
    }
    return false;
}

} // namespace

std::u16string windowText(HWND window)
{
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return toU16(text);
}

void Win32Window::setText(Field field, std::u16string_view text)
{
    m_controls.setText(*m_controls.description().fieldControl(field), text);
}

void Win32Window::setCaret(Field field, std::size_t position)
{
    // The field keeps the caret within its text.
    const std::size_t inRange = std::min(position, layout::maxTextLength);
    SendMessageW(m_controls.field(field), EM_SETSEL, inRange, static_cast<LPARAM>(inRange));
}

void Win32Window::setResult(std::u16string_view caption)
{
    m_controls.setText(*m_controls.description().resultLine(), caption);
}

void Win32Window::messageBox(std::u16string_view title, std::u16string_view body)
{
    MessageBoxW(m_owner, toWide(body).c_str(), toWide(title).c_str(), MB_OK);
}

void Win32Window::setEnabled(Field field, bool enabled)
{
    m_controls.setEnabled(*m_controls.description().fieldControl(field), enabled);
}

void Win32Window::setFeeModelNote(std::u16string_view caption)
{
    if (const layout::Control *note = m_controls.description().feeModelNote())
        m_controls.setText(*note, caption);
}

std::u16string Win32Window::boardText(Stock stock) const
{
    return windowText(m_controls.handle(*m_controls.description().controlFor(ChooseBoard{stock})));
}

void Win32Window::setBoard(Stock stock, Board board)
{
    m_controls.setText(*m_controls.description().controlFor(ChooseBoard{stock}),
                       layout::boardName(board));
}

bool putOnClipboard(HWND owner, std::u16string_view text)
{
    const std::u16string copied = layout::withWindowsLineEnds(text);
    if (!openClipboard(owner))
        return false;
    EmptyClipboard();
    const std::size_t bytes = (copied.size() + 1) * sizeof(char16_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    void *held = memory ? GlobalLock(memory) : nullptr;
    if (held) {
        std::memcpy(held, copied.c_str(), bytes);
        GlobalUnlock(memory);
    }
    // The clipboard owns the memory once it holds it.
    const bool copiedAll = held && SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
    if (memory && !copiedAll)
        GlobalFree(memory);
    CloseClipboard();
    return copiedAll;
}

std::optional<std::u16string> clipboardText(HWND owner)
{
    if (!OpenClipboard(owner))
        return std::nullopt;
    std::u16string text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto *held = static_cast<const char16_t *>(GlobalLock(data))) {
            text = held;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

DialogWindow &Win32Window::openDialog(const layout::WindowDescription &description,
                                      DialogActions actions)
{
    m_dialog = std::make_unique<Win32Dialog>(m_owner, description, std::move(actions));
    return *m_dialog;
}

} // namespace ostrel::win32
