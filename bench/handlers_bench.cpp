// ostrel-bench: how long the heaviest handlers take, through the window's test double.
// A field holds at most 32,767 characters; every handler must stay well inside the 100 ms
// in which a click still feels immediate, even with every amount that long.
#include "core/form1.h"
#include "entry/keypad.h"
#include "fake_window.h"
#include "form/layout.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

using ostrel::Field;
using ostrel::Form1;
using ostrel::play::FakeWindow;

constexpr std::size_t limit = ostrel::form::maxTextLength;

// `count` digits cycling through `pattern`, with a decimal point after `whole` digits when
// `whole` is below `count`.
std::u16string digits(std::size_t count, std::u16string_view pattern, std::size_t whole)
{
    std::u16string text;
    for (std::size_t i = 0; text.size() < count; ++i) {
        if (i == whole && whole > 0)
            text += u'.';
        text += pattern[i % pattern.size()];
    }
    return text.substr(0, count);
}

struct Amounts {
    std::u16string oldprice = u"10";
    std::u16string buy6 = u"5000";
    std::u16string newprice = u"8";
    std::u16string souxufei = u"1";
    std::u16string savemoney = u"2000";
    std::u16string buymoney = u"20000";
};

void runCalculation(benchmark::State &state, const Amounts &amounts)
{
    FakeWindow window;
    Form1 form(window);
    form.load();
    window.setText(Field::oldprice, amounts.oldprice);
    window.setText(Field::buy6, amounts.buy6);
    window.setText(Field::newprice, amounts.newprice);
    window.setText(Field::souxufei, amounts.souxufei);
    window.setText(Field::savemoney, amounts.savemoney);
    window.setText(Field::buymoney, amounts.buymoney);
    form.startCalculation();
    if (!window.messages().empty() || window.result().empty()) {
        state.SkipWithError("the amounts do not pass the input checks");
        return;
    }
    for (auto _ : state) {
        form.startCalculation();
        benchmark::DoNotOptimize(window.result().data());
    }
}

void calculationOrdinary(benchmark::State &state)
{
    runCalculation(state, Amounts{});
}

// Both prices with 32,767 digits and a point in the middle: exact fractions with
// denominators of some 16,000 digits.
void calculationLongPrices(benchmark::State &state)
{
    Amounts amounts;
    amounts.oldprice = digits(limit, u"123456789", limit / 2);
    amounts.newprice = digits(limit, u"98765", limit / 2);
    runCalculation(state, amounts);
}

// The money to spend and the balance with 32,767 digits each.
void calculationLongMoney(benchmark::State &state)
{
    Amounts amounts;
    amounts.buymoney = digits(limit, u"8613", limit);
    amounts.savemoney = digits(limit, u"5027", limit);
    runCalculation(state, amounts);
}

// A holding of 32,767 digits with a tiny old price, so the sale is capped by the holding.
void calculationLongHolding(benchmark::State &state)
{
    Amounts amounts;
    amounts.buy6 = digits(limit, u"73", limit);
    amounts.oldprice = u"0." + std::u16string(limit - 3, u'0') + u"1";
    runCalculation(state, amounts);
}

// Every amount at the limit.
void calculationAllLong(benchmark::State &state)
{
    Amounts amounts;
    amounts.oldprice = digits(limit, u"123456789", 7);
    amounts.buy6 = digits(limit, u"73", limit);
    amounts.newprice = digits(limit, u"98765", limit / 2);
    amounts.savemoney = digits(limit, u"5027", limit - 2);
    amounts.buymoney = digits(limit, u"8613", limit);
    runCalculation(state, amounts);
}

// Every amount at the limit and every one a fraction, the fee included: the slowest
// calculation a user can set up.
void calculationAllLongFractions(benchmark::State &state)
{
    Amounts amounts;
    amounts.oldprice = digits(limit, u"123456789", 7);
    amounts.buy6 = digits(limit, u"73", limit - 1);
    amounts.newprice = digits(limit, u"98765", limit / 2);
    amounts.souxufei = u"1." + digits(limit - 2, u"2357", limit);
    amounts.savemoney = digits(limit, u"5027", limit / 3);
    amounts.buymoney = digits(limit, u"8613", limit - 5);
    runCalculation(state, amounts);
}

// One keypad press on a field that holds 32,767 characters, alternating backspace and a
// digit so that the field stays at and just under the limit.
void keypadPressLongField(benchmark::State &state)
{
    FakeWindow window;
    Form1 form(window);
    form.load();
    window.setText(Field::oldprice, digits(limit, u"31415926", limit / 3));
    int key = ostrel::entry::backspaceKey;
    for (auto _ : state) {
        form.keypadPress(key);
        key = key == ostrel::entry::backspaceKey ? 5 : ostrel::entry::backspaceKey;
    }
    benchmark::DoNotOptimize(window.text(Field::oldprice).size());
}

} // namespace

BENCHMARK(calculationOrdinary)->Unit(benchmark::kMicrosecond);
BENCHMARK(calculationLongPrices)->Unit(benchmark::kMillisecond);
BENCHMARK(calculationLongMoney)->Unit(benchmark::kMillisecond);
BENCHMARK(calculationLongHolding)->Unit(benchmark::kMillisecond);
BENCHMARK(calculationAllLong)->Unit(benchmark::kMillisecond);
BENCHMARK(calculationAllLongFractions)->Unit(benchmark::kMillisecond);
BENCHMARK(keypadPressLongField)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
