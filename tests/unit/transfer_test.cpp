// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "numbers.h"
#include "transfer.h"
#include "window_table.h"

#include <gtest/gtest.h>

#include <string>
#include <variant>

namespace {

using ostrel::Field;
using ostrel::core::FeeSettings;
using ostrel::core::FieldTexts;
using ostrel::core::fullFundsFill;
using ostrel::core::resultLine;

// The transfer of texts that pass every check, with the fees of `settings`.
ostrel::core::Transfer transferFrom(const FieldTexts &texts, const FeeSettings &settings = {})
{
    const auto inputs = std::get<ostrel::core::Inputs>(ostrel::core::checkedInputs(
        texts, settings.model == ostrel::FeeModel::perMille ? ostrel::core::FeeFieldChecks::run
                                                            : ostrel::core::FeeFieldChecks::skip));
    return ostrel::core::transferOf(inputs,
                                    *ostrel::core::scheduleOf(settings, inputs.feePerMille));
}

struct TransferCase {
    const char16_t *oldPrice, *sharesHeld, *newPrice, *fee, *balance, *money;
    std::u16string line;
};

class Transfer : public testing::TestWithParam<TransferCase> {};

TEST_P(Transfer, ResultLine)
{
    const TransferCase &c = GetParam();
    FieldTexts texts;
    texts[Field::oldPrice] = c.oldPrice;
    texts[Field::sharesHeld] = c.sharesHeld;
    texts[Field::newPrice] = c.newPrice;
    texts[Field::plannedShares] = u"0";
    texts[Field::feePerMille] = c.fee;
    texts[Field::balance] = c.balance;
    texts[Field::moneyToSpend] = c.money;
    EXPECT_EQ(resultLine(transferFrom(texts)), c.line);
}

std::u16string line(const std::u16string &sell, const std::u16string &lots,
                    const std::u16string &left)
{
    return u"请卖出" + sell + u"股旧股票，才能买到" + lots + u"00股新股。转仓后还有余额" + left +
           u"元。";
}

INSTANTIATE_TEST_SUITE_P(
    WorkedExamples, Transfer,
    testing::Values(
        TransferCase{u"10", u"5000", u"8", u"1", u"2000", u"20000", line(u"1900", u"25", u"961")},
        TransferCase{u"12.5", u"3000", u"7.3", u"1.5", u"1234.5", u"10000",
                     line(u"700", u"13", u"467")},
        TransferCase{u"12.4", u"1000", u"6", u"1", u"300", u"12300", line(u"1000", u"20", u"675")},
        TransferCase{u"10", u"1000", u"10", u"1", u"5500", u"5000", line(u"0", u"5", u"495")},
        TransferCase{u"10", u"1000", u"8", u"1", u"0", u"500", line(u"100", u"0", u"999")}));

INSTANTIATE_TEST_SUITE_P(
    MendedFaults, Transfer,
    testing::Values(
        // The remainder belongs to the capped sale: 300 shares bring 1500 of the 10000.
        TransferCase{u"5", u"300", u"20", u"1", u"0", u"10000", line(u"300", u"5", u"-8512")},
        // Exact boundary: the shortfall is exactly 80 lots, so 81 lots are sold.
        TransferCase{u"1.07", u"100000", u"17.12", u"1", u"0", u"10000",
                     line(u"8100", u"5", u"89")},
        // Money 7 at 0.07 buys exactly one lot.
        TransferCase{u"10", u"1000", u"0.07", u"0", u"100", u"7", line(u"0", u"1", u"93")},
        // A balance far above the cost sells nothing and keeps the whole surplus.
        TransferCase{u"10", u"1000", u"10", u"1", u"100000", u"5000", line(u"0", u"5", u"94995")},
        // Holdings far beyond 16 bits are capped exactly.
        TransferCase{u"1", u"40000.5", u"10", u"0", u"0", u"1000000",
                     line(u"40000", u"1000", u"-960000")},
        // The holding is rounded half to even before it caps the sale.
        TransferCase{u"1", u"150.5", u"10", u"0", u"0", u"10000", line(u"150", u"10", u"-9850")},
        // No fee, exact purchase: the old shares exactly cover one lot more than needed.
        TransferCase{u"10", u"1000", u"10", u"0", u"0", u"1000", line(u"200", u"1", u"1000")}));

// The sale pays for the purchase and both fees: the least sale, one lot beyond the shortfall,
// stands when it leaves 0 or more; else whole lots are added, up to the holding.
INSTANTIATE_TEST_SUITE_P(
    SalePaysFees, Transfer,
    testing::Values(
        // 10,000 shares leave exactly 0 after 200 yuan of fees: nothing more is sold.
        TransferCase{u"10", u"20000", u"10", u"1", u"200", u"100000", line(u"10000", u"100", u"0")},
        // A fen short: one more lot.
        TransferCase{u"10", u"20000", u"10", u"1", u"199.99", u"100000",
                     line(u"10100", u"100", u"998")},
        // The lot that pays is the last one held.
        TransferCase{u"10", u"10100", u"10", u"1", u"199.99", u"100000",
                     line(u"10100", u"100", u"998")},
        // One share short of that lot: the whole odd holding pays.
        TransferCase{u"10", u"10099", u"10", u"1", u"199.99", u"100000",
                     line(u"10099", u"100", u"989")},
        // The least sale is the whole holding and a fen short: that is all there is to sell.
        TransferCase{u"10", u"10000", u"10", u"1", u"199.99", u"100000",
                     line(u"10000", u"100", u"-1")},
        // Many lots more at the highest fee, with a fractional price.
        TransferCase{u"0.37", u"1000000", u"9.99", u"18", u"0", u"99900",
                     line(u"279900", u"100", u"0")},
        // A rebate never sells more than the least sale.
        TransferCase{u"10", u"20000", u"10", u"-2", u"0", u"100000",
                     line(u"10100", u"100", u"1402")}));

// Fees are per mille of each trade: on a sale of 10,000,000 and a purchase of 10,000,000 at
// 1 per mille, 20,000 yuan, where a divisor one off would show as some 20 yuan.
INSTANTIATE_TEST_SUITE_P(
    Fees, Transfer,
    testing::Values(TransferCase{u"100", u"100000", u"100", u"1", u"0", u"10000000",
                                 line(u"100000", u"1000", u"-20000")},
                    TransferCase{u"100", u"100000", u"100", u"18", u"0", u"10000000",
                                 line(u"100000", u"1000", u"-360000")},
                    TransferCase{u"100", u"100000", u"100", u"0.5", u"0", u"10000000",
                                 line(u"100000", u"1000", u"-10000")},
                    // A negative fee is not refused, and pays out as much as it would charge.
                    TransferCase{u"100", u"100000", u"100", u"-1", u"0", u"10000000",
                                 line(u"100000", u"1000", u"20000")}));

// Every two-decimal price from 0.01 to 30.00: money of exactly n lots buys n lots.
TEST(Transfer, ExactlyAffordableLotsAreNeverOneShort)
{
    for (int cents = 1; cents <= 3000; ++cents) {
        for (int lots : {1, 3, 7, 80}) {
            FieldTexts texts;
            const std::string price = std::to_string(cents / 100) + "." +
                                      (cents % 100 < 10 ? "0" : "") + std::to_string(cents % 100);
            const std::u16string price16(price.begin(), price.end());
            const std::string money = std::to_string(lots * cents);
            texts[Field::oldPrice] = u"1";
            texts[Field::sharesHeld] = u"1000000";
            texts[Field::newPrice] = price16;
            texts[Field::plannedShares] = u"0";
            texts[Field::feePerMille] = u"0";
            texts[Field::balance] = u"0";
            texts[Field::moneyToSpend] = std::u16string(money.begin(), money.end());
            ASSERT_EQ(transferFrom(texts).purchase.shares, lots * 100) << price << " x " << lots;
        }
    }
}

struct FillCase {
    const char16_t *oldPrice, *sharesHeld, *balance;
    std::optional<std::u16string> total;
};

class FullFunds : public testing::TestWithParam<FillCase> {};

TEST_P(FullFunds, WholeYuanOfTheTrueValueWithNoSixteenBitLimit)
{
    const FillCase &c = GetParam();
    EXPECT_EQ(fullFundsFill(c.oldPrice, c.sharesHeld, c.balance), c.total);
}

INSTANTIATE_TEST_SUITE_P(
    Fill, FullFunds,
    testing::Values(
        FillCase{u"0", u"0", u"0", u"0"},
        // A fractional price counts in full: 3.5 is not taken as 4, nor 0.3 as 0.
        FillCase{u"3.5", u"10000", u"0", u"35000"}, FillCase{u"0.3", u"1000", u"0", u"300"},
        FillCase{u"12.3", u"1000", u"2500", u"14800"},
        // 18447.5 + 3456.78 = 21904.28: the fractions are added before the floor.
        FillCase{u"7.85", u"2350", u"3456.78", u"21904"}, FillCase{u"2.5", u"100", u"0.25", u"250"},
        FillCase{u"0.05", u"10", u"0.5", u"1"},
        // The holding is whole shares, halves to even, as the cap on the sale counts it.
        FillCase{u"2", u"1000.5", u"0", u"2000"}, FillCase{u"2", u"1001.5", u"0", u"2004"},
        FillCase{u"2", u"100.4999", u"0", u"200"},
        // Toward minus infinity, so a debt of half a yuan is a whole yuan short.
        FillCase{u"10", u"100", u"-1000.5", u"-1"}, FillCase{u"3.5", u"100", u"-1.5", u"348"},
        FillCase{u"10", u"3276", u"7", u"32767"}, FillCase{u"10", u"3276", u"8", u"32768"},
        FillCase{u" 1.5 ", u"+100", u"-.5", u"149"}, FillCase{u"abc", u"100", u"0", std::nullopt},
        FillCase{u"10", u"", u"0", std::nullopt}, FillCase{u"10", u"100", u"1e3", std::nullopt},
        FillCase{u"1.2.3", u"100", u"0", std::nullopt}));

TEST(FullFunds, TotalThatATextBoxCannotHoldIsNotWritten)
{
    const std::u16string digits(20000, u'9');
    EXPECT_EQ(fullFundsFill(digits, digits, u"0"), std::nullopt);
    // A total exactly as long as a text box holds is written whole.
    const std::u16string longest = u"1" + std::u16string(ostrel::layout::maxTextLength - 1, u'0');
    const auto atTheLimit = fullFundsFill(u"1", u"100", longest);
    ASSERT_TRUE(atTheLimit.has_value());
    EXPECT_EQ(atTheLimit->size(), ostrel::layout::maxTextLength);
    const std::u16string fits(16000, u'9');
    const auto total = fullFundsFill(fits, fits, u"0");
    ASSERT_TRUE(total.has_value());
    EXPECT_EQ(total->size(), 32000u);
}

} // namespace

