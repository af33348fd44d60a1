// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window_table.h"

#include "accessibility.h"
#include "table_rows.h"
#include "window_links.h"

#include <algorithm>
#include <array>
#include <stdexcept>

namespace ostrel::layout {
namespace {

constexpr Row textBox(std::string_view id, Field field, std::string_view container,
                      std::u16string_view text, Rect twips, int tab, bool visible = true)
{
    Row box = control(id, Kind::textBox, container, text, twips, song(9), sys, sys, tab);
    box.control.visible = visible;
    // The hidden field cannot be clicked.
    box.control.action = visible ? Action{SelectField{field}} : Action{NoAction{}};
    box.control.field = field;
    return box;
}
// The keypad: digits and the point in one row at a pitch of 420 twips, then two wide keys.
// Its keys edit the field being typed into, so a click leaves the focus there.
constexpr Row key(std::string_view id, Key which, std::u16string_view caption)
{
    const int index = static_cast<int>(which);
    const bool narrow = which <= Key::point;
    const Rect place = narrow ? Rect{105 + 420 * index, 315, 390, 645}
                              : Rect{which == Key::backspace ? 4725 : 6195, 315, 1440, 645};
    Row key = button(id, "Frame3", caption, place, narrow ? hei(21.75) : song(12), 29 + index,
                     PressKey{which});
    key.control.keepsFocusWhereItIs = true;
    return key;
}

// A stock's board, chosen in a drop-down list that stands on the bottom edge of the stock's
// frame, at its left end. It belongs to the window, since a frame shows nothing beyond its own
// edges, and covers nothing that shows: below the old stock's fields, and below the blank
// second line of the new stock's caption, above the result line.
constexpr Row boardList(std::string_view id, Stock stock, Rect twips, int tab)
{
    Row list = control(id, Kind::dropDown, {}, boardNames[0], twips, song(9), sys, sys, tab);
    list.control.board = stock;
    // Return takes what was typed as the board's name or the stock's code, and no more.
    list.control.action = Action{ChooseBoard{stock}};
    list.control.enterAction = Action{ChooseBoard{stock}};
    return list;
}

constexpr Row resultLabel()
{
    Row result = label(
        "xsall", {}, u"简介：前加*号的都要填，不加的两项填其中一项，然后点“开始计算”!",
        {4080, 2280, 3735, 1095}, song(12), Colour::fixed(0xC00000), Colour::fixed(0xC0C0FF), 18);
    result.control.isResultLine = true;
    // Users paste the answer into notes and order tickets.
    result.control.selectableText = true;
    return result;
}

// The credit line starts left of the client area and spans the whole width of the window;
// its text stands centred under the keypad.
constexpr Row creditLine()
{
    Row credit =
        label("BYNARO", {}, u"QZ Ostrel 转仓计算器 · 计算结果仅供参考，投资有风险，入市需谨慎",
              {-105, 5355, 8055, 255}, song(9), Colour::fixed(0x808080), hlText, 0);
    credit.control.align = Align::centre;
    return credit;
}

// Tells which fee model the answers use; the calculator writes it at start-up and whenever
// the model changes.
constexpr Row feeModelNote()
{
    Row note = label("feeModel", {}, u"", {4275, 465, 1365, 255}, song(9), navy, white, 44);
    note.control.isFeeModelNote = true;
    note.control.align = Align::right;
    return note;
}

constexpr std::array rows{
    label("bigtitle", {}, u"QZ Ostrel", {480, 240, 7095, 615}, song(26.25), Colour::fixed(0x000040),
          white, 2),
    frame("Frame1", u" 要卖掉部分的旧股票(都要填写) ", {240, 1080, 3735, 1095}, song(9),
          Colour::fixed(0x00C000), hlText, 3),
    label("L1", "Frame1", u"* 当前股价：               * 持股总数：", {120, 360, 1215, 615},
          song(9), sys, hlText, 4),
    textBox("oldprice", Field::oldPrice, "Frame1", u"0", {1320, 360, 1215, 270}, 5),
    textBox("buy6", Field::sharesHeld, "Frame1", u"0", {1320, 720, 1215, 270}, 6),
    label("Label1", "Frame1", u"元        股", {2640, 360, 375, 615}, song(9), sys, hlText, 7),
    button("Command4(0)", "Frame1", u"重置", {2880, 300, 615, 615}, song(12), 26,
           Reset{ResetGroup::oldStock}),
    frame("Frame2", u" 要再买入些的新股票(第二项可不填) ", {4080, 1080, 3735, 1095}, song(9),
          Colour::fixed(0xC00000), hlText, 8),
    label("Label3", "Frame2", u"* 当前股价：                  ", {240, 360, 1215, 615}, song(9),
          sys, hlText, 11),
    textBox("newprice", Field::newPrice, "Frame2", u"0", {1440, 360, 1095, 270}, 10),
    textBox("ybuy", Field::plannedShares, "Frame2", u"0", {1440, 720, 1095, 270}, 9, false),
    label("Label9", "Frame2", u"元        ", {2640, 360, 375, 615}, song(9), sys, hlText, 25),
    // Belongs to the window and stands above Frame2, where the old stock's reset button
    // stands in Frame1.
    button("Command5", {}, u"重置", {6960, 1400, 615, 615}, song(12), 27,
           Reset{ResetGroup::newStock}),
    label("yhs", {}, u"* 单向 印花税 + 手续费： ", {240, 2400, 2295, 255}, song(9), navy, white, 1),
    textBox("souxufei", Field::feePerMille, {}, u"1", {2640, 2355, 975, 270}, 19),
    label("Label8", {}, u"/千", {3645, 2400, 255, 255}, song(9), navy, hlText, 20),
    label("Label4", {}, u"* 资金账户可用资金余额：", {240, 2760, 2295, 255}, song(9), navy, hlText,
          12),
    textBox("savemoney", Field::balance, {}, u"0", {2640, 2760, 975, 270}, 13),
    label("Label5", {}, u"元", {3720, 2745, 495, 255}, song(9), navy, hlText, 14),
    label("Label7", {}, u" 大概花多少钱在新股上 ：", {240, 3165, 2415, 255}, song(9), navy, hlText,
          17),
    textBox("buymoney", Field::moneyToSpend, {}, u"0", {2640, 3135, 975, 270}, 15),
    label("Label6", {}, u"元", {3720, 3120, 495, 255}, song(9), navy, hlText, 16),
    resultLabel(),
    button("Command1", {}, u"开始计算", {240, 3480, 3735, 495}, song(10.5, true), 21, Calculate{}),
    button("Command2", {}, u"全部重置", {4080, 3480, 1815, 495}, song(10.5, true), 22,
           Reset{ResetGroup::all}),
    button("C44", {}, u"使用说明", {6000, 3480, 1815, 495}, song(10.5, true), 23,
           ShowInstructions{}),
    frame("Frame3", {}, {105, 4095, 7740, 1080}, {}, Colour::none(), white, 28),
    key("Command3(0)", Key::digit0, u"0"),
    key("Command3(1)", Key::digit1, u"1"),
    key("Command3(2)", Key::digit2, u"2"),
    key("Command3(3)", Key::digit3, u"3"),
    key("Command3(4)", Key::digit4, u"4"),
    key("Command3(5)", Key::digit5, u"5"),
    key("Command3(6)", Key::digit6, u"6"),
    key("Command3(7)", Key::digit7, u"7"),
    key("Command3(8)", Key::digit8, u"8"),
    key("Command3(9)", Key::digit9, u"9"),
    key("Command3(10)", Key::point, u"."),
    key("Command3(11)", Key::backspace, u"退格"),
    key("Command3(12)", Key::clear, u"置零"),
    creditLine(),
    // Additions to the window as it was designed, in the empty part of the headline's strip
    // right of its text and above the new stock's frame: they cover nothing that shows, and the
    // window's own controls keep their places and their tab order.
    feeModelNote(),
    button("feeSettings", {}, u"费率设置", {5700, 420, 1005, 345}, song(9), 42, OpenFeeSettings{}),
    button("detail", {}, u"计算明细", {6810, 420, 1005, 345}, song(9), 43, ShowDetail{}),
    boardList("oldBoard", Stock::oldStock, {360, 2070, 1395, 285}, 45),
    boardList("newBoard", Stock::newStock, {4200, 1980, 1395, 285}, 46),
};

// The keypad edits the field clicked last, which is not always the field with the focus:
// Tab moves the focus but leaves the keypad's field as it is.
constexpr std::u16string_view boardHint =
    u"主板/创业板按100股整手买卖；科创板每笔至少200股，北交所每笔至少100股，以上按1股递增；"
    u"也可输入6位股票代码";

constexpr std::array accessibleRows{
    AccessibleRow{"oldprice", u"旧股票当前股价", u"必填，单位：元", "L1"},
    AccessibleRow{"buy6", u"旧股票持股总数", u"必填，单位：股", "L1"},
    AccessibleRow{"Command4(0)", u"重置旧股票数据", u"旧股票当前股价设为 0，持股总数设为 100"},
    AccessibleRow{"newprice", u"新股票当前股价", u"必填，单位：元", "Label3"},
    AccessibleRow{"Command5", u"重置新股票数据", u"新股票当前股价设为 0"},
    AccessibleRow{"souxufei", u"单向印花税加手续费（千分之几）", u"必填，单位：‰，默认为 1", "yhs",
                  u"分项计费时不使用；所填的值保留，改回按千分比计费时再用"},
    AccessibleRow{"savemoney", u"资金账户可用资金余额", u"必填，单位：元", "Label4"},
    AccessibleRow{"buymoney", u"大概花多少钱在新股上",
                  u"单位：元；为 0 时按旧股票全部市值加可用资金余额计算", "Label7"},
    AccessibleRow{"xsall", u"计算结果"},
    AccessibleRow{"Command1", u"开始计算",
                  u"算出要卖出多少股旧股票、能买到多少股新股票和转仓后的余额，写在计算结果中"},
    AccessibleRow{"Command2", u"全部重置", u"所有输入框恢复为刚打开时的数值"},
    AccessibleRow{"C44", u"使用说明", u"打开使用说明对话框"},
    AccessibleRow{"Frame3", u"数字键盘", u"按键编辑最后点选的输入框，焦点留在原处"},
    AccessibleRow{"Command3(0)", u"数字 0", u"在最后点选的输入框末尾输入 0"},
    AccessibleRow{"Command3(1)", u"数字 1", u"在最后点选的输入框末尾输入 1"},
    AccessibleRow{"Command3(2)", u"数字 2", u"在最后点选的输入框末尾输入 2"},
    AccessibleRow{"Command3(3)", u"数字 3", u"在最后点选的输入框末尾输入 3"},
    AccessibleRow{"Command3(4)", u"数字 4", u"在最后点选的输入框末尾输入 4"},
    AccessibleRow{"Command3(5)", u"数字 5", u"在最后点选的输入框末尾输入 5"},
    AccessibleRow{"Command3(6)", u"数字 6", u"在最后点选的输入框末尾输入 6"},
    AccessibleRow{"Command3(7)", u"数字 7", u"在最后点选的输入框末尾输入 7"},
    AccessibleRow{"Command3(8)", u"数字 8", u"在最后点选的输入框末尾输入 8"},
    AccessibleRow{"Command3(9)", u"数字 9", u"在最后点选的输入框末尾输入 9"},
    AccessibleRow{"Command3(10)", u"小数点", u"在最后点选的输入框末尾输入小数点，只用于股价"},
    AccessibleRow{"Command3(11)", u"退格", u"删去最后点选的输入框的最后一个字符，删空时为 0"},
    AccessibleRow{"Command3(12)", u"置零", u"把最后点选的输入框设为 0"},
    AccessibleRow{"feeModel", u"计费方式"},
    AccessibleRow{"oldBoard", u"旧股票板块", boardHint},
    AccessibleRow{"newBoard", u"新股票板块", boardHint},
    AccessibleRow{"feeSettings", u"费率设置",
                  u"选择按千分比或分项计费，设置佣金、最低佣金、印花税和过户费"},
    AccessibleRow{"detail", u"计算明细",
                  u"逐项列出上次计算的成交金额、各项费用、余额、成本价和保本价"},
};

// Resolved while compiling: a wrong reference does not compile.
constexpr std::array table = linked(rows, accessibleRows);

constexpr WindowLook windowLook{u"QZ Ostrel v1.2   ", 8010, 5700, 0xFFFFFF, 3405, 2610};

} // namespace

const WindowDescription &mainWindow()
{
    static const WindowDescription description(windowLook, table);
    return description;
}

const WindowLook &window()
{
    return mainWindow().look();
}

std::span<const Control> controls()
{
    return mainWindow().controls();
}

std::size_t positionOf(const Control &control)
{
    return mainWindow().positionOf(control);
}

const Control *findControl(std::string_view id)
{
    return mainWindow().findControl(id);
}

const Control *containerOf(const Control &control)
{
    return mainWindow().containerOf(control);
}

const Control &fieldControl(Field field)
{
    return *mainWindow().fieldControl(field);
}

const Control &keyControl(Key key)
{
    return *mainWindow().controlFor(PressKey{key});
}

const Control &boardControl(Stock stock)
{
    return *mainWindow().controlFor(ChooseBoard{stock});
}

const Control &resultLine()
{
    return *mainWindow().resultLine();
}

const Control *controlFor(const Action &action)
{
    return mainWindow().controlFor(action);
}

Rect clientPixels(const Control &control)
{
    return mainWindow().clientPixels(control);
}

const Control *controlAt(int x, int y)
{
    return mainWindow().controlAt(x, y);
}

std::span<const Control *const> tabOrder()
{
    return mainWindow().tabOrder();
}

const Control *labelledBy(const Control &control)
{
    return mainWindow().labelledBy(control);
}

std::vector<const Control *> labelFor(const Control &label)
{
    return mainWindow().labelFor(label);
}

} // namespace ostrel::layout
