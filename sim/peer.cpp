#include "sim/peer.h"

#include <cmath>
#include <cstdio>

#include "link/crc.h"

namespace dryer::sim {
namespace {

std::string hex_bytes(const std::uint8_t* data, std::size_t n) {
    std::string s;
    const std::size_t shown = n > 16 ? 16 : n;
    for (std::size_t i = 0; i < shown; ++i) {
        char b[4];
        std::snprintf(b, sizeof b, "%02X", data[i]);
        if (i) s += ' ';
        s += b;
    }
    if (shown < n) s += " ...";
    return s;
}

}  // namespace

std::vector<std::uint8_t> build_status_frame(const Image& image) {
    std::vector<std::uint8_t> frame(image.begin(), image.begin() + link::kPayloadSize);
    frame.resize(link::kStatusFrameSize);
    link::crc_append(frame.data(), link::kPayloadSize);
    return frame;
}

Peer::Peer(PeerOptions options)
    : options_(std::move(options)), plant_(options_.seed, options_.unscripted_events), rng_(options_.seed ^ 0x5EEDu) {
    for (const Action& a : options_.scenario) pending_.emplace(a.at_ms, a);
    if (options_.period_ms == 0) options_.period_ms = 1;
    if (!(options_.speed > 0) || !std::isfinite(options_.speed)) options_.speed = 1.0;
}

void Peer::log(const std::string& line) {
    if (!options_.log) return;
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "[%9.3fs] ", static_cast<double>(plant_.now_ms()) / 1000.0);
    options_.log(stamp + line);
}

bool Peer::silent() const { return plant_.now_ms() < silent_until_; }

void Peer::post(Action action) {
    const std::uint64_t at = plant_.now_ms() + action.at_ms;
    action.at_ms = at;
    pending_.emplace(at, action);
}

void Peer::refuse(std::size_t offset, bool on) {
    if (offset < options_.refused.size()) options_.refused.set(offset, on);
}

void Peer::advance(std::uint64_t now_ms) {
    if (!started_) {
        started_ = true;
        now_ms_ = now_ms;
    }
    if (now_ms < now_ms_) now_ms = now_ms_;
    const double dt = static_cast<double>(now_ms - now_ms_) * options_.speed + plant_fraction_ms_;
    const auto whole = static_cast<std::uint64_t>(dt);
    plant_fraction_ms_ = dt - static_cast<double>(whole);
    now_ms_ = now_ms;
    const std::uint64_t target = plant_.now_ms() + whole;
    // Actions happen at their own plant time, in between the model's steps.
    while (!pending_.empty() && pending_.begin()->first <= target) {
        const Action a = pending_.begin()->second;
        pending_.erase(pending_.begin());
        if (a.at_ms > plant_.now_ms()) plant_.step(static_cast<std::uint32_t>(a.at_ms - plant_.now_ms()));
        run_action(a);
    }
    if (target > plant_.now_ms()) plant_.step(static_cast<std::uint32_t>(target - plant_.now_ms()));
}

void Peer::run_action(const Action& a) {
    log((a.line > 0 ? "scenario line " + std::to_string(a.line) + ": " : std::string("action: ")) + describe(a));
    switch (a.kind) {
        case ActionKind::silent: silent_until_ = plant_.now_ms() + a.duration_ms; break;
        case ActionKind::corrupt: corrupt_left_ = a.a; break;
        case ActionKind::split: split_next_ = true; break;
        case ActionKind::refuse: refuse(a.a, true); break;
        case ActionKind::accept: refuse(a.a, false); break;
        default: plant_.apply(a); break;
    }
}

void Peer::receive(const std::uint8_t* data, std::size_t n, std::uint64_t now_ms) {
    if (n == 0) return;
    advance(now_ms);
    rx_.insert(rx_.end(), data, data + n);
    last_rx_ms_ = now_ms;
    take_frames();
}

