// The panel program's command line.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace dryer::shell {

struct PanelOptions {
    std::string root;               // panel root; empty = the default
    std::string port = "/dev/ttyS0";  // the panel's COM1:
    bool simulate = false;
    std::string scenario;           // with simulate; empty = built-in
    std::string screenshot;         // PNG to write; empty = none
    double after = 3.0;             // seconds before the screenshot
    bool windowed = false;
    int language = -1;              // language index to start in; -1 = the stored choice
    bool help = false;
};

struct ParseResult {
    PanelOptions options;
    std::string error;  // empty when the command line is good
};

// parse_options() reads our options from args (without the program
// name), skip Qt's own options (-platform X, -style X, ...) and return an
// error text for an unknown "--" option, a missing value, a bad number or a
// language name that is not one of the configuration file's names.
ParseResult parse_options(const std::vector<std::string>& args);

// usage() returns the --help text.
std::string usage();

}  // namespace dryer::shell
