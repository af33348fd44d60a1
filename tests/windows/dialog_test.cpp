// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The modal windows of the real Windows window under Wine (费率设置, 计算明细): each opens
// without a loop of its own in front of the main window, which takes no input until the
// calculator closes it and then has the activation and its focus back; Escape and the title
// bar's close button only ask the calculator; Tab keeps to the window's controls and never
// changes the choice of fee model; check boxes and radio buttons run their actions once
// Windows has changed them; a fault is boxed in front of the modal window; the per-mille field
// greys out in the itemised model and keeps its text; the detail reaches the clipboard as
// Windows keeps text. Checked against the core through the test double where it can tell.
#include "core_backend.h"
#include "fee_windows.h"
#include "line_ends.h"
#include "main_window.h"
#include "painting.h"
#include "support.h"
#include "win32_backend.h"
#include "win32_dialog.h"
#include "window_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace ostrel::test {
namespace {

constexpr std::wstring_view settingsKey = L"Software\\QZ Ostrel\\ostrel-dialog-tests";

struct Box {
    std::u16string title;
    std::u16string body;
    HWND owner = nullptr;
};

const layout::Control &settingsControl(std::string_view id)
{
    return *layout::feeSettingsWindow().findControl(id);
}

const layout::Control &detailControl(std::string_view id)
{
    return *layout::detailWindow().findControl(id);
}

// The real window on settings of its own, beside the core.
class DialogTest : public WindowTest {
protected:
    DialogTest()
        : WindowTest(settingsKey)
    {
    }

    const win32::Win32Dialog *dialog() const { return m_window.window().dialog(); }
    HWND dialogHandle() const { return dialog() ? dialog()->handle() : nullptr; }
    HWND handleIn(const layout::Control &control) const
    {
        return dialog() ? dialog()->controls().handle(control) : nullptr;
    }

    // Both on an answer of the five inputs a user fills in.
    void calculateBoth()
    {
        const std::array<std::pair<Field, std::u16string_view>, 5> inputs{{
            {Field::oldPrice, u"10"},
            {Field::sharesHeld, u"5000"},
            {Field::newPrice, u"8"},
            {Field::balance, u"2000"},
            {Field::moneyToSpend, u"20000"},
        }};
        for (testing::Backend *backend : backends()) {
            for (const auto &[field, text] : inputs)
                backend->type(field, text);
            backend->click(*layout::controlFor(Calculate{}));
        }
        ASSERT_EQ(m_win32.result(), m_core.result());
    }

    // Both through 费率设置 to the itemised fees, 确定 closing it.
    void chooseItemisedOnBoth()
    {
        for (testing::Backend *backend : backends()) {
            backend->click(*layout::controlFor(OpenFeeSettings{}));
            backend->click(settingsControl("itemisedModel"));
            backend->click(settingsControl("settingsOk"));
            ASSERT_EQ(backend->openDialog(), nullptr);
        }
    }

    std::array<testing::Backend *, 2> backends() { return {&m_win32, &m_core}; }

