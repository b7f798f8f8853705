// Shared pieces of the data log tests: a panel root in a fresh temporary
// folder, a status image with chosen values, clock times and file helpers.
#pragma once

#include <signal.h>
#include <stdlib.h>
#include <sys/resource.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "link/fields.h"
#include "link/images.h"
#include "platform/panel_paths.h"
#include "platform/time_format.h"

namespace dryer::logging::test {

class TempRoot {
public:
    TempRoot() {
        std::string tmpl = (std::filesystem::temp_directory_path() / "dryer-datalogs-XXXXXX").string();
        path_ = mkdtemp(tmpl.data());
        std::filesystem::create_directories(path_ / "Hard Disk");
        platform::set_panel_root(path_);
    }
    ~TempRoot() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path csv() const { return path_ / "Hard Disk" / "DataLog" / "LongTermDataLog.csv"; }
    std::filesystem::path day_folder() const { return path_ / "Hard Disk" / "ShortTermDataLog"; }

private:
    std::filesystem::path path_;
};

inline platform::LocalTime clock_at(int y, int mo, int d, int h, int mi, int s) {
    return {.year = y, .month = mo, .day = d, .hour = h, .minute = mi, .second = s};
}

// The clock moved on by whole seconds (through file time, so dates roll).
inline platform::LocalTime plus_seconds(const platform::LocalTime& t, long long s) {
    return platform::from_file_time(platform::to_file_time(t) + s * 10'000'000LL);
}

// A running dryer with logging on and readable values in every column.
inline void fill_status(link::ByteImage& s) {
    using namespace link::off;
    s.set(status_172, 0x01);
    s.set(day_logger_289, 1);
    s.set(status_184, 0);
    s.set(value_93 + 1, 0x00);     // high
    s.set(value_93, 0x96);         // low: 150
    s.set_u16be(moisture_191, 205);
    s.set_u16be(value_195, 600);
    s.set_u16be(moisture_189, 154);
    s.set_u16be(grain_temp_193, 952);
    s.set(meter_roll_speed_pct, 45);
    s.set(value_173, 0x01);
    s.set(value_173 + 1, 0x2C);
}

// While alive, files of this process cannot grow past limit bytes: a write
// across it is cut short, as on a full disk.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t limit) : handler_(::signal(SIGXFSZ, SIG_IGN)) {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        rlimit small = saved_;
        small.rlim_cur = limit;
        ::setrlimit(RLIMIT_FSIZE, &small);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        ::signal(SIGXFSZ, handler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    sighandler_t handler_;
    rlimit saved_{};
};

inline std::string read_bytes(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void write_bytes(const std::filesystem::path& p, const std::string& bytes) {
    std::filesystem::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary | std::ios::trunc) << bytes;
}

}  // namespace dryer::logging::test
