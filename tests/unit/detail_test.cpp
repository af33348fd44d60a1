// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The fee settings and the detail windows driven as a user drives them, through the test
// double the scenarios use, with a store in memory.
#include "core_backend.h"
#include "fee_windows.h"
#include "window_table.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using ostrel::FeeEntry;
using ostrel::FeeModel;
using ostrel::Field;
using ostrel::testing::CoreBackend;
namespace core = ostrel::core;
namespace layout = ostrel::layout;

const layout::Control &mainControl(std::string_view id)
{
    return *layout::findControl(id);
}

const layout::Control &settingsControl(std::string_view id)
{
    return *layout::feeSettingsWindow().findControl(id);
}

void fill(CoreBackend &ui, std::initializer_list<std::pair<Field, const char16_t *>> texts)
{
    for (const auto &[field, text] : texts)
        ui.type(field, text);
}

void workedExample(CoreBackend &ui)
{
    fill(ui, {{Field::oldPrice, u"10"},
              {Field::sharesHeld, u"5000"},
              {Field::newPrice, u"8"},
              {Field::balance, u"2000"},
              {Field::moneyToSpend, u"20000"}});
}

void chooseItemised(CoreBackend &ui, const char16_t *commission)
{
    ui.click(mainControl("feeSettings"));
    ui.click(settingsControl("itemisedModel"));
    ui.typeInto(settingsControl("commissionRate"), commission);
    ui.click(settingsControl("settingsOk"));
}

std::u16string copiedDetail(CoreBackend &ui)
{
    ui.click(mainControl("detail"));
    ui.click(*layout::detailWindow().findControl("copyDetail"));
    ui.click(*layout::detailWindow().findControl("closeDetail"));
    return ui.clipboard();
}

TEST(FeeSettings, ConfirmedSettingsAreStoredAndShown)
{
    CoreBackend ui;
    EXPECT_TRUE(ui.window().isEnabled(Field::feePerMille));
    EXPECT_EQ(ui.window().feeModelNote(), u"计费：按千分比");
    chooseItemised(ui, u"3");
    EXPECT_EQ(ui.openDialog(), nullptr);
    EXPECT_FALSE(ui.window().isEnabled(Field::feePerMille));
    EXPECT_EQ(ui.text(Field::feePerMille), u"1");
    EXPECT_EQ(ui.window().feeModelNote(), u"计费：分项");
    EXPECT_EQ(ui.store().values().at("feeModel"), u"itemised");
    EXPECT_EQ(ui.store().values().at("commissionRate"), u"3");
}

TEST(FeeSettings, AFaultKeepsTheWindowOpenAndStoresNothing)
{
    CoreBackend ui;
    chooseItemised(ui, u"abc");
    ASSERT_NE(ui.openDialog(), nullptr);
    EXPECT_EQ(ui.window().messages().size(), 1u);
    EXPECT_TRUE(ui.store().values().empty());
    // The main window takes no input meanwhile.
    ui.click(mainControl("Command2"));
    EXPECT_NE(ui.result(), u"OK，已全部重置!");
    ui.click(settingsControl("settingsCancel"));
    EXPECT_EQ(ui.openDialog(), nullptr);
    EXPECT_TRUE(ui.store().values().empty());
    EXPECT_TRUE(ui.window().isEnabled(Field::feePerMille));
}

TEST(FeeSettings, AStoreThatCannotBeWrittenIsReportedAndTheSettingsStillApply)
{
    CoreBackend ui;
    ui.store().setWritable(false);
    chooseItemised(ui, u"2.5");
    ASSERT_EQ(ui.window().messages().size(), 1u);
    EXPECT_EQ(
        ui.window().messages().front().body,
        u"系统提示：费率设置没能保存，下次打开本程序时仍是原来的设置；这次仍按新的设置计算。");
    // No input of the user's is wrong, so the title does not say so.
    EXPECT_EQ(ui.window().messages().front().title, u"费率设置未能保存");
    EXPECT_EQ(ui.calculator().feeSettings().model, FeeModel::itemised);
}

TEST(FeeSettings, ADamagedStoreGivesTheDefaultsAndStaysAsItWas)
{
    CoreBackend ui;
    ui.store().setText("feeModel", u"itemised");
    ui.store().setText("commissionRate", u"??");
    ui.reloadSettings();
    core::FeeSettings expected;
    expected.model = FeeModel::itemised;
    EXPECT_EQ(ui.calculator().feeSettings(), expected);
    EXPECT_EQ(ui.store().values().size(), 2u);
    EXPECT_EQ(ui.store().values().at("commissionRate"), u"??");
    ui.store().setReadable(false);
    ui.reloadSettings();
    EXPECT_EQ(ui.calculator().feeSettings(), core::FeeSettings{});
}

