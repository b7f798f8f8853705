// dryer-sim: the controller stand-in as a program, on a pseudo-terminal
// (--pty) or a real serial device (--port DEV).
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>

#include "sim/options.h"
#include "sim/simulator.h"

int main(int argc, char** argv) {
    using namespace dryer::sim;
    CommandLine cmd;
    std::string error;
    if (!parse_command_line(argc, argv, cmd, error)) {
        std::fprintf(stderr, "dryer-sim: %s\n(try --help)\n", error.c_str());
        return 2;
    }
    if (cmd.help) {
        std::fputs(kUsage, stdout);
        std::fputs("\n", stdout);
        std::fputs(kScenarioGrammar, stdout);
        return 0;
    }
    if (cmd.log) {
        cmd.peer.log = [](const std::string& line) {
            std::fprintf(stdout, "%s\n", line.c_str());
            std::fflush(stdout);
        };
    }

    // A reader of the path line that goes away must not end the stand-in.
    std::signal(SIGPIPE, SIG_IGN);
    // The serving thread inherits this mask, so the signals reach sigwait.
    sigset_t stop_signals;
    sigemptyset(&stop_signals);
    sigaddset(&stop_signals, SIGINT);
    sigaddset(&stop_signals, SIGTERM);
    sigaddset(&stop_signals, SIGHUP);
    pthread_sigmask(SIG_BLOCK, &stop_signals, nullptr);

    Simulator sim(std::move(cmd.peer));
    if (cmd.pty) {
        const std::string path = sim.start_pty(&error);
        if (path.empty()) {
            std::fprintf(stderr, "dryer-sim: %s\n", error.c_str());
            return 1;
        }
        std::fprintf(stdout, "%s\n", path.c_str());
        std::fflush(stdout);
    } else if (!sim.start_port(cmd.port, &error)) {
        std::fprintf(stderr, "dryer-sim: %s\n", error.c_str());
        return 1;
    }
    int sig = 0;
    sigwait(&stop_signals, &sig);
    sim.stop();
    return 0;
}
