// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "calculator.h"
#include "controls.h"
#include "qt_window.h"

#include <QWidget>

namespace ostrel::gui {

// The calculator's window: the controls of the window table on a fixed client area, each
// bound to its action in the calculator. The window itself decides nothing.
class MainWindow : public QWidget {
    Q_OBJECT
public:
    explicit MainWindow(QWidget *parent = nullptr);

    const Controls &controls() const { return m_controls; }
    const core::Calculator &calculator() const { return m_calculator; }

private:
    Controls m_controls;
    QtWindow m_window;
    core::Calculator m_calculator;
};

} // namespace ostrel::gui
