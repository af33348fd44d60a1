// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

// ostrel-fuzz: coverage-guided fuzzing of the calculator core. Each input is read as a
// sequence of user actions (see actions.h and README.md), played through the same backend as
// the golden scenarios, and after every action the product's rules are checked; a broken
// rule aborts with a report of the actions that led to it.
#include "actions.h"
#include "core_backend.h"
#include "detail_check.h"
#include "expect.h"
#include "fee_windows.h"
#include "utf8.h"

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <span>
#include <string>
#include <variant>
#include <vector>

namespace {

using namespace ostrel;
using fuzz::slot;
using fuzz::UserAction;
// Processor time of this process: what a handler itself costs, however busy the machine is
// with other work while the fuzzer runs.
struct Clock {
    using duration = std::chrono::microseconds;
    using rep = duration::rep;
    using period = duration::period;
    using time_point = std::chrono::time_point<Clock>;
    static time_point now()
    {
        const double seconds = static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
        return time_point(
            std::chrono::duration_cast<duration>(std::chrono::duration<double>(seconds)));
    }
};

// The longest a handler may take before the window feels stuck, fields at their longest.
constexpr auto handlerLimit = std::chrono::milliseconds(100);
// A busy machine can stretch one measurement; only an action that is slow on every try fails.
constexpr int timingTries = 3;
// Enough for long sessions of use while keeping each input quick to run.
constexpr std::size_t maxActions = 256;

std::string idOf(Field field)
{
    return std::string(layout::fieldControl(field).id);
}

struct Snapshot {
    fuzz::FieldTexts texts;
    std::u16string result;
    Field keypadTarget = Field::oldPrice;
    const layout::Control *focus = nullptr;
    std::size_t messages = 0;
};

Snapshot snapshot(const testing::CoreBackend &backend)
{
    Snapshot shot;
    for (const Field field : allFields)
        shot.texts[slot(field)] = backend.text(field);
    shot.result = backend.result();
    shot.keypadTarget = backend.keypadTarget();
    shot.focus = backend.focus();
    shot.messages = backend.window().messages().size();
    return shot;
}

// What the modal windows that an action opened showed, and whether one stayed open.
struct Glimpse {
    const layout::WindowDescription *dialog = nullptr;        // the modal window opened, if any
    std::vector<std::pair<DetailItem, std::u16string>> cells; // the detail window's cells
    bool leftOpen = false;
};

void glance(testing::CoreBackend &backend, Glimpse &seen)
{
    seen.dialog = backend.openDialog();
    const testing::FakeDialog *dialog = backend.window().dialog();
    if (!dialog)
        return;
    for (const layout::Control &control : seen.dialog->controls()) {
        if (control.detailItem)
            seen.cells.emplace_back(*control.detailItem, dialog->text(control));
    }
}

// A click that opened a modal window is followed by a click on its 取消 or 关闭.
void closeWhatOpened(testing::CoreBackend &backend, Glimpse &seen)
{
    if (!backend.openDialog())
        return;
    glance(backend, seen);
    backend.click(fuzz::closerOf(*seen.dialog));
}

void fillFeeSettings(testing::CoreBackend &backend, const fuzz::FeeDialog &fees, Glimpse &seen)
{
    backend.click(*layout::controlFor(OpenFeeSettings{}));
    seen.dialog = backend.openDialog();
    if (seen.dialog != &layout::feeSettingsWindow())
        return;
    const layout::WindowDescription &dialog = *seen.dialog;
    backend.click(*dialog.controlFor(
        ChooseFeeModel{fees.itemised ? FeeModel::itemised : FeeModel::perMille}));
    if (fees.typesRates) {
        for (std::size_t i = 0; i < fuzz::rateCount; ++i)
            backend.typeInto(*dialog.feeEntryControl(allFeeEntries[i]), fees.rates[i]);
    }
    if (fees.togglesWaiver)
        backend.click(*dialog.controlFor(WaiveMinimum{}));
    if (fees.restoresDefaults)
        backend.click(*dialog.controlFor(RestoreDefaults{}));
    backend.click(fees.cancels ? fuzz::closerOf(dialog) : *dialog.controlFor(AcceptSettings{}));
    // 确定 refused keeps the window open for the user to mend the rates or cancel.
    if (backend.openDialog())
        backend.click(fuzz::closerOf(dialog));
}

void copyDetail(testing::CoreBackend &backend, Glimpse &seen)
{
    backend.click(*layout::controlFor(ShowDetail{}));
    glance(backend, seen);
    if (seen.dialog != &layout::detailWindow())
        return;
    backend.click(*seen.dialog->controlFor(CopyDetail{}));
    backend.click(fuzz::closerOf(*seen.dialog));
}

Glimpse perform(testing::CoreBackend &backend, const UserAction &action)
{
    Glimpse seen;
    switch (action.kind) {
    case UserAction::Kind::type:
        backend.type(action.field, action.text);
        break;
    case UserAction::Kind::click:
        backend.click(*action.control);
        closeWhatOpened(backend, seen);
        break;
    case UserAction::Kind::clickAt:
        backend.clickAt(action.x, action.y);
        closeWhatOpened(backend, seen);
        break;
    case UserAction::Kind::tab:
        backend.tab();
        break;
    case UserAction::Kind::fees:
        fillFeeSettings(backend, action.fees, seen);
        break;
    case UserAction::Kind::detail:
        copyDetail(backend, seen);
        break;
    case UserAction::Kind::board:
        if (action.item)
            backend.chooseBoard(action.stock, *action.item);
        else
            backend.typeBoard(action.stock, action.text);
        break;
    }
    seen.leftOpen = backend.openDialog() != nullptr;
    return seen;
}

// The control a click lands on, none for typing and Tab.
const layout::Control *clickTarget(const UserAction &action)
{
    if (action.kind == UserAction::Kind::click)
        return action.control;
    if (action.kind == UserAction::Kind::clickAt)
        return layout::controlAt(action.x, action.y);
    return nullptr;
}

std::string shown(std::u16string_view text)
{
    constexpr std::size_t most = 120;
    if (text.size() <= most)
        return "\"" + play::toUtf8(text) + "\"";
    return "\"" + play::toUtf8(text.substr(0, most)) + "...\" [" + std::to_string(text.size()) +
           " units]";
}

const bool trace = std::getenv("OSTREL_FUZZ_TRACE") != nullptr;

// The scenario lines of an action, continuation lines indented under the first.
std::string lines(const UserAction &action, bool abbreviate)
{
    std::string text = describe(action, abbreviate);
    for (std::size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 1))
        text.insert(at + 1, "       ");
    return text;
}

