#include "link/link_cycle.h"

#include <chrono>
#include <ctime>
#include <span>

#include "link/decoder.h"
#include "link/reply_builder.h"

namespace dryer::link {

CycleResult LinkCycle::retry_open() {
    if (++closed_cycles_ >= kReopenEveryCycles) {
        closed_cycles_ = 0;
        (void)transport_.reopen();
    }
    return CycleResult::port_closed;
}

namespace {
std::uint32_t seconds_now() { return static_cast<std::uint32_t>(std::time(nullptr)); }
void bump(std::atomic<std::uint32_t>& counter) { counter.fetch_add(1, std::memory_order_relaxed); }
}  // namespace

void LinkCycle::send(std::size_t n) {
    // The purge throws away a frame that has only partly arrived, and any
    // reply still queued; write errors are ignored for this cycle.
    transport_.purge();
    if (transport_.write_all(tx_.data(), n) == static_cast<long>(n)) bump(state_.stats.replies_sent);
}

CycleResult LinkCycle::run_cycle() {
    if (!transport_.is_open()) return retry_open();
    closed_cycles_ = 0;

    const long got = transport_.read_some(rx_.data(), rx_.size());
    const std::size_t n = got > 0 ? static_cast<std::size_t>(got) : 0;
    if (status_frame_accepted(rx_.data(), n)) {
        bump(state_.stats.frames_accepted);
        // The frame that ends a link loss notes when it ended.
        if (state_.link_alive.exchange(kLinkAliveReload, std::memory_order_relaxed) == 0)
            state_.stats.last_loss_ended.store(seconds_now(), std::memory_order_relaxed);
        decode_status_frame(state_, std::span<const std::uint8_t, kStatusFrameSize>(rx_.data(), kStatusFrameSize));
    } else if (n == kStatusFrameSize) {
        bump(state_.stats.rejected_check);
    } else if (n > 0) {
        bump(state_.stats.rejected_length);
    }

    std::uint32_t hold = load(state_.reply_hold);
    if (hold > 0) store(state_.reply_hold, --hold);

    // The request is taken with one exchange, so a request raised by the
    // warning window while it is consumed is never wiped out unseen.
    if (hold == 0 && state_.link_lost_request.exchange(0, std::memory_order_relaxed) != 0) {
        store(state_.reply_hold, kReplyHoldReload);
        send(put_link_lost_reply(tx_));
        return CycleResult::link_lost_reply;
    }
    // The builder runs even when its result is replaced by the idle reply:
    // one-shot items are consumed all the same.
    if (build_reply(state_, tx_) && hold < 2) {
        send(finish_item_reply(tx_));
        return CycleResult::item_reply;
    }
    send(put_idle_reply(tx_));
    return CycleResult::idle_reply;
}

void link_second_tick_on(LinkState& state) {
    // The receive thread reloads the counter to 10 on every accepted frame;
    // the compare-and-swap never writes a stale value over that reload.
    count_down(state.link_alive);
    decoder_second_tick(state);
}

std::uint32_t link_alive_second_tick(LinkState& state) {
    // The same compare-and-swap as count_down(), so a reload by the receive
    // thread is never overwritten; only the tick that takes it from 1 to 0
    // begins a loss.
    std::uint32_t v = state.link_alive.load(std::memory_order_relaxed);
    while (v > 0 && !state.link_alive.compare_exchange_weak(v, v - 1, std::memory_order_relaxed)) {
    }
    if (v == 1) {
        state.stats.losses.fetch_add(1, std::memory_order_relaxed);
        state.stats.last_loss_began.store(seconds_now(), std::memory_order_relaxed);
    }
    return v > 0 ? v - 1 : 0;
}

bool link_cycle_tick_on(LinkState& state) {
    const std::uint32_t ticks = state.cycle_ticks.fetch_add(1, std::memory_order_relaxed) + 1;
    return ticks % 2 == 0;
}

void LinkDriver::start() {
    if (thread_.joinable()) return;
    thread_ = std::jthread([this](std::stop_token st) { thread_main(st); });
    event_owner_ = std::make_unique<platform::AutoResetEvent>();
    event_.store(event_owner_.get(), std::memory_order_release);
}

void LinkDriver::stop() {
    if (!thread_.joinable()) return;
    thread_.request_stop();
    thread_.join();
}

void LinkDriver::cycle_tick() {
    if (!link_cycle_tick_on(state_)) return;
    if (platform::AutoResetEvent* ev = event_.load(std::memory_order_acquire)) ev->set();
}

void LinkDriver::thread_main(std::stop_token stop) {
    using namespace std::chrono_literals;
    while (!stop.stop_requested()) {
        platform::AutoResetEvent* ev = event_.load(std::memory_order_acquire);
        if (ev == nullptr) {
            // The event is created just after the thread starts.
            std::this_thread::sleep_for(1ms);
            continue;
        }
        if (!ev->wait(stop)) continue;
        cycle_.run_cycle();
        cycles_run_.fetch_add(1, std::memory_order_release);
    }
}

}  // namespace dryer::link
