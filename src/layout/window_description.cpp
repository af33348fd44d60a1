// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window_description.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

namespace ostrel::layout {
namespace {

bool isBlank(char16_t unit)
{
    return unit == u' ' || unit == u'\u3000';
}

} // namespace

int twipsToPixels(int twips)
{
    return static_cast<int>(std::lround(static_cast<double>(twips) / twipsPerPixel));
}

Rect toPixels(const Rect &twips)
{
    return {twipsToPixels(twips.left), twipsToPixels(twips.top), twipsToPixels(twips.width),
            twipsToPixels(twips.height)};
}

SystemColours systemColoursOf(Kind kind)
{
    switch (kind) {
    // A drop-down's edit part is a text box.
    case Kind::textBox:
    case Kind::dropDown:
        return {SystemColour::fieldText, SystemColour::fieldFace};
    case Kind::button:
        return {SystemColour::buttonText, SystemColour::buttonFace};
    // A check box and a radio button show their caption on the window's face, as a label does.
    case Kind::label:
    case Kind::frame:
    case Kind::checkBox:
    case Kind::radioButton:
        break;
    }
    return {SystemColour::windowText, SystemColour::windowFace};
}

std::variant<std::uint32_t, SystemColour> resolve(Colour colour, SystemColour systemColour)
{
    switch (colour.role) {
    case Colour::Role::rgb:
        return colour.rgb;
    case Colour::Role::highlightText:
        return SystemColour::highlightText;
    case Colour::Role::system:
    case Colour::Role::none: // nothing shows in it: the desktop's own will do
        break;
    }
    return systemColour;
}

int fontPixels(double points, int dpi)
{
    return static_cast<int>(std::lround(points * dpi / pointsPerInch));
}

namespace {

struct Fallbacks {
    std::u16string_view face;
    std::initializer_list<std::u16string_view> faces;
};

const Fallbacks fallbacks[] = {
    {u"宋体",
     {u"SimSun", u"NSimSun", u"AR PL UMing CN", u"Noto Serif CJK SC", u"Source Han Serif SC",
      u"Songti SC", u"STSong", u"Microsoft YaHei"}},
    {u"黑体",
     {u"SimHei", u"WenQuanYi Zen Hei", u"Noto Sans CJK SC", u"Source Han Sans SC", u"Heiti SC",
      u"STHeiti", u"Microsoft YaHei"}},
};

} // namespace

std::vector<std::u16string_view> fontFaces(std::u16string_view face)
{
    if (face.empty())
        return {};
    std::vector<std::u16string_view> faces{face};
    for (const Fallbacks &entry : fallbacks) {
        if (entry.face == face)
            faces.insert(faces.end(), entry.faces.begin(), entry.faces.end());
    }
    return faces;
}

WindowDescription::WindowDescription(const WindowLook &look, std::span<const Control> controls)
    : m_look(look)
    , m_controls(controls)
{
    for (const Control &control : m_controls) {
        if (control.takesFocus())
            m_tabOrder.push_back(&control);
        if (control.field)
            m_fields[indexOf(*control.field)] = &control;
    }
    std::stable_sort(m_tabOrder.begin(), m_tabOrder.end(),
                     [](const Control *a, const Control *b) { return a->tabIndex < b->tabIndex; });
}

std::size_t WindowDescription::positionOf(const Control &control) const
{
    return static_cast<std::size_t>(&control - m_controls.data());
}

ControlRef WindowDescription::refOf(const Control &control) const
{
    return {static_cast<std::uint16_t>(positionOf(control))};
}

const Control *WindowDescription::findControl(std::string_view id) const
{
    const auto found = std::find_if(m_controls.begin(), m_controls.end(),
                                    [&](const Control &control) { return control.id == id; });
    return found == m_controls.end() ? nullptr : &*found;
}

const Control *WindowDescription::containerOf(const Control &control) const
{
    return control.container ? &this->control(control.container) : nullptr;
}

const Control *WindowDescription::fieldControl(Field field) const
{
    return m_fields[indexOf(field)];
}

const Control *WindowDescription::resultLine() const
{
    const auto found = std::find_if(m_controls.begin(), m_controls.end(),
                                    [](const Control &control) { return control.isResultLine; });
    return found == m_controls.end() ? nullptr : &*found;
}

const Control *WindowDescription::feeModelNote() const
{
    const auto found = std::find_if(m_controls.begin(), m_controls.end(),
                                    [](const Control &control) { return control.isFeeModelNote; });
    return found == m_controls.end() ? nullptr : &*found;
}

const Control *WindowDescription::feeEntryControl(FeeEntry entry) const
{
    const auto found =
        std::find_if(m_controls.begin(), m_controls.end(),
                     [&](const Control &control) { return control.feeEntry == entry; });
    return found == m_controls.end() ? nullptr : &*found;
}

const Control *WindowDescription::controlFor(const Action &action) const
{
    const auto found =
        std::find_if(m_controls.begin(), m_controls.end(),
                     [&](const Control &control) { return control.action == action; });
    return found == m_controls.end() ? nullptr : &*found;
}

int WindowDescription::clientWidthPixels() const
{
    return twipsToPixels(m_look.clientWidthTwips);
}

int WindowDescription::clientHeightPixels() const
{
    return twipsToPixels(m_look.clientHeightTwips);
}

Rect WindowDescription::clientPixels(const Control &control) const
{
    Rect rect = toPixels(control.twips);
    if (const Control *container = containerOf(control)) {
        const Rect outer = clientPixels(*container);
        rect.left += outer.left;
        rect.top += outer.top;
    }
    return rect;
}

const Control *WindowDescription::controlAt(int x, int y) const
{
    const Rect client{0, 0, clientWidthPixels(), clientHeightPixels()};
    if (!client.contains(x, y))
        return nullptr;
    // Search from the top of the stack down; a frame hands the point to its own controls
    // first, and they are clipped to the frame.
    const auto topmostIn = [&](ControlRef container, const auto &self) -> const Control * {
        for (auto it = m_controls.rbegin(); it != m_controls.rend(); ++it) {
            const Control &control = *it;
            if (control.container != container || !control.visible ||
                !clientPixels(control).contains(x, y))
                continue;
            if (control.kind == Kind::frame) {
                if (const Control *inner = self(refOf(control), self))
                    return inner;
            }
            return &control;
        }
        return nullptr;
    };
    return topmostIn({}, topmostIn);
}

bool WindowDescription::captionWraps(const Control &label) const
{
    return toPixels(label.twips).height >= 2 * fontPixels(label.font.points);
}

std::vector<LineBand> WindowDescription::fieldRowsBeside(const Control &label) const
{
    const Control *frame = containerOf(label);
    if (label.kind != Kind::label || !frame || frame->kind != Kind::frame)
        return {};
    const Rect place = toPixels(label.twips);
    std::vector<LineBand> rows;
    for (const Control &control : m_controls) {
        if (control.kind != Kind::textBox || control.container != label.container)
            continue;
        // Only the rows that start inside the caption's own place stand beside it.
        const Rect field = toPixels(control.twips);
        if (field.top < place.top || field.top >= place.top + place.height)
            continue;
        rows.push_back({field.top - place.top, field.height});
    }
    std::sort(rows.begin(), rows.end(), [](const auto &a, const auto &b) { return a.top < b.top; });
    rows.erase(std::unique(rows.begin(), rows.end(),
                           [](const auto &a, const auto &b) { return a.top == b.top; }),
               rows.end());
    return rows;
}

std::vector<std::u16string_view>
WindowDescription::captionLinesBesideFields(const Control &label) const
{
    if (fieldRowsBeside(label).empty())
        return {};
    const std::u16string_view text = label.text;
    // A gap is a blank followed by another or by the end of the caption.
    const auto gapAt = [&](std::size_t i) {
        return isBlank(text[i]) && (i + 1 == text.size() || isBlank(text[i + 1]));
    };
    std::vector<std::u16string_view> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        if (isBlank(text[start])) {
            ++start;
            continue;
        }
        std::size_t end = start;
        while (end < text.size() && !gapAt(end))
            ++end;
        lines.push_back(text.substr(start, end - start));
        start = end;
    }
    return lines;
}

