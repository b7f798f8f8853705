// Reply frames built by hand for the stand-in's tests.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <utility>
#include <vector>

#include "link/crc.h"

namespace dryer::sim::test {

using Bytes = std::vector<std::uint8_t>;
using ItemDef = std::pair<std::uint16_t, Bytes>;  // code, value bytes

// An item reply with correct length, count and check bytes.
inline Bytes item_reply(std::initializer_list<ItemDef> items) {
    Bytes f{0, static_cast<std::uint8_t>(items.size())};
    for (const auto& [code, value] : items) {
        f.push_back(static_cast<std::uint8_t>(code >> 8));
        f.push_back(static_cast<std::uint8_t>(code & 0xFF));
        f.push_back(static_cast<std::uint8_t>(value.size()));
        f.insert(f.end(), value.begin(), value.end());
    }
    f[0] = static_cast<std::uint8_t>(f.size() + 2);
    f.resize(f.size() + 2);
    link::crc_append(f.data(), f.size() - 2);
    return f;
}

// Any bytes closed with their check bytes (byte 0 is left as given).
inline Bytes with_crc(Bytes body) {
    body.resize(body.size() + 2);
    link::crc_append(body.data(), body.size() - 2);
    return body;
}

inline const Bytes kIdle{0x07, 0x00, 0x00, 0x00, 0x00, 0x91, 0xC0};
inline const Bytes kLinkLost{0x06, 0x00, 0x02, 0x10};

}  // namespace dryer::sim::test
