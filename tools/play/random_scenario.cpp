// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

// ostrel-random-scenario: writes scenarios of random user actions, the same for the same
// seed, for runs that play them through every backend and compare the transcripts.
//
//   ostrel-random-scenario [SEED [ACTIONS]]
//       one scenario of ACTIONS actions (20,000 unless told) on standard output;
//   ostrel-random-scenario --count N [--from I] [--seed SEED] [--actions ACTIONS] FOLDER
//       N scenarios of ACTIONS actions each (30 unless told), FOLDER/random-00000.play and
//       on, or from random-I.play on; scenario I is the same for a seed however many are
//       written and from wherever.
#include "fee_windows.h"
#include "window_table.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <ostream>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr std::size_t defaultActions = 20000;
constexpr std::size_t defaultActionsInMany = 30;
constexpr int exitUsage = 2;

// A small generator of our own, so that a seed gives the same scenario with every library.
class Random {
public:
    explicit Random(std::uint64_t seed)
        : m_state(seed * 2 + 1)
    {
    }
    std::uint64_t next()
    {
        m_state ^= m_state << 13;
        m_state ^= m_state >> 7;
        m_state ^= m_state << 17;
        return m_state;
    }
    std::size_t below(std::size_t n) { return static_cast<std::size_t>(next() % n); }
    template<typename T> const T &pick(const std::vector<T> &items)
    {
        return items[below(items.size())];
    }

private:
    std::uint64_t m_state;
};

std::string digits(Random &random, std::size_t count)
{
    std::string text;
    for (std::size_t i = 0; i < count; ++i)
        text += static_cast<char>('0' + random.below(10));
    return text;
}

// Texts a user might type: ordinary amounts most of the time, and every kind of mistake.
std::string randomText(Random &random)
{
    static const std::vector<std::string> oddities = {
        "",     " ",   "0",   "00",  "-5",   "+3", "5.",   ".5",  "5.2.",  "1,000",
        "1e5",  "abc", "12a", "５",  "十二", "😀",  " 12 ", "-0",  "0.0",   "18.5",
        "99.5", "100", "\t1", "- 5", ".",    "-",  "\xff", "0.3", "32767", "32768"};
    switch (random.below(6)) {
    case 0:
        return random.pick(oddities);
    case 1:
        return digits(random, 1 + random.below(3)) + "." + digits(random, random.below(3));
    case 2:
        return digits(random, 1 + random.below(40));
    default:
        return digits(random, 1 + random.below(6));
    }
}

// What a user pastes: an amount copied from a spreadsheet, a terminal or a web page, often
// with the line break or the tab that came with it, sometimes several cells at once; in the
// scenario language's escapes.
std::string randomPaste(Random &random)
{
    static const std::vector<std::string> breaks = {"\n", "\r\n", "\t", "\r"};
    std::string text;
    if (random.below(8) == 0)
        text += random.pick(breaks);
    text += randomText(random);
    for (std::size_t more = random.below(3); more > 0; --more)
        text += random.pick(breaks) + randomText(random);
    if (random.below(2) == 0)
        text += random.pick(breaks);
    std::string escaped;
    for (const char c : text) {
        switch (c) {
        case '\n':
            escaped += "\\n";
            break;
        case '\r':
            escaped += "\\r";
            break;
        case '\t':
            escaped += "\\t";
            break;
        case '\\':
            escaped += "\\\\";
            break;
        default:
            escaped += c;
            break;
        }
    }
    return escaped;
}

// The controls and places a random user reaches for.
struct Window {
    std::vector<std::string> controls; // every visible control
    std::vector<std::string> fields;   // the visible entry fields
    std::vector<std::string> keypad;
    std::vector<std::string> resets;
    std::string calculate;
    std::size_t width = 0;
    std::size_t height = 0;
    // The modal windows: the button that opens each, its controls and its text boxes.
    struct Dialog {
        std::string opener;
        std::vector<std::string> controls;
        std::vector<std::string> boxes;
    };
    std::vector<Dialog> dialogs;
};

