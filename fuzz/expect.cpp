// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "expect.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace ostrel::fuzz {
namespace {

constexpr int lot = 100;              // shares to a lot
constexpr int perThousand = 1000;     // the per-mille field is in ‰
constexpr int perTenThousand = 10000; // the itemised rates are in ‱, and must stay below 10000
constexpr int saleRatesCap = 5000;    // a sale's three rates together stay below half
constexpr int fenPerYuan = 100;
constexpr int maxPerMille = 18; // the per-mille field's upper check
// Amounts whose numerators and denominators together take at most this many bits are cheap
// enough to try many counts of lots or shares with; longer ones only a few.
constexpr std::size_t shortBits = 512;
constexpr std::size_t manyTries = 20000;
constexpr std::size_t fewTries = 16;

bool isAsciiDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

mpz_class powerOfTen(std::size_t exponent)
{
    mpz_class power;
    mpz_ui_pow_ui(power.get_mpz_t(), 10, static_cast<unsigned long>(exponent));
    return power;
}

// The run of an optional minus and digits at the start of `text`, consumed.
std::string takeDigitRun(std::u16string_view &text)
{
    std::string run;
    std::size_t pos = 0;
    if (!text.empty() && text[0] == u'-')
        run.push_back(static_cast<char>(text[pos++]));
    while (pos < text.size() && isAsciiDigit(text[pos]))
        run.push_back(static_cast<char>(text[pos++]));
    text.remove_prefix(pos);
    return run;
}

// A whole number in plain decimal: an optional minus, then digits with no leading zero
// (a lone 0 aside), and never "-0".
std::optional<mpz_class> wholeNumber(std::string_view run)
{
    const bool negative = run.starts_with('-');
    const std::string_view digits = run.substr(negative ? 1 : 0);
    if (digits.empty() || (digits.size() > 1 && digits[0] == '0') || (negative && digits == "0"))
        return std::nullopt;
    return mpz_class(std::string(run), 10);
}

bool takeWord(std::u16string_view &text, std::u16string_view word)
{
    if (!text.starts_with(word))
        return false;
    text.remove_prefix(word.size());
    return true;
}

mpz_class ceilingOf(const mpq_class &value)
{
    mpz_class up;
    mpz_cdiv_q(up.get_mpz_t(), value.get_num_mpz_t(), value.get_den_mpz_t());
    return up;
}

// Stock codes by their first digits, as the exchanges hand them out: the STAR Market's 688 and
// 689, and Beijing's 920 (every new listing since 2025-10) beside the older 43, 83, 87 and 88.
// A code with none of these is a main-board or ChiNext stock.
struct CodeStart {
    std::u16string_view digits;
    Board board;
};
constexpr std::array codeStarts{
    CodeStart{u"688", Board::star}, CodeStart{u"689", Board::star}, CodeStart{u"920", Board::bse},
    CodeStart{u"43", Board::bse},   CodeStart{u"83", Board::bse},   CodeStart{u"87", Board::bse},
    CodeStart{u"88", Board::bse},
};
constexpr std::size_t codeDigits = 6;

bool isBlank(char16_t c)
{
    return c == u' ' || c == u'\u3000';
}

} // namespace

OrderSize orderSizeOf(Board board)
{
    switch (board) {
    case Board::star:
        return {2 * lot, 1};
    case Board::bse:
        return {lot, 1};
    case Board::main:
        break;
    }
    return {lot, lot};
}

std::u16string_view boardShown(Board board)
{
    switch (board) {
    case Board::star:
        return u"科创板";
    case Board::bse:
        return u"北交所";
    case Board::main:
        break;
    }
    return u"主板/创业板";
}

std::optional<Board> boardTyped(std::u16string_view typed)
{
    // A drop-down's edit part holds one line.
    std::u16string_view text = typed.substr(0, typed.find_first_of(u"\r\n\t"));
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    for (const Board board : {Board::main, Board::star, Board::bse}) {
        if (text == boardShown(board))
            return board;
    }
    if (text.size() != codeDigits || !std::all_of(text.begin(), text.end(), isAsciiDigit))
        return std::nullopt;
    for (const CodeStart &start : codeStarts) {
        if (text.substr(0, start.digits.size()) == start.digits)
            return start.board;
    }
    return Board::main;
}

