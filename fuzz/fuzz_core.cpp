// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

// ostrel-fuzz: coverage-guided fuzzing of the calculator core. Each input is read as a
// sequence of user actions (see actions.h and README.md), played through the same backend as
// the golden scenarios, and after every action the product's rules are checked; a broken
// rule aborts with a report of the actions that led to it.
#include "actions.h"
#include "core_backend.h"
#include "expect.h"
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

void perform(testing::CoreBackend &backend, const UserAction &action)
{
    switch (action.kind) {
    case UserAction::Kind::type:
        backend.type(action.field, action.text);
        return;
    case UserAction::Kind::click:
        backend.click(*action.control);
        return;
    case UserAction::Kind::clickAt:
        backend.clickAt(action.x, action.y);
        return;
    case UserAction::Kind::tab:
        backend.tab();
        return;
    }
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
            perform(m_backend, *action);
            const auto took = Clock::now() - start;
            if (trace)
                std::fprintf(stderr, "%5zu  %8.3f ms  %s\n", m_index + 1,
                             std::chrono::duration<double, std::milli>(took).count(),
                             describe(*action, true).c_str());
            check(*action, before, snapshot(m_backend));
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
            std::fprintf(stderr, "%5zu  %s\n", i + 1, describe(*action, true).c_str());
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

    void check(const UserAction &action, const Snapshot &before, const Snapshot &after) const
    {
        expect(after.keypadTarget != Field::plannedShares,
               "the keypad edits the hidden planned-shares field");

        const layout::Control *target = clickTarget(action);
        const Action clicked = target ? target->action : Action{NoAction{}};
        const std::size_t boxes = after.messages - before.messages;
        if (std::holds_alternative<Calculate>(clicked)) {
            checkCalculation(before, after, boxes);
        } else if (std::holds_alternative<ShowInstructions>(clicked)) {
            expect(boxes == 1, "the instructions showed " + std::to_string(boxes) + " boxes");
        } else {
            expect(boxes == 0,
                   std::to_string(boxes) + " message boxes from " + describe(action, true));
        }
        if (const auto *press = std::get_if<PressKey>(&clicked))
            checkKeypad(press->key, before, after);
    }

    void checkKeypad(Key key, const Snapshot &before, const Snapshot &after) const
    {
        const Field edited = before.keypadTarget;
        const std::string keyName = std::to_string(static_cast<int>(key));
        const bool mustLeaveText = key != Key::point;
        expect(!mustLeaveText || !after.texts[slot(edited)].empty(),
               "keypad key " + keyName + " left " + idOf(edited) + " empty");
        for (const Field field : allFields) {
            expect(field == edited || after.texts[slot(field)] == before.texts[slot(field)],
                   "keypad key " + keyName + " changed " + idOf(field) + ", not its target " +
                       idOf(edited));
        }
        expect(after.focus == before.focus, "a keypad key took the focus");
        expect(after.result == before.result, "a keypad key changed the result line");
    }

    void checkCalculation(const Snapshot &before, const Snapshot &after, std::size_t boxes) const
    {
        const fuzz::Press press = fuzz::expectedPress(before.texts, layout::maxTextLength);
        if (trace) {
            const char *outcome = press.messageBox ? "an input fault"
                                  : press.transfer ? "a result line"
                                                   : "no result (planned shares)";
            std::fprintf(stderr, "       -> expected %s\n", outcome);
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
        const auto line = fuzz::parseResultLine(after.result);
        expect(line.has_value(),
               "the result line does not read as a result: " + shown(after.result));
        const auto text = [](const mpz_class &value) {
            return shown(play::fromUtf8(value.get_str()));
        };
        expect(line->sell == want.sell,
               "shares to sell " + text(line->sell) + ", expected " + text(want.sell));
        expect(line->lots == want.lots,
               "lots to buy " + text(line->lots) + ", expected " + text(want.lots));
        expect(line->left == want.left,
               "money left " + text(line->left) + ", expected " + text(want.left));
        expect(sgn(line->sell) >= 0 && line->sell <= want.holding,
               "shares to sell " + text(line->sell) + " outside 0.." + text(want.holding));
        expect(line->sell == want.holding || mpz_divisible_ui_p(line->sell.get_mpz_t(), 100) != 0,
               "shares to sell " + text(line->sell) + " are not whole lots");
        // The promise of the line: what it says to sell pays for the purchase and both fees,
        // unless the whole holding is sold and still falls short.
        expect(line->sell == want.holding || sgn(line->left) >= 0,
               "selling " + text(line->sell) + " leaves " + text(line->left) + " yuan");
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
};

} // namespace

// Builds the tables that are made on first use before the first input, so that the first
// input allocates no more than it frees and a replay runs once, not again for a leak check.
extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    fuzz::visibleFields();
    fuzz::visibleControls();
    layout::tabOrder();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    Session(std::span<const std::uint8_t>(data, size)).run();
    return 0;
}
