// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "stacking.h"

#include <algorithm>

namespace ostrel::layout {
namespace {

bool isRadio(const Control *control)
{
    return control && control->kind == Kind::radioButton;
}

} // namespace

std::vector<const Control *> stackingOrder(const WindowDescription &window)
{
    const auto order = window.tabOrder();
    std::vector<const Control *> stack(order.begin(), order.end());
    const auto all = window.controls();
    for (auto control = all.rbegin(); control != all.rend(); ++control) {
        if (std::find(order.begin(), order.end(), &*control) == order.end())
            stack.push_back(&*control);
    }
    return stack;
}

std::vector<const Control *> groupStarts(const WindowDescription &window)
{
    std::vector<const Control *> starts;
    const Control *previous = nullptr;
    for (const Control *control : stackingOrder(window)) {
        const bool continuesGroup =
            isRadio(control) && isRadio(previous) && previous->container == control->container;
        if (!continuesGroup && (isRadio(control) || isRadio(previous)))
            starts.push_back(control);
        previous = control;
    }
    return starts;
}

} // namespace ostrel::layout
