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

constexpr std::u16string_view notSaved =
    u"系统提示：费率设置没能保存，下次打开本程序时仍是原来的设置；这次仍按新的设置计算。";

const layout::Control &modelChoice(FeeModel model)
{
    return *layout::feeSettingsWindow().controlFor(ChooseFeeModel{model});
}

const layout::Control &waiver()
{
    return *layout::feeSettingsWindow().controlFor(WaiveMinimum{});
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

void Calculator::perform(const Action &action)
{
    // While a modal window is open the main window takes no input.
    if (m_dialog)
        return;
    std::visit(Overloaded{
                   [](NoAction) {}, [this](Calculate) { calculate(); },
                   [this](Reset reset) {
                       core::reset(m_window, reset.group);
                       // The result line no longer shows an answer, so there is nothing to
                       // detail.
                       m_answer.reset();
                   },
                   [this](ShowInstructions) { showInstructions(m_window); },
                   [this](PressKey press) { pressKey(m_state, m_window, press.key); },
                   [this](SelectField select) { selectField(m_state, m_window, select.field); },
                   [this](OpenFeeSettings) { openFeeSettings(); },
                   [this](ShowDetail) { showDetail(); },
                   [](const auto &) {}, // the modal windows' own actions
               },
               action);
}

void Calculator::calculate()
{
    if (m_dialog)
        return;
    if (auto answered = core::calculate(m_window, m_settings))
        m_answer = std::move(*answered);
}

void Calculator::performInDialog(const Action &action)
{
    if (!m_dialog)
        return;
    std::visit(Overloaded{
                   [this](AcceptSettings) { acceptFeeSettings(); },
                   [this](RestoreDefaults) {
                       // The rates go back to their defaults; the choice of model stays.
                       FeeSettings defaults;
                       defaults.model = feeSettingsShown().model;
                       fillFeeSettings(defaults);
                   },
                   [this](CopyDetail) {
                       if (m_shownDetail)
                           m_window.copyText(detailText(*m_shownDetail));
                   },
                   [this](CloseDialog) { closeDialog(); },
                   // The platform has already checked the choice or ticked the box; they count
                   // when 确定 is pressed.
                   [](const auto &) {},
               },
               action);
}

void Calculator::openFeeSettings()
{
    m_dialog = &m_window.openDialog(layout::feeSettingsWindow(),
                                    [this](const Action &action) { performInDialog(action); });
    fillFeeSettings(m_settings);
}

void Calculator::fillFeeSettings(const FeeSettings &settings)
{
    const layout::WindowDescription &window = layout::feeSettingsWindow();
    // Checking one choice unchecks the other.
    m_dialog->setChecked(modelChoice(settings.model), true);
    for (const FeeEntry entry : allFeeEntries)
        m_dialog->setText(*window.feeEntryControl(entry), settings.text(entry));
    m_dialog->setChecked(waiver(), settings.minimumWaived);
}

FeeSettings Calculator::feeSettingsShown() const
{
    const layout::WindowDescription &window = layout::feeSettingsWindow();
    FeeSettings shown;
    shown.model = m_dialog->isChecked(modelChoice(FeeModel::itemised)) ? FeeModel::itemised
                                                                       : FeeModel::perMille;
    for (const FeeEntry entry : allFeeEntries)
        shown.text(entry) = m_dialog->text(*window.feeEntryControl(entry));
    shown.minimumWaived = m_dialog->isChecked(waiver());
    return shown;
}

void Calculator::acceptFeeSettings()
{
    const FeeSettings shown = feeSettingsShown();
    // A fault keeps the window open with nothing saved, so the user can mend it or cancel.
    if (const auto fault = firstRateFault(shown)) {
        m_dialog->messageBox(inputErrorTitle, *fault);
        return;
    }
    m_settings = shown;
    closeDialog();
    showFeeModel();
    // The answer on the screen keeps the fees it was worked out with until the next press.
    if (!m_store.save(storedValues(m_settings)))
        m_window.messageBox(inputErrorTitle, notSaved);
}

std::optional<Detail> Calculator::detail() const
{
    if (!m_answer)
        return std::nullopt;
    return detailOf(m_answer->texts, m_answer->transfer, m_answer->settings);
}

void Calculator::showDetail()
{
    const layout::WindowDescription &window = layout::detailWindow();
    m_dialog =
        &m_window.openDialog(window, [this](const Action &action) { performInDialog(action); });
    m_shownDetail = detail();
    const bool answered = m_shownDetail.has_value();
    if (!answered)
        m_shownDetail = noDetail();
    const Detail &detail = *m_shownDetail;
    for (const layout::Control &control : window.controls()) {
        if (!control.detailCell)
            continue;
        const auto row = static_cast<std::size_t>(control.detailCell->row);
        const auto column = static_cast<std::size_t>(control.detailCell->column);
        const bool shown = answered && row < detail.rows.size() && column < detail.rows[row].size();
        m_dialog->setText(control, shown ? detail.rows[row][column] : std::u16string());
    }
    m_dialog->setText(*window.feeModelNote(), detail.note);
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
    m_window.setEnabled(Field::feePerMille, m_settings.model == FeeModel::perMille);
    m_window.setFeeModelNote(feeModelCaption(m_settings.model));
}

} // namespace ostrel::core