LineBand WindowDescription::lineBand(const Control &label, std::size_t line) const
{
    const std::vector<LineBand> rows = fieldRowsBeside(label);
    if (rows.empty())
        return {};
    if (line < rows.size())
        return rows[line];
    const int pitch = rows.size() > 1 ? rows[1].top - rows[0].top : rows.front().height;
    const auto beyond = static_cast<int>(line + 1 - rows.size());
    return {rows.back().top + pitch * beyond, rows.back().height};
}

Rect WindowDescription::visiblePart(const Control &control) const
{
    const Rect place = clientPixels(control);
    const int hiddenLeft = std::clamp(-place.left, 0, place.width);
    const int hiddenRight =
        std::clamp(place.left + place.width - clientWidthPixels(), 0, place.width - hiddenLeft);
    const int hiddenTop = std::clamp(-place.top, 0, place.height);
    const int hiddenBottom =
        std::clamp(place.top + place.height - clientHeightPixels(), 0, place.height - hiddenTop);
    return {hiddenLeft, hiddenTop, place.width - hiddenLeft - hiddenRight,
            place.height - hiddenTop - hiddenBottom};
}

const Control *WindowDescription::labelledBy(const Control &control) const
{
    return control.accessible.labelledBy ? &this->control(control.accessible.labelledBy) : nullptr;
}

