// The settings-edit path: begin an edit, commit one value, commit what
// differs from the controller's report.
#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "link/reply_builder.h"
#include "link/settings_edit.h"

using namespace dryer::link;

namespace {

struct RecordingSettingsSink : SettingsSink {
    std::vector<SettingChange> changes;
    void record_setting_change(const SettingChange& c) noexcept override { changes.push_back(c); }
};

// One row of the commit-all table: the status and settings bytes written at
// the row's offset before ACCEPT, and whether ACCEPT sends the row.
struct CommitAllRow {
    const char* name;
    int row;
    std::size_t at;
    std::uint8_t status;
    std::uint8_t setting;
    bool sent;
};

class CommitAll : public ::testing::TestWithParam<CommitAllRow> {};

TEST_P(CommitAll, sends_eligible_rows_whose_setting_differs_from_the_report) {
    const CommitAllRow& r = GetParam();
    LinkState s;
    RecordingSettingsSink sink;
    s.settings_sink.store(&sink);
    s.status.set(r.at, r.status);
    s.settings.set(r.at, r.setting);
    const std::vector<int> sent = commit_changed(s, {r.row}, "dialog");
    EXPECT_EQ(sent, r.sent ? std::vector<int>{r.row} : std::vector<int>{}) << r.name;
    EXPECT_EQ(s.flags.raised(r.row), r.sent) << r.name;
    ASSERT_EQ(sink.changes.size(), r.sent ? 1u : 0u) << r.name;
    if (r.sent) {
        EXPECT_EQ(sink.changes[0].row, r.row);
        EXPECT_EQ(sink.changes[0].source, "dialog");
        EXPECT_EQ(sink.changes[0].old_bytes[r.at - sink.changes[0].offset], r.status);
        EXPECT_EQ(sink.changes[0].new_bytes[r.at - sink.changes[0].offset], r.setting);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, CommitAll,
    ::testing::Values(
        CommitAllRow{"echo_row_differs", row::drying_mode, off::drying_mode, 0, 1, true},
        CommitAllRow{"echo_row_equal", row::drying_mode, off::drying_mode, 1, 1, false},
        CommitAllRow{"two_byte_row_second_byte_differs", row::moisture_setpoint, off::moisture_setpoint + 1, 150, 155, true},
        CommitAllRow{"previous_frame_echo_row", row::plenum1_setpoint, off::heater_setpoint_1, 180, 190, true},
        // Byte 279 is echoed with bits 4-6 masked off the setting.
        CommitAllRow{"masked_echo_equal_under_mask", row::hardware_options, off::options_279, 0x01, 0x71, false},
        CommitAllRow{"masked_echo_differs", row::hardware_options, off::options_279, 0x01, 0x81, true},
        // Commands and hand-backs are never sent by ACCEPT.
        CommitAllRow{"stage_reset_row", row::batch_heat_remaining, off::batch_timer1_remaining, 0, 5, false},
        CommitAllRow{"clock_row", row::clock, off::clock_block, 0, 5, false},
        CommitAllRow{"meter_roll_screen_row", row::meter_roll_control, off::meter_roll_control_159, 0, 5, false},
        CommitAllRow{"meter_roll_block_row", row::meter_roll_block, off::meter_roll_control_159 + 1, 0, 5, false},
        CommitAllRow{"status_sourced_row", row::meter_roll_value_back, off::value_230, 0, 5, false},
        CommitAllRow{"no_such_row", 0, off::drying_mode, 0, 5, false},
        CommitAllRow{"row_past_the_table", 83, off::drying_mode, 0, 5, false}),
    [](const ::testing::TestParamInfo<CommitAllRow>& i) { return std::string(i.param.name); });

TEST(SettingsEdit, accept_sends_the_changed_rows_in_table_order_after_their_bytes) {
    LinkState s;
    const std::array<int, 3> rows{row::fuel_type, row::load_system, row::dryer_length};
    s.status.set(off::fuel_type, 1);
    s.status.set(off::load_system, 2);
    begin_edit_rows(s, rows);
    s.settings.set(off::fuel_type, 3);
    s.settings.set(off::dryer_length_index, 9);
    EXPECT_EQ(commit_changed(s, rows, "hardware setup"), (std::vector<int>{row::fuel_type, row::dryer_length}));
    TransmitBuffer tx{};
    ASSERT_TRUE(build_reply(s, tx));
    EXPECT_EQ(std::vector<std::uint8_t>(tx.begin(), tx.begin() + tx[0] - 2),
              (std::vector<std::uint8_t>{12, 2, 0, 5, 1, 3, 0, 7, 1, 9}));
}

TEST(SettingsEdit, reopening_a_dialog_keeps_a_value_still_pending) {
    LinkState s;
    s.status.set_u16le(off::heater_setpoint_1, 180);
    begin_edit(s, off::heater_setpoint_1, 2);
    ASSERT_TRUE(commit_u16le(s, off::heater_setpoint_1, 190, "temperature setpoints"));
    // The operator opens the keypad again and cancels before the echo.
    begin_edit(s, off::heater_setpoint_1, 2);
    EXPECT_EQ(u16le(s.settings, off::heater_setpoint_1), 190);
    EXPECT_TRUE(s.flags.raised(row::plenum1_setpoint));
}

TEST(SettingsEdit, a_commit_of_the_wrong_length_or_offset_writes_nothing) {
    LinkState s;
    const std::array<std::uint8_t, 1> one{7};
    EXPECT_FALSE(commit_bytes(s, row::moisture_setpoint, one, "x"));
    EXPECT_FALSE(commit_u8(s, off::status_51, 7, "x"));  // no row sends it
    EXPECT_FALSE(commit_u16le(s, off::drying_mode, 7, "x"));
    EXPECT_EQ(s.settings.get(off::moisture_setpoint), 0);
    EXPECT_EQ(s.settings.get(off::status_51), 0);
    EXPECT_EQ(s.settings.get(off::drying_mode), 0);
    for (int r = 1; r <= static_cast<int>(kReplyRowCount); ++r) EXPECT_FALSE(s.flags.raised(r)) << r;
}

// The decoder reads a flag's generation, compares, and lowers only that
// generation: a commit between its read and its lower keeps the flag up.
TEST(ChangeFlags, a_raise_after_the_generation_was_read_survives_the_lower) {
    ChangeFlags f;
    const std::uint32_t first = f.raise(row::drying_mode);
    const std::uint32_t seen = f.generation(row::drying_mode);
    const std::uint32_t second = f.raise(row::drying_mode);
    EXPECT_EQ(seen, first);
    EXPECT_NE(second, first);
    EXPECT_FALSE(f.lower_if(row::drying_mode, seen));
    EXPECT_TRUE(f.raised(row::drying_mode));
    EXPECT_TRUE(f.lower_if(row::drying_mode, second));
    EXPECT_FALSE(f.raised(row::drying_mode));
    EXPECT_FALSE(f.lower_if(row::drying_mode, 0));
}

}  // namespace
