// Real mouse and keyboard events on the window, checked against the core played through the
// test double: the tab order, clicks where controls overlap, the keypad's focus, Enter in a
// field, the caret after a click, and the message box.
#include "support.h"

#include "calc/validation.h"
#include "core_backend.h"
#include "form/layout.h"
#include "help/help.h"
#include "qt/text.h"
#include "qt/widgets.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>

#include <optional>
#include <string>
#include <vector>

namespace ostrel::test {
namespace {

using gui::toQString;

QString focusName()
{
    const QWidget *focus = QApplication::focusWidget();
    return focus ? focus->objectName() : QStringLiteral("none");
}

QPoint middleOf(std::string_view control)
{
    const form::Rect place = form::clientPixels(*form::findControl(control));
    return {place.left + place.width / 2, place.top + place.height / 2};
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

    void tabWalksTheTableOrderAndWraps()
    {
        QStringList expected;
        for (const form::Control *control : form::tabOrder())
            expected << QString::fromStdString(control->qualifiedName());
        expected << expected.first();
        QStringList walked{focusName()};
        for (std::size_t i = 0; i < form::tabOrder().size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            walked << focusName();
        }
        QCOMPARE(walked, expected);
    }

    void shiftTabWalksBack()
    {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ShiftModifier);
        QCOMPARE(focusName(), QString::fromStdString(form::tabOrder().back()->qualifiedName()));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(focusName(), QStringLiteral("oldprice"));
    }

    // A click through the window goes to the control on top, as the core's hit test says.
    void clickReachesTheTopmostControl_data()
    {
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<QString>("pressed");
        QTest::newRow("Command5 inside Frame2") << QPoint(480, 110) << "Command5";
        QTest::newRow("Command5's middle") << middleOf("Command5") << "Command5";
        QTest::newRow("Command4 over Label1") << QPoint(212, 110) << "Command4(0)";
        QTest::newRow("Command2") << middleOf("Command2") << "Command2";
    }

    void clickReachesTheTopmostControl()
    {
        QFETCH(QPoint, point);
        QFETCH(QString, pressed);
        play::CoreBackend core;
        core.clickAt(point.x(), point.y());
        QCOMPARE(QString::fromStdString(core.focus()), pressed);

        clickAt(point);
        QCOMPARE(focusName(), pressed);
        QCOMPARE(m_window->controls().label("xsall")->text(), toQString(core.result()));
    }

    void keypadClickLeavesTheFocusInTheField()
    {
        play::CoreBackend core;
        const std::string keys[] = {"buy6", "Command3(7)", "Command3(10)", "Command3(0)"};
        for (const std::string &key : keys) {
            core.clickAt(middleOf(key).x(), middleOf(key).y());
            clickAt(middleOf(key));
        }
        QCOMPARE(focusName(), QStringLiteral("buy6"));
        QCOMPARE(focusName(), QString::fromStdString(core.focus()));
        QCOMPARE(field(Field::buy6)->text(), toQString(core.text(Field::buy6)));
        QCOMPARE(static_cast<std::size_t>(field(Field::buy6)->cursorPosition()),
                 core.caret(Field::buy6));
        QCOMPARE(m_window->form().state().goText1, core.goText1());
    }

    // The mouse puts the caret where it falls; the click handler then puts it at the end.
    void fieldClickPutsTheCaretAtTheEnd()
    {
        typeInto(Field::oldprice, QStringLiteral("12.5"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QLineEdit *edit = field(Field::oldprice);
        clickAt(edit->mapTo(m_window.get(), QPoint(3, edit->height() / 2)));
        QCOMPARE(focusName(), QStringLiteral("oldprice"));
        QCOMPARE(edit->cursorPosition(), 4);
        QVERIFY(!edit->hasSelectedText());
    }

    // Enter (either key) in an entry field starts the calculation as the button does, and
    // leaves the focus in the field.
    void enterStartsTheCalculation_data()
    {
        QTest::addColumn<QString>("where");
        QTest::addColumn<int>("key");
        QTest::addColumn<QStringList>("inputs"); // oldprice, buy6, newprice, souxufei,
                                                 // savemoney, buymoney; empty: start-up texts
        const QStringList inputs{"10", "5000", "8", "1", "2000", "20000"};
        QTest::newRow("Return in buymoney") << "buymoney" << int(Qt::Key_Return) << inputs;
        QTest::newRow("keypad Enter in oldprice") << "oldprice" << int(Qt::Key_Enter) << inputs;
        QTest::newRow("Return in souxufei")
            << "souxufei" << int(Qt::Key_Return)
            << QStringList{"12.5", "3000", "7.3", "1.5", "1234.5", "10000"};
        QTest::newRow("Return on start-up texts") << "buy6" << int(Qt::Key_Return) << QStringList{};
        QTest::newRow("keypad Enter on a fault")
            << "newprice" << int(Qt::Key_Enter) << QStringList{"10", "1000", "0", "1", "500", "0"};
    }

    void enterStartsTheCalculation()
    {
        QFETCH(QString, where);
        QFETCH(int, key);
        QFETCH(QStringList, inputs);

        play::CoreBackend core;
        const Field order[] = {Field::oldprice, Field::buy6,      Field::newprice,
                               Field::souxufei, Field::savemoney, Field::buymoney};
        for (qsizetype i = 0; i < inputs.size(); ++i) {
            core.type(order[i], gui::toU16(inputs[i]));
            typeInto(order[i], inputs[i]);
        }
        core.click(*form::findControl("Command1"));

        QLineEdit *edit = field(*fieldNamed(where.toStdString()));
        edit->setFocus(Qt::TabFocusReason);
        const Qt::KeyboardModifiers modifiers =
            key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier;
        std::vector<play::FakeWindow::Message> boxes;
        answeringMessageBoxes(
            [&] { QTest::keyClick(edit, static_cast<Qt::Key>(key), modifiers); },
            [&](QMessageBox &box) {
                boxes.push_back({gui::toU16(box.windowTitle()), gui::toU16(box.text())});
            });

        QCOMPARE(boxes.size(), core.window().messages().size());
        for (std::size_t i = 0; i < boxes.size(); ++i) {
            QCOMPARE(toQString(boxes[i].title), toQString(calc::inputErrorTitle));
            QCOMPARE(toQString(boxes[i].body), toQString(core.window().messages()[i].body));
        }
        QCOMPARE(m_window->controls().label("xsall")->text(), toQString(core.result()));
        for (const Field field : allFields)
            QCOMPARE(this->field(field)->text(), toQString(core.text(field)));
        if (boxes.empty())
            QCOMPARE(focusName(), where);
    }

    // The instructions box: the core's title and text as plain text, no icon, one button that
    // reads 确定 with Qt's Chinese texts, modal over the window.
    void messageBoxHasOneOkButtonAndNoIcon()
    {
        const QString result = m_window->controls().label("xsall")->text();
        SeenBox seen;
        const int boxes = answeringMessageBoxes([&] { clickAt(middleOf("C44")); },
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
        QCOMPARE(seen.title, toQString(help::instructionsTitle));
        QCOMPARE(seen.text, toQString(help::instructionsBody));
        QCOMPARE(seen.format, Qt::PlainText);
        QCOMPARE(seen.modality, Qt::ApplicationModal);
        QCOMPARE(seen.owner, m_window.get());
        QVERIFY(!QApplication::activeModalWidget());
        QCOMPARE(m_window->controls().label("xsall")->text(), result);
    }

private:
    QLineEdit *field(Field field) const { return m_window->controls().field(field); }

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
