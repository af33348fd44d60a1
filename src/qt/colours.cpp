#include "qt/colours.h"

#include <QApplication>
#include <QWidget>

namespace ostrel::gui {

ColourRoles colourRoles(form::Kind kind)
{
    switch (kind) {
    case form::Kind::textBox:
        return {QPalette::Text, QPalette::Base};
    case form::Kind::button:
        return {QPalette::ButtonText, QPalette::Button};
    case form::Kind::label:
    case form::Kind::frame:
        break;
    }
    return {QPalette::WindowText, QPalette::Window};
}

QColor resolveColour(form::Colour colour, QPalette::ColorRole systemRole, const QPalette &desktop)
{
    switch (colour.role) {
    case form::Colour::Role::rgb:
        return QColor::fromRgb(static_cast<QRgb>(colour.rgb));
    case form::Colour::Role::highlightText:
        return desktop.color(QPalette::HighlightedText);
    case form::Colour::Role::system:
        break;
    }
    return desktop.color(systemRole);
}

void applyColours(QWidget &widget, const form::Control &control)
{
    const ColourRoles roles = colourRoles(control.kind);
    const QPalette desktop = QApplication::palette(&widget);
    QPalette palette = widget.palette();
    palette.setColor(roles.foreground,
                     resolveColour(control.foreground, roles.foreground, desktop));
    palette.setColor(roles.background,
                     resolveColour(control.background, roles.background, desktop));
    widget.setPalette(palette);
    // Labels and frames are opaque: they paint their face before their caption.
    widget.setAutoFillBackground(roles.background == QPalette::Window);
}

} // namespace ostrel::gui
