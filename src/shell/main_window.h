// The panel's main window: 640 by 480, the child windows of the screen
// registry, the row of six owner-drawn buttons, the three timers, the
// commands of the buttons and of the decoder's events, and the switching
// between the main screen and the full-screen selection screens.
#pragma once

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>
#include <array>
#include <map>
#include <memory>
#include <span>

#include "kit/panel_events.h"
#include "kit/picture_button.h"
#include "kit/screen.h"
#include "link/link_state.h"
#include "logging/housekeeping/housekeeping.h"
#include "shell/timers.h"

namespace dryer::link {
class LinkDriver;
}

namespace dryer::shell {

class ConditionStrip;

// The windows of the main screen that hiding it hides (besides the six
// buttons and the graph's companion window).
inline constexpr std::array<kit::WindowId, 8> kMainScreenWindows{
    kit::WindowId::line_graph,     kit::WindowId::unload_status, kit::WindowId::right_status_bar,
    kit::WindowId::custom_view,    kit::WindowId::average_values, kit::WindowId::button_bar,
    kit::WindowId::dryer_picture, kit::WindowId::batch_drying,
};

// Object names of the heat buttons inside BATCH_DRYING_WINDOW.
inline constexpr char kSingleHeatButton[] = "HEAT";
inline constexpr char kHighHeatButton[] = "HI HEAT";
inline constexpr char kLowHeatButton[] = "LO HEAT";

// How long the main buttons ignore presses after a full-screen screen has
// brought the main screen back: the second tap of a double tap on the
// screen's EXIT must not open what lies under it.
inline constexpr int kMainButtonsSettleMs = 400;

class MainWindow : public QWidget, private TimerDuties, private housekeeping::HousekeepingDuties, public kit::PanelShell {
    Q_OBJECT
public:
    // `screens` lists every child window in creation order; `dialogs` the
    // dialogs built into the panel.
    MainWindow(link::LinkState& state, const views::Texts& texts, std::span<const kit::ScreenRow* const> screens,
               std::span<const kit::DialogRow* const> dialogs, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Creates the child windows in registry order, placed, framed and shown as
    // their rows give, then applies the right-hand view rule once.
    void create_child_windows();
    // Starts the 175 ms, 1000 ms and 100 ms timers.
    void start_timers();
    // Makes the fast timer release this receive thread's cycles (without a
    // driver the ticks only count).
    void set_link_driver(link::LinkDriver* driver) { driver_ = driver; }
    // Hands the shutdown history to the screens that show it.
    void set_shutdown_store(history::ShutdownStore* store) { context_.shutdown_store = store; }
    // Hands the data logs and stored choices to the screens and to the
    // one-second housekeeping, which runs only once it has them; the panel
    // program hands them before the windows are created.
    void set_data_logs(logging::DataLogs* logs);

    // kit::PanelShell
    QWidget* window(kit::WindowId id) const override;
    void restore_main_screen() override;
    bool has_dialog(kit::DialogId id) const override;
    bool open_dialog(kit::DialogId id, QWidget* over, int arg = 0) override;
    void request_graph_redraw() override { timers_.request_graph_redraw(); }

    // Returns true when the window's screen is built (not a titled frame).
    bool screen_built(kit::WindowId id) const override;
    // Returns the bottom-row button with that command, or nullptr.
    kit::PictureButton* button(int command) const;
    // Makes screen switching show and hide `w` together with GRAPH_WINDOW.
    void set_graph_companion(QWidget* w) { graph_companion_ = w; }
    kit::PanelEvents& events() { return events_; }
    kit::PanelContext& context() { return context_; }

    // Carries out a main window command (34817..34823, 37011).
    void command(int id);
    void hide_main_screen();
    bool main_screen_shown() const { return main_screen_shown_; }
    // Returns true when the main buttons take presses (not right after a
    // full-screen screen has brought the main screen back).
    bool main_buttons_ready() const { return !restored_.isValid() || restored_.elapsed() >= kMainButtonsSettleMs; }
    void apply_button_bar_layout() override;
    void apply_right_hand_view_rule();
    void apply_batch_button_rule();
    // Takes the decoder's pending redraw bits and carries them out: the two
    // window rules, the decoder's event bytes, then every window whose row
    // listens to one of the bits, and the screens that subscribed.
    void serve_redraws();

    ShellTimers& timers() { return timers_; }
    // The timer bodies, guarded against re-entry from a modal box.
    void on_fast_timer();
    void on_second_timer();
    void on_display_timer();

    // Loads the bottom row's pictures again (after a language change).
    void reload_button_pictures();

private:
    void create_buttons();
    void update_misc_picture();
    void update_left_status_bar();
    void keep_top_windows_above();
    void set_shown(kit::WindowId id, bool shown);
    void run_event_commands();
    void open_defaults_dipswitch_dialog();
    void run_misc_command();
    void run_meter_roll_command();

    // TimerDuties
    void redraw_status_line() override;
    void redraw_warning_window() override;
    void link_cycle_tick() override;
    void redraw_graph_and_plenum() override;
    void one_second_housekeeping(const std::tm& now) override;
    void show_warning_window(bool shown) override;
    void redraw_shutdown_help_picture() override;
    bool shutdown_help_opened_from_history() override;
    void close_shutdown_help() override;
    void redraw_warning_message_line() override;
    void advance_dryer_picture() override;

    // housekeeping::HousekeepingDuties
    void feed_hourly_average() override;
    void ask_open_logger_setup() override;
    void redraw_status_chart() override;
    bool graph_sampling_step(const logging::SampleRecord& record, const platform::LocalTime& now) override;
    void redraw_system_information_exit() override;
    std::optional<bool> history_exit_pressed() override;
    std::optional<housekeeping::BatchTimerPress> batch_timer_buttons() override;
    void ask_stage_reset(std::size_t group, bool single_heat) override;
    bool show_auto_start_finished(const std::u16string& text) override;
    void record_history_event(std::string_view text) override;

    link::LinkState& state_;
    kit::PanelEvents events_;
    kit::PanelContext context_;
    std::span<const kit::ScreenRow* const> screens_;
    std::array<const kit::DialogRow*, kit::kDialogCount> dialogs_{};
    std::array<QWidget*, kit::kWindowCount> windows_{};
    ShellTimers timers_;
    std::unique_ptr<housekeeping::Housekeeping> housekeeping_;
    std::map<int, kit::PictureButton*> buttons_;
    ConditionStrip* strip_ = nullptr;
    QWidget* graph_companion_ = nullptr;
    link::LinkDriver* driver_ = nullptr;
    QTimer fast_timer_;
    QTimer second_timer_;
    QTimer display_timer_;
    QElapsedTimer restored_;
    bool in_fast_ = false;
    bool in_second_ = false;
    bool in_display_ = false;
    bool dipswitch_open_ = false;
    bool main_screen_shown_ = true;
    bool misc_batch_picture_ = false;
    bool controller_reported_ = false;
    std::function<void()> wake_;
};

}  // namespace dryer::shell
