// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "actions.h"

#include <gmpxx.h>

#include <array>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>

// What a press of "开始计算" must do, worked out afresh from the field texts and the fee
// settings with GMP. This deliberately shares no code with the calculator: it has its own
// number reading, rounding, search for the sale and result-line reading, so that a fault in
// the calculator cannot hide behind the same fault here.
namespace ostrel::fuzz {

using FieldTexts = std::array<std::u16string, fieldCount>;

inline std::size_t slot(Field field)
{
    return static_cast<std::size_t>(field);
}

// The exact value of a text that is a number: blanks (U+0020) at both ends set aside, an
// optional sign, then ASCII digits with at most one point and at least one digit.
std::optional<mpq_class> numberValue(std::u16string_view text);

// The nearest whole number, a half going to the even neighbour.
mpz_class nearestWhole(const mpq_class &value);

// The largest whole number not above the value.
mpz_class floorOf(const mpq_class &value);

// --- Boards ---------------------------------------------------------------------------------

// How the orders of a board are sized, as the fuzzer knows the exchanges' rules: `least`
// shares or more, in steps of `step` shares. The main board and ChiNext trade in lots of 100;
// STAR takes 200 shares and up, Beijing 100 and up, both in single shares.
struct OrderSize {
    int least;
    int step;
};
OrderSize orderSizeOf(Board board);

// The board each stock is expected on: the main board at start-up and after its reset.
struct BoardsChosen {
    Board oldStock = Board::main;
    Board newStock = Board::main;

    Board &of(Stock stock) { return stock == Stock::oldStock ? oldStock : newStock; }
    Board of(Stock stock) const { return stock == Stock::oldStock ? oldStock : newStock; }
};

// The name a board's drop-down shows for it.
std::u16string_view boardShown(Board board);

// The board that a text typed into a drop-down names, as the fuzzer reads it: the drop-down
// keeps what comes before the first line break or tab; with blanks (U+0020, U+3000) at both ends
// set aside, it is a board's own name, or a stock's code of six ASCII digits (688 and 689 STAR;
// 920, 43, 83, 87 and 88 Beijing; every other code the main board). None for any other text:
// the drop-down then refuses it.
std::optional<Board> boardTyped(std::u16string_view typed);

// --- Fee settings ---------------------------------------------------------------------------

// The fee settings as the fuzzer expects the calculator to hold them: at start-up the
// per-mille field, with the itemised rates at a 2026 broker's defaults.
struct FeeTexts {
    bool itemised = false;
    RateTexts rates = defaultRates();
    bool waived = false; // 免五

    static RateTexts defaultRates() { return {u"2.5", u"5", u"5", u"0.1"}; }
    bool operator==(const FeeTexts &) const = default;
};

// Why 确定 is refused: the first entry, in the window's order, that is not a number of 0 or
// more, or a rate of 10000‱ or more; then the three rates together at 5000‱ or more.
enum class RateFault { none, commission, minimum, stampDuty, transferFee, together };
RateFault firstRateFault(const RateTexts &rates);

// Whether the fee settings action has its 确定 refused, so that 取消 closes the window: only
// rates typed by the action can be unsound, since the window opens with sound ones.
bool refusesRates(const FeeDialog &fees);
// The same from the settings the window opened with: while 免五 is ticked the minimum is
// greyed out, and what is typed into it is lost.
RateTexts ratesTyped(const FeeTexts &current, const FeeDialog &fees);
bool refusesRates(const FeeTexts &current, const FeeDialog &fees);

// The settings that the action leaves, starting from `current`.
FeeTexts settingsAfter(const FeeTexts &current, const FeeDialog &fees);

// The fees of a trade in exact figures, each rate a fraction of the trade's amount.
struct Schedule {
    bool itemised = false;
    mpq_class perMille;    // the per-mille model: the fee field's per mille, on both trades
    mpq_class commission;  // itemised, on both trades
    mpq_class minimum;     // yuan of commission a trade pays at least; 0 when waived
    mpq_class stampDuty;   // itemised, on the sale only
    mpq_class transferFee; // itemised, on both trades
};

// Only for sound settings; `fee` is the per-mille field's value.
Schedule scheduleOf(const FeeTexts &settings, const mpq_class &fee);

// A fee to the fen, a half fen going away from zero.
mpq_class toFen(const mpq_class &amount);

struct TradeCost {
    mpq_class commission, stampDuty, transferFee;
    mpq_class total() const { return commission + stampDuty + transferFee; }
};

// The trades of one calculation: what a sale of any number of old shares leaves, and what
// each trade costs.
struct Trades {
    Schedule schedule;
    BoardsChosen boards;
    mpq_class oldPrice, newPrice, balance;
    mpz_class bought;  // new shares bought, in an order the new stock's board takes
    mpz_class holding; // H: the holding rounded to whole shares

    mpq_class cost() const;
    TradeCost saleCost(const mpq_class &amount) const;
    TradeCost purchaseCost() const;
    // R: the money left after selling `sold` old shares, buying the new ones and paying every
    // fee.
    mpq_class remainder(const mpz_class &sold) const;
    // Whether the old stock's board takes a sale of `sold` shares in one order: none at all, or
    // its least order or more in its steps, within the holding. The whole holding, sold when
    // no such order pays, is checked apart.
    bool isOrder(const mpz_class &sold) const;
};

// --- The press of "开始计算" -----------------------------------------------------------------

struct Transfer {
    mpz_class sell;            // S: old shares to sell
    mpz_class bought;          // new shares bought
    mpz_class left;            // R: whole yuan left
    mpz_class holding;         // H: the holding rounded
    bool sellWorkedOut = true; // false: S is too costly to find here; see `saleFault`
};

struct Press {
    FieldTexts fields;                // every field after the press
    bool messageBox = false;          // one input fault is reported
    std::optional<Transfer> transfer; // a result line is written
    std::optional<Trades> trades;     // the trades behind it
};

Press expectedPress(const FieldTexts &before, std::size_t maxTextLength, const FeeTexts &fees,
                    const BoardsChosen &boards);

// With the itemised fees, when the sale was too costly to find by trying every count: what is
// wrong with selling `sold` shares, if anything. It must be the whole holding or an order the
// old stock's board takes that pays, and no smaller order may pay, as far as the fuzzer can
// afford to try them.
std::optional<std::string> saleFault(const Trades &trades, const mpz_class &sold);

// The least count from which a sale of whole units of `unit` yuan each can bring `need` with
// the itemised fees: below it, the fees even before their rounding leave too little by more
// than the rounding of three fees can give back. At least 1.
mpz_class firstCountThatMayPay(const Schedule &schedule, const mpq_class &unit,
                               const mpq_class &need);

// How many counts the fuzzer tries one by one where the amounts allow it.
std::size_t affordableTries(const Trades &trades);

struct ResultLine {
    mpz_class sell, bought, left;
};

// S, the new shares and R of a line that reads exactly
// "请卖出S股旧股票，才能买到N00股新股。转仓后还有余额R元。" when the new stock trades in lots (N
// lots, the shares being N × 100), or "…才能买到B股新股。…" with the plain count B on a board that
// takes single shares; each a whole number in plain decimal. None for any other text.
std::optional<ResultLine> parseResultLine(std::u16string_view line, Board newBoard);

} // namespace ostrel::fuzz
