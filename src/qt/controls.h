#pragma once

#include "form/layout.h"
#include "runtime/window.h"

#include <QRect>

#include <string_view>
#include <vector>

class QLabel;
class QWidget;

namespace ostrel::gui {

class FieldEdit;
class LiveLabel;

// The table's place of a control in pixels, relative to its container.
QRect containerRect(const form::Control &control);

// Builds one control of the window table as a child of `container`: its kind of widget, name,
// caption or start-up text, place, font, colours, focus policy, visibility, and the name and
// description that assistive technology tells of it.
QWidget *createControl(const form::Control &control, QWidget &container);

// Every control of the window, built from the window table as children of the client area,
// and found again by the table's qualified name. The widgets belong to the client area.
class Controls {
public:
    struct Entry {
        const form::Control *control;
        QWidget *widget;
    };

    // Creates the controls in table order, so that a later control stands above an earlier
    // one, and chains them in the table's tab order.
    explicit Controls(QWidget &client);

    // The widget of a control by qualified name ("Command3(5)"), or nullptr.
    QWidget *widget(std::string_view qualifiedName) const;
    FieldEdit *field(Field field) const;
    QLabel *label(std::string_view qualifiedName) const;
    LiveLabel *liveLabel(std::string_view qualifiedName) const;

    const std::vector<Entry> &entries() const { return m_entries; }

private:
    std::vector<Entry> m_entries;
};

} // namespace ostrel::gui