    std::vector<Box> m_boxes;
    play::Win32Backend m_win32{m_window,
                               [this](std::u16string_view title, std::u16string_view body) {
                                   // The box is the active window while it waits.
                                   m_boxes.push_back({std::u16string(title), std::u16string(body),
                                                      GetWindow(GetActiveWindow(), GW_OWNER)});
                               }};
    testing::CoreBackend m_core;
};

// Each button of the headline's strip opens its window in front of the main window, at the
// size its description gives, and the main window takes no input while it is open.
struct Opening {
    Action button;
    const layout::WindowDescription &(*window)();
    std::string_view name;
};

void PrintTo(const Opening &given, std::ostream *out)
{
    *out << given.name;
}

class OpensModally : public DialogTest, public ::testing::WithParamInterface<Opening> {};

TEST_P(OpensModally, InFrontOfTheDisabledMainWindow)
{
    const Opening &given = GetParam();
    const layout::Control &button = *layout::controlFor(given.button);
    m_win32.click(button);
    m_core.click(button);
    ASSERT_EQ(m_win32.openDialog(), &given.window());
    ASSERT_EQ(m_core.openDialog(), &given.window());

    HWND modal = dialogHandle();
    EXPECT_TRUE(IsWindowVisible(modal));
    EXPECT_EQ(GetWindow(modal, GW_OWNER), m_window.handle());
    EXPECT_FALSE(IsWindowEnabled(m_window.handle()));
    EXPECT_EQ(GetActiveWindow(), modal);
    EXPECT_EQ(win32::windowText(modal), given.window().look().caption);
    RECT client{};
    GetClientRect(modal, &client);
    const unsigned dpi = win32::dpiOf(modal);
    EXPECT_EQ(client.right, win32::scaled(given.window().clientWidthPixels(), dpi));
    EXPECT_EQ(client.bottom, win32::scaled(given.window().clientHeightPixels(), dpi));
    // The focus is in the modal window, on the first control Tab reaches there.
    EXPECT_EQ(m_win32.focus(), nullptr);
    EXPECT_EQ(m_core.focus(), nullptr);
    EXPECT_EQ(GetAncestor(GetFocus(), GA_ROOT), modal);

    // A click on the main window does nothing while it is open.
    const std::u16string before = m_win32.result();
    SendMessageW(m_window.controls().handle(*layout::controlFor(Calculate{})), BM_CLICK, 0, 0);
    win32::handlePendingMessages(m_window.handle());
    EXPECT_EQ(m_win32.result(), before);
    EXPECT_TRUE(m_boxes.empty());
}

const std::array openings{
    Opening{OpenFeeSettings{}, layout::feeSettingsWindow, "feeSettings"},
    Opening{ShowDetail{}, layout::detailWindow, "detail"},
};

INSTANTIATE_TEST_SUITE_P(EveryWindow, OpensModally, ::testing::ValuesIn(openings),
                         [](const ::testing::TestParamInfo<Opening> &tested) {
                             return std::string(tested.param.name);
                         });

// Opening returns at once, without a message loop of its own: a message waiting for the
// thread is still waiting afterwards. The window shows itself when the thread next reads its
// messages, filled in.
TEST_F(DialogTest, OpeningReturnsAtOnce)
{
    constexpr UINT waiting = WM_APP + 77;
    ASSERT_TRUE(PostThreadMessageW(GetCurrentThreadId(), waiting, 0, 0));
    m_window.calculator().perform(OpenFeeSettings{});
    MSG message{};
    EXPECT_TRUE(PeekMessageW(&message, nullptr, waiting, waiting, PM_REMOVE));
    ASSERT_NE(dialog(), nullptr);
    EXPECT_FALSE(IsWindowEnabled(m_window.handle()));
    EXPECT_FALSE(IsWindowVisible(dialogHandle()));

    win32::handlePendingMessages(m_window.handle());
    EXPECT_TRUE(IsWindowVisible(dialogHandle()));
    EXPECT_EQ(m_win32.text(Field::feePerMille), m_core.text(Field::feePerMille));
    EXPECT_EQ(dialog()->text(settingsControl("commissionRate")),
              m_core.calculator().feeSettings().text(FeeEntry::commissionRate));
    EXPECT_TRUE(m_win32.isChecked(settingsControl("perMilleModel")));
}

// Escape, the title bar's close button, 取消 and 关闭 close the window through the calculator,
// which saves nothing; the main window then takes input again, active, with the focus on the
// button that opened it.
enum class Closing { escape, closeButton, cancel };

struct CloseCase {
    Action button;
    Closing how;
    std::string_view name;
};

void PrintTo(const CloseCase &given, std::ostream *out)
{
    *out << given.name;
}

class ClosesThroughTheCalculator : public DialogTest,
                                   public ::testing::WithParamInterface<CloseCase> {};

TEST_P(ClosesThroughTheCalculator, AndGivesTheMainWindowBack)
{
    const CloseCase &given = GetParam();
    const layout::Control &button = *layout::controlFor(given.button);
    m_win32.click(button);
    ASSERT_NE(dialog(), nullptr);
    HWND modal = dialogHandle();
    if (given.button == Action{OpenFeeSettings{}}) {
        m_win32.click(settingsControl("itemisedModel"));
        m_win32.typeInto(settingsControl("commissionRate"), u"3");
    }
    switch (given.how) {
    case Closing::escape:
        m_win32.press(VK_ESCAPE);
        break;
    case Closing::closeButton:
        SendMessageW(modal, WM_SYSCOMMAND, SC_CLOSE, 0);
        win32::handlePendingMessages(m_window.handle());
        break;
    case Closing::cancel:
        m_win32.click(*m_win32.openDialog()->controlFor(CloseDialog{}));
        break;
    }
    EXPECT_EQ(m_win32.openDialog(), nullptr);
    EXPECT_FALSE(IsWindow(modal));
    EXPECT_TRUE(IsWindowEnabled(m_window.handle()));
    EXPECT_EQ(GetActiveWindow(), m_window.handle());
    EXPECT_EQ(idOf(m_win32.focus()), button.id);
    EXPECT_EQ(m_window.calculator().feeSettings().model, FeeModel::perMille);
    EXPECT_EQ(m_window.settings().load(), SettingsStore::Values{});
    EXPECT_TRUE(IsWindowEnabled(m_window.controls().field(Field::feePerMille)));
    // The calculator takes the main window's clicks again: with the start-up texts, a fault.
    m_win32.click(*layout::controlFor(Calculate{}));
    EXPECT_EQ(m_boxes.size(), 1U);
}

const std::array closeCases{
    CloseCase{OpenFeeSettings{}, Closing::escape, "settings_escape"},
    CloseCase{OpenFeeSettings{}, Closing::closeButton, "settings_closeButton"},
    CloseCase{OpenFeeSettings{}, Closing::cancel, "settings_cancel"},
    CloseCase{ShowDetail{}, Closing::escape, "detail_escape"},
    CloseCase{ShowDetail{}, Closing::closeButton, "detail_closeButton"},
    CloseCase{ShowDetail{}, Closing::cancel, "detail_close"},
};

INSTANTIATE_TEST_SUITE_P(EveryWay, ClosesThroughTheCalculator, ::testing::ValuesIn(closeCases),
                         [](const ::testing::TestParamInfo<CloseCase> &tested) {
                             return std::string(tested.param.name);
                         });

// What the window's own keys and clicks hand on, on a modal window whose actions are only
// recorded: Escape and the close button ask, and the window stays until it is closed; a
// check box and a radio button have changed before their actions run; Return in a rate is 确定.
class RecordedDialogTest : public DialogTest {
protected:
    RecordedDialogTest()
    {
        win32::handlePendingMessages(m_window.handle());
        m_focusBefore = GetFocus();
    }

