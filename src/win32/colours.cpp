// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "colours.h"

namespace ostrel::win32 {
namespace {

struct SystemRoles {
    int foreground;
    int background;
};

SystemRoles systemRoles(layout::Kind kind)
{
    switch (kind) {
    case layout::Kind::textBox:
        return {COLOR_WINDOWTEXT, COLOR_WINDOW};
    case layout::Kind::button:
        return {COLOR_BTNTEXT, COLOR_BTNFACE};
    case layout::Kind::label:
    case layout::Kind::frame:
    case layout::Kind::checkBox:
    case layout::Kind::radioButton:
        break;
    }
    return {COLOR_WINDOWTEXT, COLOR_3DFACE};
}

// 0xRRGGBB as Windows keeps a colour, 0x00BBGGRR.
COLORREF fromRgb(std::uint32_t rgb)
{
    constexpr unsigned byte = 0xFF;
    return RGB((rgb >> 16) & byte, (rgb >> 8) & byte, rgb & byte);
}

COLORREF resolve(layout::Colour colour, int systemRole)
{
    switch (colour.role) {
    case layout::Colour::Role::rgb:
        return fromRgb(colour.rgb);
    case layout::Colour::Role::highlightText:
        return GetSysColor(COLOR_HIGHLIGHTTEXT);
    case layout::Colour::Role::system:
    case layout::Colour::Role::none: // nothing shows in it: the system's own will do
        break;
    }
    return GetSysColor(systemRole);
}

bool isSystem(layout::Colour colour)
{
    return colour.role == layout::Colour::Role::system || colour.role == layout::Colour::Role::none;
}

} // namespace

ControlColours coloursOf(const layout::Control &control)
{
    const SystemRoles roles = systemRoles(control.kind);
    return {resolve(control.foreground, roles.foreground),
            resolve(control.background, roles.background)};
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
