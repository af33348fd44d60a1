// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "window_table.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

// What assistive technology (a screen reader, a braille display) tells of each control of the
// window table, in the window's language. Beside the window table, so that a control added to
// the window cannot go without a name.
namespace ostrel::layout {

// One row: the control by id, the name that says what it is and, where the name alone does
// not tell its unit or what it does, a description. The result line's description is the
// caption it shows, which only the window knows, and every caption written to it is
// announced.
struct AccessibleRow {
    std::string_view control;
    std::u16string_view name;        // empty: the control's caption, see `accessibleName`
    std::u16string_view description; // empty: none
    // The label that shows the control's caption on the screen, by id, so that a screen reader
    // can tell which caption belongs to a field; empty: none.
    std::string_view labelledBy;
};

// The rows of the controls whose name is not simply their caption, or that have a
// description.
std::span<const AccessibleRow> accessibleRows();

// The control's row, or none: a label or frame without a row is named by its caption.
const AccessibleRow *accessibleRow(const Control &control);

// The name of a control: its row's name, otherwise its caption without the blanks that only
// place it on the screen (leading and trailing blanks dropped, runs of blanks made one).
std::u16string accessibleName(const Control &control);

// The description of a control; empty for none.
std::u16string_view accessibleDescription(const Control &control);

// The label that shows the control's caption, or none.
const Control *labelledBy(const Control &control);

// The controls whose caption the label shows, in table order; empty for none.
std::vector<const Control *> labelFor(const Control &label);

// Whether assistive technology is told of the control at all: a control that is never shown
// is not in the window's tree of accessible objects.
bool isInAccessibleTree(const Control &control);

// `text` without leading and trailing blanks and with each run of blanks inside made one.
std::u16string collapseBlanks(std::u16string_view text);

} // namespace ostrel::layout
