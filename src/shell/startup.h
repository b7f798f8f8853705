// The panel's start-up, step by step in a fixed order. Each step is a
// virtual function so that the order itself can be tested.
#pragma once

namespace dryer::shell {

class StartupSteps {
public:
    virtual ~StartupSteps() = default;
    // false ends start-up: another copy runs (it has been brought to the front).
    virtual bool claim_single_instance() = 0;
    // false ends start-up: the main window could not be made.
    virtual bool create_main_window() = 0;
    virtual void clear_history_volume() = 0;
    virtual void read_view_settings() = 0;
    virtual void create_child_windows() = 0;
    virtual void open_link() = 0;  // the result is ignored: the panel runs without a link
    virtual void start_timers() = 0;
    virtual void open_history_database() = 0;
    virtual void paint_main_window() = 0;
    virtual void bring_to_front() = 0;
    virtual void mark_panel_started() = 0;  // status byte 171 = 0xA0
    virtual void init_texts() = 0;
};

// run_startup() runs the steps in order and return false when start-up
// ended early (the program then exits with code 0 without a message loop).
bool run_startup(StartupSteps& steps);

}  // namespace dryer::shell
