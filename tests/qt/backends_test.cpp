// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The player's two backends side by side: every scenario here is played through the core
// with the test double and through the real window with real events, and the transcripts
// must be the same byte for byte. The scenarios reach where the golden ones do not: texts
// past the field limit, every kind of character, a click on every few pixels of the window,
// the fee settings and the detail, and the window's description of itself after each of them.
#include "support.h"

#include "core_backend.h"
#include "qt_backend.h"
#include "scenario.h"
#include "window_table.h"

#include <QTest>

#include <sstream>
#include <string>

namespace ostrel::test {
namespace {

struct Played {
    int status = 0;
    std::string out;
    std::string err;
};

Played play(testing::Backend &backend, std::ostringstream &out, const std::string &scenario)
{
    std::istringstream in(scenario);
    std::ostringstream err;
    Played played;
    played.status = play::playScenario(in, backend, out, err);
    played.out = out.str();
    played.err = err.str();
    return played;
}

// The first line where two transcripts part, with its number.
QString firstDifference(const std::string &expected, const std::string &actual)
{
    std::istringstream a(expected), b(actual);
    std::string lineA, lineB;
    for (int number = 1;; ++number) {
        const bool moreA = static_cast<bool>(std::getline(a, lineA));
        const bool moreB = static_cast<bool>(std::getline(b, lineB));
        if (!moreA && !moreB)
            return {};
        if (moreA != moreB || lineA != lineB)
            return QStringLiteral("line %1\n  core: %2\n  qt:   %3")
                .arg(number)
                .arg(QString::fromStdString(moreA ? lineA.substr(0, 200) : "<end>"),
                     QString::fromStdString(moreB ? lineB.substr(0, 200) : "<end>"));
    }
}

std::string repeated(std::size_t count, const std::string &unit)
{
    std::string text;
    for (std::size_t i = 0; i < count; ++i)
        text += unit;
    return text;
}

constexpr std::size_t limit = layout::maxTextLength; // the most a field holds

constexpr char calculationSteps[] = "type oldprice 10\ntype buy6 5000\ntype newprice 8\n"
                                    "type savemoney 2000\ntype buymoney 20000\nclick Command1\n";

} // namespace

class BackendsTest : public QObject {
    Q_OBJECT

private slots:
    void scenarios_data()
    {
        QTest::addColumn<QByteArray>("scenario");
        QTest::addColumn<int>("status"); // the status both must end with
        const auto row = [](const char *name, const std::string &scenario,
                            int status = play::exitOk) {
            QTest::newRow(name) << QByteArray::fromStdString(scenario) << status;
        };
        // Everything the scenario reads back, down to every widget's caption, place and font.
        const std::string look = "show\ncaret oldprice\ncaret buy6\ncaret newprice\n"
                                 "caret souxufei\ncaret savemoney\ncaret buymoney\ndescribe\n";

        row("the window as it opens", look);
        row("a field full to the last character",
            "type oldprice " + std::string(limit, '5') + "\n" + look);
        row("one character too many", "type buy6 " + std::string(limit + 1, '6') + "\n" + look);
        row("far too long, then the keypad",
            "type savemoney " + std::string(40000, '7') +
                "\nclick savemoney\n"
                "click Command3(1)\nclick Command3(11)\nclick Command3(11)\n" +
                look);
        row("an emoji across the limit", "type newprice " + std::string(limit - 1, '1') + "😀2\n" +
                                             look + "click newprice\nclick Command3(11)\n" + look);
        row("empty texts", "type oldprice \ntype buymoney \nclick buymoney\n" + look +
                               "click oldprice\nclick Command3(11)\n" + look);
        row("tabs, blanks, full width, Chinese and emoji",
            "type oldprice \t1\t\ntype buy6  100 \ntype newprice ５．２\ntype souxufei 千分之一\n"
            "type savemoney 😀😀\ntype buymoney 1\t000\n" +
                look + "click savemoney\nclick Command3(11)\n" + look + "click Command1\n" + look);
        row("bytes that are not UTF-8", "type oldprice \xff\xfe"
                                        "12\ntype buy6 1\xc3\ntype newprice \xe2\x82\n"
                                        "type souxufei \xed\xa0\x80\n" +
                                            look + "click Command1\n" + look);
        row("Tab all the way round twice",
            repeated(2 * layout::tabOrder().size() + 1, "tab\nshow\n") + "describe\n");
        row("boards chosen, typed, refused and reset",
            "board new star\nboard old 688001\nshow\nboard old abc\nboard new 北交所\n"
            "board old 830001 \nclick newBoard\n" +
                look +
                "accessible\nclick Command4(0)\nshow\nboard old star\nclick Command5\n"
                "show\nclick Command2\nshow\n");
        row("a faulty line stops both", "type buy6 7\nshow\nclickat 534 0\nshow\n",
            play::exitScenarioError);

        // A click every few pixels over the whole window, with inputs that make the
        // calculation succeed until a reset clears them, and faults after that.
        std::string everywhere = "type oldprice 10\ntype buy6 5000\ntype newprice 8\n"
                                 "type savemoney 2000\ntype buymoney 20000\n";
        for (int y = 1; y < 380; y += 8) {
            for (int x = 1; x < 534; x += 8) {
                // A modal window that a click opens is closed again, so that the next click
                // reaches the main window.
                everywhere +=
                    "clickat " + std::to_string(x) + " " + std::to_string(y) + "\ndismiss\nshow\n";
            }
        }
        row("a click every eighth pixel", everywhere + "describe\n");

        // The window as it stands after the fee settings and the detail have come and gone
        // (the golden scenarios play the dialogs themselves).
        row("after the modal windows", "fees itemised 3 5 5 0.1\n" + std::string(calculationSteps) +
                                           "detail\nclick feeSettings\nclick settingsCancel\n"
                                           "fees simple\n" +
                                           look);
    }

    void scenarios()
    {
        QFETCH(QByteArray, scenario);
        const std::string text = scenario.toStdString();

        std::ostringstream coreOut;
        testing::CoreBackend core(play::messagePrinter(coreOut));
        const Played byCore = play(core, coreOut, text);

        const auto window = openWindow();
        std::ostringstream qtOut;
        play::QtBackend qt(*window, play::messagePrinter(qtOut));
        const Played byQt = play(qt, qtOut, text);

        QVERIFY2(byQt.out == byCore.out, qPrintable(firstDifference(byCore.out, byQt.out)));
        QCOMPARE(QString::fromStdString(byQt.err), QString::fromStdString(byCore.err));
        QCOMPARE(byQt.status, byCore.status);
        QFETCH(int, status);
        QCOMPARE(byCore.status, status);
    }
};

} // namespace ostrel::test

QTEST_MAIN(ostrel::test::BackendsTest)
#include "backends_test.moc"
