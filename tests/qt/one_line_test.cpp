// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

// A field holds one line however text reaches it: pasted with the paste key or from the
// context menu, dropped, committed by an input method or written by assistive technology, it keeps
// what comes before the first line break or tab, the text around the insertion stays, and the caret
// ends after what was kept.
#include "support.h"

#include "widgets.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDropEvent>
#include <QInputMethodEvent>
#include <QMenu>
#include <QMimeData>
#include <QTest>

#include <memory>

namespace ostrel::test {
namespace {

// How the text reaches the field.
enum class Arrival { pasteKey, menuPaste, drop, inputMethod, screenReader };

} // namespace

class OneLineTest : public QObject {
    Q_OBJECT

private slots:
    void init() { m_window = openWindow(); }
    void cleanup() { m_window.reset(); }

    // The field holds `before`; with `selectAll` its whole text is selected, else the text
    // goes in at `at` (a drop falls there).
    void arrivingTextKeepsOneLine_data()
    {
        QTest::addColumn<Arrival>("arrival");
        QTest::addColumn<QString>("before");
        QTest::addColumn<bool>("selectAll");
        QTest::addColumn<int>("at");
        QTest::addColumn<QString>("arriving");
        QTest::addColumn<QString>("after");
        QTest::addColumn<int>("caret");
        const auto row = [](const char *name, Arrival arrival, const char *before, bool selectAll,
                            int at, const char *arriving, const char *after, int caret) {
            QTest::newRow(name) << arrival << QString::fromUtf8(before) << selectAll << at
                                << QString::fromUtf8(arriving) << QString::fromUtf8(after) << caret;
        };
        // A cell copied from a spreadsheet or a line from a terminal ends in a line break.
        row("paste key, amount and LF", Arrival::pasteKey, "0", true, 0, "20000\n", "20000", 5);
        row("paste key, CR LF and more", Arrival::pasteKey, "0", true, 0, "12.5\r\n13", "12.5", 4);
        row("paste key, two cells", Arrival::pasteKey, "0", true, 0, "3000\t4000", "3000", 4);
        row("paste key, CR alone", Arrival::pasteKey, "0", true, 0, "7.3\r", "7.3", 3);
        row("paste key, break first", Arrival::pasteKey, "1", true, 0, "\n1.5", "", 0);
        row("paste key inside the text", Arrival::pasteKey, "12", false, 1, "5\n9", "152", 2);
        row("paste key, one line", Arrival::pasteKey, "12", false, 2, "34", "1234", 4);
        row("menu paste, amount and LF", Arrival::menuPaste, "0", true, 0, "8\n", "8", 1);
        row("menu paste inside the text", Arrival::menuPaste, "12", false, 1, "\t9", "12", 1);
        row("drop at the end", Arrival::drop, "12", false, 2, "34\n5", "1234", 4);
        row("drop at the start", Arrival::drop, "12", false, 0, "9\r\n", "912", 1);
        row("input method, tab first", Arrival::inputMethod, "0", true, 0, "\t1", "", 0);
        row("input method inside the text", Arrival::inputMethod, "12", false, 1, "3\r4", "132", 2);
        row("screen reader, over the text", Arrival::screenReader, "0", true, 0, "20000\n", "20000",
            5);
        row("screen reader inside the text", Arrival::screenReader, "12", false, 1, "5\n9", "152",
            2);
    }

    void arrivingTextKeepsOneLine()
    {
        QFETCH(Arrival, arrival);
        QFETCH(QString, before);
        QFETCH(bool, selectAll);
        QFETCH(int, at);
        QFETCH(QString, arriving);
        QFETCH(QString, after);
        QFETCH(int, caret);

        gui::FieldEdit &edit = *m_window->controls().field(Field::moneyToSpend);
        edit.setFocus(Qt::MouseFocusReason);
        edit.setText(before);
        if (selectAll)
            edit.selectAll();
        else
            edit.setCursorPosition(at);

        switch (arrival) {
        case Arrival::pasteKey:
            QGuiApplication::clipboard()->setText(arriving);
            QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
            break;
        case Arrival::menuPaste: {
            QGuiApplication::clipboard()->setText(arriving);
            const std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
            QAction *paste = actionOf(*menu, QCoreApplication::translate("QLineEdit", "&Paste"));
            QVERIFY(paste);
            paste->trigger();
            break;
        }
        case Arrival::drop: {
            QMimeData dragged;
            dragged.setText(arriving);
            // Where the caret stands, which is where the text goes in.
            const QPoint caretPlace =
                edit.inputMethodQuery(Qt::ImCursorRectangle).toRect().center();
            // The drag comes in first: the field it enters is the one the drop is for.
            QDragEnterEvent enter(caretPlace, Qt::CopyAction, &dragged, Qt::LeftButton,
                                  Qt::NoModifier);
            QApplication::sendEvent(&edit, &enter);
            QVERIFY(enter.isAccepted());
            QDropEvent drop(caretPlace, Qt::CopyAction, &dragged, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(&edit, &drop);
            QVERIFY(drop.isAccepted());
            break;
        }
        case Arrival::inputMethod: {
            QInputMethodEvent commit;
            commit.setCommitString(arriving);
            QApplication::sendEvent(&edit, &commit);
            break;
        }
        case Arrival::screenReader: {
            // Through the field's editable text, as assistive technology writes into it.
            QAccessibleEditableTextInterface *text =
                QAccessible::queryAccessibleInterface(&edit)->editableTextInterface();
            QVERIFY(text);
            if (selectAll)
                text->replaceText(0, static_cast<int>(before.size()), arriving);
            else
                text->insertText(at, arriving);
            break;
        }
        }

        QCOMPARE(edit.text(), after);
        QCOMPARE(edit.cursorPosition(), caret);
        QVERIFY(!edit.hasSelectedText());
    }

    // Enter in a field still starts the calculation after a pasted line break was dropped.
    void enterCalculatesAfterACutPaste()
    {
        gui::FieldEdit &edit = *m_window->controls().field(Field::oldPrice);
        edit.setFocus(Qt::TabFocusReason);
        QGuiApplication::clipboard()->setText(QStringLiteral("12.5\r\n"));
        QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(edit.text(), QStringLiteral("12.5"));
        // The other amounts are still the start-up zeros, which the checks report in a box.
        QCOMPARE(answeringMessageBoxes([&] { QTest::keyClick(&edit, Qt::Key_Return); }), 1);
    }

private:
    // The menu's action whose text starts with `text` (its key may follow it).
    static QAction *actionOf(QMenu &menu, const QString &text)
    {
        for (QAction *action : menu.actions()) {
            if (action->text().startsWith(text))
                return action;
        }
        return nullptr;
    }

    std::unique_ptr<gui::MainWindow> m_window;
};

} // namespace ostrel::test

QTEST_MAIN(ostrel::test::OneLineTest)
#include "one_line_test.moc"
