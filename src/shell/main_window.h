// The panel's main window: 640 by 480, the eighteen child windows, the row
// of six owner-drawn buttons, the three timers, the commands of the buttons
// and of the decoder's events, and the switching between the main screen
// and the full-screen selection screens.
#pragma once

#include <QTimer>
#include <QWidget>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "link/link_state.h"
#include "shell/auto_repeat.h"
#include "shell/picture_button.h"
#include "shell/shell_hooks.h"
#include "shell/timers.h"

namespace dryer::shell {

// Object names of the heat buttons inside BATCH_DRYING_WINDOW.
inline constexpr char kSingleHeatButton[] = "HEAT";
inline constexpr char kHighHeatButton[] = "HI HEAT";
inline constexpr char kLowHeatButton[] = "LO HEAT";

// A screen that replaces the titled frame of a child window. It gets the
// main window as parent; the shell names, places and shows it.
using ChildWindowFactory = std::function<QWidget*(QWidget* parent)>;

class MainWindow : public QWidget, private TimerDuties {
    Q_OBJECT
public:
    MainWindow(link::LinkState& state, ShellHooks hooks, QWidget* parent = nullptr);
    ~MainWindow() override;

    // set_child_factory() shall make create_child_windows() build the window
    // of `class_name` with `factory` instead of a titled frame.
    void set_child_factory(const std::string& class_name, ChildWindowFactory factory);
    // create_child_windows() shall create the eighteen child windows in
    // order, placed and shown as the table gives, then apply the right-hand
    // view rule once.
    void create_child_windows();
    // start_timers() shall start the 175 ms, 1000 ms and 100 ms timers.
    void start_timers();

    // child() shall return the child window of that class, or nullptr.
    QWidget* child(std::string_view class_name) const;
    // button() shall return the bottom-row button with that command, or nullptr.
    PictureButton* button(int command) const;
    // set_graph_companion() shall make screen switching show and hide `w`
    // together with GRAPH_WINDOW.
    void set_graph_companion(QWidget* w) { graph_companion_ = w; }

    // command() shall carry out a main window command (34817..34823, 37011).
    void command(int id);
    void hide_main_screen();
    // restore_main_screen() shall show the main screen again as a selection
    // screen does when it closes: its windows, the button-bar layout rule
    // and the right-hand view rule.
    void restore_main_screen();
    bool main_screen_shown() const { return main_screen_shown_; }
    void apply_button_bar_layout() override;
    void apply_right_hand_view_rule();
    void apply_batch_button_rule();
    // serve_redraws() shall take the decoder's pending redraw bits and carry
    // them out: the two window rules, the named windows, the rest to hooks.
    void serve_redraws();

    ShellTimers& timers() { return timers_; }
    // The timer bodies, guarded against re-entry from a modal box.
    void on_fast_timer();
    void on_second_timer();
    void on_display_timer();

    // reload_button_pictures() shall load the bottom row's pictures again
    // (after a language change).
    void reload_button_pictures();

private:
    void create_buttons();
    void update_misc_picture();
    void keep_top_windows_above();
    void set_shown(std::string_view class_name, bool shown);
    void open_defaults_dipswitch_dialog();
    void run_misc_command();
    void run_meter_roll_command();

    // TimerDuties
    void redraw_status_line() override;
    void redraw_warning_window() override;
    void link_cycle_tick() override;
    void redraw_graph_and_plenum() override;
    void link_second_tick() override;
    void one_second_housekeeping() override;
    void show_warning_window(bool shown) override;
    void redraw_shutdown_help_picture() override;
    bool shutdown_help_opened_from_history() override;
    void close_shutdown_help() override;
    void redraw_warning_message_line() override;
    void advance_dryer_picture() override;

    link::LinkState& state_;
    ShellHooks hooks_;
    ShellTimers timers_;
    std::map<std::string, ChildWindowFactory, std::less<>> factories_;
    std::map<std::string, QWidget*, std::less<>> children_;
    std::map<int, PictureButton*> buttons_;
    QWidget* graph_companion_ = nullptr;
    QTimer fast_timer_;
    QTimer second_timer_;
    QTimer display_timer_;
    bool in_fast_ = false;
    bool in_second_ = false;
    bool in_display_ = false;
    bool dipswitch_open_ = false;
    bool main_screen_shown_ = true;
    bool misc_batch_picture_ = false;
    std::function<void()> wake_;
};

}  // namespace dryer::shell
