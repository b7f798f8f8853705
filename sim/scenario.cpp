#include "sim/scenario.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <sstream>

namespace dryer::sim {
namespace {

std::vector<std::string_view> split_words(std::string_view line) {
    std::vector<std::string_view> words;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r')) ++i;
        std::size_t j = i;
        while (j < line.size() && line[j] != ' ' && line[j] != '\t' && line[j] != '\r') ++j;
        if (j > i) words.push_back(line.substr(i, j - i));
        i = j;
    }
    return words;
}

// A decimal or 0x-prefixed hexadecimal number no larger than max.
bool parse_number(std::string_view w, std::uint32_t max, std::uint32_t& out) {
    int base = 10;
    if (w.size() > 2 && w[0] == '0' && (w[1] == 'x' || w[1] == 'X')) {
        base = 16;
        w.remove_prefix(2);
    }
    std::uint64_t v = 0;
    auto [p, ec] = std::from_chars(w.data(), w.data() + w.size(), v, base);
    if (ec != std::errc() || p != w.data() + w.size() || v > max) return false;
    out = static_cast<std::uint32_t>(v);
    return true;
}

// A duration: one or more groups of digits and a unit (ms, s, m, h), e.g.
// 90s, 1m30s, 250ms. Capped at about 49 days.
bool parse_duration(std::string_view w, std::uint64_t& ms) {
    ms = 0;
    if (w.empty()) return false;
    std::size_t i = 0;
    while (i < w.size()) {
        std::size_t j = i;
        while (j < w.size() && w[j] >= '0' && w[j] <= '9') ++j;
        if (j == i || j - i > 9) return false;
        std::uint64_t v = 0;
        std::from_chars(w.data() + i, w.data() + j, v);
        std::size_t k = j;
        while (k < w.size() && w[k] >= 'a' && w[k] <= 'z') ++k;
        const std::string_view unit = w.substr(j, k - j);
        std::uint64_t scale = 0;
        if (unit == "ms") scale = 1;
        else if (unit == "s") scale = 1000;
        else if (unit == "m") scale = 60'000;
        else if (unit == "h") scale = 3'600'000;
        else return false;
        ms += v * scale;
        if (ms > 4'294'967'295ull) return false;
        i = k;
    }
    return true;
}

bool parse_on_off(std::string_view w, std::uint32_t& out) {
    if (w == "on") out = 1;
    else if (w == "off") out = 0;
    else return false;
    return true;
}

// Parses the words after "at TIME"; returns an error text or empty.
std::string parse_action(const std::vector<std::string_view>& w, Action& a) {
    const std::size_t n = w.size();
    const std::string_view verb = w[0];
    auto want = [&](std::size_t words, const char* form) -> std::string {
        return n == words ? std::string() : std::string("expected '") + form + "'";
    };
    auto number = [&](std::size_t i, std::uint32_t max, std::uint32_t& out, const char* what) -> std::string {
        return parse_number(w[i], max, out) ? std::string()
                                            : std::string("bad ") + what + " '" + std::string(w[i]) + "' (0 to " + std::to_string(max) + ")";
    };
    auto on_off = [&](ActionKind kind, const char* form) -> std::string {
        if (auto e = want(2, form); !e.empty()) return e;
        a.kind = kind;
        return parse_on_off(w[1], a.a) ? std::string() : std::string("expected 'on' or 'off'");
    };

    if (verb == "shutdown" || verb == "warning") {
        a.kind = verb == "shutdown" ? ActionKind::shutdown : ActionKind::warning;
        const char* form = verb == "shutdown" ? "shutdown node N warning W" : "warning node N warning W";
        if (n != 5 || w[1] != "node" || w[3] != "warning") return std::string("expected '") + form + "'";
        if (auto e = number(2, 255, a.a, "node"); !e.empty()) return e;
        if (a.a == 0) return "node 0 reports nothing";
        if (auto e = number(4, 255, a.b, "warning id"); !e.empty()) return e;
        if (a.b == 0) return "warning id 0 reports nothing";
        return {};
    }
    if (verb == "clear") {
        a.kind = ActionKind::clear;
        if (n != 2 || (w[1] != "shutdown" && w[1] != "warning")) return "expected 'clear shutdown' or 'clear warning'";
        return {};
    }
    if (verb == "silent") {
        if (auto e = want(2, "silent DURATION"); !e.empty()) return e;
        a.kind = ActionKind::silent;
        return parse_duration(w[1], a.duration_ms) ? std::string() : "bad duration '" + std::string(w[1]) + "'";
    }
    if (verb == "corrupt") {
        if (auto e = want(2, "corrupt N"); !e.empty()) return e;
        a.kind = ActionKind::corrupt;
        return number(1, 100000, a.a, "frame count");
    }
    if (verb == "set" || verb == "set16le" || verb == "set16be") {
        const bool wide = verb != "set";
        if (auto e = want(3, wide ? "set16le|set16be OFFSET VALUE" : "set OFFSET VALUE"); !e.empty()) return e;
        a.kind = verb == "set" ? ActionKind::set8 : verb == "set16le" ? ActionKind::set16le : ActionKind::set16be;
        if (auto e = number(1, wide ? 327 : 328, a.a, "offset"); !e.empty()) return e;
        return number(2, wide ? 65535 : 255, a.b, "value");
    }
    if (verb == "split" || verb == "start" || verb == "stop" || verb == "load") {
        if (n != 1) return "'" + std::string(verb) + "' takes no arguments";
        a.kind = verb == "split" ? ActionKind::split : verb == "start" ? ActionKind::start
               : verb == "stop"  ? ActionKind::stop : ActionKind::load;
        return {};
    }
    if (verb == "dipswitch") return on_off(ActionKind::dipswitch, "dipswitch on|off");
    if (verb == "sampler") return on_off(ActionKind::sampler, "sampler on|off");
    if (verb == "metric") return on_off(ActionKind::metric, "metric on|off");
    if (verb == "dual-plenum") return on_off(ActionKind::dual_plenum, "dual-plenum on|off");
    if (verb == "events") return on_off(ActionKind::events, "events on|off");
    if (verb == "learning") {
        if (auto e = want(2, "learning MINUTES"); !e.empty()) return e;
        a.kind = ActionKind::learning;
        return number(1, 255, a.a, "minutes");
    }
    if (verb == "fans") {
        if (auto e = want(2, "fans N"); !e.empty()) return e;
        a.kind = ActionKind::fans;
        if (!parse_number(w[1], 6, a.a) || a.a == 0 || a.a == 5) return "fans must be 1, 2, 3, 4 or 6";
        return {};
    }
    if (verb == "mode") {
        if (auto e = want(2, "mode continuous|batch|3"); !e.empty()) return e;
        a.kind = ActionKind::mode;
        if (w[1] == "continuous" || w[1] == "0") a.a = 0;
        else if (w[1] == "batch" || w[1] == "1") a.a = 1;
        else if (w[1] == "3") a.a = 3;
        else return "mode must be continuous, batch, 0, 1 or 3";
        return {};
    }
    if (verb == "refuse" || verb == "accept") {
        if (auto e = want(2, "refuse|accept OFFSET"); !e.empty()) return e;
        a.kind = verb == "refuse" ? ActionKind::refuse : ActionKind::accept;
        return number(1, 328, a.a, "offset");
    }
    return "unknown action '" + std::string(verb) + "'";
}

std::string format_ms(std::uint64_t ms) {
    if (ms % 1000 != 0) return std::to_string(ms) + "ms";
    return std::to_string(ms / 1000) + "s";
}

}  // namespace

ScenarioResult parse_scenario(std::string_view text) {
    ScenarioResult result;
    int line_no = 0;
    std::size_t pos = 0;
    while (pos <= text.size()) {
        std::size_t nl = text.find('\n', pos);
        if (nl == std::string_view::npos) nl = text.size();
        std::string_view line = text.substr(pos, nl - pos);
        pos = nl + 1;
        ++line_no;
        if (const std::size_t hash = line.find('#'); hash != std::string_view::npos) line = line.substr(0, hash);
        const auto words = split_words(line);
        if (words.empty()) continue;
        auto fail = [&](const std::string& why) {
            result.ok = false;
            result.actions.clear();
            result.error = "line " + std::to_string(line_no) + ": " + why;
            return result;
        };
        if (words[0] != "at") return fail("expected 'at TIME ACTION'");
        if (words.size() < 3) return fail("expected 'at TIME ACTION'");
        Action a;
        a.line = line_no;
        if (!parse_duration(words[1], a.at_ms)) return fail("bad time '" + std::string(words[1]) + "' (e.g. 30s, 1m30s, 250ms)");
        const std::vector<std::string_view> rest(words.begin() + 2, words.end());
        if (std::string e = parse_action(rest, a); !e.empty()) return fail(e);
        result.actions.push_back(a);
        if (nl == text.size()) break;
    }
    std::stable_sort(result.actions.begin(), result.actions.end(),
                     [](const Action& x, const Action& y) { return x.at_ms < y.at_ms; });
    result.ok = true;
    return result;
}

ScenarioResult load_scenario(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        ScenarioResult r;
        r.error = "cannot read " + path;
        return r;
    }
    std::ostringstream text;
    text << in.rdbuf();
    return parse_scenario(text.str());
}

