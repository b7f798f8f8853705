// The three reply shapes and the acceptance rule of a status frame.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "link/fields.h"

namespace dryer::link {

// Longest item reply on the wire: 110 bytes before the check bytes.
inline constexpr std::size_t kMaxReplySize = 112;
inline constexpr std::size_t kIdleReplySize = 7;
inline constexpr std::size_t kLinkLostReplySize = 4;  // although byte 0 reads 6

using TransmitBuffer = std::array<std::uint8_t, kMaxReplySize>;
using StatusFrame = std::array<std::uint8_t, kStatusFrameSize>;

// status_frame_accepted() returns true only when exactly 331 bytes were
// read and the two check bytes after the 329-byte payload match; any other
// size or a mismatch is false. bytes may be null when n is 0.
bool status_frame_accepted(const std::uint8_t* bytes, std::size_t n);

// put_idle_reply() writes 07 00 00 00 00 and its check bytes into tx
// and return the number of bytes to send (7).
std::size_t put_idle_reply(TransmitBuffer& tx);

// put_link_lost_reply() writes 06 00 and its check bytes into tx and
// return the number of bytes to send (4).
std::size_t put_link_lost_reply(TransmitBuffer& tx);

// finish_item_reply() appends the check bytes to an item reply built by
// build_reply() and return its length on the wire (byte 0).
std::size_t finish_item_reply(TransmitBuffer& tx);

}  // namespace dryer::link
