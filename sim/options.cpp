#include "sim/options.h"

#include <charconv>
#include <cstdlib>

namespace dryer::sim {
namespace {

bool parse_uint(const std::string& text, unsigned long long max, unsigned long long& out) {
    std::string_view w(text);
    int base = 10;
    if (w.size() > 2 && w[0] == '0' && (w[1] == 'x' || w[1] == 'X')) {
        base = 16;
        w.remove_prefix(2);
    }
    auto [p, ec] = std::from_chars(w.data(), w.data() + w.size(), out, base);
    return !w.empty() && ec == std::errc() && p == w.data() + w.size() && out <= max;
}

}  // namespace

const char* const kUsage =
    "usage: dryer-sim (--pty | --port DEV) [options]\n"
    "The dryer controller stand-in: sends the 331-byte status frame after every\n"
    "reply frame of the panel (and on its own when the panel is quiet), applies\n"
    "reply items as writes into its status image, and runs a small dryer model.\n"
    "  --pty              create a pseudo-terminal pair; the first output line is the\n"
    "                     path the panel should open\n"
    "  --port DEV         serve a serial device at 38400 baud, 8 data bits, even parity,\n"
    "                     1 stop bit\n"
    "  --scenario FILE    timed actions (grammar below); a bad line is refused\n"
    "  --refuse OFFSETS   comma-separated offsets whose items are taken but never echoed\n"
    "  --seed N           seed of the dryer model (default 1)\n"
    "  --period MS        send a frame on its own after MS quiet milliseconds (default 350)\n"
    "  --speed X          plant and scenario time run X times faster than real time\n"
    "  --log              one line per reply item applied, malformed reply, link-lost\n"
    "                     reply and scenario action, on standard output\n"
    "  --help             this text\n"
    "Without --scenario the dryer runs continuous flow with two fan/heaters and now and\n"
    "then reports a warning or shutdown that clears by itself.\n";

bool parse_offsets(const std::string& text, std::bitset<link::kImageSize>& out) {
    std::size_t pos = 0;
    while (pos <= text.size()) {
        std::size_t comma = text.find(',', pos);
        if (comma == std::string::npos) comma = text.size();
        unsigned long long v = 0;
        if (!parse_uint(text.substr(pos, comma - pos), link::kPayloadSize - 1, v)) return false;
        out.set(static_cast<std::size_t>(v));
        pos = comma + 1;
    }
    return true;
}

bool parse_command_line(int argc, const char* const* argv, CommandLine& cmd, std::string& error) {
    std::string scenario;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&](std::string& out) {
            if (i + 1 >= argc) {
                error = arg + " needs a value";
                return false;
            }
            out = argv[++i];
            return true;
        };
        std::string v;
        unsigned long long n = 0;
        if (arg == "--help" || arg == "-h") {
            cmd.help = true;
            return true;
        } else if (arg == "--pty") {
            cmd.pty = true;
        } else if (arg == "--port") {
            if (!value(cmd.port)) return false;
        } else if (arg == "--scenario") {
            if (!value(scenario)) return false;
        } else if (arg == "--refuse") {
            if (!value(v)) return false;
            if (!parse_offsets(v, cmd.peer.refused)) {
                error = "bad --refuse list '" + v + "' (offsets 0-328, separated by commas)";
                return false;
            }
        } else if (arg == "--seed") {
            if (!value(v)) return false;
            if (!parse_uint(v, 0xFFFFFFFFull, n)) {
                error = "bad --seed '" + v + "'";
                return false;
            }
            cmd.peer.seed = static_cast<std::uint32_t>(n);
        } else if (arg == "--period") {
            if (!value(v)) return false;
            if (!parse_uint(v, 60000, n) || n == 0) {
                error = "bad --period '" + v + "' (1 to 60000 ms)";
                return false;
            }
            cmd.peer.period_ms = static_cast<std::uint32_t>(n);
        } else if (arg == "--speed") {
            if (!value(v)) return false;
            char* end = nullptr;
            const double x = std::strtod(v.c_str(), &end);
            if (v.empty() || *end != '\0' || !(x >= 0.01 && x <= 10000)) {
                error = "bad --speed '" + v + "' (0.01 to 10000)";
                return false;
            }
            cmd.peer.speed = x;
        } else if (arg == "--log") {
            cmd.log = true;
        } else {
            error = "unknown option '" + arg + "'";
            return false;
        }
    }
    if (cmd.pty == !cmd.port.empty()) {
        error = "give exactly one of --pty and --port DEV";
        return false;
    }
    cmd.peer.unscripted_events = scenario.empty();
    if (!scenario.empty()) {
        ScenarioResult r = load_scenario(scenario);
        if (!r.ok) {
            error = scenario + ": " + r.error;
            return false;
        }
        cmd.peer.scenario = std::move(r.actions);
    }
    return true;
}

}  // namespace dryer::sim
