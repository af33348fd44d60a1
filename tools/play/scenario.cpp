// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "scenario.h"

#include "core_backend.h"
#include "utf8.h"

#include <array>
#include <charconv>
#include <cstdio>
#include <istream>
#include <optional>
#include <ostream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace ostrel::play {
namespace {

struct ScenarioError {
    std::string why;
};

// A table's header or cell adds its role to the control's line; other controls add nothing.
std::string_view tablePartWords(layout::TablePart part)
{
    switch (part) {
    case layout::TablePart::columnHeader:
        return " | column header";
    case layout::TablePart::rowHeader:
        return " | row header";
    case layout::TablePart::cell:
        return " | cell";
    case layout::TablePart::none:
        break;
    }
    return {};
}

std::string oneLine(std::u16string_view text)
{
    std::string line;
    for (const char c : toUtf8(text)) {
        if (c == '\n')
            line += "\\n";
        else
            line += c;
    }
    return line;
}

std::string_view trimEnd(std::string_view text)
{
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

// The scenario names the fields and the controls by the window's control names.
Field fieldNamed(std::string_view name)
{
    const layout::Control *control = layout::findControl(name);
    if (!control || !control->field)
        throw ScenarioError{"no entry field named '" + std::string(name) + "'"};
    return *control->field;
}

Field visibleField(std::string_view name)
{
    const Field field = fieldNamed(name);
    if (!layout::fieldControl(field).visible)
        throw ScenarioError{"'" + std::string(name) + "' is hidden and cannot be used"};
    return field;
}

// The keypad's target as the transcript shows it: the fields numbered 1 to 6 in the order
// the keypad knows them.
int keypadCode(Field field)
{
    constexpr Field codes[] = {Field::oldPrice,    Field::sharesHeld, Field::newPrice,
                               Field::feePerMille, Field::balance,    Field::moneyToSpend};
    for (int code = 1; const Field coded : codes) {
        if (coded == field)
            return code;
        ++code;
    }
    return 0;
}

int coordinate(std::string_view text, int size, const char *axis)
{
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        throw ScenarioError{std::string("bad ") + axis + " coordinate '" + std::string(text) + "'"};
    if (value < 0 || value >= size)
        throw ScenarioError{std::string(axis) + " coordinate " + std::string(text) +
                            " is outside the client area"};
    return value;
}

// A pasted text may hold what no scenario line can: \n, \r and \t stand for a line feed, a
// carriage return and a tab, \\ for a backslash.
std::string unescaped(std::string_view text)
{
    std::string plain;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            plain += text[i];
            continue;
        }
        if (++i == text.size())
            throw ScenarioError{"a backslash ends the pasted text"};
        switch (text[i]) {
        case 'n':
            plain += '\n';
            break;
        case 'r':
            plain += '\r';
            break;
        case 't':
            plain += '\t';
            break;
        case '\\':
            plain += '\\';
            break;
        default:
            throw ScenarioError{std::string("unknown escape \\") + text[i]};
        }
    }
    return plain;
}

std::vector<std::string_view> words(std::string_view text)
{
    std::vector<std::string_view> found;
    while (!text.empty()) {
        const std::size_t start = text.find_first_not_of(' ');
        if (start == std::string_view::npos)
            break;
        text.remove_prefix(start);
        const std::size_t end = text.find(' ');
        found.push_back(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end);
    }
    return found;
}

constexpr std::array<std::string_view, allBoards.size()> boardWords{"main", "star", "bse"};

// The word of the board a drop-down shows; what it shows as it is when that names no board.
std::string boardWord(std::u16string_view shown)
{
    for (const Board board : allBoards) {
        if (shown == layout::boardName(board))
            return std::string(boardWords[static_cast<std::size_t>(board)]);
    }
    return toUtf8(shown);
}

