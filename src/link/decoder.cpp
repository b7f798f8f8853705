#include "link/decoder.h"

#include <array>

namespace dryer::link {
namespace {

using namespace redraw;

// Windows to redraw when a plainly copied byte changes, by offset. Fields with
// a rule request their own windows in the walk below.
constexpr std::array<std::uint64_t, kImageSize> make_copy_redraw() {
    std::array<std::uint64_t, kImageSize> t{};
    const auto span = [&t](std::size_t first, std::size_t last, std::uint64_t bits) {
        for (std::size_t k = first; k <= last; ++k) t[k] |= bits;
    };
    span(3, 7, dryer_picture | setup_dialogs);
    span(9, 23, batch_drying);
    span(11, 12, timer_select);
    span(16, 17, timer_select);
    span(21, 22, timer_select);
    span(24, 32, timer_select);
    span(26, 27, out_of_grain_timer);
    span(39, 47, timer_select | dryer_state_line);
    span(49, 52, dryer_picture | setup_dialogs);
    span(52, 52, left_status_bar | right_status_bar);
    span(58, 58, dryer_picture);
    span(83, 94, dryer_picture | left_status_bar);
    span(95, 106, plenum_view | setup_dialogs);
    span(113, 118, dryer_state_line | diagnostics);
    span(125, 148, plenum_view | dryer_picture | diagnostics);
    span(149, 154, temp_select | left_status_bar);
    span(155, 155, unload_status);
    span(156, 158, meter_roll_screen | unload_status);
    span(163, 163, unload_bushels);
    span(164, 167, unload_bushels | unload_status);
    span(173, 174, unload_status);
    span(168, 178, dryer_picture | left_status_bar | right_status_bar | diagnostics);
    span(179, 184, diagnostics | dryer_picture);
    span(189, 203, moisture_status_bar | right_status_bar);
    span(189, 196, moisture_calibration);
    span(197, 198, unload_status);
    span(206, 229, setup_dialogs | moisture_status_bar);
    span(230, 250, setup_dialogs | moisture_calibration | dryer_picture);
    span(251, 251, dryer_picture);
    span(252, 255, batch_drying);
    span(258, 261, temp_select);
    span(262, 265, batch_drying);
    span(267, 268, autostart);
    span(269, 278, timer_select | setup_dialogs);
    span(279, 284, setup_dialogs | moisture_status_bar);
    span(285, 328, autostart);
    span(288, 293, setup_dialogs | dryer_state_line);
    // The plenum panel: every unit's setpoint and reading (the panel shows
    // the last units, so any of the six may be on it), the unit state bytes,
    // and what chooses its form and the one-box setpoints: the fan/heater
    // count, the drying mode, options_225 (bit 5: one-box form),
    // system_flags_257 and temp_setpoint_260. The whole view is redrawn.
    for (int unit = 1; unit <= 6; ++unit) {
        span(heater_setpoint_offset(unit), heater_setpoint_offset(unit) + 1, plenum_view);
        span(heater_temperature_offset(unit), heater_temperature_offset(unit) + 1, plenum_view);
    }
    span(off::fan_heater_count, off::fan_heater_count, plenum_view);
    span(off::drying_mode, off::drying_mode, plenum_view);
    span(off::options_225, off::options_225, plenum_view);
    span(off::system_flags_257, off::system_flags_257, plenum_view);
    span(off::temp_setpoint_260, off::temp_setpoint_260 + 1, plenum_view);
    // The readings panel: the three dryer temperatures and the one
    // status_184 picks, the grain setpoint, the moisture and grain
    // temperature readings and the moisture setpoint.
    span(off::value_89, off::value_93 + 1, line_graph);
    span(off::target_149, off::target_149 + 1, line_graph);
    span(off::status_184, off::status_184, line_graph);
    span(off::moisture_189, off::moisture_191 + 1, line_graph);
    span(off::grain_temp_193, off::value_195 + 1, line_graph);
    span(off::moisture_setpoint, off::moisture_setpoint + 1, line_graph);
    return t;
}
constexpr auto kCopyRedraw = make_copy_redraw();

constexpr std::uint32_t kMaxLoadSeconds = 86400;
constexpr std::uint32_t kRerecordSeconds = 100;

class Walk {
public:
    Walk(LinkState& s, const std::uint8_t* f) : s_(s), st_(s.status), se_(s.settings), fl_(s.flags), pv_(s.values), f_(f) {}

