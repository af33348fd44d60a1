// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "qt_window.h"

#include "widgets.h"
#include "window_description.h"
#include "window_table.h"

#include <QAbstractButton>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

#include <algorithm>
#include <utility>

namespace ostrel::gui {

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

void showMessageBox(QWidget &owner, std::u16string_view title, std::u16string_view body)
{
    QMessageBox box(QMessageBox::NoIcon, toQString(title), toQString(body), QMessageBox::Ok,
                    &owner);
    box.setTextFormat(Qt::PlainText);
    box.exec();
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

void QtWindow::setBoard(Stock stock, Board board)
{
    QComboBox &list = boardList(stock);
    const QString name = toQString(layout::boardName(board));
    // The item stays current when only the typing changed, so the name is written back too.
    list.setCurrentIndex(list.findText(name));
    list.setEditText(name);
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

QtDialog::QtDialog(const layout::WindowDescription &description, DialogActions actions,
                   QWidget &owner)
    : QDialog(&owner)
    , m_actions(std::move(actions))
    , m_controls(*this, description, layout::WindowRole::modal,
                 [this](const Action &action) { perform(action); })
{
    applyLook(*this, description);
    setWindowModality(Qt::ApplicationModal);
    // Return presses what the description says for the control with the focus (see
    // Controls); the buttons of a Qt dialog would otherwise take turns as its default button
    // and be pressed too, and draw the frame that marks it.
    for (QPushButton *button : findChildren<QPushButton *>())
        button->setAutoDefault(false);
}

void QtDialog::perform(const Action &action)
{
    // A closed window takes no more input, though its last events may still arrive.
    if (!m_closed)
        m_actions(action);
}

std::u16string QtDialog::text(const layout::Control &control) const
{
    // A line edit's, a label's or a button's text alike; none for a frame.
    return toU16(m_controls.widget(control)->property("text").toString());
}

void QtDialog::setText(const layout::Control &control, std::u16string_view text)
{
    QWidget *widget = m_controls.widget(control);
    if (auto *live = qobject_cast<LiveLabel *>(widget))
        live->announce(toQString(text));
    else // a line edit cuts the text to its most characters, the caret after the text
        widget->setProperty("text", toQString(text));
}

bool QtDialog::isChecked(const layout::Control &control) const
{
    const auto *button = qobject_cast<const QAbstractButton *>(m_controls.widget(control));
    return button && button->isChecked();
}

void QtDialog::setChecked(const layout::Control &control, bool checked)
{
    auto *button = qobject_cast<QAbstractButton *>(m_controls.widget(control));
    if (!button)
        return;
    // Qt never unchecks the checked one of a set of radio buttons that exclude each other
    // (only checking another does); the calculator may.
    const bool exclusive = button->autoExclusive();
    button->setAutoExclusive(exclusive && checked);
    button->setChecked(checked);
    button->setAutoExclusive(exclusive);
}

void QtDialog::setEnabled(const layout::Control &control, bool enabled)
{
    QWidget *widget = m_controls.widget(control);
    const bool hadFocus = widget->hasFocus();
    widget->setEnabled(enabled);
    widget->setAccessibleDescription(toQString(layout::accessibleDescription(control, !enabled)));
    if (hadFocus && !enabled)
        focusNextPrevChild(true);
}

void QtDialog::setFocus(const layout::Control &control)
{
    QWidget *widget = m_controls.widget(control);
    widget->setFocus(Qt::OtherFocusReason);
    if (auto *box = qobject_cast<QLineEdit *>(widget))
        box->selectAll();
}

bool QtDialog::focusNextPrevChild(bool next)
{
    const layout::WindowDescription &description = m_controls.description();
    const layout::ControlStates states{
        [this](const layout::Control &control) { return m_controls.widget(control)->isEnabled(); },
        [this](const layout::Control &control) { return isChecked(control); }};
    const layout::Control *to =
        description.nextTabStop(m_controls.controlOf(focusWidget()), states, !next);
    if (!to)
        return false;
    // A line edit that Tab reaches selects its whole text itself.
    m_controls.widget(*to)->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

void QtDialog::close()
{
    m_closed = true;
    hide();
    if (QWidget *owner = parentWidget())
        owner->activateWindow();
    deleteLater();
}

} // namespace ostrel::gui
