// What the view selection window and the system information dialog decide,
// without Qt: the chart and graph choices (the controller's display option
// bit, the batch-drying refusals, the stored choice), the manuals' failure
// box, and the system information's lines with the link statistics.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "l10n/panel_texts.h"
#include "platform/time_format.h"

namespace dryer::link {
struct LinkState;
struct LinkStatistics;
}  // namespace dryer::link

namespace dryer::views {

enum class MainView : std::uint8_t { chart, graph };

inline constexpr std::string_view kNotPermittedTitle = l10n::english(" REQUESTED FUNCTION NOT PERMITTED");
inline constexpr std::string_view kGraphRefusal = l10n::english("Graph is not available in Batch Drying.");
inline constexpr std::string_view kChartRefusal = l10n::english("Status Chart is not available in Batch Drying.");
inline constexpr std::string_view kManualsFailureText = l10n::english(" Trying to Open Manuals");
inline constexpr std::string_view kManualsFailureTitle = l10n::english(" Could not execute Explorer Program!");
inline constexpr std::string_view kManualsFolder = "\\hard disk\\manuals";

// What a chart or graph choice came to.
struct ViewChoice {
    // The refusal text when the dryer dries in batches (the layout stays),
    // or nothing when the choice is to be shown and stored.
    std::optional<std::string_view> refusal;
    std::uint8_t stored_value = 0;  // SCREEN_VIEW_SELECTION: 1 graph, 0 chart
};

// choose_main_view() sends the choice to the controller in either case:
// bit 6 of display_options_266 set for the graph, cleared for the chart,
// through the settings-edit path (the other bits as the controller last
// reported them, or as a pending commit left them). Returns the refusal when
// drying_mode is not 0.
ViewChoice choose_main_view(link::LinkState& state, MainView view);

// The memory figures of the panel computer, in bytes.
struct MemoryStatus {
    std::uint64_t total = 0;
    std::uint64_t available = 0;
};

// Returns the machine's physical memory (from /proc/meminfo's MemTotal and
// MemAvailable, else sysinfo()), or nothing when neither answers.
std::optional<MemoryStatus> read_memory_status();

// Returns the figures of /proc/meminfo text ("MemTotal:  16318352 kB", ...);
// nothing unless both MemTotal and MemAvailable parse.
std::optional<MemoryStatus> parse_meminfo(std::string_view text);

// A snapshot of the link's counters.
struct LinkFigures {
    std::uint32_t frames_accepted = 0;
    std::uint32_t rejected_length = 0;
    std::uint32_t rejected_check = 0;
    std::uint32_t replies_sent = 0;
    std::uint32_t losses = 0;
    std::optional<platform::LocalTime> last_loss_began;
    std::optional<platform::LocalTime> last_loss_ended;  // nothing while the loss lasts
};

// Returns the counters as they are now, the loss times in local time.
LinkFigures link_figures(const link::LinkStatistics& stats);

using NumberedText = std::function<std::string(unsigned)>;

// The dialog's six lines: the version "%s: %d.%02d" with text 423, 2 and
// 10; the time "h':'mm':'ss tt"; the date "dddd  MMM dd',' yyy"; text 424
// and the total memory, text 425 and the available memory, as "%s: %d
// Bytes" (the whole count, however large); text 426. Unknown memory shows
// as 0 bytes.
std::vector<std::string> system_information_lines(const NumberedText& text, const platform::LocalTime& now,
                                                  const std::optional<MemoryStatus>& memory);

// The link statistics lines below them.
std::vector<std::string> link_statistics_lines(const LinkFigures& figures);

}  // namespace dryer::views