    std::unique_ptr<win32::Win32Dialog> open()
    {
        auto opened = std::make_unique<win32::Win32Dialog>(
            m_window.handle(), layout::feeSettingsWindow(),
            [this](const Action &action) { m_actions.push_back(action); });
        win32::handlePendingMessages(m_window.handle());
        return opened;
    }

    void sendKey(HWND target, WORD key)
    {
        PostMessageW(target, WM_KEYDOWN, key, 1);
        win32::handlePendingMessages(m_window.handle());
    }

    std::vector<Action> m_actions;
    HWND m_focusBefore = nullptr;
};

TEST_F(RecordedDialogTest, EscapeAndTheCloseButtonOnlyAskTheCalculator)
{
    const auto modal = open();
    SendMessageW(modal->handle(), WM_CLOSE, 0, 0);
    sendKey(modal->controls().handle(settingsControl("commissionRate")), VK_ESCAPE);
    sendKey(modal->controls().handle(settingsControl("settingsOk")), VK_ESCAPE);
    EXPECT_EQ(m_actions, (std::vector<Action>(3, CloseDialog{})));
    EXPECT_TRUE(IsWindowVisible(modal->handle()));
    EXPECT_FALSE(IsWindowEnabled(m_window.handle()));

    modal->close();
    EXPECT_FALSE(IsWindow(modal->handle()));
    EXPECT_TRUE(IsWindowEnabled(m_window.handle()));
    EXPECT_EQ(GetActiveWindow(), m_window.handle());
    EXPECT_EQ(GetFocus(), m_focusBefore);
}

TEST_F(RecordedDialogTest, ReturnInARatePressesOk)
{
    const auto modal = open();
    for (const FeeEntry entry : allFeeEntries) {
        HWND rate = modal->controls().handle(*layout::feeSettingsWindow().feeEntryControl(entry));
        SetFocus(rate);
        sendKey(rate, VK_RETURN);
    }
    EXPECT_EQ(m_actions, (std::vector<Action>(allFeeEntries.size(), AcceptSettings{})));
}

TEST_F(RecordedDialogTest, ChecksHaveChangedWhenTheirActionsRun)
{
    const auto modal = open();
    const layout::Control &perMille = settingsControl("perMilleModel");
    const layout::Control &itemised = settingsControl("itemisedModel");
    const layout::Control &waiver = settingsControl("waiveMinimum");
    modal->setChecked(perMille, true);
    std::vector<std::array<bool, 3>> seen;
    const auto clickOn = [&](const layout::Control &control) {
        HWND button = modal->controls().handle(control);
        SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 1));
        SendMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(1, 1));
        seen.push_back(
            {modal->isChecked(perMille), modal->isChecked(itemised), modal->isChecked(waiver)});
    };
    clickOn(itemised);
    clickOn(waiver);
    clickOn(perMille);
    clickOn(waiver);
    EXPECT_EQ(m_actions, (std::vector<Action>{ChooseFeeModel{FeeModel::itemised}, WaiveMinimum{},
                                              ChooseFeeModel{FeeModel::perMille}, WaiveMinimum{}}));
    EXPECT_EQ(
        seen,
        (std::vector<std::array<bool, 3>>{
            {false, true, false}, {false, true, true}, {true, false, true}, {true, false, false}}));
    // Checked by the calculator, one radio button unchecks the other.
    modal->setChecked(itemised, true);
    EXPECT_FALSE(modal->isChecked(perMille));
    EXPECT_TRUE(modal->isChecked(itemised));
}

