// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "window_description.h"

#include <array>
#include <cstddef>
#include <stdexcept>
#include <string_view>

// A window's table names other rows by id, as people write it; `linked` resolves every such
// name to a ControlRef and refuses a name that is wrong. A table that keeps its result in a
// constexpr variable is resolved while compiling, so that a wrong name does not compile.
namespace ostrel::layout {

// A control as a window's table writes it: its container named by id.
struct Row {
    Control control;
    std::string_view container; // id of the frame that holds it; empty: the client area
};

// What assistive technology tells of each control whose name is not simply its caption, or
// that has a description: the control by id, its name, its description and the label that
// shows its caption. The result line's description is the caption it shows.
struct AccessibleRow {
    std::string_view control;
    std::u16string_view name;
    std::u16string_view description = {};
    std::string_view labelledBy = {};
    std::u16string_view descriptionWhenGreyed = {};
};

// The place of the row with the id, among the first `before` rows.
template<std::size_t N>
constexpr ControlRef refTo(const std::array<Row, N> &table, std::string_view id, std::size_t before)
{
    for (std::size_t i = 0; i < before && i < N; ++i) {
        if (table[i].control.id == id)
            return {static_cast<std::uint16_t>(i)};
    }
    throw std::logic_error("no control with this id comes first");
}

// The controls with every reference by id resolved: a frame before the controls it holds,
// every accessibility row to exactly one control, a label to a label. Ids are unique.
template<std::size_t N, std::size_t A>
constexpr std::array<Control, N> linked(const std::array<Row, N> &table,
                                        const std::array<AccessibleRow, A> &accessible)
{
    std::array<Control, N> controls{};
    for (std::size_t i = 0; i < N; ++i) {
        controls[i] = table[i].control;
        if (refTo(table, table[i].control.id, N).index != i)
            throw std::logic_error("two controls share an id");
        if (!table[i].container.empty()) {
            controls[i].container = refTo(table, table[i].container, i);
            if (table[controls[i].container.index].control.kind != Kind::frame)
                throw std::logic_error("a control's container is no frame");
        }
    }
    for (std::size_t row = 0; row < A; ++row) {
        const ControlRef ref = refTo(table, accessible[row].control, N);
        Control &control = controls[ref.index];
        if (!control.accessible.name.empty() || !control.accessible.description.empty())
            throw std::logic_error("a control has two accessibility rows");
        control.accessible.name = accessible[row].name;
        control.accessible.description = accessible[row].description;
        control.accessible.descriptionWhenGreyed = accessible[row].descriptionWhenGreyed;
        if (!accessible[row].labelledBy.empty()) {
            control.accessible.labelledBy = refTo(table, accessible[row].labelledBy, N);
            if (controls[control.accessible.labelledBy.index].kind != Kind::label)
                throw std::logic_error("a control is labelled by what is no label");
        }
    }
    return controls;
}

} // namespace ostrel::layout
