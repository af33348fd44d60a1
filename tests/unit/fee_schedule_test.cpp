// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "fee_schedule.h"
#include "numbers.h"
#include "transfer.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

using ostrel::FeeEntry;
using ostrel::FeeModel;
using ostrel::SettingsStore;
using ostrel::core::FeeSettings;
using ostrel::core::ItemisedRates;
using ostrel::core::Side;
namespace core = ostrel::core;
namespace numbers = ostrel::numbers;

mpq_class q(const char *decimal)
{
    return numbers::leadingNumber(
        std::u16string(decimal, decimal + std::char_traits<char>::length(decimal)));
}

ItemisedRates rates(const char *c, const char *m, const char *s, const char *t)
{
    return {q(c) / 10000, q(m), q(s) / 10000, q(t) / 10000};
}

const ItemisedRates defaults = rates("2.5", "5", "5", "0.1");

struct FeeCase {
    const char *amount;
    Side side;
    const char *commission, *stampDuty, *transferFee;
};

class TradeFees : public testing::TestWithParam<FeeCase> {};

TEST_P(TradeFees, EachToTheFenWithTheMinimum)
{
    const FeeCase &c = GetParam();
    const core::TradeFees fees = core::itemisedFees(defaults, q(c.amount), c.side);
    EXPECT_EQ(fees.commission, q(c.commission)) << c.amount;
    EXPECT_EQ(fees.stampDuty, q(c.stampDuty)) << c.amount;
    EXPECT_EQ(fees.transferFee, q(c.transferFee)) << c.amount;
}

INSTANTIATE_TEST_SUITE_P(
    Defaults, TradeFees,
    testing::Values(
        // Nothing traded costs nothing, not even the minimum.
        FeeCase{"0", Side::sale, "0", "0", "0"},
        // A tiny trade pays the minimum commission and fees that round to nothing.
        FeeCase{"0.01", Side::purchase, "5", "0", "0"},
        FeeCase{"19000", Side::sale, "5", "9.5", "0.19"},
        FeeCase{"20000", Side::purchase, "5", "0", "0.2"},
        // 万2.5 of 20,000 is exactly the minimum; above it the rate counts.
        FeeCase{"20000", Side::sale, "5", "10", "0.2"},
        FeeCase{"20020", Side::sale, "5.01", "10.01", "0.2"},
        // Halves go up: 万5 of 9 is 0.0045, 万5 of 10 is 0.005.
        FeeCase{"9", Side::sale, "5", "0", "0"}, FeeCase{"10", Side::sale, "5", "0.01", "0"},
        FeeCase{"500", Side::sale, "5", "0.25", "0.01"},
        FeeCase{"1000000", Side::sale, "250", "500", "10"}));

struct FaultCase {
    const char16_t *commission, *minimum, *stampDuty, *transferFee;
    const char16_t *fault; // empty: none
};

class RateFaults : public testing::TestWithParam<FaultCase> {};

TEST_P(RateFaults, NameTheFirstFaultyField)
{
    const FaultCase &c = GetParam();
    FeeSettings settings;
    settings.texts = {c.commission, c.minimum, c.stampDuty, c.transferFee};
    const auto fault = core::firstRateFault(settings);
    EXPECT_EQ(fault ? fault->message : u"", std::u16string_view(c.fault));
}

INSTANTIATE_TEST_SUITE_P(
    Table, RateFaults,
    testing::Values(
        FaultCase{u"2.5", u"5", u"5", u"0.1", u""}, FaultCase{u"0", u"0", u"0", u"0", u""},
        FaultCase{u" 3 ", u"+5", u"5.", u".1", u""}, FaultCase{u"4999.99", u"5", u"0", u"0", u""},
        FaultCase{u"4999.9", u"5", u"0.1", u"0",
                  u"系统提示：佣金、印花税和过户费的万分之数合计必须小于 "
                  u"5000，卖出时的费用不能达到卖出金额的一半！"},
        FaultCase{u"x", u"-1", u"5", u"0.1", u"系统提示：“佣金 万分之”的值必须是不小于零的数字！"},
        FaultCase{u"-0.1", u"5", u"5", u"0.1",
                  u"系统提示：“佣金 万分之”的值必须是不小于零的数字！"},
        FaultCase{u"10000", u"5", u"5", u"0.1", u"系统提示：“佣金 万分之”的值必须小于 10000！"},
        FaultCase{u"2.5", u"", u"5", u"0.1", u"系统提示：“最低佣金”的值必须是不小于零的数字！"},
        FaultCase{u"2.5", u"5", u"1e3", u"0.1",
                  u"系统提示：“印花税 万分之”的值必须是不小于零的数字！"},
        FaultCase{u"2.5", u"5", u"5", u"10000.0", u"系统提示：“过户费 万分之”的值必须小于 10000！"},
        FaultCase{u"5000", u"5", u"4999", u"1",
                  u"系统提示：佣金、印花税和过户费的万分之数合计必须小于 "
                  u"5000，卖出时的费用不能达到卖出金额的一半！"},
        FaultCase{u"4000", u"5", u"999", u"0.99", u""}));

