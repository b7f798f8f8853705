// The line loader shared by every text table: UTF-16 LE bytes after a
// two-byte mark (skipped unseen), the carriage return ends a text, the line
// feed stores it, a last line without line feed is not stored.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace dryer::l10n {

inline constexpr std::size_t kSlotChars = 150;
inline constexpr std::size_t kWorkLineChars = 1000;

using Slot = std::array<char16_t, kSlotChars + 1>;

// load_utf16_lines() walks bytes[2..size) in steps of two and store each
// line closed by a line feed into the next slot of slots (at most
// slots.size() lines; later lines are ignored), cut to 150 characters and
// padded with terminators. A line longer than the 1000-character working line
// is cut there. It returns the number of slots written.
std::size_t load_utf16_lines(const std::uint8_t* bytes, std::size_t size, std::span<Slot> slots);

// slot_text() returns the characters of a slot up to its terminator.
std::u16string slot_text(const Slot& slot);

}  // namespace dryer::l10n
