// The verified copy of a file to the USB flash drive. "\Hard Disk2" under
// the panel root is the stick's mount point; the stick is present when a
// file system is mounted there: the name is a directory (never a symbolic
// link) whose device differs from its parent's, or that /proc/self/mountinfo
// lists as a mount point (a bind mount of the same device).
//
// A copy is reported good only when the stick holds the bytes for certain:
// the bytes are written under "<name>.part", flushed (fsync), dropped from the
// page cache (posix_fadvise DONTNEED: after the fsync the pages are clean, so
// the kernel discards them and the next read comes from the device), read
// back through a fresh descriptor and compared with the source, then renamed
// to the final name without replacing anything (renameat2 RENAME_NOREPLACE;
// where the file system refuses the flag, link + unlink; where it has no hard
// links either, as on FAT, a check that the name is free followed by the
// rename), the folder is flushed, and the folder is checked to still be what
// is mounted at the mount point. O_DIRECT is not used: it needs aligned
// buffers and some file systems refuse it, while dropping clean pages works
// on every one.
//
// The stick is untrusted: every name on it is opened relative to the
// folder's descriptor with O_NOFOLLOW, a name that exists under the final
// name (a file, a folder, a symbolic link) makes the copy fail, and a
// leftover "<name>.part" that is not a regular file is never written
// through. Any failure removes the ".part" when it can and leaves nothing
// under the final name; the source is only ever opened for reading. No Qt.
#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace dryer::platform {

// Returns the stick's mount point, "\Hard Disk2" under the panel root.
std::filesystem::path usb_mount_point();

// Returns true when a file system is mounted at `mount_point` (see above).
bool usb_stick_mounted(const std::filesystem::path& mount_point);

// Where a copy goes and how it is watched.
struct UsbTarget {
    std::filesystem::path folder = usb_mount_point();
    // Tests only: take `folder` as the stick even when nothing is mounted
    // there. The panel never sets it.
    bool treat_as_mounted = false;
    // Tests only: called after each chunk is written to the ".part" with the
    // byte count so far (a test pulls the stick here).
    std::function<void(std::size_t written)> after_write;
};

// Returns true when target's folder is a stick ready for a copy.
bool usb_target_present(const UsbTarget& target);

enum class UsbCopyStep {
    done,           // the file is on the stick under its final name
    no_stick,       // nothing mounted at the folder (or it is a symlink)
    bad_name,       // the name is empty, ".", "..", or holds a '/'
    source,         // the source cannot be opened or read
    name_taken,     // something already exists under the final name
    create,         // the ".part" cannot be created (read-only stick ...)
    write,          // writing or flushing failed (full stick, I/O error)
    verify,         // the bytes read back differ or cannot be read
    rename,         // the final name cannot be given
    stick_changed,  // the stick was pulled or replaced during the copy
};

struct UsbCopyResult {
    UsbCopyStep step = UsbCopyStep::done;
    int error = 0;  // errno of the failing call, 0 when none
    bool ok() const { return step == UsbCopyStep::done; }
};

// Copies the file `source` to the stick as `name`, as described above.
UsbCopyResult copy_file_to_usb(const std::filesystem::path& source, std::string_view name,
                               const UsbTarget& target = {});

// Writes `bytes` to the stick as `name`, verified the same way.
UsbCopyResult write_bytes_to_usb(std::string_view bytes, std::string_view name, const UsbTarget& target = {});

// Returns a short English description of a result, e.g. for a log line.
std::string describe(const UsbCopyResult& result);

}  // namespace dryer::platform
