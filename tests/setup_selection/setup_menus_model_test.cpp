// The setup menus and their small dialogs without Qt: which buttons show and
// which are enabled, and what each dialog sends through the settings-edit
// path.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "link/fields.h"
#include "link/reply_table.h"
#include "setup/setup_dialogs/setup_dialogs_model.h"
#include "setup/setup_selection/setup_selection_model.h"

namespace dryer::setup {
namespace {

namespace off = link::off;
namespace row = link::row;

std::vector<int> raised_rows(const link::LinkState& s) {
    std::vector<int> r;
    for (int i = 1; i <= static_cast<int>(link::kReplyRowCount); ++i)
        if (s.flags.raised(i)) r.push_back(i);
    return r;
}

// ---- Which buttons are shown --------------------------------------------

struct ShownRow {
    const char* name;
    std::uint8_t s183, s225;
    SetupButtonsShown shown;
};

class ButtonsShown : public ::testing::TestWithParam<ShownRow> {};

TEST_P(ButtonsShown, follow_the_switch_inputs_and_the_dryer_family) {
    const ShownRow& r = GetParam();
    link::LinkState s;
    s.status.set(off::status_183, r.s183);
    s.status.set(off::options_225, r.s225);
    EXPECT_EQ(setup_buttons_shown(s.status), r.shown);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ButtonsShown,
    ::testing::Values(ShownRow{"nothing_set", 0x00, 0x00, {false, false, true}},
                      ShownRow{"aux_shows_the_sampler", 0x04, 0x00, {true, false, true}},
                      ShownRow{"manual_shows_plenum_setup", 0x02, 0x00, {false, true, true}},
                      ShownRow{"family_hides_plenum_setup_and_burner_mode", 0x06, 0x20, {true, false, false}},
                      ShownRow{"other_bits_change_nothing", 0xF9, 0xDF, {false, false, true}}),
    [](const auto& i) { return std::string(i.param.name); });

struct AutoStartRow {
    const char* name;
    std::uint8_t mode, s225, s280;
    bool shown;
};

class AutoStartShown : public ::testing::TestWithParam<AutoStartRow> {};

TEST_P(AutoStartShown, only_in_continuous_flow_with_the_option) {
    const AutoStartRow& r = GetParam();
    link::LinkState s;
    s.status.set(off::drying_mode, r.mode);
    s.status.set(off::options_225, r.s225);
    s.status.set(off::status_280, r.s280);
    EXPECT_EQ(auto_start_button_shown(s.status), r.shown);
}

INSTANTIATE_TEST_SUITE_P(Rows, AutoStartShown,
                         ::testing::Values(AutoStartRow{"continuous_flow_with_option", 0, 0x00, 0x40, true},
                                           AutoStartRow{"without_option", 0, 0x00, 0xBF, false},
                                           AutoStartRow{"staged_batch", 1, 0x00, 0x40, false},
                                           AutoStartRow{"limited_family", 0, 0x20, 0x40, false}),
                         [](const auto& i) { return std::string(i.param.name); });

// ---- Which buttons are enabled ------------------------------------------

struct EnabledRow {
    SetupMenu menu;
    const char* name;
    bool without_dialogs;  // enabled before the clock and logger dialogs exist
    bool with_dialogs;
};

TEST(SetupMenus, buttons_are_enabled_exactly_where_something_is_built_behind_them) {
    const EnabledRow rows[] = {
        {SetupMenu::hardware, "TEMP_SCALE", true, true},       {SetupMenu::hardware, "MRR", true, true},
        {SetupMenu::hardware, "BURNER_DIFF", true, true},      {SetupMenu::hardware, "CLEAR_BATCH_COUNT", true, true},
        {SetupMenu::hardware, "MODEM_SETUP", true, true},      {SetupMenu::hardware, "USER_DEFAULT_BUTTON", true, true},
        {SetupMenu::hardware, "EXTENDED_SETUP", true, true},   {SetupMenu::hardware, "SET_DATE_TIME", false, true},
        {SetupMenu::hardware, "DATA_LOGGER", false, true},     {SetupMenu::hardware, "DRYING_MODE", false, false},
        {SetupMenu::hardware, "BURNER_MODE", false, false},    {SetupMenu::hardware, "DIAGNOSTICS", false, false},
        {SetupMenu::hardware, "AUTO_START_SETUP", false, false}, {SetupMenu::extended, "SELECT LANG", true, true},
        {SetupMenu::extended, "TEMP_SCALE", true, true},       {SetupMenu::extended, "USER_DEFAULTS", true, true},
        {SetupMenu::extended, "SET_DATE_TIME", false, true},   {SetupMenu::extended, "PRINTER_SETUP", false, false},
        {SetupMenu::extended, "PLENUM SETUP", false, false},   {SetupMenu::extended, "BPH_CALIB", false, false},
    };
    link::LinkState s;
    for (const EnabledRow& r : rows) {
        const auto table = setup_buttons(r.menu);
        const auto before = setup_menu_view(r.menu, setup_buttons_shown(s.status), s.status, {});
        BuiltDialogs clock_and_logger;
        clock_and_logger.set(SetupAction::set_time);
        clock_and_logger.set(SetupAction::logger_setup);
        const auto after = setup_menu_view(r.menu, setup_buttons_shown(s.status), s.status, clock_and_logger);
        bool found = false;
        for (std::size_t i = 0; i < table.size(); ++i) {
            if (std::string(table[i].name) != r.name) continue;
            found = true;
            EXPECT_EQ(before[i].enabled, r.without_dialogs) << r.name;
            EXPECT_EQ(after[i].enabled, r.with_dialogs) << r.name;
        }
        EXPECT_TRUE(found) << r.name;
    }
}

TEST(SetupMenus, the_limited_family_hides_burner_mode_and_auto_start_only) {
    link::LinkState s;
    s.status.set(off::options_225, 0x20);
    const auto v = setup_menu_view(SetupMenu::hardware, setup_buttons_shown(s.status), s.status, {});
    const auto table = setup_buttons(SetupMenu::hardware);
    for (std::size_t i = 0; i < table.size(); ++i)
        EXPECT_EQ(v[i].shown, table[i].command != setup_command::burner_mode && table[i].action != SetupAction::auto_start)
            << table[i].name;
}

// ---- Leaving the hardware menu -------------------------------------------

// A button without picture shows one of the panel's own texts (901-1000).
TEST(SetupMenus, every_text_button_has_a_text_of_its_own) {
    for (SetupMenu menu : {SetupMenu::hardware, SetupMenu::extended})
        for (const SetupButton& b : setup_buttons(menu)) {
            if (b.picture == 0) {
                EXPECT_TRUE(b.caption >= 901 && b.caption <= 1000) << b.name;
            }
        }
}

TEST(SetupMenus, exit_takes_224_from_the_report_but_keeps_a_pending_commit) {
    link::LinkState s;
    s.values.view_switching_enabled.store(0);
    s.status.set(off::mode_224, 0x10);
    leave_setup_menu(s);
    EXPECT_EQ(s.settings.get(off::mode_224), 0x10);
    EXPECT_EQ(s.values.view_switching_enabled.load(), 1);
    // A heat split sent by another dialog and not yet echoed stays.
    s.settings.set(off::mode_224, 0x40);
    s.flags.raise(row::drying_option);
    leave_setup_menu(s);
    EXPECT_EQ(s.settings.get(off::mode_224), 0x40);
    EXPECT_TRUE(raised_rows(s) == std::vector<int>{row::drying_option});
}

// ---- Burner differential -------------------------------------------------

TEST(BurnerDifferentialModel, plenum_3_at_4_degrees_sends_offset_98_only) {
    link::LinkState s;
    for (std::size_t at = off::burner_diff_6; at <= off::burner_diff_1; ++at) s.status.set(at, 2);
    BurnerDifferential d(s);
    EXPECT_EQ(d.selected(), 1);
    d.select(3);
    d.set(4);
    d.set(9);     // out of range: ignored
    d.select(0);  // no such plenum: ignored
    EXPECT_EQ(d.value(3), 4);
    const auto lines = d.lines([](unsigned n) { return "Burner #" + std::to_string(n - 85) + " Differential"; });
    EXPECT_EQ(lines[3], "Burner #4 Differential:   4 \u00B0F ");  // offset 98, the fourth line
    EXPECT_EQ(lines[0], "Burner #1 Differential:   2 \u00B0F ");
    EXPECT_EQ(d.accept(s), std::vector<int>{link::burner_diff_row(4)});
    EXPECT_EQ(s.settings.get(98), 4);
    EXPECT_EQ(raised_rows(s), std::vector<int>{link::burner_diff_row(4)});
}

TEST(BurnerDifferentialModel, accept_without_a_change_sends_nothing) {
    link::LinkState s;
    s.status.set(off::burner_diff_1, 200);  // any byte: shown as it is, never sent unless changed
    BurnerDifferential d(s);
    EXPECT_EQ(d.value(1), 200);
    EXPECT_TRUE(d.accept(s).empty());
    EXPECT_TRUE(raised_rows(s).empty());
}

// ---- Units -----------------------------------------------------------------

TEST(UnitsSwitch, panel_form_sends_nothing_dryer_form_sends_266_bit_7) {
    link::LinkState s;
    s.status.set(off::display_options_266, 0x41);
    EXPECT_TRUE(switch_units_on_panel(s));
    EXPECT_EQ(s.values.si_units.load(), 1);
    EXPECT_TRUE(raised_rows(s).empty());
    EXPECT_FALSE(switch_units_on_panel(s));
    EXPECT_EQ(s.values.si_units.load(), 0);

    EXPECT_TRUE(switch_units_on_dryer(s));
    EXPECT_EQ(s.values.si_units.load(), 1);
    EXPECT_EQ(s.settings.get(off::display_options_266), 0xC1);  // other bits kept
    EXPECT_EQ(raised_rows(s), std::vector<int>{row::display_options});
}

TEST(UnitsSwitch, dryer_form_after_a_panel_switch_keeps_flag_and_bit_together) {
    // The panel shows Fahrenheit by its own switch while the controller
    // still holds SI: switching to SI sets the bit it already has (nothing
    // to send) and the flag; the echo can never flip the display back.
    link::LinkState s;
    s.status.set(off::display_options_266, 0x80);
    s.values.si_units.store(0);
    EXPECT_TRUE(switch_units_on_dryer(s));
    EXPECT_EQ(s.values.si_units.load(), 1);
    EXPECT_EQ(s.settings.get(off::display_options_266), 0x80);
    EXPECT_TRUE(raised_rows(s).empty());
    EXPECT_FALSE(switch_units_on_dryer(s));
    EXPECT_EQ(s.settings.get(off::display_options_266), 0x00);
    EXPECT_EQ(raised_rows(s), std::vector<int>{row::display_options});
}

// ---- The one-byte dialogs -------------------------------------------------

TEST(SetupDialogsModel, mrr_toggles_bit_4_of_49) {
    link::LinkState s;
    s.status.set(off::meter_roll_reverse, 0x21);
    EXPECT_FALSE(mrr_active(s));
    toggle_mrr(s);
    EXPECT_EQ(s.settings.get(off::meter_roll_reverse), 0x31);
    EXPECT_EQ(raised_rows(s), std::vector<int>{row::meter_roll_option});
    EXPECT_TRUE(mrr_active(s));  // the pending commit is the working copy
    EXPECT_EQ(mrr_question(true).text, "Do you wish to DEACTIVATE the Metering Roll Reverse Option?");
}

TEST(SetupDialogsModel, clear_batch_counter_sends_221_222_as_one_item) {
    link::LinkState s;
    s.status.set_u16be(off::batch_counter, 0x1234);
    s.settings.set_u16be(off::batch_counter, 0x1234);
    clear_batch_counter(s);
    EXPECT_EQ(s.settings.get(221), 0);
    EXPECT_EQ(s.settings.get(222), 0);
    EXPECT_EQ(raised_rows(s), std::vector<int>{row::batch_counter});
}

TEST(SetupDialogsModel, watchdog_replaces_the_low_four_bits_only_when_they_change) {
    struct Row {
        std::uint8_t status;
        Watchdog choice;
        std::uint8_t sent;  // 0: nothing sent
    };
    for (const Row r : {Row{0xA0, {ConnectionType::modem, 2}, 0xA6}, Row{0x5F, {ConnectionType::direct_serial, 0}, 0x50},
                        Row{0x07, {ConnectionType::modem, 3}, 0}}) {
        link::LinkState s;
        s.status.set(off::watchdog, r.status);
        begin_watchdog(s);
        EXPECT_EQ(accept_watchdog(s, r.choice), r.sent != 0) << int(r.status);
        if (r.sent) {
            EXPECT_EQ(s.settings.get(off::watchdog), r.sent);
        }
    }
    EXPECT_EQ(watchdog_setting(0x0E), (Watchdog{ConnectionType::unknown, 2}));
}

TEST(SetupDialogsModel, user_settings_request_sets_bit_1_or_bit_0_of_266) {
    for (const bool save : {true, false}) {
        link::LinkState s;
        s.status.set(off::display_options_266, 0x80);
        request_user_settings(s, save);
        EXPECT_EQ(s.settings.get(off::display_options_266), save ? 0x82 : 0x81);
        EXPECT_EQ(raised_rows(s), std::vector<int>{row::display_options});
    }
}

}  // namespace
}  // namespace dryer::setup