namespace {

struct ItemisedCase {
    const char16_t *oldPrice, *sharesHeld, *newPrice, *balance, *money;
    const char16_t *commission, *minimum;
    std::u16string line;
    const char16_t *remainder; // to the fen
};

class ItemisedTransfer : public testing::TestWithParam<ItemisedCase> {};

TEST_P(ItemisedTransfer, FewestLotsThatPayEveryFee)
{
    const ItemisedCase &c = GetParam();
    FieldTexts texts;
    texts[Field::oldPrice] = c.oldPrice;
    texts[Field::sharesHeld] = c.sharesHeld;
    texts[Field::newPrice] = c.newPrice;
    texts[Field::plannedShares] = u"0";
    texts[Field::feePerMille] = u"not used";
    texts[Field::balance] = c.balance;
    texts[Field::moneyToSpend] = c.money;
    FeeSettings settings;
    settings.model = ostrel::FeeModel::itemised;
    settings.texts = {c.commission, c.minimum, u"5", u"0.1"};
    const auto transfer = transferFrom(texts, settings);
    EXPECT_EQ(resultLine(transfer), c.line);
    EXPECT_EQ(ostrel::numbers::fixedText(transfer.moneyLeft, 2), c.remainder);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ItemisedTransfer,
    testing::Values(
        // 19.89 yuan of fees: 1,800 shares leave 19.38 too little.
        ItemisedCase{u"10", u"5000", u"8", u"2000", u"20000", u"2.5", u"5",
                     line(u"1900", u"25", u"980"), u"980.11"},
        ItemisedCase{u"10", u"5000", u"8", u"2019.37", u"20000", u"2.5", u"5",
                     line(u"1900", u"25", u"999"), u"999.48"},
        ItemisedCase{u"10", u"5000", u"8", u"2019.38", u"20000", u"2.5", u"5",
                     line(u"1800", u"25", u"0"), u"0.00"},
        // The minimum decides: 100 shares would do without it.
        ItemisedCase{u"10", u"1000", u"5", u"10", u"1000", u"2.5", u"5", line(u"200", u"2", u"998"),
                     u"998.97"},
        ItemisedCase{u"10", u"1000", u"5", u"10", u"1000", u"2.5", u"0", line(u"100", u"2", u"8"),
                     u"8.98"},
        // Nothing to buy, nothing to sell; a balance that pays for it all sells nothing.
        ItemisedCase{u"10", u"1000", u"8", u"0", u"500", u"2.5", u"5", line(u"0", u"0", u"0"),
                     u"0.00"},
        ItemisedCase{u"10", u"1000", u"8", u"20005.20", u"20000", u"2.5", u"5",
                     line(u"0", u"25", u"0"), u"0.00"},
        ItemisedCase{u"10", u"1000", u"8", u"20005.19", u"20000", u"2.5", u"5",
                     line(u"100", u"25", u"994"), u"994.48"},
        // Too small a holding: all of it, odd shares too, and a negative remainder.
        ItemisedCase{u"10", u"150.5", u"8", u"0", u"20000", u"2.5", u"5",
                     line(u"150", u"25", u"-18511"), u"-18510.97"},
        // The stamp duty steps back the money 1,000,000 shares bring.
        ItemisedCase{u"0.00001", u"2000000", u"0.01", u"0.0005", u"10", u"2.5", u"0",
                     line(u"1001000", u"10", u"0"), u"0.00"}));

} // namespace
