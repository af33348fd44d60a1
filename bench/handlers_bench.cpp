// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

// ostrel-bench: how long the heaviest handlers take, through the window's test double.
// A field holds at most 32,767 characters; every handler must stay well inside the 100 ms
// in which a click still feels immediate, even with every amount that long, under either fee
// model.
#include "calculator.h"
#include "fake_window.h"
#include "fee_schedule.h"
#include "fee_windows.h"
#include "long_amounts.h"
#include "memory_store.h"
#include "window_table.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

using ostrel::FeeModel;
using ostrel::Field;
using ostrel::Key;
using ostrel::core::Calculator;
using ostrel::core::FeeSettings;
using ostrel::testing::FakeWindow;
using ostrel::testing::MemoryStore;

using ostrel::bench::Amounts;
using ostrel::bench::digits;
using ostrel::bench::limit;

// The per-mille field of the main window, as a new user has it.
const FeeSettings perMille{};

// The broker's itemised schedule with the defaults: commission 万2.5 with a 5-yuan minimum,
// stamp duty 万5 on the sale, transfer fee 万0.1 on both trades.
FeeSettings itemised()
{
    FeeSettings settings;
    settings.model = FeeModel::itemised;
    return settings;
}

// Rates that together stop just short of their cap of 5000‱: commission 万4999 with a
// 5-yuan minimum, stamp duty 万0.9, no transfer fee. A sale keeps just over half its amount.
FeeSettings nearCapRates()
{
    FeeSettings settings = itemised();
    settings.texts = {u"4999", u"5", u"0.9", u"0"};
    return settings;
}

// The calculator as the program runs it, with the fee settings a user confirmed earlier.
class Desk {
public:
    explicit Desk(const FeeSettings &settings)
        : m_calculator(m_window, m_store)
    {
        m_store.save(ostrel::core::storedValues(settings));
        m_calculator.startUp();
    }

    FakeWindow &window() { return m_window; }
    Calculator &calculator() { return m_calculator; }

private:
    MemoryStore m_store;
    FakeWindow m_window;
    Calculator m_calculator;
};

void runCalculation(benchmark::State &state, const Amounts &amounts, const FeeSettings &settings)
{
    Desk desk(settings);
    FakeWindow &window = desk.window();
    if (desk.calculator().feeSettings() != settings) {
        state.SkipWithError("the fee settings were not taken up");
        return;
    }
    ostrel::bench::typeInto(window, amounts);
    desk.calculator().calculate();
    if (!window.messages().empty() || window.result().empty() || !desk.calculator().detail()) {
        state.SkipWithError("the amounts do not pass the input checks");
        return;
    }
    for (auto _ : state) {
        desk.calculator().calculate();
        benchmark::DoNotOptimize(window.result().data());
    }
}

// The worked example: sell at 10 to buy 2,500 shares at 8 with 2,000 yuan in the account.
void calculationOrdinary(benchmark::State &state, const FeeSettings &settings)
{
    runCalculation(state, Amounts{}, settings);
}

// Both prices with 32,767 digits and a point in the middle: exact fractions with
// denominators of some 16,000 digits.
void calculationLongPrices(benchmark::State &state, const FeeSettings &settings)
{
    Amounts amounts;
    amounts.oldPrice = digits(limit, u"123456789", limit / 2);
    amounts.newPrice = digits(limit, u"98765", limit / 2);
    runCalculation(state, amounts, settings);
}

// The money to spend and the balance with 32,767 digits each.
void calculationLongMoney(benchmark::State &state, const FeeSettings &settings)
{
    Amounts amounts;
    amounts.money = digits(limit, u"8613", limit);
    amounts.balance = digits(limit, u"5027", limit);
    runCalculation(state, amounts, settings);
}

// A holding of 32,767 digits with a tiny old price, so the sale is capped by the holding.
void calculationLongHolding(benchmark::State &state, const FeeSettings &settings)
{
    Amounts amounts;
    amounts.sharesHeld = digits(limit, u"73", limit);
    amounts.oldPrice = u"0." + std::u16string(limit - 3, u'0') + u"1";
    runCalculation(state, amounts, settings);
}

