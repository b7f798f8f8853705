// A forked writer appends CSV lines and 24-hour records, reporting each one
// through a pipe once the call has returned, and is killed with SIGKILL after
// a varying number of them. After every kill the files still parse: the CSV
// is whole lines ending in CR LF, every record that was reported is there,
// the 24-hour files hold whole records in order.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>

#include "data_logs_support.h"
#include "logging/day_log/day_log.h"
#include "logging/long_term_log/long_term_log.h"

namespace dryer::logging {
namespace {

const auto kStart = test::clock_at(2026, 12, 8, 6, 0, 0);

[[noreturn]] void writer(int out, unsigned first) {
    LongTermLog csv;
    csv.set_dryer_running(true);
    DayLog day;
    for (unsigned g = first;; ++g) {
        LongTermSample s;
        s.time = test::plus_seconds(kStart, 600LL * g);
        s.bushels_per_hour = static_cast<std::uint16_t>(g);
        SampleRecord r{};
        r[0] = static_cast<std::uint8_t>(g >> 8);
        r[1] = static_cast<std::uint8_t>(g & 0xFF);
        const bool ok = csv.write_sample_line(s) == LongTermCode::written &&
                        day.append_sample(r, s.time) == DayAppend::written;
        if (!ok || ::write(out, &g, sizeof g) != sizeof g) ::_exit(1);
    }
}

// Returns the BPH column of every data line; fails on any other line.
std::vector<unsigned> csv_numbers(const std::string& bytes) {
    const std::string header = "Date,Time,Grain Column Temp,Moist In,Grain Temp In,Moist Out,Grain Temp Out,MR Speed,BPH";
    std::vector<unsigned> out;
    EXPECT_TRUE(bytes.size() >= 2 && bytes.substr(bytes.size() - 2) == "\r\n");
    std::size_t at = 0;
    while (at < bytes.size()) {
        const auto end = bytes.find("\r\n", at);
        if (end == std::string::npos) {
            ADD_FAILURE() << "line without CR LF at " << at;
            break;
        }
        const std::string line = bytes.substr(at, end - at);
        // A whole data line: date, time, seven figures and the BPH column,
        // with nothing left over.
        int y, mo, d, h, mi, se, used = -1;
        unsigned g, a, b, c, e, f, k, l, n, mr, bph;
        char half[3] = {};
        const int fields = std::sscanf(line.c_str(), "%4d-%2d-%2d,%2d:%2d:%2d%2[AP]M,%u,%u.%1u,%u.%1u,%u.%1u,%u.%1u,%u,%u%n", &y,
                                       &mo, &d, &h, &mi, &se, half, &g, &a, &b, &c, &e, &f, &k, &l, &n, &mr, &bph, &used);
        if (fields == 18 && used == static_cast<int>(line.size())) {
            out.push_back(bph);
        } else {
            EXPECT_TRUE(line.empty() || line == header) << "torn line: " << line;
        }
        at = end + 2;
    }
    return out;
}

TEST(DataLogsKill, FilesParseAfterEveryKill) {
    test::TempRoot root;
    unsigned next = 0;
    const int kill_after[] = {1, 9, 40, 150, 3, 77};
    for (const int after : kill_after) {
        int fds[2];
        ASSERT_EQ(::pipe(fds), 0);
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            ::close(fds[0]);
            writer(fds[1], next);
        }
        ::close(fds[1]);
        unsigned g = 0;
        int acks = 0;
        while (acks < after && ::read(fds[0], &g, sizeof g) == sizeof g) ++acks;
        ::kill(pid, SIGKILL);
        int status = 0;
        ::waitpid(pid, &status, 0);
        ::close(fds[0]);
        ASSERT_EQ(acks, after);

        // The CSV: whole lines, numbers rising, everything reported present.
        const auto lines = csv_numbers(test::read_bytes(root.csv()));
        ASSERT_FALSE(lines.empty());
        EXPECT_TRUE(std::is_sorted(lines.begin(), lines.end()));
        EXPECT_GE(lines.back(), g);
        // The 24-hour files: at most two, whole records, the newest reported one there.
        DayLog day;
        const auto files = day.enumerate();
        ASSERT_LE(files.size(), 2u);
        const auto page = day.read_page(kDayLogShownRecords, 0);
        ASSERT_EQ(page.status, PageStatus::ok);
        ASSERT_FALSE(page.records.empty());
        std::vector<unsigned> numbers;
        for (const auto& r : page.records) numbers.push_back(sample_values(r).grain_column_temp);
        EXPECT_TRUE(std::is_sorted(numbers.begin(), numbers.end()));
        EXPECT_GE(numbers.back(), g);
        next = std::max(lines.back(), numbers.back()) + 1;
    }
}

}  // namespace
}  // namespace dryer::logging