// `board old|new main|star|bse` chooses the board from the list; any other word is typed into
// the drop-down, as a stock's code is.
void chooseBoard(Backend &backend, std::string_view argument)
{
    const std::vector<std::string_view> values = words(argument);
    if (values.size() != 2 || (values[0] != "old" && values[0] != "new"))
        throw ScenarioError{"board takes 'old' or 'new' and a board or a code"};
    const Stock stock = values[0] == "old" ? Stock::oldStock : Stock::newStock;
    for (const Board board : allBoards) {
        if (values[1] == boardWords[static_cast<std::size_t>(board)]) {
            backend.chooseBoard(stock, board);
            return;
        }
    }
    backend.typeBoard(stock, fromUtf8(values[1]));
}

void show(const Backend &backend, std::ostream &out)
{
    for (const Field field : allFields)
        out << layout::fieldControl(field).id << '=' << oneLine(backend.text(field)) << '\n';
    out << layout::resultLine().id << '=' << oneLine(backend.result()) << '\n';
    out << "GoText1=" << keypadCode(backend.keypadTarget()) << '\n';
    const layout::Control *focus = backend.focus();
    out << "focus=" << (focus ? focus->id : "none") << '\n';
    // Transcripts from before there were boards to choose stay as they were.
    const std::string oldBoard = boardWord(backend.boardText(Stock::oldStock));
    const std::string newBoard = boardWord(backend.boardText(Stock::newStock));
    if (oldBoard != "main" || newBoard != "main")
        out << "board.old=" << oldBoard << "\nboard.new=" << newBoard << '\n';
}

std::string_view kindWord(layout::Kind kind)
{
    switch (kind) {
    case layout::Kind::label:
        return "label";
    case layout::Kind::textBox:
        return "textbox";
    case layout::Kind::frame:
        return "frame";
    case layout::Kind::checkBox:
        return "checkbox";
    case layout::Kind::radioButton:
        return "radio";
    case layout::Kind::dropDown:
        return "dropdown";
    case layout::Kind::button:
        break;
    }
    return "button";
}

std::string colourWord(layout::Colour colour)
{
    switch (colour.role) {
    case layout::Colour::Role::system:
        return "system";
    case layout::Colour::Role::highlightText:
        return "highlight-text";
    case layout::Colour::Role::none:
        return "none";
    case layout::Colour::Role::rgb:
        break;
    }
    char hex[8];
    std::snprintf(hex, sizeof hex, "#%06X", static_cast<unsigned>(colour.rgb));
    return hex;
}

// "宋体 10.5 bold"; "none" for a control that shows no text of its own.
std::string fontWords(const testing::ControlView &control)
{
    if (control.face.empty())
        return "none";
    std::ostringstream words;
    words << toUtf8(control.face) << ' ' << control.points << ' '
          << (control.bold ? "bold" : "regular");
    return words.str();
}

// The window as it stands: its title and client size, then every control in creation order.
void describe(const Backend &backend, std::ostream &out)
{
    const testing::WindowView view = backend.describe();
    out << "window | " << oneLine(view.title) << " | " << view.width << ',' << view.height << '\n';
    for (const testing::ControlView &control : view.controls) {
        const layout::Rect &place = control.pixels;
        out << "control | " << control.id << " | " << kindWord(control.kind) << " | "
            << (control.container.empty() ? "window" : control.container) << " | " << place.left
            << ',' << place.top << ',' << place.width << ',' << place.height << " | "
            << oneLine(control.caption) << " | " << fontWords(control) << " | "
            << colourWord(control.foreground) << " | " << colourWord(control.background) << " | "
            << control.tabIndex << " | " << (control.shown ? "shown" : "hidden");
        // A modal window's choices and greyed-out controls are part of what it shows.
        if (view.isDialog) {
            out << " | "
                << (!control.checked   ? "-"
                    : *control.checked ? "checked"
                                       : "unchecked")
                << " | " << (control.greyed ? "greyed" : "enabled");
        }
        out << '\n';
    }
    if (view.isDialog)
        out << "focus | " << (view.focus.empty() ? "none" : view.focus) << '\n';
}

// While a modal window is open only it takes input.
void needNoDialog(const Backend &backend, std::string_view command)
{
    if (backend.openDialog())
        throw ScenarioError{"'" + std::string(command) + "' needs the main window, but a modal " +
                            "window is open"};
}