// The words of the main window's caption for each fee model, and the field each refusal of
// 确定 names in its message.
std::u16string_view modelCaption(bool itemised)
{
    return itemised ? u"计费：分项" : u"计费：按千分比";
}

std::string stockName(Stock stock)
{
    return stock == Stock::oldStock ? "the old stock" : "the new stock";
}

std::u16string_view faultNamed(fuzz::RateFault fault)
{
    switch (fault) {
    case fuzz::RateFault::commission:
        return u"“佣金 万分之”";
    case fuzz::RateFault::minimum:
        return u"“最低佣金”";
    case fuzz::RateFault::stampDuty:
        return u"“印花税 万分之”";
    case fuzz::RateFault::transferFee:
        return u"“过户费 万分之”";
    case fuzz::RateFault::together:
        return u"合计";
    case fuzz::RateFault::none:
        break;
    }
    return {};
}

class Session {
public:
    explicit Session(std::span<const std::uint8_t> bytes)
        : m_bytes(bytes)
    {
    }

    void run()
    {
        fuzz::ActionReader reader(m_bytes);
        while (m_index < maxActions) {
            const auto action = reader.next();
            if (!action)
                break;
            const Snapshot before = snapshot(m_backend);
            const auto start = Clock::now();
            const Glimpse seen = perform(m_backend, *action);
            const auto took = Clock::now() - start;
            if (trace)
                std::fprintf(stderr, "%5zu  %8.3f ms  %s\n", m_index + 1,
                             std::chrono::duration<double, std::milli>(took).count(),
                             lines(*action, true).c_str());
            check(*action, before, snapshot(m_backend), seen);
            if (took > handlerLimit)
                checkTiming(*action);
            ++m_index;
        }
    }

private:
    [[noreturn]] void fail(const std::string &why) const
    {
        std::fprintf(stderr, "\n==== broken rule at action %zu: %s\n==== actions:\n", m_index + 1,
                     why.c_str());
        fuzz::ActionReader reader(m_bytes);
        for (std::size_t i = 0; i <= m_index; ++i) {
            const auto action = reader.next();
            std::fprintf(stderr, "%5zu  %s\n", i + 1, lines(*action, true).c_str());
        }
        if (const char *path = std::getenv("OSTREL_FUZZ_SCENARIO"))
            writeScenario(path);
        std::abort();
    }

