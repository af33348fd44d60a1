// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "actions.h"
#include "window_table.h"

#include <QRect>

#include <array>
#include <functional>
#include <vector>

class QWidget;

namespace ostrel::gui {

class FieldEdit;
class LiveLabel;

// The table's place of a control in pixels, relative to its container.
QRect containerRect(const layout::Control &control);

// Every control of the window, built from the window table as children of the client area,
// each bound once to the action its click runs. The widgets belong to the client area.
class Controls {
public:
    struct Bindings {
        std::function<void(const Action &)> perform; // a click's action
        std::function<void()> calculate;             // Enter in an entry field
    };

    // Creates the controls in table order, so that a later control stands above an earlier
    // one, binds each to its action and chains them in the table's tab order.
    Controls(QWidget &client, Bindings bindings);

    QWidget *widget(const layout::Control &control) const
    {
        return m_widgets[layout::positionOf(control)];
    }
    FieldEdit *field(Field field) const { return m_fields[indexOf(field)]; }
    LiveLabel *resultLine() const { return m_resultLine; }

private:
    QWidget *create(const layout::Control &control, QWidget &container);
    void bind(const layout::Control &control, QWidget &widget);
    void bindCopyKey();
    // Links each field to the label that shows its caption, and leaves the controls that are
    // never shown out of the tree a screen reader walks.
    void describeToAssistiveTechnology();

    Bindings m_bindings;
    std::vector<QWidget *> m_widgets; // in the table's order
    std::array<FieldEdit *, fieldCount> m_fields{};
    LiveLabel *m_resultLine = nullptr;
};

} // namespace ostrel::gui