const layout::Control &controlNamed(const Backend &backend, std::string_view name)
{
    const layout::WindowDescription *dialog = backend.openDialog();
    const layout::Control *control = dialog ? dialog->findControl(name) : layout::findControl(name);
    if (!control)
        throw ScenarioError{"no control named '" + std::string(name) + "'" +
                            (dialog ? " in the open modal window" : "")};
    if (!control->visible)
        throw ScenarioError{"'" + std::string(name) + "' is hidden and cannot be clicked"};
    return *control;
}

void click(Backend &backend, std::string_view name)
{
    backend.click(controlNamed(backend, name));
}

// `fees simple` and `fees itemised C M S T`: the fee settings window, filled in and
// confirmed as a user does it. When 确定 is refused, 取消 closes the window.
void chooseFees(Backend &backend, std::string_view argument)
{
    const std::vector<std::string_view> values = words(argument);
    const bool simple = values.size() == 1 && values.front() == "simple";
    const bool itemised = values.size() == 5 && values.front() == "itemised";
    if (!simple && !itemised)
        throw ScenarioError{"fees takes 'simple' or 'itemised C M S T'"};
    needNoDialog(backend, "fees");
    click(backend, "feeSettings");
    if (!backend.openDialog())
        throw ScenarioError{"the fee settings did not open"};
    if (simple) {
        click(backend, "perMilleModel");
    } else {
        click(backend, "itemisedModel");
        constexpr std::string_view entries[] = {"commissionRate", "minimumCommission",
                                                "stampDutyRate", "transferFeeRate"};
        for (std::size_t i = 0; i < std::size(entries); ++i)
            backend.typeInto(controlNamed(backend, entries[i]), fromUtf8(values[i + 1]));
        const layout::Control &waiver = controlNamed(backend, "waiveMinimum");
        if (backend.isChecked(waiver))
            backend.click(waiver);
    }
    click(backend, "settingsOk");
    if (backend.openDialog())
        click(backend, "settingsCancel");
}

// `detail`: the detail window's rows, as its copy button copies them.
void printDetail(Backend &backend, std::ostream &out)
{
    needNoDialog(backend, "detail");
    click(backend, "detail");
    if (!backend.openDialog())
        throw ScenarioError{"the detail window did not open"};
    click(backend, "copyDetail");
    click(backend, "closeDetail");
    const std::string copied = toUtf8(backend.clipboard());
    std::string_view rest = copied;
    while (!rest.empty()) {
        const std::size_t end = rest.find('\n');
        std::string_view row = rest.substr(0, end);
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
        if (!row.empty() && row.back() == '\r')
            row.remove_suffix(1);
        out << "detail";
        while (true) {
            const std::size_t tab = row.find('\t');
            out << " | " << row.substr(0, tab);
            if (tab == std::string_view::npos)
                break;
            row.remove_prefix(tab + 1);
        }
        out << '\n';
    }
}

