// The panel's data logs and its stored choices, made once by the panel
// program and shared by the one-second housekeeping, which drives the logs,
// and the screens that show them or change their settings. No Qt;
// user-interface thread.
#pragma once

#include "logging/day_log/day_log.h"
#include "logging/graph_log/graph_log.h"
#include "logging/long_term_log/long_term_log.h"
#include "logging/stored_settings/stored_settings.h"

namespace dryer::logging {

struct DataLogs {
    LongTermLog long_term;
    DayLog day;
    GraphLog graph;
    SettingsStore stored;
    // Seconds left of the status chart's scroll hold: while it runs the chart
    // keeps the operator's scroll position; the housekeeping lowers it.
    unsigned chart_scroll_hold = 0;
    // Seconds left before a release of the shutdown history's EXIT offers to
    // clear the history: the housekeeping counts it down while EXIT is held
    // and sets it back to 5 when not; the history screen reads it at release.
    int history_exit_hold = 5;
};

}  // namespace dryer::logging