// Splits the received bytes into replies by their length byte. Replies
// normally arrive one per write of the panel, but two may run together.
void Peer::take_frames() {
    while (!rx_.empty()) {
        const std::size_t need = reply_frame_length(rx_.data(), rx_.size());
        if (need < kLinkLostSize) {
            const Reply bad{ReplyKind::malformed, {}, "length byte " + std::to_string(need)};
            handle(bad, rx_.data(), rx_.size());
            rx_.clear();
            return;
        }
        if (rx_.size() < need) return;  // the rest may still come
        const Reply reply = parse_reply(rx_.data(), need);
        handle(reply, rx_.data(), need);
        rx_.erase(rx_.begin(), rx_.begin() + static_cast<std::ptrdiff_t>(need));
    }
}

bool Peer::is_refused(const ReplyItem& item) const {
    for (std::size_t i = 0; i < item.size; ++i) {
        if (options_.refused.test(item.code + i)) return true;
    }
    return false;
}

void Peer::handle(const Reply& reply, const std::uint8_t* raw, std::size_t n) {
    switch (reply.kind) {
        case ReplyKind::items:
            ++stats_.item_replies;
            last_was_idle_ = false;
            for (const ReplyItem& item : reply.items) {
                if (is_refused(item)) {
                    ++stats_.items_refused;
                    log("refused " + describe(item));
                    continue;
                }
                plant_.write(item.code, item.bytes, item.size);
                ++stats_.items_applied;
                log("applied " + describe(item));
            }
            respond_ = true;
            break;
        case ReplyKind::idle:
            ++stats_.idle_replies;
            if (!last_was_idle_) log("idle replies");
            last_was_idle_ = true;
            respond_ = true;
            break;
        case ReplyKind::link_lost:
            ++stats_.link_lost_replies;
            last_was_idle_ = false;
            log("link-lost reply");
            respond_ = true;
            break;
        case ReplyKind::malformed:
            ++stats_.malformed_replies;
            last_was_idle_ = false;
            log("malformed reply ignored (" + reply.error + "): " + hex_bytes(raw, n));
            break;
    }
}

std::vector<std::uint8_t> Peer::poll(std::uint64_t now_ms) {
    advance(now_ms);
    now_ms = now_ms_;
    if (!rx_.empty() && now_ms - last_rx_ms_ >= options_.gap_ms) {
        const Reply bad{ReplyKind::malformed, {},
                        "length byte " + std::to_string(reply_frame_length(rx_.data(), rx_.size())) + " but " +
                            std::to_string(rx_.size()) + " bytes read"};
        handle(bad, rx_.data(), rx_.size());
        rx_.clear();
    }
    const bool due = respond_ || !ever_sent_ || now_ms - last_send_ms_ >= options_.period_ms;
    if (!due) return {};
    respond_ = false;
    ever_sent_ = true;
    last_send_ms_ = now_ms;
    if (silent()) {
        second_half_.clear();  // a frame cut off by silence is not finished later
        return {};
    }
    return next_frame();
}

std::uint64_t Peer::next_deadline() const {
    if (respond_ || !ever_sent_) return now_ms_;
    std::uint64_t t = last_send_ms_ + options_.period_ms;
    if (!rx_.empty() && last_rx_ms_ + options_.gap_ms < t) t = last_rx_ms_ + options_.gap_ms;
    return t;
}

std::vector<std::uint8_t> Peer::next_frame() {
    if (!second_half_.empty()) {
        std::vector<std::uint8_t> out;
        out.swap(second_half_);
        return out;
    }
    std::vector<std::uint8_t> frame = build_status_frame(plant_.image());
    ++stats_.frames_sent;
    if (corrupt_left_ > 0) {
        // One flipped bit anywhere in the frame: the CRC catches every
        // single-bit error, so the panel must drop it.
        --corrupt_left_;
        ++stats_.frames_corrupted;
        const std::size_t at = rng_() % frame.size();
        frame[at] ^= static_cast<std::uint8_t>(1u << (rng_() % 8));
    }
    if (split_next_) {
        split_next_ = false;
        ++stats_.frames_split;
        const std::size_t half = frame.size() / 2;
        second_half_.assign(frame.begin() + static_cast<std::ptrdiff_t>(half), frame.end());
        frame.resize(half);
    }
    return frame;
}

}  // namespace dryer::sim
