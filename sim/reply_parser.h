// The stand-in's side of the reply frame: what the panel sends after each
// status frame, checked byte by byte before anything is applied. A reply is
// outside data: every malformed shape is a returned verdict, never a crash.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace dryer::sim {

// One reply item: write `size` value bytes at payload offset `code`.
struct ReplyItem {
    std::uint16_t code = 0;
    std::uint8_t size = 0;
    std::uint8_t bytes[5] = {};
};

enum class ReplyKind : std::uint8_t {
    items,      // a well-formed item reply
    idle,       // 07 00 00 00 00 91 C0
    link_lost,  // 06 00 02 10
    malformed,  // anything else; `error` says why
};

struct Reply {
    ReplyKind kind = ReplyKind::malformed;
    std::vector<ReplyItem> items;  // only for ReplyKind::items
    std::string error;             // only for ReplyKind::malformed
};

inline constexpr std::size_t kLinkLostSize = 4;
inline constexpr std::size_t kIdleSize = 7;
inline constexpr std::size_t kMinItemReply = 8;
inline constexpr std::size_t kMaxItemValue = 5;
// Items may write only the payload: offsets 329 and 330 are check bytes.
inline constexpr std::size_t kWritableEnd = 329;

// parse_reply() classifies the n bytes of one received reply. It returns
// kind items with every item when byte 0 equals n, the check bytes
// match, the count is at least 1, every n is 1..5, the items exactly fill
// bytes 2..n-3 and none writes past offset 328; idle or link_lost for the
// two fixed shapes; malformed with a short reason for anything else.
Reply parse_reply(const std::uint8_t* data, std::size_t n);

// reply_frame_length() returns how many bytes the reply starting at
// data (n bytes available, n >= 1) claims to occupy on the wire: 4 for the
// link-lost shape (06 00 ...), otherwise byte 0.
std::size_t reply_frame_length(const std::uint8_t* data, std::size_t n);

// describe() returns a one-line human-readable form of the item
// ("item 69 n=2: 0xD2 0x00").
std::string describe(const ReplyItem& item);

}  // namespace dryer::sim
