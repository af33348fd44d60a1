// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "window_links.h"

// The words the windows' tables are written in: the faces and colours they use and one
// function per kind of control, each filling in the columns that every control has.
namespace ostrel::layout {

constexpr Font song(double points, bool bold = false)
{
    return {u"宋体", points, bold};
}
constexpr Font hei(double points)
{
    return {u"黑体", points, true};
}

inline constexpr Colour sys = Colour::system();
inline constexpr Colour hlText = Colour::highlightText();
inline constexpr Colour white = Colour::fixed(0xFFFFFF);
inline constexpr Colour navy = Colour::fixed(0x000080);

// The columns every control has; the kinds below fill in the rest.
constexpr Row control(std::string_view id, Kind kind, std::string_view container,
                      std::u16string_view text, Rect twips, Font font, Colour fg, Colour bg,
                      int tab)
{
    return {{.id = id,
             .kind = kind,
             .text = text,
             .twips = twips,
             .font = font,
             .foreground = fg,
             .background = bg,
             .tabIndex = tab},
            container};
}
constexpr Row label(std::string_view id, std::string_view container, std::u16string_view text,
                    Rect twips, Font font, Colour fg, Colour bg, int tab)
{
    return control(id, Kind::label, container, text, twips, font, fg, bg, tab);
}
constexpr Row button(std::string_view id, std::string_view container, std::u16string_view text,
                     Rect twips, Font font, int tab, Action action)
{
    Row button = control(id, Kind::button, container, text, twips, font, sys, sys, tab);
    button.control.action = action;
    return button;
}
constexpr Row frame(std::string_view id, std::u16string_view text, Rect twips, Font font, Colour fg,
                    Colour bg, int tab)
{
    return control(id, Kind::frame, {}, text, twips, font, fg, bg, tab);
}

} // namespace ostrel::layout
