// The stored settings file: range rules at start-up, corrupt and missing
// files, and writes that keep every value known.
#include <gtest/gtest.h>

#include "data_logs_support.h"
#include "logging/stored_settings/stored_settings.h"

namespace dryer::logging {
namespace {

using test::read_bytes;
using test::TempRoot;
using test::write_bytes;
using namespace std::literals;

TEST(StoredSettings, RangeRulesAtStartUp) {
    const struct {
        std::string_view text;
        StoredSettings expected;
    } rows[] = {
        {"", {0, 0, 10, false}},
        {"GRAPH_HORIZONTAL_SCALE=7\n", {0, 0, 10, false}},
        {"GRAPH_HORIZONTAL_SCALE=3\n", {3, 0, 10, false}},
        {"TEMP_DATA_LOG_SAMPLE_TIME=200\n", {0, 0, 5, false}},
        {"TEMP_DATA_LOG_SAMPLE_TIME=3\n", {0, 0, 3, false}},
        {"TEMP_DATA_LOG_SAMPLE_TIME=15\r\n", {0, 0, 15, false}},
        {"GRAPH_TRACES_ON_OFF=33\n", {0, 0x21, 10, false}},
        {"GRAPH_TRACES_ON_OFF=255\n", {0, 0x3F, 10, false}},
        {"SCREEN_VIEW_SELECTION=1\n", {0, 0, 10, true}},
        {"SCREEN_VIEW_SELECTION=2\n", {0, 0, 10, false}},
        {"SCREEN_VIEW_SELECTION=256\nGRAPH_HORIZONTAL_SCALE=-1\nGRAPH_HORIZONTAL_SCALE=\n=2\n", {0, 0, 10, false}},
        {"\xff\xfe\x00garbage\nGRAPH_HORIZONTAL_SCALE=2"sv, {2, 0, 10, false}},
    };
    for (const auto& r : rows) {
        TempRoot root;
        SettingsStore store;
        write_bytes(store.file(), std::string(r.text));
        EXPECT_EQ(store.load(), StoreLoad::read);
        const auto s = store.settings();
        EXPECT_EQ(s.graph_horizontal_scale, r.expected.graph_horizontal_scale) << r.text;
        EXPECT_EQ(s.graph_traces, r.expected.graph_traces) << r.text;
        EXPECT_EQ(s.sample_time_minutes, r.expected.sample_time_minutes) << r.text;
        EXPECT_EQ(s.alternative_view, r.expected.alternative_view) << r.text;
    }
}

TEST(StoredSettings, WritesReplaceTheFileAndLoseNothing) {
    TempRoot root;
    SettingsStore store;
    EXPECT_EQ(store.file(), root.path() / "Registry" / "TavrinDryer.txt");
    EXPECT_EQ(store.load(), StoreLoad::missing);
    EXPECT_EQ(store.settings().sample_time_minutes, 10);
    write_bytes(store.file(), "GRAPH_HORIZONTAL_SCALE=7\nLATER_VALUE=9\n\x01\x02 torn");
    ASSERT_EQ(store.load(), StoreLoad::read);
    ASSERT_TRUE(store.write(StoredKey::temp_data_log_sample_time, 1));
    EXPECT_EQ(read_bytes(store.file()), "GRAPH_HORIZONTAL_SCALE=7\nLATER_VALUE=9\nTEMP_DATA_LOG_SAMPLE_TIME=1\n");
    EXPECT_FALSE(std::filesystem::exists(store.file().string() + ".tmp"));
    SettingsStore again;
    ASSERT_EQ(again.load(), StoreLoad::read);
    EXPECT_EQ(again.settings().sample_time_minutes, 1);
    EXPECT_EQ(again.raw(StoredKey::graph_horizontal_scale), 7);
}

TEST(StoredSettings, UnreadableOrUnwritablePlacesGiveDefaults) {
    TempRoot root;
    SettingsStore store;
    std::filesystem::create_directories(store.file());  // a folder where the file should be
    EXPECT_EQ(store.load(), StoreLoad::unreadable);
    EXPECT_EQ(store.settings().sample_time_minutes, 10);
    EXPECT_FALSE(store.write(StoredKey::screen_view_selection, 1));
    EXPECT_TRUE(store.settings().alternative_view);  // kept in memory for this run
    EXPECT_TRUE(std::filesystem::is_directory(store.file()));
    std::filesystem::remove(store.file());
    write_bytes(store.file(), std::string(70'000, 'A'));
    EXPECT_EQ(store.load(), StoreLoad::unreadable);
}

}  // namespace
}  // namespace dryer::logging