    void run();
    std::uint64_t requests() const { return req_; }

private:
    // Copies n received bytes where they differ; returns whether any did.
    bool copy(std::size_t at, std::size_t n) {
        bool changed = false;
        for (std::size_t k = at; k < at + n; ++k) {
            if (st_.get(k) != f_[k]) {
                st_.set(k, f_[k]);
                req_ |= kCopyRedraw[k];
                changed = true;
            }
        }
        return changed;
    }
    bool status_equals_settings(std::size_t at, std::size_t n) const {
        for (std::size_t k = at; k < at + n; ++k) {
            if (st_.get(k) != se_.get(k)) return false;
        }
        return true;
    }
    bool received_equals_settings(std::size_t at, std::size_t n) const {
        for (std::size_t k = at; k < at + n; ++k) {
            if (f_[k] != se_.get(k)) return false;
        }
        return true;
    }
    // Lowers the row's flag when the condition holds. The generation is read
    // (acquire) before the condition reads any settings byte, and the flag is
    // lowered only if it still holds that generation: a commit that lands
    // after the read keeps its flag raised and goes out in the next cycle.
    template <class Cond> void lower_when(int row, Cond cond) {
        const std::uint32_t g = fl_.generation(row);
        if (g != 0 && cond()) fl_.lower_if(row, g);
    }
    // echo: the row's status bytes equal its settings bytes. Applied after the
    // copy, or before it for the temperature setpoints (previous frame).
    void echo(int row) {
        const ReplyRow& r = kReplyRows[static_cast<std::size_t>(row)];
        lower_when(row, [&] { return status_equals_settings(r.code, r.n); });
    }
    void copy_echo(int row) {
        const ReplyRow& r = kReplyRows[static_cast<std::size_t>(row)];
        copy(r.code, r.n);
        echo(row);
    }
    void copy_echo_rows(int first, int last) {
        for (int r = first; r <= last; ++r) copy_echo(r);
    }
    void copy_echo_previous(int row, std::uint64_t bits) {
        const ReplyRow& r = kReplyRows[static_cast<std::size_t>(row)];
        echo(row);
        if (copy(r.code, r.n)) req_ |= bits;
    }

    void fan_heater_count();
    void drying_mode();
    void held_pair(std::size_t at, int row);
    void load_timer_remaining();
    void load_flags();
    void temperatures();
    void meter_roll_block();
    void meter_roll_handed_back();
    void unload_counter();
    void dryer_state();
    void shutdown();
    void mc_mode();
    void status_188();
    void inlet_moisture();
    void system_flags();
    void display_options();
    void hardware_options();
    void set_batch_mode(bool mode_flags_term);

