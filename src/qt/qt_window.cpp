// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "qt_window.h"

#include "controls.h"
#include "qt_dialog.h"
#include "qt_text.h"
#include "widgets.h"
#include "window_description.h"
#include "window_table.h"

#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QMessageBox>

#include <algorithm>

namespace ostrel::gui {

QtWindow::QtWindow(const Controls &controls, QWidget &owner)
    : m_controls(controls)
    , m_owner(owner)
{
}

std::u16string QtWindow::text(Field field) const
{
    return toU16(m_controls.field(field)->text());
}

void QtWindow::setText(Field field, std::u16string_view text)
{
    // The line edit cuts the text to its maximum length and puts the caret after it.
    m_controls.field(field)->setText(toQString(text));
}

void QtWindow::setCaret(Field field, std::size_t position)
{
    const std::size_t inRange = std::min(position, layout::maxTextLength);
    m_controls.field(field)->setCursorPosition(static_cast<int>(inRange));
}

void QtWindow::setFocus(Field field)
{
    m_controls.field(field)->setFocus(Qt::OtherFocusReason);
}

void QtWindow::setResult(std::u16string_view caption)
{
    m_controls.resultLine()->announce(toQString(caption));
}

void showMessageBox(QWidget &owner, std::u16string_view title, std::u16string_view body)
{
    QMessageBox box(QMessageBox::NoIcon, toQString(title), toQString(body), QMessageBox::Ok,
                    &owner);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

void QtWindow::messageBox(std::u16string_view title, std::u16string_view body)
{
    showMessageBox(m_owner, title, body);
}

void QtWindow::setEnabled(Field field, bool enabled)
{
    FieldEdit *box = m_controls.field(field);
    box->setEnabled(enabled);
    box->setAccessibleDescription(
        toQString(layout::accessibleDescription(layout::fieldControl(field), !enabled)));
}

QComboBox &QtWindow::boardList(Stock stock) const
{
    return *qobject_cast<QComboBox *>(m_controls.widget(layout::boardControl(stock)));
}

std::u16string QtWindow::boardText(Stock stock) const
{
    return toU16(boardList(stock).currentText());
}

void QtWindow::setBoard(Stock stock, Board board)
{
    QComboBox &list = boardList(stock);
    const QString name = toQString(layout::boardName(board));
    // The item stays current when only the typing changed, so the name is written back too.
    list.setCurrentIndex(list.findText(name));
    list.setEditText(name);
}

void QtWindow::setFeeModelNote(std::u16string_view caption)
{
    m_controls.feeModelNote()->announce(toQString(caption));
}

void QtWindow::copyText(std::u16string_view text)
{
    QGuiApplication::clipboard()->setText(toQString(text));
}

DialogWindow &QtWindow::openDialog(const layout::WindowDescription &description,
                                   DialogActions actions)
{
    auto *dialog = new QtDialog(description, std::move(actions), m_owner);
    m_dialog = dialog;
    dialog->show();
    // In front of its owner, it takes the keyboard as a new window does on the desktop.
    dialog->activateWindow();
    return *dialog;
}

QtDialog *QtWindow::dialog() const
{
    return m_dialog && !m_dialog->isClosed() ? m_dialog.data() : nullptr;
}

} // namespace ostrel::gui
