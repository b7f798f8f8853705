#include "autostart/auto_start/auto_start_model.h"

#include <algorithm>
#include <cstdio>

#include "link/decoder.h"
#include "link/fields.h"
#include "link/reply_table.h"
#include "link/settings_edit.h"

namespace dryer::autostart {

namespace off = link::off;
using views::Align;
using views::Rect;
using views::Rgb;

namespace {

constexpr Rgb kBackground{40, 40, 40};
constexpr Rgb kGuide{150, 150, 150};
constexpr Rgb kUnloadWaiting{96, 96, 96};
constexpr Rgb kUnloadRunning{255, 165, 0};
constexpr int kAxisY = 310;
constexpr int kLabelSize = 14;

std::uint8_t grain_of(const link::ByteImage& settings) { return settings.get(off::autostart_285); }

// Returns trunc(part / total * 500), part clamped to [0, total]; 0 without a total.
int scaled(double part, double total) {
    if (total <= 0) return 0;
    part = std::clamp(part, 0.0, total);
    return static_cast<int>(part / total * kTimelineWidth);
}

}  // namespace

bool auto_start_active(const link::ByteImage& status) { return link::bit(status, off::options_279, 0); }

bool dryer_running(const link::ByteImage& status) { return link::bit(status, off::status_188, 6); }

SetupRoute setup_route(const link::ByteImage& status) {
    if (auto_start_active(status)) return SetupRoute::status;
    if (dryer_running(status)) return SetupRoute::refuse;
    return SetupRoute::configure;
}

void open_configuration(link::LinkState& state) {
    link::begin_edit(state, off::options_279, 1);
    link::begin_edit(state, off::autostart_285, 1);
}

void choose_grain(link::LinkState& state, std::uint8_t n) {
    if (n < kGrains.size()) state.settings.set(off::autostart_285, n);
}

bool leave_configuration(link::LinkState& state, bool send_grain) {
    if (!send_grain) return false;
    return !link::commit_changed(state, {link::row::autostart}, kSettingsSource).empty();
}

std::optional<Rect> grain_marker(std::uint8_t n) {
    if (n >= kGrains.size()) return std::nullopt;
    const int x = n < 6 ? 290 : 440;
    const int y = 30 + 50 * (n % 6);
    return Rect{x, y, x + 10, y + 10};
}

unsigned confirmation_question(const link::ByteImage& status) { return auto_start_active(status) ? 510 : 511; }

Outcome confirm(link::LinkState& state, Answer answer) {
    const link::ByteImage& st = state.status;
    const bool active = auto_start_active(st);
    const std::uint8_t reported = st.get(off::options_279);
    Outcome out;
    if (answer != Answer::yes) {
        // Nothing to take back: bit 0 of the setting is clear unless a start
        // is still waiting for its echo, which the operator now withdraws.
        if (active) return out;
        state.settings.set(off::options_279, static_cast<std::uint8_t>(state.settings.get(off::options_279) & ~0x01));
        out.sent = !link::commit_changed(state, {link::row::hardware_options}, kSettingsSource).empty();
        out.close_screen = true;
        return out;
    }
    if (active) {
        state.settings.set(off::autostart_285, st.get(off::autostart_285));
        out.sent = link::commit_u8(state, off::options_279, static_cast<std::uint8_t>(reported & ~0x01), kSettingsSource);
        return out;
    }
    if (dryer_running(st)) {
        out.refused = true;
        return out;
    }
    // The other option bits as the controller reports them now.
    const std::uint8_t grain = grain_of(state.settings);
    out.sent = link::commit_u8(state, off::autostart_285, grain, kSettingsSource);
    out.sent = link::commit_u8(state, off::options_279, static_cast<std::uint8_t>(reported | 0x01), kSettingsSource) &&
               out.sent;
    out.close_screen = true;
    return out;
}

std::string min_sec_text(std::uint32_t seconds) {
    char buf[24];
    std::snprintf(buf, sizeof buf, "%u:%02u", seconds / 60, seconds % 60);
    return buf;
}

std::string moisture_text(std::uint16_t tenths) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%u.%01u%%", tenths / 10u, tenths % 10u);
    return buf;
}

