#include "scenario.h"

#include "utf8.h"

#include <charconv>
#include <istream>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

namespace ostrel::play {
namespace {

struct ScenarioError {
    std::string why;
};

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

Field visibleField(std::string_view name)
{
    const auto field = fieldNamed(name);
    if (!field)
        throw ScenarioError{"no entry field named '" + std::string(name) + "'"};
    if (!form::findControl(name)->visible)
        throw ScenarioError{"'" + std::string(name) + "' is hidden and cannot be used"};
    return *field;
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

void show(const Backend &backend, std::ostream &out)
{
    constexpr Field order[] = {Field::oldprice, Field::buy6,      Field::newprice, Field::ybuy,
                               Field::souxufei, Field::savemoney, Field::buymoney};
    for (const Field field : order)
        out << fieldName(field) << '=' << oneLine(backend.text(field)) << '\n';
    out << "xsall=" << oneLine(backend.result()) << '\n';
    out << "GoText1=" << backend.goText1() << '\n';
    out << "focus=" << backend.focus() << '\n';
}

void playLine(std::string_view line, Backend &backend, std::ostream &out)
{
    const std::size_t blank = line.find(' ');
    const std::string_view command = line.substr(0, blank);
    const std::string_view rest =
        blank == std::string_view::npos ? std::string_view() : line.substr(blank + 1);

    if (command == "type") {
        // TEXT is everything after the one blank that follows the field's name, verbatim.
        const std::size_t gap = rest.find(' ');
        const std::string_view name = rest.substr(0, gap);
        const std::string_view text =
            gap == std::string_view::npos ? std::string_view() : rest.substr(gap + 1);
        backend.type(visibleField(name), fromUtf8(text));
        return;
    }
    const std::string_view argument = trimEnd(rest);
    const auto noArgument = [&] {
        if (!argument.empty())
            throw ScenarioError{"'" + std::string(command) + "' takes no argument"};
    };
    if (command == "click") {
        const form::Control *control = form::findControl(argument);
        if (!control)
            throw ScenarioError{"no control named '" + std::string(argument) + "'"};
        if (!control->visible)
            throw ScenarioError{"'" + std::string(argument) + "' is hidden and cannot be clicked"};
        backend.click(*control);
    } else if (command == "clickat") {
        const std::size_t gap = argument.find(' ');
        if (gap == std::string_view::npos)
            throw ScenarioError{"clickat needs X and Y"};
        const auto &window = form::window();
        const int x =
            coordinate(argument.substr(0, gap), form::twipsToPixels(window.clientWidthTwips), "X");
        const int y = coordinate(argument.substr(gap + 1),
                                 form::twipsToPixels(window.clientHeightTwips), "Y");
        backend.clickAt(x, y);
    } else if (command == "tab") {
        noArgument();
        backend.tab();
    } else if (command == "show") {
        noArgument();
        show(backend, out);
    } else if (command == "caret") {
        const auto field = fieldNamed(argument);
        if (!field)
            throw ScenarioError{"no entry field named '" + std::string(argument) + "'"};
        out << "caret." << argument << '=' << backend.caret(*field) << '\n';
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