    // The actions up to the failing one as a scenario for ostrel-play, texts in full.
    void writeScenario(const char *path) const
    {
        std::ofstream out(path, std::ios::binary);
        fuzz::ActionReader reader(m_bytes);
        for (std::size_t i = 0; i <= m_index; ++i)
            out << describe(*reader.next(), false) << '\n';
        out << "show\n";
        std::fprintf(stderr, "==== scenario written to %s\n", path);
    }

    void expect(bool holds, const std::string &why) const
    {
        if (!holds)
            fail(why);
    }

    void check(const UserAction &action, const Snapshot &before, const Snapshot &after,
               const Glimpse &seen)
    {
        expect(after.keypadTarget != Field::plannedShares,
               "the keypad edits the hidden planned-shares field");
        expect(!seen.leftOpen, "a modal window stayed open after " + describe(action, true));

        const layout::Control *target = clickTarget(action);
        const Action clicked = target ? target->action : Action{NoAction{}};
        const std::size_t boxes = after.messages - before.messages;
        if (action.kind == UserAction::Kind::fees) {
            checkFees(action.fees, before, after, seen, boxes);
        } else if (action.kind == UserAction::Kind::board) {
            checkBoardChoice(action, before, after, boxes);
        } else if (std::holds_alternative<Calculate>(clicked)) {
            checkCalculation(before, after, boxes);
        } else if (std::holds_alternative<ShowInstructions>(clicked)) {
            expect(boxes == 1, "the instructions showed " + std::to_string(boxes) + " boxes");
        } else {
            expect(boxes == 0,
                   std::to_string(boxes) + " message boxes from " + describe(action, true));
        }
        if (const auto *press = std::get_if<PressKey>(&clicked))
            checkKeypad(press->key, before, after);
        if (std::holds_alternative<OpenFeeSettings>(clicked))
            expect(seen.dialog == &layout::feeSettingsWindow(),
                   "费率设置 did not open the fee settings");
        if (action.kind == UserAction::Kind::detail || std::holds_alternative<ShowDetail>(clicked))
            checkDetail(action, before, after, seen);
        checkFeeSettings();
        // A reset clears the answer, and with it its detail.
        if (std::holds_alternative<Reset>(clicked))
            m_answer.reset();
        // The resets set the boards of the stocks they reset back to the main board: 重置 of
        // either stock its own, 全部重置 both.
        if (const auto *reset = std::get_if<Reset>(&clicked)) {
            if (reset->group != ResetGroup::newStock)
                m_boards.oldStock = Board::main;
            if (reset->group != ResetGroup::oldStock)
                m_boards.newStock = Board::main;
        }
        checkBoards();
    }

