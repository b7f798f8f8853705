// What the history does with a file it cannot use: every case has a defined
// outcome, and no record that is already stored is destroyed.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <string>

#include "history_test_support.h"
#include "logging/history/shutdown_store.h"

namespace dryer::history {
namespace {

// Runs SQL on the file through a connection of its own.
void run_sql(const std::filesystem::path& file, const char* sql) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(file.c_str(), &db), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
    sqlite3_close(db);
}

struct UnsoundCase {
    const char* name;
    std::function<void(const std::filesystem::path&)> make;
    bool set_aside;
};

class UnsoundFileTest : public ::testing::TestWithParam<UnsoundCase> {};

// A file that is not a sound history is renamed aside unchanged and a fresh
// store takes its place; a sound one is kept.
TEST_P(UnsoundFileTest, SetAsideAndStartFresh) {
    const UnsoundCase& c = GetParam();
    test::TempRoot root;
    c.make(test::db_file(root));
    const std::string before = test::read_bytes(test::db_file(root));
    ShutdownStore store(test::db_file(root));

    EXPECT_TRUE(store.prepare());
    const auto aside = store.set_aside_files();
    ASSERT_EQ(aside.size(), c.set_aside ? 1u : 0u);
    if (c.set_aside) {
        EXPECT_EQ(aside[0].filename(), "ShutdownHistoryDB.corrupt-1");
        EXPECT_EQ(test::read_bytes(aside[0]), before);
        EXPECT_EQ(store.read_info(), 0u);
    }
    EXPECT_EQ(store.record("W", "MAIN I/O"), RecordOutcome::stored);
    EXPECT_EQ(store.fill_list(SortOrder::by_warning).back().warning, "W");
}

INSTANTIATE_TEST_SUITE_P(
    Files, UnsoundFileTest,
    ::testing::Values(
        UnsoundCase{"ZeroLength", [](const auto& f) { test::write_bytes(f, ""); }, false},
        UnsoundCase{"Garbage", [](const auto& f) { test::write_bytes(f, std::string(8192, '\x5A')); }, true},
        UnsoundCase{"TruncatedHeader",
                    [](const auto& f) { test::write_bytes(f, std::string("SQLite format 3\0", 16)); }, true},
        UnsoundCase{"ForeignDatabase",
                    [](const auto& f) { run_sql(f, "CREATE TABLE other(x); INSERT INTO other VALUES(1);"); }, true},
        UnsoundCase{"DamagedPages",
                    [](const auto& f) {
                        {
                            ShutdownStore s(f);
                            ASSERT_TRUE(s.prepare());
                            for (int i = 0; i < 300; ++i) s.record(std::string(120, static_cast<char>('A' + i % 26)), "MAIN I/O");
                        }
                        std::string bytes = test::read_bytes(f);
                        ASSERT_GT(bytes.size(), 5u * 4096u);
                        for (std::size_t i = 2 * 4096; i < 5 * 4096; ++i) bytes[i] = static_cast<char>(i * 7);
                        test::write_bytes(f, bytes);
                    },
                    true}),
    [](const auto& p) { return std::string(p.param.name); });

// Recording into a damaged file (before any prepare) moves it aside and still
// stores the record; a second damaged file gets the next free name.
TEST(UnsoundFile, RecordingRecoversAndNumbersTheSetAsideFiles) {
    test::TempRoot root;
    ShutdownStore store(test::db_file(root));
    for (int round = 1; round <= 2; ++round) {
        test::write_bytes(test::db_file(root), std::string(5000, static_cast<char>(round)));
        EXPECT_EQ(store.record("W", "N"), RecordOutcome::stored);
        EXPECT_EQ(store.read_info(), 1u);
    }
    EXPECT_EQ(store.set_aside_files().size(), 2u);
    EXPECT_TRUE(std::filesystem::exists(root.hard_disk() / "ShutdownHistoryDB.corrupt-2"));
}

// Another process holding the file's lock costs the record, never more; the
// screen's list is empty meanwhile; all works again once the lock is gone.
TEST(LockedFile, RecordFailsQuicklyAndListsStayEmpty) {
    test::TempRoot root;
    ShutdownStore store(test::db_file(root));
    ASSERT_TRUE(store.prepare());
    ASSERT_EQ(store.record("before", "N"), RecordOutcome::stored);

    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(test::db_file(root).c_str(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    EXPECT_EQ(store.record("while locked", "N"), RecordOutcome::failed);
    sqlite3_exec(other, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(other);

    EXPECT_EQ(store.record("after", "N"), RecordOutcome::stored);
    std::vector<std::string> texts;
    for (const auto& r : store.fill_list(SortOrder::by_warning)) texts.push_back(r.warning);
    EXPECT_EQ(texts, (std::vector<std::string>{"after", "before"}));
    EXPECT_TRUE(store.set_aside_files().empty());
}

// A read-only disk: recording fails silently, the stored history can still be
// listed and exported, and nothing is renamed or created.
TEST(ReadOnlyFolder, RecordFailsListingWorks) {
    test::TempRoot root;
    {
        ShutdownStore store(test::db_file(root));
        ASSERT_TRUE(store.prepare());
        ASSERT_EQ(store.record("kept", "MAIN I/O"), RecordOutcome::stored);
    }
    ShutdownStore store(test::db_file(root));
    test::ReadOnlyFolder ro(root.hard_disk());
    if (ro.writable()) GTEST_SKIP() << "cannot make a folder read-only on this machine";

    EXPECT_EQ(store.record("lost", "MAIN I/O"), RecordOutcome::failed);
    const auto rows = store.fill_list(SortOrder::by_date_time);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].warning, "kept");
    std::filesystem::create_directories(root.usb());
    EXPECT_EQ(store.export_text(1, root.usb()).kind, ExportResult::Kind::written);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(root.hard_disk()), {}), 1);
}

TEST(ReadOnlyFolder, NoFileAndNoWayToCreateIt) {
    test::TempRoot root;
    ShutdownStore store(test::db_file(root));
    test::ReadOnlyFolder ro(root.hard_disk());
    if (ro.writable()) GTEST_SKIP() << "cannot make a folder read-only on this machine";
    EXPECT_FALSE(store.prepare());
    EXPECT_EQ(store.record("lost", "N"), RecordOutcome::failed);
    EXPECT_EQ(store.read_info(), std::nullopt);
    EXPECT_TRUE(store.fill_list(SortOrder::by_node).empty());
    EXPECT_FALSE(store.clear());
}

TEST(MissingDisk, EverythingFailsQuietly) {
    test::TempRoot root;
    std::filesystem::remove_all(root.hard_disk());
    ShutdownStore store(test::db_file(root));
    EXPECT_FALSE(store.prepare());
    EXPECT_EQ(store.record_event("E"), RecordOutcome::failed);
    EXPECT_TRUE(store.fill_list(SortOrder::by_date_time).empty());
}

}  // namespace
}  // namespace dryer::history
