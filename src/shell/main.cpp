// dryer-panel: the grain dryer's operator panel.
#include <QApplication>
#include <cstdio>
#include <string>
#include <vector>

#include "shell/options.h"
#include "shell/panel_program.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    const dryer::shell::ParseResult parsed = dryer::shell::parse_options(args);
    if (parsed.options.help) {
        std::fputs(dryer::shell::usage().c_str(), stdout);
        return 0;
    }
    if (!parsed.error.empty()) {
        std::fprintf(stderr, "dryer-panel: %s\n\n%s", parsed.error.c_str(), dryer::shell::usage().c_str());
        return 2;
    }
    QApplication app(argc, argv);  // takes Qt's own options (-platform ...)
    return dryer::shell::run_panel(parsed.options);
}
