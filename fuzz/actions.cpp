// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "actions.h"

#include "expect.h"
#include "fee_windows.h"
#include "utf8.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <variant>

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

// The digits a typed code starts with: each start the exchanges give a board by, and none, so
// that the code's digits all come from the input and any other start, main board or not, turns
// up as well.
constexpr std::array<std::u16string_view, boardPicks + 1> codeStartsTried{
    u"688", u"689", u"920", u"43", u"83", u"87", u"88", u""};
constexpr std::size_t codeLength = 6;

// The words of the scenario language for the boards' items, and for the two stocks.
constexpr std::array<std::string_view, 3> boardWords{"main", "star", "bse"};
constexpr std::array<Board, 3> boardsListed{Board::main, Board::star, Board::bse};

std::string_view stockWord(Stock stock)
{
    return stock == Stock::oldStock ? "old" : "new";
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

// A rate as its form byte says: free text, nothing, or a number in plain decimals.
std::u16string ActionReader::rate()
{
    const std::uint8_t form = byte();
    const auto kind = static_cast<RateKind>((form >> rateKindShift) % rateKinds);
    if (kind == RateKind::text) {
        const auto bytes = chunk(byte());
        std::u16string text = play::fromUtf8(
            std::string_view(reinterpret_cast<const char *>(bytes.data()), bytes.size()));
        // A text box keeps one line, and a scenario line holds no line break.
        std::erase_if(text, [](char16_t c) { return c == u'\r' || c == u'\n' || c == u'\t'; });
        return text;
    }
    const std::size_t decimals = form & rateDecimals;
    std::string digits = std::to_string(word());
    if (digits.size() <= decimals)
        digits.insert(0, decimals + 1 - digits.size(), '0');
    if (decimals > 0)
        digits.insert(digits.size() - decimals, 1, '.');
    if (kind == RateKind::minus)
        digits.insert(0, 1, '-');
    if (kind == RateKind::blanks)
        digits = " " + digits + " ";
    return std::u16string(digits.begin(), digits.end());
}

UserAction ActionReader::board()
{
    UserAction action;
    action.kind = UserAction::Kind::board;
    action.stock = byte() % 2 == 0 ? Stock::oldStock : Stock::newStock;
    const std::uint8_t form = byte();
    const auto way = static_cast<BoardWay>(form & boardWays);
    const std::uint8_t pick = (form >> boardPickShift) & boardPicks;
    const Board listed = boardsListed[pick % boardsListed.size()];
    std::u16string &text = action.text;
    switch (way) {
    case BoardWay::item:
        action.item = listed;
        return action;
    case BoardWay::text: {
        const auto bytes = chunk(byte());
        text = play::fromUtf8(
            std::string_view(reinterpret_cast<const char *>(bytes.data()), bytes.size()));
        return action;
    }
    case BoardWay::code:
        text = codeStartsTried[pick];
        while (text.size() < codeLength)
            text += static_cast<char16_t>(u'0' + byte() % 10);
        break;
    case BoardWay::name:
        text = boardShown(listed);
        break;
    }
    const char16_t blank = (form & boardWideBlanks) ? u'\u3000' : u' ';
    if (form & boardBlankBefore)
        text.insert(text.begin(), blank);
    if (form & boardBlankAfter)
        text += blank;
    return action;
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
    case Op::fees: {
        UserAction action;
        action.kind = UserAction::Kind::fees;
        FeeDialog &fees = action.fees;
        const std::uint8_t flags = byte();
        fees.itemised = (flags & feesItemised) != 0;
        fees.typesRates = (flags & feesKeepRates) == 0;
        fees.togglesWaiver = (flags & feesToggleWaiver) != 0;
        fees.restoresDefaults = (flags & feesDefaults) != 0;
        fees.cancels = (flags & feesCancel) != 0;
        if (fees.typesRates) {
            for (std::u16string &text : fees.rates)
                text = rate();
        }
        return action;
    }
    case Op::detail: {
        UserAction action;
        action.kind = UserAction::Kind::detail;
        return action;
    }
    case Op::board:
        return board();
    }
    return std::nullopt;
}

const layout::Control &closerOf(const layout::WindowDescription &dialog)
{
    return *dialog.controlFor(CloseDialog{});
}

const layout::WindowDescription *dialogOpenedBy(const layout::Control &control)
{
    if (std::holds_alternative<OpenFeeSettings>(control.action))
        return &layout::feeSettingsWindow();
    if (std::holds_alternative<ShowDetail>(control.action))
        return &layout::detailWindow();
    return nullptr;
}

namespace {

std::string clickLine(const layout::Control &control)
{
    return "click " + std::string(control.id);
}

// A click, and the click that closes the modal window it opens.
std::string clickLines(std::string line, const layout::Control *target)
{
    if (const layout::WindowDescription *dialog = target ? dialogOpenedBy(*target) : nullptr)
        line += "\n" + clickLine(closerOf(*dialog));
    return line;
}

std::string feeLines(const FeeDialog &fees)
{
    const layout::WindowDescription &dialog = layout::feeSettingsWindow();
    const auto click = [&](const Action &action) {
        return clickLine(*dialog.controlFor(action)) + "\n";
    };
    std::string lines = clickLine(*layout::controlFor(OpenFeeSettings{})) + "\n";
    lines += click(ChooseFeeModel{fees.itemised ? FeeModel::itemised : FeeModel::perMille});
    if (fees.typesRates) {
        for (std::size_t i = 0; i < rateCount; ++i) {
            const layout::Control &box = *dialog.feeEntryControl(allFeeEntries[i]);
            lines += "type " + std::string(box.id) + " " + play::toUtf8(fees.rates[i]) + "\n";
        }
    }
    if (fees.togglesWaiver)
        lines += click(WaiveMinimum{});
    if (fees.restoresDefaults)
        lines += click(RestoreDefaults{});
    if (fees.cancels)
        return lines + clickLine(closerOf(dialog));
    lines += clickLine(*dialog.controlFor(AcceptSettings{}));
    // 确定 refused leaves the window open; 取消 then closes it.
    if (refusesRates(fees))
        lines += "\n" + clickLine(closerOf(dialog));
    return lines;
}

} // namespace

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
        return clickLines(clickLine(*action.control), action.control);
    case UserAction::Kind::clickAt:
        return clickLines("clickat " + std::to_string(action.x) + " " + std::to_string(action.y),
                          layout::controlAt(action.x, action.y));
    case UserAction::Kind::tab:
        return "tab";
    case UserAction::Kind::fees:
        return feeLines(action.fees);
    case UserAction::Kind::detail: {
        const layout::WindowDescription &dialog = layout::detailWindow();
        return clickLine(*layout::controlFor(ShowDetail{})) + "\n" +
               clickLine(*dialog.controlFor(CopyDetail{})) + "\n" + clickLine(closerOf(dialog));
    }
    case UserAction::Kind::board: {
        std::string line = "board " + std::string(stockWord(action.stock)) + " ";
        if (action.item) {
            const auto at = std::find(boardsListed.begin(), boardsListed.end(), *action.item);
            return line +
                   std::string(boardWords[static_cast<std::size_t>(at - boardsListed.begin())]);
        }
        return line + play::toUtf8(action.text);
    }
    }
    return {};
}

} // namespace ostrel::fuzz
