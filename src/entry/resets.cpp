#include "entry/resets.h"

#include <span>
#include <string_view>
#include <utility>

namespace ostrel::entry {
namespace {

using Write = std::pair<Field, std::u16string_view>;

constexpr Write allWrites[] = {
    {Field::oldprice, u"0"}, {Field::newprice, u"0"},  {Field::buy6, u"0"},     {Field::ybuy, u"0"},
    {Field::souxufei, u"1"}, {Field::savemoney, u"0"}, {Field::buymoney, u"0"},
};
constexpr Write oldStockWrites[] = {{Field::oldprice, u"0"}, {Field::buy6, u"100"}};
constexpr Write newStockWrites[] = {{Field::newprice, u"0"}, {Field::ybuy, u"0"}};

struct Group {
    std::u16string_view confirmation;
    std::span<const Write> writes;
};

Group groupOf(ResetGroup group)
{
    switch (group) {
    case ResetGroup::oldStock:
        return {u"OK，旧股票数据已重置!", oldStockWrites};
    case ResetGroup::newStock:
        return {u"OK，新股票数据已重置!", newStockWrites};
    case ResetGroup::all:
        break;
    }
    return {u"OK，已全部重置!", allWrites};
}

} // namespace

void reset(form::State &state, Window &window, ResetGroup group)
{
    const Group chosen = groupOf(group);
    form::clearCalculation(state);
    window.setResult(chosen.confirmation);
    for (const auto &[field, text] : chosen.writes)
        window.setText(field, text);
}

} // namespace ostrel::entry
