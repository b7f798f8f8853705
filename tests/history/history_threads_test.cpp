// The receive thread records while the user-interface thread lists, counts,
// exports and records events: no operation overlaps another (ThreadSanitizer
// watches), and no record is lost.
#include <gtest/gtest.h>

#include <atomic>
#include <set>
#include <string>
#include <thread>

#include "history_test_support.h"
#include "logging/history/shutdown_recorder.h"
#include "logging/history/shutdown_store.h"

namespace dryer::history {
namespace {

TEST(HistoryThreads, RecordingWhileTheScreenListsAndExports) {
    test::TempRoot root;
    std::filesystem::create_directories(root.usb());
    ShutdownStore store(test::db_file(root));
    ASSERT_TRUE(store.prepare());

    constexpr int kShutdowns = 150;
    std::atomic<int> sequence{0};
    std::atomic<bool> done{false};
    int failed = 0;
    std::thread receive([&] {
        ShutdownRecorder recorder(store, [&](std::uint8_t, std::uint8_t) {
            return "S" + std::to_string(sequence.fetch_add(1));
        });
        for (int i = 0; i < kShutdowns; ++i) {
            recorder.record_shutdown(static_cast<std::uint8_t>(1 + i % 15), static_cast<std::uint8_t>(1 + i % 200));
            if (recorder.last_outcome() == RecordOutcome::failed) ++failed;
        }
        done = true;
    });

    int events = 0;
    int round = 0;
    while (!done.load()) {
        const auto count = store.read_info();
        ASSERT_TRUE(count.has_value());
        const auto rows = store.fill_list(static_cast<SortOrder>(round % 3));
        EXPECT_GE(rows.size(), *count);
        EXPECT_NE(store.export_text(*count, root.usb()).kind, ExportResult::Kind::message);
        if (round % 5 == 0 && store.record_event("E" + std::to_string(events)) != RecordOutcome::failed) ++events;
        ++round;
    }
    receive.join();

    EXPECT_EQ(failed, 0);
    std::set<std::string> texts;
    for (const HistoryRecord& r : store.fill_list(SortOrder::by_date_time)) texts.insert(r.warning);
    EXPECT_EQ(texts.size(), static_cast<std::size_t>(kShutdowns + events));
    for (int i = 0; i < kShutdowns; ++i) EXPECT_TRUE(texts.count("S" + std::to_string(i))) << i;
}

// Clearing while the receive thread records leaves a sound, usable store.
TEST(HistoryThreads, ClearingWhileRecording) {
    test::TempRoot root;
    ShutdownStore store(test::db_file(root));
    ASSERT_TRUE(store.prepare());
    std::atomic<bool> done{false};
    std::thread receive([&] {
        for (int i = 0; i < 100; ++i) store.record("S" + std::to_string(i), "MAIN I/O");
        done = true;
    });
    while (!done.load()) EXPECT_TRUE(store.clear());
    receive.join();
    EXPECT_TRUE(store.set_aside_files().empty());
    const auto n = store.read_info();
    ASSERT_TRUE(n.has_value());
    EXPECT_EQ(store.fill_list(SortOrder::by_node).size(), *n);
    EXPECT_EQ(store.record("last", "N"), RecordOutcome::stored);
}

}  // namespace
}  // namespace dryer::history
