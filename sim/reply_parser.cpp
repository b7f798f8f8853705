#include "sim/reply_parser.h"

#include <cstdio>

#include "link/crc.h"

namespace dryer::sim {
namespace {

constexpr std::uint8_t kLinkLost[kLinkLostSize] = {0x06, 0x00, 0x02, 0x10};
constexpr std::uint8_t kIdle[kIdleSize] = {0x07, 0x00, 0x00, 0x00, 0x00, 0x91, 0xC0};

bool equals(const std::uint8_t* data, std::size_t n, const std::uint8_t* shape, std::size_t size) {
    if (n != size) return false;
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] != shape[i]) return false;
    }
    return true;
}

Reply malformed(std::string why) {
    Reply r;
    r.kind = ReplyKind::malformed;
    r.error = std::move(why);
    return r;
}

}  // namespace

std::size_t reply_frame_length(const std::uint8_t* data, std::size_t n) {
    if (n >= 2 && data[0] == 0x06 && data[1] == 0x00) return kLinkLostSize;
    return data[0];
}

Reply parse_reply(const std::uint8_t* data, std::size_t n) {
    if (equals(data, n, kLinkLost, kLinkLostSize)) return Reply{ReplyKind::link_lost, {}, {}};
    if (equals(data, n, kIdle, kIdleSize)) return Reply{ReplyKind::idle, {}, {}};
    if (n < kMinItemReply) return malformed("too short (" + std::to_string(n) + " bytes)");
    if (data[0] != n) {
        return malformed("length byte " + std::to_string(data[0]) + " but " + std::to_string(n) + " bytes read");
    }
    if (!link::crc_verify(data, n - 2)) return malformed("check bytes do not match");
    const std::size_t count = data[1];
    if (count == 0) return malformed("item count 0 in an item reply");
    Reply r;
    r.kind = ReplyKind::items;
    std::size_t at = 2;
    const std::size_t end = n - 2;
    for (std::size_t k = 0; k < count; ++k) {
        if (at + 3 > end) return malformed("item " + std::to_string(k + 1) + " of " + std::to_string(count) + " runs past the frame");
        ReplyItem item;
        item.code = static_cast<std::uint16_t>((data[at] << 8) | data[at + 1]);
        item.size = data[at + 2];
        if (item.size < 1 || item.size > kMaxItemValue) return malformed("item value size " + std::to_string(item.size) + " out of range");
        if (at + 3 + item.size > end) return malformed("item at code " + std::to_string(item.code) + " runs past the frame");
        if (item.code + item.size > kWritableEnd) return malformed("item at code " + std::to_string(item.code) + " runs past offset 328");
        for (std::size_t i = 0; i < item.size; ++i) item.bytes[i] = data[at + 3 + i];
        r.items.push_back(item);
        at += 3 + item.size;
    }
    if (at != end) return malformed(std::to_string(end - at) + " bytes left after " + std::to_string(count) + " items");
    return r;
}

std::string describe(const ReplyItem& item) {
    std::string s = "item " + std::to_string(item.code) + " n=" + std::to_string(item.size) + ":";
    for (std::size_t i = 0; i < item.size; ++i) {
        char hex[8];
        std::snprintf(hex, sizeof hex, " 0x%02X", item.bytes[i]);
        s += hex;
    }
    return s;
}

}  // namespace dryer::sim
