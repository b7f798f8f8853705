// The rules of the sample-time dialog ("Select Data Log Sample Time - 35"):
// which minute choice is checked when it opens, whether the one-minute choice
// is offered, and what ACCEPT / EXIT stores. No Qt.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "link/images.h"
#include "logging/data_logs/data_logs.h"

namespace dryer::views {

// The choices, in the order of the dialog's rows.
inline constexpr std::array<unsigned, 4> kSampleTimes{1, 5, 10, 15};
inline constexpr unsigned kFallbackSampleTime = 5;

// Returns true when the cycled moisture sampler is selected (status 293 bit 7).
bool cycled_sampler_selected(const link::ByteImage& status);

// How the dialog opens.
struct SampleTimeOpening {
    unsigned checked = kFallbackSampleTime;  // the minutes whose radio button is checked
    bool one_minute_enabled = true;
    unsigned one_minute_text = 368;          // "1 MINUTE", or 84 with the cycled sampler
    bool store_replacement = false;          // the stored value was not a choice: store 5
};

// Returns how the dialog opens for the stored sample time: a value other than
// 1, 5, 10 or 15 is replaced by 5 (and stored again); with the cycled sampler
// the one-minute choice is disabled and 5 is checked.
SampleTimeOpening sample_time_opening(std::uint8_t stored, bool cycled_sampler);

// Applies the opening rules to the logs: a replaced value is written to the
// stored settings and becomes the day log's sample time. Returns the opening.
SampleTimeOpening open_sample_time(logging::DataLogs& logs, const link::ByteImage& status);

// Returns the minutes that ACCEPT / EXIT takes: the checked choice, or 5 when
// none is checked (or the cycled sampler forbids the one-minute choice).
unsigned accepted_sample_time(std::optional<unsigned> checked, bool cycled_sampler);

// ACCEPT / EXIT: the day log samples at the new time from its next running
// tick on, and the time is stored. Returns true when the stored settings
// reached storage.
bool accept_sample_time(logging::DataLogs& logs, unsigned minutes);

}  // namespace dryer::views
