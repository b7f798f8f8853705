// The dryer hardware setup and the moisture sensor selection without Qt: the
// SELECT rules, the dryer family's form, the options and what ACCEPT sends.
#include <gtest/gtest.h>

#include <algorithm>

#include "link/fields.h"
#include "setup/hardware/hardware_model.h"
#include "setup/hardware/sensor_selection_model.h"

namespace dryer::setup {
namespace {

namespace off = link::off;
namespace row = link::row;
using G = HardwareGroup;

std::string no_text(unsigned) { return {}; }

std::vector<int> raised_rows(const link::LinkState& s) {
    std::vector<int> r;
    for (int i = 1; i <= static_cast<int>(link::kReplyRowCount); ++i)
        if (s.flags.raised(i)) r.push_back(i);
    return r;
}

struct SelectCase {
    const char* name;
    std::uint8_t options_225;
    std::uint8_t fans, modules;       // reported
    std::vector<G> presses;
    std::uint8_t want_fans, want_modules;
};

TEST(DryerHardware, select_moves_the_counts_by_the_rules) {
    const std::vector<SelectCase> cases{
        {"one_module_cycles_one_two_three", 0x00, 0, 0, {G::fan_heaters, G::fan_heaters, G::fan_heaters}, 0, 0},
        {"one_module_from_six_goes_to_one", 0x00, 4, 0, {G::fan_heaters}, 0, 0},
        {"two_modules_alternate_three_and_four", 0x00, 2, 1, {G::fan_heaters}, 3, 1},
        {"two_modules_four_back_to_three", 0x00, 3, 1, {G::fan_heaters}, 2, 1},
        {"three_modules_four_to_six", 0x00, 3, 2, {G::fan_heaters}, 4, 2},
        {"three_modules_six_to_four", 0x00, 4, 2, {G::fan_heaters}, 3, 2},
        {"family_toggles_one_and_three", 0x28, 0, 0, {G::fan_heaters}, 2, 0},
        {"family_from_three_to_one", 0x28, 2, 0, {G::fan_heaters}, 0, 0},
        {"family_bit_outside_the_family_range_limits_too", 0xA0, 1, 0, {G::fan_heaters}, 0, 0},
        {"unknown_module_count_cycles_all_counts", 0x00, 3, 9, {G::fan_heaters}, 4, 9},
        {"unknown_fan_count_restarts", 0x00, 200, 0, {G::fan_heaters}, 0, 0},
        {"three_modules_force_four_from_one", 0x00, 0, 1, {G::modules}, 3, 2},
        {"three_modules_keep_six", 0x00, 4, 1, {G::modules}, 4, 2},
        {"two_modules_force_three_from_one", 0x00, 0, 0, {G::modules}, 2, 1},
        {"two_modules_keep_four", 0x00, 3, 0, {G::modules}, 3, 1},
        {"one_module_caps_at_three", 0x00, 4, 2, {G::modules}, 2, 0},
        {"one_module_keeps_two", 0x00, 1, 2, {G::modules}, 1, 0},
        {"unknown_module_count_restarts_at_one", 0x00, 4, 7, {G::modules}, 2, 0},
        {"family_modules_leave_the_fans", 0xA0, 0, 1, {G::modules}, 0, 2},
    };
    for (const SelectCase& c : cases) {
        SCOPED_TRACE(c.name);
        link::LinkState s;
        s.status.set(off::options_225, c.options_225);
        s.status.set(off::fan_heater_count, c.fans);
        s.status.set(off::module_count, c.modules);
        DryerHardware hw(s);
        for (G g : c.presses) hw.select(g);
        EXPECT_EQ(hw.value(G::fan_heaters), c.want_fans);
        EXPECT_EQ(hw.value(G::modules), c.want_modules);
    }
}

TEST(DryerHardware, fuel_load_and_length_cycle_and_wrap) {
    struct Case {
        G group;
        std::uint8_t from, to;
    };
    for (const Case& c : std::vector<Case>{{G::fuel, 3, 0}, {G::fuel, 1, 2}, {G::load_system, 2, 0},
                                           {G::length, 14, 0}, {G::length, 7, 8}, {G::length, 0xFF, 0}}) {
        link::LinkState s;
        const std::size_t at = c.group == G::fuel ? off::fuel_type
                               : c.group == G::load_system ? off::load_system
                                                           : off::dryer_length_index;
        s.status.set(at, c.from);
        DryerHardware hw(s);
        hw.select(c.group);
        EXPECT_EQ(s.settings.get(at), c.to) << static_cast<int>(c.group) << " from " << int(c.from);
    }
}

TEST(DryerHardware, the_family_decides_groups_labels_and_the_inverter) {
    struct Case {
        const char* name;
        std::uint8_t options_225, modules;
        bool model_names, inverter;
    };
    const std::vector<Case> cases{
        {"plain_dryer_two_modules", 0x00, 1, false, true},
        {"plain_dryer_one_module_has_no_inverter", 0x00, 0, false, false},
        {"length_group_family", 0x85, 2, false, true},
        {"model_family", 0x2F, 2, true, false},
        {"family_bit_alone", 0xA0, 2, false, false},
        {"other_high_value", 0x40, 2, false, true},
    };
    const TextFn text = [](unsigned n) { return n == 147 ? std::string("SONDERMODELL") : std::string(); };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        link::LinkState s;
        s.status.set(off::options_225, c.options_225);
        s.status.set(off::module_count, c.modules);
        s.status.set(off::dryer_length_index, 12);
        const HardwareView v = DryerHardware(s).view(text);
        const auto& length = v.groups[static_cast<std::size_t>(G::length)];
        ASSERT_EQ(length.choices.size(), 15u);
        EXPECT_EQ(length.checked, 12);
        EXPECT_EQ(length.caption, c.model_names ? "Dryer Model" : "Dryer Length (ft)");
        EXPECT_EQ(length.choices[11], c.model_names ? "SONDERMODELL" : "34");
        EXPECT_EQ(length.choices[14], c.model_names ? "SONDERMODELL" : "40");
        for (G g : {G::modules, G::fuel, G::load_system})
            EXPECT_EQ(v.groups[static_cast<std::size_t>(g)].shown, !c.model_names);
        EXPECT_TRUE(v.groups[static_cast<std::size_t>(G::fan_heaters)].shown);
        EXPECT_EQ(v.inverter_shown, c.inverter);
    }
}

TEST(DryerHardware, out_of_range_values_check_no_choice) {
    link::LinkState s;
    for (std::size_t at = off::fan_heater_count; at <= off::dryer_length_index; ++at) s.status.set(at, 0xEE);
    const HardwareView v = DryerHardware(s).view(no_text);
    for (const HardwareGroupView& g : v.groups) EXPECT_EQ(g.checked, -1) << g.caption;
}

struct AcceptCase {
    const char* name;
    std::uint8_t fans, system_flags;
    std::vector<G> presses;
    bool toggle_inverter;
    int sampler;  // -1 untouched, 0 cleared, 1 set
    std::vector<int> sent;
    std::uint8_t sent_257;
};

TEST(DryerHardware, accept_sends_what_differs_and_clears_dual_plenum_off_single_units) {
    const std::vector<AcceptCase> cases{
        {"nothing_changed_nothing_sent", 0, 0x02, {}, false, -1, {}, 0},
        {"six_units_clear_dual_plenum", 4, 0x12, {}, false, -1, {row::system_flags}, 0x10},
        {"no_dual_plenum_nothing_to_clear", 4, 0x10, {}, false, -1, {}, 0},
        {"going_to_two_units_clears_it", 0, 0x02, {G::fan_heaters}, false, -1,
         {row::fan_heater_count, row::system_flags}, 0x00},
        {"fuel_and_length_wrapped_past_their_report", 0, 0, {G::fuel, G::length, G::length}, false, -1,
         {row::fuel_type, row::dryer_length}, 0},
        {"inverter_and_sampler", 0, 0, {}, true, 1, {row::hardware_options, row::hardware_options_2}, 0},
        {"sampler_cleared_when_already_clear_sends_nothing", 0, 0, {}, false, 0, {}, 0},
    };
    for (const AcceptCase& c : cases) {
        SCOPED_TRACE(c.name);
        link::LinkState s;
        s.status.set(off::fan_heater_count, c.fans);
        s.status.set(off::system_flags_257, c.system_flags);
        s.status.set(off::dryer_length_index, 13);
        DryerHardware hw(s);
        for (G g : c.presses) hw.select(g);
        if (c.toggle_inverter) hw.toggle_inverter();
        if (c.sampler >= 0) hw.set_sampler(c.sampler == 1);
        std::vector<int> want = c.sent;
        std::sort(want.begin(), want.end());
        EXPECT_EQ(raised_rows(s), std::vector<int>{});
        std::vector<int> sent = hw.accept();
        std::sort(sent.begin(), sent.end());
        EXPECT_EQ(sent, want);
        EXPECT_EQ(raised_rows(s), want);
        if (s.flags.raised(row::system_flags)) {
            EXPECT_EQ(s.settings.get(off::system_flags_257), c.sent_257);
        }
    }
}

TEST(SensorSelection, the_bits_of_each_sensor) {
    struct Case {
        std::uint8_t byte;
        SensorKind wet, dry;
    };
    for (const Case& c : std::vector<Case>{{0x00, SensorKind::analog, SensorKind::analog},
                                           {0x05, SensorKind::network, SensorKind::network},
                                           {0x02, SensorKind::unknown, SensorKind::analog},
                                           {0xF4, SensorKind::analog, SensorKind::network},
                                           {0x0F, SensorKind::unknown, SensorKind::unknown}}) {
        EXPECT_EQ(sensor_kind(c.byte, SensorPlace::wet), c.wet) << int(c.byte);
        EXPECT_EQ(sensor_kind(c.byte, SensorPlace::dry), c.dry) << int(c.byte);
    }
    EXPECT_EQ(with_sensor_kind(0xF2, SensorPlace::wet, SensorKind::network), 0xF1);
    EXPECT_EQ(with_sensor_kind(0xF2, SensorPlace::dry, SensorKind::network), 0xF6);
    EXPECT_EQ(with_sensor_kind(0xFF, SensorPlace::dry, SensorKind::analog), 0xF3);
    EXPECT_EQ(with_sensor_kind(0x0B, SensorPlace::wet, SensorKind::unknown), 0x0B);
}

TEST(SensorSelection, accept_sends_only_a_changed_choice) {
    link::LinkState s;
    s.status.set(off::moisture_sensor_type, 0x40);
    {
        SensorSelection sel(s);
        EXPECT_FALSE(sel.accept());  // right after opening
    }
    SensorSelection sel(s);
    sel.choose(SensorPlace::dry, SensorKind::network);
    sel.choose(SensorPlace::wet, SensorKind::analog);
    EXPECT_TRUE(sel.accept());
    EXPECT_EQ(raised_rows(s), std::vector<int>{row::moisture_sensor_type});
    EXPECT_EQ(s.settings.get(off::moisture_sensor_type), 0x44);
}

}  // namespace
}  // namespace dryer::setup
