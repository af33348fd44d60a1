// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "colours.h"

namespace ostrel::win32 {
namespace {

// The system colour that holds one of the desktop's colours.
int systemIndex(layout::SystemColour colour)
{
    switch (colour) {
    case layout::SystemColour::fieldText:
    case layout::SystemColour::windowText:
        return COLOR_WINDOWTEXT;
    case layout::SystemColour::fieldFace:
        return COLOR_WINDOW;
    case layout::SystemColour::buttonText:
        return COLOR_BTNTEXT;
    case layout::SystemColour::buttonFace:
        return COLOR_BTNFACE;
    case layout::SystemColour::highlightText:
        return COLOR_HIGHLIGHTTEXT;
    case layout::SystemColour::windowFace:
        break;
    }
    return COLOR_3DFACE;
}

COLORREF fromRgb(std::uint32_t rgb)
{
    constexpr unsigned byte = 0xFF;
    return RGB((rgb >> 16) & byte, (rgb >> 8) & byte, rgb & byte);
}

COLORREF colourOf(layout::Colour colour, layout::SystemColour systemColour)
{
    const auto resolved = layout::resolve(colour, systemColour);
    if (const auto *rgb = std::get_if<std::uint32_t>(&resolved))
        return fromRgb(*rgb);
    return GetSysColor(systemIndex(std::get<layout::SystemColour>(resolved)));
}

bool isSystem(layout::Colour colour)
{
    return colour.role == layout::Colour::Role::system || colour.role == layout::Colour::Role::none;
}

} // namespace

ControlColours coloursOf(const layout::Control &control)
{
    const layout::SystemColours system = layout::systemColoursOf(control.kind);
    return {colourOf(control.foreground, system.foreground),
            colourOf(control.background, system.background)};
}

bool usesSystemColours(const layout::Control &control)
{
    return isSystem(control.foreground) && isSystem(control.background);
}

COLORREF windowBackground(const layout::WindowLook &look)
{
    return fromRgb(look.background);
}

BrushCache::~BrushCache()
{
    for (const auto &[colour, brush] : m_brushes)
        DeleteObject(brush);
}

HBRUSH BrushCache::brush(COLORREF colour)
{
    auto [found, added] = m_brushes.try_emplace(colour, nullptr);
    if (added)
        found->second = CreateSolidBrush(colour);
    return found->second;
}

} // namespace ostrel::win32
