// Shared pieces of the shutdown history tests: a panel root in a fresh
// temporary folder and a clock the test sets.
#pragma once

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/time_format.h"
#include "tests/support/temp_root.h"

namespace dryer::history::test {

using TempRoot = test_support::TempRoot;

// The shutdown history's file under a temporary root.
inline std::filesystem::path db_file(const TempRoot& root) { return root.hard_disk() / "ShutdownHistoryDB"; }

// A clock the test moves by hand.
struct ManualClock {
    std::atomic<std::int64_t> now{0};
    auto fn() {
        return [this] { return now.load(); };
    }
};

// The file time of a local calendar time.
inline std::int64_t at(int y, int mo, int d, int h, int mi, int s = 0) {
    return platform::to_file_time(platform::LocalTime{.year = y, .month = mo, .day = d, .hour = h, .minute = mi, .second = s});
}

inline std::string read_bytes(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void write_bytes(const std::filesystem::path& p, const std::string& bytes) {
    std::ofstream(p, std::ios::binary | std::ios::trunc) << bytes;
}

// Makes a folder unwritable even for root (permission bits, then the
// immutable attribute). Returns false when neither works on this machine.
class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(std::filesystem::path dir) : dir_(std::move(dir)) {
        ::chmod(dir_.c_str(), 0555);
        if (!writable()) return;
        fd_ = ::open(dir_.c_str(), O_RDONLY | O_DIRECTORY);
        int flags = 0;
        if (fd_ >= 0 && ::ioctl(fd_, FS_IOC_GETFLAGS, &flags) == 0) {
            flags |= FS_IMMUTABLE_FL;
            immutable_ = ::ioctl(fd_, FS_IOC_SETFLAGS, &flags) == 0;
        }
    }
    ~ReadOnlyFolder() {
        if (immutable_) {
            int flags = 0;
            if (::ioctl(fd_, FS_IOC_GETFLAGS, &flags) == 0) {
                flags &= ~FS_IMMUTABLE_FL;
                ::ioctl(fd_, FS_IOC_SETFLAGS, &flags);
            }
        }
        if (fd_ >= 0) ::close(fd_);
        ::chmod(dir_.c_str(), 0755);
    }
    bool writable() const {
        const auto probe = dir_ / ".probe";
        const int fd = ::open(probe.c_str(), O_WRONLY | O_CREAT, 0644);
        if (fd < 0) return false;
        ::close(fd);
        ::unlink(probe.c_str());
        return true;
    }

private:
    std::filesystem::path dir_;
    int fd_ = -1;
    bool immutable_ = false;
};

}  // namespace dryer::history::test
