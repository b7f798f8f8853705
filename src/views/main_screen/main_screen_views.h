// The status windows of the main screen together: created for the main
// window (all at once, or one by one as its child-window factories ask),
// fed by the shell's timers and by the decoder's redraw requests.
//
// Usage (the panel program):
//   MainScreenViews views(link_state(), texts);
//   for (auto name : MainScreenViews::kClassNames)
//       window.set_child_factory(name, [&](QWidget* p) { return views.create_window(name, p); });
//   views.set_blink_source([&] { return window.timers().blink_flags(); });
//   hooks: advance_dryer_picture -> views.advance_dryer_picture(), ...
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string_view>

#include "link/link_state.h"
#include "views/scene/texts.h"

class QWidget;

namespace dryer::views {

class DryerPictureWindow;
class LeftStatusBarWindow;
class PlenumWindow;
class ReadingsWindow;
class SceneWindow;
class StateLineWindow;
class WarningWindow;

class MainScreenViews {
public:
    static constexpr std::array<std::string_view, 6> kClassNames{
        "DRYER_PIC_WINDOW",   "DRYER_LEFT_STATUS_BAR_WINDOW", "DRYER_RIGHT_STATUS_BAR_WINDOW",
        "LINE_GRAPH_WINDOW", "CUSTOM_VIEW_WINDOW",           "WARNING_WINDOW"};

    // Creates no window yet (create_window() makes them).
    MainScreenViews(link::LinkState& state, const Texts& texts);
    // Creates the six windows as children of parent at their places on the
    // 640 by 480 panel, the dryer picture and the state line shown.
    MainScreenViews(QWidget* parent, link::LinkState& state, const Texts& texts);

    // create_window() shall create the window of that class as a child of
    // parent and return it, or return nullptr for another class name.
    QWidget* create_window(std::string_view class_name, QWidget* parent);

    // set_blink_source() shall make every window (also those created later)
    // read the shell's blink flags from source.
    void set_blink_source(std::function<std::uint32_t()> source);
    // set_blink_flags() shall hand fixed blink flags to every window.
    void set_blink_flags(std::uint32_t flags);

    // The display timer's (100 ms) duties, each a no-op for a window not created:
    // advance_dryer_picture() advances the phase counters and redraws.
    void advance_dryer_picture();
    // warning_message_line_tick() (every third tick) steps the link-lost marker.
    void warning_message_line_tick();
    // shutdown_help_tick() (while node 14 warning 5) advances the help
    // dialog's rear-discharge animation.
    void shutdown_help_tick();
    // help_opened_from_history() shall say whether the open help dialog
    // belongs to the shutdown history screen; close_help() closes it.
    bool help_opened_from_history() const;
    void close_help();
    // display_tick() shall run the warning window's show/hide rule and the
    // three duties above as the display timer orders them (for a program
    // without the shell's timers).
    void display_tick(std::uint32_t blink_flags);
    // fast_tick() is the 175 ms timer's share: redraw the status bars.
    void fast_tick(std::uint32_t blink_flags);
    // second_tick() is the one-second timer's share: the hourly average.
    void second_tick();
    // apply_redraw() shall redraw the windows named by the decoder's redraw
    // bits (redraw::...); other bits are left to their owners.
    void apply_redraw(std::uint64_t bits);

    DryerPictureWindow* dryer_picture() const { return pic_; }
    LeftStatusBarWindow* left_status_bar() const { return bar_; }
    StateLineWindow* state_line() const { return line_; }
    ReadingsWindow* readings() const { return readings_; }
    PlenumWindow* plenum() const { return plenum_; }
    WarningWindow* warning() const { return warning_; }

private:
    std::array<SceneWindow*, 6> windows() const;

    link::LinkState& state_;
    const Texts& texts_;
    DryerPictureWindow* pic_ = nullptr;
    LeftStatusBarWindow* bar_ = nullptr;
    StateLineWindow* line_ = nullptr;
    ReadingsWindow* readings_ = nullptr;
    PlenumWindow* plenum_ = nullptr;
    WarningWindow* warning_ = nullptr;
    std::function<std::uint32_t()> blink_source_;
    unsigned ticks_ = 0;
};

}  // namespace dryer::views