mpz_class floorOf(const mpq_class &value)
{
    mpz_class down;
    mpz_fdiv_q(down.get_mpz_t(), value.get_num_mpz_t(), value.get_den_mpz_t());
    return down;
}

std::optional<mpq_class> numberValue(std::u16string_view text)
{
    while (!text.empty() && text.front() == u' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == u' ')
        text.remove_suffix(1);
    bool negative = false;
    if (!text.empty() && (text.front() == u'+' || text.front() == u'-')) {
        negative = text.front() == u'-';
        text.remove_prefix(1);
    }
    std::string digits;
    std::size_t points = 0;
    std::size_t decimals = 0;
    for (const char16_t c : text) {
        if (c == u'.') {
            if (++points > 1)
                return std::nullopt;
        } else if (isAsciiDigit(c)) {
            digits.push_back(static_cast<char>(c));
            decimals += points;
        } else {
            return std::nullopt;
        }
    }
    if (digits.empty())
        return std::nullopt;
    mpq_class value(mpz_class(digits, 10), powerOfTen(decimals));
    value.canonicalize();
    return negative ? mpq_class(-value) : value;
}

mpz_class nearestWhole(const mpq_class &value)
{
    mpz_class down, rest;
    mpz_fdiv_qr(down.get_mpz_t(), rest.get_mpz_t(), value.get_num_mpz_t(), value.get_den_mpz_t());
    const mpz_class twice = rest * 2;
    const int twiceRest = mpz_cmp(twice.get_mpz_t(), value.get_den_mpz_t());
    if (twiceRest > 0 || (twiceRest == 0 && mpz_odd_p(down.get_mpz_t())))
        ++down;
    return down;
}

RateFault firstRateFault(const RateTexts &rates)
{
    constexpr RateFault faults[] = {RateFault::commission, RateFault::minimum, RateFault::stampDuty,
                                    RateFault::transferFee};
    constexpr std::size_t minimumEntry = 1;
    mpq_class together;
    for (std::size_t i = 0; i < rateCount; ++i) {
        const auto value = numberValue(rates[i]);
        if (!value || sgn(*value) < 0)
            return faults[i];
        if (i == minimumEntry)
            continue;
        if (*value >= perTenThousand)
            return faults[i];
        together += *value;
    }
    return together >= saleRatesCap ? RateFault::together : RateFault::none;
}

bool refusesRates(const FeeDialog &fees)
{
    // From the default settings nothing greys out what the action types.
    return refusesRates(FeeTexts{}, fees);
}

RateTexts ratesTyped(const FeeTexts &current, const FeeDialog &fees)
{
    RateTexts typed = fees.rates;
    constexpr std::size_t minimum = 1;
    if (current.waived)
        typed[minimum] = current.rates[minimum];
    return typed;
}

bool refusesRates(const FeeTexts &current, const FeeDialog &fees)
{
    return !fees.cancels && fees.typesRates && !fees.restoresDefaults &&
           firstRateFault(ratesTyped(current, fees)) != RateFault::none;
}

FeeTexts settingsAfter(const FeeTexts &current, const FeeDialog &fees)
{
    if (fees.cancels || refusesRates(current, fees))
        return current;
    FeeTexts next = current;
    next.itemised = fees.itemised;
    if (fees.typesRates)
        next.rates = ratesTyped(current, fees);
    next.waived = current.waived != fees.togglesWaiver;
    if (fees.restoresDefaults) {
        next.rates = FeeTexts::defaultRates();
        next.waived = false;
    }
    return next;
}

Schedule scheduleOf(const FeeTexts &settings, const mpq_class &fee)
{
    const auto rate = [&](std::size_t entry) {
        return mpq_class(*numberValue(settings.rates[entry]) / perTenThousand);
    };
    Schedule schedule;
    schedule.itemised = settings.itemised;
    schedule.perMille = fee / perThousand;
    schedule.commission = rate(0);
    schedule.minimum = settings.waived ? mpq_class(0) : *numberValue(settings.rates[1]);
    schedule.stampDuty = rate(2);
    schedule.transferFee = rate(3);
    return schedule;
}

mpq_class toFen(const mpq_class &amount)
{
    const mpq_class fen = abs(amount) * fenPerYuan;
    mpz_class whole = floorOf(fen + mpq_class(1, 2));
    if (sgn(amount) < 0)
        whole = -whole;
    return mpq_class(whole, fenPerYuan);
}

mpq_class Trades::cost() const
{
    return mpq_class(bought) * newPrice;
}

TradeCost Trades::saleCost(const mpq_class &amount) const
{
    if (!schedule.itemised)
        return {amount * schedule.perMille, 0, 0};
    if (sgn(amount) == 0)
        return {};
    return {std::max(toFen(amount * schedule.commission), schedule.minimum),
            toFen(amount * schedule.stampDuty), toFen(amount * schedule.transferFee)};
}

TradeCost Trades::purchaseCost() const
{
    TradeCost fees = saleCost(cost());
    fees.stampDuty = 0;
    return fees;
}

mpq_class Trades::remainder(const mpz_class &sold) const
{
    const mpq_class proceeds = mpq_class(sold) * oldPrice;
    return proceeds + balance - cost() - saleCost(proceeds).total() - purchaseCost().total();
}

bool Trades::isOrder(const mpz_class &sold) const
{
    const OrderSize size = orderSizeOf(boards.oldStock);
    if (sgn(sold) == 0)
        return true;
    return sold >= size.least && sold <= holding && mpz_divisible_ui_p(sold.get_mpz_t(), size.step);
}

std::size_t affordableTries(const Trades &trades)
{
    const auto isShort = [](const mpq_class &value) {
        return mpz_sizeinbase(value.get_num_mpz_t(), 2) +
                   mpz_sizeinbase(value.get_den_mpz_t(), 2) <=
               shortBits;
    };
    const Schedule &s = trades.schedule;
    const bool cheap = isShort(trades.oldPrice) && isShort(trades.newPrice) &&
                       isShort(trades.balance) && isShort(s.commission) && isShort(s.minimum) &&
                       isShort(s.stampDuty) && isShort(s.transferFee);
    return cheap ? manyTries : fewTries;
}

mpz_class firstCountThatMayPay(const Schedule &schedule, const mpq_class &unit,
                               const mpq_class &need)
{
    // Each of the three fees is rounded to the fen, so it stands at most half a fen below its
    // exact value, and the minimum commission is taken as it is; a sale of k units brings at
    // most k × unit − max(k × unit × c, m) − k × unit × (s + t) + 1.5 fen. Below the two
    // counts worked out here that is less than `need`.
    const mpq_class target = need - mpq_class(3, 2 * fenPerYuan);
    const mpq_class keptOnMinimum = unit * (1 - schedule.stampDuty - schedule.transferFee);
    const mpq_class keptOnRate =
        unit * (1 - schedule.commission - schedule.stampDuty - schedule.transferFee);
    return std::max({mpz_class(1), ceilingOf((target + schedule.minimum) / keptOnMinimum),
                     ceilingOf(target / keptOnRate)});
}

std::optional<std::string> saleFault(const Trades &trades, const mpz_class &sold)
{
    // Counted in the old board's steps: lots of 100 on the main board, single shares on STAR
    // and Beijing, where no order is below the least.
    const OrderSize size = orderSizeOf(trades.boards.oldStock);
    const mpz_class wholeSteps = trades.holding / size.step;
    const mpz_class leastSteps = (size.least + size.step - 1) / size.step;
    const bool wholeHolding = sold == trades.holding;
    // Every count of steps below `below` must fail to pay.
    mpz_class below;
    if (wholeHolding && (!trades.isOrder(sold) || sgn(trades.remainder(sold)) < 0)) {
        // Sold whole because no order within the holding pays, or the holding is below the
        // least order and can only go whole.
        below = wholeSteps + 1;
    } else {
        if (!trades.isOrder(sold))
            return "shares to sell are neither an order the old board takes nor the whole "
                   "holding";
        if (sgn(trades.remainder(sold)) < 0)
            return "shares to sell do not pay for the purchase and the fees";
        below = sold / size.step;
    }
    if (sgn(below) == 0)
        return std::nullopt;
    const mpq_class leftWithoutSale = trades.remainder(0);
    if (sgn(leftWithoutSale) >= 0)
        return "selling nothing already pays, yet shares are sold";
    const mpz_class first =
        firstCountThatMayPay(trades.schedule, trades.oldPrice * size.step, -leftWithoutSale);
    const mpz_class last =
        std::max({first, leastSteps, mpz_class(below - affordableTries(trades))});
    for (mpz_class count = below - 1; count >= last; --count) {
        const mpz_class fewer = count * size.step;
        if (sgn(trades.remainder(fewer)) >= 0)
            return "selling " + fewer.get_str() + " shares already pays";
    }
    return std::nullopt;
}

namespace {

// On a board that takes single shares from its least order up, under one per-mille rate: every
// share sold adds the same to R, so the count where R turns from negative to 0 or more follows
// from R(0) and R(1), and is then held against R on both sides. The least order, the whole
// holding when nothing within it pays.
mpz_class singleSharesToSellPerMille(const Trades &trades, const OrderSize &size)
{
    const mpq_class leftWithoutSale = trades.remainder(0);
    const mpq_class perShare = trades.remainder(1) - leftWithoutSale;
    if (sgn(perShare) <= 0)
        return trades.holding;
    mpz_class count = ceilingOf(-leftWithoutSale / perShare);
    // Exact figures need no nudging; the two loops only pin the count to R itself.
    for (int nudge = 0; nudge < 2 && sgn(trades.remainder(count)) < 0; ++nudge)
        ++count;
    for (int nudge = 0; nudge < 2 && sgn(count) > 0 && sgn(trades.remainder(count - 1)) >= 0;
         ++nudge)
        --count;
    count = std::max(count, mpz_class(size.least));
    return count > trades.holding ? trades.holding : count;
}

// The sale on a board that takes single shares from its least order up: none when the balance
// already pays, the whole holding when it is below the least order, otherwise the fewest
// shares from the least order up that leave R ≥ 0, or the whole holding when none do. Under
// the itemised fees R is not monotonic, so the counts are tried one by one from the least that
// could pay at all, as far as that is affordable here.
void singleSharesToSell(const Trades &trades, const OrderSize &size, Transfer &t)
{
    const mpq_class leftWithoutSale = trades.remainder(0);
    if (sgn(leftWithoutSale) >= 0)
        t.sell = 0;
    else if (t.holding < size.least)
        t.sell = t.holding;
    else if (!trades.schedule.itemised)
        t.sell = singleSharesToSellPerMille(trades, size);
    else {
        const mpz_class first =
            std::max(firstCountThatMayPay(trades.schedule, trades.oldPrice, -leftWithoutSale),
                     mpz_class(size.least));
        t.sell = t.holding;
        if (first <= t.holding) {
            if (affordableTries(trades) < manyTries) {
                t.sellWorkedOut = false;
                return;
            }
            const mpz_class last = std::min(mpz_class(first + manyTries - 1), t.holding);
            mpz_class count = first;
            while (count <= last && sgn(trades.remainder(count)) < 0)
                ++count;
            if (count <= last)
                t.sell = count;
            else if (last < t.holding) {
                t.sellWorkedOut = false;
                return;
            }
        }
    }
    t.left = floorOf(trades.remainder(t.sell));
}

} // namespace

Press expectedPress(const FieldTexts &before, std::size_t maxTextLength, const FeeTexts &fees,
                    const BoardsChosen &boards)
{
    Press press;
    press.fields = before;
    FieldTexts &texts = press.fields;
    const auto value = [&](Field field) { return numberValue(texts[slot(field)]); };

    // The full-funds fill comes first, whatever the checks then find.
    if (texts[slot(Field::moneyToSpend)] == u"0") {
        const auto price = value(Field::oldPrice);
        const auto held = value(Field::sharesHeld);
        const auto balance = value(Field::balance);
        if (price && held && balance) {
            // Whole shares times the price as typed, plus the balance as typed, then the
            // whole yuan below.
            const mpz_class total = floorOf(mpq_class(nearestWhole(*held)) * *price + *balance);
            // A total longer than a text box holds is not written at all: cut short it
            // would be a wrong amount.
            const std::string digits = total.get_str(10);
            if (digits.size() <= maxTextLength)
                texts[slot(Field::moneyToSpend)] = std::u16string(digits.begin(), digits.end());
        }
    }

    const auto oldPrice = value(Field::oldPrice);
    const auto held = value(Field::sharesHeld);
    const auto newPrice = value(Field::newPrice);
    const auto planned = value(Field::plannedShares);
    const auto money = value(Field::moneyToSpend);
    const auto fee = value(Field::feePerMille);
    const auto balance = value(Field::balance);
    // The itemised fees do not use the per-mille field, so its two checks are skipped.
    const bool feeFieldPasses = fees.itemised || (fee && *fee <= maxPerMille);
    const bool passes = oldPrice && sgn(*oldPrice) > 0 && held && *held >= lot && newPrice &&
                        sgn(*newPrice) > 0 && planned && money && sgn(*money) >= 0 &&
                        !(*planned < lot && sgn(*money) == 0) && feeFieldPasses && balance;
    press.messageBox = !passes;
    if (!passes || *planned >= lot)
        return press;

    Trades trades;
    trades.schedule = scheduleOf(fees, fee.value_or(0));
    trades.boards = boards;
    trades.oldPrice = *oldPrice;
    trades.newPrice = *newPrice;
    trades.balance = *balance;
    trades.holding = nearestWhole(*held);
    // The most shares the money buys in the new board's steps, none when that is below its
    // least order.
    const OrderSize newSize = orderSizeOf(boards.newStock);
    trades.bought = floorOf(*money / *newPrice / newSize.step) * newSize.step;
    if (trades.bought < newSize.least)
        trades.bought = 0;
    press.trades = trades;

    Transfer t;
    t.holding = trades.holding;
    t.bought = trades.bought;
    const OrderSize oldSize = orderSizeOf(boards.oldStock);
    if (oldSize.step == 1) {
        singleSharesToSell(trades, oldSize, t);
        press.transfer = t;
        return press;
    }
    if (fees.itemised) {
        // The fewest whole lots, from none up, that leave nothing owing; the whole holding
        // when none do. Tried lot by lot, as far as that is affordable here.
        const mpz_class wholeLots = t.holding / lot;
        if (wholeLots > manyTries || affordableTries(trades) < manyTries) {
            t.sellWorkedOut = false;
            press.transfer = t;
            return press;
        }
        t.sell = t.holding;
        for (mpz_class count = 0; count <= wholeLots; ++count) {
            if (sgn(trades.remainder(count * lot)) >= 0) {
                t.sell = count * lot;
                break;
            }
        }
        t.left = floorOf(trades.remainder(t.sell));
        press.transfer = t;
        return press;
    }

    const mpq_class cost = trades.cost();
    const mpq_class shortfallLots = (cost - *balance) / *oldPrice / lot;
    const mpq_class &rate = trades.schedule.perMille;
    // The least sale is one lot beyond the shortfall, never below nothing; when it leaves the
    // investor short of the fees, the deficit is made up in whole lots, each bringing its
    // price less its fee.
    t.sell = (floorOf(shortfallLots) + 1) * lot;
    if (sgn(t.sell) < 0)
        t.sell = 0;
    if (t.sell <= t.holding) {
        const mpq_class deficit = -trades.remainder(t.sell);
        if (sgn(deficit) > 0) {
            const mpq_class perLot = *oldPrice * lot * (1 - rate);
            const mpz_class lotsMore = -floorOf(-deficit / perLot);
            t.sell += lotsMore * lot;
        }
    }
    if (t.sell > t.holding)
        t.sell = t.holding;
    t.left = floorOf(trades.remainder(t.sell));
    press.transfer = t;
    return press;
}

std::optional<ResultLine> parseResultLine(std::u16string_view line, Board newBoard)
{
    if (!takeWord(line, u"请卖出"))
        return std::nullopt;
    const auto sell = wholeNumber(takeDigitRun(line));
    if (!sell || !takeWord(line, u"股旧股票，才能买到"))
        return std::nullopt;
    const std::string shares = takeDigitRun(line);
    std::optional<mpz_class> bought;
    if (orderSizeOf(newBoard).step == lot) {
        // Lots are written as a number of shares: N followed by "00".
        if (!shares.ends_with("00"))
            return std::nullopt;
        bought = wholeNumber(std::string_view(shares).substr(0, shares.size() - 2));
        if (bought)
            *bought *= lot;
    } else {
        bought = wholeNumber(shares);
    }
    if (!bought || !takeWord(line, u"股新股。转仓后还有余额"))
        return std::nullopt;
    const auto left = wholeNumber(takeDigitRun(line));
    if (!left || !takeWord(line, u"元。") || !line.empty())
        return std::nullopt;
    return ResultLine{*sell, *bought, *left};
}

} // namespace ostrel::fuzz