std::vector<const Control *> WindowDescription::labelFor(const Control &label) const
{
    std::vector<const Control *> labelled;
    for (const Control &control : m_controls) {
        if (labelledBy(control) == &label)
            labelled.push_back(&control);
    }
    return labelled;
}

std::u16string accessibleName(const Control &control)
{
    if (!control.accessible.name.empty())
        return std::u16string(control.accessible.name);
    return collapseBlanks(control.text);
}

std::u16string_view accessibleDescription(const Control &control, bool greyed)
{
    const AccessibleInfo &info = control.accessible;
    return greyed && !info.descriptionWhenGreyed.empty() ? info.descriptionWhenGreyed
                                                         : info.description;
}

bool isDescribedByItsCaption(const Control &control)
{
    return control.isResultLine || control.isFeeModelNote || control.detailItem.has_value();
}

bool isInAccessibleTree(const Control &control)
{
    return control.visible;
}

std::u16string collapseBlanks(std::u16string_view text)
{
    std::u16string collapsed;
    bool blankPending = false;
    for (const char16_t unit : text) {
        if (isBlank(unit)) {
            blankPending = !collapsed.empty();
            continue;
        }
        if (blankPending)
            collapsed += u' ';
        blankPending = false;
        collapsed += unit;
    }
    return collapsed;
}

std::vector<const Control *> WindowDescription::radioGroupOf(const Control &choice) const
{
    std::vector<const Control *> group;
    for (const Control &control : m_controls) {
        if (control.kind == Kind::radioButton && control.container == choice.container)
            group.push_back(&control);
    }
    return group;
}

const Control *WindowDescription::nextTabStop(const Control *from, const ControlStates &states,
                                              bool backwards) const
{
    const auto isStop = [&](const Control &control) {
        if (!states.isEnabled(control))
            return false;
        if (control.kind != Kind::radioButton)
            return true;
        const std::vector<const Control *> group = radioGroupOf(control);
        const auto checked = std::find_if(group.begin(), group.end(), [&](const Control *choice) {
            return states.isChecked(*choice);
        });
        return (checked == group.end() ? group.front() : *checked) == &control;
    };
    const std::size_t count = m_tabOrder.size();
    const auto at = std::find(m_tabOrder.begin(), m_tabOrder.end(), from);
    std::size_t index = at == m_tabOrder.end() ? (backwards ? 0 : count - 1)
                                               : static_cast<std::size_t>(at - m_tabOrder.begin());
    for (std::size_t step = 0; step < count; ++step) {
        index = backwards ? (index + count - 1) % count : (index + 1) % count;
        if (isStop(*m_tabOrder[index]))
            return m_tabOrder[index];
    }
    return nullptr;
}

std::span<const std::u16string_view> itemsOf(const Control &control)
{
    if (control.kind != Kind::dropDown || !control.board)
        return {};
    return boardNames;
}

} // namespace ostrel::layout
