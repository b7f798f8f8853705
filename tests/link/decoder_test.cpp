#include <gtest/gtest.h>

#include <functional>
#include <set>

#include "link/decoder.h"
#include "link/link_cycle.h"
#include "link/reply_builder.h"
#include "link_test_support.h"

using namespace dryer::link;
using namespace dryer::link::test;

namespace {

class Decoder : public ::testing::Test {
protected:
    LinkState s;
    RecordingSink sink;
    void SetUp() override { s.shutdown_sink.store(&sink); }

    // Decodes a frame equal to the image with changes applied.
    void decode(const std::function<void(Frame&)>& change = {}) {
        Frame f = Frame::of(s);
        if (change) change(f);
        decode_status_frame(s, f.seal());
    }
    std::uint64_t redraws() { return s.redraw.take(); }
};

const std::set<std::size_t> kNotUsed = [] {
    std::set<std::size_t> t;
    for (auto [a, b] : {std::pair{0, 2}, {33, 38}, {48, 48}, {53, 57}, {107, 112}, {119, 124}, {170, 170},
                        {204, 205}, {210, 215}, {231, 231}, {256, 256}, {276, 276}, {286, 286}}) {
        for (int k = a; k <= b; ++k) t.insert(static_cast<std::size_t>(k));
    }
    return t;
}();

}  // namespace

TEST_F(Decoder, start_image_is_zero_but_171) {
    for (std::size_t k = 0; k < kImageSize; ++k) EXPECT_EQ(s.status.get(k), k == off::status_171 ? 0xA0 : 0) << k;
}

TEST_F(Decoder, identical_frame_changes_nothing) {
    decode();
    EXPECT_EQ(redraws(), 0u);
    EXPECT_EQ(s.status.get(off::status_171), 0xA0);
}

TEST_F(Decoder, every_used_byte_is_copied_and_unused_bytes_stay) {
    decode([](Frame& f) {
        for (std::size_t k = 0; k < kPayloadSize; ++k) f.bytes[k] = 0x21;
    });
    for (std::size_t k = 0; k < kPayloadSize; ++k) {
        // 159's low bits and 160-162 live in the settings; 191-192 copy
        // because substitution is off (bit 0 of the stored 279 was clear).
        const bool stays = kNotUsed.count(k) || (k >= 160 && k <= 162) || k == 159;
        EXPECT_EQ(s.status.get(k), stays ? 0 : 0x21) << "offset " << k;
    }
    EXPECT_NE(redraws(), 0u);
}

// One row per clear rule: settings and a received frame, and whether the
// flag is lowered after one frame.
struct ClearCase {
    const char* name;
    int row;
    std::function<void(LinkState&)> prepare;
    std::function<void(Frame&)> frame;
    bool lowered;
};

class ClearRule : public ::testing::TestWithParam<ClearCase> {};

