#include "core_backend.h"
#include "form/layout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using ostrel::Field;
using ostrel::play::CoreBackend;
namespace form = ostrel::form;

TEST(Layout, TabOrderSkipsTheHiddenFieldAndFollowsTabIndex)
{
    std::vector<std::string> names;
    for (const form::Control *control : form::tabOrder())
        names.push_back(control->qualifiedName());
    std::vector<std::string> expected = {"oldprice", "buy6",        "newprice", "savemoney",
                                         "buymoney", "souxufei",    "Command1", "Command2",
                                         "C44",      "Command4(0)", "Command5"};
    for (int key = 0; key <= 12; ++key)
        expected.push_back("Command3(" + std::to_string(key) + ")");
    EXPECT_EQ(names, expected);
}

struct HitCase {
    int x, y;
    const char *control; // nullptr: the bare window
};

class HitTest : public testing::TestWithParam<HitCase> {};

TEST_P(HitTest, TopmostControlReceivesTheClick)
{
    const form::Control *hit = form::controlAt(GetParam().x, GetParam().y);
    if (!GetParam().control) {
        EXPECT_EQ(hit, nullptr);
        return;
    }
    ASSERT_NE(hit, nullptr);
    EXPECT_EQ(hit->qualifiedName(), GetParam().control);
}

INSTANTIATE_TEST_SUITE_P(
    Points, HitTest,
    testing::Values(HitCase{480, 110, "Command5"}, // drawn over Frame2
                    HitCase{470, 95, "Command5"}, HitCase{276, 140, "Frame2"},
                    HitCase{210, 100, "Command4(0)"}, // covers the right part of Label1
                    HitCase{195, 100, "Label1"}, HitCase{120, 100, "oldprice"},
                    HitCase{120, 125, "buy6"}, HitCase{380, 130, "Frame2"}, // hidden ybuy
                    HitCase{0, 370, "BYNARO"}, HitCase{533, 379, nullptr},
                    HitCase{20, 300, "Command3(0)"}, HitCase{500, 300, "Command3(12)"},
                    HitCase{10, 280, "Frame3"}, HitCase{300, 180, "xsall"}, HitCase{0, 0, nullptr},
                    HitCase{534, 10, nullptr}, HitCase{-1, 10, nullptr}));

TEST(Layout, PixelsAreTwipsOverFifteen)
{
    EXPECT_EQ(form::clientPixels(*form::findControl("Command5")).top, 93);
    EXPECT_EQ(form::clientPixels(*form::findControl("buy6")).left, 16 + 88);
    EXPECT_EQ(form::clientPixels(*form::findControl("Command3(11)")).left, 7 + 315);
    EXPECT_EQ(form::clientPixels(*form::findControl("BYNARO")).left, -7);
}

TEST(Layout, CaptionsKeepTheirBlanks)
{
    EXPECT_EQ(form::findControl("L1")->text,
              u"* 当前股价：" + std::u16string(15, u' ') + u"* 持股总数：");
    EXPECT_EQ(form::findControl("Label3")->text, u"* 当前股价：" + std::u16string(18, u' '));
    EXPECT_EQ(form::findControl("Label1")->text, u"元" + std::u16string(8, u' ') + u"股");
    EXPECT_EQ(form::window().caption, u"QZ Ostrel v1.2   ");
}

// Actions of a user on the window, through the same double the scenarios use.
TEST(Form, ClicksSelectTheKeypadTargetAndKeepIt)
{
    CoreBackend ui;
    ui.click(*form::findControl("Command3(5)"));
    EXPECT_EQ(ui.text(Field::oldprice), u"5");
    EXPECT_EQ(ui.focus(), "oldprice");

    ui.click(*form::findControl("newprice"));
    ui.tab();
    ui.tab(); // focus now elsewhere; the keypad still edits newprice
    ui.click(*form::findControl("Command3(10)"));
    EXPECT_EQ(ui.text(Field::newprice), u"0.");
    EXPECT_EQ(ui.focus(), "buymoney");

    ui.click(*form::findControl("Command2"));
    ui.click(*form::findControl("Command3(7)"));
    EXPECT_EQ(ui.text(Field::newprice), u"7");
    EXPECT_EQ(ui.goText1(), 3);
    EXPECT_EQ(ui.result(), u"OK，已全部重置!");
}

TEST(Form, FailedCalculationShowsOneBoxAndKeepsTheResultLine)
{
    CoreBackend ui;
    const std::u16string before = ui.result();
    ui.click(*form::findControl("Command1"));
    ASSERT_EQ(ui.window().messages().size(), 1u);
    EXPECT_EQ(ui.window().messages()[0].title, u"输入错误");
    EXPECT_EQ(ui.result(), before);

    ui.type(Field::oldprice, u"10");
    ui.type(Field::buy6, u"5000");
    ui.type(Field::newprice, u"8");
    ui.type(Field::savemoney, u"2000");
    ui.type(Field::buymoney, u"20000");
    ui.click(*form::findControl("Command1"));
    EXPECT_EQ(ui.window().messages().size(), 1u);
    EXPECT_EQ(ui.result(), u"请卖出1900股旧股票，才能买到2500股新股。转仓后还有余额961元。");
    EXPECT_EQ(ui.focus(), "Command1");
}

TEST(Form, KeypadNeverGrowsAFieldBeyondTheTextBoxLimit)
{
    CoreBackend ui;
    ui.type(Field::oldprice, std::u16string(form::maxTextLength + 10, u'9'));
    EXPECT_EQ(ui.text(Field::oldprice).size(), form::maxTextLength);
    ui.click(*form::findControl("oldprice"));
    ui.click(*form::findControl("Command3(1)"));
    EXPECT_EQ(ui.text(Field::oldprice).size(), form::maxTextLength);
    EXPECT_EQ(ui.caret(Field::oldprice), form::maxTextLength);
}

} // namespace
