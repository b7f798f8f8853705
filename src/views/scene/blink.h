// The shell's blink flags as the status windows read them.
#pragma once

#include <cstdint>

namespace dryer::views::blink {
inline constexpr std::uint32_t phase = 1u << 0;    // the blink phase ("on")
inline constexpr std::uint32_t marker = 1u << 1;   // set every third 100 ms tick
inline constexpr std::uint32_t settled = 1u << 2;  // the panel has settled after start
}  // namespace dryer::views::blink
