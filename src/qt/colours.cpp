// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "colours.h"

#include <QApplication>
#include <QWidget>

namespace ostrel::gui {

ColourRoles colourRoles(layout::Kind kind)
{
    switch (kind) {
    case layout::Kind::textBox:
        return {QPalette::Text, QPalette::Base};
    case layout::Kind::button:
        return {QPalette::ButtonText, QPalette::Button};
    // A check box and a radio button show their caption on the window's face, as a label does.
    case layout::Kind::label:
    case layout::Kind::frame:
    case layout::Kind::checkBox:
    case layout::Kind::radioButton:
        break;
    }
    return {QPalette::WindowText, QPalette::Window};
}

QColor resolveColour(layout::Colour colour, QPalette::ColorRole systemRole, const QPalette &desktop)
{
    switch (colour.role) {
    case layout::Colour::Role::rgb:
        return QColor::fromRgb(static_cast<QRgb>(colour.rgb));
    case layout::Colour::Role::highlightText:
        return desktop.color(QPalette::HighlightedText);
    case layout::Colour::Role::system:
    case layout::Colour::Role::none: // nothing shows in it: the desktop's own will do
        break;
    }
    return desktop.color(systemRole);
}

void applyColours(QWidget &widget, const layout::Control &control)
{
    const ColourRoles roles = colourRoles(control.kind);
    const QPalette desktop = QApplication::palette(&widget);
    QPalette palette = widget.palette();
    // The described colours are those of a usable control; a greyed-out one keeps the
    // desktop's disabled colours, so that it looks greyed out.
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, roles.foreground,
                         resolveColour(control.foreground, roles.foreground, desktop));
        palette.setColor(group, roles.background,
                         resolveColour(control.background, roles.background, desktop));
    }
    widget.setPalette(palette);
    // Qt's check boxes and radio buttons fill their face with the button colour, though they
    // stand on the window's face as captions do.
    widget.setForegroundRole(roles.foreground);
    widget.setBackgroundRole(roles.background);
    // Labels, frames, check boxes and radio buttons are opaque: they paint their face before
    // their caption.
    widget.setAutoFillBackground(roles.background == QPalette::Window);
}

} // namespace ostrel::gui