std::string describe(const Action& a) {
    std::string s = "at " + format_ms(a.at_ms) + " ";
    auto on_off = [](std::uint32_t v) { return v ? std::string("on") : std::string("off"); };
    switch (a.kind) {
        case ActionKind::shutdown: return s + "shutdown node " + std::to_string(a.a) + " warning " + std::to_string(a.b);
        case ActionKind::warning: return s + "warning node " + std::to_string(a.a) + " warning " + std::to_string(a.b);
        case ActionKind::clear: return s + "clear shutdown";
        case ActionKind::silent: return s + "silent " + format_ms(a.duration_ms);
        case ActionKind::corrupt: return s + "corrupt " + std::to_string(a.a);
        case ActionKind::split: return s + "split";
        case ActionKind::set8: return s + "set " + std::to_string(a.a) + " " + std::to_string(a.b);
        case ActionKind::set16le: return s + "set16le " + std::to_string(a.a) + " " + std::to_string(a.b);
        case ActionKind::set16be: return s + "set16be " + std::to_string(a.a) + " " + std::to_string(a.b);
        case ActionKind::start: return s + "start";
        case ActionKind::stop: return s + "stop";
        case ActionKind::load: return s + "load";
        case ActionKind::dipswitch: return s + "dipswitch " + on_off(a.a);
        case ActionKind::learning: return s + "learning " + std::to_string(a.a);
        case ActionKind::sampler: return s + "sampler " + on_off(a.a);
        case ActionKind::fans: return s + "fans " + std::to_string(a.a);
        case ActionKind::mode: return s + "mode " + std::to_string(a.a);
        case ActionKind::metric: return s + "metric " + on_off(a.a);
        case ActionKind::dual_plenum: return s + "dual-plenum " + on_off(a.a);
        case ActionKind::refuse: return s + "refuse " + std::to_string(a.a);
        case ActionKind::accept: return s + "accept " + std::to_string(a.a);
        case ActionKind::events: return s + "events " + on_off(a.a);
    }
    return s + "?";
}

