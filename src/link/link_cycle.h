// The link cycle and the link driver over a LinkState and a transport. The
// panel's process-wide driver (link_driver.h) is one LinkDriver over
// link_state() and the serial port; tests build their own over a
// pseudo-terminal and run cycles one by one.
#pragma once

#include <array>
#include <atomic>
#include <memory>
#include <stop_token>
#include <thread>

#include "link/frames.h"
#include "link/link_state.h"
#include "platform/auto_reset_event.h"
#include "platform/transport.h"

namespace dryer::link {

// Accepted frames set the link-alive counter to this; a link-lost reply sets
// the reply-hold counter to this.
inline constexpr std::uint32_t kLinkAliveReload = 10;
inline constexpr std::uint32_t kReplyHoldReload = 10;
// While the device is gone, a reopen is tried every this many cycles
// (about 2.8 seconds at 350 ms a cycle).
inline constexpr std::uint32_t kReopenEveryCycles = 8;

// What one cycle did (for tests and diagnostics).
enum class CycleResult : std::uint8_t {
    idle_reply,       // 07 00 00 00 00 sent
    item_reply,       // a reply with at least one item sent
    link_lost_reply,  // 06 00 sent
    port_closed,      // the device is gone; nothing sent (a reopen may have been tried)
};

class LinkCycle {
public:
    LinkCycle(LinkState& state, platform::Transport& transport) : state_(state), transport_(transport) {}

    // run_cycle() does one link cycle: read what has arrived (at most 331
    // bytes), decode it when it is an accepted status frame (link-alive
    // counter back to 10), count the reply-hold counter down, and write
    // exactly one reply after purging the port: the link-lost reply when
    // requested and not held, an item reply when the builder has items and
    // the hold counter is below 2, else the idle reply. With the device gone
    // it writes nothing and try to reopen it every kReopenEveryCycles
    // cycles; it returns what it did.
    CycleResult run_cycle();

private:
    CycleResult retry_open();
    void send(std::size_t n);

    LinkState& state_;
    platform::Transport& transport_;
    // One byte more than a frame, so that a cycle in which more than 331
    // bytes arrived is seen as such and rejected.
    std::array<std::uint8_t, kStatusFrameSize + 1> rx_{};
    TransmitBuffer tx_{};
    std::uint32_t closed_cycles_ = 0;
};

// link_second_tick_on() lowers the link-alive counter and the shutdown
// re-record countdown by one, each while above 0.
void link_second_tick_on(LinkState& state);

// link_alive_second_tick() lowers the link-alive counter by one while above
// 0; when this lowers it to 0 a link loss begins: it is counted and its time
// noted. Returns the new value.
std::uint32_t link_alive_second_tick(LinkState& state);

// link_cycle_tick_on() counts a 175 ms tick and return true when the
// new count is even (a cycle is due).
bool link_cycle_tick_on(LinkState& state);

// The receive thread: waits on the cycle event and runs one cycle per
// release. Stops (and joins) when destroyed.
class LinkDriver {
public:
    LinkDriver(LinkState& state, platform::Transport& transport) : state_(state), cycle_(state, transport) {}
    ~LinkDriver() { stop(); }
    LinkDriver(const LinkDriver&) = delete;
    LinkDriver& operator=(const LinkDriver&) = delete;

    // start() starts the receive thread and then create the cycle event;
    // the thread retries its wait until the event exists.
    void start();
    // stop() stops and join the receive thread (a no-op when not running).
    void stop();
    // cycle_tick() counts the tick and release the cycle event on every
    // second one, once the event exists.
    void cycle_tick();
    // cycles_run() returns the number of cycles the thread has finished.
    std::uint32_t cycles_run() const { return cycles_run_.load(std::memory_order_acquire); }

private:
    void thread_main(std::stop_token stop);

    LinkState& state_;
    LinkCycle cycle_;
    std::unique_ptr<platform::AutoResetEvent> event_owner_;
    std::atomic<platform::AutoResetEvent*> event_{nullptr};
    std::atomic<std::uint32_t> cycles_run_{0};
    std::jthread thread_;
};

}  // namespace dryer::link
