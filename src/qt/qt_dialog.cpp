// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "qt_dialog.h"

#include "qt_text.h"
#include "qt_window.h"
#include "widgets.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <utility>

namespace ostrel::gui {

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
    const QWidget *widget = m_controls.widget(control);
    if (const auto *box = qobject_cast<const QLineEdit *>(widget))
        return toU16(box->text());
    if (const auto *label = qobject_cast<const QLabel *>(widget))
        return toU16(label->text());
    if (const auto *button = qobject_cast<const QAbstractButton *>(widget))
        return toU16(button->text());
    return {};
}

void QtDialog::setText(const layout::Control &control, std::u16string_view text)
{
    QWidget *widget = m_controls.widget(control);
    const QString shown = toQString(text);
    if (auto *box = qobject_cast<QLineEdit *>(widget))
        box->setText(shown); // cut to the box's most characters, the caret after the text
    else if (auto *live = qobject_cast<LiveLabel *>(widget))
        live->announce(shown);
    else if (auto *label = qobject_cast<QLabel *>(widget))
        label->setText(shown);
    else if (auto *button = qobject_cast<QAbstractButton *>(widget))
        button->setText(shown);
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

void QtDialog::messageBox(std::u16string_view title, std::u16string_view body)
{
    showMessageBox(*this, title, body);
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