Window::Dialog dialogAsUsersSeeIt(const ostrel::layout::WindowDescription &description,
                                  const ostrel::Action &opens)
{
    Window::Dialog dialog{std::string(ostrel::layout::controlFor(opens)->id), {}, {}};
    for (const auto &control : description.controls()) {
        if (!control.visible)
            continue;
        dialog.controls.emplace_back(control.id);
        if (control.kind == ostrel::layout::Kind::textBox)
            dialog.boxes.emplace_back(control.id);
    }
    return dialog;
}

Window windowAsUsersSeeIt()
{
    using namespace ostrel;
    Window window;
    for (const auto &control : layout::controls()) {
        if (control.visible)
            window.controls.emplace_back(control.id);
    }
    for (const Field field : allFields) {
        const auto &control = layout::fieldControl(field);
        if (control.visible)
            window.fields.emplace_back(control.id);
    }
    for (int key = 0; key < keyCount; ++key)
        window.keypad.emplace_back(layout::keyControl(keyAt(key)).id);
    for (const ResetGroup group : {ResetGroup::all, ResetGroup::oldStock, ResetGroup::newStock})
        window.resets.emplace_back(layout::controlFor(Reset{group})->id);
    window.calculate = layout::controlFor(Calculate{})->id;
    window.dialogs = {dialogAsUsersSeeIt(layout::feeSettingsWindow(), OpenFeeSettings{}),
                      dialogAsUsersSeeIt(layout::detailWindow(), ShowDetail{})};
    window.width =
        static_cast<std::size_t>(layout::twipsToPixels(layout::window().clientWidthTwips));
    window.height =
        static_cast<std::size_t>(layout::twipsToPixels(layout::window().clientHeightTwips));
    return window;
}

// ACTIONS random actions, then what the window shows at the end.
void writeScenario(Random &random, const Window &window, std::uint64_t actions, std::ostream &out)
{
    enum Choice {
        type,
        paste,
        keypad,
        anyControl,
        reset,
        clickAt,
        tab,
        enter,
        calculate,
        look,
        fees,
        detail,
        modal,
        board,
        choices
    };
    // How often each choice comes, out of the sum.
    constexpr std::size_t weights[choices] = {3, 2, 4, 4, 1, 2, 2, 2, 1, 2, 1, 1, 2, 2};
    // Boards chosen from the list, and codes and names typed in, faults included.
    static const std::vector<std::string> boards = {
        "main",   "star",   "bse",    "star",        "bse",    "688981", "689009",
        "920001", "430047", "830799", "870199",      "300750", "600519", "68898",
        "abc",    "科创板", "北交所", "主板/创业板", "１２３"};
    // Rates as users type them into the fee settings, faults included.
    static const std::vector<std::string> rates = {"0",     "0.1", "1",    "2.5",    "3",
                                                   "5",     "30",  "1.5",  "-1",     "abc",
                                                   "10000", "7",   "9999", "0.00001"};
    std::size_t total = 0;
    for (const std::size_t weight : weights)
        total += weight;

    for (std::uint64_t i = 0; i < actions; ++i) {
        std::size_t roll = random.below(total);
        int choice = 0;
        while (roll >= weights[choice])
            roll -= weights[choice++];
        switch (choice) {
        case type:
            out << "type " << random.pick(window.fields) << ' ' << randomText(random) << '\n';
            break;
        case paste:
            out << "paste " << random.pick(window.fields) << ' ' << randomPaste(random) << '\n';
            break;
        case keypad:
            out << "click " << random.pick(window.keypad) << '\n';
            break;
        case anyControl:
            out << "click " << random.pick(window.controls) << "\ndismiss\n";
            break;
        case reset:
            out << "click " << random.pick(window.resets) << '\n';
            break;
        case clickAt:
            out << "clickat " << random.below(window.width) << ' ' << random.below(window.height)
                << "\ndismiss\n";
            break;
        case tab:
            out << "tab\n";
            break;
        case enter:
            // Enter on 费率设置 or 计算明细 opens a modal window; it is closed again so that
            // the main window takes the next action.
            out << "enter\ndismiss\n";
            break;
        case calculate:
            out << "click " << window.calculate << '\n';
            break;
        case fees:
            if (random.below(3) == 0) {
                out << "fees simple\n";
            } else {
                out << "fees itemised";
                for (int rate = 0; rate < 4; ++rate)
                    out << ' ' << random.pick(rates);
                out << '\n';
            }
            break;
        case detail:
            out << "detail\n";
            break;
        case modal: {
            // A modal window opened, rates typed into it, Tab pressed in it, what it shows read
            // back, then a key or a click that may close it; 取消 or 关闭 closes what is left.
            const Window::Dialog &dialog = window.dialogs[random.below(window.dialogs.size())];
            out << "click " << dialog.opener << '\n';
            for (std::size_t typed = random.below(3); typed > 0 && !dialog.boxes.empty(); --typed)
                out << "type " << random.pick(dialog.boxes) << ' ' << random.pick(rates) << '\n';
            for (std::size_t tabs = random.below(4); tabs > 0; --tabs)
                out << "tab\n";
            if (random.below(3) == 0)
                out << (random.below(2) ? "describe\n" : "accessible\n");
            constexpr const char *lastKeys[] = {"enter", "escape", "click"};
            const std::string last = lastKeys[random.below(std::size(lastKeys))];
            out << (last == "click" ? "click " + random.pick(dialog.controls) : last) << '\n';
            out << "dismiss\n";
            break;
        }
        case board:
            out << "board " << (random.below(2) ? "old " : "new ") << random.pick(boards) << '\n';
            break;
        default:
            out << (random.below(2) ? "show\n" : "caret " + random.pick(window.fields) + "\n");
            break;
        }
    }
    out << "show\n";
}

