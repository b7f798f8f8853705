#include "shell/timers.h"

#include "link/fields.h"

namespace dryer::shell {

using link::off::options_279;
using link::off::shutdown_code;
using link::off::shutdown_node;

ShellTimers::ShellTimers(link::LinkState& state, TimerDuties& duties, AutoRepeat& repeat)
    : state_(state), duties_(duties), repeat_(repeat) {}

bool ShellTimers::shutdown_reported() const {
    return state_.status.get(shutdown_node) != 0 || state_.status.get(shutdown_code) != 0;
}

void ShellTimers::fast_tick() {
    const std::uint8_t options = state_.status.get(options_279);
    if (!last_options_) {
        last_options_ = options;
    } else if (*last_options_ != options) {
        last_options_ = options;
        duties_.apply_button_bar_layout();
    }
    duties_.redraw_status_line();
    blink_step();
    duties_.link_cycle_tick();
    graph_step();
}

void ShellTimers::blink_step() {
    blink_counter_ = (blink_counter_ + 1) % 8;
    if (blink_counter_ == 0) {
        blink_flags_ &= ~blink::phase;
    } else if (blink_counter_ == 3) {
        blink_flags_ |= blink::phase;
        if (settle_count_ <= 3) {
            settle_count_ += 2;
        } else {
            settle_count_ += 1;
            blink_flags_ |= blink::settled;
        }
    } else {
        return;
    }
    if (shutdown_reported()) duties_.redraw_warning_window();
}

void ShellTimers::graph_step() {
    if (!graph_request_) return;
    if (graph_countdown_ > 0) --graph_countdown_;
    if (graph_countdown_ == 0) {
        graph_request_ = false;
        graph_countdown_ = 25;
        duties_.redraw_graph_and_plenum();
    }
}

void ShellTimers::second_tick(const std::tm& now) {
    // The counter starts at 10 without any frame, so the first tick tells
    // nothing; the housekeeping lowers it after this look.
    heard_ = seconds_++ > 0 && state_.link_alive.load(std::memory_order_relaxed) >= 10;
    duties_.one_second_housekeeping(now);
}

void ShellTimers::display_tick() {
    const bool lost = state_.link_alive.load(std::memory_order_relaxed) == 0;
    if (shutdown_reported() || lost) {
        duties_.show_warning_window(true);
        if (state_.status.get(shutdown_node) == 14 && state_.status.get(shutdown_code) == 5) {
            duties_.redraw_shutdown_help_picture();
            help_frame_ = (help_frame_ + 1) % 7;
        }
    } else {
        duties_.show_warning_window(false);
        if (!duties_.shutdown_help_opened_from_history()) duties_.close_shutdown_help();
    }
    display_ticks_ = (display_ticks_ + 1) % 3;
    if (display_ticks_ == 0) {
        blink_flags_ |= blink::third;
        duties_.redraw_warning_message_line();
    }
    duties_.advance_dryer_picture();
    repeat_.tick();
}

bool ShellTimers::take_third_tick_flag() {
    const bool was = (blink_flags_ & blink::third) != 0;
    blink_flags_ &= ~blink::third;
    return was;
}

}  // namespace dryer::shell