    // A board chosen from the list, or typed: a board's name or a stock's code takes, anything
    // else shows one box and keeps the board. Nothing else changes.
    void checkBoardChoice(const UserAction &action, const Snapshot &before, const Snapshot &after,
                          std::size_t boxes)
    {
        const std::optional<Board> named =
            action.item ? action.item : fuzz::boardTyped(action.text);
        const std::string what = describe(action, true);
        expect(boxes == (named ? 0u : 1u), std::to_string(boxes) + " message boxes from " + what +
                                               ", expected " + (named ? "0" : "1"));
        if (named) {
            m_boards.of(action.stock) = *named;
        } else if (boxes == 1) {
            const auto &box = m_backend.window().messages().back();
            expect(box.title == u"输入错误", "the board fault box has the wrong title");
            const bool old = action.stock == Stock::oldStock;
            const std::u16string_view own = old ? u"旧股票" : u"新股票";
            const std::u16string_view other = old ? u"新股票" : u"旧股票";
            expect(box.body.find(own) != std::u16string::npos &&
                       box.body.find(other) == std::u16string::npos,
                   "the board fault box " + shown(box.body) + " does not name " +
                       stockName(action.stock));
        }
        for (const Field field : allFields)
            expect(after.texts[slot(field)] == before.texts[slot(field)],
                   what + " changed " + idOf(field));
        // The answer on the screen keeps the boards it was worked out with.
        expect(after.result == before.result, what + " changed the result line");
        expect(after.keypadTarget == before.keypadTarget, what + " moved the keypad's field");
    }

    // Each drop-down shows the name of the board its stock is on, whatever was typed into it.
    void checkBoards() const
    {
        for (const Stock stock : {Stock::oldStock, Stock::newStock}) {
            const std::u16string text = m_backend.boardText(stock);
            const std::u16string_view want = fuzz::boardShown(m_boards.of(stock));
            expect(text == want, "the board of " + stockName(stock) + " shows " + shown(text) +
                                     ", expected " + shown(want));
        }
    }

    // The fee settings window, filled in and confirmed or cancelled.
    void checkFees(const fuzz::FeeDialog &fees, const Snapshot &before, const Snapshot &after,
                   const Glimpse &seen, std::size_t boxes)
    {
        expect(seen.dialog == &layout::feeSettingsWindow(),
               "费率设置 did not open the fee settings");
        const bool refused = fuzz::refusesRates(m_fees, fees);
        expect(boxes == (refused ? 1u : 0u), std::to_string(boxes) +
                                                 " message boxes from the fee settings, expected " +
                                                 (refused ? "1" : "0"));
        if (refused) {
            const auto &box = m_backend.window().messages().back();
            expect(box.title == u"输入错误", "the rate fault box has the wrong title");
            const std::u16string_view named =
                faultNamed(fuzz::firstRateFault(fuzz::ratesTyped(m_fees, fees)));
            expect(box.body.find(named) != std::u16string::npos,
                   "the rate fault box " + shown(box.body) + " does not name " + shown(named));
        }
        m_fees = fuzz::settingsAfter(m_fees, fees);
        for (const Field field : allFields)
            expect(after.texts[slot(field)] == before.texts[slot(field)],
                   "the fee settings changed " + idOf(field));
        // The answer on the screen keeps the fees it was worked out with.
        expect(after.result == before.result, "the fee settings changed the result line");
    }

    // The settings the calculator holds are the ones last confirmed, exactly as typed, and
    // the main window tells which model they use.
    void checkFeeSettings() const
    {
        const core::FeeSettings &held = m_backend.calculator().feeSettings();
        const bool itemised = held.model == FeeModel::itemised;
        expect(itemised == m_fees.itemised, std::string("the calculator uses the ") +
                                                (itemised ? "itemised" : "per-mille") +
                                                " fees, expected the other model");
        for (std::size_t i = 0; i < fuzz::rateCount; ++i)
            expect(held.texts[i] == m_fees.rates[i], "the calculator holds the rate " +
                                                         shown(held.texts[i]) + ", expected " +
                                                         shown(m_fees.rates[i]));
        expect(held.minimumWaived == m_fees.waived, "免五 is not as last confirmed");
        const testing::FakeWindow &window = m_backend.window();
        expect(window.feeModelNote() == modelCaption(m_fees.itemised),
               "the main window's fee caption reads " + shown(window.feeModelNote()));
        expect(window.isEnabled(Field::feePerMille) == !m_fees.itemised,
               "the per-mille field is not enabled exactly under the per-mille fees");
    }