std::optional<mpz_class> countedOneByOne(const ItemisedRates &r, const mpq_class &unit,
                                         const mpq_class &need, const mpz_class &from,
                                         const mpz_class &to)
{
    for (mpz_class k = from; k <= to; ++k) {
        const mpq_class amount = k * unit;
        if (amount - core::itemisedFees(r, amount, Side::sale).total() >= need)
            return k;
    }
    return std::nullopt;
}

// The search against a plain count, one unit at a time, over many small schedules: tiny
// unit prices where the fees step back the money a sale brings, minimums, waived ones,
// and zero rates.
TEST(LeastPayingCount, AgreesWithCountingOneByOne)
{
    std::mt19937 random(20261208);
    const auto pick = [&](std::initializer_list<const char *> choices) {
        std::uniform_int_distribution<std::size_t> index(0, choices.size() - 1);
        return q(*(choices.begin() + index(random)));
    };
    for (int round = 0; round < 250; ++round) {
        const ItemisedRates r{pick({"0", "0.00025", "0.003", "0.1"}), pick({"0", "5", "0.07"}),
                              pick({"0", "0.0005", "0.001", "0.3"}),
                              pick({"0", "0.00001", "0.002"})};
        const mpq_class unit = pick({"0.001", "0.0037", "0.01", "0.1", "1", "7.77", "100"});
        const mpq_class need = pick({"0", "0.004", "0.01", "0.3", "1", "5.2", "33.33", "250"});
        const mpz_class from = pick({"1", "2", "7"}).get_num();
        const mpz_class to = pick({"1", "40", "300"}).get_num();
        const auto found = core::leastPayingCount(r, unit, need, from, to);
        ASSERT_EQ(found, countedOneByOne(r, unit, need, from, to))
            << "unit " << unit << " need " << need << " rates " << r.commission << ' '
            << r.minimumCommission << ' ' << r.stampDuty << ' ' << r.transferFee << " from " << from
            << " to " << to;
    }
}

// Where only the commission steps between the first count tried and the answer (a high rate
// over its minimum, the other fees flat): the search must still see each of its steps.
TEST(LeastPayingCount, SeesTheCommissionStepAlone)
{
    const ItemisedRates r{q("0.4"), q("0.07"), q("0.001"), q("0")};
    const mpq_class unit = q("0.0037");
    const mpq_class need = q("0.3");
    EXPECT_EQ(core::leastPayingCount(r, unit, need, 1, mpz_class(300)),
              countedOneByOne(r, unit, need, 1, 300));
}

TEST(LeastPayingCount, WalksFeeStepsNotUnits)
{
    // A billion units below the answer: counting one by one would never end in time.
    const mpz_class found =
        *core::leastPayingCount(defaults, q("0.01"), q("100000000"), 1, std::nullopt);
    const mpq_class amount = found * q("0.01");
    EXPECT_GE(amount - core::itemisedFees(defaults, amount, Side::sale).total(), q("100000000"));
    const mpq_class less = (found - 1) * q("0.01");
    EXPECT_LT(less - core::itemisedFees(defaults, less, Side::sale).total(), q("100000000"));
}

struct StoreCase {
    const char *why;
    std::optional<SettingsStore::Values> stored;
    FeeModel model;
    const char16_t *commission;
    const char16_t *transferFee = u"0.1";
    bool waived = true;
};

SettingsStore::Values sound()
{
    return {{"feeModel", u"itemised"},  {"commissionRate", u"1"}, {"minimumCommission", u"0"},
            {"minimumWaived", u"true"}, {"stampDutyRate", u"5"},  {"transferFeeRate", u"0.1"}};
}

SettingsStore::Values with(std::string key, std::u16string value)
{
    SettingsStore::Values values = sound();
    values.insert_or_assign(std::move(key), std::move(value));
    return values;
}

SettingsStore::Values without(const std::string &key)
{
    SettingsStore::Values values = sound();
    values.erase(key);
    return values;
}

class StoredSettings : public testing::TestWithParam<StoreCase> {};

