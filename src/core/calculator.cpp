// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "calculator.h"

#include "fee_windows.h"
#include "field_selection.h"
#include "help.h"
#include "input_checks.h"
#include "keypad.h"
#include "resets.h"
#include "transfer.h"

#include <variant>

namespace ostrel::core {
namespace {

template<typename... Handlers> struct Overloaded : Handlers... {
    using Handlers::operator()...;
};
template<typename... Handlers> Overloaded(Handlers...) -> Overloaded<Handlers...>;

// The settings apply for this run all the same, so this is no input error.
constexpr std::u16string_view notSavedTitle = u"费率设置未能保存";
constexpr std::u16string_view notSaved =
    u"系统提示：费率设置没能保存，下次打开本程序时仍是原来的设置；这次仍按新的设置计算。";

const layout::WindowDescription &settingsWindow()
{
    return layout::feeSettingsWindow();
}

const layout::Control &modelChoice(FeeModel model)
{
    return *settingsWindow().controlFor(ChooseFeeModel{model});
}

const layout::Control &waiver()
{
    return *settingsWindow().controlFor(WaiveMinimum{});
}

const layout::Control &entryBox(FeeEntry entry)
{
    return *settingsWindow().feeEntryControl(entry);
}

} // namespace

Calculator::Calculator(Window &window, SettingsStore &store)
    : m_window(window)
    , m_store(store)
{
}

void Calculator::startUp()
{
    m_state = State{};
    m_answer.reset();
    loadSettings();
}

void Calculator::loadSettings()
{
    m_settings = settingsFrom(m_store.load());
    showFeeModel();
}

bool Calculator::isGreyed(Field field) const
{
    return field == Field::feePerMille && m_settings.model == FeeModel::itemised;
}

void Calculator::perform(const Action &action)
{
    // The main window's actions run only while no modal window is open, and a modal window's
    // only while it is.
    const bool inMain = m_dialog == nullptr;
    const bool inDialog = !inMain;
    std::visit(Overloaded{
                   [](NoAction) {},
                   [this](Calculate) { calculate(); },
                   [&](Reset reset) {
                       if (!inMain)
                           return;
                       core::reset(m_window, reset.group);
                       resetBoards(reset.group);
                       // The result line no longer shows an answer, so there is nothing to
                       // detail.
                       m_answer.reset();
                   },
                   [&](ShowInstructions) {
                       if (inMain)
                           showInstructions(m_window);
                   },
                   [&](PressKey press) {
                       // A greyed-out field is not used, and an edit nobody can see would
                       // only surprise the user later.
                       if (inMain && !isGreyed(m_state.keypadTarget))
                           pressKey(m_state, m_window, press.key);
                   },
                   [&](SelectField select) {
                       if (inMain && !isGreyed(select.field))
                           selectField(m_state, m_window, select.field);
                   },
                   [&](OpenFeeSettings) {
                       if (inMain)
                           openFeeSettings();
                   },
                   [&](ShowDetail) {
                       if (inMain)
                           showDetail();
                   },
                   // The platform has already checked the choice; it counts when 确定 is
                   // pressed.
                   [](ChooseFeeModel) {},
                   [&](WaiveMinimum) {
                       if (inDialog)
                           showMinimumUsable();
                   },
                   [&](AcceptSettings) {
                       if (inDialog)
                           acceptFeeSettings();
                   },
                   [&](RestoreDefaults) {
                       if (!inDialog)
                           return;
                       // The rates go back to their defaults; the choice of model stays.
                       FeeSettings defaults;
                       defaults.model = feeSettingsShown().model;
                       fillFeeSettings(defaults);
                   },
                   [&](CopyDetail) {
                       if (inDialog)
                           m_window.copyText(detailText(m_shownDetail));
                   },
                   [&](CloseDialog) {
                       if (inDialog)
                           closeDialog();
                   },
                   [&](ChooseBoard choose) {
                       if (inMain)
                           chooseBoard(choose.stock);
                   },
               },
               action);
}

void Calculator::calculate()
{
    if (m_dialog)
        return;
    if (auto answered = core::calculate(m_window, m_settings, m_state.boards))
        m_answer = std::move(*answered);
}

void Calculator::chooseBoard(Stock stock)
{
    Board &board = m_state.boards.of(stock);
    // A text that names no board keeps the board chosen before; either way the drop-down shows
    // the name of the board in use, also after a code was typed.
    if (const auto named = boardNamedBy(m_window.boardText(stock)))
        board = *named;
    else
        m_window.messageBox(inputErrorTitle, unknownBoardMessage(stock));
    m_window.setBoard(stock, board);
}

void Calculator::resetBoards(ResetGroup group)
{
    for (const Stock stock : {Stock::oldStock, Stock::newStock}) {
        const bool resets = group == ResetGroup::all ||
                            (group == ResetGroup::oldStock) == (stock == Stock::oldStock);
        if (!resets)
            continue;
        m_state.boards.of(stock) = Board::main;
        m_window.setBoard(stock, Board::main);
    }
}

void Calculator::openFeeSettings()
{
    m_dialog =
        &m_window.openDialog(settingsWindow(), [this](const Action &action) { perform(action); });
    fillFeeSettings(m_settings);
    // As in any settings window, the focus starts on the choice that is made.
    m_dialog->setFocus(modelChoice(m_settings.model));
}

void Calculator::fillFeeSettings(const FeeSettings &settings)
{
    // Checking one choice unchecks the other.
    m_dialog->setChecked(modelChoice(settings.model), true);
    for (const FeeEntry entry : allFeeEntries)
        m_dialog->setText(entryBox(entry), settings.text(entry));
    m_dialog->setChecked(waiver(), settings.minimumWaived);
    showMinimumUsable();
}

void Calculator::showMinimumUsable()
{
    // 免五 waives the minimum: the minimum is not used while the box is ticked.
    m_dialog->setEnabled(entryBox(FeeEntry::minimumCommission), !m_dialog->isChecked(waiver()));
}

FeeSettings Calculator::feeSettingsShown() const
{
    FeeSettings shown;
    shown.model = m_dialog->isChecked(modelChoice(FeeModel::itemised)) ? FeeModel::itemised
                                                                       : FeeModel::perMille;
    for (const FeeEntry entry : allFeeEntries)
        shown.text(entry) = m_dialog->text(entryBox(entry));
    shown.minimumWaived = m_dialog->isChecked(waiver());
    return shown;
}

void Calculator::acceptFeeSettings()
{
    const FeeSettings shown = feeSettingsShown();
    // A fault keeps the window open with nothing saved, so the user can mend it or cancel:
    // the focus goes to the field the message names, or to 免五 when that field is greyed out
    // by it.
    if (const auto fault = firstRateFault(shown)) {
        m_dialog->messageBox(inputErrorTitle, fault->message);
        const bool greyed = fault->entry == FeeEntry::minimumCommission && shown.minimumWaived;
        m_dialog->setFocus(greyed ? waiver() : entryBox(fault->entry));
        return;
    }
    m_settings = shown;
    closeDialog();
    showFeeModel();
    // The answer on the screen keeps the fees it was worked out with until the next press.
    if (!m_store.save(storedValues(m_settings)))
        m_window.messageBox(notSavedTitle, notSaved);
}

std::optional<Detail> Calculator::detail() const
{
    if (!m_answer)
        return std::nullopt;
    return detailOf(m_answer->transfer, *m_answer->schedule);
}

void Calculator::showDetail()
{
    const layout::WindowDescription &window = layout::detailWindow();
    m_dialog = &m_window.openDialog(window, [this](const Action &action) { perform(action); });
    m_shownDetail = detail();
    for (const layout::Control &control : window.controls()) {
        if (control.detailItem)
            m_dialog->setText(control, m_shownDetail ? m_shownDetail->item(*control.detailItem)
                                                     : std::u16string());
    }
    std::u16string note;
    for (const std::u16string &line : m_shownDetail ? m_shownDetail->note : noDetailNote())
        note += (note.empty() ? u"" : u"\n") + line;
    m_dialog->setText(*window.feeModelNote(), note);
}

void Calculator::closeDialog()
{
    DialogWindow *dialog = m_dialog;
    m_dialog = nullptr;
    dialog->close();
}

void Calculator::showFeeModel()
{
    // The per-mille field keeps its text for when the user switches back.
    m_window.setEnabled(Field::feePerMille, !isGreyed(Field::feePerMille));
    m_window.setFeeModelNote(feeModelCaption(m_settings.model));
}

} // namespace ostrel::core
