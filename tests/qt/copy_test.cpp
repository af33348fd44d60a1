// Copying the answer: the result line is selected with the mouse and copied with the copy key
// wherever the keyboard focus is, while the click on it moves no focus and changes no field.
#include "support.h"

#include "qt_text.h"
#include "widgets.h"
#include "window_table.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QWindow>

#include <array>

namespace ostrel::test {
namespace {

// How the user selects the answer.
enum class Selecting { drag, doubleClickThenDrag };

// Where the keyboard focus is when the copy key is pressed.
enum class FocusIn { field, fieldWithSelectedText, button };

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

private:
    QLineEdit *field(Field field) const { return m_window->controls().field(field); }
    QLabel *resultLine() const { return m_window->controls().resultLine(); }

    QStringList fieldTexts() const
    {
        QStringList texts;
        for (const Field each : allFields)
            texts << field(each)->text();
        return texts;
    }

    // From before the first character to past the last, the mouse button held, as the
    // desktop delivers it to the window.
    void dragAcrossTheResultLine()
    {
        QLabel *line = resultLine();
        QWindow *window = m_window->windowHandle();
        const QRect area = line->contentsRect();
        const auto at = [&](QPoint point) { return line->mapTo(m_window.get(), point); };
        QTest::mousePress(window, Qt::LeftButton, {}, at(area.topLeft()));
        QTest::mouseMove(window, at(area.center()));
        QTest::mouseMove(window, at(area.bottomRight()));
        QTest::mouseRelease(window, Qt::LeftButton, {}, at(area.bottomRight()));
    }

    std::unique_ptr<gui::MainWindow> m_window;
};

} // namespace ostrel::test

QTEST_MAIN(ostrel::test::CopyTest)
#include "copy_test.moc"