// Tab and Shift+Tab go round the modal window's controls in its tab order, reaching the fee
// models at the chosen one, so that passing through never changes the model.
class TabsRound : public DialogTest, public ::testing::WithParamInterface<FeeModel> {};

TEST_P(TabsRound, TheModalWindowsControls)
{
    const FeeModel model = GetParam();
    if (model == FeeModel::itemised)
        chooseItemisedOnBoth();
    m_win32.click(*layout::controlFor(OpenFeeSettings{}));
    const layout::Control &chosen = *layout::feeSettingsWindow().controlFor(ChooseFeeModel{model});
    const layout::Control &other = *layout::feeSettingsWindow().controlFor(
        ChooseFeeModel{model == FeeModel::itemised ? FeeModel::perMille : FeeModel::itemised});
    std::vector<const layout::Control *> expected;
    for (const layout::Control *control : layout::feeSettingsWindow().tabOrder()) {
        if (control != &other)
            expected.push_back(control);
    }
    const auto focused = [&] { return dialog()->controls().controlOf(GetFocus()); };
    ASSERT_EQ(idOf(focused()), chosen.id);
    std::vector<std::string_view> forwards{idOf(focused())};
    for (std::size_t i = 0; i < expected.size(); ++i) {
        m_win32.press(VK_TAB);
        forwards.push_back(idOf(focused()));
    }
    std::vector<std::string_view> backwards{idOf(focused())};
    for (std::size_t i = 0; i < expected.size(); ++i) {
        pressWith(m_win32, VK_SHIFT, VK_TAB);
        backwards.push_back(idOf(focused()));
    }
    std::vector<std::string_view> order;
    for (const layout::Control *control : expected)
        order.push_back(control->id);
    order.push_back(order.front());
    EXPECT_EQ(forwards, order);
    std::reverse(order.begin(), order.end());
    EXPECT_EQ(backwards, order);
    EXPECT_TRUE(m_win32.isChecked(chosen));
    EXPECT_FALSE(m_win32.isChecked(other));
}

INSTANTIATE_TEST_SUITE_P(EitherModel, TabsRound,
                         ::testing::Values(FeeModel::perMille, FeeModel::itemised),
                         [](const ::testing::TestParamInfo<FeeModel> &tested) {
                             return std::string(tested.param == FeeModel::itemised ? "itemised"
                                                                                   : "perMille");
                         });

