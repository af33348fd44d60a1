#pragma once

#include "qt/main_window.h"

#include <QPoint>
#include <QString>

#include <functional>
#include <memory>

class QMessageBox;

namespace ostrel::test {

// A fresh calculator window, shown and active, with Qt's Chinese texts installed once.
std::unique_ptr<gui::MainWindow> openWindow();

// The object name of the widget of `window` at a client pixel, or "none" for the bare window.
QString nameAt(QWidget &window, QPoint point);

// Runs `action`. When it opens a modal message box, `inspect` sees the box once the box is on
// the screen, and the box is then closed with a click on its OK button. Returns the number of
// boxes that appeared.
int answeringMessageBoxes(const std::function<void()> &action,
                          const std::function<void(QMessageBox &)> &inspect = {});

} // namespace ostrel::test