    // The detail window shows the rows of the answer on the screen, and 复制 copies them.
    void checkDetail(const UserAction &action, const Snapshot &before, const Snapshot &after,
                     const Glimpse &seen) const
    {
        expect(seen.dialog == &layout::detailWindow(), "计算明细 did not open the detail");
        const fuzz::Rows rows = fuzz::rowsOfText(core::detailText(m_backend.calculator().detail()));
        if (action.kind == UserAction::Kind::detail) {
            const fuzz::Rows copied = fuzz::rowsOfText(m_backend.clipboard());
            expect(copied == rows, "复制 copied other rows than the detail holds");
        }
        if (auto fault = fuzz::detailFault(m_answer, rows))
            fail("detail: " + *fault);
        for (const auto &[item, text] : seen.cells) {
            const auto [row, column] = fuzz::cellOf(item);
            const bool shownCell = m_answer && row < rows.size() && column < rows[row].size();
            // A caption shows its whole text, however long.
            const std::u16string want = shownCell ? rows[row][column] : std::u16string();
            expect(text == want, "the detail window shows " + shown(text) + " in row " +
                                     std::to_string(row) + ", column " + std::to_string(column) +
                                     ", expected " + shown(want));
        }
        for (const Field field : allFields)
            expect(after.texts[slot(field)] == before.texts[slot(field)],
                   "the detail changed " + idOf(field));
        expect(after.result == before.result, "the detail changed the result line");
    }

    void checkKeypad(Key key, const Snapshot &before, const Snapshot &after) const
    {
        const Field edited = before.keypadTarget;
        const std::string keyName = std::to_string(static_cast<int>(key));
        const bool mustLeaveText = key != Key::point;
        expect(!mustLeaveText || !after.texts[slot(edited)].empty(),
               "keypad key " + keyName + " left " + idOf(edited) + " empty");
        // A greyed-out field is not used, and the keypad leaves it alone.
        const bool greyed = edited == Field::feePerMille && m_fees.itemised;
        for (const Field field : allFields) {
            expect((field == edited && !greyed) ||
                       after.texts[slot(field)] == before.texts[slot(field)],
                   "keypad key " + keyName + " changed " + idOf(field) + ", not its target " +
                       idOf(edited));
        }
        expect(after.focus == before.focus, "a keypad key took the focus");
        expect(after.result == before.result, "a keypad key changed the result line");
    }

