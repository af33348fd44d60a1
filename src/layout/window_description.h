// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "actions.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

// A window as data: every control with its id, kind, container, caption or start-up text,
// place, font, colours, tab index, visibility, the action its click and Enter run and what
// assistive technology tells of it, together with every decision that follows from them
// (where a caption's lines stand, which part of a caption can be seen, which control a point
// falls on, the order Tab visits). Each window adapter builds its widgets from a description
// and decides only how its platform draws and reports them, so the adapters cannot drift
// apart, and the test double of the window follows the same description.
namespace ostrel::layout {

// A check box ticks and a radio button checks itself when clicked, before its action runs; the
// radio buttons of one container exclude each other. A drop-down list shows one of its items
// and takes typing in its edit part; its action runs once an item is chosen or the typing is
// done (Return, or the focus leaving it).
enum class Kind { label, textBox, frame, button, checkBox, radioButton, dropDown };

// A colour is fixed, one of the desktop's own, or not given.
struct Colour {
    enum class Role { rgb, system, highlightText, none };
    Role role = Role::system;
    std::uint32_t rgb = 0; // 0xRRGGBB, for Role::rgb

    static constexpr Colour system() { return {Role::system, 0}; }
    static constexpr Colour highlightText() { return {Role::highlightText, 0}; }
    static constexpr Colour none() { return {Role::none, 0}; }
    static constexpr Colour fixed(std::uint32_t rgb) { return {Role::rgb, rgb}; }
};

// The desktop's own colours that a control may take.
enum class SystemColour {
    fieldText,     // a text box's text
    fieldFace,     // a text box's face
    buttonText,    // a push button's caption
    buttonFace,    // a push button's face
    windowText,    // a caption on the window's face
    windowFace,    // the face of a window, a caption, a frame, a check box or a radio button
    highlightText, // the text of selected items
};

// Which of the desktop's colours a control of a kind takes where the description gives none:
// a text box the text area's, a push button the button's, anything else the window's.
struct SystemColours {
    SystemColour foreground;
    SystemColour background;
};
SystemColours systemColoursOf(Kind kind);

// What a colour resolves to on a control whose own colour for it would be `systemColour`: a
// fixed colour (0xRRGGBB), or one of the desktop's.
std::variant<std::uint32_t, SystemColour> resolve(Colour colour, SystemColour systemColour);

struct Font {
    std::u16string_view face; // empty: the control shows no text of its own
    double points = 0;
    bool bold = false;
};

// Lengths in twips, 15 to a pixel at 96 dots per inch.
struct Rect {
    int left = 0, top = 0, width = 0, height = 0;
    bool contains(int x, int y) const
    {
        return x >= left && y >= top && x < left + width && y < top + height;
    }
    bool operator==(const Rect &) const = default;
};

inline constexpr int twipsPerPixel = 15;
inline constexpr int pixelsPerInch = 96;
inline constexpr int pointsPerInch = 72;
int twipsToPixels(int twips);
Rect toPixels(const Rect &twips);
// The height of a font's letters in pixels at `dpi` dots per inch (96 unless told), to the
// nearest pixel.
int fontPixels(double points, int dpi = pixelsPerInch);
// The faces that draw a face, best first: the face itself, then those that stand in for it
// where it is not installed (the other systems' Song or Hei faces, then Debian's, and a face of
// another style last). One list for every platform, so each draws the same face where it has
// it.
std::vector<std::u16string_view> fontFaces(std::u16string_view face);

enum class Align { left, centre, right };

// Where a caption stands in a table of figures, so that a screen reader reads it as a table's
// header or cell: the figure, then the row and the column it stands in.
enum class TablePart { none, columnHeader, rowHeader, cell };

// Another control of the same window: its place in the window's controls, resolved when the
// window is described, so that a wrong reference does not compile.
struct ControlRef {
    static constexpr std::uint16_t noneIndex = 0xFFFF;
    std::uint16_t index = noneIndex;

