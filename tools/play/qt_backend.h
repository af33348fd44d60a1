#pragma once

#include <iosfwd>

namespace ostrel::play {

// Plays the scenario against the real window: starts Qt (on the offscreen desktop unless
// QT_QPA_PLATFORM names another), opens the calculator's window and sends it real mouse and
// keyboard events. Returns what `playScenario` returns.
int playWithQt(int argc, char **argv, std::istream &in, std::ostream &out, std::ostream &err);

} // namespace ostrel::play
