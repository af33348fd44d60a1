#include "form/layout.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace ostrel::form {
namespace {

constexpr Font song(double points, bool bold = false, int charset = 134)
{
    return {u"宋体", points, bold, charset};
}
constexpr Font hei(double points)
{
    return {u"黑体", points, true, 134};
}

constexpr Colour sys = Colour::system();
constexpr Colour hlText = Colour::highlightText();
constexpr Colour white = Colour::fixed(0xFFFFFF);
constexpr Colour navy = Colour::fixed(0x000080);

constexpr Control label(std::string_view name, std::string_view container, std::u16string_view text,
                        Rect twips, Font font, Colour fg, Colour bg, int tab)
{
    return {name, -1, Kind::label, container, text, twips, font, fg, bg, tab, true, false};
}
constexpr Control textBox(std::string_view name, std::string_view container,
                          std::u16string_view text, Rect twips, int tab, bool visible = true)
{
    return {name,    -1,  Kind::textBox, container, text,    twips,
            song(9), sys, sys,           tab,       visible, visible};
}
constexpr Control button(std::string_view name, int index, std::string_view container,
                         std::u16string_view text, Rect twips, Font font, int tab)
{
    return {name, index, Kind::button, container, text, twips, font, sys, sys, tab, true, true};
}
constexpr Control frame(std::string_view name, std::u16string_view text, Rect twips, Font font,
                        Colour fg, Colour bg, int tab)
{
    return {name, -1, Kind::frame, {}, text, twips, font, fg, bg, tab, true, false};
}

// The keypad: digits and the point in one row at a pitch of 420 twips, then two wide keys.
constexpr Rect keypadKey(int index)
{
    if (index <= 10)
        return {105 + 420 * index, 315, 390, 645};
    return {index == 11 ? 4725 : 6195, 315, 1440, 645};
}
constexpr Control keypad(int index, std::u16string_view caption)
{
    return button("Command3", index, "Frame3", caption, keypadKey(index),
                  index <= 10 ? hei(21.75) : song(12), 29 + index);
}

constexpr std::array table{
    label("bigtitle", {}, u"QZ Ostrel", {480, 240, 7095, 615}, song(26.25), Colour::fixed(0x000040),
          white, 2),
    frame("Frame1", u" 要卖掉部分的旧股票(都要填写) ", {240, 1080, 3735, 1095}, song(9),
          Colour::fixed(0x00C000), hlText, 3),
    label("L1", "Frame1", u"* 当前股价：               * 持股总数：", {120, 360, 1215, 615},
          song(9), sys, hlText, 4),
    textBox("oldprice", "Frame1", u"0", {1320, 360, 1215, 270}, 5),
    textBox("buy6", "Frame1", u"0", {1320, 720, 1215, 270}, 6),
    label("Label1", "Frame1", u"元        股", {2640, 360, 375, 615}, song(9), sys, hlText, 7),
    button("Command4", 0, "Frame1", u"重置", {2880, 300, 615, 615}, song(12, false, 0), 26),
    frame("Frame2", u" 要再买入些的新股票(第二项可不填) ", {4080, 1080, 3735, 1095}, song(9),
          Colour::fixed(0xC00000), hlText, 8),
    label("Label3", "Frame2", u"* 当前股价：                  ", {240, 360, 1215, 615}, song(9),
          sys, hlText, 11),
    textBox("newprice", "Frame2", u"0", {1440, 360, 1095, 270}, 10),
    textBox("ybuy", "Frame2", u"0", {1440, 720, 1095, 270}, 9, false),
    label("Label9", "Frame2", u"元        ", {2640, 360, 375, 615}, song(9), sys, hlText, 25),
    // Belongs to the window and stands above Frame2, where Command4 stands in Frame1.
    button("Command5", -1, {}, u"重置", {6960, 1400, 615, 615}, song(12, false, 0), 27),
    label("yhs", {}, u"* 单向 印花税 + 手续费： ", {240, 2400, 2295, 255}, song(9), navy, white, 1),
    textBox("souxufei", {}, u"1", {2640, 2355, 975, 270}, 19),
    label("Label8", {}, u"/千", {3645, 2400, 255, 255}, song(9), navy, hlText, 20),
    label("Label4", {}, u"* 资金账户可用资金余额：", {240, 2760, 2295, 255}, song(9), navy, hlText,
          12),
    textBox("savemoney", {}, u"0", {2640, 2760, 975, 270}, 13),
    label("Label5", {}, u"元", {3720, 2745, 495, 255}, song(9), navy, hlText, 14),
    label("Label7", {}, u" 大概花多少钱在新股上 ：", {240, 3165, 2415, 255}, song(9), navy, hlText,
          17),
    textBox("buymoney", {}, u"0", {2640, 3135, 975, 270}, 15),
    label("Label6", {}, u"元", {3720, 3120, 495, 255}, song(9), navy, hlText, 16),
    label("xsall", {}, u"简介：前加*号的都要填，不加的两项填其中一项，然后点“开始计算”!",
          {4080, 2280, 3735, 1095}, song(12), Colour::fixed(0xC00000), Colour::fixed(0xC0C0FF), 18),
    button("Command1", -1, {}, u"开始计算", {240, 3480, 3735, 495}, song(10.5, true, 0), 21),
    button("Command2", -1, {}, u"全部重置", {4080, 3480, 1815, 495}, song(10.5, true, 0), 22),
    button("C44", -1, {}, u"使用说明", {6000, 3480, 1815, 495}, song(10.5, true, 0), 23),
    frame("Frame3", {}, {105, 4095, 7740, 1080}, {}, sys, white, 28),
    keypad(0, u"0"),
    keypad(1, u"1"),
    keypad(2, u"2"),
    keypad(3, u"3"),
    keypad(4, u"4"),
    keypad(5, u"5"),
    keypad(6, u"6"),
    keypad(7, u"7"),
    keypad(8, u"8"),
    keypad(9, u"9"),
    keypad(10, u"."),
    keypad(11, u"退格"),
    keypad(12, u"置零"),
    // Starts left of the client area and spans the whole width of the window.
    Control{"BYNARO",
            -1,
            Kind::label,
            {},
            u"QZ Ostrel 转仓计算器 · 计算结果仅供参考，投资有风险，入市需谨慎",
            {-105, 5355, 8055, 255},
            song(9),
            Colour::fixed(0x808080),
            hlText,
            0,
            true,
            true},
};

constexpr WindowLook windowLook{u"QZ Ostrel v1.2   ",      8010, 5700, 0xFFFFFF, 3405, 2610,
                                {u"Arial", 15.75, true, 0}};

} // namespace

