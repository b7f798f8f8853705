#include "setup/screens/setup_screens.h"

#include "setup/batch_timers/batch_drying_window.h"
#include "setup/temp_select/temp_select_window.h"
#include "setup/timer_select/timer_select_window.h"

namespace dryer::setup {

void register_setup_screens(link::LinkState& state,
                            const std::function<void(const std::string&, ScreenFactory)>& add,
                            std::function<void()> restore_main) {
    add("TEMP_SELECT_WINDOW", [&state, restore_main](QWidget* parent) -> QWidget* {
        auto* w = new TempSelectWindow(state, parent);
        QObject::connect(w, &TempSelectWindow::exitToMain, w, restore_main);
        // The auto-start configuration screen takes this exit once it exists;
        // until then the main screen comes back.
        QObject::connect(w, &TempSelectWindow::exitToAutoStart, w, restore_main);
        return w;
    });
    add("TIMER_SELECT_WINDOW", [&state, restore_main](QWidget* parent) -> QWidget* {
        auto* w = new TimerSelectWindow(state, parent);
        QObject::connect(w, &TimerSelectWindow::exitToMain, w, restore_main);
        return w;
    });
    add("BATCH_DRYING_WINDOW", [&state](QWidget* parent) -> QWidget* { return new BatchDryingWindow(state, parent); });
}

}  // namespace dryer::setup
