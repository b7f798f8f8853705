// The blink flags of the panel's timers, as the timers set them and the
// screens read them.
#pragma once

#include <cstdint>

namespace dryer::views::blink {
inline constexpr std::uint32_t phase = 1u << 0;    // set for ticks 3-7 of every 8 fast ticks
inline constexpr std::uint32_t third = 1u << 1;    // set every third 100 ms tick, cleared by its reader
inline constexpr std::uint32_t settled = 1u << 2;  // set from the third blink period on
}  // namespace dryer::views::blink
