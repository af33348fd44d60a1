// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "boards.h"

#include "numbers.h"
#include "window_description.h"

#include <algorithm>
#include <array>

namespace ostrel::core {
namespace {

constexpr std::size_t codeLength = 6;

struct CodePrefix {
    std::u16string_view digits;
    Board board;
};

constexpr std::array codePrefixes{
    CodePrefix{u"688", Board::star}, CodePrefix{u"689", Board::star},
    CodePrefix{u"920", Board::bse},  CodePrefix{u"43", Board::bse},
    CodePrefix{u"83", Board::bse},   CodePrefix{u"87", Board::bse},
    CodePrefix{u"88", Board::bse},
};

std::u16string_view trimmed(std::u16string_view text)
{
    const auto blank = [](char16_t unit) { return unit == u' ' || unit == u'\u3000'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

} // namespace

mpz_class sharesBought(const mpq_class &money, const mpq_class &price, Board board)
{
    const OrderRule rule = orderRuleOf(board);
    const mpz_class shares = numbers::floorOf(money / price / rule.step) * rule.step;
    return shares < rule.least ? mpz_class(0) : shares;
}

std::optional<Board> boardNamedBy(std::u16string_view text)
{
    text = trimmed(text);
    for (const Board board : allBoards) {
        if (text == layout::boardName(board))
            return board;
    }
    if (text.size() != codeLength ||
        !std::all_of(text.begin(), text.end(), [](char16_t c) { return c >= u'0' && c <= u'9'; }))
        return std::nullopt;
    for (const CodePrefix &prefix : codePrefixes) {
        if (text.starts_with(prefix.digits))
            return prefix.board;
    }
    return Board::main;
}

std::u16string_view unknownBoardMessage(Stock stock)
{
    return stock == Stock::oldStock ? u"系统提示：旧股票的板块请选择主板/"
                                      u"创业板、科创板或北交所，或者填写6位数字的股票代码！"
                                    : u"系统提示：新股票的板块请选择主板/"
                                      u"创业板、科创板或北交所，或者填写6位数字的股票代码！";
}

} // namespace ostrel::core