// A fault in the rates is boxed in front of the modal window, which stays open with nothing
// saved.
TEST_F(DialogTest, AFaultIsBoxedInFrontOfTheModalWindow)
{
    m_win32.click(*layout::controlFor(OpenFeeSettings{}));
    m_win32.typeInto(settingsControl("commissionRate"), u"-1");
    m_win32.click(settingsControl("settingsOk"));
    ASSERT_EQ(m_boxes.size(), 1U);
    EXPECT_EQ(m_boxes.front().owner, dialogHandle());
    EXPECT_NE(dialog(), nullptr);
    EXPECT_FALSE(IsWindowEnabled(m_window.handle()));
    EXPECT_TRUE(IsWindowEnabled(dialogHandle()));
    EXPECT_EQ(m_window.settings().load(), SettingsStore::Values{});
}

// The itemised model greys the per-mille field out with its text kept, until the per-mille
// model is chosen again; the note beside the buttons says which is in use, to a screen reader
// too, and 确定 stores what the core stores.
TEST_F(DialogTest, TheItemisedModelGreysThePerMilleFieldOut)
{
    HWND field = m_window.controls().field(Field::feePerMille);
    HWND note = m_window.controls().handle(*layout::mainWindow().feeModelNote());
    for (testing::Backend *backend : backends())
        backend->type(Field::feePerMille, u"3");
    // Its face, away from the text, as the screen shows it.
    const auto face = [&] {
        win32::handlePendingMessages(m_window.handle());
        RECT inside{};
        GetClientRect(field, &inside);
        HDC dc = GetDC(field);
        const COLORREF colour = GetPixel(dc, inside.right - 3, inside.bottom / 2);
        ReleaseDC(field, dc);
        return colour;
    };
    const COLORREF usable = face();
    chooseItemisedOnBoth();
    EXPECT_FALSE(IsWindowEnabled(field));
    // It looks greyed out, not only takes no input.
    EXPECT_NE(face(), usable);
    EXPECT_EQ(m_win32.text(Field::feePerMille), u"3");
    EXPECT_EQ(win32::windowText(note), m_core.window().feeModelNote());
    EXPECT_EQ(play::accessibleText(note).description, m_core.window().feeModelNote());
    EXPECT_EQ(m_window.settings().load(), m_core.store().values());

    for (testing::Backend *backend : backends()) {
        backend->click(*layout::controlFor(OpenFeeSettings{}));
        backend->click(settingsControl("perMilleModel"));
        backend->click(settingsControl("settingsOk"));
    }
    EXPECT_TRUE(IsWindowEnabled(field));
    EXPECT_EQ(m_win32.text(Field::feePerMille), u"3");
    EXPECT_EQ(win32::windowText(note), m_core.window().feeModelNote());
    EXPECT_EQ(m_window.settings().load(), m_core.store().values());
}

// 复制 puts the detail on the clipboard as Windows keeps plain text: the core's rows, each
// ended by CR LF, its cells apart by tabs.
TEST_F(DialogTest, CopyPutsTheDetailWithWindowsLineEnds)
{
    calculateBoth();
    for (testing::Backend *backend : backends()) {
        backend->click(*layout::controlFor(ShowDetail{}));
        backend->click(detailControl("copyDetail"));
        backend->click(detailControl("closeDetail"));
    }
    const std::u16string copied = clipboardText();
    const std::u16string &expected = m_core.clipboard();
    ASSERT_NE(expected.find(u'\n'), std::u16string::npos);
    ASSERT_NE(expected.find(u'\t'), std::u16string::npos);
    EXPECT_EQ(copied, layout::withWindowsLineEnds(expected));
    for (std::size_t at = copied.find(u'\n'); at != std::u16string::npos;
         at = copied.find(u'\n', at + 1))
        EXPECT_TRUE(at > 0 && copied[at - 1] == u'\r') << "a line feed alone at " << at;
    EXPECT_EQ(m_win32.clipboard(), expected);
}

// Every cell of the detail shows what the core writes into it.
TEST_F(DialogTest, TheDetailShowsTheCoresCells)
{
    calculateBoth();
    for (testing::Backend *backend : backends())
        backend->click(*layout::controlFor(ShowDetail{}));
    ASSERT_NE(dialog(), nullptr);
    const testing::FakeDialog &core = *m_core.window().dialog();
    for (const layout::Control &control : layout::detailWindow().controls())
        EXPECT_EQ(dialog()->text(control), core.text(control)) << control.id;
}

} // namespace
} // namespace ostrel::test
