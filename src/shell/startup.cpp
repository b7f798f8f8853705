#include "shell/startup.h"

namespace dryer::shell {

bool run_startup(StartupSteps& steps) {
    if (!steps.claim_single_instance()) return false;
    if (!steps.create_main_window()) return false;
    steps.clear_history_volume();
    steps.read_view_settings();
    steps.create_child_windows();
    steps.open_link();
    steps.start_timers();
    steps.open_history_database();
    steps.paint_main_window();
    steps.bring_to_front();
    steps.mark_panel_started();
    steps.init_texts();
    return true;
}

}  // namespace dryer::shell
