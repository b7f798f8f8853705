// The drying and burner mode rules on the settings image: which bytes each
// button writes, which rows go out at once and which on ACCEPT.
#include <gtest/gtest.h>

#include <vector>

#include "link/fields.h"
#include "link/settings_edit.h"
#include "setup/modes/modes_model.h"
#include "tests/support/raised_rows.h"

namespace dryer::setup {
namespace {

namespace off = link::off;
namespace row = link::row;

using test_support::raised_rows;

struct Reported {
    std::size_t offset;
    std::uint8_t value;
};

void report(link::LinkState& s, const std::vector<Reported>& bytes) {
    for (const Reported& b : bytes) s.status.set(b.offset, b.value);
}

// ---- Drying mode ----

struct DryingModeRow {
    const char* name;
    std::vector<Reported> status;
    std::vector<DryingMode> presses;
    DryingModeView view;  // after the presses
    std::vector<int> at_once;
    std::uint8_t mode_8, scheme_187, flags_257;
    std::vector<int> on_accept;  // rows raised after ACCEPT
};

TEST(DryingMode, buttons_write_mode_scheme_and_flags) {
    const std::vector<DryingModeRow> rows{
        {"no_press_sends_nothing", {{off::drying_mode, 1}, {off::mc_mode_flags, 6}}, {},
         {DryingMode::staged_batch, true}, {}, 1, 6, 0x00, {}},
        {"continuous_flow_clears_dual_and_bit_3",
         {{off::drying_mode, 1}, {off::mc_mode_flags, 0x86}, {off::system_flags_257, 0x5A}},
         {DryingMode::continuous_flow}, {DryingMode::continuous_flow, true},
         {row::mc_mode, row::system_flags}, 0, 1, 0x50, {row::drying_mode, row::mc_mode, row::system_flags}},
        {"staged_batch_scheme_6", {{off::mc_mode_flags, 1}, {off::system_flags_257, 0x0A}},
         {DryingMode::staged_batch}, {DryingMode::staged_batch, true}, {row::mc_mode, row::system_flags}, 1, 6,
         0x02, {row::drying_mode, row::mc_mode, row::system_flags}},
        {"no_staged_batch_on_this_family", {{off::options_225, 0x20}, {off::mc_mode_flags, 1}},
         {DryingMode::staged_batch}, {DryingMode::continuous_flow, false}, {}, 0, 1, 0x00, {}},
        // A family without staged batch that reports staged batch opens in
        // continuous flow with its scheme and single plenum, sent on ACCEPT.
        {"forced_continuous_flow_takes_its_scheme",
         {{off::options_225, 0x2F}, {off::drying_mode, 1}, {off::mc_mode_flags, 6}, {off::system_flags_257, 0x02}},
         {}, {DryingMode::continuous_flow, false}, {}, 0, 1, 0x00,
         {row::drying_mode, row::mc_mode, row::system_flags}},
        {"any_other_mode_shows_as_staged_and_is_kept", {{off::drying_mode, 3}}, {},
         {DryingMode::staged_batch, true}, {}, 3, 0, 0x00, {}},
    };
    for (const DryingModeRow& r : rows) {
        SCOPED_TRACE(r.name);
        link::LinkState s;
        report(s, r.status);
        begin_drying_mode(s);
        for (DryingMode m : r.presses) choose_drying_mode(s, m);
        EXPECT_EQ(drying_mode_view(s), r.view);
        EXPECT_EQ(raised_rows(s), r.at_once);
        EXPECT_EQ(s.settings.get(off::drying_mode), r.mode_8);
        EXPECT_EQ(s.settings.get(off::mc_mode_flags), r.scheme_187);
        EXPECT_EQ(s.settings.get(off::system_flags_257), r.flags_257);
        commit_drying_mode(s);
        EXPECT_EQ(raised_rows(s), r.on_accept);
    }
}

// ---- Continuous flow ----

TEST(ContinuousFlow, scheme_out_of_table_becomes_two_speed_at_once) {
    for (std::uint8_t reported : {0x00, 0x02, 0x06, 0x07, 0x80, 0xFF}) {
        SCOPED_TRACE(static_cast<int>(reported));
        link::LinkState s;
        s.status.set(off::mc_mode_flags, reported);
        begin_continuous_flow(s);
        EXPECT_EQ(s.settings.get(off::mc_mode_flags), 1);
        EXPECT_EQ(raised_rows(s), std::vector<int>{row::mc_mode});
        EXPECT_EQ(continuous_flow_view(s).scheme, Scheme::temperature_two_speed);
    }
    for (std::uint8_t reported : {0x01, 0x03, 0x04, 0x05, 0x83}) {
        link::LinkState s;
        s.status.set(off::mc_mode_flags, reported);
        begin_continuous_flow(s);
        EXPECT_EQ(s.settings.get(off::mc_mode_flags), reported);
        EXPECT_TRUE(raised_rows(s).empty());
    }
}

TEST(ContinuousFlow, toggles_wait_for_accept_and_send_only_what_differs) {
    link::LinkState s;
    report(s, {{off::mc_mode_flags, 1}, {off::mode_224, 0x01}, {off::display_options_266, 0x30},
               {off::cf_277, 150}, {off::cf_277 + 1, 0}});
    begin_continuous_flow(s);
    EXPECT_EQ(continuous_flow_view(s),
              (ContinuousFlowView{Scheme::temperature_two_speed, true, false, false, true, true, "150 F"}));
    toggle_auto_centering(s);
    toggle_upper_sensor(s);
    toggle_safety(s);
    EXPECT_EQ(s.settings.get(off::mode_224), 0x80);
    EXPECT_EQ(s.settings.get(off::display_options_266), 0x00);
    EXPECT_TRUE(raised_rows(s).empty());
    toggle_safety(s);
    set_max_grain_temp(s, 180);
    EXPECT_EQ(accept_continuous_flow(s), (std::vector<int>{row::drying_option, row::max_grain_temp}));
    EXPECT_EQ(s.settings.get(off::cf_277), 180);
    EXPECT_EQ(s.settings.get(off::cf_277 + 1), 0);
}

TEST(ContinuousFlow, field_follows_the_shown_unit) {
    EXPECT_EQ(max_grain_temp_text(150, false), "150 F");
    EXPECT_EQ(max_grain_temp_text(212, true), "100 C");
    EXPECT_EQ(max_grain_temp_text(0xFFFF, false), "65535 F");
}

// ---- Staged batch ----

struct CriterionRow {
    const char* name;
    std::uint8_t flags_257, opt_224, opt_266;  // reported
    std::vector<Criterion> presses;
    std::uint8_t want_257, want_224, want_266, want_187;
    std::vector<int> at_once;
};

TEST(StagedBatch, criteria_write_flags_scheme_and_heat) {
    const std::vector<CriterionRow> rows{
        {"moisture_after_time_and_temperature", 0x02, 0x40, 0x20,
         {Criterion::time, Criterion::temperature, Criterion::moisture}, 0x40, 0x10, 0x38, 0x86,
         {row::mc_mode, row::drying_option}},
        {"time_on_with_safety_sets_266_bit_4", 0x00, 0x10, 0x20, {Criterion::time}, 0x10, 0x10, 0x30, 0x00,
         {row::mc_mode}},
        {"time_on_without_safety_leaves_bit_4", 0x00, 0x10, 0x00, {Criterion::time}, 0x10, 0x10, 0x00, 0x00,
         {row::mc_mode}},
        {"time_off_clears_266_bit_4", 0x10, 0x10, 0x30, {Criterion::time}, 0x00, 0x10, 0x20, 0x00, {row::mc_mode}},
        {"temperature_drops_moisture", 0x40, 0x10, 0x28, {Criterion::temperature}, 0x20, 0x10, 0x20, 0x00,
         {row::mc_mode}},
        {"moisture_without_safety_clears_bit_4", 0x32, 0x20, 0x10, {Criterion::moisture}, 0x40, 0x10, 0x08, 0x86,
         {row::mc_mode, row::drying_option}},
    };
    for (const CriterionRow& r : rows) {
        SCOPED_TRACE(r.name);
        link::LinkState s;
        // The drying mode selection left staged batch's scheme 6 behind.
        report(s, {{off::drying_mode, 1}, {off::mc_mode_flags, 0x06}, {off::system_flags_257, r.flags_257},
                   {off::mode_224, r.opt_224}, {off::display_options_266, r.opt_266}});
        link::begin_edit(s, off::mc_mode_flags, 1);
        begin_staged_batch(s);
        for (Criterion c : r.presses) choose_criterion(s, c);
        EXPECT_EQ(s.settings.get(off::system_flags_257), r.want_257);
        EXPECT_EQ(s.settings.get(off::mode_224), r.want_224);
        EXPECT_EQ(s.settings.get(off::display_options_266), r.want_266);
        EXPECT_EQ(s.settings.get(off::mc_mode_flags), r.want_187);
        EXPECT_EQ(raised_rows(s), r.at_once);  // 187 (and 224) at once, the rest on ACCEPT
    }
}

TEST(StagedBatch, views_enable_the_groups_of_the_criteria) {
    link::LinkState s;
    report(s, {{off::system_flags_257, 0x40}, {off::mode_224, 0x30}, {off::display_options_266, 0x20},
               {off::staged_274, 255}, {off::staged_274 + 1, 0}, {off::cf_277, 150}});
    begin_staged_batch(s);
    StagedBatchView v = staged_batch_view(s);
    EXPECT_TRUE(v.moisture_group);
    EXPECT_FALSE(v.temperature_group);
    EXPECT_FALSE(v.max_time_enabled);
    EXPECT_FALSE(v.heat_split.has_value());  // two split bits: none shown
    EXPECT_EQ(v.max_time, "255:00");
    EXPECT_EQ(v.max_grain_temp, "150 F");
    choose_heat_split(s, HeatSplit::half);
    EXPECT_EQ(s.settings.get(off::mode_224), 0x40);
    EXPECT_EQ(raised_rows(s), std::vector<int>{row::drying_option});
    choose_criterion(s, Criterion::temperature);
    v = staged_batch_view(s);
    EXPECT_TRUE(v.temperature_group);
    EXPECT_FALSE(v.moisture_group);
    EXPECT_TRUE(v.max_time_enabled);
}

TEST(StagedBatch, dual_plenum_only_with_one_fan_heater) {
    for (std::uint8_t count : {0, 1, 4, 0xFF}) {
        SCOPED_TRACE(static_cast<int>(count));
        link::LinkState s;
        s.status.set(off::fan_heater_count, count);
        s.status.set(off::system_flags_257, 0x02);
        begin_staged_batch(s);
        EXPECT_EQ(choose_plenum(s, true), count == 0);
        EXPECT_EQ(staged_batch_view(s).dual, count == 0);
        EXPECT_TRUE(choose_plenum(s, false));
        EXPECT_FALSE(staged_batch_view(s).dual);
    }
}

TEST(StagedBatch, accept_needs_a_criterion_and_sends_max_time_only_when_changed) {
    link::LinkState s;
    report(s, {{off::system_flags_257, 0x00}, {off::staged_274, 255}, {off::staged_274 + 1, 0}});
    begin_staged_batch(s);
    set_max_time(s, {90, 30});
    EXPECT_FALSE(accept_staged_batch(s).has_value());
    EXPECT_TRUE(raised_rows(s).empty());
    choose_criterion(s, Criterion::temperature);
    EXPECT_EQ(accept_staged_batch(s), (std::vector<int>{row::system_flags, row::staged_max_time}));

    link::LinkState same;
    report(same, {{off::system_flags_257, 0x10}, {off::staged_274, 255}});
    begin_staged_batch(same);
    set_max_time(same, {255, 0});
    EXPECT_EQ(accept_staged_batch(same), std::vector<int>{});
}

// ---- Burner modes ----

TEST(BurnerModes, select_cycles_and_accept_sends_what_differs) {
    link::LinkState s;
    // Fan/Heater #1 at 106 reports AUTO with a high bit the panel keeps; #2
    // at 105 reports 2, no mode the panel offers.
    s.status.set(burner_mode_offset_of(1), 0x83);
    s.status.set(burner_mode_offset_of(2), 0x02);
    EXPECT_EQ(burner_mode_offset_of(1), 106u);
    EXPECT_EQ(burner_mode_offset_of(6), 101u);
    BurnerModes m(s);
    EXPECT_EQ(m.choice(1), BurnerChoice::automatic);
    EXPECT_EQ(m.choice(2), BurnerChoice::unknown);
    EXPECT_EQ(m.choice(0), BurnerChoice::unknown);
    EXPECT_TRUE(m.accept(s).empty());  // nothing changed, the unknown byte kept

    for (int i = 0; i < 3; ++i) m.select(3);
    EXPECT_EQ(m.choice(3), BurnerChoice::hi_lo);  // round the cycle
    m.select(1);
    EXPECT_EQ(m.choice(1), BurnerChoice::hi_lo);
    m.select(2);
    EXPECT_EQ(m.choice(2), BurnerChoice::hi_lo);
    m.select(7);
    EXPECT_EQ(m.accept(s), (std::vector<int>{link::burner_mode_row(link::plenum_unit(1)),
                                             link::burner_mode_row(link::plenum_unit(2))}));
    EXPECT_EQ(s.settings.get(106), 0x80);
    EXPECT_EQ(s.settings.get(105), 0x00);

    BurnerModes all(s);
    all.set_all(BurnerChoice::on_off);
    all.set_all(BurnerChoice::unknown);
    all.accept(s);
    for (int f = 1; f <= 6; ++f) EXPECT_EQ(s.settings.get(burner_mode_offset_of(f)) & 0x03, 1) << f;
    EXPECT_EQ(raised_rows(s).size(), 6u);
}

}  // namespace
}  // namespace dryer::setup
