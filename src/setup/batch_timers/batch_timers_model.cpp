#include "setup/batch_timers/batch_timers_model.h"

#include <array>
#include <cstdio>

#include "link/link_state.h"
#include "link/settings_edit.h"

namespace dryer::setup {

namespace {
namespace off = link::off;

constexpr TimerLimits kHeat{{0, 0}, {200, 0}, {60, 0}};
constexpr TimerLimits kCool{{0, 0}, {60, 0}, {20, 0}};
constexpr TimerLimits kUnload{{0, 0}, {60, 0}, {10, 0}};

struct HoldGroup {
    std::size_t stage_time;  // status and settings offset of the stage time
    std::size_t remaining;   // settings offset of the time remaining
    int time_row;
    int remaining_row;
    unsigned question;
};

constexpr std::array<HoldGroup, kHoldGroupCount> kGroups{{
    {off::batch_timer1_setpoint, off::batch_timer1_remaining, link::row::batch_heat_time,
     link::row::batch_heat_remaining, 514},
    {off::batch_timer4_setpoint, off::batch_timer4_remaining, link::row::batch_low_heat_time,
     link::row::batch_low_heat_remaining, 516},
    {off::batch_timer2_setpoint, off::batch_timer2_remaining, link::row::batch_cool_time,
     link::row::batch_cool_remaining, 517},
    {off::batch_timer3_setpoint, off::batch_timer3_remaining, link::row::batch_unload_time,
     link::row::batch_unload_remaining, 518},
}};

std::string time_left(const link::ByteImage& st, std::size_t at, const TextFn& text) {
    char m[16];
    char s[16];
    std::snprintf(m, sizeof m, "%02d ", st.get(at));
    std::snprintf(s, sizeof s, "%02d ", st.get(at + 1));
    return m + text(449) + " " + s + text(448);
}
}  // namespace

bool batch_heat_dual(const link::ByteImage& status) {
    const int mode = status.get(off::drying_mode);
    if (mode == 0) return false;
    if (mode == 3) return true;
    return (status.get(off::system_flags_257) & 0x02) != 0;
}

BatchView batch_view(const link::ByteImage& status, const TextFn& text) {
    BatchView v;
    v.title = title_text(text(442), " BATCH DRYING TIMERS");
    v.dual = batch_heat_dual(status);
    const std::string hi = title_text(text(446), "HI HEAT");
    const std::string lo = title_text(text(447), "LO HEAT");
    const std::string cool = title_text(text(444), "COOL");
    const std::string unload = title_text(text(445), "UNLOAD");
    v.buttons = {{
        {BatchButton::heat, text(443), {off::batch_timer1_setpoint, kHeat}, !v.dual},
        {BatchButton::hi_heat, hi, {off::batch_timer1_setpoint, kHeat}, v.dual},
        {BatchButton::lo_heat, lo, {off::batch_timer4_setpoint, kHeat}, v.dual},
        {BatchButton::cool, cool, {off::batch_timer2_setpoint, kCool}, true},
        {BatchButton::unload, unload, {off::batch_timer3_setpoint, kUnload}, true},
    }};
    if (v.dual) {
        v.stages.push_back({hi, time_left(status, off::batch_timer1_remaining, text)});
        v.stages.push_back({lo, time_left(status, off::batch_timer4_remaining, text)});
    } else {
        v.stages.push_back({text(443), time_left(status, off::batch_timer1_remaining, text)});
    }
    v.stages.push_back({cool, time_left(status, off::batch_timer2_remaining, text)});
    v.stages.push_back({unload, time_left(status, off::batch_timer3_remaining, text)});
    return v;
}

std::size_t hold_group(BatchButton b) {
    switch (b) {
    case BatchButton::heat:
    case BatchButton::hi_heat: return 0;
    case BatchButton::lo_heat: return 1;
    case BatchButton::cool: return 2;
    case BatchButton::unload: return 3;
    }
    return 0;
}

std::string stage_reset_question(std::size_t group, bool single_heat_pressed, const link::ByteImage& status,
                                 const TextFn& text) {
    if (group >= kHoldGroupCount) return {};
    const HoldGroup& g = kGroups[group];
    const unsigned n = (group == 0 && single_heat_pressed) ? 513 : g.question;
    return format_numbers(text(n), status.get(g.stage_time), status.get(g.stage_time + 1));
}

void confirm_stage_reset(link::LinkState& state, std::size_t group) {
    if (group >= kHoldGroupCount) return;
    const HoldGroup& g = kGroups[group];
    // The stage time to restart from: a stage time still pending stays in
    // the settings image (begin_edit() keeps it), else the reported one.
    link::begin_edit(state, g.stage_time, 2);
    const std::array<std::uint8_t, 2> time{state.settings.get(g.stage_time), state.settings.get(g.stage_time + 1)};
    link::commit_bytes(state, g.remaining_row, time, "batch drying timers");
}

}  // namespace dryer::setup