int usage()
{
    std::cerr << "usage: ostrel-random-scenario [SEED [ACTIONS]]\n"
                 "       ostrel-random-scenario --count N [--from I] [--seed SEED] "
                 "[--actions ACTIONS] FOLDER\n";
    return exitUsage;
}

bool readNumber(std::string_view text, std::uint64_t &number)
{
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    return error == std::errc() && end == text.data() + text.size();
}

// Scenarios FROM to FROM + COUNT - 1, each from a seed of its own drawn in turn from SEED.
int writeMany(std::uint64_t seed, std::uint64_t from, std::uint64_t count, std::uint64_t actions,
              const std::filesystem::path &folder)
{
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
        std::cerr << "ostrel-random-scenario: cannot make " << folder.string() << '\n';
        return exitUsage;
    }
    constexpr std::size_t leastWidth = 5;
    const std::uint64_t end = from + count;
    const std::size_t width = std::max(leastWidth, std::to_string(end ? end - 1 : 0).size());
    const Window window = windowAsUsersSeeIt();
    Random seeds(seed);
    for (std::uint64_t i = 0; i < from; ++i)
        seeds.next();
    for (std::uint64_t i = from; i < end; ++i) {
        Random random(seeds.next());
        std::string number = std::to_string(i);
        number.insert(0, width - number.size(), '0');
        std::ofstream out(folder / ("random-" + number + ".play"), std::ios::binary);
        writeScenario(random, window, actions, out);
        out.close();
        if (!out) {
            std::cerr << "ostrel-random-scenario: cannot write into " << folder.string() << '\n';
            return exitUsage;
        }
    }
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    std::uint64_t seed = 1;
    if (args.empty() || !args.front().starts_with("--")) {
        std::uint64_t actions = defaultActions;
        if ((args.size() > 0 && !readNumber(args[0], seed)) ||
            (args.size() > 1 && !readNumber(args[1], actions)) || args.size() > 2)
            return usage();
        Random random(seed);
        writeScenario(random, windowAsUsersSeeIt(), actions, std::cout);
        return 0;
    }

    std::uint64_t count = 0;
    std::uint64_t from = 0;
    std::uint64_t actions = defaultActionsInMany;
    std::string_view folder;
    bool counted = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "--count" && hasValue)
            counted = readNumber(args[++i], count);
        else if (arg == "--from" && hasValue) {
            if (!readNumber(args[++i], from))
                return usage();
        } else if (arg == "--seed" && hasValue) {
            if (!readNumber(args[++i], seed))
                return usage();
        } else if (arg == "--actions" && hasValue) {
            if (!readNumber(args[++i], actions))
                return usage();
        } else if (!arg.starts_with("-") && folder.empty())
            folder = arg;
        else
            return usage();
    }
    if (!counted || folder.empty())
        return usage();
    const std::u8string path(folder.begin(), folder.end());
    return writeMany(seed, from, count, actions, path);
}
