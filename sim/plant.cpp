#include "sim/plant.h"

#include <array>

#include <algorithm>
#include <cmath>

namespace dryer::sim {
namespace {

namespace off = link::off;

// Bits of the bytes the model drives.
constexpr std::uint8_t kLoadIndicatorStopped = 0x80;  // 171 bit 7
constexpr std::uint8_t kBinFull = 0x20;               // 171 bit 5
constexpr std::uint8_t kLoadInProgress = 0x80;        // 58 bit 7
constexpr std::uint8_t kAlarm = 0x20;                 // 118 bit 5
constexpr std::uint8_t kOptionsKnown = 0x8F;          // bits of 279 the controller keeps
// Start and end time of auto-start unit u (1..6, the operator's numbering):
// unit 1 at the top of each block (304, 316), unit 6 at its bottom.
std::size_t plan_start_offset(int u) { return static_cast<std::size_t>(306 - 2 * u); }
std::size_t plan_end_offset(int u) { return static_cast<std::size_t>(318 - 2 * u); }

// Main I/O node.
constexpr std::uint8_t kMainIoNode = 14;

}  // namespace

// Fan/heater module nodes count the operator's way: node 1 + i is
// Fan/Heater #i (Plenum i), so nodes 2 and 3 are the first two units in use.
const std::array<UnscriptedEvent, 5> kUnscriptedEvents = {{
    {15, 3, false, "MOISTURE SENSOR OUT OF GRAIN"},
    {15, 4, false, "DISCHARGE MOISTURE ABOVE LIMIT"},
    {3, 2, true, "AIR SWITCH: NO AIR FLOW PROVEN"},
    {2, 4, false, "PLENUM TEMPERATURE SENSOR FAILURE"},
    {14, 9, true, "WET BIN EMPTY"},
}};
const UnscriptedEvent kOutOfGrainShutdown{kMainIoNode, 1, true, "MAIN I/O: OUT OF GRAIN"};

namespace {

double approach(double x, double target, double dt_s, double tau_s) {
    return target + (x - target) * std::exp(-dt_s / tau_s);
}

}  // namespace

int Plant::unit_count(std::uint8_t code) {
    switch (code) {
        case 0: return 1;
        case 1: return 2;
        case 2: return 3;
        case 3: return 4;
        case 4: return 6;
        default: return 0;
    }
}

Plant::Plant(std::uint32_t seed, bool unscripted_events) : rng_(seed), events_(unscripted_events) {
    set_defaults();
    next_load_s_ = 60 + rng_() % 60;
    next_event_s_ = 180 + rng_() % 180;
    for (int u = 1; u <= 6; ++u) plenum_[u] = kAmbientF + 40;
    if (events_) {
        // The demo opens in the moisture control's learning period.
        Action learning;
        learning.kind = ActionKind::learning;
        learning.a = 2;
        apply(learning);
    }
    continuous(0);
    update_running_bits();
}

void Plant::set_defaults() {
    image_.fill(0);
    image_[off::fan_heater_count] = 1;  // two fan/heaters (units 5 and 6 in use)
    image_[off::dryer_length_index] = 7;
    put_min_sec(off::batch_timer1_setpoint, 30 * 60);
    put_min_sec(off::batch_timer2_setpoint, 15 * 60);
    put_min_sec(off::batch_timer3_setpoint, 10 * 60);
    put_min_sec(off::load_timer_setpoint, 5 * 60);
    put_min_sec(off::load_timer_remaining, 5 * 60);
    put_min_sec(off::timer_31_setpoint, 10);
    put_min_sec(off::timer_41_setpoint, 2 * 60);
    put_min_sec(off::timer_46_setpoint, 5);
    // By unit: unit 6 (Plenum 1) at 180, unit 5 (Plenum 2) at 200.
    static constexpr int kSetpoints[7] = {0, 190, 190, 190, 190, 200, 180};
    for (int u = 1; u <= 6; ++u) {
        put16le(link::heater_setpoint_offset(u), static_cast<std::uint32_t>(kSetpoints[u]));
        image_[link::burner_diff_offset(u)] = 8;
        image_[link::burner_mode_offset(u)] = 1;
    }
    put16le(off::target_149, 110);
    put16le(off::target_151, 120);
    put16le(off::target_153, 100);
    image_[off::meter_roll_speeds_155] = 1;
    image_[156] = 30;
    image_[157] = 50;
    image_[158] = 70;
    image_[off::meter_roll_control_159] = 0x03;
    image_[160] = 30;
    image_[161] = 50;
    image_[162] = 70;
    image_[off::value_230] = 50;
    image_[off::unload_163] = 100;
    image_[off::status_171] = kLoadIndicatorStopped | kBinFull;
    image_[off::mode_flags_179] = 0x10;  // previous-load time enabled
    image_[off::status_184] = 0;
    image_[off::mc_mode_flags] = 0x83;  // moisture-based metering, automatic
    put16be(off::moisture_setpoint, 155);
    put16be(off::unload_rate_max, 1200);
    put16be(off::unload_rate_min, 100);
    image_[off::watchdog] = 1;
    put_min_sec(off::timer_269_setpoint, 10 * 60);
    put_min_sec(off::staged_274, 90 * 60);
    put16le(off::cf_277, 140);
    image_[off::status_280] = 0x40;  // auto-start offered
    put16le(off::moisture_281, 220);
}

// --- writes from the panel and the scenario ---------------------------------

void Plant::write(std::size_t offset, const std::uint8_t* bytes, std::size_t n) {
    if (n == 0 || offset + n > link::kPayloadSize) return;
    const bool was_plan_bit = image_[off::options_279] & 0x01;
    const std::uint8_t old_mode = image_[off::drying_mode];
    for (std::size_t i = 0; i < n; ++i) image_[offset + i] = bytes[i];
    const auto covers = [&](std::size_t at) { return offset <= at && at < offset + n; };
    if (covers(off::options_279)) {
        image_[off::options_279] &= kOptionsKnown;
        const bool plan_bit = image_[off::options_279] & 0x01;
        if (plan_bit && !was_plan_bit) start_plan();
        if (!plan_bit && was_plan_bit) stop_plan();
    }
    if (covers(off::unload_control_238) && (image_[off::unload_control_238] & 0x08)) {
        counter_ = 0;
        for (std::size_t i = 0; i < 4; ++i) image_[off::unload_counter + i] = 0;
    }
    if (covers(off::drying_mode) && image_[off::drying_mode] != old_mode) stage_ = Stage::fill;
}

void Plant::apply(const Action& a) {
    const auto byte = [](std::uint32_t v) { return static_cast<std::uint8_t>(v); };
    switch (a.kind) {
        case ActionKind::shutdown: report(byte(a.a), byte(a.b), true); break;
        case ActionKind::warning: report(byte(a.a), byte(a.b), false); break;
        case ActionKind::clear: clear_report(); break;
        case ActionKind::set8: {
            const std::uint8_t b[1] = {byte(a.b)};
            write(a.a, b, 1);
            break;
        }
        case ActionKind::set16le: {
            const std::uint8_t b[2] = {byte(a.b), byte(a.b >> 8)};
            write(a.a, b, 2);
            break;
        }
        case ActionKind::set16be: {
            const std::uint8_t b[2] = {byte(a.b >> 8), byte(a.b)};
            write(a.a, b, 2);
            break;
        }
        case ActionKind::start:
            running_ = true;
            stopped_by_shutdown_ = false;
            break;
        case ActionKind::stop: running_ = false; break;
        case ActionKind::load: next_load_s_ = 0; break;
        case ActionKind::dipswitch: set_bit(off::status_188, 5, a.a != 0); break;
        case ActionKind::learning:
            image_[off::status_52] = byte(a.a);
            learning_left_s_ = a.a * 60;
            set_bit(off::mode_flags_179, 2, a.a != 0);
            break;
        case ActionKind::sampler: set_bit(off::options_293, 7, a.a != 0); break;
        case ActionKind::fans: {
            const std::uint8_t code = a.a == 6 ? 4 : byte(a.a - 1);
            write(off::fan_heater_count, &code, 1);
            break;
        }
        case ActionKind::mode: {
            const std::uint8_t mode = byte(a.a);
            write(off::drying_mode, &mode, 1);
            break;
        }
        case ActionKind::metric: set_bit(off::display_options_266, 7, a.a != 0); break;
        case ActionKind::dual_plenum: set_bit(off::system_flags_257, 1, a.a != 0); break;
        case ActionKind::events: events_ = a.a != 0; break;
        case ActionKind::silent:
        case ActionKind::corrupt:
        case ActionKind::split:
        case ActionKind::refuse:
        case ActionKind::accept: break;  // the peer's business
    }
    update_running_bits();
}

void Plant::report(std::uint8_t node, std::uint8_t warning, bool stops) {
    image_[off::shutdown_node] = node;
    image_[off::shutdown_code] = warning;
    if (stops) {
        set_bit(off::status_118, 5, true);
        if (running_) stopped_by_shutdown_ = true;
        running_ = false;
    }
}

void Plant::clear_report() {
    image_[off::shutdown_node] = 0;
    image_[off::shutdown_code] = 0;
    image_[off::status_118] &= static_cast<std::uint8_t>(~kAlarm);
    if (stopped_by_shutdown_) running_ = true;
    stopped_by_shutdown_ = false;
}

// --- time -------------------------------------------------------------------

void Plant::step(std::uint32_t dt_ms) {
    // Long steps (a test that jumps ahead) run second by second so timers,
    // loads and events happen in their order.
    while (dt_ms > 0) {
        const std::uint32_t chunk = std::min(dt_ms, 1000 - second_acc_ms_);
        dt_ms -= chunk;
        now_ms_ += chunk;
        second_acc_ms_ += chunk;
        if (second_acc_ms_ == 1000) {
            second_acc_ms_ = 0;
            one_second();
        }
        continuous(chunk / 1000.0);
    }
    update_running_bits();
}

void Plant::one_second() {
    ++seconds_;
    tick_learning();
    tick_sampler();
    tick_plan();
    if (image_[off::drying_mode] == 1) tick_batch();
    else tick_load();
    tick_events();
}

void Plant::continuous(double dt_s) {
    update_units(dt_s);
    update_grain(dt_s);
    update_flow(dt_s);
}

bool Plant::discharging() const {
    if (!running_) return false;
    if (plan_active_) return plan_elapsed_s_ >= image_[off::autostart_322] + 256u * image_[off::autostart_322 + 1];
    if (image_[off::drying_mode] == 1) return stage_ == Stage::unload;
    return true;
}

bool Plant::unit_heats(int unit) const {
    const auto sp = link::s16le(link::ByteView{image_.data()}, link::heater_setpoint_offset(unit));
    const std::uint8_t mode = image_[link::burner_mode_offset(unit)];
    if (mode == 0 || sp <= kAmbientF + 10) return false;
    if (image_[off::drying_mode] == 1 && stage_ != Stage::heat && stage_ != Stage::low_heat) return false;
    if (plan_active_) {
        // The plan counts units the operator's way (unit 1 is the first in
        // use, physical unit 6); a unit fires from A to B (to the end of the
        // plan when B is not after A).
        const int u = link::plenum_unit(unit);
        const std::uint32_t a = link::u16le(link::ByteView{image_.data()}, plan_start_offset(u));
        const std::uint32_t b = link::u16le(link::ByteView{image_.data()}, plan_end_offset(u));
        const std::uint32_t end = b > a ? b : kAutoStartSeconds;
        return plan_elapsed_s_ >= a && plan_elapsed_s_ < end;
    }
    return true;
}

void Plant::update_units(double dt_s) {
    const int count = unit_count(image_[off::fan_heater_count]);
    for (int u = 1; u <= 6; ++u) {
        const bool in_use = u > 6 - count;
        const bool fan = in_use && running_;
        const bool heater = fan && unit_heats(u);
        const double sp = link::s16le(link::ByteView{image_.data()}, link::heater_setpoint_offset(u));
        const double diff = std::max<double>(2, image_[link::burner_diff_offset(u)]);
        if (!heater) flame_[u] = false;
        else if (plenum_[u] <= sp - diff) flame_[u] = true;
        else if (plenum_[u] >= sp) flame_[u] = false;
        double target = kAmbientF;
        double tau = 180;
        if (flame_[u]) {
            target = sp + 60;
            tau = 40;
        } else if (fan) {
            target = kAmbientF + 8;
            tau = 60;
        }
        plenum_[u] = std::clamp(approach(plenum_[u], target, dt_s, tau) + noise(0.3, dt_s), -40.0, 400.0);
        put16le(link::heater_temperature_offset(u), static_cast<std::uint32_t>(static_cast<std::int32_t>(std::lround(plenum_[u]))));
        std::uint8_t a = 0, b = 0;
        if (fan) {
            a |= 0x01;
            b |= 0x01;
        }
        if (heater) {
            a |= 0x02;
            b |= 0x02;
        }
        if (flame_[u]) a |= 0x04;
        image_[link::heater_state_a_offset(u)] = a;
        image_[link::heater_state_b_offset(u)] = b;
        // State byte C bit 2: the unit runs without its air-switch test, as
        // the panel asks with bit 2 of the unit's burner mode. The byte's
        // other bits are left to scenarios (set8).
        set_bit(link::heater_state_c_offset(u), 2, in_use && (image_[link::burner_mode_offset(u)] & 0x04) != 0);
    }
}

void Plant::update_grain(double dt_s) {
    const int count = unit_count(image_[off::fan_heater_count]);
    double hot = 0;
    int heaters = 0;
    for (int u = 7 - count; u <= 6 && count > 0; ++u) {
        if (image_[link::heater_state_b_offset(u)] & 0x02) {
            hot += plenum_[u];
            ++heaters;
        }
    }
    const double plenum_avg = heaters > 0 ? hot / heaters : kAmbientF;
    grain_col_ = approach(grain_col_, kAmbientF + 0.45 * (plenum_avg - kAmbientF), dt_s, 90) + noise(0.1, dt_s);
    grain_out_ = approach(grain_out_, running_ ? kAmbientF + 12 : grain_col_, dt_s, 120) + noise(0.05, dt_s);
    grain_in_ = std::clamp(grain_in_ + noise(0.05, dt_s), kAmbientF - 25, kAmbientF + 15);
    put16le(off::value_93, static_cast<std::uint32_t>(std::lround(std::max(0.0, grain_col_))));
    put16le(off::value_91, static_cast<std::uint32_t>(std::lround(std::max(0.0, grain_col_ - 4))));
    put16le(off::value_89, static_cast<std::uint32_t>(std::lround(std::max(0.0, grain_col_ + 3))));
    // The sensors report their readings shifted by the calibration trims
    // the panel sets (tenths, signed, high byte first).
    const auto trim = [this](std::size_t at) {
        return static_cast<std::int16_t>(link::u16be(link::ByteView{image_.data()}, at)) / 10.0;
    };
    const auto tenths = [](double v) { return static_cast<std::uint32_t>(std::lround(std::max(0.0, v) * 10)); };
    put16be(off::grain_temp_193, tenths(grain_out_ + trim(off::mcal_241)));
    put16be(off::value_195, tenths(grain_in_ + trim(off::mcal_243)));

    // Incoming moisture wanders around 22 %; the dryer takes off more the
    // hotter the plenums and the slower the grain moves.
    moisture_in_ = std::clamp(moisture_in_ + 0.002 * (22.0 - moisture_in_) * dt_s + noise(0.05, dt_s), 16.0, 30.0);
    const double drop = heaters > 0 ? 0.045 * (plenum_avg - kAmbientF) * 40.0 / std::max(speed_, 5.0) : 0.0;
    const double target_out = std::clamp(moisture_in_ - drop, 8.0, moisture_in_);
    if (discharging()) moisture_out_ = approach(moisture_out_, target_out, dt_s, 120);
    moisture_out_ = std::clamp(moisture_out_, 8.0, moisture_in_);
    put16be(off::moisture_191, tenths(moisture_in_ + trim(off::mcal_234)));
    put16be(off::moisture_189, tenths(moisture_out_ + trim(off::mcal_232)));
}

void Plant::update_flow(double dt_s) {
    // Automatic moisture control (187 bit 7) speeds the meter rolls up when
    // the grain comes out drier than the setpoint and slows them otherwise.
    const bool automatic = image_[off::mc_mode_flags] & 0x80;
    if (discharging() && automatic) {
        const double setpoint = link::u16be(link::ByteView{image_.data()}, off::moisture_setpoint) / 10.0;
        speed_ += 2.0 * (setpoint - moisture_out_) * dt_s / 60.0;
    }
    speed_ = std::clamp(speed_, 10.0, 100.0);
    // Bushels per hour, scaled by the panel's calibration multiplier (percent).
    const double throughput = discharging() ? speed_ * 15.0 * image_[off::unload_163] / 100.0 : 0.0;
    image_[off::meter_roll_speed_pct] = static_cast<std::uint8_t>(speed_);
    image_[off::status_223] = static_cast<std::uint8_t>(static_cast<int>(speed_ * 10) % 10);
    put16be(off::value_173, static_cast<std::uint32_t>(std::lround(throughput)));
    put16be(off::value_197, static_cast<std::uint32_t>(std::lround(throughput / 6.0)));  // tenths of bushels a minute
    // The counter is in bushel-seconds: bushels per hour times seconds.
    if (image_[off::unload_control_238] & 0x08) counter_ = 0;
    else counter_ = std::fmod(counter_ + throughput * dt_s, 4294967296.0);
    const auto c = static_cast<std::uint32_t>(counter_);
    for (std::size_t i = 0; i < 4; ++i) image_[off::unload_counter + i] = static_cast<std::uint8_t>(c >> (8 * i));
}

void Plant::update_running_bits() {
    const bool discharge = discharging();
    set_bit(off::status_171, 6, discharge);
    set_bit(off::status_172, 0, discharge);
    set_bit(off::status_171, 3, running_);
    set_bit(off::status_188, 6, running_);
    image_[off::moisture_201] = running_ ? 1 : 0;
    set_bit(off::mode_flags_179, 4, true);
    set_bit(off::status_280, 6, true);
    // The display I/O module's relay outputs as driven (239-240): FAN k and
    // BURNER k follow unit k's state byte B; J2's last three are LOAD,
    // UNLOAD and START. Shorted outputs (177-178) only by scenario (set8).
    std::uint16_t out = 0;  // bit i: output row i of J1-01 .. J2-08
    static constexpr std::array<int, 16> kFanOf{0, 0, 6, 0, 5, 0, 4, 0, 3, 0, 2, 0, 1, 0, 0, 0};
    static constexpr std::array<int, 16> kBurnerOf{0, 6, 0, 5, 0, 4, 0, 3, 0, 2, 0, 1, 0, 0, 0, 0};
    for (std::size_t i = 0; i < 16; ++i) {
        const int fan = kFanOf[i], burner = kBurnerOf[i];
        bool on = false;
        if (fan) on = image_[link::heater_state_b_offset(fan)] & 0x01;
        if (burner) on = image_[link::heater_state_b_offset(burner)] & 0x02;
        if (i == 13) on = loading_;
        if (i == 14) on = discharge;
        if (i == 15) on = running_;
        if (on) out = static_cast<std::uint16_t>(out | (1u << i));
    }
    std::uint8_t j2 = 0;  // J2-01 is bit 7
    for (int b = 0; b < 8; ++b)
        if (out & (1u << (8 + b))) j2 = static_cast<std::uint8_t>(j2 | (0x80u >> b));
    image_[off::status_239_240] = static_cast<std::uint8_t>(out & 0xFF);
    image_[off::status_239_240 + 1] = j2;
}

// --- once a second ---------------------------------------------------------

void Plant::tick_load() {
    const std::uint32_t setting = link::min_sec(link::ByteView{image_.data()}, off::load_timer_setpoint);
    if (!loading_) {
        put_min_sec(off::load_timer_remaining, setting);
        if (!running_) return;
        if (next_load_s_ > 0) {
            --next_load_s_;
            return;
        }
        loading_ = true;
        load_left_s_ = 30 + rng_() % 90;
        image_[off::load_flags] |= kLoadInProgress | 0x04;
        image_[off::status_171] &= static_cast<std::uint8_t>(~(kLoadIndicatorStopped | kBinFull));
        set_bit(off::load_timer_status, 0, true);
        return;
    }
    image_[off::load_flags] ^= 0x08;  // load animation
    std::uint32_t remaining = link::min_sec(link::ByteView{image_.data()}, off::load_timer_remaining);
    remaining = std::min(remaining, setting);
    if (remaining > 0) --remaining;
    put_min_sec(off::load_timer_remaining, remaining);
    if (load_left_s_ > 0) --load_left_s_;
    const bool out_of_grain = remaining == 0 && load_left_s_ > 0;
    if (load_left_s_ == 0 || out_of_grain || !running_) {
        loading_ = false;
        next_load_s_ = 120 + rng_() % 180;
        put_min_sec(off::load_timer_remaining, setting);
        image_[off::load_flags] &= static_cast<std::uint8_t>(~(kLoadInProgress | 0x04 | 0x08));
        image_[off::status_171] |= kLoadIndicatorStopped | kBinFull;
        set_bit(off::load_timer_status, 0, false);
        if (out_of_grain) report(kOutOfGrainShutdown.node, kOutOfGrainShutdown.warning, kOutOfGrainShutdown.stops);
    }
}

void Plant::tick_batch() {
    struct StageTimer {
        Stage stage;
        std::size_t remaining, status;
    };
    static constexpr StageTimer kTimers[] = {
        {Stage::heat, off::batch_timer1_remaining, off::batch_timer1_status},
        {Stage::low_heat, off::batch_timer4_remaining, 0},
        {Stage::cool, off::batch_timer2_remaining, off::batch_timer2_status},
        {Stage::unload, off::batch_timer3_remaining, off::batch_timer3_status},
    };
    // Stage timers stand at their stage time (two bytes on) outside the stage.
    for (const auto& t : kTimers) {
        if (t.status) image_[t.status] = (running_ && stage_ == t.stage) ? 1 : 0;
        if (stage_ != t.stage) put_min_sec(t.remaining, link::min_sec(link::ByteView{image_.data()}, t.remaining + 2));
    }
    if (!running_) return;
    if (stage_ == Stage::fill) {
        // A batch dryer loads at once and starts heating when it is full.
        const bool was_loading = loading_;
        if (!loading_) next_load_s_ = 0;
        tick_load();
        if (was_loading && !loading_) stage_ = Stage::heat;
        return;
    }
    for (const auto& t : kTimers) {
        if (t.stage != stage_) continue;
        std::uint32_t left = link::min_sec(link::ByteView{image_.data()}, t.remaining);
        if (left > 0) --left;
        put_min_sec(t.remaining, left);
        if (left > 0) return;
    }
    // The stage is over: on to the next (a low heat stage only when timed).
    switch (stage_) {
        case Stage::heat:
            stage_ = link::min_sec(link::ByteView{image_.data()}, off::batch_timer4_setpoint) > 0 ? Stage::low_heat : Stage::cool;
            break;
        case Stage::low_heat: stage_ = Stage::cool; break;
        case Stage::cool: stage_ = Stage::unload; break;
        case Stage::unload: {
            const std::uint32_t batches = link::u16be(link::ByteView{image_.data()}, off::batch_counter) + 1u;
            put16be(off::batch_counter, batches & 0xFFFF);
            stage_ = Stage::fill;
            next_load_s_ = 0;
            break;
        }
        case Stage::fill: break;
    }
}

void Plant::tick_learning() {
    if (learning_left_s_ == 0) return;
    --learning_left_s_;
    image_[off::status_52] = static_cast<std::uint8_t>((learning_left_s_ + 59) / 60);
    set_bit(off::mode_flags_179, 2, learning_left_s_ > 0);
}

void Plant::tick_sampler() {
    // The cycled sampler takes a sample every minute: bit 1 (value 2) while
    // the sample is taken, bit 0 (value 1) once it is ready for the next.
    if (!(image_[off::options_293] & 0x80) || !running_) {
        image_[off::status_292] = 0;
        return;
    }
    image_[off::status_292] = seconds_ % 60 < 5 ? 0x02 : 0x01;
}

void Plant::start_plan() {
    plan_active_ = true;
    plan_elapsed_s_ = 0;
    running_ = true;
    stopped_by_shutdown_ = false;
    put16le(off::autostart_318, kAutoStartSeconds);
    put16le(off::autostart_320, kAutoStartSeconds);
    put16le(off::autostart_322, 300);  // discharge starts after five minutes
    // Units start one minute apart and stop two minutes apart from the end;
    // the last unit in use of a dryer with several keeps heating to the end
    // of the plan (its end time is not after its start).
    const int in_use = unit_count(image_[off::fan_heater_count]);
    for (int u = 1; u <= 6; ++u) {
        const bool to_end = u == in_use && in_use > 1;
        put16le(plan_start_offset(u), 60u * static_cast<std::uint32_t>(u));
        put16le(plan_end_offset(u), to_end ? 0u : kAutoStartSeconds - 120u * static_cast<std::uint32_t>(u));
    }
    image_[off::status_280] = static_cast<std::uint8_t>((image_[off::status_280] & 0x40) | 0x02);
}

void Plant::stop_plan() {
    plan_active_ = false;
    image_[off::status_280] &= static_cast<std::uint8_t>(~0x06);
}

void Plant::tick_plan() {
    if (!plan_active_) return;
    if (!running_) return;  // a shutdown holds the plan
    ++plan_elapsed_s_;
    const std::uint32_t left = plan_elapsed_s_ >= kAutoStartSeconds ? 0 : kAutoStartSeconds - plan_elapsed_s_;
    put16le(off::autostart_320, left);
    std::uint8_t state = image_[off::status_280] & 0x40;
    if (left == 0) {
        // Finished: the controller reports the end and cancels the request
        // itself; the dryer carries on drying.
        plan_active_ = false;
        state |= 0x80;
        image_[off::options_279] &= static_cast<std::uint8_t>(~0x01);
    } else if (left <= kAutoStartSeconds / 10) {
        state |= 0x04;
    } else {
        state |= 0x02;
    }
    image_[off::status_280] = state;
}

void Plant::tick_events() {
    if (!events_) return;
    if (event_left_s_ > 0) {
        if (--event_left_s_ == 0) clear_report();
        return;
    }
    if (next_event_s_ > 0) {
        --next_event_s_;
        return;
    }
    next_event_s_ = 240 + rng_() % 240;
    if (image_[off::shutdown_code] != 0) return;  // something else is being reported
    const UnscriptedEvent& e = kUnscriptedEvents[rng_() % kUnscriptedEvents.size()];
    // A fan/heater event of a unit the dryer does not have goes to Plenum 1.
    const int units = unit_count(image_[off::fan_heater_count]);
    const bool fan_heater = e.node >= 2 && e.node <= 7;
    const std::uint8_t node = fan_heater && e.node - 1 > units ? std::uint8_t{2} : e.node;
    report(node, e.warning, e.stops);
    event_left_s_ = 20 + rng_() % 25;
}

// --- helpers ----------------------------------------------------------------

double Plant::noise(double amplitude, double dt_s) {
    // Scaled so that the drift per second does not depend on how often the
    // model is stepped.
    if (dt_s <= 0) return 0;
    std::uniform_real_distribution<double> d(-amplitude, amplitude);
    return d(rng_) * std::sqrt(dt_s);
}

void Plant::put16le(std::size_t at, std::uint32_t v) {
    image_[at] = static_cast<std::uint8_t>(v & 0xFF);
    image_[at + 1] = static_cast<std::uint8_t>((v >> 8) & 0xFF);
}

void Plant::put16be(std::size_t at, std::uint32_t v) {
    image_[at] = static_cast<std::uint8_t>((v >> 8) & 0xFF);
    image_[at + 1] = static_cast<std::uint8_t>(v & 0xFF);
}

void Plant::put_min_sec(std::size_t at, std::uint32_t seconds) {
    image_[at] = static_cast<std::uint8_t>(std::min<std::uint32_t>(seconds / 60, 255));
    image_[at + 1] = static_cast<std::uint8_t>(seconds / 60 > 255 ? 59 : seconds % 60);
}

void Plant::set_bit(std::size_t at, int bit, bool on) {
    const auto mask = static_cast<std::uint8_t>(1u << bit);
    if (on) image_[at] |= mask;
    else image_[at] &= static_cast<std::uint8_t>(~mask);
}

}  // namespace dryer::sim
