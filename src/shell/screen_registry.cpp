#include "shell/screen_registry.h"

#include <array>

#include "autostart/auto_start/auto_start_windows.h"
#include "link/link_state.h"
#include "logging/history_screen/history_dialog.h"
#include "logging/logger_setup/logger_setup_dialog.h"
#include "setup/batch_timers/batch_drying_window.h"
#include "setup/calibration/calibration_dialogs.h"
#include "setup/diagnostics/diagnostics_dialog.h"
#include "setup/hardware/hardware_dialog.h"
#include "setup/modes/modes_dialogs.h"
#include "setup/moisture/moisture_dialogs.h"
#include "setup/set_time/set_time_dialog.h"
#include "setup/setup_selection/setup_selection_window.h"
#include "setup/temp_select/temp_select_window.h"
#include "setup/timer_select/timer_select_window.h"
#include "views/dryer_picture/dryer_picture_window.h"
#include "views/graph/graph_window.h"
#include "views/plenum/plenum_window.h"
#include "views/state_line/state_line_window.h"
#include "views/status_chart/sample_time_dialog.h"
#include "views/status_chart/status_chart_window.h"
#include "views/status_bars/status_bars_windows.h"
#include "views/unload_status/unload_status_window.h"
#include "views/view_selection/view_selection_window.h"
#include "views/warning/warning_window.h"

namespace dryer::shell {

namespace rd = link::redraw;
using kit::Frame;
using kit::WindowId;

// Windows whose screens come later; until then the main window shows their
// titled frames, and the buttons that would open them are disabled.
const kit::ScreenRow button_bar_frame{WindowId::button_bar, "BUTTON_BAR_WINDOW", " DRYER BAR STATUS",
                                      {0, 420, 640, 55}, Frame::none, false, true, rd::button_bar, nullptr};
namespace {

// In creation order: later windows lie above earlier ones.
constexpr std::array<const kit::ScreenRow*, kit::kWindowCount> kScreens{
    &views::view_selection_screen,
    &views::warning_screen,
    &views::readings_screen,
    &views::status_chart_screen,
    &setup::boot_loader_screen,
    &views::plenum_screen,
    &views::unload_status_screen,
    &views::left_status_bar_screen,
    &views::state_line_screen,
    &button_bar_frame,
    &setup::timer_select_screen,
    &setup::temp_select_screen,
    &setup::setup_selection_screen,
    &setup::extended_setup_selection_screen,
    &views::graph_screen,
    &views::dryer_picture_screen,
    &setup::batch_drying_screen,
    &autostart::auto_start_config_screen,
};

constexpr auto kDialogs = std::to_array<const kit::DialogRow*>({
    &history::shutdown_history_dialog,
    &views::sample_time_dialog,
    &logging::logger_setup_dialog,
    &setup::set_time_dialog,
    &setup::drying_mode_dialog,
    &setup::mc_setup_dialog,
    &setup::burner_mode_dialog,
    &setup::moisture_calibration_dialog,
    &setup::unload_bushels_dialog,
    &setup::meter_roll_voltage_dialog,
    &setup::dryer_hardware_dialog,
    &setup::sensor_selection_dialog,
    &setup::diagnostics_dialog,
    &setup::moisture_setpoint_dialog,
    &setup::meter_roll_speed_dialog,
    &setup::unload_parameters_dialog,
    &setup::temp_manager_dialog,
    &setup::five_speed_dialog,
    &autostart::auto_start_setup_dialog,
    &autostart::auto_start_status_dialog,
});

}  // namespace

std::span<const kit::ScreenRow* const> screen_registry() { return kScreens; }
std::span<const kit::DialogRow* const> dialog_registry() { return kDialogs; }

}  // namespace dryer::shell
