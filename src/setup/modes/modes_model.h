// The drying and burner mode dialogs without Qt: the drying mode selection,
// the continuous-flow and staged-batch setups and the burner modes. Each
// works on the settings image as its working copy after begin_edit(): a
// choice the controller takes at once (the scheme, the heat split, the
// drying mode's scheme and flags) is committed when it is made, everything
// else when the dialog is accepted, and only what differs from the
// controller's report is sent.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "link/link_state.h"
#include "setup/keypads/temp_keypad.h"
#include "setup/keypads/timer_keypad.h"

namespace dryer::setup {

// ---- Drying mode selection -----------------------------------------------

enum class DryingMode : std::uint8_t { continuous_flow = 0, staged_batch = 1 };

struct DryingModeView {
    DryingMode mode;      // any working value other than 0 shows as staged batch
    bool staged_offered;  // status 225 bit 5 clear
    bool operator==(const DryingModeView&) const = default;
};

// begin_drying_mode() takes the working copies of 8, 187, 224 and 257. A
// dryer that offers no staged batch (status 225 bit 5) starts in continuous
// flow; coming from another mode it also takes the continuous-flow scheme
// and flags, so accepting never sends continuous flow with a batch scheme.
void begin_drying_mode(link::LinkState& state);

DryingModeView drying_mode_view(const link::LinkState& state);

// choose_drying_mode() sets the working mode with its scheme (187: 1 for
// continuous flow, 6 for staged batch), clears bit 3 of 257 and, for
// continuous flow, the dual-plenum bit; 187 and 257 are sent at once.
// Staged batch is ignored where it is not offered.
void choose_drying_mode(link::LinkState& state, DryingMode mode);

// commit_drying_mode() sends 8, 187, 224 and 257 where they differ (ACCEPT,
// and before the moisture control setup opens). Returns the rows sent.
std::vector<int> commit_drying_mode(link::LinkState& state);

// ---- Continuous flow setup -------------------------------------------------

// The control schemes of continuous flow (187).
enum class Scheme : std::uint8_t {
    temperature_two_speed = 1,
    moisture_variable = 3,
    moisture_five_speed = 4,
    temperature_five_speed = 5,
};

struct ContinuousFlowView {
    Scheme scheme;
    bool temperature;       // the temperature group is chosen (schemes 1, 5)
    bool five_speed_group;  // AUTO CENTERING and 5 SPEED SETUP shown (schemes 4, 5)
    bool auto_centering;    // 224 bit 7
    bool upper_sensor;      // 224 bit 0
    bool safety;            // 266 bit 5: MAX GRAIN TEMP enabled, the toggle reads "DISABLE"
    std::string max_grain_temp;
    bool operator==(const ContinuousFlowView&) const = default;
};

// begin_continuous_flow() takes the working copies of 187, 224, 266 and
// 277-278. A scheme other than 1, 3, 4 or 5 in the low three bits of 187
// is replaced by scheme 1 and sent at once.
void begin_continuous_flow(link::LinkState& state);

ContinuousFlowView continuous_flow_view(const link::LinkState& state);

// choose_scheme() writes the scheme into 187 and sends it at once.
void choose_scheme(link::LinkState& state, Scheme scheme);
void toggle_auto_centering(link::LinkState& state);
void toggle_upper_sensor(link::LinkState& state);

// accept_continuous_flow() sends 187, 224, 266 and 277 where they differ.
std::vector<int> accept_continuous_flow(link::LinkState& state);

// ---- Shared by both setups -------------------------------------------------

// The maximum grain temperature's keypad: 100 to 200 F, default 150.
inline constexpr TempLimits kMaxGrainTempLimits{100, 200, 150};
// The staged batch maximum time's keypad: 0:00 to 255:00, default 255:00.
inline constexpr TimerLimits kMaxTimeLimits{{0, 0}, {255, 0}, {255, 0}};

// toggle_safety() flips the maximum-grain-temperature safety: with bit 5 of
// 266 set it clears bits 4 and 5, otherwise it sets both.
void toggle_safety(link::LinkState& state);

// Working values of the keypad fields (277-278 low byte first, 274-275).
std::uint16_t max_grain_temp(const link::LinkState& state);
void set_max_grain_temp(link::LinkState& state, std::uint16_t fahrenheit);
MinSec max_time(const link::LinkState& state);
void set_max_time(link::LinkState& state, MinSec value);

// max_grain_temp_text() returns "%d F", or "%d C" converted when the panel
// shows Celsius, so the field matches the keypad it opens.
std::string max_grain_temp_text(std::uint16_t fahrenheit, bool celsius);

// ---- Staged batch setup ------------------------------------------------------

enum class Criterion : std::uint8_t { time, temperature, moisture };
enum class HeatSplit : std::uint8_t { full, two_thirds, half };

struct StagedBatchView {
    bool time;              // 257 bit 4
    bool temperature;       // 257 bit 5
    bool moisture;          // 257 bit 6
    bool temperature_group; // SINGLE / DUAL enabled (time or temperature criterion)
    bool moisture_group;    // the heat split enabled (moisture criterion)
    bool dual;              // 257 bit 1
    std::optional<HeatSplit> heat_split;  // none unless exactly one of 224's bits 4-6 is set
    bool safety;            // 266 bit 5
    bool max_time_enabled;  // not with the moisture criterion
    std::string max_time;   // "%03d:%02d"
    std::string max_grain_temp;
    bool operator==(const StagedBatchView&) const = default;
};

// begin_staged_batch() takes the working copies of 224, 257, 266, 274-275
// and 277-278; 187 keeps what the drying mode selection left there.
void begin_staged_batch(link::LinkState& state);

StagedBatchView staged_batch_view(const link::LinkState& state);

// choose_criterion(): TIME and TEMPERATURE toggle their bit, drop the
// moisture criterion (257 bit 6, 266 bit 3, 187 bits 1, 2 and 7); TIME
// also sets bit 4 of 266 with the safety on and clears it when turned off.
// MOISTURE leaves only the moisture criterion: single plenum, full heat,
// 187 bits 1, 2 and 7 and 266 bit 3 set, 266 bit 4 following the safety.
// 187 (and 224 for MOISTURE) are sent at once.
void choose_criterion(link::LinkState& state, Criterion criterion);

// choose_plenum() clears the dual-plenum bit, or sets it when dual is asked
// and the dryer has a single fan/heater (status 3 = 0). Returns false when
// dual was refused.
bool choose_plenum(link::LinkState& state, bool dual);

// choose_heat_split() sets exactly one of 224's bits 4-6 and sends it at once.
void choose_heat_split(link::LinkState& state, HeatSplit split);

// accept_staged_batch() sends 187, 224, 257, 266, 274 and 277 where they
// differ, or nothing (and returns nullopt) while no criterion is chosen.
std::optional<std::vector<int>> accept_staged_batch(link::LinkState& state);

// ---- Burner modes ------------------------------------------------------------

// Bits 0-1 of a burner mode byte; 2 is no mode the panel offers.
enum class BurnerChoice : std::uint8_t { hi_lo = 0, on_off = 1, unknown = 2, automatic = 3 };

class BurnerModes {
public:
    // Takes the working copies of 101-106.
    explicit BurnerModes(link::LinkState& state);

    // choice() returns Fan/Heater #1..6's choice (unknown outside 1..6).
    BurnerChoice choice(int fan_heater) const;
    // select() moves Fan/Heater #1..6 on: HI / LO, ON / OFF, AUTO, HI / LO;
    // an unknown mode goes to HI / LO.
    void select(int fan_heater);
    // set() gives Fan/Heater #1..6 the choice (unknown is ignored).
    void set(int fan_heater, BurnerChoice c);
    // set_all() gives every fan/heater the choice (unknown is ignored).
    void set_all(BurnerChoice c);

    // accept() replaces bits 0-1 of each byte whose mode is known and sends
    // the bytes that differ. An unknown mode left alone keeps its byte.
    // Returns the rows sent.
    std::vector<int> accept(link::LinkState& state) const;

private:
    std::array<BurnerChoice, 6> choices_{};  // [i] is Fan/Heater #i+1
};

// burner_mode_offset_of() returns Fan/Heater #i's byte: 107 - i.
std::size_t burner_mode_offset_of(int fan_heater);

}  // namespace dryer::setup
