#pragma once

#include "core/form1.h"
#include "qt/controls.h"
#include "qt/qt_window.h"

#include <QWidget>

namespace ostrel::gui {

// The calculator's window: the controls of the window table on a fixed client area, wired to
// the core. Every event goes straight to a handler of `Form1`; the window itself decides
// nothing.
class MainWindow : public QWidget {
    Q_OBJECT
public:
    explicit MainWindow(QWidget *parent = nullptr);

    const Controls &controls() const { return m_controls; }
    const Form1 &form() const { return m_form; }

private:
    void connectControls();

    Controls m_controls;
    QtWindow m_window;
    Form1 m_form;
};

} // namespace ostrel::gui
