// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The fee settings and the detail of a calculation, each a modal window in front of the
// calculator's: opened without a loop of their own, blocking the main window while open, closed
// only by the calculator, Escape and the close button included; the per-mille field greyed
// with its text kept, the note of the fee model, and the copy of the detail, each against the
// core played through the test double.
#include "support.h"

#include "core_backend.h"
#include "fee_windows.h"
#include "qt_backend.h"
#include "qt_window.h"
#include "scenario.h"
#include "widgets.h"
#include "window_table.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QImage>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <sstream>
#include <string>
#include <vector>

namespace ostrel::test {
namespace {

using gui::toQString;

// The inputs of a calculation that succeeds, and the calculation.
constexpr char calculation[] = "type oldprice 10\ntype buy6 5000\ntype newprice 8\n"
                               "type savemoney 2000\ntype buymoney 20000\nclick Command1\n";

// Which of the two modal windows a row opens, by the main window's button for it.
enum class Which { feeSettings, detail };

const layout::WindowDescription &descriptionOf(Which which)
{
    return which == Which::feeSettings ? layout::feeSettingsWindow() : layout::detailWindow();
}

const char *buttonFor(Which which)
{
    return which == Which::feeSettings ? "feeSettings" : "detail";
}

// How the user asks a modal window to close without pressing one of its buttons.
enum class Dismissal { escape, closeButton };

void play(testing::Backend &backend, const std::string &scenario)
{
    std::istringstream in(scenario);
    std::ostringstream out, err;
    const int status = play::playScenario(in, backend, out, err);
    if (status != play::exitOk)
        qFatal("the scenario failed: %s", err.str().c_str());
}

// Qt counts a modal window's owner as active while the modal window is, so only the
// application's active window tells which of them the keyboard reaches.
bool hasTheKeyboard(QWidget *window)
{
    return QTest::qWaitFor([window] { return window->isActiveWindow(); });
}

void deleteClosedWindows()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

const layout::Control &dialogControl(Which which, const char *id)
{
    return *descriptionOf(which).findControl(id);
}

} // namespace

class DialogsTest : public QObject {
    Q_OBJECT

private slots:
    void init() { m_window = openWindow(); }
    void cleanup()
    {
        m_window.reset();
        deleteClosedWindows();
    }

    void opensModalWithoutBlocking_data()
    {
        QTest::addColumn<Which>("which");
        QTest::newRow("fee settings") << Which::feeSettings;
        QTest::newRow("detail") << Which::detail;
    }

    // The click that opens a modal window returns while the window is open, and the window is
    // drawn from its description: title, fixed size, and every control in its place.
    void opensModalWithoutBlocking()
    {
        QFETCH(Which, which);
        const layout::WindowDescription &description = descriptionOf(which);
        bool clickReturned = false;
        bool loopInsideClick = false;
        // Runs only in a loop started inside the click, which then must not hang the test.
        QTimer::singleShot(0, m_window.get(), [&] {
            loopInsideClick = !clickReturned;
            if (loopInsideClick && QApplication::activeModalWidget())
                QApplication::activeModalWidget()->hide();
        });
        QTest::mouseClick(widget(buttonFor(which)), Qt::LeftButton);
        clickReturned = true;
        QVERIFY(!loopInsideClick);

        gui::QtDialog *dialog = m_window->dialog();
        QVERIFY(dialog);
        QCOMPARE(&dialog->controls().description(), &description);
        QVERIFY(dialog->isVisible());
        QCOMPARE(dialog->windowModality(), Qt::ApplicationModal);
        QCOMPARE(dialog->parentWidget(), m_window.get());
        QCOMPARE(dialog->windowTitle(), toQString(description.look().caption));
        const QSize size(description.clientWidthPixels(), description.clientHeightPixels());
        QCOMPARE(dialog->size(), size);
        QCOMPARE(dialog->minimumSize(), size);
        QCOMPARE(dialog->maximumSize(), size);
        QVERIFY(hasTheKeyboard(dialog));
        QCOMPARE(QApplication::activeModalWidget(), dialog);
        for (const layout::Control &control : description.controls()) {
            QWidget *shown = dialog->controls().widget(control);
            QCOMPARE(shown->objectName(), toQString(control.id));
            QCOMPARE(shown->window(), dialog);
            QCOMPARE(shown->geometry(), gui::toQRect(layout::toPixels(control.twips)));
        }
    }

