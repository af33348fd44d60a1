// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Real mouse and keyboard events on the window, checked against the core played through the
// test double: typing right after start-up, the tab order, clicks where controls overlap, where a
// click leaves the focus, the keypad's focus, Enter in a field, the caret after a click, and the
// message box.
#include "support.h"

#include "core_backend.h"
#include "help.h"
#include "input_checks.h"
#include "widgets.h"
#include "window_table.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTest>

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace ostrel::test {
namespace {

using gui::toQString;

QString focusName()
{
    const QWidget *focus = QApplication::focusWidget();
    return focus ? focus->objectName() : QStringLiteral("none");
}

QString idOf(const layout::Control *control)
{
    return control ? toQString(control->id) : QStringLiteral("none");
}

// A pixel where the control shows, no later control standing above it: its middle, or the
// nearest such pixel to it.
QPoint exposedPoint(const layout::Control &control)
{
    const QRect place = placeOf(control);
    const QPoint middle = middleOf(control);
    QPoint best = middle;
    int bestDistance = -1;
    for (int y = place.top(); y <= place.bottom(); ++y) {
        for (int x = place.left(); x <= place.right(); ++x) {
            const int distance = (QPoint(x, y) - middle).manhattanLength();
            if (layout::controlAt(x, y) == &control &&
                (bestDistance < 0 || distance < bestDistance)) {
                best = {x, y};
                bestDistance = distance;
            }
        }
    }
    return best;
}

const layout::Control &calculateButton()
{
    return *layout::controlFor(Calculate{});
}

// What a message box showed, for the checks after it has closed.
struct SeenBox {
    QMessageBox::Icon icon = QMessageBox::Information;
    QStringList buttons;
    QMessageBox::StandardButtons standardButtons;
    QString title;
    QString text;
    Qt::TextFormat format = Qt::AutoText;
    Qt::WindowModality modality = Qt::NonModal;
    QWidget *owner = nullptr;
};

} // namespace

class EventsTest : public QObject {
    Q_OBJECT

private slots:
    void init() { m_window = openWindow(); }
    void cleanup() { m_window.reset(); }

    // At start-up the first field has the focus with its text selected, so the first amount
    // typed replaces the 0 there rather than following it.
    void typingAtStartUpReplacesTheZero()
    {
        QCOMPARE(focusName(), idOf(layout::tabOrder().front()));
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("10"));
        QCOMPARE(field(Field::oldPrice)->text(), QStringLiteral("10"));
        QCOMPARE(field(Field::oldPrice)->cursorPosition(), 2);
    }

    void tabWalksTheTableOrderAndWraps()
    {
        QStringList expected;
        for (const layout::Control *control : layout::tabOrder())
            expected << idOf(control);
        expected << expected.first();
        QStringList walked{focusName()};
        for (std::size_t i = 0; i < layout::tabOrder().size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            walked << focusName();
        }
        QCOMPARE(walked, expected);
    }

    void shiftTabWalksBack()
    {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ShiftModifier);
        QCOMPARE(focusName(), idOf(layout::tabOrder().back()));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(focusName(), idOf(&layout::fieldControl(Field::oldPrice)));
    }

    // A click through the window goes to the control on top, as the core's hit test says.
    void clickReachesTheTopmostControl_data()
    {
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<QString>("pressed");
        const layout::Control &newStockReset = *layout::controlFor(Reset{ResetGroup::newStock});
        const layout::Control &oldStockReset = *layout::controlFor(Reset{ResetGroup::oldStock});
        const layout::Control &resetAll = *layout::controlFor(Reset{ResetGroup::all});
        QTest::newRow("Command5 inside Frame2") << QPoint(480, 110) << idOf(&newStockReset);
        QTest::newRow("Command5's middle") << middleOf(newStockReset) << idOf(&newStockReset);
        QTest::newRow("Command4 over Label1") << QPoint(212, 110) << idOf(&oldStockReset);
        QTest::newRow("Command2") << middleOf(resetAll) << idOf(&resetAll);
    }

    void clickReachesTheTopmostControl()
    {
        QFETCH(QPoint, point);
        QFETCH(QString, pressed);
        testing::CoreBackend core;
        core.clickAt(point.x(), point.y());
        QCOMPARE(idOf(core.focus()), pressed);

        clickAt(point);
        QCOMPARE(focusName(), pressed);
        QCOMPARE(resultLine(), toQString(core.result()));
    }

    // A click on a field or a button gives it the focus; a key of the keypad, a caption or a
    // frame leaves the focus in the field being typed into.
    void clickMovesTheFocusOrLeavesIt_data()
    {
        QTest::addColumn<int>("position");
        for (const layout::Control &control : layout::controls()) {
            if (control.visible)
                QTest::newRow(std::string(control.id).c_str())
                    << static_cast<int>(layout::positionOf(control));
        }
    }

    void clickMovesTheFocusOrLeavesIt()
    {
        QFETCH(int, position);
        const layout::Control &control = layout::controls()[static_cast<std::size_t>(position)];
        // Away from the field the window opens with, so that a focus left alone shows.
        const Field typedInto = Field::balance;
        testing::CoreBackend core;
        core.type(typedInto, u"1");
        typeInto(typedInto, QStringLiteral("1"));
        const QWidget *before = field(typedInto);

        const QPoint point = exposedPoint(control);
        QCOMPARE(layout::controlAt(point.x(), point.y()), &control);
        core.clickAt(point.x(), point.y());
        answeringMessageBoxes([&] { clickAt(point); });

        // The window's own focus: a message box or a modal window may still hold the
        // desktop's.
        const QWidget *after = m_window->focusWidget();
        QCOMPARE(after ? after->objectName() : QStringLiteral("none"), idOf(core.window().focus()));
        if (control.takesFocusOnClick())
            QCOMPARE(after, m_window->controls().widget(control));
        else
            QCOMPARE(after, before);
    }

    void keypadClickLeavesTheFocusInTheField()
    {
        testing::CoreBackend core;
        const layout::Control *clicks[] = {
            &layout::fieldControl(Field::sharesHeld), &layout::keyControl(Key::digit7),
            &layout::keyControl(Key::point), &layout::keyControl(Key::digit0)};
        for (const layout::Control *control : clicks) {
            const QPoint middle = middleOf(*control);
            core.clickAt(middle.x(), middle.y());
            clickAt(middle);
        }
        QCOMPARE(focusName(), idOf(&layout::fieldControl(Field::sharesHeld)));
        QCOMPARE(focusName(), idOf(core.focus()));
        QCOMPARE(field(Field::sharesHeld)->text(), toQString(core.text(Field::sharesHeld)));
        QCOMPARE(static_cast<std::size_t>(field(Field::sharesHeld)->cursorPosition()),
                 core.caret(Field::sharesHeld));
        QCOMPARE(m_window->calculator().keypadTarget(), core.keypadTarget());
        QCOMPARE(core.keypadTarget(), Field::sharesHeld);
    }

    // The mouse puts the caret where it falls; the click handler then puts it at the end.
    void fieldClickPutsTheCaretAtTheEnd()
    {
        typeInto(Field::oldPrice, QStringLiteral("12.5"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QLineEdit *edit = field(Field::oldPrice);
        clickAt(edit->mapTo(m_window.get(), QPoint(3, edit->height() / 2)));
        QCOMPARE(focusName(), idOf(&layout::fieldControl(Field::oldPrice)));
        QCOMPARE(edit->cursorPosition(), 4);
        QVERIFY(!edit->hasSelectedText());
    }

    // Enter (either key) in an entry field starts the calculation as the button does, and
    // leaves the focus in the field.
    void enterStartsTheCalculation_data()
    {
        QTest::addColumn<Field>("where");
        QTest::addColumn<int>("key");
        // The old price, shares held, new price, fee, balance and money to spend; empty:
        // the start-up texts.
        QTest::addColumn<QStringList>("inputs");
        const QStringList inputs{"10", "5000", "8", "1", "2000", "20000"};
        QTest::newRow("Return in buymoney") << Field::moneyToSpend << int(Qt::Key_Return) << inputs;
        QTest::newRow("keypad Enter in oldprice")
            << Field::oldPrice << int(Qt::Key_Enter) << inputs;
        QTest::newRow("Return in souxufei")
            << Field::feePerMille << int(Qt::Key_Return)
            << QStringList{"12.5", "3000", "7.3", "1.5", "1234.5", "10000"};
        QTest::newRow("Return on start-up texts")
            << Field::sharesHeld << int(Qt::Key_Return) << QStringList{};
        QTest::newRow("keypad Enter on a fault") << Field::newPrice << int(Qt::Key_Enter)
                                                 << QStringList{"10", "1000", "0", "1", "500", "0"};
    }

    void enterStartsTheCalculation()
    {
        QFETCH(Field, where);
        QFETCH(int, key);
        QFETCH(QStringList, inputs);

        testing::CoreBackend core;
        const Field order[] = {Field::oldPrice,    Field::sharesHeld, Field::newPrice,
                               Field::feePerMille, Field::balance,    Field::moneyToSpend};
        for (qsizetype i = 0; i < inputs.size(); ++i) {
            core.type(order[i], gui::toU16(inputs[i]));
            typeInto(order[i], inputs[i]);
        }
        core.click(calculateButton());

        QLineEdit *edit = field(where);
        edit->setFocus(Qt::TabFocusReason);
        const Qt::KeyboardModifiers modifiers =
            key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier;
        std::vector<testing::FakeWindow::Message> boxes;
        answeringMessageBoxes(
            [&] { QTest::keyClick(edit, static_cast<Qt::Key>(key), modifiers); },
            [&](QMessageBox &box) {
                boxes.push_back({gui::toU16(box.windowTitle()), gui::toU16(box.text())});
            });

        QCOMPARE(boxes.size(), core.window().messages().size());
        for (std::size_t i = 0; i < boxes.size(); ++i) {
            QCOMPARE(toQString(boxes[i].title), toQString(core::inputErrorTitle));
            QCOMPARE(toQString(boxes[i].body), toQString(core.window().messages()[i].body));
        }
        QCOMPARE(resultLine(), toQString(core.result()));
        for (const Field field : allFields)
            QCOMPARE(this->field(field)->text(), toQString(core.text(field)));
        if (boxes.empty())
            QCOMPARE(QApplication::focusWidget(), edit);
    }

    // Typing into a board's drop-down is done with Return or when the focus leaves it: the
    // calculator reads the text then, once, and the drop-down shows the board in use (the one
    // before, with a message box, for a text that names none). Return there starts no
    // calculation. Opening the list and closing it again is no leaving.
    void boardTypingIsDoneOnReturnOrLeaving_data()
    {
        QTest::addColumn<Stock>("stock");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("done"); // Return, Tab, a click on a field, or the list
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("boxes");
        const QString star = toQString(layout::boardName(Board::star));
        const QString bse = toQString(layout::boardName(Board::bse));
        const QString main = toQString(layout::boardName(Board::main));
        QTest::newRow("a STAR code, Return") << Stock::oldStock << "688001"
                                             << "Return" << star << 0;
        QTest::newRow("a Beijing code, Tab") << Stock::newStock << "830001"
                                             << "Tab" << bse << 0;
        QTest::newRow("a board's name, a click away")
            << Stock::oldStock << star << "click" << star << 0;
        QTest::newRow("no board, Return") << Stock::newStock << "abc"
                                          << "Return" << main << 1;
        QTest::newRow("no board, Tab") << Stock::oldStock << "abc"
                                       << "Tab" << main << 1;
        QTest::newRow("the list opened and closed") << Stock::oldStock << "abc"
                                                    << "list"
                                                    << "abc" << 0;
    }

    void boardTypingIsDoneOnReturnOrLeaving()
    {
        QFETCH(Stock, stock);
        QFETCH(QString, typed);
        QFETCH(QString, done);
        QFETCH(QString, shown);
        QFETCH(int, boxes);
        // Inputs a calculation would answer, so that one started by mistake shows.
        const Field order[] = {Field::oldPrice, Field::sharesHeld, Field::newPrice, Field::balance,
                               Field::moneyToSpend};
        const QStringList inputs{"10", "5000", "8", "2000", "20000"};
        for (qsizetype i = 0; i < inputs.size(); ++i)
            typeInto(order[i], inputs[i]);
        const QString result = resultLine();

        auto *list =
            qobject_cast<QComboBox *>(m_window->controls().widget(layout::boardControl(stock)));
        list->setFocus(Qt::TabFocusReason);
        // As an input method hands it over: Qt Test types no Chinese.
        QInputMethodEvent commit;
        commit.setCommitString(typed);
        QCoreApplication::sendEvent(list, &commit);
        const auto finish = [&] {
            if (done == QLatin1String("Return")) {
                QTest::keyClick(list, Qt::Key_Return);
            } else if (done == QLatin1String("Tab")) {
                QTest::keyClick(list, Qt::Key_Tab);
            } else if (done == QLatin1String("click")) {
                clickAt(middleOf(layout::fieldControl(Field::balance)));
            } else {
                list->showPopup();
                QTest::keyClick(list->view(), Qt::Key_Escape);
            }
        };
        QCOMPARE(answeringMessageBoxes(finish), boxes);
        QCOMPARE(list->currentText(), shown);
        QCOMPARE(resultLine(), result);
        QVERIFY(!list->view()->isVisible());
        // Leaving once more, with nothing typed since, reads nothing.
        list->setFocus(Qt::TabFocusReason);
        QCOMPARE(answeringMessageBoxes([&] { field(Field::balance)->setFocus(); }),
                 done == QLatin1String("list") ? 1 : 0);
    }

    // Return or the keypad's Enter on a focused button presses it as a click does: the same
    // fields, result line, message boxes and keypad field as the core after a click, and the
    // focus left on the button, the keys of the keypad included.
    void enterPressesTheFocusedButton_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("key");
        const std::pair<int, const char *> keys[] = {{Qt::Key_Return, "Return"},
                                                     {Qt::Key_Enter, "keypad Enter"}};
        for (const layout::Control &control : layout::controls()) {
            if (control.kind != layout::Kind::button)
                continue;
            for (const auto &[key, keyName] : keys)
                QTest::newRow((std::string(keyName) + " on " + std::string(control.id)).c_str())
                    << static_cast<int>(layout::positionOf(control)) << key;
        }
    }

    void enterPressesTheFocusedButton()
    {
        QFETCH(int, position);
        QFETCH(int, key);
        const layout::Control &button = layout::controls()[static_cast<std::size_t>(position)];

        // Fields that a calculation accepts, and the keypad aimed at the shares held.
        testing::CoreBackend core;
        const std::pair<Field, QString> inputs[] = {{Field::oldPrice, "10"},
                                                    {Field::sharesHeld, "5000"},
                                                    {Field::newPrice, "8"},
                                                    {Field::balance, "2000"},
                                                    {Field::moneyToSpend, "20000"}};
        for (const auto &[where, text] : inputs) {
            core.type(where, gui::toU16(text));
            typeInto(where, text);
        }
        const layout::Control &target = layout::fieldControl(Field::sharesHeld);
        core.click(target);
        clickAt(middleOf(target));
        while (core.focus() != &button)
            core.tab();
        while (QApplication::focusWidget() != m_window->controls().widget(button))
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);

        std::vector<testing::FakeWindow::Message> boxes;
        core.click(button);
        const Qt::KeyboardModifiers modifiers =
            key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier;
        answeringMessageBoxes(
            [&] {
                QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(key), modifiers);
            },
            [&](QMessageBox &box) {
                boxes.push_back({gui::toU16(box.windowTitle()), gui::toU16(box.text())});
            });

        QCOMPARE(boxes.size(), core.window().messages().size());
        for (std::size_t i = 0; i < boxes.size(); ++i)
            QCOMPARE(toQString(boxes[i].body), toQString(core.window().messages()[i].body));
        QCOMPARE(resultLine(), toQString(core.result()));
        for (const Field field : allFields)
            QCOMPARE(this->field(field)->text(), toQString(core.text(field)));
        QCOMPARE(m_window->calculator().keypadTarget(), core.keypadTarget());
        // The window's own focus: a modal window the button opened holds the desktop's.
        const QWidget *after = m_window->focusWidget();
        QCOMPARE(after ? after->objectName() : QStringLiteral("none"), idOf(core.window().focus()));
        QCOMPARE(after, m_window->controls().widget(button));
    }

    // Enter with Ctrl or Shift held is not a press, and a held Enter presses once.
    void onlyAPlainEnterPressesAButton_data()
    {
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<bool>("autoRepeat");
        QTest::addColumn<int>("presses");
        QTest::newRow("plain") << int(Qt::NoModifier) << false << 1;
        QTest::newRow("Ctrl") << int(Qt::ControlModifier) << false << 0;
        QTest::newRow("Shift") << int(Qt::ShiftModifier) << false << 0;
        QTest::newRow("repeat of a held key") << int(Qt::NoModifier) << true << 0;
    }

    void onlyAPlainEnterPressesAButton()
    {
        QFETCH(int, modifiers);
        QFETCH(bool, autoRepeat);
        QFETCH(int, presses);
        QWidget *button = m_window->controls().widget(*layout::controlFor(Reset{ResetGroup::all}));
        QLineEdit *field = m_window->controls().field(Field::oldPrice);
        field->setText(QStringLiteral("12"));
        button->setFocus(Qt::TabFocusReason);
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Return,
                        static_cast<Qt::KeyboardModifiers>(modifiers), QString(), autoRepeat);
        QApplication::sendEvent(button, &press);
        // 全部重置 sets the field back to its start-up text.
        const QString startUp = toQString(layout::fieldControl(Field::oldPrice).text);
        QCOMPARE(field->text() == startUp ? 1 : 0, presses);
    }

    // The instructions box: the core's title and text as plain text, no icon, one button that
    // reads 确定 with Qt's Chinese texts, modal over the window.
    void messageBoxHasOneOkButtonAndNoIcon()
    {
        const QString result = resultLine();
        SeenBox seen;
        const int boxes = answeringMessageBoxes(
            [&] { clickAt(middleOf(*layout::controlFor(ShowInstructions{}))); },
            [&](QMessageBox &box) {
                seen.icon = box.icon();
                for (QAbstractButton *button : box.buttons())
                    seen.buttons << button->text();
                seen.standardButtons = box.standardButtons();
                seen.title = box.windowTitle();
                seen.text = box.text();
                seen.format = box.textFormat();
                seen.modality = box.windowModality();
                seen.owner = box.parentWidget();
            });
        QCOMPARE(boxes, 1);
        QCOMPARE(seen.icon, QMessageBox::NoIcon);
        QCOMPARE(seen.buttons, QStringList{QStringLiteral("确定")});
        QCOMPARE(seen.standardButtons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QCOMPARE(seen.title, toQString(core::instructionsTitle));
        QCOMPARE(seen.text, toQString(core::instructionsBody));
        QCOMPARE(seen.format, Qt::PlainText);
        QCOMPARE(seen.modality, Qt::ApplicationModal);
        QCOMPARE(seen.owner, m_window.get());
        QVERIFY(!QApplication::activeModalWidget());
        QCOMPARE(resultLine(), result);
    }

private:
    QLineEdit *field(Field field) const { return m_window->controls().field(field); }
    QString resultLine() const { return m_window->controls().resultLine()->text(); }

    // A left click at a client pixel, delivered by the window to the widget it finds there.
    void clickAt(QPoint point)
    {
        QTest::mouseClick(m_window->windowHandle(), Qt::LeftButton, {}, point);
    }

    // Tab into the field, select everything, type the text key by key.
    void typeInto(Field field, const QString &text)
    {
        QLineEdit *edit = this->field(field);
        edit->setFocus(Qt::TabFocusReason);
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(edit, text);
        QCOMPARE(edit->text(), text);
    }

    std::unique_ptr<gui::MainWindow> m_window;
};

} // namespace ostrel::test

QTEST_MAIN(ostrel::test::EventsTest)
#include "events_test.moc"
