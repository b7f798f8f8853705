// Fuzzes the stand-in's reply handling: the parser on the raw bytes, and a
// peer fed the same bytes in pieces as they might come off the line.
#include <cstdint>
#include <cstdlib>

#include "sim/peer.h"
#include "sim/reply_parser.h"

namespace {

void check(bool ok) {
    if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace dryer::sim;
    const Reply r = parse_reply(data, size);
    if (r.kind == ReplyKind::items) {
        check(!r.items.empty() && size >= kMinItemReply && data[0] == size);
        for (const ReplyItem& item : r.items) {
            check(item.size >= 1 && item.size <= kMaxItemValue);
            check(item.code + item.size <= kWritableEnd);
        }
    } else {
        check(r.items.empty());
    }

    static const Image pristine = [] {
        PeerOptions o;
        o.unscripted_events = false;
        return Peer(std::move(o)).plant().image();
    }();
    PeerOptions o;
    o.unscripted_events = false;
    Peer peer(std::move(o));
    std::uint64_t now = 0;
    std::size_t at = 0;
    // The first byte picks the piece sizes; each piece arrives 10 ms apart.
    const std::size_t piece = size > 0 ? 1 + data[0] % 64 : 1;
    while (at < size) {
        const std::size_t n = size - at < piece ? size - at : piece;
        peer.receive(data + at, n, now);
        const auto out = peer.poll(now);
        check(out.empty() || out.size() == 331);
        at += n;
        now += 10;
    }
    peer.poll(now + 1000);
    const PeerStats& s = peer.stats();
    check(s.items_applied + s.items_refused == 0 || s.item_replies > 0);
    if (s.item_replies == 0) {
        // Nothing well-formed: header and settings untouched.
        const Image& im = peer.plant().image();
        check(im[3] == pristine[3] && im[199] == pristine[199] && im[266] == pristine[266]);
    }
    return 0;
}
