// The small setup dialogs behind the setup menus, without Qt: the units
// switch, the metering-roll reverse option, the burner differentials, the
// batch counter, the connection ("watchdog") setup and the user settings.
// Each reads its working copy from the settings image after begin_edit()
// and sends through the settings-edit path, so ACCEPT sends only what
// differs and a closed-without-accept dialog sends nothing.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "link/link_state.h"
#include "setup/common/screen_text.h"

namespace dryer::setup {

// A question the operator answers with Yes, No or Cancel.
struct Question {
    std::string title;
    std::string text;
};

// ---- Units ------------------------------------------------------------

// units_question() returns the box of the hardware menu: the switch to
// English units while the panel shows Celsius, else the switch to SI units.
Question units_question(bool celsius);

// units_dialog_question() returns the extended menu's dialog texts (caption
// 136 / question 137 while Celsius is shown, else 132 / 133).
Question units_dialog_question(bool celsius, const TextFn& text);

// switch_units_on_panel() flips the panel's Celsius flag and sends nothing.
// Returns the new flag.
bool switch_units_on_panel(link::LinkState& state);

// switch_units_on_dryer() sets the panel's Celsius flag and bit 7 of 266 to
// the opposite of what the panel shows now, and sends 266 when its bit
// differs from the controller's report. Both follow the shown units, so a
// panel-only switch made before never leaves flag and bit apart. Returns
// the new flag.
bool switch_units_on_dryer(link::LinkState& state);

// ---- Metering-roll reverse ---------------------------------------------

// mrr_active() returns bit 4 of the working copy of offset 49 after
// begin_edit() (what the controller reports, or a commit still pending).
bool mrr_active(link::LinkState& state);

Question mrr_question(bool active);
Question mrr_dialog_question(bool active, const TextFn& text);

// toggle_mrr() flips bit 4 of offset 49 in the working copy and sends it.
void toggle_mrr(link::LinkState& state);

// ---- Burner differential -----------------------------------------------

// The burner differential dialog's working state: the six values in offset
// order 95 (Plenum 6) to 100 (Plenum 1) and the selected plenum.
class BurnerDifferential {
public:
    // Takes the working copies of offsets 95-100; Plenum 1 is selected.
    explicit BurnerDifferential(link::LinkState& state);

    // select() picks Plenum 1..6; other numbers are ignored.
    void select(int plenum);
    int selected() const { return selected_; }
    // set() gives the selected plenum a differential of 1..5 degrees F;
    // other values are ignored.
    void set(int degrees);
    // value() returns Plenum 1..6's differential (0 outside 1..6).
    int value(int plenum) const;

    // lines() returns the six lines "%s: %3d °F " with texts 86-91, in
    // offset order 95 to 100.
    std::array<std::string, 6> lines(const TextFn& text) const;

    // accept() writes the values and sends those that differ from the
    // controller's report. Returns the rows sent.
    std::vector<int> accept(link::LinkState& state) const;

private:
    std::array<std::uint8_t, 6> values_{};  // [0] offset 95 ... [5] offset 100
    int selected_ = 1;
};

// ---- Batch counter ------------------------------------------------------

// clear_batch_counter() sends 0 for both bytes of 221-222 as one item.
void clear_batch_counter(link::LinkState& state);

// ---- Connection setup ----------------------------------------------------

enum class ConnectionType : std::uint8_t { direct_serial = 0, modem = 1, ethernet = 2, unknown = 3 };

struct Watchdog {
    ConnectionType type = ConnectionType::direct_serial;
    int rings = 0;  // 0 one, 1 five, 2 ten, 3 fifteen
    bool operator==(const Watchdog&) const = default;
};

// watchdog_setting() decodes offset 246: type from bits 2-3, rings from bits
// 0-1 (type 3 is unknown: no radio button shows it).
Watchdog watchdog_setting(std::uint8_t byte);

// watchdog_byte() returns old with its low four bits replaced by w.
std::uint8_t watchdog_byte(std::uint8_t old, const Watchdog& w);

// begin_watchdog() takes the working copy of 246 and returns it decoded.
Watchdog begin_watchdog(link::LinkState& state);

// accept_watchdog() writes w into the working copy of 246 and sends it when
// it differs from the controller's report. Returns true when sent.
bool accept_watchdog(link::LinkState& state, const Watchdog& w);

// ---- User settings -------------------------------------------------------

// request_user_settings() sets bit 1 (save) or bit 0 (restore) of 266 on
// the working copy and sends it: a request the controller carries out.
void request_user_settings(link::LinkState& state, bool save);

}  // namespace dryer::setup
