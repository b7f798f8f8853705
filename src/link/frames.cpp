#include "link/frames.h"

#include "link/crc.h"

namespace dryer::link {

bool status_frame_accepted(const std::uint8_t* bytes, std::size_t n) {
    return n == kStatusFrameSize && bytes != nullptr && crc_verify(bytes, kPayloadSize);
}

std::size_t put_idle_reply(TransmitBuffer& tx) {
    tx[0] = 0x07;
    tx[1] = tx[2] = tx[3] = tx[4] = 0x00;
    crc_append(tx.data(), 5);
    return kIdleReplySize;
}

std::size_t put_link_lost_reply(TransmitBuffer& tx) {
    tx[0] = 0x06;
    tx[1] = 0x00;
    crc_append(tx.data(), 2);
    return kLinkLostReplySize;
}

std::size_t finish_item_reply(TransmitBuffer& tx) {
    // build_reply() never produces more than kMaxReplySize; clamp anyway so a
    // corrupted length byte can never make the append write past the buffer.
    std::size_t len = tx[0];
    if (len < 4) len = 4;
    if (len > kMaxReplySize) len = kMaxReplySize;
    crc_append(tx.data(), len - 2);
    return len;
}

}  // namespace dryer::link
