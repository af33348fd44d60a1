// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The keys the scenarios cannot express, on the real Windows window under Wine, played with
// the scenario player's window messages and checked against the core played through the test
// double: Enter (either key) in each entry field, Enter and Space on each kind of push
// button, and a mouse click on a keypad key.
#include "core_backend.h"
#include "main_window.h"
#include "support.h"
#include "win32_backend.h"
#include "window_table.h"

#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ostrel::test {
namespace {

struct Box {
    std::u16string title;
    std::u16string body;
    bool operator==(const Box &) const = default;
};

void PrintTo(const Box &box, std::ostream *out)
{
    *out << ::testing::PrintToString(box.title) << " | " << ::testing::PrintToString(box.body);
}

testing::MessageSink recorder(std::vector<Box> &boxes)
{
    return [&boxes](std::u16string_view title, std::u16string_view body) {
        boxes.push_back({std::u16string(title), std::u16string(body)});
    };
}

// The texts typed into the visible fields in the keypad's order: old price, shares held, new
// price, fee, balance and money to spend; none: the start-up texts.
using Inputs = std::optional<std::array<std::u16string_view, 6>>;
constexpr std::array inputFields{Field::oldPrice,    Field::sharesHeld, Field::newPrice,
                                 Field::feePerMille, Field::balance,    Field::moneyToSpend};

const Inputs transfer =
    std::array<std::u16string_view, 6>{u"10", u"5000", u"8", u"1", u"2000", u"20000"};
const Inputs fault = std::array<std::u16string_view, 6>{u"10", u"1000", u"0", u"1", u"500", u"0"};
const Inputs startUp = std::nullopt;

// The real window beside the core, each with the message boxes it showed.
class KeysTest : public WindowTest {
protected:
    void typeBoth(const Inputs &inputs)
    {
        if (!inputs)
            return;
        for (std::size_t i = 0; i < inputFields.size(); ++i) {
            m_win32.type(inputFields[i], (*inputs)[i]);
            m_core.type(inputFields[i], (*inputs)[i]);
        }
    }

    // Tab until the control has the focus, on both.
    void tabBothTo(const layout::Control &control)
    {
        for (testing::Backend *backend : {static_cast<testing::Backend *>(&m_win32),
                                          static_cast<testing::Backend *>(&m_core)}) {
            for (std::size_t i = 0; i < layout::tabOrder().size() && backend->focus() != &control;
                 ++i)
                backend->tab();
            ASSERT_EQ(idOf(backend->focus()), control.id);
        }
    }

    void expectSameAsCore()
    {
        for (const Field field : allFields)
            EXPECT_EQ(m_win32.text(field), m_core.text(field)) << layout::fieldControl(field).id;
        EXPECT_EQ(m_win32.result(), m_core.result());
        EXPECT_EQ(m_win32.keypadTarget(), m_core.keypadTarget());
        EXPECT_EQ(idOf(m_win32.focus()), idOf(m_core.focus()));
        EXPECT_EQ(m_win32Boxes, m_coreBoxes);
    }