// Every amount at the limit.
void calculationAllLong(benchmark::State &state, const FeeSettings &settings)
{
    Amounts amounts;
    amounts.oldPrice = digits(limit, u"123456789", 7);
    amounts.sharesHeld = digits(limit, u"73", limit);
    amounts.newPrice = digits(limit, u"98765", limit / 2);
    amounts.balance = digits(limit, u"5027", limit - 2);
    amounts.money = digits(limit, u"8613", limit);
    runCalculation(state, amounts, settings);
}

// Every amount at the limit and every one a fraction, the fee included: the slowest
// calculation a user can set up.
void calculationAllLongFractions(benchmark::State &state, const FeeSettings &settings)
{
    runCalculation(state, ostrel::bench::slowestAmounts(), settings);
}

// A share worth 0.00001 yuan and a holding of 32,767 digits: a lot brings a tenth of a fen,
// so the itemised fees of the sale step up a fen every 20,000 lots or so, and the sale that
// pays is some hundred million lots.
void calculationTinyPrice(benchmark::State &state, const FeeSettings &settings)
{
    runCalculation(state, ostrel::bench::tinyPriceAmounts(), settings);
}

// The itemised rates just under their cap: every lot steps a fee up, and the least sale that
// pays lies among the most steps of the fees that sound rates allow.
void calculationRatesNearCap(benchmark::State &state, const FeeSettings &settings)
{
    runCalculation(state, ostrel::bench::nearCapAmounts(), settings);
}

// 计算明细 after the slowest calculation: the detail is worked out as its window opens.
void detailAllLongFractions(benchmark::State &state, const FeeSettings &settings)
{
    Desk desk(settings);
    ostrel::bench::typeInto(desk.window(), ostrel::bench::slowestAmounts());
    desk.calculator().calculate();
    if (!desk.calculator().detail()) {
        state.SkipWithError("the amounts do not pass the input checks");
        return;
    }
    const auto &close = *ostrel::layout::detailWindow().controlFor(ostrel::CloseDialog{});
    for (auto _ : state) {
        desk.calculator().perform(ostrel::ShowDetail{});
        desk.window().dialog()->click(close);
    }
}

// One keypad press on a field that holds 32,767 characters, alternating backspace and a
// digit so that the field stays at and just under the limit.
void keypadPressLongField(benchmark::State &state)
{
    Desk desk(perMille);
    FakeWindow &window = desk.window();
    window.setText(Field::oldPrice, digits(limit, u"31415926", limit / 3));
    Key key = Key::backspace;
    for (auto _ : state) {
        desk.calculator().perform(ostrel::PressKey{key});
        key = key == Key::backspace ? Key::digit5 : Key::backspace;
    }
    benchmark::DoNotOptimize(window.text(Field::oldPrice).size());
}

} // namespace

BENCHMARK_CAPTURE(calculationOrdinary, perMille, perMille)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(calculationOrdinary, itemised, itemised())->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(calculationLongPrices, perMille, perMille)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(calculationLongPrices, itemised, itemised())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(calculationLongMoney, perMille, perMille)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(calculationLongMoney, itemised, itemised())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(calculationLongHolding, perMille, perMille)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(calculationLongHolding, itemised, itemised())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(calculationAllLong, perMille, perMille)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(calculationAllLong, itemised, itemised())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(calculationAllLongFractions, perMille, perMille)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(calculationAllLongFractions, itemised, itemised())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(calculationTinyPrice, perMille, perMille)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(calculationTinyPrice, itemised, itemised())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(calculationRatesNearCap, itemised, nearCapRates())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(detailAllLongFractions, perMille, perMille)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(detailAllLongFractions, itemised, itemised())->Unit(benchmark::kMillisecond);
BENCHMARK(keypadPressLongField)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