    void everyCaptionShows_data()
    {
        QTest::addColumn<Which>("which");
        QTest::addColumn<int>("position");
        for (const Which which : {Which::feeSettings, Which::detail}) {
            const layout::WindowDescription &description = descriptionOf(which);
            for (const layout::Control &control : description.controls()) {
                if (control.kind != layout::Kind::button && !control.text.empty())
                    QTest::newRow(std::string(control.id).c_str())
                        << which << static_cast<int>(description.positionOf(control));
            }
        }
    }

    // Each caption, the choices' and the box's included, leaves ink within its place on a
    // face of its own colour, the window's.
    void everyCaptionShows()
    {
        QFETCH(Which, which);
        QFETCH(int, position);
        QTest::mouseClick(widget(buttonFor(which)), Qt::LeftButton);
        QVERIFY(m_window->dialog());
        const layout::Control &control =
            descriptionOf(which).controls()[static_cast<std::size_t>(position)];
        QWidget *shown = m_window->dialog()->controls().widget(control);
        const QImage picture = shown->grab().toImage();
        const QColor face = shown->palette().color(shown->backgroundRole());
        QCOMPARE(face, QColor(Qt::white));
        int ink = 0;
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x)
                ink += picture.pixelColor(x, y) != face ? 1 : 0;
        }
        QVERIFY2(ink > 0, "nothing of the caption is drawn");
    }

    void mainWindowTakesNoInputWhileOpen_data() { opensModalWithoutBlocking_data(); }

    // Clicks and keys reach the main window through the desktop as a user's do, and Qt holds
    // them back while the modal window is open: nothing is pressed nor typed, no box opens.
    void mainWindowTakesNoInputWhileOpen()
    {
        QFETCH(Which, which);
        QTest::mouseClick(widget(buttonFor(which)), Qt::LeftButton);
        QVERIFY(m_window->dialog());
        QVERIFY(hasTheKeyboard(m_window->dialog()));

        auto *calculate = qobject_cast<QAbstractButton *>(widget("Command1"));
        QSignalSpy pressed(calculate, &QAbstractButton::clicked);
        const QString before = m_window->controls().field(Field::oldPrice)->text();
        QWindow *main = m_window->windowHandle();
        const int boxes = answeringMessageBoxes([&] {
            QTest::mouseClick(main, Qt::LeftButton, {}, middleOf(*layout::findControl("Command1")));
            QTest::mouseClick(main, Qt::LeftButton, {}, middleOf(*layout::findControl("oldprice")));
            QTest::keyClick(main, Qt::Key_5);
            QTest::keyClick(main, Qt::Key_Return);
        });
        QCOMPARE(boxes, 0);
        QCOMPARE(pressed.count(), 0);
        QCOMPARE(m_window->controls().field(Field::oldPrice)->text(), before);
        QVERIFY(m_window->dialog());
    }

    void dismissingAsksTheCalculator_data()
    {
        QTest::addColumn<Dismissal>("dismissal");
        QTest::newRow("Escape") << Dismissal::escape;
        QTest::newRow("title bar's close button") << Dismissal::closeButton;
    }

    // Escape and the close button run CloseDialog and nothing else; the window stays until the
    // calculator closes it, then goes, and the main window is active again.
    void dismissingAsksTheCalculator()
    {
        QFETCH(Dismissal, dismissal);
        std::vector<Action> asked;
        QPointer<gui::QtDialog> dialog = new gui::QtDialog(
            layout::detailWindow(), [&](const Action &action) { asked.push_back(action); },
            *m_window);
        dialog->show();
        dialog->activateWindow();
        QVERIFY(hasTheKeyboard(dialog));
        if (dismissal == Dismissal::escape) {
            QWidget *focus = QApplication::focusWidget();
            QTest::keyClick(focus ? focus : dialog.data(), Qt::Key_Escape);
        } else {
            dialog->windowHandle()->close();
        }
        QVERIFY(asked == std::vector<Action>{CloseDialog{}});
        QVERIFY(dialog->isVisible());
        QVERIFY(!dialog->isClosed());

        dialog->close();
        QVERIFY(dialog);
        QVERIFY(!dialog->isVisible());
        QVERIFY(dialog->isClosed());
        deleteClosedWindows();
        QVERIFY(dialog.isNull());
        QVERIFY(hasTheKeyboard(m_window.get()));
    }

    // Escape in the fee settings leaves them as they were: nothing is saved, the model stays,
    // and the focus is back on the button that opened them.
    void escapeInSettingsSavesNothing()
    {
        QTest::mouseClick(widget("feeSettings"), Qt::LeftButton);
        gui::QtDialog *dialog = m_window->dialog();
        QVERIFY(dialog);
        QVERIFY(hasTheKeyboard(dialog));
        clickMark(dialogWidget(Which::feeSettings, "itemisedModel"));
        QVERIFY(dialog->isChecked(dialogControl(Which::feeSettings, "itemisedModel")));
        QWidget *rate = dialogWidget(Which::feeSettings, "commissionRate");
        rate->setFocus();
        QTest::keyClick(rate, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(rate, QStringLiteral("9"));
        QTest::keyClick(rate, Qt::Key_Escape);

        QVERIFY(!m_window->dialog());
        QCOMPARE(m_window->calculator().feeSettings().model, FeeModel::perMille);
        QVERIFY(!QFileInfo::exists(m_window->settingsStore().fileName()));
        QVERIFY(hasTheKeyboard(m_window.get()));
        QCOMPARE(QApplication::focusWidget(), widget("feeSettings"));
    }

    // Return in a rate presses 确定 once, and only that: a faulty rate gets one box, in front
    // of the settings, which stay open; a sound one is saved and closes them.
    void returnInARatePressesOkOnce()
    {
        QTest::mouseClick(widget("feeSettings"), Qt::LeftButton);
        gui::QtDialog *dialog = m_window->dialog();
        QVERIFY(dialog);
        QVERIFY(hasTheKeyboard(dialog));
        auto *rate = qobject_cast<QLineEdit *>(dialogWidget(Which::feeSettings, "commissionRate"));
        rate->setFocus();
        rate->setText(QStringLiteral("-1"));
        QWidget *boxOwner = nullptr;
        const int faults =
            answeringMessageBoxes([&] { QTest::keyClick(rate, Qt::Key_Return); },
                                  [&](QMessageBox &box) { boxOwner = box.parentWidget(); });
        QCOMPARE(faults, 1);
        QCOMPARE(boxOwner, dialog);
        QCOMPARE(m_window->dialog(), dialog);

        rate->setText(QStringLiteral("3"));
        const int more = answeringMessageBoxes([&] { QTest::keyClick(rate, Qt::Key_Return); });
        QCOMPARE(more, 0);
        QVERIFY(!m_window->dialog());
        const auto stored = m_window->settingsStore().load();
        QVERIFY(stored);
        QCOMPARE(toQString(stored->at("commissionRate")), QStringLiteral("3"));
    }

    // The radio buttons exclude each other, and the calculator may still uncheck both; a click
    // ticks the box before its action runs, so the action sees the new state.
    void choicesAndTheBox()
    {
        const layout::Control &perMille = dialogControl(Which::feeSettings, "perMilleModel");
        const layout::Control &itemised = dialogControl(Which::feeSettings, "itemisedModel");
        const layout::Control &waiver = dialogControl(Which::feeSettings, "waiveMinimum");
        std::vector<bool> tickedWhenRun;
        gui::QtDialog *dialog = nullptr;
        dialog = new gui::QtDialog(
            layout::feeSettingsWindow(),
            [&](const Action &action) {
                if (std::holds_alternative<WaiveMinimum>(action))
                    tickedWhenRun.push_back(dialog->isChecked(waiver));
            },
            *m_window);
        dialog->show();
        dialog->activateWindow();
        QVERIFY(hasTheKeyboard(dialog));

        dialog->setChecked(perMille, true);
        dialog->setChecked(itemised, true);
        QVERIFY(!dialog->isChecked(perMille));
        QVERIFY(dialog->isChecked(itemised));
        dialog->setChecked(itemised, false);
        QVERIFY(!dialog->isChecked(itemised));
        clickMark(dialog->controls().widget(perMille));
        QVERIFY(dialog->isChecked(perMille));

        clickMark(dialog->controls().widget(waiver));
        clickMark(dialog->controls().widget(waiver));
        QCOMPARE(tickedWhenRun, (std::vector<bool>{true, false}));
        dialog->close();
    }

    // The per-mille field is greyed while the itemised model is in use, keeps its text, and is
    // usable again with the per-mille model; the model comes back greyed at the next start.
    void perMilleFieldGreyedInItemisedModel()
    {
        const auto ignoreBoxes = [](std::u16string_view, std::u16string_view) {};
        play::QtBackend real(*m_window, ignoreBoxes);
        QLineEdit *perMille = m_window->controls().field(Field::feePerMille);
        play(real, "type souxufei 1.5\ntab\n");
        const QImage usable = perMille->grab().toImage();
        play(real, "fees itemised 2.5 5 5 0.1\n");
        QVERIFY(!perMille->isEnabled());
        QCOMPARE(perMille->text(), QStringLiteral("1.5"));
        // It looks greyed out too: the desktop's disabled colours, not the usable ones.
        const QImage greyed = perMille->grab().toImage();
        QCOMPARE(greyed.size(), usable.size());
        QVERIFY(greyed != usable);
        const QPalette &colours = perMille->palette();
        QCOMPARE(colours.color(QPalette::Disabled, QPalette::Text),
                 QApplication::palette().color(QPalette::Disabled, QPalette::Text));

        const QString settings = m_window->settingsStore().fileName();
        m_window.reset();
        m_window = openWindow(std::make_unique<gui::QtSettingsStore>(settings));
        QVERIFY(!m_window->controls().field(Field::feePerMille)->isEnabled());

        play::QtBackend again(*m_window, ignoreBoxes);
        play(again, "fees simple\n");
        QVERIFY(m_window->controls().field(Field::feePerMille)->isEnabled());
    }

    void feeModelNote_data()
    {
        QTest::addColumn<QByteArray>("scenario");
        QTest::newRow("at start-up") << QByteArray();
        QTest::newRow("itemised") << QByteArray("fees itemised 3 5 5 0.1\n");
        QTest::newRow("back to per mille") << QByteArray("fees itemised 3 5 5 0.1\nfees simple\n");
    }

    // The note says which model is in use, as the core's does, and a screen reader reads the
    // note's caption as its description.
    void feeModelNote()
    {
        QFETCH(QByteArray, scenario);
        const auto ignoreBoxes = [](std::u16string_view, std::u16string_view) {};
        testing::CoreBackend core(ignoreBoxes);
        play(core, scenario.toStdString());
        play::QtBackend real(*m_window, ignoreBoxes);
        play(real, scenario.toStdString());

        QLabel *note = m_window->controls().feeModelNote();
        QVERIFY(note);
        QCOMPARE(note->text(), toQString(core.window().feeModelNote()));
        QVERIFY(!note->text().isEmpty());
        QAccessibleInterface *face = QAccessible::queryAccessibleInterface(note);
        QCOMPARE(face->text(QAccessible::Description), note->text());
        QCOMPARE(face->text(QAccessible::Name), QStringLiteral("计费方式"));
    }

    void copyingTheDetail_data()
    {
        QTest::addColumn<QByteArray>("scenario");
        QTest::newRow("before any calculation") << QByteArray();
        QTest::newRow("per mille") << QByteArray(calculation);
        QTest::newRow("itemised") << QByteArray("fees itemised 2.5 5 5 0.1\n" +
                                                QByteArray(calculation));
    }

    // 复制 puts the detail's rows on the clipboard as the core has them, one line a row and
    // the cells apart by tabs, and the window shows the same cells and note.
    void copyingTheDetail()
    {
        QFETCH(QByteArray, scenario);
        const std::string steps = scenario.toStdString() + "click detail\nclick copyDetail\n";
        const auto ignoreBoxes = [](std::u16string_view, std::u16string_view) {};
        testing::CoreBackend core(ignoreBoxes);
        play(core, steps);
        QGuiApplication::clipboard()->clear();
        play::QtBackend real(*m_window, ignoreBoxes);
        play(real, steps);

        const QString copied = QGuiApplication::clipboard()->text();
        QCOMPARE(copied, toQString(core.clipboard()));
        // Before any calculation there is one line that says so.
        QCOMPARE(copied.contains(QLatin1Char('\t')), !scenario.isEmpty());
        gui::QtDialog *dialog = m_window->dialog();
        QVERIFY(dialog);
        const testing::FakeDialog *expected = core.window().dialog();
        QVERIFY(expected);
        for (const layout::Control &control : layout::detailWindow().controls()) {
            if (control.kind == layout::Kind::label)
                QCOMPARE(toQString(dialog->text(control)), toQString(expected->text(control)));
        }
    }

private:
    QWidget *widget(const char *id) const
    {
        return m_window->controls().widget(*layout::findControl(id));
    }
    QWidget *dialogWidget(Which which, const char *id) const
    {
        return m_window->dialog()->controls().widget(dialogControl(which, id));
    }
    // A click on a check box's or radio button's mark.
    static void clickMark(QWidget *choice)
    {
        QTest::mouseClick(choice, Qt::LeftButton, {},
                          QPoint(choice->height() / 2, choice->height() / 2));
    }

    std::unique_ptr<gui::MainWindow> m_window;
};

} // namespace ostrel::test

QTEST_MAIN(ostrel::test::DialogsTest)
#include "dialogs_test.moc"