void playLine(std::string_view line, Backend &backend, std::ostream &out)
{
    const std::size_t blank = line.find(' ');
    const std::string_view command = line.substr(0, blank);
    const std::string_view rest =
        blank == std::string_view::npos ? std::string_view() : line.substr(blank + 1);

    if (command == "type" || command == "paste") {
        // TEXT is everything after the one blank that follows the field's name, verbatim for
        // typing, with escapes for pasting.
        const std::size_t gap = rest.find(' ');
        const std::string_view name = rest.substr(0, gap);
        const std::string_view text =
            gap == std::string_view::npos ? std::string_view() : rest.substr(gap + 1);
        if (const layout::WindowDescription *dialog = backend.openDialog()) {
            const layout::Control *box = dialog->findControl(name);
            if (command != "type" || !box || box->kind != layout::Kind::textBox)
                throw ScenarioError{"no text box named '" + std::string(name) +
                                    "' in the open modal window"};
            backend.typeInto(*box, fromUtf8(text));
            return;
        }
        const Field field = visibleField(name);
        if (command == "type")
            backend.type(field, fromUtf8(text));
        else
            backend.paste(field, fromUtf8(unescaped(text)));
        return;
    }
    const std::string_view argument = trimEnd(rest);
    const auto noArgument = [&] {
        if (!argument.empty())
            throw ScenarioError{"'" + std::string(command) + "' takes no argument"};
    };
    if (command == "click") {
        click(backend, argument);
        return;
    }
    if (command == "fees") {
        chooseFees(backend, argument);
        return;
    }
    if (command == "detail") {
        noArgument();
        printDetail(backend, out);
        return;
    }
    if (command == "stored") {
        // KEY TEXT: TEXT is everything after the one blank that follows the key.
        const std::size_t gap = rest.find(' ');
        if (gap == 0 || rest.empty())
            throw ScenarioError{"stored needs a key"};
        backend.storeText(
            rest.substr(0, gap),
            fromUtf8(gap == std::string_view::npos ? std::string_view() : rest.substr(gap + 1)));
        return;
    }
    if (command == "dismiss") {
        // Closes the modal window, if one is open, as its 取消 or 关闭 does.
        noArgument();
        if (const layout::WindowDescription *dialog = backend.openDialog())
            backend.click(*dialog->controlFor(CloseDialog{}));
        return;
    }
    if (command == "reload") {
        noArgument();
        backend.reloadSettings();
        return;
    }
    // The keys and what the scenario reads back work in the window in front, a modal one too.
    if (command == "tab" || command == "enter" || command == "escape") {
        noArgument();
        if (command == "tab")
            backend.tab();
        else if (command == "enter")
            backend.enter();
        else
            backend.escape();
        return;
    }
    if (command == "accessible") {
        noArgument();
        for (const testing::AccessibleView &view : backend.accessible())
            out << "accessible | " << view.id << " | " << oneLine(view.name) << " | "
                << oneLine(view.description) << " | " << view.labelledBy
                << tablePartWords(view.tablePart) << '\n';
        return;
    }
    if (command == "describe") {
        noArgument();
        describe(backend, out);
        return;
    }
    needNoDialog(backend, command);
    if (command == "clickat") {
        const std::size_t gap = argument.find(' ');
        if (gap == std::string_view::npos)
            throw ScenarioError{"clickat needs X and Y"};
        const auto &window = layout::window();
        const int x = coordinate(argument.substr(0, gap),
                                 layout::twipsToPixels(window.clientWidthTwips), "X");
        const int y = coordinate(argument.substr(gap + 1),
                                 layout::twipsToPixels(window.clientHeightTwips), "Y");
        backend.clickAt(x, y);
    } else if (command == "board") {
        chooseBoard(backend, argument);
    } else if (command == "show") {
        noArgument();
        show(backend, out);
    } else if (command == "caret") {
        out << "caret." << argument << '=' << backend.caret(fieldNamed(argument)) << '\n';
    } else {
        throw ScenarioError{"unknown command '" + std::string(command) + "'"};
    }
}

} // namespace

MessageSink messagePrinter(std::ostream &out)
{
    return [&out](std::u16string_view title, std::u16string_view body) {
        out << "msgbox " << oneLine(title) << " | " << oneLine(body) << '\n';
    };
}

int CoreStage::play(std::istream &in, std::ostream &out, std::ostream &err)
{
    testing::CoreBackend backend(messagePrinter(out));
    return playScenario(in, backend, out, err);
}

int playScenario(std::istream &in, Backend &backend, std::ostream &out, std::ostream &err)
{
    std::string line;
    std::size_t number = 0;
    while (std::getline(in, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line.front() == '#' ||
            line.find_first_not_of(" \t") == std::string::npos)
            continue;
        try {
            playLine(line, backend, out);
        } catch (const ScenarioError &error) {
            out.flush();
            err << "line " << number << ": " << error.why << '\n';
            return exitScenarioError;
        }
    }
    out.flush();
    return exitOk;
}

} // namespace ostrel::play
