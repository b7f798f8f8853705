// A panel root in a fresh temporary folder for one test, with its "Hard
// Disk" folder unless asked otherwise, removed again at the end. Every test
// that needs a panel root on disk uses this one.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <string>
#include <system_error>

namespace dryer::test_support {

class TempRoot {
public:
    explicit TempRoot(bool with_hard_disk = true) {
        std::string tmpl = (std::filesystem::temp_directory_path() / "dryer-test-XXXXXX").string();
        path_ = mkdtemp(tmpl.data());
        if (with_hard_disk) std::filesystem::create_directories(hard_disk());
    }
    ~TempRoot() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempRoot(const TempRoot&) = delete;
    TempRoot& operator=(const TempRoot&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path hard_disk() const { return path_ / "Hard Disk"; }
    // The USB flash drive's mount point.
    std::filesystem::path usb() const { return path_ / "Hard Disk2"; }

private:
    std::filesystem::path path_;
};

}  // namespace dryer::test_support
