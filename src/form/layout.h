#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

// The window as data: every control with its kind, container, caption or start-up text,
// place, font, colours, tab index and visibility. The Qt window is built from this table and
// the test double of the window follows the same table, so the two cannot drift apart.
namespace ostrel::form {

enum class Kind { label, textBox, frame, button };

// A colour is either fixed or one of the desktop's own.
struct Colour {
    enum class Role { rgb, system, highlightText };
    Role role = Role::system;
    std::uint32_t rgb = 0; // 0xRRGGBB, for Role::rgb

    static constexpr Colour system() { return {Role::system, 0}; }
    static constexpr Colour highlightText() { return {Role::highlightText, 0}; }
    static constexpr Colour fixed(std::uint32_t rgb) { return {Role::rgb, rgb}; }
};

struct Font {
    std::u16string_view face; // empty: the control shows no text of its own
    double points = 0;
    bool bold = false;
    int charset = 134; // 134 GB2312, 0 Western
};

// Lengths in twips, 15 to a pixel at 96 dots per inch.
struct Rect {
    int left = 0, top = 0, width = 0, height = 0;
    bool contains(int x, int y) const
    {
        return x >= left && y >= top && x < left + width && y < top + height;
    }
};

int twipsToPixels(int twips);
Rect toPixels(const Rect &twips);

struct Control {
    std::string_view name;
    int index = -1; // element of a control array, -1 for a single control
    Kind kind = Kind::label;
    std::string_view container; // empty: the window's client area
    std::u16string_view text;   // caption, or start-up text of a text box
    Rect twips;                 // relative to the container's outer top-left corner
    Font font;
    Colour foreground;
    Colour background;
    int tabIndex = 0;
    bool visible = true;
    bool hasHandler = false;

    // "Command3(5)" for an element of a control array, the plain name otherwise.
    std::string qualifiedName() const;
    bool takesFocus() const { return visible && (kind == Kind::textBox || kind == Kind::button); }
};

struct WindowLook {
    std::u16string_view caption;
    int clientWidthTwips;
    int clientHeightTwips;
    std::uint32_t background;
    int storedLeftTwips;
    int storedTopTwips;
    Font font;
};

const WindowLook &window();

// Every control in creation order: a later control is drawn above an earlier one of the same
// container, and a frame's controls above the frame.
std::span<const Control> controls();

const Control *findControl(std::string_view qualifiedName);
const Control *containerOf(const Control &control);

// The control's place in pixels, relative to the window's client area.
Rect clientPixels(const Control &control);

// The topmost visible control at a pixel of the client area, or none (the bare window).
const Control *controlAt(int x, int y);

// The most characters a text box holds; longer texts are cut to it.
inline constexpr std::size_t maxTextLength = 32767;

// The controls that take the focus, in the order Tab visits them.
std::span<const Control *const> tabOrder();

} // namespace ostrel::form
