// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "field_selection.h"

#include "transfer.h"
#include "utf16.h"

namespace ostrel::core {

void selectField(State &state, Window &window, Field field)
{
    if (field == Field::plannedShares)
        return; // the hidden planned-shares field cannot be clicked
    state.keypadTarget = field;
    window.setFocus(field);
    switch (field) {
    case Field::feePerMille:
        // The caret stays where writing the text leaves it.
        window.setText(field, u"0");
        return;
    case Field::moneyToSpend:
        fillMoneyToSpend(window);
        break;
    default:
        break;
    }
    window.setCaret(field, numbers::length(window.text(field)));
}

} // namespace ostrel::core