TEST_P(ClearRule, lowers_the_flag_only_on_its_echo) {
    const ClearCase& c = GetParam();
    LinkState s;
    if (c.prepare) c.prepare(s);
    s.flags.raise(c.row);
    Frame f = Frame::of(s);
    c.frame(f);
    decode_status_frame(s, f.seal());
    EXPECT_EQ(!s.flags.raised(c.row), c.lowered);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ClearRule,
    ::testing::Values(
        ClearCase{"echo", row::module_count, [](LinkState& s) { s.settings.set(4, 2); },
                  [](Frame& f) { f.set(4, 2); }, true},
        ClearCase{"echo_other_value", row::module_count, [](LinkState& s) { s.settings.set(4, 2); },
                  [](Frame& f) { f.set(4, 1); }, false},
        ClearCase{"echo_both_bytes", row::moisture_setpoint, [](LinkState& s) { s.settings.set_u16be(199, 0x0123); },
                  [](Frame& f) { f.set2(199, 0x01, 0x24); }, false},
        // The setpoint echo compares with the previous frame's image.
        ClearCase{"setpoint_first_report", row::plenum1_setpoint, [](LinkState& s) { s.settings.set_u16le(69, 180); },
                  [](Frame& f) { f.set2(69, 180, 0); }, false},
        ClearCase{"setpoint_second_report", row::plenum1_setpoint,
                  [](LinkState& s) {
                      s.settings.set_u16le(69, 180);
                      s.status.set_u16le(69, 180);
                  },
                  [](Frame& f) { f.set2(69, 180, 0); }, true},
        ClearCase{"setpoint_taken_back", row::grain_low_setpoint,
                  [](LinkState& s) {
                      s.settings.set_u16le(153, 90);
                      s.status.set_u16le(153, 90);
                  },
                  [](Frame& f) { f.set2(153, 91, 0); }, true},
        ClearCase{"against_stage_time", row::batch_cool_remaining, [](LinkState& s) { s.settings.set(16, 30); },
                  [](Frame& f) { f.set2(14, 30, 0); }, true},
        ClearCase{"against_own_bytes_no", row::batch_cool_remaining,
                  [](LinkState& s) {
                      s.settings.set(16, 30);
                      s.settings.set(14, 12);
                  },
                  [](Frame& f) { f.set2(14, 12, 0); }, false},
        ClearCase{"masked_echo", row::hardware_options, [](LinkState& s) { s.settings.set(279, 0xF1); },
                  [](Frame& f) { f.set(279, 0x81); }, true},
        ClearCase{"masked_echo_differs", row::hardware_options, [](LinkState& s) { s.settings.set(279, 0xF1); },
                  [](Frame& f) { f.set(279, 0xF1); }, false},
        ClearCase{"received_161", row::meter_roll_value_back, [](LinkState& s) { s.settings.set(161, 40); },
                  [](Frame& f) { f.set(161, 40); }, true},
        ClearCase{"received_160_vs_status_156",
                  row::meter_roll_speeds_160_back,
                  [](LinkState& s) {
                      s.status.set(156, 1);
                      s.status.set(157, 2);
                      s.status.set(158, 3);
                  },
                  [](Frame& f) { f.set(160, 1).set(161, 2).set(162, 3); }, true},
        ClearCase{"by_screen_never", row::meter_roll_control, [](LinkState& s) { s.settings.set(159, 5); },
                  [](Frame& f) { f.set(159, 5); }, false},
        ClearCase{"meter_roll_block_adopted", row::meter_roll_block, [](LinkState& s) { s.settings.set(159, 4); },
                  [](Frame& f) { f.set(159, 4); }, true},
        ClearCase{"meter_roll_local_mode", row::meter_roll_speeds_back,
                  [](LinkState& s) {
                      store(s.values.meter_roll_local_mode, std::uint8_t{1});
                      for (std::size_t k = 159; k <= 162; ++k) s.settings.set(k, static_cast<std::uint8_t>(k));
                  },
                  [](Frame& f) {
                      for (std::size_t k = 159; k <= 162; ++k) f.set(k, static_cast<std::uint8_t>(k));
                  },
                  true}),
    [](const auto& row_info) { return std::string(row_info.param.name); });

TEST_F(Decoder, held_batch_timer_freezes_until_stage_time_reported) {
    decode([](Frame& f) { f.set2(9, 5, 30); });
    s.settings.set(11, 20);  // stage reset: heat time 20:00
    s.settings.set(9, 20);
    s.flags.raise(row::batch_heat_remaining);
    decode([](Frame& f) { f.set2(9, 5, 20).set(11, 20); });
    EXPECT_EQ(min_sec(s.status, 9), 5 * 60 + 30u) << "held while the reset is pending";
    EXPECT_TRUE(s.flags.raised(row::batch_heat_remaining));
    decode([](Frame& f) { f.set2(9, 20, 0); });
    EXPECT_FALSE(s.flags.raised(row::batch_heat_remaining));
    EXPECT_EQ(min_sec(s.status, 9), 5 * 60 + 30u) << "the acknowledging frame is not copied";
    redraws();
    decode([](Frame& f) { f.set2(9, 19, 59); });
    EXPECT_EQ(min_sec(s.status, 9), 19 * 60 + 59u);
    EXPECT_TRUE(redraws() & redraw::batch_drying);
}