    constexpr explicit operator bool() const { return index != noneIndex; }
    bool operator==(const ControlRef &) const = default;
};

// What assistive technology (a screen reader, a braille display) tells of a control, in the
// window's language.
struct AccessibleInfo {
    std::u16string_view name;        // empty: the control's caption, see `accessibleName`
    std::u16string_view description; // empty: none
    // The label that shows the control's caption on the screen, so that a screen reader can
    // tell which caption belongs to a field; none: none.
    ControlRef labelledBy{};
    // What a greyed-out control is described as instead; empty: the same description.
    std::u16string_view descriptionWhenGreyed{};
};

struct Control {
    // The control's name: the widgets' object name and the word the scenarios use
    // ("Command3(5)" for a key of the keypad).
    std::string_view id{};
    Kind kind = Kind::label;
    ControlRef container{};     // the frame that holds it; none: the client area
    std::u16string_view text{}; // caption, or start-up text of a text box
    Rect twips{};               // relative to the container's outer top-left corner
    Font font{};
    Colour foreground{};
    Colour background{};
    int tabIndex = 0;
    bool visible = true;
    Action action = NoAction{};             // what a click runs
    std::optional<Field> field{};           // the entry field a text box is
    std::optional<FeeEntry> feeEntry{};     // the fee setting a text box holds
    std::optional<DetailItem> detailItem{}; // the item of the detail a label shows
    std::optional<Stock> board{};           // the stock whose board a drop-down chooses
    bool isFeeModelNote = false;            // the caption that tells which fee model is in use
    // What Return in this text box, check box or radio button runs: the calculation in the
    // main window, 确定 in a settings window.
    Action enterAction = Calculate{};
    bool keepsFocusWhereItIs = false; // a click leaves the focus in the field being typed into
    bool isResultLine = false;        // the caption the calculation and the resets write
    // Its caption can be selected with the mouse and copied (the copy key wherever the focus
    // is, or its context menu), without it taking the focus.
    bool selectableText = false;
    Align align = Align::left;
    TablePart tablePart = TablePart::none;
    AccessibleInfo accessible{};

    bool takesFocus() const
    {
        return visible &&
               (kind == Kind::textBox || kind == Kind::button || kind == Kind::checkBox ||
                kind == Kind::radioButton || kind == Kind::dropDown);
    }
    bool takesFocusOnClick() const { return takesFocus() && !keepsFocusWhereItIs; }
    // What Return (or the keypad's Enter) runs on the control with the keyboard focus: in an
    // entry field it starts the calculation, as 开始计算 does; on a push button it presses the
    // button, as a click does (a keypad key edits the field clicked last); on a choice or a
    // check box of a settings window it presses 确定. On the desktop this window comes from Enter
    // on a focused button presses it, and its users press Enter out of habit. Space presses a
    // focused button on every desktop.
    Action actionOnEnter() const
    {
        if (!takesFocus())
            return NoAction{};
        return kind == Kind::button ? action : enterAction;
    }
};

struct WindowLook {
    std::u16string_view caption;
    int clientWidthTwips;
    int clientHeightTwips;
    std::uint32_t background;
    // Where the client area first opens, from the top-left corner of the screen.
    int storedLeftTwips;
    int storedTopTwips;
};

// The band of one line of a caption, in pixels at 96 dots per inch from the caption's top.
struct LineBand {
    int top = 0;
    int height = 0;
    bool operator==(const LineBand &) const = default;
};

// The most characters a text box holds; longer texts are cut to it.
inline constexpr std::size_t maxTextLength = 32767;

// What only the window knows of a control at a moment: whether it is greyed out, and whether a
// check box or radio button is checked.
struct ControlStates {
    std::function<bool(const Control &)> isEnabled;
    std::function<bool(const Control &)> isChecked;
};

class WindowDescription {
public:
    // `controls` in creation order: a later control is drawn above an earlier one of the same
    // container, and a frame's controls above the frame. It must outlive the description.
    WindowDescription(const WindowLook &look, std::span<const Control> controls);

    const WindowLook &look() const { return m_look; }
    std::span<const Control> controls() const { return m_controls; }
    const Control &control(ControlRef ref) const { return m_controls[ref.index]; }
    // Its place in `controls()`.
    std::size_t positionOf(const Control &control) const;
    ControlRef refOf(const Control &control) const;

