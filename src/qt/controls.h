// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "actions.h"
#include "keys.h"
#include "widgets.h"
#include "window_description.h"

#include <QFont>
#include <QObject>
#include <QRect>

#include <functional>
#include <vector>

class QLineEdit;

namespace ostrel::gui {

// The font of a control's caption. Its families are the faces to try, best first: the Chinese
// faces of the window table are not installed on most Linux desktops, so each comes with the
// faces of the same style that are, and the list always ends in a face that carries every
// glyph of the window. Its size is fixed in pixels at 96 dots per inch, so that the captions
// fit their fixed places on any screen. A face-less font (a control without a caption) gives
// the desktop font.
QFont controlFont(const layout::Font &font);

// Gives the window its caption, its fixed size and its background colour.
void applyLook(QWidget &window, const layout::WindowDescription &description);

// Every control of a window, built from its description as children of the client area, each
// bound once to the actions its click and Enter run. The widgets belong to the client area.
// It watches the keys pressed in the window and the window's close button, and does with them
// what the description's rules say (keys.h): Enter on a button or a choice, the copy key,
// Escape and the close button.
class Controls : public QObject {
    Q_OBJECT
public:
    using Perform = std::function<void(const Action &)>;

    // Creates the controls in the description's order, so that a later control stands above
    // an earlier one, binds each to its actions and chains them in the tab order.
    Controls(QWidget &client, const layout::WindowDescription &window, layout::WindowRole role,
             Perform perform);

    const layout::WindowDescription &description() const { return m_window; }
    QWidget *widget(const layout::Control &control) const
    {
        return m_widgets[m_window.positionOf(control)];
    }
    // The control a widget of this window draws; none for any other widget.
    const layout::Control *controlOf(const QWidget *widget) const;
    // None in a window without the field or a result line.
    FieldEdit *field(Field field) const
    {
        return widgetOf<FieldEdit>(m_window.fieldControl(field));
    }
    LiveLabel *resultLine() const { return widgetOf<LiveLabel>(m_window.resultLine()); }
    // The caption that tells which fee model is in use; none in a window without one.
    LiveLabel *feeModelNote() const { return widgetOf<LiveLabel>(m_window.feeModelNote()); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    template<class Widget> Widget *widgetOf(const layout::Control *control) const
    {
        return control ? qobject_cast<Widget *>(widget(*control)) : nullptr;
    }
    QWidget *create(const layout::Control &control, QWidget &container);
    void bind(const layout::Control &control, QWidget &widget);
    // Text selected in the field may take the copy key over from the captions' selection.
    void bindSelection(QLineEdit &field);
    // Whether the window has done all there is to do with Escape or its close button.
    bool answer(layout::CloseRequest request, const layout::KeyPress &press, QEvent &event);

    QWidget &m_client;
    const layout::WindowDescription &m_window;
    layout::WindowRole m_role;
    Perform m_perform;
    std::vector<QWidget *> m_widgets;      // in the description's order
    std::vector<LiveLabel *> m_selectable; // captions the user can select and copy from
};

} // namespace ostrel::gui