struct LoadCase {
    const char* name;
    std::uint8_t mode_flags;
    std::uint8_t setting_min;        // out-of-grain setting, minutes
    std::vector<std::uint8_t> timer; // out-of-grain timer minutes seen during the load
    std::uint32_t expected;
};

class PreviousLoad : public ::testing::TestWithParam<LoadCase> {};

TEST_P(PreviousLoad, measures_from_the_load_edges) {
    const LoadCase& c = GetParam();
    LinkState s;
    store(s.values.previous_load_time, 777u);
    const auto frame = [&s](const std::function<void(Frame&)>& ch) {
        Frame f = Frame::of(s);
        ch(f);
        decode_status_frame(s, f.seal());
    };
    frame([&](Frame& f) { f.set(179, c.mode_flags).set2(26, c.setting_min, 0).set2(24, c.setting_min, 0); });
    frame([&](Frame& f) { f.set(58, 0x80); });  // load starts
    for (std::uint8_t m : c.timer) frame([&](Frame& f) { f.set2(24, m, 0); });
    frame([&](Frame& f) { f.set(58, 0x00); });  // load ends
    EXPECT_EQ(load(s.values.previous_load_time), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Loads, PreviousLoad,
    ::testing::Values(LoadCase{"timer_ran_five_minutes", 0x10, 20, {19, 17, 15}, 300},
                      LoadCase{"timer_did_not_move", 0x10, 20, {}, 0},
                      LoadCase{"timer_went_back_up", 0x10, 20, {10, 20}, 600},
                      LoadCase{"disabled_by_mode_flags", 0x00, 20, {15}, 777},
                      LoadCase{"longest_setting", 0x10, 255, {0}, 255 * 60}),
    [](const auto& row_info) { return std::string(row_info.param.name); });

TEST_F(Decoder, previous_load_time_clamps_a_negative_result_to_zero) {
    decode([](Frame& f) { f.set(179, 0x10).set2(26, 10, 0); });
    decode([](Frame& f) { f.set(58, 0x80); });
    // The setting is lowered during the load: setting - start is negative.
    decode([](Frame& f) { f.set2(26, 1, 0); });
    decode([](Frame& f) { f.set(58, 0x04); });
    EXPECT_EQ(load(s.values.previous_load_time), 0u);
    EXPECT_EQ(s.status.get(58), 0x04) << "byte 58 is copied whatever its bit 7 did";
}

TEST_F(Decoder, unload_counter_clear_sequence) {
    decode([](Frame& f) { f.set(164, 0x10).set(165, 0x0E); });
    s.settings.set(238, 0x0A);
    s.flags.raise(row::unload_control);
    TransmitBuffer tx{};
    // The controller has not taken the request yet: it keeps going out with bit 3.
    decode();
    EXPECT_EQ(s.settings.get(238), 0x0A);
    EXPECT_TRUE(s.flags.raised(row::unload_control));
    ASSERT_TRUE(build_reply(s, tx));
    EXPECT_EQ(tx[5], 0x0A);
    decode([](Frame& f) { f.set(238, 0x0A); });  // taken, counter not yet cleared
    // Counter reads 0: bit 3 is cleared and the byte goes out once more.
    decode([](Frame& f) { f.set(164, 0).set(165, 0).set(238, 0x0A); });
    EXPECT_EQ(s.settings.get(238), 0x02);
    EXPECT_TRUE(s.flags.raised(row::unload_control));
    ASSERT_TRUE(build_reply(s, tx));
    EXPECT_EQ(tx[5], 0x02);
    decode([](Frame& f) { f.set(238, 0x02); });
    EXPECT_FALSE(s.flags.raised(row::unload_control));
}

TEST_F(Decoder, shutdown_recorded_once_within_100_seconds) {
    const auto report = [this](std::uint8_t node, std::uint8_t warning) {
        decode([&](Frame& f) { f.set(185, warning).set(186, node); });
    };
    report(14, 5);
    report(0, 0);
    for (int i = 0; i < 99; ++i) link_second_tick_on(s);
    report(14, 5);
    EXPECT_EQ(sink.records.size(), 1u);
    report(0, 0);
    link_second_tick_on(s);
    report(14, 5);  // 100 seconds after the record
    ASSERT_EQ(sink.records.size(), 2u);
    EXPECT_EQ(sink.records[1], std::make_pair(14, 5));
    report(15, 5);  // another pair is recorded at once
    EXPECT_EQ(sink.records.size(), 3u);
    EXPECT_EQ(redraws() & redraw::warning_window, 0u);
}

TEST_F(Decoder, shutdown_without_sink_is_only_remembered) {
    s.shutdown_sink.store(nullptr);
    decode([](Frame& f) { f.set(185, 3).set(186, 2); });
    EXPECT_EQ(load(s.values.last_shutdown_node), 2);
    EXPECT_EQ(load(s.values.rerecord_countdown), 100u);
}

TEST_F(Decoder, inlet_moisture_substitution_counts_down_while_discharging) {
    store(s.values.moisture_substitution_countdown, 2u);
    decode([](Frame& f) { f.set(279, 0x01).set2(281, 0x2C, 0x01); });  // 300 = 30.0 %
    decode([](Frame& f) { f.set2(191, 0x00, 0xC8); });  // discharge stopped: no count
    EXPECT_EQ(u16be(s.status, 191), 300);
    EXPECT_EQ(load(s.values.moisture_substitution_countdown), 2u);
    decode([](Frame& f) { f.set(172, 0x01).set2(191, 0x00, 0xC9); });
    decode([](Frame& f) { f.set2(191, 0x00, 0xCA); });
    EXPECT_EQ(u16be(s.status, 191), 300);
    EXPECT_EQ(load(s.values.moisture_substitution_countdown), 0u);
    decode([](Frame& f) { f.set2(191, 0x00, 0xCB); });
    EXPECT_EQ(u16be(s.status, 191), 0xCB) << "countdown spent: the reading shows";
    EXPECT_TRUE(redraws() & redraw::moisture_status_bar);
}

TEST_F(Decoder, bit_7_of_280_cancels_bit_0_of_279) {
    s.settings.set(279, 0x71);
    s.flags.raise(row::hardware_options);
    decode([](Frame& f) { f.set(279, 0x01).set(280, 0x80); });
    EXPECT_EQ(s.settings.get(279), 0x70);
    EXPECT_TRUE(s.flags.raised(row::hardware_options)) << "raised again after the masked echo";
    decode([](Frame& f) { f.set(279, 0x00); });
    EXPECT_FALSE(s.flags.raised(row::hardware_options));
}

TEST_F(Decoder, meter_roll_values_adopted_when_local_mode_off) {
    s.values.meter_roll_screen_open.store(0);
    decode([](Frame& f) { f.set(159, 0x85).set(160, 7).set(161, 8).set(162, 9); });
    EXPECT_EQ(s.status.get(159), 0x85);
    EXPECT_EQ(s.settings.get(159), 0x05);
    EXPECT_EQ(s.settings.get(160), 7);
    EXPECT_EQ(s.settings.get(162), 9);
    EXPECT_EQ(s.status.get(160), 0) << "status 160-162 never written";
    EXPECT_EQ(load(s.values.meter_roll_event), 1);
    // While the panel's own block is pending, 160-162 are not adopted.
    s.settings.set(160, 50);
    s.flags.raise(row::meter_roll_block);
    decode([](Frame& f) { f.set(160, 8); });
    EXPECT_EQ(s.settings.get(160), 50);
    EXPECT_TRUE(s.flags.raised(row::meter_roll_block));
}

TEST_F(Decoder, meter_roll_local_mode_leaves_settings_alone) {
    store(s.values.meter_roll_local_mode, std::uint8_t{1});
    s.flags.raise(row::meter_roll_block);
    decode([](Frame& f) { f.set(159, 0x85).set(160, 7); });
    EXPECT_EQ(s.status.get(159), 0);
    EXPECT_EQ(s.settings.get(159), 0);
    EXPECT_EQ(s.settings.get(160), 0);
    EXPECT_EQ(load(s.values.meter_roll_event), 0);
    EXPECT_TRUE(s.flags.raised(row::meter_roll_block));
}

TEST_F(Decoder, leaving_automatic_mode_3_hands_speeds_back) {
    decode([](Frame& f) { f.set(187, 0x83); });
    EXPECT_FALSE(s.flags.raised(row::meter_roll_speeds_160_back));
    decode([](Frame& f) { f.set(187, 0x03); });
    EXPECT_TRUE(s.flags.raised(row::meter_roll_speeds_160_back));
}

TEST_F(Decoder, drying_mode_view_and_batch_button_rules) {
    store(s.values.view_switching_enabled, std::uint8_t{0});
    decode([](Frame& f) { f.set(257, 0x10); });
    redraws();
    decode([](Frame& f) { f.set(8, 1); });
    std::uint64_t bits = redraws();
    EXPECT_TRUE(bits & redraw::batch_button_rule);
    EXPECT_FALSE(bits & redraw::right_hand_view_rule);
    EXPECT_EQ(load(s.values.batch_mode), 1);
    store(s.values.view_switching_enabled, std::uint8_t{1});
    decode([](Frame& f) { f.set(8, 0); });
    EXPECT_TRUE(redraws() & redraw::right_hand_view_rule);
    EXPECT_EQ(load(s.values.batch_mode), 0);
}

TEST_F(Decoder, batch_mode_from_dryer_state_and_option_flags) {
    decode([](Frame& f) { f.set(8, 1); });
    EXPECT_EQ(load(s.values.batch_mode), 0);
    decode([](Frame& f) { f.set(179, 0x02); });  // rule 11 counts bit 1
    EXPECT_EQ(load(s.values.batch_mode), 1);
    EXPECT_EQ(load(s.values.meter_roll_refresh), 1);
    decode([](Frame& f) { f.set(257, 0x20); });  // rule 14 does not
    EXPECT_EQ(load(s.values.batch_mode), 0);
    decode([](Frame& f) { f.set(257, 0x90); });  // bits 4-6 = 0x10
    EXPECT_EQ(load(s.values.batch_mode), 1);
}

TEST_F(Decoder, display_options_set_units_and_switch_view_on_graph_bit) {
    decode([](Frame& f) { f.set(266, 0x80); });
    EXPECT_EQ(load(s.values.si_units), 1);
    EXPECT_FALSE(redraws() & redraw::right_hand_view_rule);
    decode([](Frame& f) { f.set(266, 0xC0); });
    EXPECT_TRUE(redraws() & redraw::right_hand_view_rule);
    decode([](Frame& f) { f.set(266, 0x40); });
    EXPECT_EQ(load(s.values.si_units), 0);
    EXPECT_FALSE(redraws() & redraw::right_hand_view_rule);
}

TEST_F(Decoder, dipswitch_event_respects_latch) {
    decode([](Frame& f) { f.set(188, 0x20); });
    EXPECT_EQ(load(s.values.dipswitch_event), 1);
    store(s.values.dipswitch_latch, std::uint8_t{1});
    decode([](Frame& f) { f.set(188, 0x21); });
    EXPECT_EQ(load(s.values.dipswitch_event), 0);
}

// Frame in -> redraw bits. Each row starts from a fresh image with the given
// fan/heater count code, changes one field and checks the bits that must be
// requested (`must`) and one that must not (`must_not`, 0 for none).
struct RedrawRow {
    const char* name;
    std::uint8_t count_code;
    std::size_t at;
    std::uint8_t value;
    std::uint64_t must;
    std::uint64_t must_not;
};

class DecoderRedraw : public ::testing::TestWithParam<RedrawRow> {};

TEST_P(DecoderRedraw, field_change_requests_its_windows) {
    const RedrawRow& r = GetParam();
    LinkState s;
    Frame base = Frame::of(s);
    base.set(off::fan_heater_count, r.count_code);
    decode_status_frame(s, base.seal());
    s.redraw.take();
    Frame f = Frame::of(s);
    f.set(r.at, r.value);
    decode_status_frame(s, f.seal());
    const std::uint64_t bits = s.redraw.take();
    EXPECT_EQ(bits & r.must, r.must) << r.name;
    EXPECT_EQ(bits & r.must_not, 0u) << r.name;
}

using namespace redraw;
INSTANTIATE_TEST_SUITE_P(
    Table, DecoderRedraw,
    ::testing::Values(
        // The plenum panel shows units 7-n..6: a change of any unit redraws it.
        RedrawRow{"unit6_temperature_two_units", 1, heater_temperature_offset(6), 99, plenum_view, 0},
        RedrawRow{"unit5_temperature_two_units", 1, heater_temperature_offset(5), 99, plenum_view, 0},
        RedrawRow{"unit5_setpoint_two_units", 1, heater_setpoint_offset(5), 180, plenum_view | temp_select, 0},
        RedrawRow{"unit1_setpoint_six_units", 4, heater_setpoint_offset(1), 180, plenum_view | temp_select, 0},
        RedrawRow{"unit6_temperature_unknown_count", 0xFF, heater_temperature_offset(6), 99, plenum_view, 0},
        RedrawRow{"fan_heater_count", 0, off::fan_heater_count, 4, plenum_view, 0},
        RedrawRow{"one_box_form_bit", 2, off::options_225, 0x20, plenum_view, 0},
        RedrawRow{"system_flags_257", 0, off::system_flags_257, 0x02, plenum_view, 0},
        RedrawRow{"temp_setpoint_260", 0, off::temp_setpoint_260, 150, plenum_view | temp_select, 0},
        RedrawRow{"drying_mode", 0, off::drying_mode, 1, plenum_view, 0},
        RedrawRow{"state_byte_c", 0, off::heater_status_143 + 5, 0x40, plenum_view, 0},
        RedrawRow{"si_units_bit", 0, off::display_options_266, 0x80, plenum_view, 0},
        // The readings panel.
        RedrawRow{"value_89", 0, off::value_89, 120, line_graph | dryer_picture, 0},
        RedrawRow{"value_91", 0, off::value_91 + 1, 1, line_graph, 0},
        RedrawRow{"value_93", 0, off::value_93, 120, line_graph, 0},
        RedrawRow{"grain_setpoint_149", 0, off::target_149, 105, line_graph | temp_select, 0},
        RedrawRow{"status_184", 0, off::status_184, 1, line_graph, 0},
        RedrawRow{"moisture_189", 0, off::moisture_189 + 1, 150, line_graph | moisture_status_bar, 0},
        RedrawRow{"moisture_191", 0, off::moisture_191 + 1, 200, line_graph | moisture_status_bar, 0},
        RedrawRow{"grain_temp_193", 0, off::grain_temp_193, 3, line_graph, 0},
        RedrawRow{"value_195", 0, off::value_195 + 1, 3, line_graph, 0},
        RedrawRow{"moisture_setpoint_199", 0, off::moisture_setpoint + 1, 155, line_graph, 0},
        RedrawRow{"mc_mode_187", 0, off::mc_mode_flags, 0x81, line_graph, 0},
        RedrawRow{"mode_flags_179", 0, off::mode_flags_179, 0x02, line_graph, 0},
        // Fields neither panel shows.
        RedrawRow{"value_197", 0, off::value_197, 7, moisture_status_bar, line_graph | plenum_view},
        RedrawRow{"timer_31", 0, off::timer_31_setpoint, 2, timer_select, line_graph | plenum_view}),
    [](const ::testing::TestParamInfo<RedrawRow>& i) { return std::string(i.param.name); });

TEST_F(Decoder, substituted_inlet_moisture_redraws_the_readings_panel) {
    decode([](Frame& f) { f.set(off::options_279, 0x01).set2(off::moisture_281, 0x2C, 0x01); });
    redraws();
    decode([](Frame& f) { f.set2(off::moisture_191, 0, 90); });
    EXPECT_EQ(u16be(s.status, off::moisture_191), 300);
    EXPECT_NE(redraws() & redraw::line_graph, 0u);
}
