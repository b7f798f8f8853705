// Status images for the main-screen tests, benchmarks and snapshots.
#pragma once

#include <cstdint>
#include <random>

#include "link/link_state.h"

namespace dryer::views::sample {

namespace off = link::off;

// A busy continuous-flow dryer: six units running with burners lit, loading,
// unloading, moisture control in automatic, a warning reported.
inline void fill_busy(link::LinkState& st) {
    auto& s = st.status;
    s.clear();
    s.set(off::fan_heater_count, 4);
    s.set(off::module_count, 0);
    s.set(off::options_225, 0x80);
    s.set(off::mc_mode_flags, 0x81);
    s.set(off::mode_flags_179, 0x02);
    s.set_u16le(off::value_93, 104);
    s.set_u16le(off::value_91, 101);
    s.set_u16le(off::value_89, 99);
    s.set_u16le(off::target_149, 105);
    s.set_u16be(off::moisture_189, 154);
    s.set_u16be(off::moisture_191, 221);
    s.set_u16be(off::grain_temp_193, 987);
    s.set_u16be(off::value_195, 652);
    s.set_u16be(off::value_173, 1250);
    s.set_u16be(off::value_197, 423);
    s.set_u16be(off::moisture_setpoint, 155);
    s.set(off::unload_counter, 0x40);
    s.set(off::unload_counter + 1, 0x9C);
    s.set(off::unload_counter + 2, 0x36);
    s.set(off::meter_roll_speed_pct, 47);
    s.set(off::meter_roll_speeds_155, 1);
    s.set(off::status_171, 0x48);
    s.set(off::status_172, 0x01);
    s.set(off::load_flags, 0x0C);
    s.set(off::status_188, 0xC0);
    s.set(off::options_293, 0x80);
    for (int k = 1; k <= 6; ++k) {
        s.set(link::heater_state_a_offset(k), static_cast<std::uint8_t>(k % 2 ? 0x07 : 0x03));
        s.set(link::heater_state_b_offset(k), static_cast<std::uint8_t>(k == 1 ? 0x01 : 0x03));
        s.set_u16le(link::heater_setpoint_offset(k), static_cast<std::uint16_t>(180 + 10 * k));
        s.set_u16le(link::heater_temperature_offset(k), static_cast<std::uint16_t>(176 + 11 * k));
    }
    s.set(off::load_timer_remaining, 3);
    s.set(off::load_timer_setpoint, 8);
    s.set(off::load_timer_status, 1);
    link::store(st.link_alive, 10u);
}

// Every byte of the status image random.
inline void fill_random(link::LinkState& st, std::mt19937& rng) {
    std::uniform_int_distribution<int> byte(0, 255);
    for (std::size_t i = 0; i < link::kImageSize; ++i) st.status.set(i, static_cast<std::uint8_t>(byte(rng)));
    link::store(st.link_alive, static_cast<std::uint32_t>(byte(rng) % 3));
    link::store(st.values.si_units, static_cast<std::uint8_t>(byte(rng) & 1));
}

}  // namespace dryer::views::sample