    LinkState& s_;
    ByteImage& st_;
    ByteImage& se_;
    ChangeFlags& fl_;
    PanelValues& pv_;
    const std::uint8_t* f_;
    std::uint64_t req_ = 0;
};

void Walk::run() {
    fan_heater_count();                                   // 3
    copy_echo_rows(row::module_count, row::dryer_length);  // 4-7
    drying_mode();                                        // 8
    held_pair(off::batch_timer1_remaining, row::batch_heat_remaining);
    copy_echo(row::batch_heat_time);  // 11-12
    copy(off::batch_timer1_status, 1);
    held_pair(off::batch_timer2_remaining, row::batch_cool_remaining);
    copy_echo(row::batch_cool_time);  // 16-17
    copy(off::batch_timer2_status, 1);
    held_pair(off::batch_timer3_remaining, row::batch_unload_remaining);
    copy_echo(row::batch_unload_time);  // 21-22
    copy(off::batch_timer3_status, 1);
    load_timer_remaining();            // 24-25
    copy_echo(row::load_timer);        // 26-27
    copy(off::load_timer_status, 3);   // 28-30
    copy_echo(row::load_startup_delay);  // 31-32
    copy(off::timer_39, 2);
    copy_echo(row::unload_cleanout_delay);  // 41-42
    copy(off::timer_43, 3);                 // 43-45
    copy_echo(row::fan_start_delay);        // 46-47
    copy_echo(row::meter_roll_option);      // 49
    copy_echo(row::plenum_temp_manager);    // 50
    copy(off::status_51, 2);                // 51-52
    load_flags();                           // 58
    temperatures();                         // 59-82
    copy(off::status_83, 12);               // 83-94
    copy_echo_rows(row::burner_diff_6, row::burner_mode_1);  // 95-106
    copy(off::status_113, 6);                                // 113-118
    copy(off::heater_status_125, 24);                        // 125-148
    for (int r = row::grain_setpoint; r <= row::grain_low_setpoint; ++r) copy_echo_previous(r, 0);  // 149-154
    meter_roll_block();                   // 155-162
    copy_echo(row::unload_bushels);       // 163
    unload_counter();                     // 164-167
    copy(off::status_168, 2);             // 168-169
    copy(off::status_171, 6);             // 171-176
    meter_roll_handed_back();             // row 51, at 176
    copy(off::status_177, 2);             // 177-178
    dryer_state();                        // 179
    copy(off::status_180, 5);             // 180-184
    shutdown();                           // 185-186
    mc_mode();                            // 187
    status_188();                         // 188
    copy(off::moisture_189, 2);
    inlet_moisture();                     // 191-192
    copy(off::grain_temp_193, 6);         // 193-198
    copy_echo(row::moisture_setpoint);    // 199-200
    copy(off::moisture_201, 3);           // 201-203
    copy_echo_rows(row::unload_rate_max, row::unload_rate_min);  // 206-209
    copy(off::status_216_217, 5);                                // 216-220
    copy_echo(row::batch_counter);                               // 221-222
    copy(off::status_223, 1);
    copy_echo(row::drying_option);  // 224
    copy(off::options_225, 1);
    copy_echo_rows(row::mc5_226, row::mc5_226 + 3);  // 226-229
    copy(off::value_230, 1);
    copy_echo_rows(row::mcal_232, row::unload_control);  // 232-238
    copy(off::status_239_240, 2);
    copy_echo_rows(row::mcal_241, row::mcal_243);  // 241-244
    copy(off::meter_roll_speed_pct, 1);
    copy_echo(row::watchdog);    // 246
    copy(off::value_247, 4);     // 247-250
    copy(off::status_251, 1);
    held_pair(off::batch_timer4_remaining, row::batch_low_heat_remaining);
    copy_echo(row::batch_low_heat_time);  // 254-255
    system_flags();                       // 257
    copy_echo_previous(row::plenum2_low_setpoint, 0);  // 258-259
    copy_echo_previous(row::plenum_low_setpoint, 0);   // 260-261
    copy(off::value_262, 4);                           // 262-265
    display_options();                                 // 266
    copy(off::value_267, 2);
    copy_echo(row::cool_down_timer);  // 269-270
    copy(off::status_271, 3);         // 271-273
    copy_echo(row::staged_max_time);  // 274-275
    copy_echo(row::max_grain_temp);   // 277-278
    hardware_options();               // 279-280
    copy_echo(row::moisture_281);     // 281-282
    copy(off::value_283, 2);
    copy_echo(row::autostart);             // 285
    copy_echo(row::moisture_sensor_type);  // 287
    copy(off::status_288, 1);
    copy_echo(row::day_logger);  // 289
    copy(off::value_290, 3);     // 290-292
    copy_echo(row::hardware_options_2);  // 293
    copy(off::autostart_294, kPayloadSize - off::autostart_294);  // 294-328
}

// Rule 1: a new unit count changes the plenum view's whole layout (the
// copy requests the plenum view, see make_copy_redraw()).
void Walk::fan_heater_count() {
    copy(off::fan_heater_count, 1);
    echo(row::fan_heater_count);
}

void Walk::set_batch_mode(bool mode_flags_term) {
    const bool batch = st_.get(off::drying_mode) == 1 &&
                       (mode_flags_term || (st_.get(off::system_flags_257) & 0x70) == 0x10);
    store(pv_.batch_mode, batch ? 1 : 0);
}

void Walk::drying_mode() {
    if (copy(off::drying_mode, 1)) {
        if (load(pv_.view_switching_enabled) != 0) req_ |= right_hand_view_rule;
        req_ |= batch_button_rule | batch_drying | setup_selection;
        set_batch_mode(false);
    }
    echo(row::drying_mode);
}

// A batch stage timer is held at its last reported value while a stage reset
// is pending; the reset is done when the controller reports the stage time.
void Walk::held_pair(std::size_t at, int row) {
    const std::uint32_t g = fl_.generation(row);
    if (g != 0) {
        // The stage time sits two bytes after its time-remaining pair.
        if (f_[at] == se_.get(at + 2) && f_[at + 1] == se_.get(at + 3)) fl_.lower_if(row, g);
        return;
    }
    copy(at, 2);
}

void Walk::load_timer_remaining() {
    if (!copy(off::load_timer_remaining, 2)) return;
    const std::uint32_t total = min_sec(st_, off::load_timer_remaining);
    if (load(pv_.previous_load_start) > total) store(pv_.previous_load_start, total);
    req_ |= dryer_state_line;
}

// Edges of bit 7 of byte 58 (load in progress) start and end the
// previous-load measurement, when bit 4 of mode_flags_179 enables it.
void Walk::load_flags() {
    const std::uint8_t rx = f_[off::load_flags];
    const std::uint8_t old = st_.get(off::load_flags);
    if (rx == old) return;
    if (((rx ^ old) & 0x80) && (st_.get(off::mode_flags_179) & 0x10)) {
        const std::uint32_t setting = min_sec(st_, off::load_timer_setpoint);
        if (!(old & 0x80)) {
            store(pv_.previous_load_start, setting + 1);
        } else {
            const std::int64_t t = static_cast<std::int64_t>(setting) - load(pv_.previous_load_start);
            const std::uint32_t clamped = t < 1 ? 0u : t > kMaxLoadSeconds ? kMaxLoadSeconds : static_cast<std::uint32_t>(t);
            store(pv_.previous_load_time, clamped);
            req_ |= out_of_grain_timer;
        }
    }
    copy(off::load_flags, 1);
}

// The setpoint rows and the readings ask for the plenum view through the
// copy table; a setpoint also redraws the temperature selection.
void Walk::temperatures() {
    for (int unit = 6; unit >= 1; --unit) {  // ascending offsets: unit 6 first
        copy_echo_previous(plenum_setpoint_row(unit), temp_select);
    }
    for (int unit = 6; unit >= 1; --unit) copy(heater_temperature_offset(unit), 2);
}

void Walk::meter_roll_block() {
    copy(off::meter_roll_speeds_155, 1);
    copy_echo_rows(row::meter_roll_speed_156, row::meter_roll_speed_158);
    constexpr std::size_t c = off::meter_roll_control_159;
    lower_when(row::meter_roll_value_back, [&] { return f_[c + 2] == se_.get(c + 2); });

    if (load(pv_.meter_roll_local_mode) != 0) {
        lower_when(row::meter_roll_speeds_back, [&] { return received_equals_settings(c, 4); });
        return;
    }
    // The controller's own changes of the control block are adopted into
    // the settings; status 160-162 are never written.
    if ((f_[c] ^ st_.get(c)) & 0x80) {
        if (load(pv_.meter_roll_screen_open) == 0) {
            store(pv_.meter_roll_event, 1);
            req_ |= panel_event;
        }
        st_.set(c, f_[c]);
        req_ |= meter_roll_screen;
    }
    if ((f_[c] & 0x3F) != (se_.get(c) & 0x3F)) {
        se_.set(c, static_cast<std::uint8_t>(f_[c] & 0x3F));
        req_ |= meter_roll_screen;
    }
    for (std::size_t k = c + 1; k <= c + 3; ++k) {
        if (f_[k] != se_.get(k) && !fl_.raised(row::meter_roll_block)) {
            se_.set(k, f_[k]);
            req_ |= meter_roll_screen;
        }
    }
    lower_when(row::meter_roll_block, [&] { return received_equals_settings(c, 4); });
}

void Walk::meter_roll_handed_back() {
    constexpr std::size_t c = off::meter_roll_control_159 + 1;
    constexpr std::size_t s = off::meter_roll_speeds_155 + 1;
    lower_when(row::meter_roll_speeds_160_back,
               [&] { return f_[c] == st_.get(s) && f_[c + 1] == st_.get(s + 1) && f_[c + 2] == st_.get(s + 2); });
}

// A clear-counter request (bit 3 of setting 238) goes out until the counter
// reads 0, then once more with the bit cleared; its echo then lowers the flag.
void Walk::unload_counter() {
    copy(off::unload_counter, 4);
    const std::uint8_t control = se_.get(off::unload_control_238);
    if (!(control & 0x08)) return;
    if (u32le(st_, off::unload_counter) == 0) se_.set(off::unload_control_238, static_cast<std::uint8_t>(control & ~0x08));
    fl_.raise(row::unload_control);
}

void Walk::dryer_state() {
    if (!copy(off::mode_flags_179, 1)) return;
    req_ |= switch_test | line_graph | out_of_grain_timer | button_bar;
    store(pv_.meter_roll_refresh, 1);
    set_batch_mode((st_.get(off::mode_flags_179) & 0x02) != 0);
}

// A new shutdown pair is recorded once; the same pair reported again within
// 100 seconds of its record is not recorded again.
void Walk::shutdown() {
    const bool changed = f_[off::shutdown_code] != st_.get(off::shutdown_code) ||
                         f_[off::shutdown_node] != st_.get(off::shutdown_node);
    if (!changed) return;
    st_.set(off::shutdown_code, f_[off::shutdown_code]);
    st_.set(off::shutdown_node, f_[off::shutdown_node]);
    const std::uint8_t warning = st_.get(off::shutdown_code);
    const std::uint8_t node = st_.get(off::shutdown_node);
    if (warning == 0) return;
    if (warning != load(pv_.last_shutdown_warning) || node != load(pv_.last_shutdown_node) ||
        load(pv_.rerecord_countdown) == 0) {
        store(pv_.rerecord_countdown, kRerecordSeconds);
        if (ShutdownSink* sink = s_.shutdown_sink.load(std::memory_order_acquire)) sink->record_shutdown(node, warning);
    }
    store(pv_.last_shutdown_warning, warning);
    store(pv_.last_shutdown_node, node);
}

// Leaving automatic moisture control of mode 3 hands the controller's meter
// roll speeds back under item 160.
void Walk::mc_mode() {
    const std::uint8_t old = st_.get(off::mc_mode_flags);
    const std::uint8_t rx = f_[off::mc_mode_flags];
    if (rx != old) {
        if ((old & 0x07) == 3 && (old & 0x80) && !(rx & 0x80)) fl_.raise(row::meter_roll_speeds_160_back);
        copy(off::mc_mode_flags, 1);
        req_ |= line_graph | meter_roll_screen;
    }
    echo(row::mc_mode);
}

void Walk::status_188() {
    if (!copy(off::status_188, 1)) return;
    const bool dipswitch = (st_.get(off::status_188) & 0x20) && load(pv_.dipswitch_latch) == 0;
    store(pv_.dipswitch_event, dipswitch ? 1 : 0);
    if (dipswitch) req_ |= panel_event;
    req_ |= dryer_state_line;
}

// With bit 0 of options_279 the inlet moisture shows the moisture value of
// 281-282 for a limited number of frames while the discharge runs.
void Walk::inlet_moisture() {
    constexpr std::size_t at = off::moisture_191;
    if (f_[at] == st_.get(at) && f_[at + 1] == st_.get(at + 1)) return;
    const std::uint32_t left = load(pv_.moisture_substitution_countdown);
    if ((st_.get(off::options_279) & 0x01) && left > 0) {
        if ((st_.get(off::status_172) & 0x01) || (st_.get(off::status_171) & 0x40)) {
            store(pv_.moisture_substitution_countdown, left - 1);
        }
        st_.set(at, st_.get(off::moisture_281 + 1));
        st_.set(at + 1, st_.get(off::moisture_281));
    } else {
        copy(at, 2);
    }
    req_ |= moisture_status_bar | moisture_calibration | line_graph;
}

void Walk::system_flags() {
    if (copy(off::system_flags_257, 1)) {
        req_ |= batch_drying | button_bar;
        set_batch_mode(false);
    }
    echo(row::system_flags);
}

void Walk::display_options() {
    if (copy(off::display_options_266, 1)) {
        const std::uint8_t v = st_.get(off::display_options_266);
        store(pv_.si_units, static_cast<std::uint8_t>(v >> 7));
        // The plenum panel shows its temperatures in the units of bit 7.
        req_ |= plenum_view;
        const std::uint8_t graph = static_cast<std::uint8_t>((v >> 6) & 1);
        if (graph != load(pv_.graph_view_bit_seen)) req_ |= right_hand_view_rule;
        store(pv_.graph_view_bit_seen, graph);
    }
    echo(row::display_options);
}

// Byte 279 is acknowledged with bits 4-6 masked; bit 7 of byte 280 is the
// controller cancelling bit 0 of 279, which the panel then sends back.
void Walk::hardware_options() {
    copy(off::options_279, 1);
    lower_when(row::hardware_options, [&] { return st_.get(off::options_279) == (se_.get(off::options_279) & 0x8F); });
    if (copy(off::status_280, 1) && (st_.get(off::status_280) & 0x80)) {
        se_.set(off::options_279, static_cast<std::uint8_t>(se_.get(off::options_279) & ~0x01));
        fl_.raise(row::hardware_options);
    }
}

}  // namespace

int units_for_count_code(std::uint8_t code) {
    constexpr std::array<int, 5> kUnits = {1, 2, 3, 4, 6};
    return code < kUnits.size() ? kUnits[code] : 0;
}

void decode_status_frame(LinkState& state, std::span<const std::uint8_t, kStatusFrameSize> frame) {
    Walk walk(state, frame.data());
    walk.run();
    if (walk.requests() != 0) state.redraw.request(walk.requests());
}

void decoder_second_tick(LinkState& state) {
    // The receive thread reloads the countdown to 100 on a record; the
    // compare-and-swap never writes a stale value over that reload.
    count_down(state.values.rerecord_countdown);
}

}  // namespace dryer::link
