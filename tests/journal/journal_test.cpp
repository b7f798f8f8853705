#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "../history/history_test_support.h"
#include "link/reply_table.h"
#include "link/settings_edit.h"
#include "logging/journal/settings_journal.h"
#include "platform/panel_paths.h"

namespace dryer::journal {
namespace {

using history::test::at;
using history::test::ManualClock;
using history::test::TempRoot;

link::SettingChange change_of(std::uint8_t value, std::string_view source = "test") {
    link::SettingChange c;
    c.row = link::row::drying_mode;
    c.code = 8;
    c.offset = 8;
    c.n = 1;
    c.old_bytes[0] = 0;
    c.new_bytes[0] = value;
    c.source = source;
    return c;
}

std::string read_all(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(SettingsJournal, a_commit_is_journaled_once_with_old_and_new_value_and_survives_reopen) {
    TempRoot root;
    platform::set_panel_root(root.path());
    ManualClock clock;
    clock.now = at(2026, 12, 8, 21, 56, 12);
    link::LinkState s;
    s.status.set_u16le(link::off::heater_setpoint_1, 180);
    {
        SettingsJournal j(root.hard_disk() / "SettingsJournalDB", SettingsJournal::kDefaultBound, clock.fn());
        EXPECT_EQ(j.file(), SettingsJournal().file()) << "the panel's journal is \\Hard Disk\\SettingsJournalDB";
        ASSERT_TRUE(j.prepare());
        s.settings_sink.store(&j);
        link::begin_edit(s, link::off::heater_setpoint_1, 2);
        ASSERT_TRUE(link::commit_u16le(s, link::off::heater_setpoint_1, 190, "temperature setpoints"));
        s.settings_sink.store(nullptr);
        EXPECT_EQ(j.failed_writes(), 0u);
    }
    SettingsJournal reopened(root.hard_disk() / "SettingsJournalDB");
    const auto entries = reopened.newest(10);
    ASSERT_EQ(entries.size(), 1u);
    const JournalEntry want{at(2026, 12, 8, 21, 56, 12), 69, 69, {180, 0}, {190, 0}, "temperature setpoints"};
    EXPECT_EQ(entries[0], want);
    EXPECT_EQ(csv_line(entries[0]), "2026-12-08 21:56:12,69,69,B4 00,BE 00,temperature setpoints\r\n");
}

TEST(SettingsJournal, keeps_only_the_newest_entries_up_to_its_bound) {
    TempRoot root;
    SettingsJournal j(root.hard_disk() / "SettingsJournalDB", 5);
    ASSERT_TRUE(j.prepare());
    for (int v = 0; v < 12; ++v) ASSERT_EQ(j.record(change_of(static_cast<std::uint8_t>(v))), JournalOutcome::stored);
    EXPECT_EQ(j.count(), 5u);
    const auto entries = j.newest(100);
    ASSERT_EQ(entries.size(), 5u);
    for (std::size_t k = 0; k < entries.size(); ++k) EXPECT_EQ(entries[k].new_value[0], 11 - k) << k;
}

TEST(SettingsJournal, csv_export_has_a_header_and_lists_the_newest_oldest_first) {
    TempRoot root;
    ManualClock clock;
    SettingsJournal j(root.hard_disk() / "SettingsJournalDB", 100, clock.fn());
    ASSERT_TRUE(j.prepare());
    clock.now = at(2026, 1, 2, 3, 4, 5);
    j.record(change_of(1, "drying mode"));
    clock.now = at(2026, 1, 2, 3, 4, 6);
    j.record(change_of(3, "setup, \"hardware\""));
    clock.now = at(2026, 1, 2, 3, 4, 7);
    j.record(change_of(0));
    const auto csv = root.path() / "out.csv";
    ASSERT_TRUE(j.export_csv(csv, 2));
    EXPECT_EQ(read_all(csv),
              "time,item,offset,old,new,source\r\n"
              "2026-01-02 03:04:06,8,8,00,03,\"setup, \"\"hardware\"\"\"\r\n"
              "2026-01-02 03:04:07,8,8,00,00,test\r\n");
}

TEST(SettingsJournal, a_corrupt_file_is_set_aside_and_a_fresh_journal_records) {
    TempRoot root;
    const auto file = root.hard_disk() / "SettingsJournalDB";
    std::ofstream(file, std::ios::binary) << std::string(4096, 'x');
    SettingsJournal j(file);
    EXPECT_TRUE(j.prepare());
    EXPECT_TRUE(std::filesystem::exists(file.string() + ".corrupt-1"));
    EXPECT_EQ(j.record(change_of(1)), JournalOutcome::stored);
    // Damaged again while the panel runs: the next record sets it aside too.
    std::ofstream(file, std::ios::binary | std::ios::trunc) << std::string(4096, 'y');
    EXPECT_EQ(j.record(change_of(2)), JournalOutcome::stored);
    EXPECT_TRUE(std::filesystem::exists(file.string() + ".corrupt-2"));
    ASSERT_EQ(j.newest(10).size(), 1u);
}

TEST(SettingsJournal, an_unwritable_file_reports_failure_and_the_commit_still_goes_out) {
    TempRoot root;
    SettingsJournal j(root.path() / "no such folder" / "SettingsJournalDB");
    EXPECT_FALSE(j.prepare());
    link::LinkState s;
    s.settings_sink.store(&j);
    EXPECT_TRUE(link::commit_u8(s, link::off::drying_mode, 1, "drying mode"));
    EXPECT_TRUE(s.flags.raised(link::row::drying_mode));
    EXPECT_EQ(j.failed_writes(), 1u);
    EXPECT_EQ(j.record(change_of(1)), JournalOutcome::failed);
    EXPECT_TRUE(j.newest(10).empty());
    EXPECT_EQ(j.count(), std::nullopt);
    EXPECT_FALSE(j.export_csv(root.path() / "out.csv"));
    EXPECT_FALSE(std::filesystem::exists(root.path() / "out.csv"));
}

}  // namespace
}  // namespace dryer::journal
