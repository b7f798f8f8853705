#include "platform/usb_copy.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <system_error>

#include "platform/file_io.h"
#include "platform/panel_paths.h"

namespace dryer::platform {
namespace {

constexpr std::size_t kChunk = 64 * 1024;
constexpr std::string_view kPartSuffix = ".part";

// Decodes the octal escapes (\040 for a blank, \011, \012, \134) that
// /proc/self/mountinfo uses in its paths.
std::string unescape_mount_path(std::string_view s) {
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const auto octal = [&](std::size_t k) { return s[k] >= '0' && s[k] <= '7'; };
        if (s[i] == '\\' && i + 3 < s.size() && octal(i + 1) && octal(i + 2) && octal(i + 3)) {
            out.push_back(static_cast<char>((s[i + 1] - '0') * 64 + (s[i + 2] - '0') * 8 + (s[i + 3] - '0')));
            i += 3;
        } else {
            out.push_back(s[i]);
        }
    }
    return out;
}

// Returns true when /proc/self/mountinfo lists `path` as a mount point.
bool listed_as_mount_point(const std::filesystem::path& path) {
    std::ifstream in("/proc/self/mountinfo");
    std::string line;
    while (std::getline(in, line)) {
        // Fields: id, parent id, major:minor, root, mount point, ...
        std::size_t pos = 0;
        for (int field = 0; field < 4 && pos != std::string::npos; ++field) {
            pos = line.find(' ', pos);
            if (pos != std::string::npos) ++pos;
        }
        if (pos == std::string::npos) continue;
        const std::size_t end = line.find(' ', pos);
        const std::string_view field =
            std::string_view(line).substr(pos, end == std::string::npos ? std::string::npos : end - pos);
        if (unescape_mount_path(field) == path.string()) return true;
    }
    return false;
}

bool valid_name(std::string_view name) {
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string_view::npos &&
           name.find('\0') == std::string_view::npos;
}

UsbCopyResult fail(UsbCopyStep step, int error) { return UsbCopyResult{step, error}; }

bool same_file(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

// The stick's folder, opened once; every later name is taken relative to it.
class StickFolder {
public:
    explicit StickFolder(const std::filesystem::path& folder)
        : path_(folder), fd_(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC)) {
        if (fd_.get() >= 0 && ::fstat(fd_.get(), &st_) != 0) error_ = errno;
        if (fd_.get() < 0) error_ = errno;
    }
    bool open() const { return fd_.get() >= 0 && error_ == 0; }
    int error() const { return error_; }
    int fd() const { return fd_.get(); }
    // Returns true while the folder's path still leads to the folder opened
    // (a pulled stick leaves the bare mount point, another stick another
    // root folder).
    bool still_there() const {
        struct stat now {};
        return ::lstat(path_.c_str(), &now) == 0 && same_file(now, st_);
    }
    void remove(const std::string& name) const { ::unlinkat(fd_.get(), name.c_str(), 0); }

private:
    std::filesystem::path path_;
    UniqueFd fd_;
    struct stat st_ {};
    int error_ = 0;
};

// Creates "<name>.part" exclusively. A leftover regular file of that name
// (an earlier copy cut short) is removed first; anything else there is
// refused.
int create_part(const StickFolder& stick, const std::string& part) {
    for (int attempt = 0; attempt < 2; ++attempt) {
        const int fd = ::openat(stick.fd(), part.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
        if (fd >= 0 || errno != EEXIST) return fd;
        struct stat st {};
        if (::fstatat(stick.fd(), part.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(st.st_mode)) {
            errno = EEXIST;
            return -1;
        }
        if (::unlinkat(stick.fd(), part.c_str(), 0) != 0) return -1;
    }
    errno = EEXIST;
    return -1;
}

// Reads the ".part" back through a new descriptor, after dropping its
// cached pages, and compares it with `bytes`. `written` is the file the
// bytes went into: the name must still lead to it.
UsbCopyResult verify_part(const StickFolder& stick, const std::string& part, const struct stat& written,
                          std::string_view bytes) {
    UniqueFd fd(::openat(stick.fd(), part.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC));
    if (fd.get() < 0) return fail(UsbCopyStep::verify, errno);
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0) return fail(UsbCopyStep::verify, errno);
    if (!same_file(st, written) || static_cast<std::uint64_t>(st.st_size) != bytes.size())
        return fail(UsbCopyStep::verify, 0);
    ::posix_fadvise(fd.get(), 0, 0, POSIX_FADV_DONTNEED);
    std::string buffer(kChunk, '\0');
    std::size_t done = 0;
    for (;;) {
        const ssize_t n = ::read(fd.get(), buffer.data(), buffer.size());
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return fail(UsbCopyStep::verify, errno);
        if (n == 0) break;
        const auto got = static_cast<std::size_t>(n);
        if (done + got > bytes.size() || bytes.compare(done, got, buffer.data(), got) != 0)
            return fail(UsbCopyStep::verify, 0);
        done += got;
    }
    if (done != bytes.size()) return fail(UsbCopyStep::verify, 0);
    return {};
}

// Gives the ".part" its final name without ever replacing a name.
UsbCopyResult rename_no_replace(const StickFolder& stick, const std::string& part, const std::string& name) {
    if (::renameat2(stick.fd(), part.c_str(), stick.fd(), name.c_str(), RENAME_NOREPLACE) == 0) return {};
    if (errno == EEXIST) return fail(UsbCopyStep::name_taken, EEXIST);
    if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP) return fail(UsbCopyStep::rename, errno);
    // No RENAME_NOREPLACE here: a hard link fails on an existing name too.
    if (::linkat(stick.fd(), part.c_str(), stick.fd(), name.c_str(), 0) == 0) {
        ::unlinkat(stick.fd(), part.c_str(), 0);
        return {};
    }
    if (errno == EEXIST) return fail(UsbCopyStep::name_taken, EEXIST);
    if (errno != EPERM && errno != EOPNOTSUPP && errno != ENOSYS) return fail(UsbCopyStep::rename, errno);
    // No hard links either (FAT): the name is checked free, then renamed.
    // Only the panel writes to the stick while it is mounted, so nothing
    // can take the name in between.
    struct stat st {};
    if (::fstatat(stick.fd(), name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0) return fail(UsbCopyStep::name_taken, EEXIST);
    if (errno != ENOENT) return fail(UsbCopyStep::rename, errno);
    if (::renameat(stick.fd(), part.c_str(), stick.fd(), name.c_str()) != 0) return fail(UsbCopyStep::rename, errno);
    return {};
}

UsbCopyResult write_verified(std::string_view bytes, const std::string& name, const UsbTarget& target) {
    if (!valid_name(name)) return fail(UsbCopyStep::bad_name, EINVAL);
    if (!usb_target_present(target)) return fail(UsbCopyStep::no_stick, ENODEV);
    StickFolder stick(target.folder);
    if (!stick.open()) return fail(UsbCopyStep::no_stick, stick.error());

    struct stat st {};
    if (::fstatat(stick.fd(), name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0) return fail(UsbCopyStep::name_taken, EEXIST);
    if (errno != ENOENT) return fail(UsbCopyStep::create, errno);

    const std::string part = name + std::string(kPartSuffix);
    struct stat written {};
    {
        UniqueFd fd(create_part(stick, part));
        if (fd.get() < 0) return fail(UsbCopyStep::create, errno);
        if (::fstat(fd.get(), &written) != 0) {
            const int e = errno;
            stick.remove(part);
            return fail(UsbCopyStep::write, e);
        }
        std::size_t done = 0;
        while (done < bytes.size()) {
            const std::size_t n = std::min(kChunk, bytes.size() - done);
            errno = 0;
            if (!write_all(fd.get(), bytes.substr(done, n))) {
                const int e = errno ? errno : EIO;
                stick.remove(part);
                return fail(UsbCopyStep::write, e);
            }
            done += n;
            if (target.after_write) target.after_write(done);
        }
        if (::fsync(fd.get()) != 0) {
            const int e = errno;
            stick.remove(part);
            return fail(UsbCopyStep::write, e);
        }
        // Clean pages after the flush: dropping them makes the read-back
        // below come from the device rather than from memory.
        ::posix_fadvise(fd.get(), 0, 0, POSIX_FADV_DONTNEED);
    }

    if (const UsbCopyResult v = verify_part(stick, part, written, bytes); !v.ok()) {
        stick.remove(part);
        return v;
    }
    if (!stick.still_there()) {
        stick.remove(part);
        return fail(UsbCopyStep::stick_changed, ENODEV);
    }
    if (const UsbCopyResult r = rename_no_replace(stick, part, name); !r.ok()) {
        stick.remove(part);
        return r;
    }
    if (::fsync(stick.fd()) != 0) {
        const int e = errno;
        stick.remove(name);
        return fail(UsbCopyStep::write, e);
    }
    if (!stick.still_there()) {
        stick.remove(name);
        return fail(UsbCopyStep::stick_changed, ENODEV);
    }
    return {};
}

}  // namespace

std::filesystem::path usb_mount_point() { return map_panel_path("\\Hard Disk2"); }

bool usb_stick_mounted(const std::filesystem::path& mount_point) {
    struct stat st {};
    if (::lstat(mount_point.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return false;
    std::error_code ec;
    const std::filesystem::path parent =
        std::filesystem::weakly_canonical(std::filesystem::absolute(mount_point, ec).parent_path(), ec);
    if (ec) return false;
    struct stat up {};
    if (::stat(parent.c_str(), &up) != 0) return false;
    if (st.st_dev != up.st_dev) return true;
    // A bind mount of a folder of the same device keeps st_dev.
    return listed_as_mount_point(parent / mount_point.filename());
}

bool usb_target_present(const UsbTarget& target) {
    if (!target.treat_as_mounted) return usb_stick_mounted(target.folder);
    struct stat st {};
    return ::lstat(target.folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

UsbCopyResult write_bytes_to_usb(std::string_view bytes, std::string_view name, const UsbTarget& target) {
    return write_verified(bytes, std::string(name), target);
}

UsbCopyResult copy_file_to_usb(const std::filesystem::path& source, std::string_view name, const UsbTarget& target) {
    // Read-only and non-blocking: a FIFO in the log's place must not stall
    // the panel. The log is at most 5 MiB, so it is held in memory whole and
    // the read-back is compared with exactly what was written.
    UniqueFd fd(::open(source.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOFOLLOW));
    if (fd.get() < 0) return fail(UsbCopyStep::source, errno);
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0) return fail(UsbCopyStep::source, errno);
    if (!S_ISREG(st.st_mode)) return fail(UsbCopyStep::source, EINVAL);
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(st.st_size));
    char buffer[kChunk];
    for (;;) {
        const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return fail(UsbCopyStep::source, errno);
        if (n == 0) break;
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    return write_verified(bytes, std::string(name), target);
}

std::string describe(const UsbCopyResult& result) {
    static constexpr const char* kSteps[] = {
        "copied",          "no USB flash drive", "bad file name",     "source unreadable", "name already taken",
        "cannot create",   "write failed",       "verify failed",     "rename failed",     "drive changed",
    };
    const auto i = static_cast<std::size_t>(result.step);
    std::string s = i < std::size(kSteps) ? kSteps[i] : "unknown";
    if (result.error != 0) s += std::string(": ") + std::strerror(result.error);
    return s;
}

}  // namespace dryer::platform
