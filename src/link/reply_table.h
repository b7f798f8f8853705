// The reply builder's item table: which settings go to the controller, in
// which order, with how many value bytes, and how each change flag is lowered.
// Rows are numbered 1 to 82 in builder order; a change flag belongs to a row.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace dryer::link {

inline constexpr std::size_t kReplyRowCount = 82;

enum class Source : std::uint8_t { settings, status };

// How the decoder lowers a row's flag (see the decoder for the details).
enum class Clear : std::uint8_t {
    echo,            // status bytes equal settings bytes after the copy
    echo_previous,   // the same, checked before the field is copied
    echo_against,    // received pair equals the settings pair two bytes on
    masked_echo,     // status 279 equals setting 279 & 0x8F
    one_shot,        // lowered by the builder when appended
    meter_roll,      // rows 47 and 52: the meter roll rule
    received_161,    // row 48: received 161 equals setting 161
    received_160,    // row 51: received 160-162 equal status 156-158
    by_screen,       // row 43: the meter roll speed screen lowers it itself
};

struct ReplyRow {
    std::uint16_t code;    // item code = payload offset written by the item
    std::uint8_t n;        // value bytes
    std::uint16_t source;  // first source offset
    Source from;
    bool limited;          // appended only while the running length is below 100
    Clear clear;
};

// Row numbers by name; the row of a setting is what a screen raises.
namespace row {
inline constexpr int fan_heater_count = 1;
inline constexpr int module_count = 2;
inline constexpr int fuel_type = 3;
inline constexpr int load_system = 4;
inline constexpr int dryer_length = 5;
inline constexpr int drying_mode = 6;
inline constexpr int batch_heat_time = 7;
inline constexpr int batch_heat_remaining = 8;
inline constexpr int batch_low_heat_time = 9;
inline constexpr int batch_low_heat_remaining = 10;
inline constexpr int batch_cool_time = 11;
inline constexpr int batch_cool_remaining = 12;
inline constexpr int batch_unload_time = 13;
inline constexpr int batch_unload_remaining = 14;
inline constexpr int load_timer = 15;
inline constexpr int load_startup_delay = 16;
inline constexpr int unload_cleanout_delay = 17;
inline constexpr int fan_start_delay = 18;
inline constexpr int meter_roll_option = 19;
inline constexpr int plenum_temp_manager = 20;
inline constexpr int clock = 21;
inline constexpr int plenum6_setpoint = 22;  // rows 22-27: Plenum 6 down to 1
inline constexpr int plenum1_setpoint = 27;
inline constexpr int burner_diff_6 = 28;     // rows 28-33: Plenum 6 down to 1
inline constexpr int burner_diff_1 = 33;
inline constexpr int burner_mode_6 = 34;     // rows 34-39: Plenum 6 down to 1
inline constexpr int burner_mode_1 = 39;
inline constexpr int grain_setpoint = 40;
inline constexpr int grain_high_setpoint = 41;
inline constexpr int grain_low_setpoint = 42;
inline constexpr int meter_roll_control = 43;
inline constexpr int meter_roll_speed_156 = 44;
inline constexpr int meter_roll_speed_157 = 45;
inline constexpr int meter_roll_speed_158 = 46;
inline constexpr int meter_roll_speeds_back = 47;
inline constexpr int meter_roll_value_back = 48;
inline constexpr int unload_bushels = 49;
inline constexpr int mc_mode = 50;
inline constexpr int meter_roll_speeds_160_back = 51;
inline constexpr int meter_roll_block = 52;
inline constexpr int moisture_setpoint = 53;
inline constexpr int unload_rate_max = 54;
inline constexpr int unload_rate_min = 55;
inline constexpr int batch_counter = 56;
inline constexpr int drying_option = 57;
inline constexpr int mc5_226 = 58;           // rows 58-61: 226 to 229
inline constexpr int mcal_232 = 62;
inline constexpr int mcal_234 = 63;
inline constexpr int mr_volt_236 = 64;
inline constexpr int mr_volt_237 = 65;
inline constexpr int unload_control = 66;
inline constexpr int mcal_241 = 67;
inline constexpr int mcal_243 = 68;
inline constexpr int watchdog = 69;
inline constexpr int system_flags = 70;
inline constexpr int plenum2_low_setpoint = 71;
inline constexpr int plenum_low_setpoint = 72;
inline constexpr int display_options = 73;
inline constexpr int cool_down_timer = 74;
inline constexpr int staged_max_time = 75;
inline constexpr int max_grain_temp = 76;
inline constexpr int hardware_options = 77;
inline constexpr int moisture_281 = 78;
inline constexpr int autostart = 79;
inline constexpr int moisture_sensor_type = 80;
inline constexpr int day_logger = 81;
inline constexpr int hardware_options_2 = 82;
}  // namespace row

// kReplyRows[r] is row r (1..82); entry 0 is unused.
extern const std::array<ReplyRow, kReplyRowCount + 1> kReplyRows;

// The rows of the plenum setpoint, burner differential and burner mode of
// fan/heater unit 1..6 (numbered as in fields.h: unit k sets offsets
// 57 + 2k, 94 + k and 100 + k, so unit 6 is Plenum 1 at row 27).
constexpr int plenum_setpoint_row(int unit) { return row::plenum6_setpoint + (unit - 1); }
constexpr int burner_diff_row(int unit) { return row::burner_diff_6 + (unit - 1); }
constexpr int burner_mode_row(int unit) { return row::burner_mode_6 + (unit - 1); }

// row_for_setting() returns the row that sends the setting at this
// offset from the settings image with its own clear rule, or 0 when no such
// row exists. Codes 159, 160 and 161 have several rows; this returns row 43
// for 159 and 0 for 160 and 161, whose rows hand back status values.
int row_for_setting(std::size_t offset);

}  // namespace dryer::link
