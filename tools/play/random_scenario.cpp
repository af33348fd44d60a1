// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

// ostrel-random-scenario: writes a scenario of random user actions, the same for the same
// seed, for long runs that play it through both backends and compare the transcripts.
#include "window_table.h"

#include <charconv>
#include <cstdint>
#include <iostream>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace {

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

std::vector<std::string> visibleControls()
{
    std::vector<std::string> names;
    for (const auto &control : ostrel::layout::controls()) {
        if (control.visible)
            names.emplace_back(control.id);
    }
    return names;
}

std::vector<std::string> visibleFields()
{
    std::vector<std::string> names;
    for (const ostrel::Field field : ostrel::allFields) {
        const auto &control = ostrel::layout::fieldControl(field);
        if (control.visible)
            names.emplace_back(control.id);
    }
    return names;
}

} // namespace

int main(int argc, char **argv)
{
    std::uint64_t seed = 1;
    std::size_t actions = 20000;
    if (argc > 1)
        std::from_chars(argv[1], argv[1] + std::string_view(argv[1]).size(), seed);
    if (argc > 2)
        std::from_chars(argv[2], argv[2] + std::string_view(argv[2]).size(), actions);

    Random random(seed);
    const auto controls = visibleControls();
    const auto fields = visibleFields();
    const int width = ostrel::layout::twipsToPixels(ostrel::layout::window().clientWidthTwips);
    const int height = ostrel::layout::twipsToPixels(ostrel::layout::window().clientHeightTwips);
    std::vector<std::string> keypad;
    for (int key = 0; key < ostrel::keyCount; ++key)
        keypad.emplace_back(ostrel::layout::keyControl(ostrel::keyAt(key)).id);

    for (std::size_t i = 0; i < actions; ++i) {
        switch (random.below(10)) {
        case 0:
        case 1:
            std::cout << "type " << random.pick(fields) << ' ' << randomText(random) << '\n';
            break;
        case 2:
        case 3:
            std::cout << "click " << random.pick(keypad) << '\n';
            break;
        case 4:
        case 5:
            std::cout << "click " << random.pick(controls) << '\n';
            break;
        case 6:
            std::cout << "clickat " << random.below(static_cast<std::size_t>(width)) << ' '
                      << random.below(static_cast<std::size_t>(height)) << '\n';
            break;
        case 7:
            std::cout << "tab\n";
            break;
        case 8:
            std::cout << "click Command1\n";
            break;
        default:
            std::cout << (random.below(2) ? "show\n" : "caret " + random.pick(fields) + "\n");
            break;
        }
    }
    return 0;
}
