// The one-second housekeeping: the handler the main window's one-second
// timer runs on the user-interface thread. It sends the panel's clock to the
// controller, lowers the panel's second-based countdowns, drives the three
// data logs, latches whether the dryer runs, keeps the setup buttons' shown
// flags, counts the press-and-hold gestures and shows the auto-start
// finished message once a run. It is a plain class without Qt: everything
// that touches a window goes through HousekeepingDuties, which the shell
// implements.
//
// Each tick runs, in this order:
//   1  take the panel's local time (given to tick())
//   2  feed the dryer picture's one-hour moisture average (status 171 bit 3)
//   3  lower the shutdown re-record countdown
//   4  copy the clock into the clock settings and raise the clock item
//   5  lower the link-alive counter
//   6  the long-term log's second (a sample every 12th tick; the size warning)
//   7  latch the dryer-running flag (status 172 bit 0 or 171 bit 6), hand it
//      to the long-term log, redraw the status chart
//   8  while running: capture the 18-byte sample record, the 24-hour log's
//      sampling step, the graph log's sampling step
//   9  lower the status chart's scroll hold
//  10  the setup buttons' shown flags from status 183 and 225
//  11  redraw the system information's EXIT button
//  12  count the shutdown history's EXIT hold while the screen is shown
//  13  count the batch timer buttons' holds and ask when one is due
//  14  the auto-start finished message (status 280 bit 7), once a run
//
// The clock bytes are written before the clock item is raised (step 4 does
// both), so the receive thread never sends a time half old and half new.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "l10n/panel_texts.h"
#include "logging/data_logs/data_logs.h"
#include "logging/day_log/day_log.h"
#include "platform/time_format.h"

namespace dryer::link {
struct LinkState;
}

namespace dryer::housekeeping {

// The four press-and-hold groups of the batch drying timers window: heat (or
// high heat), low heat, cool, unload.
inline constexpr std::size_t kBatchHoldGroups = 4;

// Which batch timer buttons are down this second.
struct BatchTimerPress {
    std::array<bool, kBatchHoldGroups> groups{};  // a button of the group is down
    bool single_heat = false;                     // the single heat button ("DRY") is the one down
};

// The history event written when the operator accepts the auto-start
// finished message.
inline constexpr std::string_view kAutoStartAcceptedEvent = "User Accepted Auto-Start MC Setup";
inline constexpr std::string_view kAutoStartFinishedTitle = l10n::english("Auto-Start Finished...");
// The message texts are read with the help-text reader, at most this many
// characters.
inline constexpr std::size_t kAutoStartMessageCapacity = 1999;

// Returns the file of the auto-start finished message: the Celsius text when
// bit 7 of display_options_266 is set, else the Fahrenheit one.
std::string_view auto_start_message_file(std::uint8_t display_options_266);

// What the handler asks of the windows around it. Every call comes from the
// user-interface thread, in the order of the steps above.
class HousekeepingDuties {
public:
    virtual ~HousekeepingDuties() = default;
    // Step 2: the dryer picture's one-hour moisture average takes a reading.
    virtual void feed_hourly_average() = 0;
    // Step 6: the long-term log is close to full; asks whether to open the
    // data logger setup (Yes opens it when the panel has it).
    virtual void ask_open_logger_setup() = 0;
    // Step 7: the screens' one-second redraw, the status chart among them.
    virtual void redraw_status_chart() = 0;
    // Step 8: the graph log's sampling step; returns whether it wrote a record.
    virtual bool graph_sampling_step(const logging::SampleRecord& record, const platform::LocalTime& now) = 0;
    // Step 11: redraws the system information's EXIT button when the dialog is open.
    virtual void redraw_system_information_exit() = 0;
    // Step 12: whether the shutdown history's EXIT is down, or nothing when
    // the history screen is not shown.
    virtual std::optional<bool> history_exit_pressed() = 0;
    // Step 13: the batch timer buttons that are down, or nothing when the
    // batch drying timers window is not shown.
    virtual std::optional<BatchTimerPress> batch_timer_buttons() = 0;
    // Step 13: asks the group's stage-reset question (title text 515) and
    // restarts the stage on Yes.
    virtual void ask_stage_reset(std::size_t group, bool single_heat) = 0;
    // Step 14: shows the auto-start finished message with an OK button;
    // returns true when the operator pressed OK.
    virtual bool show_auto_start_finished(const std::u16string& text) = 0;
    // Step 14: writes an event into the shutdown history.
    virtual void record_history_event(std::string_view text) = 0;
};

// The handler's own state (the logs keep their countdowns, the fill level
// and the sampler's one-shot flag themselves; the status chart's scroll
// hold and the history EXIT hold live in logging::DataLogs, where the
// screens that set and read them find them).
struct HousekeepingState {
    bool dryer_running = false;
    bool auto_start_message_shown = false;  // never cleared during the run
    std::array<int, kBatchHoldGroups> batch_hold{1, 1, 1, 1};
    logging::SampleRecord record{};  // the last captured sample record
};

class Housekeeping {
public:
    Housekeeping(link::LinkState& state, logging::DataLogs& logs, HousekeepingDuties& duties);

    // tick() runs the fourteen steps for local time `now`. Returns false, and
    // does nothing, when called while an earlier tick is still running (a
    // message box it opened runs a nested event loop in which the timer
    // fires): such ticks are skipped, not queued.
    bool tick(const platform::LocalTime& now);

    const HousekeepingState& state() const { return hk_; }

private:
    void batch_timer_holds();
    void auto_start_finished();

    link::LinkState& state_;
    logging::DataLogs& logs_;
    HousekeepingDuties& duties_;
    HousekeepingState hk_;
    bool busy_ = false;
};

}  // namespace dryer::housekeeping
