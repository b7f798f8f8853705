// Offsets of the fields of the dryer status image and of the settings image
// (the two share one layout; a setting is sent under the item code equal to
// its offset), and small readers by encoding. Screens, logs and the decoder
// name fields through this table only: no bare offsets elsewhere.
#pragma once

#include <cstddef>
#include <cstdint>

namespace dryer::link {

inline constexpr std::size_t kImageSize = 331;        // status and settings images
inline constexpr std::size_t kStatusFrameSize = 331;  // bytes of a status frame
inline constexpr std::size_t kPayloadSize = 329;      // bytes covered by its check bytes

namespace off {
inline constexpr std::size_t frame_header = 0;
inline constexpr std::size_t fan_heater_count = 3;
inline constexpr std::size_t module_count = 4;
inline constexpr std::size_t fuel_type = 5;
inline constexpr std::size_t load_system = 6;
inline constexpr std::size_t dryer_length_index = 7;
inline constexpr std::size_t drying_mode = 8;
inline constexpr std::size_t batch_timer1_remaining = 9;
inline constexpr std::size_t batch_timer1_setpoint = 11;
inline constexpr std::size_t batch_timer1_status = 13;
inline constexpr std::size_t batch_timer2_remaining = 14;
inline constexpr std::size_t batch_timer2_setpoint = 16;
inline constexpr std::size_t batch_timer2_status = 18;
inline constexpr std::size_t batch_timer3_remaining = 19;
inline constexpr std::size_t batch_timer3_setpoint = 21;
inline constexpr std::size_t batch_timer3_status = 23;
inline constexpr std::size_t load_timer_remaining = 24;
inline constexpr std::size_t load_timer_setpoint = 26;
inline constexpr std::size_t load_timer_status = 28;
inline constexpr std::size_t timer_29 = 29;
inline constexpr std::size_t timer_31_setpoint = 31;
inline constexpr std::size_t reserved_33 = 33;
inline constexpr std::size_t timer_39 = 39;
inline constexpr std::size_t timer_41_setpoint = 41;
inline constexpr std::size_t timer_43 = 43;
inline constexpr std::size_t timer_44 = 44;
inline constexpr std::size_t timer_46_setpoint = 46;
inline constexpr std::size_t reserved_48 = 48;
inline constexpr std::size_t meter_roll_reverse = 49;
inline constexpr std::size_t plenum_temp_manager = 50;
inline constexpr std::size_t status_51 = 51;
inline constexpr std::size_t status_52 = 52;
inline constexpr std::size_t clock_block = 53;  // minute, hour, day, month, year % 100
inline constexpr std::size_t load_flags = 58;
// Plenum temperature setpoints, s16 LE: Plenum 1 at 69 down to Plenum 6 at 59.
inline constexpr std::size_t heater_setpoint_6 = 59;
inline constexpr std::size_t heater_setpoint_5 = 61;
inline constexpr std::size_t heater_setpoint_4 = 63;
inline constexpr std::size_t heater_setpoint_3 = 65;
inline constexpr std::size_t heater_setpoint_2 = 67;
inline constexpr std::size_t heater_setpoint_1 = 69;
// Plenum temperature readings, s16 LE: Plenum 1 at 81 down to Plenum 6 at 71.
inline constexpr std::size_t heater_temperature_6 = 71;
inline constexpr std::size_t heater_temperature_5 = 73;
inline constexpr std::size_t heater_temperature_4 = 75;
inline constexpr std::size_t heater_temperature_3 = 77;
inline constexpr std::size_t heater_temperature_2 = 79;
inline constexpr std::size_t heater_temperature_1 = 81;
inline constexpr std::size_t status_83 = 83;
inline constexpr std::size_t value_89 = 89;
inline constexpr std::size_t value_91 = 91;
inline constexpr std::size_t value_93 = 93;
inline constexpr std::size_t burner_diff_6 = 95;   // Plenum n at 101 - n
inline constexpr std::size_t burner_diff_1 = 100;
inline constexpr std::size_t burner_mode_6 = 101;  // Plenum n at 107 - n
inline constexpr std::size_t burner_mode_1 = 106;
inline constexpr std::size_t reserved_107 = 107;
inline constexpr std::size_t status_113 = 113;
inline constexpr std::size_t status_118 = 118;
inline constexpr std::size_t reserved_119 = 119;
inline constexpr std::size_t heater_status_125 = 125;  // state byte A, unit k at 124 + k
inline constexpr std::size_t heater_status_131 = 131;  // state byte B, unit k at 130 + k
inline constexpr std::size_t status_137 = 137;
inline constexpr std::size_t heater_status_143 = 143;
inline constexpr std::size_t target_149 = 149;
inline constexpr std::size_t target_151 = 151;
inline constexpr std::size_t target_153 = 153;
inline constexpr std::size_t meter_roll_speeds_155 = 155;
inline constexpr std::size_t meter_roll_control_159 = 159;
inline constexpr std::size_t unload_163 = 163;
inline constexpr std::size_t unload_counter = 164;  // u32 LE, bushel-seconds
inline constexpr std::size_t status_168 = 168;
inline constexpr std::size_t reserved_170 = 170;
inline constexpr std::size_t status_171 = 171;
inline constexpr std::size_t status_172 = 172;
inline constexpr std::size_t value_173 = 173;
inline constexpr std::size_t status_175 = 175;
inline constexpr std::size_t status_177 = 177;
inline constexpr std::size_t mode_flags_179 = 179;
inline constexpr std::size_t status_180 = 180;
inline constexpr std::size_t status_183 = 183;
inline constexpr std::size_t status_184 = 184;
inline constexpr std::size_t shutdown_code = 185;
inline constexpr std::size_t shutdown_node = 186;
inline constexpr std::size_t mc_mode_flags = 187;
inline constexpr std::size_t status_188 = 188;
inline constexpr std::size_t moisture_189 = 189;
inline constexpr std::size_t moisture_191 = 191;
inline constexpr std::size_t grain_temp_193 = 193;
inline constexpr std::size_t value_195 = 195;
inline constexpr std::size_t value_197 = 197;
inline constexpr std::size_t moisture_setpoint = 199;
inline constexpr std::size_t moisture_201 = 201;
inline constexpr std::size_t status_202 = 202;
inline constexpr std::size_t status_203 = 203;
inline constexpr std::size_t reserved_204 = 204;
inline constexpr std::size_t unload_rate_max = 206;
inline constexpr std::size_t unload_rate_min = 208;
inline constexpr std::size_t reserved_210 = 210;
inline constexpr std::size_t status_216_217 = 216;
inline constexpr std::size_t status_218_219 = 218;
inline constexpr std::size_t status_220 = 220;
inline constexpr std::size_t batch_counter = 221;
inline constexpr std::size_t status_223 = 223;
inline constexpr std::size_t mode_224 = 224;
inline constexpr std::size_t options_225 = 225;
inline constexpr std::size_t mc5_226 = 226;
inline constexpr std::size_t mc5_227 = 227;
inline constexpr std::size_t mc5_228 = 228;
inline constexpr std::size_t mc5_229 = 229;
inline constexpr std::size_t value_230 = 230;
inline constexpr std::size_t reserved_231 = 231;
inline constexpr std::size_t mcal_232 = 232;
inline constexpr std::size_t mcal_234 = 234;
inline constexpr std::size_t mr_volt_236 = 236;
inline constexpr std::size_t mr_volt_237 = 237;
inline constexpr std::size_t unload_control_238 = 238;
inline constexpr std::size_t status_239_240 = 239;
inline constexpr std::size_t mcal_241 = 241;
inline constexpr std::size_t mcal_243 = 243;
inline constexpr std::size_t meter_roll_speed_pct = 245;
inline constexpr std::size_t watchdog = 246;
inline constexpr std::size_t value_247 = 247;
inline constexpr std::size_t value_249 = 249;
inline constexpr std::size_t status_251 = 251;
inline constexpr std::size_t batch_timer4_remaining = 252;
inline constexpr std::size_t batch_timer4_setpoint = 254;
inline constexpr std::size_t reserved_256 = 256;
inline constexpr std::size_t system_flags_257 = 257;
inline constexpr std::size_t temp_setpoint_258 = 258;
inline constexpr std::size_t temp_setpoint_260 = 260;
inline constexpr std::size_t value_262 = 262;
inline constexpr std::size_t value_264 = 264;
inline constexpr std::size_t display_options_266 = 266;
inline constexpr std::size_t value_267 = 267;
inline constexpr std::size_t timer_269_setpoint = 269;
inline constexpr std::size_t status_271 = 271;
inline constexpr std::size_t value_272 = 272;
inline constexpr std::size_t staged_274 = 274;
inline constexpr std::size_t reserved_276 = 276;
inline constexpr std::size_t cf_277 = 277;
inline constexpr std::size_t options_279 = 279;
inline constexpr std::size_t status_280 = 280;
inline constexpr std::size_t moisture_281 = 281;
inline constexpr std::size_t value_283 = 283;
inline constexpr std::size_t autostart_285 = 285;
inline constexpr std::size_t reserved_286 = 286;
inline constexpr std::size_t moisture_sensor_type = 287;
inline constexpr std::size_t status_288 = 288;
inline constexpr std::size_t day_logger_289 = 289;
inline constexpr std::size_t value_290 = 290;
inline constexpr std::size_t status_292 = 292;
inline constexpr std::size_t options_293 = 293;
inline constexpr std::size_t autostart_294 = 294;
inline constexpr std::size_t autostart_318 = 318;
inline constexpr std::size_t autostart_320 = 320;
inline constexpr std::size_t autostart_322 = 322;
}  // namespace off

// Fan/heater units, numbered 1 to 6 by position. A dryer with n units uses
// the last n, units 7 - n to 6, so unit 6 is always in use. The controller
// keeps the per-unit bytes in two orders:
// - state bytes A and B (and C) run forward: unit k at 124 + k, 130 + k and
//   142 + k;
// - the settings and readings run backward from the first unit in use: its
//   plenum setpoint is at 69, the next unit's at 67 and so on, and likewise
//   the readings from 81, the burner differentials from 100 and the burner
//   modes from 106. The operator's "Plenum i" (the setpoint buttons, the
//   burner screens' "Fan/Heater #i") is this backward count: Plenum 1 is
//   unit 6, Plenum i is unit 7 - i.
// So unit k has its setpoint at 57 + 2k, its reading at 69 + 2k, its burner
// differential at 94 + k and its burner mode at 100 + k, and the screens that
// draw units (the plenum panel, the dryer picture) and the screens that edit
// Plenum i meet at the same bytes. The field names heater_setpoint_1..6 and
// the like above count the operator's way (heater_setpoint_1 is Plenum 1).
inline constexpr int kFanHeaterUnits = 6;
// plenum_unit() returns the unit that the operator's Plenum i (1..6) names.
constexpr int plenum_unit(int plenum) { return kFanHeaterUnits + 1 - plenum; }
// Offsets of the plenum setpoint (s16 LE), the plenum reading (s16 LE), the
// burner differential and the burner mode of unit 1..6.
constexpr std::size_t heater_setpoint_offset(int unit) { return static_cast<std::size_t>(57 + 2 * unit); }
constexpr std::size_t heater_temperature_offset(int unit) { return static_cast<std::size_t>(69 + 2 * unit); }
constexpr std::size_t burner_diff_offset(int unit) { return static_cast<std::size_t>(94 + unit); }
constexpr std::size_t burner_mode_offset(int unit) { return static_cast<std::size_t>(100 + unit); }
// State bytes A, B and C of unit 1..6.
constexpr std::size_t heater_state_a_offset(int unit) { return static_cast<std::size_t>(124 + unit); }
constexpr std::size_t heater_state_b_offset(int unit) { return static_cast<std::size_t>(130 + unit); }
constexpr std::size_t heater_state_c_offset(int unit) { return static_cast<std::size_t>(142 + unit); }
static_assert(heater_setpoint_offset(plenum_unit(1)) == off::heater_setpoint_1);
static_assert(heater_setpoint_offset(plenum_unit(6)) == off::heater_setpoint_6);
static_assert(heater_temperature_offset(plenum_unit(1)) == off::heater_temperature_1);
static_assert(burner_diff_offset(plenum_unit(1)) == off::burner_diff_1);
static_assert(burner_mode_offset(plenum_unit(6)) == off::burner_mode_6);

// Readers over any byte source with `std::uint8_t get(std::size_t) const`
// (the status image, the settings image, a plain frame view). Multi-byte
// values are assembled in the byte order the controller reports them in.
template <class Image> std::uint8_t u8(const Image& im, std::size_t at) { return im.get(at); }
template <class Image> std::uint16_t u16be(const Image& im, std::size_t at) {
    return static_cast<std::uint16_t>((im.get(at) << 8) | im.get(at + 1));
}
template <class Image> std::uint16_t u16le(const Image& im, std::size_t at) {
    return static_cast<std::uint16_t>(im.get(at) | (im.get(at + 1) << 8));
}
template <class Image> std::int16_t s16le(const Image& im, std::size_t at) {
    return static_cast<std::int16_t>(u16le(im, at));
}
template <class Image> std::uint32_t u32le(const Image& im, std::size_t at) {
    return static_cast<std::uint32_t>(im.get(at)) | (static_cast<std::uint32_t>(im.get(at + 1)) << 8) |
           (static_cast<std::uint32_t>(im.get(at + 2)) << 16) | (static_cast<std::uint32_t>(im.get(at + 3)) << 24);
}
// A min:sec pair (minutes byte, seconds byte) in seconds.
template <class Image> std::uint32_t min_sec(const Image& im, std::size_t at) {
    return static_cast<std::uint32_t>(im.get(at)) * 60u + im.get(at + 1);
}
template <class Image> bool bit(const Image& im, std::size_t at, int n) { return (im.get(at) >> n) & 1u; }

// A read-only view of plain bytes (a received frame) with the same readers.
struct ByteView {
    const std::uint8_t* bytes;
    std::uint8_t get(std::size_t at) const { return bytes[at]; }
};

}  // namespace dryer::link
