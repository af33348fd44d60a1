// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "keys.h"

namespace ostrel::layout {
namespace {

bool noModifier(const KeyPress &press)
{
    return !press.control && !press.shift && !press.alt && !press.logo;
}

} // namespace

bool enterPressesOnce(Kind kind)
{
    return kind == Kind::button || kind == Kind::checkBox || kind == Kind::radioButton;
}

std::optional<Action> enterAction(const Control &focused, const KeyPress &press)
{
    if (press.key != KeyName::enter || !focused.takesFocus())
        return std::nullopt;
    if (enterPressesOnce(focused.kind) && press.repeated)
        return std::nullopt;
    if (focused.kind == Kind::button && !noModifier(press))
        return std::nullopt;
    return focused.actionOnEnter();
}

bool isCopyKey(const KeyPress &press)
{
    if (press.key == KeyName::copy)
        return noModifier(press);
    const bool controlAlone = press.control && !press.shift && !press.alt && !press.logo;
    return controlAlone && (press.key == KeyName::letterC || press.key == KeyName::insert);
}

bool copiesCaptionSelection(const KeyPress &press, bool captionHasSelection)
{
    return captionHasSelection && isCopyKey(press);
}

bool keepsCaptionSelection(bool fieldHasSelection)
{
    return !fieldHasSelection;
}

CloseAnswer answerTo(CloseRequest request, WindowRole role, const KeyPress &press)
{
    if (request == CloseRequest::escape && (press.key != KeyName::escape || !noModifier(press)))
        return CloseAnswer::ignore;
    if (role == WindowRole::modal)
        return CloseAnswer::closeDialog;
    return request == CloseRequest::closeButton ? CloseAnswer::close : CloseAnswer::ignore;
}

bool isEnabled(TextCommand command, bool hasSelection, bool hasText)
{
    return command == TextCommand::copy ? hasSelection : hasText;
}

} // namespace ostrel::layout
