#pragma once

#include "runtime/window.h"

#include <gmpxx.h>

#include <cstdint>
#include <optional>

namespace ostrel::form {

// The values the window keeps beside its controls. Inputs are never kept here: every
// handler reads the field texts it needs when it runs.
struct State {
    // Code of the field that the on-screen keypad edits (1 to 6, see `keypadTarget`).
    std::int16_t goText1 = 1;
    // What the last calculation worked out; cleared before every calculation and by resets.
    mpz_class newlots;
    mpq_class needmoney;
    mpz_class sellshares;
    mpq_class leftmoney;
    bool errflag = false;
};

// The clearing of the calculation values, shared by start-up, the resets and every
// calculation. `goText1` is left alone: the keypad keeps its target.
void clearCalculation(State &state);

// Start-up: clear the calculation values and make `oldprice` the keypad's target.
void formLoad(State &state);

// The field a keypad code names, and the code of a field (none for the hidden `ybuy`).
std::optional<Field> keypadTarget(std::int16_t code);
std::optional<std::int16_t> keypadCode(Field field);

} // namespace ostrel::form
