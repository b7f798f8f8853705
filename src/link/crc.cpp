#include "link/crc.h"

namespace dryer::link {
namespace {

// Builds the two published tables. Entry i of the reflected CRC table is
// split into its low byte (the "high" table: it feeds the accumulator that
// goes out first) and its high byte (the "low" table).
constexpr std::array<std::uint8_t, 512> make_table() {
    std::array<std::uint8_t, 512> t{};
    for (unsigned i = 0; i < 256; ++i) {
        unsigned crc = i;
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc & 1u) ? (crc >> 1) ^ 0xA001u : crc >> 1;
        }
        t[i] = static_cast<std::uint8_t>(crc & 0xFFu);
        t[256 + i] = static_cast<std::uint8_t>(crc >> 8);
    }
    return t;
}

}  // namespace

const std::array<std::uint8_t, 512> kCrcTable = make_table();

std::uint16_t crc16(const std::uint8_t* data, std::size_t n) {
    std::uint8_t hi = 0xFF;  // goes out first: the CRC's low byte
    std::uint8_t lo = 0xFF;
    for (std::size_t k = 0; k < n; ++k) {
        const std::uint8_t index = data[k] ^ hi;
        hi = kCrcTable[index] ^ lo;
        lo = kCrcTable[256 + index];
    }
    return static_cast<std::uint16_t>((lo << 8) | hi);
}

void crc_append(std::uint8_t* buf, std::size_t m) {
    const std::uint16_t crc = crc16(buf, m);
    buf[m] = static_cast<std::uint8_t>(crc & 0xFFu);
    buf[m + 1] = static_cast<std::uint8_t>(crc >> 8);
}

bool crc_verify(const std::uint8_t* buf, std::size_t m) {
    const std::uint16_t crc = crc16(buf, m);
    return buf[m] == static_cast<std::uint8_t>(crc & 0xFFu) &&
           buf[m + 1] == static_cast<std::uint8_t>(crc >> 8);
}

}  // namespace dryer::link
