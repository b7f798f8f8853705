// The protocol peer of the stand-in, without any I/O: bytes from the line go
// in with receive(), bytes for the line come out of poll(). It answers every
// reply frame with a status frame built from its plant, sends one on its own
// when the panel stays quiet for a period, applies reply items as "write n
// bytes at offset code" (except refused offsets), and carries out the
// scenario: silence, corrupt and split frames, and the plant's actions.
// Not thread-safe: the Simulator serialises the calls.
#pragma once

#include <bitset>
#include <cstdint>
#include <functional>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "sim/plant.h"
#include "sim/reply_parser.h"
#include "sim/scenario.h"

namespace dryer::sim {

struct PeerOptions {
    std::uint32_t period_ms = 350;  // a frame on its own after this much quiet (real time)
    std::uint32_t gap_ms = 30;      // an unfinished reply is given up after this much quiet
    double speed = 1.0;             // plant time per real time
    std::uint32_t seed = 1;
    bool unscripted_events = true;  // occasional warnings and shutdowns that clear themselves
    std::vector<Action> scenario;   // sorted by time
    std::bitset<link::kImageSize> refused;  // offsets that are never echoed
    // Called with one human-readable line per applied or refused item, per
    // malformed reply, per link-lost reply, per run of idle replies and per
    // scenario action. May be empty. Under a Simulator it runs on the serving
    // thread with the stand-in locked: it must not call back into it.
    std::function<void(const std::string&)> log;
};

struct PeerStats {
    std::uint64_t frames_sent = 0;
    std::uint64_t frames_corrupted = 0;
    std::uint64_t frames_split = 0;
    std::uint64_t item_replies = 0;
    std::uint64_t idle_replies = 0;
    std::uint64_t link_lost_replies = 0;
    std::uint64_t malformed_replies = 0;
    std::uint64_t items_applied = 0;
    std::uint64_t items_refused = 0;
};

class Peer {
public:
    explicit Peer(PeerOptions options);

    // receive() takes n bytes read from the line at real time now_ms and
    // handle every complete reply among them; a reply still incomplete after
    // gap_ms of quiet is dropped as malformed by poll().
    void receive(const std::uint8_t* data, std::size_t n, std::uint64_t now_ms);

    // poll() advances the plant and the scenario to real time now_ms and
    // return the bytes to write now: a status frame (or half of one) when a
    // well-formed reply has arrived since the last frame or period_ms have
    // passed without one, nothing while silent. now_ms never goes back.
    std::vector<std::uint8_t> poll(std::uint64_t now_ms);

    // next_deadline() returns the real time by which poll() should next
    // be called.
    std::uint64_t next_deadline() const;

    // post() schedules an action at_ms of plant time from now.
    void post(Action action);

    // refuse() makes items touching offset be taken but not echoed (on)
    // or applied again (off).
    void refuse(std::size_t offset, bool on);

    const Plant& plant() const { return plant_; }
    const PeerStats& stats() const { return stats_; }
    bool silent() const;

private:
    void advance(std::uint64_t now_ms);
    void run_action(const Action& a);
    void take_frames();
    void handle(const Reply& reply, const std::uint8_t* raw, std::size_t n);
    bool is_refused(const ReplyItem& item) const;
    std::vector<std::uint8_t> next_frame();
    void log(const std::string& line);

    PeerOptions options_;
    Plant plant_;
    std::multimap<std::uint64_t, Action> pending_;  // by plant time, ties in order of posting
    std::mt19937 rng_;
    PeerStats stats_;

    std::vector<std::uint8_t> rx_;
    std::uint64_t last_rx_ms_ = 0;
    std::uint64_t now_ms_ = 0;
    bool started_ = false;
    double plant_fraction_ms_ = 0;

    bool respond_ = false;
    bool ever_sent_ = false;
    std::uint64_t last_send_ms_ = 0;
    std::uint64_t silent_until_ = 0;  // plant time
    std::uint32_t corrupt_left_ = 0;
    bool split_next_ = false;
    std::vector<std::uint8_t> second_half_;
    bool last_was_idle_ = false;
};

// build_status_frame() returns the 331-byte status frame of the image:
// the payload 0..328 and its two check bytes.
std::vector<std::uint8_t> build_status_frame(const Image& image);

}  // namespace dryer::sim
