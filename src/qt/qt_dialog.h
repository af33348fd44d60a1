// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "controls.h"
#include "window.h"

#include <QDialog>

namespace ostrel::gui {

// A modal window of the calculator (the fee settings, the detail of a calculation), drawn from
// its description in front of its owner. It blocks the whole application but runs no event
// loop of its own, so opening it returns at once and the calculator fills it in afterwards.
// Escape and the title bar's close button do not close it: they run its CloseDialog action
// (see `Controls`), and only the calculator closes it, with `close`.
class QtDialog : public QDialog, public DialogWindow {
    Q_OBJECT
public:
    // Shown centred on `owner`, which owns it.
    QtDialog(const layout::WindowDescription &description, DialogActions actions, QWidget &owner);

    const Controls &controls() const { return m_controls; }
    // Whether the calculator has closed it; it is deleted once control returns to the event
    // loop.
    bool isClosed() const { return m_closed; }

    std::u16string text(const layout::Control &control) const override;
    void setText(const layout::Control &control, std::u16string_view text) override;
    bool isChecked(const layout::Control &control) const override;
    void setChecked(const layout::Control &control, bool checked) override;
    // Qt greys a disabled widget and passes the focus on from it.
    void setEnabled(const layout::Control &control, bool enabled) override;
    void setFocus(const layout::Control &control) override;
    // Centred on this window, as the main window's (see `showMessageBox`).
    void messageBox(std::u16string_view title, std::u16string_view body) override;
    // Hides the window, gives the owner the activation back, with it the focus its control
    // had, and deletes the window later. (QWidget::close would ask the calculator first.)
    void close() override;

protected:
    // Tab and Shift+Tab go where the description says.
    bool focusNextPrevChild(bool next) override;

private:
    void perform(const Action &action);

    DialogActions m_actions;
    Controls m_controls;
    bool m_closed = false;
};

} // namespace ostrel::gui
