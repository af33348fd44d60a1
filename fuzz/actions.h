// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "window_table.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

// The fuzzer's input bytes read as a sequence of user actions. Every byte string is a valid
// input: an opcode byte picks the action (byte % 8), the bytes after it give its arguments,
// and an argument past the end of the input reads as 0. See fuzz/README.md for the table.
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
};
inline constexpr int opCount = 8;

// Flags of Op::number.
inline constexpr std::uint8_t numberPlus = 0x01;
inline constexpr std::uint8_t numberMinus = 0x02;
inline constexpr std::uint8_t numberBlankBefore = 0x04;
inline constexpr std::uint8_t numberBlankAfter = 0x08;
inline constexpr std::uint8_t numberPoint = 0x10;

// Pixels outside the client area that a clickAt can still reach, on every side.
inline constexpr int clickAtMargin = 10;

struct UserAction {
    enum class Kind { type, click, clickAt, tab };
    Kind kind = Kind::tab;
    Field field = Field::oldPrice;            // Kind::type
    std::u16string text;                      // Kind::type
    const layout::Control *control = nullptr; // Kind::click
    int x = 0, y = 0;                         // Kind::clickAt
};

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

    std::span<const std::uint8_t> m_bytes;
    std::size_t m_pos = 0;
};

// The action as a line of the scenario language. With `abbreviate`, a text longer than 64
// units is shown by its start, its end and its length, so that a report stays readable.
std::string describe(const UserAction &action, bool abbreviate);

} // namespace ostrel::fuzz