    std::vector<Box> m_win32Boxes;
    std::vector<Box> m_coreBoxes;
    play::Win32Backend m_win32{m_window, recorder(m_win32Boxes)};
    testing::CoreBackend m_core{recorder(m_coreBoxes)};
};

// Enter in an entry field starts the calculation, with the focus left where the calculation
// leaves it: in the field, or in the field a fault is reported for.
struct EnterCase {
    Field field;
    Inputs inputs;
    bool keypadEnter;
};

class EnterInField : public KeysTest, public ::testing::WithParamInterface<EnterCase> {};

TEST_P(EnterInField, StartsTheCalculation)
{
    const EnterCase &given = GetParam();
    typeBoth(given.inputs);
    // Into the field as Tab would take the focus there, its text as it is.
    m_win32.type(given.field, m_win32.text(given.field));
    m_core.type(given.field, m_core.text(given.field));

    m_win32.press(VK_RETURN, given.keypadEnter);
    m_core.calculator().calculate();
    expectSameAsCore();
}

std::vector<EnterCase> enterCases()
{
    std::vector<EnterCase> cases;
    for (const Field field : inputFields) {
        for (const Inputs &inputs : {transfer, fault, startUp})
            cases.push_back({field, inputs, false});
        cases.push_back({field, transfer, true});
    }
    return cases;
}

std::string enterCaseName(const ::testing::TestParamInfo<EnterCase> &info)
{
    std::string name = "field" + std::to_string(static_cast<int>(info.param.field));
    name += info.param.inputs == transfer ? "_transfer"
            : info.param.inputs == fault  ? "_fault"
                                          : "_startUp";
    return name + (info.param.keypadEnter ? "_keypadEnter" : "_enter");
}

INSTANTIATE_TEST_SUITE_P(EveryField, EnterInField, ::testing::ValuesIn(enterCases()),
                         enterCaseName);

// Enter and Space on a push button with the focus press it exactly as a click does; a
// keypad key keeps the focus and edits the field clicked last.
struct PressCase {
    Action action;
    WORD key;
    std::string_view name;
};

class KeyOnButton : public KeysTest, public ::testing::WithParamInterface<PressCase> {};

TEST_P(KeyOnButton, PressesItAsAClick)
{
    const PressCase &given = GetParam();
    const layout::Control &button = *layout::controlFor(given.action);
    typeBoth(transfer);
    // The keypad edits the shares held; the result line shows a result the resets replace.
    m_win32.click(layout::fieldControl(Field::sharesHeld));
    m_core.click(layout::fieldControl(Field::sharesHeld));
    m_win32.click(*layout::controlFor(Calculate{}));
    m_core.click(*layout::controlFor(Calculate{}));
    tabBothTo(button);
    const std::u16string before = m_win32.text(Field::sharesHeld);

    m_win32.press(given.key);
    m_core.click(button);
    expectSameAsCore();
    if (std::holds_alternative<PressKey>(given.action)) {
        EXPECT_EQ(idOf(m_win32.focus()), button.id);
        EXPECT_NE(m_win32.text(Field::sharesHeld), before);
    }
}

std::vector<PressCase> pressCases()
{
    const std::array<std::pair<Action, std::string_view>, 8> buttons{{
        {Calculate{}, "calculate"},
        {OpenFeeSettings{}, "feeSettings"},
        {ShowDetail{}, "detail"},
        {Reset{ResetGroup::all}, "resetAll"},
        {Reset{ResetGroup::oldStock}, "resetOld"},
        {Reset{ResetGroup::newStock}, "resetNew"},
        {ShowInstructions{}, "instructions"},
        {PressKey{Key::digit5}, "keypadDigit"},
    }};
    std::vector<PressCase> cases;
    for (const auto &[action, name] : buttons) {
        cases.push_back({action, VK_RETURN, name});
        cases.push_back({action, VK_SPACE, name});
    }
    return cases;
}

std::string pressCaseName(const ::testing::TestParamInfo<PressCase> &info)
{
    return std::string(info.param.name) + (info.param.key == VK_RETURN ? "_enter" : "_space");
}

INSTANTIATE_TEST_SUITE_P(EveryKind, KeyOnButton, ::testing::ValuesIn(pressCases()), pressCaseName);

// A held Enter presses a button once, as a held Space does and as on Linux: the keyboard's
// repeats of the key are no new presses.
TEST_F(KeysTest, AHeldEnterPressesAButtonOnce)
{
    const layout::Control &key = *layout::controlFor(PressKey{Key::digit5});
    m_win32.click(layout::fieldControl(Field::sharesHeld));
    m_core.click(layout::fieldControl(Field::sharesHeld));
    tabBothTo(key);
    constexpr LPARAM firstPress = 1;
    constexpr LPARAM repeat = firstPress | (LPARAM{1} << 30);
    HWND button = m_window.controls().handle(key);
    SendMessageW(button, WM_KEYDOWN, VK_RETURN, firstPress);
    SendMessageW(button, WM_KEYDOWN, VK_RETURN, repeat);
    SendMessageW(button, WM_KEYDOWN, VK_RETURN, repeat);
    m_core.click(key);
    expectSameAsCore();
}

// A mouse click on a keypad key edits the field being typed into and leaves the focus there.
TEST_F(KeysTest, ClickOnAKeypadKeyLeavesTheFocusInTheField)
{
    typeBoth(transfer);
    const layout::Control &field = layout::fieldControl(Field::newPrice);
    m_win32.click(field);
    m_core.click(field);
    for (const Key key : {Key::point, Key::digit5, Key::backspace, Key::digit7}) {
        m_win32.click(*layout::controlFor(PressKey{key}));
        m_core.click(*layout::controlFor(PressKey{key}));
        EXPECT_EQ(idOf(m_win32.focus()), field.id);
        expectSameAsCore();
    }
    EXPECT_EQ(m_win32.text(Field::newPrice), u"8.7");
}

} // namespace
} // namespace ostrel::test
