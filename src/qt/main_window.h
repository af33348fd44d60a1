// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "calculator.h"
#include "controls.h"
#include "qt_settings_store.h"
#include "qt_window.h"

#include <QWidget>

#include <memory>

class QCoreApplication;

namespace ostrel::gui {

// Installs Qt's own simplified Chinese texts (qt6-translations-l10n) for the parts of Qt the
// window shows: the OK button of a message box reads 确定, the fields' context menus are in
// Chinese. Returns whether the desktop has the translation.
bool installChineseQtTranslations(QCoreApplication &application);

// The calculator's window: the controls of the window table on a fixed client area, each
// bound to its action in the calculator. The window itself decides nothing. The fee settings
// are read from and written to `store`.
class MainWindow : public QWidget {
    Q_OBJECT
public:
    explicit MainWindow(std::unique_ptr<QtSettingsStore> store, QWidget *parent = nullptr);

    const Controls &controls() const { return m_controls; }
    const core::Calculator &calculator() const { return m_calculator; }
    // For what the window cannot do by itself, such as reading the settings again.
    core::Calculator &calculator() { return m_calculator; }
    const QtSettingsStore &settingsStore() const { return *m_store; }
    // The modal window open in front (the fee settings, the detail), or none.
    QtDialog *dialog() const { return m_window.dialog(); }

private:
    std::unique_ptr<QtSettingsStore> m_store;
    Controls m_controls;
    QtWindow m_window;
    core::Calculator m_calculator;
};

} // namespace ostrel::gui
