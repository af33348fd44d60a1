#include "entry/selection.h"

#include "calc/transfer.h"
#include "runtime/text.h"

namespace ostrel::entry {

void fieldClick(form::State &state, Window &window, Field field)
{
    const auto code = form::keypadCode(field);
    if (!code)
        return; // the hidden planned-shares field cannot be clicked
    state.goText1 = *code;
    window.setFocus(field);
    switch (field) {
    case Field::souxufei:
        // The caret stays where writing the text leaves it.
        window.setText(field, u"0");
        return;
    case Field::buymoney:
        calc::fillBuymoney(window);
        break;
    default:
        break;
    }
    window.setCaret(field, runtime::length(window.text(field)));
}

} // namespace ostrel::entry
