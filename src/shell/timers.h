// The duties of the panel's three timers, in the order they run, as a plain
// class without Qt: the main window calls fast_tick(), second_tick() and
// display_tick() from its timers and carries out what the duties ask for.
#pragma once

#include <cstdint>
#include <ctime>
#include <optional>

#include "link/link_state.h"
#include "shell/auto_repeat.h"
#include "views/scene/blink.h"

namespace dryer::shell {

// The blink flags the timers keep for the screens.
namespace blink = views::blink;

// What the timers ask the rest of the panel to do. Every call comes from the
// user-interface thread, in the order the duties list them.
class TimerDuties {
public:
    virtual ~TimerDuties() = default;
    virtual void apply_button_bar_layout() = 0;
    virtual void redraw_status_line() = 0;  // right status bar and dryer state line
    virtual void redraw_warning_window() = 0;
    virtual void link_cycle_tick() = 0;
    virtual void redraw_graph_and_plenum() = 0;
    // The one-second housekeeping for local time `now` (the clock, the
    // link-alive counter and the logs among its duties).
    virtual void one_second_housekeeping(const std::tm& now) = 0;
    virtual void show_warning_window(bool shown) = 0;
    virtual void redraw_shutdown_help_picture() = 0;
    virtual bool shutdown_help_opened_from_history() = 0;
    virtual void close_shutdown_help() = 0;
    virtual void redraw_warning_message_line() = 0;
    virtual void advance_dryer_picture() = 0;
};

class ShellTimers {
public:
    ShellTimers(link::LinkState& state, TimerDuties& duties, AutoRepeat& repeat);

    // fast_tick() runs the 175 ms duties: button-bar re-layout when
    // options_279 changed since the last tick, status line redraw, blink
    // phase (with warning redraws at both blink edges while a shutdown is
    // reported), the link cycle tick and the graph redraw request.
    void fast_tick();
    // second_tick() notes whether the controller was heard since the last
    // tick, then runs the one-second housekeeping for `now` (local time).
    void second_tick(const std::tm& now);
    // display_tick() runs the 100 ms duties: warning window shown or
    // hidden, the every-third-tick blink bit, the dryer picture, auto-repeat.
    void display_tick();

    // request_graph_redraw() raises the graph redraw request; the line
    // graph and the plenum view are redrawn 25 fast ticks later.
    void request_graph_redraw() { graph_request_ = true; }

    // controller_heard() returns true when a status frame was accepted
    // between the last two one-second ticks (the link-alive counter was back
    // at 10 before the tick lowered it).
    bool controller_heard() const { return heard_; }

    std::uint32_t blink_flags() const { return blink_flags_; }
    // take_third_tick_flag() returns blink bit 1 and clear it.
    bool take_third_tick_flag();
    std::uint32_t blink_counter() const { return blink_counter_; }
    std::uint32_t settle_count() const { return settle_count_; }
    std::uint32_t graph_countdown() const { return graph_countdown_; }
    bool graph_request() const { return graph_request_; }
    std::uint32_t help_animation_frame() const { return help_frame_; }

private:
    bool shutdown_reported() const;
    void blink_step();
    void graph_step();

    link::LinkState& state_;
    TimerDuties& duties_;
    AutoRepeat& repeat_;
    std::optional<std::uint8_t> last_options_;
    std::uint32_t blink_counter_ = 0;
    std::uint32_t settle_count_ = 0;
    std::uint32_t blink_flags_ = 0;
    bool graph_request_ = false;
    std::uint32_t graph_countdown_ = 25;
    std::uint32_t display_ticks_ = 0;
    std::uint32_t help_frame_ = 0;
    std::uint32_t seconds_ = 0;
    bool heard_ = false;
};

}  // namespace dryer::shell
