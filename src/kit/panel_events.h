// How screens hear the panel: the main window emits these signals from its
// timers and from the decoder's redraw requests, and a screen connects to
// the ones it needs when it is created. Nothing else carries ticks or redraw
// requests to a screen.
#pragma once

#include <QObject>
#include <cstdint>

namespace dryer::kit {

class PanelEvents : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

signals:
    // The 175 ms timer has run its duties; `blink` holds the blink flags.
    void fast_tick(std::uint32_t blink);
    // The 100 ms timer has run its duties.
    void display_tick(std::uint32_t blink);
    // Every third display tick: the warning window's message line steps.
    void message_line_tick();
    // The one-second timer's housekeeping.
    void second_tick();
    // The decoder asked for these redraw bits (link::redraw).
    void redraw(std::uint64_t bits);
    // While the controller reports node 14 warning 5: the shutdown help's
    // animation takes a step.
    void help_animation_tick();
    // No shutdown or warning is reported and the link is alive.
    void condition_cleared();
    // The language changed: screens load texts and pictures again.
    void language_changed();
};

}  // namespace dryer::kit
