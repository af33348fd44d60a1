// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Copying the answer: the result line is selected with the mouse and copied with the copy key
// wherever the keyboard focus is, while the click on it moves no focus and changes no field.
#include "support.h"

#include "widgets.h"
#include "window_table.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QWindow>

#include <array>

namespace ostrel::test {
namespace {

// How the user selects the answer.
enum class Selecting { drag, doubleClickThenDrag };

// Where the keyboard focus is when the copy key is pressed.
enum class FocusIn { field, fieldWithSelectedText, button };

// An item of the answer's context menu as the user sees it: its text, Qt's Chinese one with
// its mnemonic and key, and whether it can be chosen.
struct MenuItem {
    QString text;
    bool enabled = false;
    bool operator==(const MenuItem &) const = default;
};

} // namespace
} // namespace ostrel::test

// How QCOMPARE prints a list of menu items that differs.
namespace QTest {
template<> inline char *toString(const QList<ostrel::test::MenuItem> &items)
{
    QStringList shown;
    for (const auto &item : items)
        shown << item.text + (item.enabled ? QStringLiteral(" (on)") : QStringLiteral(" (off)"));
    return toString(shown.join(QStringLiteral(", ")));
}
} // namespace QTest

namespace ostrel::test {
namespace {

} // namespace

class CopyTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_window = openWindow();
        QGuiApplication::clipboard()->clear();
        const std::array<std::pair<Field, const char *>, 5> inputs{
            {{Field::oldPrice, "10"},
             {Field::sharesHeld, "5000"},
             {Field::newPrice, "8"},
             {Field::balance, "2000"},
             {Field::moneyToSpend, "20000"}}};
        for (const auto &[where, text] : inputs)
            field(where)->setText(QString::fromLatin1(text));
        QTest::keyClick(field(Field::moneyToSpend), Qt::Key_Return);
        QVERIFY(resultLine()->text().startsWith(QStringLiteral("请卖出")));
    }
    void cleanup() { m_window.reset(); }

    // Every way of selecting the answer, with the focus anywhere: the copy key copies the
    // whole line unless text selected in a field since is what the user means to copy.
    void copyKeyCopiesTheSelectedAnswer_data()
    {
        QTest::addColumn<Selecting>("selecting");
        QTest::addColumn<FocusIn>("focusIn");
        QTest::addColumn<bool>("copiesTheAnswer");
        QTest::newRow("drag, focus in a field") << Selecting::drag << FocusIn::field << true;
        QTest::newRow("drag, focus on a button") << Selecting::drag << FocusIn::button << true;
        QTest::newRow("double-click, then drag")
            << Selecting::doubleClickThenDrag << FocusIn::field << true;
        QTest::newRow("drag, then text selected in a field")
            << Selecting::drag << FocusIn::fieldWithSelectedText << false;
    }

    void copyKeyCopiesTheSelectedAnswer()
    {
        QFETCH(Selecting, selecting);
        QFETCH(FocusIn, focusIn);
        QFETCH(bool, copiesTheAnswer);

        QWidget *focus = focusIn == FocusIn::button
                             ? m_window->controls().widget(*layout::controlFor(Calculate{}))
                             : field(Field::balance);
        focus->setFocus(Qt::MouseFocusReason);
        if (auto *edit = qobject_cast<QLineEdit *>(focus))
            edit->deselect();
        const QStringList textsBefore = fieldTexts();
        const QString answer = resultLine()->text();

        if (selecting == Selecting::doubleClickThenDrag)
            QTest::mouseDClick(m_window->windowHandle(), Qt::LeftButton, {},
                               resultLine()->mapTo(m_window.get(), resultLine()->rect().center()));
        dragAcrossTheResultLine();
        QVERIFY(resultLine()->hasSelectedText());
        QCOMPARE(QApplication::focusWidget(), focus);
        QCOMPARE(fieldTexts(), textsBefore);
        QCOMPARE(resultLine()->text(), answer);

        if (focusIn == FocusIn::fieldWithSelectedText)
            QTest::keyClick(focus, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(focus, Qt::Key_C, Qt::ControlModifier);

        const QString copied = QGuiApplication::clipboard()->text();
        QCOMPARE(copied, copiesTheAnswer ? answer : field(Field::balance)->text());
        QCOMPARE(QApplication::focusWidget(), focus);
        QCOMPARE(fieldTexts(), textsBefore);
    }

    // With nothing selected in the result line, the copy key in a field copies the field's
    // own selection, as it always has.
    void fieldCopiesItsOwnTextWhenTheAnswerIsNotSelected()
    {
        QLineEdit *edit = field(Field::oldPrice);
        edit->setFocus(Qt::TabFocusReason);
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(edit, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("10"));
    }

    // A click on the result line takes no focus and leaves no selection behind.
    void clickOnTheAnswerMovesNoFocus()
    {
        QLineEdit *edit = field(Field::balance);
        edit->setFocus(Qt::TabFocusReason);
        const QStringList textsBefore = fieldTexts();
        QTest::mouseClick(resultLine(), Qt::LeftButton, {}, resultLine()->rect().center());
        QTest::mouseDClick(resultLine(), Qt::LeftButton, {}, resultLine()->rect().center());
        QCOMPARE(QApplication::focusWidget(), edit);
        QCOMPARE(fieldTexts(), textsBefore);
        QCOMPARE(resultLine()->focusPolicy(), Qt::NoFocus);
    }

    // The answer's context menu, opened by a right click where the desktop sends it, offers
    // Qt's 复制 and 全选: 复制 only once something is selected, 全选 then 复制 puts the whole
    // line on the clipboard, and a drag then 复制 just the part dragged across. Neither the
    // menu nor its items move the keyboard focus or change a field.
    void contextMenuCopiesTheAnswer_data()
    {
        QTest::addColumn<FocusIn>("focusIn");
        QTest::addColumn<bool>("dragFirst");
        QTest::newRow("focus in a field") << FocusIn::field << false;
        QTest::newRow("focus on a button") << FocusIn::button << false;
        QTest::newRow("part of the answer dragged across") << FocusIn::field << true;
    }

    void contextMenuCopiesTheAnswer()
    {
        QFETCH(FocusIn, focusIn);
        QFETCH(bool, dragFirst);
        QWidget *focus = focusIn == FocusIn::button
                             ? m_window->controls().widget(*layout::controlFor(Calculate{}))
                             : field(Field::balance);
        focus->setFocus(Qt::MouseFocusReason);
        const QStringList textsBefore = fieldTexts();
        const QString answer = resultLine()->text();

        QString expected = answer;
        if (dragFirst) {
            dragAcrossTheResultLine(0.5);
            expected = resultLine()->selectedText();
            QVERIFY(!expected.isEmpty());
            QVERIFY(expected.size() < answer.size());
            QVERIFY(answer.startsWith(expected));
        } else {
            QMenu *menu = openContextMenu();
            QVERIFY(menu);
            QCOMPARE(itemsOf(*menu), (QList<MenuItem>{{copyText(), false}, {allText(), true}}));
            QCOMPARE(QApplication::focusWidget(), focus);
            choose(*menu, allText());
            QCOMPARE(resultLine()->selectedText(), answer);
        }

        QMenu *menu = openContextMenu();
        QVERIFY(menu);
        QCOMPARE(itemsOf(*menu), (QList<MenuItem>{{copyText(), true}, {allText(), true}}));
        choose(*menu, copyText());
        QCOMPARE(QGuiApplication::clipboard()->text(), expected);
        QCOMPARE(QApplication::focusWidget(), focus);
        QCOMPARE(fieldTexts(), textsBefore);
        QCOMPARE(resultLine()->text(), answer);
    }

private:
    // Qt's Chinese texts for the two items, as Qt's own text control shows them.
    static QString copyText() { return QStringLiteral("复制(&C)\tCtrl+C"); }
    static QString allText() { return QStringLiteral("全选"); }

    // A right click on the result line through the window, as the desktop delivers it; the
    // menu it opens, once on the screen, or none.
    QMenu *openContextMenu()
    {
        QLabel *line = resultLine();
        QTest::mouseClick(m_window->windowHandle(), Qt::RightButton, {},
                          line->mapTo(m_window.get(), line->contentsRect().center()));
        QMenu *menu = nullptr;
        const auto shown = [&menu] {
            menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            return menu && menu->isVisible();
        };
        return QTest::qWaitFor(shown, 2000) ? menu : nullptr;
    }

    static QList<MenuItem> itemsOf(const QMenu &menu)
    {
        QList<MenuItem> items;
        for (const QAction *action : menu.actions()) {
            if (!action->isSeparator())
                items.append({action->text(), action->isEnabled()});
        }
        return items;
    }

    // A left click on the item, which closes the menu.
    static void choose(QMenu &menu, const QString &text)
    {
        QAction *chosen = nullptr;
        for (QAction *action : menu.actions()) {
            if (action->text() == text)
                chosen = action;
        }
        QVERIFY(chosen);
        QTest::mouseClick(&menu, Qt::LeftButton, {}, menu.actionGeometry(chosen).center());
        QTRY_VERIFY_WITH_TIMEOUT(!QApplication::activePopupWidget(), 2000);
    }

    QLineEdit *field(Field field) const { return m_window->controls().field(field); }
    QLabel *resultLine() const { return m_window->controls().resultLine(); }

    QStringList fieldTexts() const
    {
        QStringList texts;
        for (const Field each : allFields)
            texts << field(each)->text();
        return texts;
    }

    // From before the first character across the given share of the line's width (the whole
    // of it and past the last line by default), the mouse button held, as the desktop
    // delivers it to the window.
    void dragAcrossTheResultLine(double share = 1.0)
    {
        QLabel *line = resultLine();
        QWindow *window = m_window->windowHandle();
        const QRect area = line->contentsRect();
        const QPoint end = share >= 1.0
                               ? area.bottomRight()
                               : QPoint(area.left() + int(area.width() * share), area.top() + 2);
        const auto at = [&](QPoint point) { return line->mapTo(m_window.get(), point); };
        QTest::mousePress(window, Qt::LeftButton, {}, at(area.topLeft()));
        QTest::mouseMove(window, at((area.topLeft() + end) / 2));
        QTest::mouseMove(window, at(end));
        QTest::mouseRelease(window, Qt::LeftButton, {}, at(end));
    }

    std::unique_ptr<gui::MainWindow> m_window;
};

} // namespace ostrel::test

QTEST_MAIN(ostrel::test::CopyTest)
#include "copy_test.moc"
