// Everything the link keeps for the whole run, in one record: the status and
// settings images, the change flags, the decoder's panel values, the link
// counters and the redraw requests. The panel uses one process-wide instance
// (link_state()); tests make their own.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <string_view>

#include "link/images.h"
#include "link/reply_table.h"

namespace dryer::link {

// One change flag per reply row (index 1..82). A flag holds a generation:
// 0 is lowered, any other value is raised, and every raise takes a fresh
// generation. A writer stores the setting's bytes first and raises second
// (release); the reply builder and the decoder read the flag first (acquire)
// and the bytes second, so a raised flag is never seen with older bytes.
// The decoder lowers a flag only if it still holds the generation it
// compared against (lower_if), so a commit that lands between the
// decoder's compare and its lower is never lost.
class ChangeFlags {
public:
    // raise() raises the row's flag with a fresh generation and returns it.
    std::uint32_t raise(int r) {
        std::uint32_t g = next_.fetch_add(1, std::memory_order_relaxed) + 1;
        if (g == 0) g = next_.fetch_add(1, std::memory_order_relaxed) + 1;  // 0 means lowered
        at(r).store(g, std::memory_order_release);
        return g;
    }
    // lower() lowers the flag whatever generation it holds (for tests and for
    // the meter roll speed screen, which owns row 43).
    void lower(int r) { at(r).store(0, std::memory_order_release); }
    // lower_if() lowers the flag when it still holds generation g and
    // returns whether it did; a newer raise survives.
    bool lower_if(int r, std::uint32_t g) {
        return g != 0 && at(r).compare_exchange_strong(g, 0, std::memory_order_acq_rel, std::memory_order_acquire);
    }
    // generation() returns the flag's generation, 0 when lowered.
    std::uint32_t generation(int r) const { return at(r).load(std::memory_order_acquire); }
    bool raised(int r) const { return generation(r) != 0; }

private:
    std::atomic<std::uint32_t>& at(int r) { return flags_[static_cast<std::size_t>(r)]; }
    const std::atomic<std::uint32_t>& at(int r) const { return flags_[static_cast<std::size_t>(r)]; }

