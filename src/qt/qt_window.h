// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "controls.h"
#include "window.h"

#include <QComboBox>
#include <QDialog>
#include <QPointer>

namespace ostrel::gui {

// The calculator's message box: a modal QMessageBox centred on `owner`, its body plain text,
// no icon and one button, 确定.
void showMessageBox(QWidget &owner, std::u16string_view title, std::u16string_view body);

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
    void messageBox(std::u16string_view title, std::u16string_view body) override
    {
        showMessageBox(*this, title, body);
    }
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

// The calculator's view of the real window: field texts, carets and focus are the line edits'
// own, the result line is the live label, which announces every caption written to it, and
// a message box is a modal QMessageBox. A modal window is a QtDialog owned by the window.
class QtWindow : public Window {
public:
    // Message boxes are centred on and block `owner`.
    QtWindow(const Controls &controls, QWidget &owner)
        : m_controls(controls)
        , m_owner(owner)
    {
    }

    std::u16string text(Field field) const override
    {
        return toU16(m_controls.field(field)->text());
    }
    void setText(Field field, std::u16string_view text) override;
    void setCaret(Field field, std::size_t position) override;
    void setFocus(Field field) override { m_controls.field(field)->setFocus(Qt::OtherFocusReason); }
    void setResult(std::u16string_view caption) override
    {
        m_controls.resultLine()->announce(toQString(caption));
    }
    void messageBox(std::u16string_view title, std::u16string_view body) override
    {
        showMessageBox(m_owner, title, body);
    }
    // A disabled line edit: Qt greys it and keeps its text.
    void setEnabled(Field field, bool enabled) override;
    // The edit part of an editable QComboBox; choosing also selects the board's item.
    std::u16string boardText(Stock stock) const override
    {
        return toU16(boardList(stock).currentText());
    }
    void setBoard(Stock stock, Board board) override;
    void setFeeModelNote(std::u16string_view caption) override
    {
        m_controls.feeModelNote()->announce(toQString(caption));
    }
    void copyText(std::u16string_view text) override;
    // Shown at once, application-modal, without a loop of its own.
    DialogWindow &openDialog(const layout::WindowDescription &description,
                             DialogActions actions) override;

    // The modal window open in front, or none; one the calculator has closed is not.
    QtDialog *dialog() const
    {
        return m_dialog && !m_dialog->isClosed() ? m_dialog.data() : nullptr;
    }

private:
    QComboBox &boardList(Stock stock) const;

    const Controls &m_controls;
    QWidget &m_owner;
    QPointer<QtDialog> m_dialog;
};

} // namespace ostrel::gui