    // By the id the scenarios and the widgets use; none for an id the window does not have.
    const Control *findControl(std::string_view id) const;
    const Control *containerOf(const Control &control) const;
    // The text box of the field; none in a window without it.
    const Control *fieldControl(Field field) const;
    // The caption the calculation writes; none in a window without one.
    const Control *resultLine() const;
    // The caption that tells which fee model is in use; none in a window without one.
    const Control *feeModelNote() const;
    // The text box of a fee setting; none where there is none.
    const Control *feeEntryControl(FeeEntry entry) const;
    // The first control whose click runs the action, or none.
    const Control *controlFor(const Action &action) const;

    int clientWidthPixels() const;
    int clientHeightPixels() const;
    // The control's place in pixels, relative to the window's client area.
    Rect clientPixels(const Control &control) const;
    // The topmost visible control at a pixel of the client area, or none (the bare window).
    const Control *controlAt(int x, int y) const;
    // The controls that take the focus, in the order Tab visits them.
    std::span<const Control *const> tabOrder() const { return m_tabOrder; }
    // The radio buttons that exclude each other with `choice`: those of its container, itself
    // among them.
    std::vector<const Control *> radioGroupOf(const Control &choice) const;
    // Where Tab moves the focus from `from` (none: from before the first control): the next
    // control in the tab order that is not greyed out, where a group of radio buttons is one
    // stop, at its checked button (the first of them when none is checked). Shift+Tab moves
    // back. None when no control can take the focus.
    const Control *nextTabStop(const Control *from, const ControlStates &states,
                               bool backwards = false) const;

    // Captions. A caption wraps only where its place holds more than one line: a one-line
    // caption a pixel too wide loses that pixel, not its last character to a line nobody can
    // see.
    bool captionWraps(const Control &label) const;
    // A caption that stands beside a column of entry fields in a frame: its lines stand level
    // with the fields, one line per field row, whatever the font's own line height is. Its
    // wide gaps (two blanks or more) are where its lines break: the window was drawn with
    // blanks that push the next part of the caption down to the next field. Empty for any
    // other control.
    std::vector<std::u16string_view> captionLinesBesideFields(const Control &label) const;
    // The band of line `line` of such a caption: the band of its field row; lines past the
    // last row keep the rows' pitch.
    LineBand lineBand(const Control &label, std::size_t line) const;
    // The part of a control's place that lies inside the client area, in the control's own
    // pixels: a caption keeps to the part that can be seen (the credit line is wider than the
    // window and centres its text in what shows).
    Rect visiblePart(const Control &control) const;

    // Accessibility: the label that shows the control's caption, or none; the controls whose
    // caption a label shows, in table order.
    const Control *labelledBy(const Control &control) const;
    std::vector<const Control *> labelFor(const Control &label) const;

private:
    std::vector<LineBand> fieldRowsBeside(const Control &label) const;

    WindowLook m_look;
    std::span<const Control> m_controls;
    std::vector<const Control *> m_tabOrder;
    std::array<const Control *, fieldCount> m_fields{};
};

// The items of a drop-down list, top to bottom: a board's drop-down lists the boards in the
// order of `allBoards`. Empty for any other control.
std::span<const std::u16string_view> itemsOf(const Control &control);
// The names of the boards as their drop-downs show them, in the order of `allBoards`.
inline constexpr std::array<std::u16string_view, allBoards.size()> boardNames{u"主板/创业板",
                                                                              u"科创板", u"北交所"};
inline constexpr std::u16string_view boardName(Board board)
{
    return boardNames[static_cast<std::size_t>(board)];
}

// The name of a control: its accessible name, otherwise its caption without the blanks that
// only place it on the screen (leading and trailing blanks dropped, runs of blanks made one).
std::u16string accessibleName(const Control &control);
// The description of a control; empty for none. The description of the result line, and of
// the caption that tells the fee model, is the caption it shows, which only the window knows,
// and every caption written to the result line is announced.
// A greyed-out control is described by what it is for while it is not used.
std::u16string_view accessibleDescription(const Control &control, bool greyed = false);
// Captions the calculator writes while the window is open are described by what they show,
// and each change is announced: the result line, the note of the fee model, and each figure
// of the detail, which its name places in its row and column.
bool isDescribedByItsCaption(const Control &control);
// Whether assistive technology is told of the control at all: a control that is never shown
// is not in the window's tree of accessible objects.
bool isInAccessibleTree(const Control &control);
// `text` without leading and trailing blanks and with each run of blanks inside made one.
std::u16string collapseBlanks(std::u16string_view text);

} // namespace ostrel::layout
