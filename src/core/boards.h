// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "actions.h"

#include <gmpxx.h>

#include <optional>
#include <string_view>

namespace ostrel::core {

// The boards the two stocks trade on; both start on the main board.
struct Boards {
    Board oldStock = Board::main;
    Board newStock = Board::main;

    Board of(Stock stock) const { return stock == Stock::oldStock ? oldStock : newStock; }
    Board &of(Stock stock) { return stock == Stock::oldStock ? oldStock : newStock; }
    bool operator==(const Boards &) const = default;
};

// The orders a board takes: `least` shares or more, in steps of `step` shares. A holding below
// `least` can only be sold whole, in one order.
struct OrderRule {
    int least;
    int step;
};

// Shanghai and Shenzhen main boards and ChiNext: lots of 100 (trading rules of both exchanges).
// STAR Market: 200 shares at least, then any number (SSE STAR Market trading rules, 2019).
// Beijing Stock Exchange: 100 shares at least, then any number (BSE trading rules, 2021).
constexpr OrderRule orderRuleOf(Board board)
{
    switch (board) {
    case Board::star:
        return {200, 1};
    case Board::bse:
        return {100, 1};
    case Board::main:
        break;
    }
    return {100, 100};
}

// The most shares of `price` that `money` buys in one order the board takes: 0 when it buys
// fewer than the board's least order.
mpz_class sharesBought(const mpq_class &money, const mpq_class &price, Board board);

// The board a drop-down's text names: a board's own name, or a stock's six-digit code (blanks
// around it allowed). STAR codes start 688 or 689, Beijing codes 920 (every Beijing stock since
// 2025-10-09), 43, 83, 87 or 88; every other code is a main-board or ChiNext stock. None for any
// other text.
std::optional<Board> boardNamedBy(std::u16string_view text);

// The message box for a text that names no board, naming the stock.
std::u16string_view unknownBoardMessage(Stock stock);

} // namespace ostrel::core
