// Where the panel program meets the other parts of the panel: texts and
// pictures, the shutdown history, the stored view settings, the screens
// that replace the shell's titled frames, and the built-in controller
// stand-in. One place to wire a part in.
#pragma once

#include <string>

#include "shell/shell_hooks.h"

namespace dryer::shell {

class MainWindow;

class PanelServices {
public:
    explicit PanelServices(std::string root) : root_(std::move(root)) {}

    // hooks() shall return the texts, pictures, timer duties and dialogs of
    // the parts that are built into the program.
    ShellHooks hooks();
    void clear_history_volume();
    void read_view_settings();
    void open_history_database();
    void init_texts();
    // install_screens() shall register the screens that replace titled frames.
    void install_screens(MainWindow& window);
    // start_simulator() shall start the controller stand-in on a pseudo-
    // terminal pair inside this process and set `device` to the panel's end;
    // false with `error` set when it cannot.
    bool start_simulator(const std::string& scenario, std::string& device, std::string& error);

private:
    std::string root_;
};

}  // namespace dryer::shell
