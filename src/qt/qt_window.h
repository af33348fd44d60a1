// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "window.h"

#include <QPointer>

class QComboBox;
class QWidget;

namespace ostrel::gui {

class Controls;
class QtDialog;

// The calculator's message box: a modal QMessageBox centred on `owner`, its body plain text,
// no icon and one button, 确定.
void showMessageBox(QWidget &owner, std::u16string_view title, std::u16string_view body);

// The calculator's view of the real window: field texts, carets and focus are the line edits'
// own, the result line is the live label, which announces every caption written to it, and
// a message box is a modal QMessageBox. A modal window is a QtDialog owned by the window.
class QtWindow : public Window {
public:
    // Message boxes are centred on and block `owner`.
    QtWindow(const Controls &controls, QWidget &owner);

    std::u16string text(Field field) const override;
    void setText(Field field, std::u16string_view text) override;
    void setCaret(Field field, std::size_t position) override;
    void setFocus(Field field) override;
    void setResult(std::u16string_view caption) override;
    void messageBox(std::u16string_view title, std::u16string_view body) override;
    // A disabled line edit: Qt greys it and keeps its text.
    void setEnabled(Field field, bool enabled) override;
    // The edit part of an editable QComboBox; choosing also selects the board's item.
    std::u16string boardText(Stock stock) const override;
    void setBoard(Stock stock, Board board) override;
    void setFeeModelNote(std::u16string_view caption) override;
    void copyText(std::u16string_view text) override;
    // Shown at once, application-modal, without a loop of its own.
    DialogWindow &openDialog(const layout::WindowDescription &description,
                             DialogActions actions) override;

    // The modal window open in front, or none; one the calculator has closed is not.
    QtDialog *dialog() const;

private:
    QComboBox &boardList(Stock stock) const;

    const Controls &m_controls;
    QWidget &m_owner;
    QPointer<QtDialog> m_dialog;
};

} // namespace ostrel::gui