views::Scene configuration_scene(const link::ByteImage& status, const link::ByteImage& settings, Page page) {
    views::Scene sc;
    sc.width = 640;
    sc.height = 451;
    sc.background = views::colour::black;
    // Dashed guides: 4 on, 4 off.
    for (int x = 20; x < 620; x += 8) sc.line(x, 380, std::min(x + 4, 620), 380, 1, kGuide);
    for (int y = 10; y < 375; y += 8) sc.line(160, y, 160, std::min(y + 4, 375), 1, kGuide);
    if (page == Page::grain) {
        if (const auto m = grain_marker(grain_of(settings))) sc.fill(*m, views::colour::red);
        return sc;
    }
    sc.text({450, 100, 640, 200}, moisture_text(link::u16le(status, off::moisture_281)), 50, 700, views::colour::yellow)
        .vcentre = true;
    sc.text({450, 250, 640, 350}, moisture_text(link::u16be(status, off::moisture_setpoint)), 50, 700,
            views::colour::blue)
        .vcentre = true;
    return sc;
}

// The plan lists unit 1 first from the top of each block down (start times
// 304, 302, ...; end times 316, 314, ...); its state byte is the first unit
// in use's, which runs backward from 136.
std::size_t plan_start_offset(int unit) { return static_cast<std::size_t>(306 - 2 * unit); }
std::size_t plan_end_offset(int unit) { return static_cast<std::size_t>(318 - 2 * unit); }
std::size_t plan_state_offset(int unit) { return link::heater_state_b_offset(link::plenum_unit(unit)); }

std::vector<int> units_drawn(const link::ByteImage& status) {
    if (link::bit(status, off::options_225, 5)) return {1};
    std::vector<int> units;
    for (int u = link::units_for_count_code(status.get(off::fan_heater_count)); u >= 1; --u) units.push_back(u);
    return units;
}

UnitBar unit_bar(const link::ByteImage& status, int unit) {
    UnitBar bar;
    bar.unit = unit;
    bar.bottom = 270 - 30 * (unit - 1);
    bar.top = bar.bottom - 25;
    bar.on = link::bit(status, plan_state_offset(unit), 1);
    const double total = link::u16le(status, off::autostart_318);
    if (total <= 0) return bar;
    const double start = std::min<double>(link::u16le(status, plan_start_offset(unit)), total);
    const double end = link::u16le(status, plan_end_offset(unit));
    // An end not after the start means the heater runs to the end of the plan.
    const double heating = std::min(end > start ? end - start : total - start, total - start);
    bar.before = scaled(start, total);
    bar.heating = std::min(scaled(heating, total), kTimelineWidth - bar.before);
    bar.after = std::min(scaled(total - start - heating, total), kTimelineWidth - bar.before - bar.heating);
    return bar;
}

std::optional<int> marker_x(const link::ByteImage& status) {
    const double total = link::u16le(status, off::autostart_318);
    if (total <= 0) return std::nullopt;
    const double remaining = std::min<double>(link::u16le(status, off::autostart_320), total);
    return kTimelineLeft + scaled(total - remaining, total);
}

int marker_top(std::uint8_t count_code) {
    if (count_code <= 3) return 245 - 10 * (3 * count_code + 3);
    if (count_code == 4) return 215 - 10 * (3 * count_code + 3);
    return 215;  // no units: where one unit's marker stands
}

