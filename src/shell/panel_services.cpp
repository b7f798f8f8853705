#include "shell/panel_services.h"

#include "shell/main_window.h"

namespace dryer::shell {

ShellHooks PanelServices::hooks() { return {}; }

void PanelServices::clear_history_volume() {}

// The stored view settings come with the data-logger setup.
void PanelServices::read_view_settings() {}

void PanelServices::open_history_database() {}

void PanelServices::init_texts() {}

void PanelServices::install_screens(MainWindow&) {}

bool PanelServices::start_simulator(const std::string&, std::string&, std::string& error) {
    error = "this build has no controller stand-in";
    return false;
}

}  // namespace dryer::shell
