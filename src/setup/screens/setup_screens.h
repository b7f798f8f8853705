// The setup screens as the panel's main window takes them: a factory per
// window class that replaces its placeholder frame, with the exits wired to
// bring the main screen back.
//
// Usage (in the panel program, before the child windows are created):
//   dryer::setup::register_setup_screens(link::link_state(),
//       [&](const std::string& cls, auto factory) { window.set_child_factory(cls, factory); },
//       [&] { window.restore_main_screen(); });
#pragma once

#include <QWidget>
#include <functional>
#include <string>

namespace dryer::link {
struct LinkState;
}

namespace dryer::setup {

using ScreenFactory = std::function<QWidget*(QWidget* parent)>;

// register_setup_screens() shall call add() with TEMP_SELECT_WINDOW,
// TIMER_SELECT_WINDOW and BATCH_DRYING_WINDOW and a factory for each; the
// screens' exits call restore_main(). The state and callbacks must outlive
// the screens.
void register_setup_screens(link::LinkState& state,
                            const std::function<void(const std::string&, ScreenFactory)>& add,
                            std::function<void()> restore_main);

}  // namespace dryer::setup