int twipsToPixels(int twips)
{
    return static_cast<int>(std::lround(twips / 15.0));
}

Rect toPixels(const Rect &twips)
{
    return {twipsToPixels(twips.left), twipsToPixels(twips.top), twipsToPixels(twips.width),
            twipsToPixels(twips.height)};
}

std::string Control::qualifiedName() const
{
    std::string qualified(name);
    if (index >= 0) {
        qualified += '(';
        qualified += std::to_string(index);
        qualified += ')';
    }
    return qualified;
}

const WindowLook &window()
{
    return windowLook;
}

std::span<const Control> controls()
{
    return table;
}

const Control *findControl(std::string_view qualifiedName)
{
    for (const Control &control : table) {
        if (control.qualifiedName() == qualifiedName)
            return &control;
    }
    return nullptr;
}

const Control *containerOf(const Control &control)
{
    return control.container.empty() ? nullptr : findControl(control.container);
}

Rect clientPixels(const Control &control)
{
    Rect rect = toPixels(control.twips);
    if (const Control *container = containerOf(control)) {
        const Rect outer = clientPixels(*container);
        rect.left += outer.left;
        rect.top += outer.top;
    }
    return rect;
}

const Control *controlAt(int x, int y)
{
    const Rect client{0, 0, twipsToPixels(windowLook.clientWidthTwips),
                      twipsToPixels(windowLook.clientHeightTwips)};
    if (!client.contains(x, y))
        return nullptr;
    // Search from the top of the stack down; a frame hands the point to its own controls
    // first, and they are clipped to the frame.
    const auto topmostIn = [&](std::string_view container, const auto &self) -> const Control * {
        for (auto it = table.rbegin(); it != table.rend(); ++it) {
            const Control &control = *it;
            if (control.container != container || !control.visible ||
                !clientPixels(control).contains(x, y))
                continue;
            if (control.kind == Kind::frame) {
                if (const Control *inner = self(control.name, self))
                    return inner;
            }
            return &control;
        }
        return nullptr;
    };
    return topmostIn({}, topmostIn);
}

std::span<const Control *const> tabOrder()
{
    static const std::vector<const Control *> order = [] {
        std::vector<const Control *> focusable;
        for (const Control &control : table) {
            if (control.takesFocus())
                focusable.push_back(&control);
        }
        std::stable_sort(
            focusable.begin(), focusable.end(),
            [](const Control *a, const Control *b) { return a->tabIndex < b->tabIndex; });
        return focusable;
    }();
    return order;
}

} // namespace ostrel::form
