#include "form/state.h"

namespace ostrel::form {

namespace {
constexpr Field codeFields[] = {Field::oldprice, Field::buy6,      Field::newprice,
                                Field::souxufei, Field::savemoney, Field::buymoney};
}

void clearCalculation(State &state)
{
    state.newlots = 0;
    state.needmoney = 0;
    state.sellshares = 0;
    state.errflag = false;
    state.leftmoney = 0;
}

void formLoad(State &state)
{
    clearCalculation(state);
    state.goText1 = 1;
}

std::optional<Field> keypadTarget(std::int16_t code)
{
    if (code < 1 || code > 6)
        return std::nullopt;
    return codeFields[code - 1];
}

std::optional<std::int16_t> keypadCode(Field field)
{
    for (std::int16_t code = 1; code <= 6; ++code) {
        if (codeFields[code - 1] == field)
            return code;
    }
    return std::nullopt;
}

} // namespace ostrel::form