TEST(FeeSettings, RestoringDefaultsKeepsTheChoiceOfModel)
{
    CoreBackend ui;
    ui.click(mainControl("feeSettings"));
    ui.click(settingsControl("itemisedModel"));
    ui.typeInto(settingsControl("stampDutyRate"), u"10");
    ui.click(settingsControl("waiveMinimum"));
    ui.click(settingsControl("settingsDefaults"));
    EXPECT_TRUE(ui.isChecked(settingsControl("itemisedModel")));
    EXPECT_FALSE(ui.isChecked(settingsControl("waiveMinimum")));
    ui.click(settingsControl("settingsOk"));
    EXPECT_EQ(ui.calculator().feeSettings().text(FeeEntry::stampDutyRate), u"5");
}

constexpr std::u16string_view nothingYet =
    u"无\n还没有可显示的计算结果：填好数据后点“开始计算”，这里会逐项列出那次计算。\n";

TEST(Detail, FollowsTheResultLine)
{
    CoreBackend ui;
    EXPECT_EQ(copiedDetail(ui), nothingYet);
    workedExample(ui);
    ui.click(mainControl("Command1"));
    const std::u16string perMille = copiedDetail(ui);
    EXPECT_EQ(perMille, u"项目\t股数\t价格\t金额\t佣金\t印花税\t过户费\n"
                        u"卖出\t1900\t10.00\t19000.00\t19.00\t0.00\t0.00\n"
                        u"买入\t2500\t8.00\t20000.00\t20.00\t0.00\t0.00\n"
                        u"合计费用\t39.00\n余额\t961.00\n成本价\t8.008\t保本价\t8.02\n"
                        u"按千分比计费：买入和卖出各按千分之1收取印花税与手续费。\n");
    // A press refused by the checks keeps the answer and its detail.
    ui.type(Field::newPrice, u"x");
    ui.click(mainControl("Command1"));
    EXPECT_EQ(copiedDetail(ui), perMille);
    ui.type(Field::newPrice, u"8");
    chooseItemised(ui, u"2.5");
    EXPECT_EQ(copiedDetail(ui), perMille);
    ui.click(mainControl("Command1"));
    EXPECT_NE(copiedDetail(ui).find(u"合计费用\t19.89\n"), std::u16string::npos);
    // The itemised note reads as one line when copied, though the window shows it on two.
    EXPECT_NE(
        copiedDetail(ui).find(u"\n分项计费：佣金万分之2.5，每笔最低5元；印花税万分之5，仅卖出；"
                              u"过户费万分之0.1，买卖双向。\n"),
        std::u16string::npos);
    ui.click(mainControl("Command4(0)"));
    EXPECT_EQ(copiedDetail(ui), nothingYet);
}

// The detail's remainder is taken toward minus infinity to the fen, as the result line takes
// it to the yuan: never "余额0元" beside 1.00.
TEST(Detail, TheRemainderAgreesWithTheResultLine)
{
    struct Case {
        const char16_t *balance;
        const char16_t *money;
        const char16_t *line;
        const char16_t *remainder;
    };
    // With a holding worth 1 yuan and a purchase of 1000, a balance of 998.999 leaves a
    // thousandth short.
    for (const Case &c : {Case{u"0.999", u"1", u"余额0元", u"余额\t0.99\n"},
                          Case{u"998.999", u"1000", u"余额-1元", u"余额\t-0.01\n"},
                          Case{u"1", u"1", u"余额1元", u"余额\t1.00\n"}}) {
        CoreBackend ui;
        fill(ui, {{Field::oldPrice, u"0.01"},
                  {Field::sharesHeld, u"100"},
                  {Field::newPrice, u"10"},
                  {Field::feePerMille, u"0"},
                  {Field::balance, c.balance},
                  {Field::moneyToSpend, c.money}});
        ui.click(mainControl("Command1"));
        EXPECT_NE(ui.result().find(c.line), std::u16string::npos) << ui.result().size();
        EXPECT_NE(copiedDetail(ui).find(c.remainder), std::u16string::npos)
            << std::u16string_view(c.balance).size();
    }
}

TEST(FeeSettings, OpensOnTheChosenModelAndSendsAFaultBackToItsField)
{
    CoreBackend ui;
    const auto dialogFocus = [&] { return ui.window().dialog()->focus(); };
    ui.click(mainControl("feeSettings"));
    EXPECT_EQ(dialogFocus(), &settingsControl("perMilleModel"));
    ui.click(settingsControl("itemisedModel"));
    ui.typeInto(settingsControl("stampDutyRate"), u"x");
    ui.click(settingsControl("settingsOk"));
    EXPECT_EQ(dialogFocus(), &settingsControl("stampDutyRate"));
    ui.typeInto(settingsControl("stampDutyRate"), u"5");
    // A fault in the minimum while 免五 greys it out: the box that greys it is where to mend.
    ui.typeInto(settingsControl("minimumCommission"), u"-1");
    ui.click(settingsControl("waiveMinimum"));
    EXPECT_FALSE(ui.window().dialog()->isEnabled(settingsControl("minimumCommission")));
    ui.click(settingsControl("settingsOk"));
    EXPECT_EQ(dialogFocus(), &settingsControl("waiveMinimum"));
    ui.click(settingsControl("waiveMinimum"));
    EXPECT_TRUE(ui.window().dialog()->isEnabled(settingsControl("minimumCommission")));
    ui.click(settingsControl("settingsOk"));
    EXPECT_EQ(dialogFocus(), &settingsControl("minimumCommission"));
    ui.typeInto(settingsControl("minimumCommission"), u"5");
    ui.click(settingsControl("settingsOk"));
    EXPECT_EQ(ui.openDialog(), nullptr);
    ui.click(mainControl("feeSettings"));
    EXPECT_EQ(dialogFocus(), &settingsControl("itemisedModel"));
}

