// Power loss while recording: a child process records in a loop and reports
// each record the store acknowledged; it is killed with SIGKILL at some
// point. Afterwards the file passes SQLite's integrity check and holds every
// acknowledged record.
#include <gtest/gtest.h>
#include <signal.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <set>
#include <string>

#include "history_test_support.h"
#include "logging/history/shutdown_store.h"

namespace dryer::history {
namespace {

[[noreturn]] void record_forever(const std::filesystem::path& root, int round, int ack_fd) {
    ShutdownStore store(root / "Hard Disk" / "ShutdownHistoryDB");
    for (std::uint32_t i = 0;; ++i) {
        if (store.record("R" + std::to_string(round) + "-" + std::to_string(i), "MAIN I/O") == RecordOutcome::stored) {
            if (::write(ack_fd, &i, sizeof i) != sizeof i) ::_exit(3);
        }
    }
}

std::string integrity(const std::filesystem::path& file) {
    sqlite3* db = nullptr;
    std::string result = "cannot open";
    if (sqlite3_open(file.c_str(), &db) == SQLITE_OK) {
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(db, "PRAGMA integrity_check", -1, &st, nullptr) == SQLITE_OK &&
            sqlite3_step(st) == SQLITE_ROW)
            result = reinterpret_cast<const char*>(sqlite3_column_text(st, 0));
        sqlite3_finalize(st);
    }
    sqlite3_close(db);
    return result;
}

TEST(Durability, EveryAcknowledgedRecordSurvivesSigkill) {
    test::TempRoot root;
    std::set<std::string> acknowledged;
    // Kill after different numbers of acknowledgements so the kill lands at
    // different points of a commit.
    const int kill_after[] = {1, 7, 23, 40, 61, 97};
    for (int round = 0; round < static_cast<int>(std::size(kill_after)); ++round) {
        int fds[2];
        ASSERT_EQ(::pipe(fds), 0);
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            ::close(fds[0]);
            record_forever(root.path(), round, fds[1]);
        }
        ::close(fds[1]);
        int acks = 0;
        std::uint32_t i = 0;
        while (acks < kill_after[round] && ::read(fds[0], &i, sizeof i) == sizeof i) {
            acknowledged.insert("R" + std::to_string(round) + "-" + std::to_string(i));
            ++acks;
        }
        ::kill(pid, SIGKILL);
        int status = 0;
        ::waitpid(pid, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "child ended on its own";
        while (::read(fds[0], &i, sizeof i) == sizeof i)
            acknowledged.insert("R" + std::to_string(round) + "-" + std::to_string(i));
        ::close(fds[0]);
        ASSERT_EQ(acks, kill_after[round]);

        ASSERT_EQ(integrity(test::db_file(root)), "ok") << "after round " << round;
        ShutdownStore store(test::db_file(root));
        ASSERT_TRUE(store.prepare());
        std::set<std::string> present;
        for (const HistoryRecord& r : store.fill_list(SortOrder::by_warning)) present.insert(r.warning);
        for (const std::string& a : acknowledged) EXPECT_TRUE(present.count(a)) << a << " lost";
        EXPECT_TRUE(store.set_aside_files().empty());
    }
    // A kill before the journal's header was written leaves a journal that is
    // not hot: readers ignore it and the next record removes it, so nothing
    // lies beside the store at rest once it has been written again.
    ShutdownStore store(test::db_file(root));
    ASSERT_TRUE(store.prepare());
    EXPECT_EQ(store.record("after the rounds", "MAIN I/O"), RecordOutcome::stored);
    EXPECT_FALSE(std::filesystem::exists(root.hard_disk() / "ShutdownHistoryDB-journal"));
}

}  // namespace
}  // namespace dryer::history
