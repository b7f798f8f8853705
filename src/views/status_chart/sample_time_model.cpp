#include "views/status_chart/sample_time_model.h"

#include <algorithm>

#include "link/fields.h"

namespace dryer::views {

namespace {
bool is_choice(unsigned minutes) {
    return std::find(kSampleTimes.begin(), kSampleTimes.end(), minutes) != kSampleTimes.end();
}
}  // namespace

bool cycled_sampler_selected(const link::ByteImage& status) { return (status.get(link::off::options_293) & 0x80) != 0; }

SampleTimeOpening sample_time_opening(std::uint8_t stored, bool cycled_sampler) {
    SampleTimeOpening o;
    o.store_replacement = !is_choice(stored);
    o.checked = o.store_replacement ? kFallbackSampleTime : stored;
    if (cycled_sampler) {
        o.one_minute_enabled = false;
        o.one_minute_text = 84;
        o.checked = kFallbackSampleTime;
    }
    return o;
}

SampleTimeOpening open_sample_time(logging::DataLogs& logs, const link::ByteImage& status) {
    const SampleTimeOpening o =
        sample_time_opening(logs.stored.settings().sample_time_minutes, cycled_sampler_selected(status));
    if (o.store_replacement) {
        logs.stored.write(logging::StoredKey::temp_data_log_sample_time, static_cast<std::uint8_t>(kFallbackSampleTime));
        logs.day.set_sample_time(kFallbackSampleTime);
    }
    return o;
}

unsigned accepted_sample_time(std::optional<unsigned> checked, bool cycled_sampler) {
    if (!checked || !is_choice(*checked) || (cycled_sampler && *checked == 1)) return kFallbackSampleTime;
    return *checked;
}

bool accept_sample_time(logging::DataLogs& logs, unsigned minutes) {
    logs.day.set_sample_time(minutes);
    logs.day.restart_countdown();
    return logs.stored.write(logging::StoredKey::temp_data_log_sample_time, static_cast<std::uint8_t>(minutes));
}

}  // namespace dryer::views
