#include "logging/housekeeping/housekeeping.h"

#include "setup/setup_selection/setup_selection_model.h"

#include <algorithm>

#include "l10n/resources.h"
#include "link/fields.h"
#include "link/link_cycle.h"
#include "link/link_state.h"
#include "link/reply_builder.h"
#include "logging/housekeeping/hold.h"
#include "logging/long_term_log/long_term_log.h"

namespace dryer::housekeeping {

namespace off = link::off;

std::string_view auto_start_message_file(std::uint8_t display_options_266) {
    return (display_options_266 & 0x80) ? "AutoStartFinishedMessageC.txt" : "AutoStartFinishedMessageF.txt";
}

Housekeeping::Housekeeping(link::LinkState& state, logging::DataLogs& logs, HousekeepingDuties& duties)
    : state_(state), logs_(logs), duties_(duties) {}

bool Housekeeping::tick(const platform::LocalTime& now) {
    if (busy_) return false;
    busy_ = true;
    const link::ByteImage& status = state_.status;

    if (link::bit(status, off::status_171, 3)) duties_.feed_hourly_average();
    link::count_down(state_.values.rerecord_countdown);
    link::queue_panel_clock(state_, now.minute, now.hour, now.day, now.month, now.year);
    (void)link::link_alive_second_tick(state_);

    const logging::LongTermTick long_term = logs_.long_term.second_tick(status, now);
    if (long_term.size_warning_due) duties_.ask_open_logger_setup();

    hk_.dryer_running = logging::dryer_running(status);
    logs_.long_term.set_dryer_running(hk_.dryer_running);
    duties_.redraw_status_chart();

    if (hk_.dryer_running) {
        hk_.record = logging::capture_sample_record(status, now, hk_.record);
        (void)logs_.day.sampling_step(status, hk_.record, now);  // the chart redraws every second anyway
        (void)duties_.graph_sampling_step(hk_.record, now);
    }

    if (logs_.chart_scroll_hold > 0) --logs_.chart_scroll_hold;

    // The setup menus' rule, kept in one place: the menus apply it to the
    // status image they draw from, the handler keeps its flags for the rest.
    const setup::SetupButtonsShown shown = setup::setup_buttons_shown(status);
    link::store(state_.values.setup_button_36987, shown.cycled_sampler ? 1 : 0);
    link::store(state_.values.setup_button_36991, shown.plenum_setup ? 1 : 0);
    link::store(state_.values.setup_button_34867, shown.burner_mode ? 1 : 0);

    duties_.redraw_system_information_exit();

    if (const std::optional<bool> exit_down = duties_.history_exit_pressed())
        hold_step(logs_.history_exit_hold, *exit_down, 5);

    batch_timer_holds();
    auto_start_finished();
    busy_ = false;
    return true;
}

void Housekeeping::batch_timer_holds() {
    const std::optional<BatchTimerPress> press = duties_.batch_timer_buttons();
    if (!press) return;
    for (std::size_t g = 0; g < kBatchHoldGroups; ++g) {
        // A count already at 0 when the second begins is due: the question
        // comes on the second tick of a hold and every second tick after.
        int& count = hk_.batch_hold[g];
        if (press->groups[g] && count == 0) {
            count = 1;
            duties_.ask_stage_reset(g, press->single_heat);
        } else {
            hold_step(count, press->groups[g], 1);
        }
    }
}

void Housekeeping::auto_start_finished() {
    if (hk_.auto_start_message_shown || !link::bit(state_.status, off::status_280, 7)) return;
    hk_.auto_start_message_shown = true;
    const std::u16string text = l10n::help_text(
        auto_start_message_file(state_.status.get(off::display_options_266)), kAutoStartMessageCapacity);
    if (duties_.show_auto_start_finished(text)) duties_.record_history_event(kAutoStartAcceptedEvent);
}

}  // namespace dryer::housekeeping
