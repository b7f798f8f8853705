// Named readers of the status fields the main screen shows, each in the byte
// order the controller reports it in.
#pragma once

#include <cstdint>

#include "link/images.h"

namespace dryer::views::st {

using link::ByteImage;
namespace off = link::off;

inline std::uint8_t u8(const ByteImage& s, std::size_t at) { return s.get(at); }
inline bool bit(const ByteImage& s, std::size_t at, int n) { return link::bit(s, at, n); }

inline int module_count(const ByteImage& s) { return s.get(off::module_count); }
inline int fan_heater_count(const ByteImage& s) { return s.get(off::fan_heater_count); }
inline int drying_mode(const ByteImage& s) { return s.get(off::drying_mode); }
// The moisture-control mode (scheme): the low three bits of mc_mode_flags.
inline int mc_mode(const ByteImage& s) { return s.get(off::mc_mode_flags) & 0x07; }

inline int value_89(const ByteImage& s) { return link::u16le(s, off::value_89); }
inline int value_91(const ByteImage& s) { return link::u16le(s, off::value_91); }
inline int value_93(const ByteImage& s) { return link::u16le(s, off::value_93); }
inline int target_149(const ByteImage& s) { return link::u16le(s, off::target_149); }
inline int target_151(const ByteImage& s) { return link::u16le(s, off::target_151); }
inline int target_153(const ByteImage& s) { return link::u16le(s, off::target_153); }
inline int value_173(const ByteImage& s) { return link::u16be(s, off::value_173); }
inline unsigned moisture_189(const ByteImage& s) { return link::u16be(s, off::moisture_189); }
inline unsigned moisture_191(const ByteImage& s) { return link::u16be(s, off::moisture_191); }
inline int grain_temp_193(const ByteImage& s) { return link::u16be(s, off::grain_temp_193); }
inline int value_195(const ByteImage& s) { return link::u16be(s, off::value_195); }
inline unsigned value_197(const ByteImage& s) { return link::u16be(s, off::value_197); }
inline unsigned moisture_setpoint(const ByteImage& s) { return link::u16be(s, off::moisture_setpoint); }
inline int batch_counter(const ByteImage& s) { return link::u16be(s, off::batch_counter); }
inline unsigned value_247(const ByteImage& s) { return link::u16be(s, off::value_247); }
inline unsigned value_249(const ByteImage& s) { return link::u16be(s, off::value_249); }
inline std::uint32_t unload_counter(const ByteImage& s) { return link::u32le(s, off::unload_counter); }
inline int temp_setpoint_260(const ByteImage& s) { return link::s16le(s, off::temp_setpoint_260); }
// Plenum setpoint and reading of fan/heater unit 1..6 (unit 6 is the first in
// use, the operator's Plenum 1; see link/fields.h).
inline int heater_setpoint(const ByteImage& s, int unit) { return link::s16le(s, link::heater_setpoint_offset(unit)); }
inline int heater_temperature(const ByteImage& s, int unit) {
    return link::s16le(s, link::heater_temperature_offset(unit));
}
// State bytes A, B and C of fan/heater unit 1..6.
inline std::uint8_t byte_a(const ByteImage& s, int unit) { return s.get(link::heater_state_a_offset(unit)); }
inline std::uint8_t byte_b(const ByteImage& s, int unit) { return s.get(link::heater_state_b_offset(unit)); }
inline std::uint8_t byte_c(const ByteImage& s, int unit) { return s.get(link::heater_state_c_offset(unit)); }

// The sensor temperature picked by status_184: 0 value_93, 1 value_91, any
// other value value_89 (the dryer picture's reading).
inline int picked_sensor_temperature(const ByteImage& s) {
    switch (s.get(off::status_184)) {
        case 0: return value_93(s);
        case 1: return value_91(s);
        default: return value_89(s);
    }
}

}  // namespace dryer::views::st
