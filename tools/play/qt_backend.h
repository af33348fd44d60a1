// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "scenario.h"

#include <QApplication>
#include <QTimer>

#include <functional>
#include <iosfwd>
#include <memory>

class QComboBox;
class QWidget;

namespace ostrel::gui {
class MainWindow;
class QtDialog;
} // namespace ostrel::gui

namespace ostrel::play {

// The user in front of the real window. Every action is a real Qt event sent to the widget a
// user would reach: mouse clicks, Tab, Ctrl+A and the typed text as an input method commits
// it. A message box that an action opens is handed to the sink and closed with a click on its
// OK button while the action's handler waits in the box's own event loop.
class QtBackend : public testing::Backend {
public:
    // The window must be shown and active.
    QtBackend(gui::MainWindow &window, MessageSink sink);

    void type(Field field, std::u16string_view text) override;
    void paste(Field field, std::u16string_view text) override;
    void click(const layout::Control &control) override;
    void clickAt(int x, int y) override;
    void tab() override;
    void enter() override;
    void escape() override;
    void chooseBoard(Stock stock, Board board) override;
    void typeBoard(Stock stock, std::u16string_view text) override;
    const layout::WindowDescription *openDialog() const override;
    void typeInto(const layout::Control &textBox, std::u16string_view text) override;
    bool isChecked(const layout::Control &control) const override;
    std::u16string clipboard() const override;
    // Written into the window's settings file with QSettings, as a hand-edited file holds it.
    void storeText(std::string_view key, std::u16string_view text) override;
    void reloadSettings() override;

    std::u16string text(Field field) const override;
    std::u16string result() const override;
    std::u16string boardText(Stock stock) const override;
    Field keypadTarget() const override;
    const layout::Control *focus() const override;
    std::size_t caret(Field field) const override;
    // What the widgets hold: caption, place, size, requested face and size, visibility and
    // the order Tab visits them in; the colours are the table's.
    testing::WindowView describe() const override;
    // As QAccessible tells it to a screen reader's bridge.
    std::vector<testing::AccessibleView> accessible() const override;

private:
    static constexpr int fieldClickX = 3;

    void perform(const std::function<void()> &action);
    void answerMessageBox();
    // The widget of a control of the main window or of the modal window open in front.
    QWidget *widgetOf(const layout::Control &control) const;
    QComboBox &boardList(Stock stock) const;
    // Types over the whole text of a line edit, as `type` does.
    void typeOver(QWidget &box, std::u16string_view text);

    gui::MainWindow &m_window;
    MessageSink m_sink;
    QTimer m_poll;
};

// The real window: Qt started once (on the offscreen desktop unless QT_QPA_PLATFORM names
// another), and for each scenario a calculator's window of its own, shown and active, played
// through a QtBackend, with a settings file of its own that starts absent.
class QtStage : public Stage {
public:
    // Qt keeps a reference to `argc` as long as it runs.
    QtStage(int &argc, char **argv);
    ~QtStage() override;

    int play(std::istream &in, std::ostream &out, std::ostream &err) override;

private:
    std::unique_ptr<QApplication> m_application;
};

} // namespace ostrel::play
