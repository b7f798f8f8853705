#include "setup/timer_select/timer_select_model.h"

#include <cstdio>

#include "link/fields.h"

namespace dryer::setup {

namespace {

std::string with_unit(const char* fmt, int n, const std::string& unit) {
    char buf[32];
    std::snprintf(buf, sizeof buf, fmt, n);
    return buf + unit;
}

TimerBoxView box(const link::ByteImage& status, const char* name, int picture, const TimerTarget& t, const TextFn& text) {
    const int minutes = status.get(t.offset);
    const int seconds = status.get(t.offset + 1);
    return {name, picture, t, text(49), with_unit("%03d ", minutes, text(50)), with_unit("%02d ", seconds, text(51))};
}

void add_wrapped(std::vector<InkLine>& lines, const std::string& s, Ink ink) {
    for (auto& l : word_wrap(s, 40)) lines.push_back({std::move(l), ink});
}

// "%s = n %s": the DEFAULT label, the default minutes and the minutes unit.
InkLine default_line(int minutes, const TextFn& text) {
    return {text(55) + " = " + std::to_string(minutes) + " " + text(50), Ink::magenta};
}

TimerChildView load_delay(const link::ByteImage& st, const TextFn& text) {
    TimerBlock b{box(st, "Load Startup Delay", 7, timers::load_delay, text), {}};
    for (unsigned n : {52u, 53u, 54u}) b.lines.push_back({text(n), Ink::red});
    b.lines.push_back(default_line(1, text));
    b.lines.push_back({text(56), Ink::red});
    return {"LOAD_DELAY_CHILD_WINDOW", title_text(text(45), " Load Startup Delay"), {std::move(b)}};
}

TimerChildView out_of_grain(const link::ByteImage& st, std::uint32_t previous, const TextFn& text) {
    TimerBlock b{box(st, "Out of Grain Timer", 10, timers::out_of_grain, text), {}};
    if (st.get(link::off::mode_flags_179) & 0x08) {
        // Two texts, one a line: the previous-load timer works only with the load in Auto.
        b.lines.push_back({text(911), Ink::green});
        b.lines.push_back({text(912), Ink::green});
    } else {
        char buf[64];
        std::snprintf(buf, sizeof buf, ": %03u     ", static_cast<unsigned>(previous / 60));
        std::string line = text(50) + buf + text(51);
        std::snprintf(buf, sizeof buf, ": %02u", static_cast<unsigned>(previous % 60));
        line += buf;
        b.lines.push_back({text(57), Ink::green});
        b.lines.push_back({std::move(line), Ink::green});
    }
    b.lines.push_back({text(60), Ink::red});
    b.lines.push_back({text(61), Ink::red});
    b.lines.push_back(default_line(8, text));
    b.lines.push_back({text(62), Ink::red});
    return {"OUT_OF_GRAIN_CHILD_WINDOW", title_text(text(46), " Out of Grain Timer"), {std::move(b)}};
}

TimerChildView fan_setup(const link::ByteImage& st, const TextFn& text) {
    TimerBlock fan{box(st, "Fan Delay", 8, timers::fan_delay, text), {}};
    add_wrapped(fan.lines, text(65), Ink::red);
    TimerBlock cool{box(st, "Cool Down Timer", 9, timers::cool_down, text), {}};
    add_wrapped(cool.lines, text(66), Ink::red);
    return {"FAN_DELAY_CHILD_WINDOW", title_text(text(47), " Fan Setup"), {std::move(fan), std::move(cool)}};
}

TimerChildView unload_delay(const link::ByteImage& st, const TextFn& text) {
    TimerBlock b{box(st, "Unload Cleanout Delay", 11, timers::unload_delay, text), {}};
    add_wrapped(b.lines, text(67) + " " + text(68), Ink::red);
    b.lines.push_back(default_line(1, text));
    b.lines.push_back({text(69), Ink::red});
    return {"UNLOAD_DELAY_CHILD_WINDOW", title_text(text(48), " Unload Cleanout Delay"), {std::move(b)}};
}

}  // namespace

TimerSelectView timer_select_view(const link::ByteImage& status, std::uint32_t previous_load_seconds,
                                  const TextFn& text) {
    return {load_delay(status, text), out_of_grain(status, previous_load_seconds, text), fan_setup(status, text),
            unload_delay(status, text)};
}

}  // namespace dryer::setup
