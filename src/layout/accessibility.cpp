// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "accessibility.h"

#include <algorithm>
#include <array>

namespace ostrel::layout {
namespace {

constexpr AccessibleRow row(std::string_view control, std::u16string_view name,
                            std::u16string_view description = {}, std::string_view labelledBy = {})
{
    return {control, name, description, labelledBy};
}

// The keypad edits the field clicked last, which is not always the field with the focus:
// Tab moves the focus but leaves the keypad's field as it is.
constexpr std::array rows{
    row("oldprice", u"旧股票当前股价", u"必填，单位：元", "L1"),
    row("buy6", u"旧股票持股总数", u"必填，单位：股", "L1"),
    row("Command4(0)", u"重置旧股票数据", u"旧股票当前股价设为 0，持股总数设为 100"),
    row("newprice", u"新股票当前股价", u"必填，单位：元", "Label3"),
    row("Command5", u"重置新股票数据", u"新股票当前股价设为 0"),
    row("souxufei", u"单向印花税加手续费（千分之几）", u"必填，单位：‰，默认为 1", "yhs"),
    row("savemoney", u"资金账户可用资金余额", u"必填，单位：元", "Label4"),
    row("buymoney", u"大概花多少钱在新股上", u"单位：元；为 0 时按旧股票全部市值加可用资金余额计算",
        "Label7"),
    row("xsall", u"计算结果"),
    row("Command1", u"开始计算",
        u"算出要卖出多少股旧股票、能买到多少股新股票和转仓后的余额，写在计算结果中"),
    row("Command2", u"全部重置", u"所有输入框恢复为刚打开时的数值"),
    row("C44", u"使用说明", u"打开使用说明对话框"),
    row("Frame3", u"数字键盘", u"按键编辑最后点选的输入框，焦点留在原处"),
    row("Command3(0)", u"数字 0", u"在最后点选的输入框末尾输入 0"),
    row("Command3(1)", u"数字 1", u"在最后点选的输入框末尾输入 1"),
    row("Command3(2)", u"数字 2", u"在最后点选的输入框末尾输入 2"),
    row("Command3(3)", u"数字 3", u"在最后点选的输入框末尾输入 3"),
    row("Command3(4)", u"数字 4", u"在最后点选的输入框末尾输入 4"),
    row("Command3(5)", u"数字 5", u"在最后点选的输入框末尾输入 5"),
    row("Command3(6)", u"数字 6", u"在最后点选的输入框末尾输入 6"),
    row("Command3(7)", u"数字 7", u"在最后点选的输入框末尾输入 7"),
    row("Command3(8)", u"数字 8", u"在最后点选的输入框末尾输入 8"),
    row("Command3(9)", u"数字 9", u"在最后点选的输入框末尾输入 9"),
    row("Command3(10)", u"小数点", u"在最后点选的输入框末尾输入小数点，只用于股价"),
    row("Command3(11)", u"退格", u"删去最后点选的输入框的最后一个字符，删空时为 0"),
    row("Command3(12)", u"置零", u"把最后点选的输入框设为 0"),
};

bool isBlank(char16_t unit)
{
    return unit == u' ' || unit == u'\u3000';
}

} // namespace

std::span<const AccessibleRow> accessibleRows()
{
    return rows;
}

const AccessibleRow *accessibleRow(const Control &control)
{
    const auto found = std::find_if(rows.begin(), rows.end(), [&](const AccessibleRow &entry) {
        return entry.control == control.id;
    });
    return found == rows.end() ? nullptr : &*found;
}

std::u16string accessibleName(const Control &control)
{
    const AccessibleRow *entry = accessibleRow(control);
    if (entry && !entry->name.empty())
        return std::u16string(entry->name);
    return collapseBlanks(control.text);
}

std::u16string_view accessibleDescription(const Control &control)
{
    const AccessibleRow *entry = accessibleRow(control);
    return entry ? entry->description : std::u16string_view();
}

const Control *labelledBy(const Control &control)
{
    const AccessibleRow *entry = accessibleRow(control);
    if (!entry || entry->labelledBy.empty())
        return nullptr;
    return findControl(entry->labelledBy);
}

std::vector<const Control *> labelFor(const Control &label)
{
    std::vector<const Control *> labelled;
    for (const Control &control : controls()) {
        if (labelledBy(control) == &label)
            labelled.push_back(&control);
    }
    return labelled;
}

bool isInAccessibleTree(const Control &control)
{
    return control.visible;
}

std::u16string collapseBlanks(std::u16string_view text)
{
    std::u16string collapsed;
    bool blankPending = false;
    for (const char16_t unit : text) {
        if (isBlank(unit)) {
            blankPending = !collapsed.empty();
            continue;
        }
        if (blankPending)
            collapsed += u' ';
        blankPending = false;
        collapsed += unit;
    }
    return collapsed;
}

} // namespace ostrel::layout