views::Scene status_scene(const link::ByteImage& status, const views::Texts& texts) {
    views::Scene sc;
    sc.width = 640;
    sc.height = kTimelineHeight;
    sc.background = kBackground;
    const auto white = views::colour::white;
    const auto yellow = views::colour::yellow;

    // Title: the state of the run.
    const std::uint8_t state = status.get(off::status_280);
    views::Label title(l10n::local("Auto-Start Status Unkown"));
    Rgb title_colour = white;
    if (state & 0x80) title = texts.label(506), title_colour = views::colour::blue;
    else if (state & 0x04) title = texts.label(504), title_colour = yellow;
    else if (state & 0x02) title = texts.label(503), title_colour = views::colour::green;
    sc.text({0, 0, 640, 50}, title, 30, 900, title_colour, Align::centre).vcentre = true;

    const std::uint32_t total = link::u16le(status, off::autostart_318);
    const auto on_off = [&](bool on) { return texts.label(on ? 14 : 15); };
    const std::string heater = texts.text(512);
    for (int u : units_drawn(status)) {
        const UnitBar b = unit_bar(status, u);
        int x = kTimelineLeft;
        for (const auto& [w, c] : {std::pair{b.before, views::colour::blue}, std::pair{b.heating, views::colour::red},
                                   std::pair{b.after, views::colour::blue}}) {
            if (w > 0) sc.fill({x, b.top, x + w, b.bottom}, c);
            x += w;
        }
        char label[128];
        std::snprintf(label, sizeof label, "%s #%d", heater.c_str(), u);
        sc.text({0, b.top, 65, b.bottom}, views::Label(label, 512), kLabelSize, 700, white, Align::right).vcentre = true;
        sc.text({575, b.top, 640, b.bottom}, on_off(b.on), kLabelSize, 700, yellow).vcentre = true;
    }

    // The bottom row: waiting (grey) until its start time, then running (orange).
    if (total > 0) {
        const int waiting = scaled(link::u16le(status, off::autostart_322), total);
        if (waiting > 0) sc.fill({70, 275, 70 + waiting, 300}, kUnloadWaiting);
        if (waiting < kTimelineWidth) sc.fill({70 + waiting, 275, 570, 300}, kUnloadRunning);
    }
    sc.text({0, 275, 55, 300}, texts.label(445), kLabelSize, 700, white, Align::right).vcentre = true;
    sc.text({575, 275, 640, 300}, on_off(link::bit(status, off::status_172, 0)), kLabelSize, 700, yellow).vcentre = true;

    // Time axis.
    sc.line(70, kAxisY, 570, kAxisY, 1, white);
    for (int x : {70, 570}) sc.line(x, 306, x, 314, 1, white);
    for (int x : {195, 320, 445}) sc.line(x, 307, x, 313, 1, white);
    sc.text({0, 300, 65, 320}, min_sec_text(0), kLabelSize, 700, white, Align::right).vcentre = true;
    sc.text({575, 300, 640, 320}, min_sec_text(total), kLabelSize, 700, white).vcentre = true;
    const std::array<Rect, 3> quarters{Rect{180, 315, 220, 335}, Rect{300, 315, 340, 335}, Rect{425, 315, 465, 335}};
    for (std::uint32_t q = 1; q <= 3; ++q)
        sc.text(quarters[q - 1], min_sec_text(total * q / 4), kLabelSize, 700, white, Align::centre).vcentre = true;

    // Elapsed-time marker.
    if (const auto x = marker_x(status)) {
        const int top = marker_top(status.get(off::fan_heater_count));
        sc.line(*x, top, *x, kAxisY, 1, yellow);
        sc.line(*x, top, 50, top, 1, yellow);
        sc.line(*x - 4, 303, *x, kAxisY, 1, yellow);
        sc.line(*x + 4, 303, *x, kAxisY, 1, yellow);
        const std::uint32_t remaining = std::min<std::uint32_t>(link::u16le(status, off::autostart_320), total);
        sc.text({0, top - 10, 60, top + 10}, min_sec_text(total - remaining), kLabelSize, 700, white, Align::right)
            .vcentre = true;
    }
    return sc;
}

}  // namespace dryer::autostart
