#include "views/view_selection/view_selection_model.h"

#include <sys/sysinfo.h>

#include <charconv>
#include <cstdio>
#include <ctime>
#include <fstream>

#include "l10n/panel_texts.h"
#include "link/fields.h"
#include "link/link_state.h"
#include "link/settings_edit.h"

namespace dryer::views {

namespace off = link::off;

ViewChoice choose_main_view(link::LinkState& state, MainView view) {
    link::begin_edit(state, off::display_options_266, 1);
    std::uint8_t options = state.settings.get(off::display_options_266);
    options = view == MainView::graph ? static_cast<std::uint8_t>(options | 0x40)
                                      : static_cast<std::uint8_t>(options & ~0x40);
    (void)link::commit_u8(state, off::display_options_266, options, "view selection");
    ViewChoice choice;
    choice.stored_value = view == MainView::graph ? 1 : 0;
    if (state.status.get(off::drying_mode) != 0) choice.refusal = view == MainView::graph ? kGraphRefusal : kChartRefusal;
    return choice;
}

namespace {

// Returns the kB figure of a "Name:   12345 kB" line of meminfo, if present.
std::optional<std::uint64_t> meminfo_field(std::string_view text, std::string_view name) {
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t end = std::min(text.find('\n', at), text.size());
        const std::string_view line = text.substr(at, end - at);
        at = end + 1;
        if (line.size() <= name.size() || line.substr(0, name.size()) != name || line[name.size()] != ':') continue;
        std::size_t p = name.size() + 1;
        while (p < line.size() && line[p] == ' ') ++p;
        std::uint64_t kb = 0;
        const auto r = std::from_chars(line.data() + p, line.data() + line.size(), kb);
        if (r.ec != std::errc{} || kb > UINT64_MAX / 1024) return std::nullopt;
        return kb * 1024;
    }
    return std::nullopt;
}

std::optional<platform::LocalTime> local_time_of(std::uint32_t seconds) {
    if (seconds == 0) return std::nullopt;
    const std::time_t t = static_cast<std::time_t>(seconds);
    std::tm tm{};
    if (!localtime_r(&t, &tm)) return std::nullopt;
    return platform::local_time_of(tm);
}

std::string with_number(const std::string& label, std::uint64_t n, const std::string& unit = {}) {
    return label + ": " + std::to_string(n) + unit;
}

std::string when(const std::optional<platform::LocalTime>& t) {
    return t ? platform::format_picture("MMM dd',' yyy h':'mm':'ss tt", *t) : std::string("-");
}

}  // namespace

std::optional<MemoryStatus> parse_meminfo(std::string_view text) {
    const auto total = meminfo_field(text, "MemTotal");
    const auto available = meminfo_field(text, "MemAvailable");
    if (!total || !available) return std::nullopt;
    return MemoryStatus{*total, *available};
}

std::optional<MemoryStatus> read_memory_status() {
    if (std::ifstream in{"/proc/meminfo"}) {
        std::string text(16 * 1024, '\0');
        in.read(text.data(), static_cast<std::streamsize>(text.size()));
        text.resize(static_cast<std::size_t>(in.gcount()));
        if (auto m = parse_meminfo(text)) return m;
    }
    struct sysinfo si {};
    if (sysinfo(&si) != 0) return std::nullopt;
    const std::uint64_t unit = si.mem_unit == 0 ? 1 : si.mem_unit;
    return MemoryStatus{static_cast<std::uint64_t>(si.totalram) * unit, static_cast<std::uint64_t>(si.freeram) * unit};
}

LinkFigures link_figures(const link::LinkStatistics& stats) {
    constexpr auto r = std::memory_order_relaxed;
    LinkFigures f;
    f.frames_accepted = stats.frames_accepted.load(r);
    f.rejected_length = stats.rejected_length.load(r);
    f.rejected_check = stats.rejected_check.load(r);
    f.replies_sent = stats.replies_sent.load(r);
    f.losses = stats.losses.load(r);
    const std::uint32_t began = stats.last_loss_began.load(r);
    const std::uint32_t ended = stats.last_loss_ended.load(r);
    f.last_loss_began = local_time_of(began);
    // An end noted before the last beginning belongs to an earlier loss.
    if (ended >= began) f.last_loss_ended = local_time_of(ended);
    return f;
}

std::vector<std::string> system_information_lines(const NumberedText& text, const platform::LocalTime& now,
                                                  const std::optional<MemoryStatus>& memory) {
    const MemoryStatus m = memory.value_or(MemoryStatus{});
    return {
        text(423) + ": 2.10",
        platform::format_picture("h':'mm':'ss tt", now),
        platform::format_picture("dddd  MMM dd',' yyy", now),
        with_number(text(424), m.total, " " + l10n::local("Bytes")),
        with_number(text(425), m.available, " " + l10n::local("Bytes")),
        text(426),
    };
}

std::vector<std::string> link_statistics_lines(const LinkFigures& f) {
    std::vector<std::string> lines = {
        with_number(l10n::local("Frames accepted"), f.frames_accepted),
        with_number(l10n::local("Rejected, wrong length"), f.rejected_length),
        with_number(l10n::local("Rejected, wrong check bytes"), f.rejected_check),
        with_number(l10n::local("Replies sent"), f.replies_sent),
        with_number(l10n::local("Link losses"), f.losses),
    };
    if (f.losses > 0) {
        lines.push_back(l10n::local("Last loss began") + ": " + when(f.last_loss_began));
        lines.push_back(l10n::local("Last loss ended") + ": " +
                        (f.last_loss_ended ? when(f.last_loss_ended) : l10n::local("not yet")));
    }
    return lines;
}

}  // namespace dryer::views
