// What the two setup menus show: the hardware setup selection screen
// (SETUP_SELECTION_WINDOW) and the extended setup selection screen
// (EXTENDED_SETUP_SELECTION_WINDOW_NEW). Each is a grid of picture and text
// buttons; a button's table row says what it opens. Which buttons are shown
// follows status bits, which are enabled follows what the panel has built.
// Computed without Qt.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "link/link_state.h"

namespace dryer::setup {

enum class SetupMenu : std::uint8_t { hardware, extended };

// What pressing a menu button does.
enum class SetupAction : std::uint8_t {
    units_question,       // the Yes/No/Cancel box: the panel's Celsius flag only
    units_dialog,         // the dialog: Celsius flag and bit 7 of 266
    mrr_question,         // metering-roll reverse, as a box
    mrr_dialog,           // metering-roll reverse, as a dialog
    burner_differential,
    clear_batch_counter,
    watchdog,
    user_settings,
    select_language,
    set_time,             // the clock dialog (opened by id)
    logger_setup,         // the data logger setup (opened by id)
    extended_setup,       // shows the extended menu
    drying_mode,
    burner_mode,
    dryer_hardware,
    diagnostics,
    unload_bushels,
    unload_parameters,
    temp_manager,
    moisture_calibration,
    mc_setup,
    auto_start,
    no_action,
};

// Commands of the buttons that the one-second housekeeping shows or hides.
namespace setup_command {
inline constexpr int cycled_sampler = 36987;  // extended menu
inline constexpr int plenum_setup = 36991;    // extended menu
inline constexpr int burner_mode = 34867;     // hardware menu
}  // namespace setup_command

// Texts on the faces of the buttons without picture, and the captions.
namespace setup_caption {
inline constexpr unsigned connection = 906;       // "CONNECTION SETUP"
inline constexpr unsigned select_language = 907;  // "SELECT LANGUAGE"
inline constexpr unsigned cycled_sampler = 908;   // "SETUP CYCLED MOISTURE SAMPLER"
inline constexpr unsigned plenum_setup = 909;     // "PLENUM SETUP"
// The menus' captions: the hardware menu's and the extended menu's.
inline constexpr unsigned hardware_title = 461;   // "SELECT HARDWARE SETUP PARAMETER TO MODIFY"
inline constexpr unsigned extended_title = 933;   // "SELECT SETUP PARAMETER TO MODIFY"
}  // namespace setup_caption

struct SetupButton {
    const char* name;     // objectName
    unsigned caption;     // text on the face of a button without picture, 0 for a picture button
    int picture;          // localized button picture, 0 for a text button
    SetupAction action;
    int command;          // a status-driven button's command, else 0
};

// Returns the menu's grid buttons in grid order (row by row, three a row);
// the EXIT button (picture 41) is not among them.
std::span<const SetupButton> setup_buttons(SetupMenu menu);

// The three status-driven buttons.
struct SetupButtonsShown {
    bool cycled_sampler = false;  // command 36987: status 183 bit 2
    bool plenum_setup = false;    // command 36991: status 183 bit 1 and 225 bit 5 clear
    bool burner_mode = false;     // command 34867: status 225 bit 5 clear
    bool operator==(const SetupButtonsShown&) const = default;
};

// setup_buttons_shown() returns which of the three status-driven buttons are
// shown for this status image (the one-second housekeeping's rule).
SetupButtonsShown setup_buttons_shown(const link::ByteImage& status);

// auto_start_button_shown() returns true in continuous flow (drying mode 0)
// with status 225 bit 5 clear and status 280 bit 6 set.
bool auto_start_button_shown(const link::ByteImage& status);

// The dialogs other screens build, opened by id.
// The actions whose dialog or screen the panel has built (the menus' own
// small dialogs are always built).
struct BuiltDialogs {
    std::uint64_t actions = 0;
    void set(SetupAction a) { actions |= std::uint64_t{1} << static_cast<unsigned>(a); }
    bool has(SetupAction a) const { return (actions >> static_cast<unsigned>(a)) & 1U; }
};

struct SetupButtonState {
    bool shown = true;
    bool enabled = false;
    bool operator==(const SetupButtonState&) const = default;
};

// setup_menu_view() returns the shown and enabled state of each grid button
// of the menu, in setup_buttons() order. A button is enabled when what it
// opens is built; a button that does nothing is disabled.
std::vector<SetupButtonState> setup_menu_view(SetupMenu menu, const SetupButtonsShown& shown,
                                              const link::ByteImage& status, const BuiltDialogs& built);

// leave_setup_menu() is the hardware menu's EXIT: it takes the controller's
// drying option byte (224) into the settings image, unless a commit of it
// is still waiting for its echo, and enables view switching again.
void leave_setup_menu(link::LinkState& state);

}  // namespace dryer::setup
