// The command line of dryer-sim, parsed without side effects so that it can
// be tested; a bad option or scenario is refused before anything is served.
#pragma once

#include <string>

#include "sim/peer.h"

namespace dryer::sim {

struct CommandLine {
    bool help = false;
    bool pty = false;
    std::string port;
    bool log = false;
    PeerOptions peer;  // scenario, refusals, seed, pacing, speed filled in
};

// parse_command_line() fills cmd from the arguments and return true, or
// return false with a one-line reason in error: unknown option, missing or
// bad value, neither or both of --pty and --port, an unreadable scenario, or
// a bad scenario line (the reason then names the file and the line number).
bool parse_command_line(int argc, const char* const* argv, CommandLine& cmd, std::string& error);

// parse_offsets() reads "OFFSET[,OFFSET...]" (decimal or 0x hex, each
// 0-328) into the set and return true; false on any bad element.
bool parse_offsets(const std::string& text, std::bitset<link::kImageSize>& out);

extern const char* const kUsage;

}  // namespace dryer::sim