TEST_P(StoredSettings, SoundOrDefaults)
{
    const StoreCase &c = GetParam();
    const FeeSettings settings = core::settingsFrom(c.stored);
    EXPECT_EQ(settings.model, c.model) << c.why;
    EXPECT_EQ(settings.text(FeeEntry::commissionRate), c.commission) << c.why;
    EXPECT_EQ(settings.text(FeeEntry::transferFeeRate), c.transferFee) << c.why;
    EXPECT_EQ(settings.minimumWaived, c.waived) << c.why;
}

INSTANTIATE_TEST_SUITE_P(
    Table, StoredSettings,
    testing::Values(
        StoreCase{"unreadable", std::nullopt, FeeModel::perMille, u"2.5", u"0.1", false},
        StoreCase{"empty", SettingsStore::Values{}, FeeModel::perMille, u"2.5", u"0.1", false},
        StoreCase{"sound", sound(), FeeModel::itemised, u"1"},
        StoreCase{"unknown keys are left alone", with("colour", u"red"), FeeModel::itemised, u"1"},
        // A damaged value gives its own default; the others stay as stored.
        StoreCase{"model", with("feeModel", u"Itemised"), FeeModel::perMille, u"1"},
        StoreCase{"waiver", with("minimumWaived", u"1"), FeeModel::itemised, u"1", u"0.1", false},
        StoreCase{"rate", with("transferFeeRate", u"-5"), FeeModel::itemised, u"1"},
        StoreCase{"too high", with("transferFeeRate", u"10000"), FeeModel::itemised, u"1"},
        StoreCase{"not a number", with("commissionRate", u"1e3"), FeeModel::itemised, u"2.5"},
        StoreCase{"missing", without("transferFeeRate"), FeeModel::itemised, u"1"},
        StoreCase{"missing model", without("feeModel"), FeeModel::perMille, u"1"},
        StoreCase{"missing waiver", without("minimumWaived"), FeeModel::itemised, u"1", u"0.1",
                  false},
        // Sound each, too high together: the sale's rates all go back to their defaults.
        StoreCase{"sum", with("commissionRate", u"4999.95"), FeeModel::itemised, u"2.5"},
        StoreCase{"sum with others", with("transferFeeRate", u"4999"), FeeModel::itemised, u"2.5",
                  u"0.1"}));

// The field the message names is the one the user is sent back to mend.
TEST(RateFaults, NameTheFieldToMend)
{
    const auto faultIn = [](std::array<std::u16string, 4> texts) {
        FeeSettings settings;
        settings.texts = std::move(texts);
        return core::firstRateFault(settings)->entry;
    };
    EXPECT_EQ(faultIn({u"x", u"5", u"5", u"0.1"}), FeeEntry::commissionRate);
    EXPECT_EQ(faultIn({u"2.5", u"-1", u"5", u"0.1"}), FeeEntry::minimumCommission);
    EXPECT_EQ(faultIn({u"2.5", u"5", u"10000", u"0.1"}), FeeEntry::stampDutyRate);
    EXPECT_EQ(faultIn({u"2.5", u"5", u"5", u""}), FeeEntry::transferFeeRate);
    EXPECT_EQ(faultIn({u"1", u"5", u"4000", u"999"}), FeeEntry::commissionRate);
}

// The stored words are a format: a settings file written by one release or front end is read
// by every other, so they are pinned here, not only read back.
TEST(StoredSettings, AreWrittenInTheStoredWords)
{
    FeeSettings settings;
    settings.texts = {u"3", u"0.5", u"10", u"0.2"};
    EXPECT_EQ(core::storedValues(settings), (SettingsStore::Values{{"feeModel", u"perMille"},
                                                                   {"commissionRate", u"3"},
                                                                   {"minimumCommission", u"0.5"},
                                                                   {"minimumWaived", u"false"},
                                                                   {"stampDutyRate", u"10"},
                                                                   {"transferFeeRate", u"0.2"}}));
    settings.model = FeeModel::itemised;
    settings.minimumWaived = true;
    const SettingsStore::Values stored = core::storedValues(settings);
    EXPECT_EQ(stored.at("feeModel"), u"itemised");
    EXPECT_EQ(stored.at("minimumWaived"), u"true");
}

TEST(StoredSettings, RoundTrip)
{
    FeeSettings settings;
    settings.model = FeeModel::itemised;
    settings.texts = {u"3", u"0.5", u"10", u"0.2"};
    settings.minimumWaived = true;
    EXPECT_EQ(core::settingsFrom(core::storedValues(settings)), settings);
    settings.model = FeeModel::perMille;
    settings.minimumWaived = false;
    EXPECT_EQ(core::settingsFrom(core::storedValues(settings)), settings);
}

} // namespace
