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
    EXPECT_NE(ui.window().messages().front().body.find(u"没能保存"), std::u16string::npos);
    EXPECT_EQ(ui.calculator().feeSettings().model, FeeModel::itemised);
}

TEST(FeeSettings, ADamagedStoreGivesTheDefaultsAndStaysAsItWas)
{
    CoreBackend ui;
    ui.store().setText("feeModel", u"itemised");
    ui.store().setText("commissionRate", u"??");
    ui.reloadSettings();
    EXPECT_EQ(ui.calculator().feeSettings(), core::FeeSettings{});
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

TEST(Detail, FollowsTheResultLine)
{
    CoreBackend ui;
    EXPECT_EQ(copiedDetail(ui), u"无\n");
    workedExample(ui);
    ui.click(mainControl("Command1"));
    const std::u16string perMille = copiedDetail(ui);
    EXPECT_EQ(perMille, u"卖出\t1900\t10.00\t19000.00\t19.00\t0.00\t0.00\n"
                        u"买入\t2500\t8.00\t20000.00\t20.00\t0.00\t0.00\n"
                        u"合计费用\t39.00\n余额\t961.00\n成本价\t8.008\t保本价\t8.02\n");
    // A press refused by the checks keeps the answer and its detail.
    ui.type(Field::newPrice, u"x");
    ui.click(mainControl("Command1"));
    EXPECT_EQ(copiedDetail(ui), perMille);
    ui.type(Field::newPrice, u"8");
    chooseItemised(ui, u"2.5");
    EXPECT_EQ(copiedDetail(ui), perMille);
    ui.click(mainControl("Command1"));
    EXPECT_NE(copiedDetail(ui).find(u"合计费用\t19.89\n"), std::u16string::npos);
    ui.click(mainControl("Command4(0)"));
    EXPECT_EQ(copiedDetail(ui), u"无\n");
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
