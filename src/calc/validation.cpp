#include "calc/validation.h"

#include "runtime/numbers.h"

#include <functional>

namespace ostrel::calc {
namespace {

using runtime::isNumber;
using runtime::leadingNumber;

struct Check {
    // True when the texts fail this check. A check only runs while every earlier one passed,
    // so a range check never sees a text that is not a number.
    std::function<bool(const Texts &)> fails;
    std::u16string_view message;
};

auto notNumber(Field field)
{
    return [field](const Texts &texts) { return !isNumber(texts[field]); };
}
auto valueIs(Field field, auto compare)
{
    return [field, compare](const Texts &texts) { return compare(leadingNumber(texts[field])); };
}

const Check checks[] = {
    {notNumber(Field::oldprice), u"系统提示：旧股票的“当前股价”的值不是数字，您必须把带*"
                                 u"号的项目全部用半角英文状态下的数字填写哟！"},
    {valueIs(Field::oldprice, [](const mpq_class &v) { return sgn(v) <= 0; }),
     u"系统提示：旧股票的“当前股价”的值必须大于零！"},
    {notNumber(Field::buy6), u"系统提示：旧股票的“持股总数”的值不是数字，您必须把带*"
                             u"号的项目全部用半角英文状态下的数字填写哟！"},
    {valueIs(Field::buy6, [](const mpq_class &v) { return v < 100; }),
     u"系统提示：旧股票的“持股总数”的值必须大于100！"},
    {notNumber(Field::newprice), u"系统提示：新股票的“当前股价”的值不是数字，您必须把带*"
                                 u"号的项目全部用半角英文状态下的数字填写哟！"},
    {valueIs(Field::newprice, [](const mpq_class &v) { return sgn(v) <= 0; }),
     u"系统提示：新股票的“当前股价”的值必须大于零！"},
    {notNumber(Field::ybuy), u"系统提示：新股票的“持股总数”的值不是数字，请填写零或者正整数！"},
    {notNumber(Field::buymoney),
     u"系统提示：“大概花多少钱在新股上”的值不是数字，请填写零或者正整数！"},
    {valueIs(Field::buymoney, [](const mpq_class &v) { return sgn(v) < 0; }),
     u"系统提示：“大概花多少钱在新股上”的值不能小于零，请填写零或者正整数！"},
    {[](const Texts &texts) {
         return leadingNumber(texts[Field::ybuy]) < 100 &&
                sgn(leadingNumber(texts[Field::buymoney])) == 0;
     },
     u"系统提示：新股票的“打算购股”或者“大概花多少钱在新股上”这两项必须选填一项，如果都填，以前项数"
     u"据进行计算！"},
    {notNumber(Field::souxufei), u"系统提示：“单向 "
                                 u"印花税+手续费”的值不是数字，您必须把带*"
                                 u"号的项目全部用半角英文状态下的数字填写哟，默认值为1！"},
    {valueIs(Field::souxufei, [](const mpq_class &v) { return v > 18; }),
     u"系统提示：“单向 "
     u"印花税+手续费”的值为千分之几，您填写的值在地球上所有股市里都不存在，默认值为1！"},
    {notNumber(Field::savemoney), u"系统提示：“资金账户可用资金余额”的值不是数字，您必须把带*"
                                  u"号的项目全部用半角英文状态下的数字填写哟！"},
};

} // namespace

std::optional<std::u16string_view> firstInputFault(const Texts &texts)
{
    for (const Check &check : checks) {
        if (check.fails(texts))
            return check.message;
    }
    return std::nullopt;
}

void checkInputs(form::State &state, Window &window, const Texts &texts)
{
    if (const auto fault = firstInputFault(texts)) {
        state.errflag = true;
        window.messageBox(inputErrorTitle, *fault);
    }
}

} // namespace ostrel::calc
