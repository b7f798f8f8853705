// Where the panel program meets the other parts of the panel: texts and
// pictures, the shutdown history, the stored view settings, the screens
// that replace the shell's titled frames, and the built-in controller
// stand-in. One place to wire a part in.
#pragma once

#include <memory>
#include <string>

#include "shell/shell_hooks.h"

namespace dryer::history {
class ShutdownStore;
class ShutdownRecorder;
class HistoryScreen;
}  // namespace dryer::history
namespace dryer::sim {
class Simulator;
}  // namespace dryer::sim

namespace dryer::views {
class L10nTexts;
class MainScreenViews;
}  // namespace dryer::views

namespace dryer::shell {

class MainWindow;

class PanelServices {
public:
    // Makes `root` the panel root of every panel path.
    explicit PanelServices(const std::string& root);
    ~PanelServices();

    // hooks() shall return the texts, pictures, timer duties and dialogs of
    // the parts that are built into the program.
    ShellHooks hooks();
    // clear_history_volume() shall forget any history store (none is open yet).
    void clear_history_volume();
    void read_view_settings();
    // open_history_database() shall prepare the shutdown history and hand the
    // decoder its recorder.
    void open_history_database();
    void init_texts();
    // install_screens() shall register the screens that replace titled frames.
    void install_screens(MainWindow& window);
    // start_simulator() shall start the controller stand-in on a pseudo-
    // terminal pair inside this process and set `device` to the panel's end;
    // false with `error` set when it cannot.
    bool start_simulator(const std::string& scenario, std::string& device, std::string& error);

    // open_shutdown_history() shall run the "Shutdown History -29" screen
    // modally over `over`; while it is open the one-second housekeeping
    // watches its EXIT button for the press-and-hold clear.
    void open_shutdown_history(QWidget* over);

private:
    std::string root_;
    history::HistoryScreen* history_screen_ = nullptr;  // while it is open
    std::unique_ptr<history::ShutdownStore> store_;
    std::unique_ptr<history::ShutdownRecorder> recorder_;
    std::unique_ptr<views::L10nTexts> texts_;
    std::unique_ptr<views::MainScreenViews> views_;  // the main screen's status windows
    std::unique_ptr<sim::Simulator> simulator_;
};

}  // namespace dryer::shell