// Enter on a choice or on 免五 presses 确定, as in any settings window; Tab visits the
// checked choice only.
TEST(FeeSettings, EnterAndTabInTheWindow)
{
    CoreBackend ui;
    ui.click(mainControl("feeSettings"));
    ui.click(settingsControl("itemisedModel"));
    ui.tab();
    EXPECT_EQ(ui.window().dialog()->focus(), &settingsControl("commissionRate"));
    ui.tab();
    ui.tab();
    EXPECT_EQ(ui.window().dialog()->focus(), &settingsControl("waiveMinimum"));
    ui.enter();
    EXPECT_EQ(ui.openDialog(), nullptr);
    EXPECT_EQ(ui.calculator().feeSettings().model, FeeModel::itemised);
}

// The keypad edits the field clicked last, but not while that field is greyed out.
TEST(FeeSettings, TheKeypadLeavesAGreyedFieldAlone)
{
    CoreBackend ui;
    ui.click(mainControl("souxufei"));
    chooseItemised(ui, u"2.5");
    ui.click(mainControl("Command3(7)"));
    EXPECT_EQ(ui.text(Field::feePerMille), u"0");
    ui.click(mainControl("feeSettings"));
    ui.click(settingsControl("perMilleModel"));
    ui.click(settingsControl("settingsOk"));
    ui.click(mainControl("Command3(7)"));
    EXPECT_EQ(ui.text(Field::feePerMille), u"7");
}

TEST(Detail, ThePerMilleTotalIsRoundedOnce)
{
    CoreBackend ui;
    // 0.005 of fee on each trade: each row reads 0.01, their exact sum 0.01.
    fill(ui, {{Field::oldPrice, u"0.05"},
              {Field::sharesHeld, u"100"},
              {Field::newPrice, u"0.05"},
              {Field::feePerMille, u"1"},
              {Field::balance, u"0"},
              {Field::moneyToSpend, u"5"}});
    ui.click(mainControl("Command1"));
    const std::u16string copied = copiedDetail(ui);
    EXPECT_NE(copied.find(u"卖出\t100\t0.05\t5.00\t0.01\t"), std::u16string::npos) << copied.size();
    EXPECT_NE(copied.find(u"合计费用\t0.01\n"), std::u16string::npos);
}

} // namespace

namespace {

// The break-even price can be the lowest tick of all: at 0.01 yuan with no fees at all, the
// shares are won back at the price they were bought at.
TEST(Detail, TheBreakEvenPriceCanBeTheLowestTick)
{
    CoreBackend ui;
    ui.click(mainControl("feeSettings"));
    ui.click(settingsControl("itemisedModel"));
    for (const char *id :
         {"commissionRate", "minimumCommission", "stampDutyRate", "transferFeeRate"})
        ui.typeInto(settingsControl(id), u"0");
    ui.click(settingsControl("settingsOk"));
    fill(ui, {{Field::oldPrice, u"1"},
              {Field::sharesHeld, u"1000"},
              {Field::newPrice, u"0.01"},
              {Field::balance, u"10"},
              {Field::moneyToSpend, u"10"}});
    ui.click(mainControl("Command1"));
    EXPECT_NE(copiedDetail(ui).find(u"成本价\t0.010\t保本价\t0.01\n"), std::u16string::npos);
}

} // namespace

namespace {

// A rebate larger than the purchase, a fee below −1000‰, which the fee field takes: the shares
// are won back at any price, so the break-even price is the lowest tick, not a price below 0.
TEST(Detail, ARebateAboveTheCostBreaksEvenAtTheLowestTick)
{
    CoreBackend ui;
    fill(ui, {{Field::oldPrice, u"10"},
              {Field::sharesHeld, u"1000"},
              {Field::newPrice, u"10"},
              {Field::feePerMille, u"-2000"},
              {Field::balance, u"0"},
              {Field::moneyToSpend, u"10000"}});
    ui.click(mainControl("Command1"));
    EXPECT_NE(copiedDetail(ui).find(u"成本价\t-10.000\t保本价\t0.01\n"), std::u16string::npos);
}

} // namespace