    void checkCalculation(const Snapshot &before, const Snapshot &after, std::size_t boxes)
    {
        const fuzz::Press press =
            fuzz::expectedPress(before.texts, layout::maxTextLength, m_fees, m_boards);
        if (trace) {
            const char *outcome = press.messageBox ? "an input fault"
                                  : press.transfer ? "a result line"
                                                   : "no result (planned shares)";
            const char *sale = !press.transfer    ? ""
                               : !m_fees.itemised ? ", per-mille fees"
                               : press.transfer->sellWorkedOut
                                   ? ", itemised fees, sale tried count by count"
                                   : ", itemised fees, sale checked";
            std::fprintf(stderr, "       -> expected %s%s, boards %s and %s\n", outcome, sale,
                         play::toUtf8(fuzz::boardShown(m_boards.oldStock)).c_str(),
                         play::toUtf8(fuzz::boardShown(m_boards.newStock)).c_str());
        }
        expect(boxes <= 1, "开始计算 showed " + std::to_string(boxes) + " message boxes");
        expect(boxes == (press.messageBox ? 1u : 0u),
               press.messageBox ? "开始计算 reported no input fault where there is one"
                                : "开始计算 reported an input fault where there is none");
        if (boxes == 1)
            expect(m_backend.window().messages().back().title == u"输入错误",
                   "the input fault box has the wrong title");
        for (const Field field : allFields) {
            const auto &got = after.texts[slot(field)];
            const auto &want = press.fields[slot(field)];
            expect(got == want, "开始计算 left " + idOf(field) + " = " + shown(got) +
                                    ", expected " + shown(want));
        }
        if (!press.transfer) {
            expect(after.result == before.result,
                   "开始计算 changed the result line without a calculation: " +
                       shown(after.result));
            return;
        }
        const fuzz::Transfer &want = *press.transfer;
        const auto line = fuzz::parseResultLine(after.result, m_boards.newStock);
        expect(line.has_value(),
               "the result line does not read as a result: " + shown(after.result));
        const auto text = [](const mpz_class &value) {
            return shown(play::fromUtf8(value.get_str()));
        };
        if (want.sellWorkedOut)
            expect(line->sell == want.sell,
                   "shares to sell " + text(line->sell) + ", expected " + text(want.sell));
        expect(line->bought == want.bought,
               "new shares to buy " + text(line->bought) + ", expected " + text(want.bought));
        expect(sgn(line->sell) >= 0 && line->sell <= want.holding,
               "shares to sell " + text(line->sell) + " outside 0.." + text(want.holding));
        expect(line->sell == want.holding || press.trades->isOrder(line->sell),
               "shares to sell " + text(line->sell) + " are not an order the old board takes");
        if (!want.sellWorkedOut) {
            if (auto fault = fuzz::saleFault(*press.trades, line->sell))
                fail("shares to sell " + text(line->sell) + ": " + *fault);
        }
        const mpz_class left =
            want.sellWorkedOut ? want.left : fuzz::floorOf(press.trades->remainder(line->sell));
        expect(line->left == left, "money left " + text(line->left) + ", expected " + text(left));
        // The promise of the line: what it says to sell pays for the purchase and both fees,
        // unless the whole holding is sold and still falls short.
        expect(line->sell == want.holding || sgn(line->left) >= 0,
               "selling " + text(line->sell) + " leaves " + text(line->left) + " yuan");
        m_answer = fuzz::Answer{*press.trades, line->sell};
    }

    // Times the action again on fresh replays of the same input, and fails only when it is
    // slow every time.
    void checkTiming(const UserAction &action) const
    {
        auto fastest = Clock::duration::max();
        for (int attempt = 0; attempt < timingTries && fastest > handlerLimit; ++attempt) {
            testing::CoreBackend replay;
            fuzz::ActionReader reader(m_bytes);
            for (std::size_t i = 0; i < m_index; ++i)
                perform(replay, *reader.next());
            const auto start = Clock::now();
            perform(replay, action);
            fastest = std::min(fastest, Clock::now() - start);
        }
        const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(fastest).count();
        expect(fastest <= handlerLimit,
               describe(action, true) + " took " + std::to_string(ms) + " ms at best");
    }

    std::span<const std::uint8_t> m_bytes;
    testing::CoreBackend m_backend;
    std::size_t m_index = 0;
    fuzz::FeeTexts m_fees;                // the fee settings last confirmed
    fuzz::BoardsChosen m_boards;          // the boards the stocks are on
    std::optional<fuzz::Answer> m_answer; // the answer the result line shows
};

} // namespace

// Builds the tables that are made on first use before the first input, so that the first
// input allocates no more than it frees and a replay runs once, not again for a leak check.
extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    fuzz::visibleFields();
    fuzz::visibleControls();
    layout::tabOrder();
    layout::feeSettingsWindow();
    layout::detailWindow();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    Session(std::span<const std::uint8_t>(data, size)).run();
    return 0;
}
