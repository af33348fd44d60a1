// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "colours.h"

#include <QApplication>
#include <QColor>
#include <QPalette>
#include <QWidget>

namespace ostrel::gui {
namespace {

// The palette role that holds one of the desktop's colours.
QPalette::ColorRole paletteRole(layout::SystemColour colour)
{
    switch (colour) {
    case layout::SystemColour::fieldText:
        return QPalette::Text;
    case layout::SystemColour::fieldFace:
        return QPalette::Base;
    case layout::SystemColour::buttonText:
        return QPalette::ButtonText;
    case layout::SystemColour::buttonFace:
        return QPalette::Button;
    case layout::SystemColour::highlightText:
        return QPalette::HighlightedText;
    case layout::SystemColour::windowText:
        return QPalette::WindowText;
    case layout::SystemColour::windowFace:
        break;
    }
    return QPalette::Window;
}

// A colour of the table on this desktop: a fixed colour as it is, a desktop colour from the
// desktop's palette (`desktop`; `systemColour` for Colour::system).
QColor resolveColour(layout::Colour colour, layout::SystemColour systemColour,
                     const QPalette &desktop)
{
    const auto resolved = layout::resolve(colour, systemColour);
    if (const auto *rgb = std::get_if<std::uint32_t>(&resolved))
        return QColor::fromRgb(static_cast<QRgb>(*rgb));
    return desktop.color(paletteRole(std::get<layout::SystemColour>(resolved)));
}

} // namespace

void applyColours(QWidget &widget, const layout::Control &control)
{
    const layout::SystemColours system = layout::systemColoursOf(control.kind);
    const QPalette::ColorRole foreground = paletteRole(system.foreground);
    const QPalette::ColorRole background = paletteRole(system.background);
    const QPalette desktop = QApplication::palette(&widget);
    QPalette palette = widget.palette();
    // The described colours are those of a usable control; a greyed-out one keeps the
    // desktop's disabled colours, so that it looks greyed out.
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, foreground,
                         resolveColour(control.foreground, system.foreground, desktop));
        palette.setColor(group, background,
                         resolveColour(control.background, system.background, desktop));
    }
    widget.setPalette(palette);
    // Qt's check boxes and radio buttons fill their face with the button colour, though they
    // stand on the window's face as captions do.
    widget.setForegroundRole(foreground);
    widget.setBackgroundRole(background);
    // Labels, frames, check boxes and radio buttons are opaque: they paint their face before
    // their caption.
    widget.setAutoFillBackground(background == QPalette::Window);
}

} // namespace ostrel::gui
