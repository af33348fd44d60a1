// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "window_table.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

// The fuzzer's input bytes read as a sequence of user actions. Every byte string is a valid
// input: an opcode byte picks the action (byte % 11), the bytes after it give its arguments,
// and an argument past the end of the input reads as 0. See fuzz/README.md for the table.
// Every action ends with the main window in front: a click that opens a modal window closes
// it again with its 取消 or 关闭.
namespace ostrel::fuzz {

enum class Op : std::uint8_t {
    type = 0,      // field, length n, n bytes of UTF-8 (invalid sequences become U+FFFD)
    repeat = 1,    // field, count (2 bytes LE), length n, n bytes: the text repeated to count units
    number = 2,    // field, flags, count (2 bytes LE), point (2 bytes LE), length n, n digit bytes
    click = 3,     // one byte: a visible control of the window table, by index modulo their number
    keypad = 4,    // one byte: keypad key modulo 13
    tab = 5,       // no arguments
    clickAt = 6,   // x (2 bytes LE), y (2 bytes LE), a little beyond the client area on every side
    calculate = 7, // no arguments: a click on "开始计算"
    fees = 8,      // flags, then four rates when they are typed: the fee settings, filled in
    detail = 9,    // no arguments: the detail window opened, its rows copied, the window closed
    board = 10,    // stock, form, then what the form needs: a board chosen or typed, or a code
};
inline constexpr int opCount = 11;

// Flags of Op::number.
inline constexpr std::uint8_t numberPlus = 0x01;
inline constexpr std::uint8_t numberMinus = 0x02;
inline constexpr std::uint8_t numberBlankBefore = 0x04;
inline constexpr std::uint8_t numberBlankAfter = 0x08;
inline constexpr std::uint8_t numberPoint = 0x10;

// Flags of Op::fees.
inline constexpr std::uint8_t feesItemised = 0x01;     // 分项 chosen, otherwise 按千分比
inline constexpr std::uint8_t feesKeepRates = 0x02;    // the four entries left as they are
inline constexpr std::uint8_t feesToggleWaiver = 0x04; // a click on 免五
inline constexpr std::uint8_t feesDefaults = 0x08;     // a click on 恢复默认 after the typing
inline constexpr std::uint8_t feesCancel = 0x10;       // 取消 instead of 确定

// The form byte of a rate in Op::fees: its low two bits are the decimals d, the next three the
// kind of rate. Most kinds are a number written from a 16-bit value v that follows, v divided
// by 10 to the power d in plain decimals, so that most rates typed are sound.
inline constexpr std::uint8_t rateDecimals = 0x03;
inline constexpr int rateKindShift = 2;
inline constexpr std::uint8_t rateKinds = 8;
enum class RateKind : std::uint8_t {
    // 0 to 4: the number as it is
    minus = 5,  // a minus sign before the number
    blanks = 6, // a blank before and after the number
    text = 7,   // free text instead: a length n and n bytes of UTF-8 (line breaks and tabs left
                // out); nothing at all when n = 0
};

// The form byte of Op::board: its low two bits are the way the board is given; for a code the
// next three bits pick the digits it starts with, for an item or a name the board (modulo 3).
// Bits 5 and 6 put a blank before and after a typed code or name, bit 7 makes those blanks
// ideographic (U+3000) instead of plain.
inline constexpr std::uint8_t boardWays = 0x03;
enum class BoardWay : std::uint8_t {
    item = 0, // the board's item chosen from the list
    code = 1, // a six-digit code typed: the chosen start, then digits from the bytes that follow
    name = 2, // the board's name typed
    text = 3, // free text typed: a length n and n bytes of UTF-8
};
inline constexpr int boardPickShift = 2;
inline constexpr std::uint8_t boardPicks = 0x07;
inline constexpr std::uint8_t boardBlankBefore = 0x20;
inline constexpr std::uint8_t boardBlankAfter = 0x40;
inline constexpr std::uint8_t boardWideBlanks = 0x80;

// Pixels outside the client area that a clickAt can still reach, on every side.
inline constexpr int clickAtMargin = 10;

// The fee settings window as one action fills it in: the entries in its order are the
// commission rate (‱), the minimum commission (yuan), the stamp duty rate (‱) and the transfer
// fee rate (‱).
inline constexpr std::size_t rateCount = 4;
using RateTexts = std::array<std::u16string, rateCount>;

struct FeeDialog {
    bool itemised = false;         // the model clicked
    bool typesRates = true;        // the four entries typed, replacing what they showed
    RateTexts rates;               // what is typed into them
    bool togglesWaiver = false;    // 免五 clicked once
    bool restoresDefaults = false; // 恢复默认 clicked after the typing
    bool cancels = false;          // 取消 pressed instead of 确定
};

struct UserAction {
    enum class Kind { type, click, clickAt, tab, fees, detail, board };
    Kind kind = Kind::tab;
    Field field = Field::oldPrice;            // Kind::type
    std::u16string text;                      // Kind::type; Kind::board when typed
    Stock stock = Stock::oldStock;            // Kind::board
    std::optional<Board> item;                // Kind::board: the item chosen, none when typed
    const layout::Control *control = nullptr; // Kind::click
    int x = 0, y = 0;                         // Kind::clickAt
    FeeDialog fees;                           // Kind::fees
};

// The control of the open modal window that closes it with nothing done: 取消 or 关闭.
const layout::Control &closerOf(const layout::WindowDescription &dialog);
// The modal window that a click on the control opens, if any.
const layout::WindowDescription *dialogOpenedBy(const layout::Control &control);

// The six fields a user can type into, and every control a user can see, in table order.
std::span<const Field> visibleFields();
std::span<const layout::Control *const> visibleControls();

class ActionReader {
public:
    explicit ActionReader(std::span<const std::uint8_t> bytes)
        : m_bytes(bytes)
    {
    }

    // The next action, or none at the end of the input.
    std::optional<UserAction> next();

private:
    std::uint8_t byte();
    std::uint16_t word();
    std::span<const std::uint8_t> chunk(std::size_t size);
    std::u16string rate();
    UserAction board();

    std::span<const std::uint8_t> m_bytes;
    std::size_t m_pos = 0;
};

// The action as lines of the scenario language, one line per click or typing. With
// `abbreviate`, a text longer than 64 units is shown by its start, its end and its length, so
// that a report stays readable.
std::string describe(const UserAction &action, bool abbreviate);

} // namespace ostrel::fuzz