    std::array<std::atomic<std::uint32_t>, kReplyRowCount + 1> flags_{};
    std::atomic<std::uint32_t> next_{0};
};

// count_down() lowers the counter by one while it is above 0 and returns the
// new value. It is a compare-and-swap loop, so a reload by the other thread
// between the read and the write is never overwritten by a stale value.
inline std::uint32_t count_down(std::atomic<std::uint32_t>& counter) {
    std::uint32_t v = counter.load(std::memory_order_relaxed);
    while (v > 0 && !counter.compare_exchange_weak(v, v - 1, std::memory_order_relaxed)) {
    }
    return v > 0 ? v - 1 : 0;
}

// Windows (and window rules) the decoder asks the user-interface thread to
// update. The receive thread never touches a widget: it sets bits here and
// the user-interface thread takes them.
namespace redraw {
inline constexpr std::uint64_t dryer_picture = 1ull << 0;
inline constexpr std::uint64_t plenum_view = 1ull << 1;          // the whole plenum view
inline constexpr std::uint64_t plenum_box_first = 1ull << 2;     // bits 2..7: value box 1..6
inline constexpr std::uint64_t batch_drying = 1ull << 8;
inline constexpr std::uint64_t left_status_bar = 1ull << 9;
inline constexpr std::uint64_t right_status_bar = 1ull << 10;
inline constexpr std::uint64_t unload_status = 1ull << 11;
inline constexpr std::uint64_t line_graph = 1ull << 12;
inline constexpr std::uint64_t timer_select = 1ull << 13;
inline constexpr std::uint64_t temp_select = 1ull << 14;
inline constexpr std::uint64_t setup_selection = 1ull << 15;
inline constexpr std::uint64_t dryer_state_line = 1ull << 16;
inline constexpr std::uint64_t out_of_grain_timer = 1ull << 17;
inline constexpr std::uint64_t meter_roll_screen = 1ull << 18;
inline constexpr std::uint64_t unload_bushels = 1ull << 19;
inline constexpr std::uint64_t moisture_status_bar = 1ull << 20;
inline constexpr std::uint64_t moisture_calibration = 1ull << 21;
inline constexpr std::uint64_t switch_test = 1ull << 22;
inline constexpr std::uint64_t button_bar = 1ull << 23;
inline constexpr std::uint64_t autostart = 1ull << 24;
inline constexpr std::uint64_t warning_window = 1ull << 25;
inline constexpr std::uint64_t diagnostics = 1ull << 26;
inline constexpr std::uint64_t setup_dialogs = 1ull << 27;        // any open setup dialog
inline constexpr std::uint64_t right_hand_view_rule = 1ull << 32;  // apply the rule
inline constexpr std::uint64_t batch_button_rule = 1ull << 33;     // apply the rule
inline constexpr std::uint64_t panel_event = 1ull << 34;           // an event byte was raised
constexpr std::uint64_t plenum_box(int box) { return plenum_box_first << (box - 1); }  // box 1..6
}  // namespace redraw

class RedrawRequests {
public:
    // request() adds bits to the pending mask and, when the mask was
    // empty before, call the wake-up callback once (from the calling thread).
    void request(std::uint64_t bits) {
        const std::uint64_t before = mask_.fetch_or(bits, std::memory_order_relaxed);
        if (before == 0 && bits != 0) {
            if (auto* w = wake_.load(std::memory_order_acquire)) (*w)();
        }
    }
    // take() returns the pending bits and clear them.
    std::uint64_t take() { return mask_.exchange(0, std::memory_order_relaxed); }
    std::uint64_t pending() const { return mask_.load(std::memory_order_relaxed); }
    // The callback must outlive the link; set it before the link opens.
    void set_wake(const std::function<void()>* wake) { wake_.store(wake, std::memory_order_release); }

private:
    std::atomic<std::uint64_t> mask_{0};
    std::atomic<const std::function<void()>*> wake_{nullptr};
};

// Where the decoder sends a new shutdown (node id, warning id). Called on the
// receive thread; must not block for long and must not throw.
class ShutdownSink {
public:
    virtual ~ShutdownSink() = default;
    virtual void record_shutdown(std::uint8_t node, std::uint8_t warning) = 0;
};

// One committed setting, as the settings-edit path reports it to the
// journal: the reply row and its item code, the setting offset, the bytes the
// controller reported there before the commit (status image) and the bytes
// committed, and the screen or dialog that committed it.
struct SettingChange {
    static constexpr std::size_t kMaxBytes = 5;  // the longest settings row (the clock)
    int row = 0;
    std::uint16_t code = 0;
    std::size_t offset = 0;
    std::uint8_t n = 0;
    std::array<std::uint8_t, kMaxBytes> old_bytes{};
    std::array<std::uint8_t, kMaxBytes> new_bytes{};
    std::string_view source;  // valid for the duration of the call only
};

// Where the settings-edit path reports each committed setting. Called on the
// user-interface thread, after the change flag is raised; must not throw.
class SettingsSink {
public:
    virtual ~SettingsSink() = default;
    virtual void record_setting_change(const SettingChange& change) noexcept = 0;
};

// Values the decoder keeps besides the images.
struct PanelValues {
    std::atomic<std::uint32_t> previous_load_start{0};
    std::atomic<std::uint32_t> previous_load_time{0};
    std::atomic<std::uint8_t> last_shutdown_warning{0};
    std::atomic<std::uint8_t> last_shutdown_node{0};
    std::atomic<std::uint32_t> rerecord_countdown{0};
    std::atomic<std::uint32_t> moisture_substitution_countdown{2700};
    std::atomic<std::uint8_t> si_units{0};
    std::atomic<std::uint8_t> graph_view_bit_seen{0};
    std::atomic<std::uint8_t> batch_mode{0};
    std::atomic<std::uint8_t> meter_roll_event{0};
    std::atomic<std::uint8_t> dipswitch_event{0};
    std::atomic<std::uint8_t> meter_roll_refresh{0};
    std::atomic<std::uint8_t> meter_roll_local_mode{0};
    std::atomic<std::uint8_t> view_switching_enabled{1};
    std::atomic<std::uint8_t> dipswitch_latch{0};
    std::atomic<std::uint8_t> meter_roll_screen_open{0};  // owned by the meter roll speed screen
    // 1 while the technician's diagnostics dialog is open (set and cleared by
    // it); while set, the main window holds the decoder's event commands.
    std::atomic<std::uint8_t> diagnostics_mode{0};
    // The setup buttons the controller's status shows or hides, by their
    // commands: 1 shown, 0 hidden. Written by the one-second housekeeping,
    // read by the setup selection screens (both on the user-interface thread).
    std::atomic<std::uint8_t> setup_button_36987{0};  // extended setup: status 183 bit 2
    std::atomic<std::uint8_t> setup_button_36991{0};  // extended setup: 183 bit 1 and not 225 bit 5
    std::atomic<std::uint8_t> setup_button_34867{0};  // hardware setup: not 225 bit 5
};

// Counts of the link since the program started, for the service technician
// (the system information dialog). Written by the receive thread (frames and
// replies) and by the one-second housekeeping (a loss begins), read by the
// user-interface thread. Each is a relaxed counter: the figures are
// independent, and a reader may see a count a cycle ahead of a time; nothing
// is decided on them. Times are seconds since the epoch, 0 for never.
struct LinkStatistics {
    std::atomic<std::uint32_t> frames_accepted{0};
    std::atomic<std::uint32_t> rejected_length{0};  // something arrived, but not 331 bytes
    std::atomic<std::uint32_t> rejected_check{0};   // 331 bytes with wrong check bytes
    std::atomic<std::uint32_t> replies_sent{0};     // replies written whole
    std::atomic<std::uint32_t> losses{0};           // the link-alive counter reached 0
    std::atomic<std::uint32_t> last_loss_began{0};
    std::atomic<std::uint32_t> last_loss_ended{0};  // the first frame after it
};

struct LinkState {
    LinkState() { status.set(off::status_171, 0xA0); }

    ByteImage status;    // written only by the receive thread
    ByteImage settings;  // written by screens, a few bytes by the decoder
    ChangeFlags flags;
    PanelValues values;
    RedrawRequests redraw;
    std::atomic<std::uint32_t> link_alive{10};
    std::atomic<std::uint32_t> reply_hold{0};
    std::atomic<std::uint32_t> cycle_ticks{0};
    std::atomic<std::uint8_t> link_lost_request{0};
    LinkStatistics stats;
    std::atomic<ShutdownSink*> shutdown_sink{nullptr};
    std::atomic<SettingsSink*> settings_sink{nullptr};  // the settings-change journal
};

// The panel's one instance.
LinkState& link_state();

}  // namespace dryer::link
