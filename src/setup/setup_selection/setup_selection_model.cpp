#include "setup/setup_selection/setup_selection_model.h"

#include <array>

#include "link/settings_edit.h"

namespace dryer::setup {

namespace {

using A = SetupAction;

constexpr std::array<SetupButton, 19> kHardware{{
    {"TEMP_SCALE", 0, 37, A::units_question, 0},
    {"DRYING_MODE", 0, 23, A::drying_mode, 0},
    {"MRR", 0, 33, A::mrr_question, 0},
    {"BURNER_MODE", 0, 27, A::burner_mode, setup_command::burner_mode},
    {"BURNER_DIFF", 0, 31, A::burner_differential, 0},
    {"SET_DATE_TIME", 0, 36, A::set_time, 0},
    {"DRYER_MODEL", 0, 38, A::dryer_hardware, 0},
    {"DIAGNOSTICS", 0, 30, A::diagnostics, 0},
    {"DATA_LOGGER", 0, 39, A::logger_setup, 0},
    {"BPH_CALIB", 0, 35, A::unload_bushels, 0},
    {"CLEAR_BATCH_COUNT", 0, 63, A::clear_batch_counter, 0},
    {"MODEM_SETUP", setup_caption::connection, 0, A::watchdog, 0},
    {"USER_DEFAULT_BUTTON", 0, 40, A::user_settings, 0},
    {"UNLOAD_PARAMS", 0, 25, A::unload_parameters, 0},
    {"TEMP_MANAGER", 0, 26, A::temp_manager, 0},
    {"CALIB_MOIST_SENSOR", 0, 28, A::moisture_calibration, 0},
    {"MC_SETUP", 0, 24, A::mc_setup, 0},
    {"EXTENDED_SETUP", 0, 29, A::extended_setup, 0},
    {"AUTO_START_SETUP", 0, 73, A::auto_start, 0},
}};

constexpr std::array<SetupButton, 14> kExtended{{
    {"DIAGNOSTICS_NEW", 0, 30, A::diagnostics, 0},
    {"BURNER_DIFF", 0, 31, A::burner_differential, 0},
    {"DRYER_MODEL", 0, 38, A::dryer_hardware, 0},
    {"BPH_CALIB", 0, 35, A::unload_bushels, 0},
    {"SET_DATE_TIME", 0, 36, A::set_time, 0},
    {"TEMP_SCALE", 0, 37, A::units_dialog, 0},
    {"DATA_LOGGER", 0, 39, A::logger_setup, 0},
    {"USER_DEFAULTS", 0, 40, A::user_settings, 0},
    {"CLEAR_BATCH_COUNT", 0, 63, A::clear_batch_counter, 0},
    {"MRR", 0, 33, A::mrr_dialog, 0},
    {"SELECT LANG", setup_caption::select_language, 0, A::select_language, 0},
    {"PRINTER_SETUP", 0, 32, A::no_action, 0},
    {"SETUP CYCLED MOISTURE SAMPLER", setup_caption::cycled_sampler, 0, A::no_action,
     setup_command::cycled_sampler},
    {"PLENUM SETUP", setup_caption::plenum_setup, 0, A::no_action, setup_command::plenum_setup},
}};

bool built(SetupAction a, const BuiltDialogs& dialogs) {
    switch (a) {
        case A::units_question:
        case A::units_dialog:
        case A::mrr_question:
        case A::mrr_dialog:
        case A::burner_differential:
        case A::clear_batch_counter:
        case A::watchdog:
        case A::user_settings:
        case A::select_language:
        case A::extended_setup: return true;
        case A::no_action: return false;
        default: return dialogs.has(a);  // opened by id: enabled once the panel has it
    }
}

bool shown_by_command(int command, const SetupButtonsShown& shown) {
    switch (command) {
        case setup_command::cycled_sampler: return shown.cycled_sampler;
        case setup_command::plenum_setup: return shown.plenum_setup;
        case setup_command::burner_mode: return shown.burner_mode;
        default: return true;
    }
}

constexpr std::uint8_t kFamilyBit = 0x20;  // status 225 bit 5

}  // namespace

std::span<const SetupButton> setup_buttons(SetupMenu menu) {
    if (menu == SetupMenu::extended) return kExtended;
    return kHardware;
}

SetupButtonsShown setup_buttons_shown(const link::ByteImage& status) {
    const std::uint8_t switches = status.get(link::off::status_183);
    const bool family = (status.get(link::off::options_225) & kFamilyBit) != 0;
    return {(switches & 0x04) != 0, (switches & 0x02) != 0 && !family, !family};
}

bool auto_start_button_shown(const link::ByteImage& status) {
    return status.get(link::off::drying_mode) == 0 && (status.get(link::off::options_225) & kFamilyBit) == 0 &&
           (status.get(link::off::status_280) & 0x40) != 0;
}

std::vector<SetupButtonState> setup_menu_view(SetupMenu menu, const SetupButtonsShown& shown,
                                              const link::ByteImage& status, const BuiltDialogs& dialogs) {
    std::vector<SetupButtonState> v;
    for (const SetupButton& b : setup_buttons(menu)) {
        SetupButtonState s;
        s.shown = b.action == A::auto_start ? auto_start_button_shown(status) : shown_by_command(b.command, shown);
        s.enabled = built(b.action, dialogs);
        v.push_back(s);
    }
    return v;
}

void leave_setup_menu(link::LinkState& state) {
    link::begin_edit(state, link::off::mode_224, 1);
    link::store(state.values.view_switching_enabled, 1);
}

}  // namespace dryer::setup
