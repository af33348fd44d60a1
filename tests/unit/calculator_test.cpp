// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The calculator driven as a user drives the window, through the same test double the
// scenarios use.
#include "core_backend.h"
#include "window_table.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace {

using ostrel::Field;
using ostrel::Key;
using ostrel::testing::CoreBackend;
namespace layout = ostrel::layout;

const layout::Control &key(Key key)
{
    return layout::keyControl(key);
}
const layout::Control &field(Field field)
{
    return layout::fieldControl(field);
}
const layout::Control &control(const ostrel::Action &action)
{
    return *layout::controlFor(action);
}

TEST(Calculator, ClicksSelectTheKeypadTargetAndKeepIt)
{
    CoreBackend ui;
    ui.click(key(Key::digit5));
    EXPECT_EQ(ui.text(Field::oldPrice), u"5");
    EXPECT_EQ(ui.focus(), &field(Field::oldPrice));

    ui.click(field(Field::newPrice));
    ui.tab();
    ui.tab(); // focus now elsewhere; the keypad still edits the new price
    ui.click(key(Key::point));
    EXPECT_EQ(ui.text(Field::newPrice), u"0.");
    EXPECT_EQ(ui.focus(), &field(Field::moneyToSpend));

    ui.click(control(ostrel::Reset{ostrel::ResetGroup::all}));
    ui.click(key(Key::digit7));
    EXPECT_EQ(ui.text(Field::newPrice), u"7");
    EXPECT_EQ(ui.keypadTarget(), Field::newPrice);
    EXPECT_EQ(ui.result(), u"OK，已全部重置!");
}

TEST(Calculator, FailedCalculationShowsOneBoxAndKeepsTheResultLine)
{
    CoreBackend ui;
    const std::u16string before = ui.result();
    ui.click(control(ostrel::Calculate{}));
    ASSERT_EQ(ui.window().messages().size(), 1u);
    EXPECT_EQ(ui.window().messages()[0].title, u"输入错误");
    EXPECT_EQ(ui.result(), before);

    ui.type(Field::oldPrice, u"10");
    ui.type(Field::sharesHeld, u"5000");
    ui.type(Field::newPrice, u"8");
    ui.type(Field::balance, u"2000");
    ui.type(Field::moneyToSpend, u"20000");
    ui.click(control(ostrel::Calculate{}));
    EXPECT_EQ(ui.window().messages().size(), 1u);
    EXPECT_EQ(ui.result(), u"请卖出1900股旧股票，才能买到2500股新股。转仓后还有余额961元。");
    EXPECT_EQ(ui.focus(), &control(ostrel::Calculate{}));
}

// A reset sets its stocks' boards back to the main board for the calculation too, not only in
// the list: 10 yuan and 3.89 at 1 per mille, 1,000 shares held and 3,000 yuan to spend.
TEST(Calculator, AResetSetsItsStocksBoardsBackForTheNextCalculation)
{
    using ostrel::Board;
    using ostrel::ResetGroup;
    using ostrel::Stock;
    const struct {
        ResetGroup group;
        std::u16string line;
    } cases[] = {
        {ResetGroup::oldStock, u"请卖出400股旧股票，才能买到771股新股。转仓后还有余额993元。"},
        {ResetGroup::newStock, u"请卖出273股旧股票，才能买到700股新股。转仓后还有余额1元。"},
        {ResetGroup::all, u"请卖出300股旧股票，才能买到700股新股。转仓后还有余额271元。"},
    };
    for (const auto &c : cases) {
        CoreBackend ui;
        ui.chooseBoard(Stock::oldStock, Board::star);
        ui.chooseBoard(Stock::newStock, Board::star);
        ui.click(control(ostrel::Reset{c.group}));
        for (const auto &[entry, text] : {std::pair{Field::oldPrice, u"10"},
                                          {Field::sharesHeld, u"1000"},
                                          {Field::newPrice, u"3.89"},
                                          {Field::balance, u"0"},
                                          {Field::moneyToSpend, u"3000"}})
            ui.type(entry, text);
        ui.click(control(ostrel::Calculate{}));
        EXPECT_EQ(ui.result(), c.line) << static_cast<int>(c.group);
    }
}

// A planned number of shares has no calculation of its own: from 100 planned shares up the
// press ends silently, whatever the money to spend says. The window keeps that field hidden,
// so only a test can fill it.
TEST(Calculator, PlannedSharesFromALotUpEndTheCalculationSilently)
{
    for (const auto &[planned, computes] :
         {std::pair{u"99", true}, std::pair{u"99.99", true}, std::pair{u"100", false},
          std::pair{u"100000", false}}) {
        CoreBackend ui;
        ui.type(Field::oldPrice, u"10");
        ui.type(Field::sharesHeld, u"5000");
        ui.type(Field::newPrice, u"8");
        ui.type(Field::moneyToSpend, u"20000");
        ui.window().setText(Field::plannedShares, planned);
        const std::u16string before = ui.result();
        ui.click(control(ostrel::Calculate{}));
        EXPECT_TRUE(ui.window().messages().empty());
        EXPECT_EQ(ui.result() != before, computes) << (computes ? "computes" : "stops");
    }
}

// Wherever the click leaves the caret, a field clicked is ready for typing at its end.
TEST(Calculator, AFieldClickPutsTheCaretAfterTheText)
{
    for (const Field clicked : {Field::oldPrice, Field::sharesHeld, Field::newPrice, Field::balance,
                                Field::moneyToSpend, Field::feePerMille}) {
        CoreBackend ui;
        ui.type(clicked, u"12345");
        ui.click(field(clicked));
        EXPECT_EQ(ui.caret(clicked), ui.text(clicked).size()) << static_cast<int>(clicked);
        EXPECT_EQ(ui.focus(), &field(clicked));
        EXPECT_EQ(ui.keypadTarget(), clicked);
    }
}

TEST(Calculator, KeypadNeverGrowsAFieldBeyondTheTextBoxLimit)
{
    CoreBackend ui;
    ui.type(Field::oldPrice, std::u16string(layout::maxTextLength + 10, u'9'));
    EXPECT_EQ(ui.text(Field::oldPrice).size(), layout::maxTextLength);
    ui.click(field(Field::oldPrice));
    ui.click(key(Key::digit1));
    EXPECT_EQ(ui.text(Field::oldPrice).size(), layout::maxTextLength);
    EXPECT_EQ(ui.caret(Field::oldPrice), layout::maxTextLength);
}

} // namespace
