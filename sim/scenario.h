// Scenario files of the stand-in: plain text, one timed action per line,
// `#` starts a comment. The grammar is in sim/README.md and in --help.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace dryer::sim {

enum class ActionKind : std::uint8_t {
    shutdown,      // a = node, b = warning id; the dryer stops
    warning,       // a = node, b = warning id; the dryer keeps running
    clear,         // the reported pair goes to 0, 0; a stopped dryer restarts
    silent,        // duration_ms: no status frames
    corrupt,       // a = number of frames sent with one flipped bit
    split,         // the next frame goes out in two halves, one cycle apart
    set8,          // a = offset, b = value
    set16le,       // a = offset, b = value
    set16be,       // a = offset, b = value
    start,         // the dryer runs
    stop,          // the dryer stops (no shutdown reported)
    load,          // a load begins now
    dipswitch,     // a = 0/1: the defaults dipswitch (188 bit 5)
    learning,      // a = minutes of moisture-control learning period
    sampler,       // a = 0/1: the cycled sampler is installed (293 bit 7)
    fans,          // a = number of fan/heaters: 1, 2, 3, 4 or 6
    mode,          // a = drying mode 0, 1 or 3
    metric,        // a = 0/1 (266 bit 7)
    dual_plenum,   // a = 0/1 (257 bit 1)
    refuse,        // a = offset: items touching it are no longer echoed
    accept,        // a = offset: undoes refuse
    events,        // a = 0/1: the unscripted warnings of the default demo
};

struct Action {
    std::uint64_t at_ms = 0;  // plant time since the stand-in started serving
    ActionKind kind = ActionKind::set8;
    std::uint32_t a = 0;
    std::uint32_t b = 0;
    std::uint64_t duration_ms = 0;
    int line = 0;  // line of the scenario file, for the log
};

struct ScenarioResult {
    bool ok = false;
    std::vector<Action> actions;  // sorted by time, file order kept for ties
    std::string error;            // "line N: ..." when !ok
};

// parse_scenario() returns every action of the text sorted by time
// when every line is blank, a comment or a valid action; otherwise ok =
// false and an error naming the first bad line by number (1-based).
ScenarioResult parse_scenario(std::string_view text);

// load_scenario() reads the file and parse it as above; an unreadable
// file gives ok = false with the reason.
ScenarioResult load_scenario(const std::string& path);

// describe() returns the action in the scenario grammar ("at 30s
// shutdown node 14 warning 5").
std::string describe(const Action& action);

// The grammar, for --help.
extern const char* const kScenarioGrammar;

}  // namespace dryer::sim
