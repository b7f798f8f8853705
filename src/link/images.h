// The data the receive thread and the user-interface thread share without a
// lock: the dryer status image, the settings image, the change flags and the
// link's counters. Every shared item is a single atomic byte or an atomic
// 32-bit value. Bytes are accessed with relaxed ordering: a torn multi-byte
// value is harmless because a setting's flag stays raised until the
// controller echoes the whole value, and change flags order themselves
// against the bytes (ChangeFlags in link_state.h).
#pragma once

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>

#include "link/fields.h"

namespace dryer::link {

// 331 bytes laid out as the status frame's payload.
class ByteImage {
public:
    std::uint8_t get(std::size_t at) const { return bytes_[at].load(std::memory_order_relaxed); }
    void set(std::size_t at, std::uint8_t v) { bytes_[at].store(v, std::memory_order_relaxed); }
    // Writes a 16-bit value in the byte order of the field (screens use these
    // before raising the setting's change flag).
    void set_u16le(std::size_t at, std::uint16_t v) {
        set(at, static_cast<std::uint8_t>(v & 0xFF));
        set(at + 1, static_cast<std::uint8_t>(v >> 8));
    }
    void set_u16be(std::size_t at, std::uint16_t v) {
        set(at, static_cast<std::uint8_t>(v >> 8));
        set(at + 1, static_cast<std::uint8_t>(v & 0xFF));
    }
    void clear() {
        for (auto& b : bytes_) b.store(0, std::memory_order_relaxed);
    }

private:
    std::array<std::atomic<std::uint8_t>, kImageSize> bytes_{};
};

inline std::uint32_t load(const std::atomic<std::uint32_t>& a) { return a.load(std::memory_order_relaxed); }
inline std::uint8_t load(const std::atomic<std::uint8_t>& a) { return a.load(std::memory_order_relaxed); }
inline void store(std::atomic<std::uint32_t>& a, std::uint32_t v) { a.store(v, std::memory_order_relaxed); }
inline void store(std::atomic<std::uint8_t>& a, std::uint8_t v) { a.store(v, std::memory_order_relaxed); }

}  // namespace dryer::link
