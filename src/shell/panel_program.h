// The panel program as a whole: the start-up steps on the real main window,
// the single-instance socket, the built-in controller stand-in and the
// screenshot. main() only parses the command line and runs it.
#pragma once

#include <QString>
#include <memory>

#include "shell/options.h"

namespace dryer::shell {

// panel_root() returns --root, else $DRYER_PANEL_ROOT, else the panel
// root the build lays out.
QString panel_root(const PanelOptions& options);

// run_panel() starts the panel with these options inside the running
// QApplication and return the process's exit code when it ends: 0 when
// another copy was brought to the front instead.
int run_panel(const PanelOptions& options);

}  // namespace dryer::shell
