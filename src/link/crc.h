// Check bytes of every frame on the dryer link: the Modbus RTU CRC-16
// (reflected polynomial 0xA001, initial value 0xFFFF, no final XOR), computed
// with the two 256-entry byte tables of the Modbus reference implementation.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace dryer::link {

// The high-byte table (entries 0-255) followed by the low-byte table
// (entries 256-511), exactly as published for Modbus RTU.
extern const std::array<std::uint8_t, 512> kCrcTable;

// crc16() returns the CRC of the first n bytes of data. Its low byte is
// the first check byte on the wire, its high byte the second.
std::uint16_t crc16(const std::uint8_t* data, std::size_t n);

// crc_append() stores the two check bytes of the first m bytes of buf at
// buf[m] (low byte) and buf[m + 1] (high byte). buf holds at least m + 2 bytes.
void crc_append(std::uint8_t* buf, std::size_t m);

// crc_verify() returns true when buf[m] and buf[m + 1] are the check
// bytes of the first m bytes of buf. buf holds at least m + 2 bytes.
bool crc_verify(const std::uint8_t* buf, std::size_t m);

}  // namespace dryer::link
