#include "core/form1.h"

#include "calc/transfer.h"
#include "entry/keypad.h"
#include "entry/resets.h"
#include "entry/selection.h"
#include "form/layout.h"
#include "help/help.h"

#include <functional>
#include <optional>

namespace ostrel {
Form1::Form1(Window &window)
    : m_window(window)
{
}

void Form1::load()
{
    form::formLoad(m_state);
}

bool Form1::click(std::string_view name)
{
    const form::Control *control = form::findControl(name);
    if (!control || !control->hasHandler)
        return false;
    if (const auto field = fieldNamed(control->name)) {
        fieldClick(*field);
        return true;
    }
    using Handler = std::function<void(Form1 &)>;
    const std::pair<std::string_view, Handler> handlers[] = {
        {"Command1", &Form1::startCalculation},
        {"Command2", &Form1::resetAll},
        {"Command4", &Form1::resetOldStock},
        {"Command5", &Form1::resetNewStock},
        {"C44", &Form1::showInstructions},
        {"BYNARO", [](Form1 &) { help::creditClick(); }},
        {"Command3", [index = control->index](Form1 &form) { form.keypadPress(index); }},
    };
    for (const auto &[handlerName, handler] : handlers) {
        if (handlerName == control->name) {
            handler(*this);
            return true;
        }
    }
    return false;
}

void Form1::fieldClick(Field field)
{
    entry::fieldClick(m_state, m_window, field);
}
void Form1::keypadPress(int key)
{
    entry::keypadPress(m_state, m_window, key);
}
void Form1::resetAll()
{
    entry::reset(m_state, m_window, entry::ResetGroup::all);
}
void Form1::resetOldStock()
{
    entry::reset(m_state, m_window, entry::ResetGroup::oldStock);
}
void Form1::resetNewStock()
{
    entry::reset(m_state, m_window, entry::ResetGroup::newStock);
}
void Form1::startCalculation()
{
    calc::startCalculation(m_state, m_window);
}
void Form1::showInstructions()
{
    help::showInstructions(m_window);
}

} // namespace ostrel
