// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "actions.h"

#include "utf8.h"

#include <algorithm>

namespace ostrel::fuzz {
namespace {

std::vector<Field> fieldsUsersSee()
{
    std::vector<Field> fields;
    for (const Field field : allFields) {
        if (layout::fieldControl(field).visible)
            fields.push_back(field);
    }
    return fields;
}

std::vector<const layout::Control *> controlsUsersSee()
{
    std::vector<const layout::Control *> seen;
    for (const layout::Control &control : layout::controls()) {
        if (control.visible)
            seen.push_back(&control);
    }
    return seen;
}

UserAction typing(Field field, std::u16string text)
{
    UserAction action;
    action.kind = UserAction::Kind::type;
    action.field = field;
    action.text = std::move(text);
    return action;
}

UserAction clicking(const layout::Control *control)
{
    UserAction action;
    action.kind = UserAction::Kind::click;
    action.control = control;
    return action;
}

} // namespace

std::span<const Field> visibleFields()
{
    static const std::vector<Field> fields = fieldsUsersSee();
    return fields;
}

std::span<const layout::Control *const> visibleControls()
{
    static const std::vector<const layout::Control *> seen = controlsUsersSee();
    return seen;
}

std::uint8_t ActionReader::byte()
{
    return m_pos < m_bytes.size() ? m_bytes[m_pos++] : 0;
}

std::uint16_t ActionReader::word()
{
    const std::uint8_t low = byte();
    return static_cast<std::uint16_t>(low | (byte() << 8));
}

std::span<const std::uint8_t> ActionReader::chunk(std::size_t size)
{
    const std::size_t start = std::min(m_pos, m_bytes.size());
    const std::size_t taken = std::min(size, m_bytes.size() - start);
    m_pos = start + taken;
    return m_bytes.subspan(start, taken);
}

std::optional<UserAction> ActionReader::next()
{
    if (m_pos >= m_bytes.size())
        return std::nullopt;
    const auto op = static_cast<Op>(byte() % opCount);
    const auto field = [&] {
        const auto fields = visibleFields();
        return fields[byte() % fields.size()];
    };
    const auto utf8 = [](std::span<const std::uint8_t> bytes) {
        return play::fromUtf8(
            std::string_view(reinterpret_cast<const char *>(bytes.data()), bytes.size()));
    };

    switch (op) {
    case Op::type: {
        const Field target = field();
        return typing(target, utf8(chunk(byte())));
    }
    case Op::repeat: {
        const Field target = field();
        const std::size_t count = word();
        const std::u16string pattern = utf8(chunk(byte()));
        std::u16string text;
        if (!pattern.empty()) {
            text.reserve(count);
            while (text.size() < count)
                text.append(pattern, 0, count - text.size());
        }
        return typing(target, std::move(text));
    }
    case Op::number: {
        const Field target = field();
        const std::uint8_t flags = byte();
        const std::size_t count = word();
        const std::size_t point = word() % (count + 1);
        const auto pattern = chunk(byte());
        std::u16string text;
        text.reserve(count + 4);
        if (flags & numberBlankBefore)
            text += u' ';
        if (flags & numberMinus)
            text += u'-';
        else if (flags & numberPlus)
            text += u'+';
        for (std::size_t i = 0; i < count; ++i) {
            if ((flags & numberPoint) && i == point)
                text += u'.';
            const int digit = pattern.empty() ? 9 : pattern[i % pattern.size()] % 10;
            text += static_cast<char16_t>(u'0' + digit);
        }
        if ((flags & numberPoint) && point == count)
            text += u'.';
        if (flags & numberBlankAfter)
            text += u' ';
        return typing(target, std::move(text));
    }
    case Op::click: {
        const auto seen = visibleControls();
        return clicking(seen[byte() % seen.size()]);
    }
    case Op::keypad: {
        return clicking(&layout::keyControl(keyAt(byte() % keyCount)));
    }
    case Op::tab:
        return UserAction{};
    case Op::clickAt: {
        const auto &window = layout::window();
        const int width = layout::twipsToPixels(window.clientWidthTwips) + 2 * clickAtMargin;
        const int height = layout::twipsToPixels(window.clientHeightTwips) + 2 * clickAtMargin;
        UserAction action;
        action.kind = UserAction::Kind::clickAt;
        action.x = word() % width - clickAtMargin;
        action.y = word() % height - clickAtMargin;
        return action;
    }
    case Op::calculate:
        return clicking(layout::controlFor(Calculate{}));
    }
    return std::nullopt;
}

std::string describe(const UserAction &action, bool abbreviate)
{
    switch (action.kind) {
    case UserAction::Kind::type: {
        constexpr std::size_t shown = 64;
        std::string line = "type " + std::string(layout::fieldControl(action.field).id) + " ";
        if (!abbreviate || action.text.size() <= shown)
            return line + play::toUtf8(action.text);
        const std::u16string_view text = action.text;
        return line + play::toUtf8(text.substr(0, 40)) + "..." +
               play::toUtf8(text.substr(text.size() - 16)) + "  [" + std::to_string(text.size()) +
               " units]";
    }
    case UserAction::Kind::click:
        return "click " + std::string(action.control->id);
    case UserAction::Kind::clickAt:
        return "clickat " + std::to_string(action.x) + " " + std::to_string(action.y);
    case UserAction::Kind::tab:
        return "tab";
    }
    return {};
}

} // namespace ostrel::fuzz