const char* const kScenarioGrammar =
    "Scenario file: one action per line, 'at TIME ACTION'; '#' starts a comment.\n"
    "TIME is plant time since serving began: 30s, 1m30s, 250ms, 2h.\n"
    "Actions:\n"
    "  shutdown node N warning W   report a shutdown (node 1-255, warning 1-255); the dryer stops\n"
    "  warning node N warning W    report a warning; the dryer keeps running\n"
    "  clear shutdown | clear warning   report nothing again; a stopped dryer restarts\n"
    "  silent DURATION             send no status frames for that long\n"
    "  corrupt N                   the next N frames carry one flipped bit\n"
    "  split                       the next frame goes out in two halves, one cycle apart\n"
    "  set OFFSET VALUE            write one status byte (offset 0-328, value 0-255, 0x.. allowed)\n"
    "  set16le OFFSET VALUE        write a 16-bit value, low byte first\n"
    "  set16be OFFSET VALUE        write a 16-bit value, high byte first\n"
    "  start | stop                the dryer runs / stops\n"
    "  load                        a load of grain begins now\n"
    "  dipswitch on|off            the controller's defaults dipswitch (188 bit 5)\n"
    "  learning MINUTES            a moisture-control learning period (52, 179 bit 2)\n"
    "  sampler on|off              the cycled moisture sampler is installed (293 bit 7)\n"
    "  fans N                      N fan/heaters: 1, 2, 3, 4 or 6\n"
    "  mode continuous|batch|3     the drying mode (offset 8)\n"
    "  metric on|off               metric units (266 bit 7)\n"
    "  dual-plenum on|off          dual-plenum mode (257 bit 1)\n"
    "  refuse OFFSET | accept OFFSET   stop / resume echoing items that touch OFFSET\n"
    "  events on|off               the unscripted warnings of the default demo\n";

}  // namespace dryer::sim
