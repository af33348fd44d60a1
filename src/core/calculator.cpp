// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "calculator.h"

#include "field_selection.h"
#include "help.h"
#include "keypad.h"
#include "resets.h"
#include "transfer.h"

#include <variant>

namespace ostrel::core {
namespace {

template<typename... Handlers> struct Overloaded : Handlers... {
    using Handlers::operator()...;
};
template<typename... Handlers> Overloaded(Handlers...) -> Overloaded<Handlers...>;

} // namespace

Calculator::Calculator(Window &window)
    : m_window(window)
{
}

void Calculator::startUp()
{
    m_state = State{};
}

void Calculator::perform(const Action &action)
{
    std::visit(Overloaded{
                   [](NoAction) {},
                   [this](Calculate) { calculate(); },
                   [this](Reset reset) { core::reset(m_window, reset.group); },
                   [this](ShowInstructions) { showInstructions(m_window); },
                   [this](PressKey press) { pressKey(m_state, m_window, press.key); },
                   [this](SelectField select) { selectField(m_state, m_window, select.field); },
               },
               action);
}

void Calculator::calculate()
{
    core::calculate(m_window);
}

} // namespace ostrel::core
