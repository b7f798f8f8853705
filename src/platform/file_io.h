// Small POSIX file helpers for the panel's logs and stores: a descriptor
// that closes itself, whole writes, an append-only opening that never blocks
// and never follows anything but a regular file, and syncing a folder so a
// new or renamed name survives a power loss.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string_view>

namespace dryer::platform {

class UniqueFd {
public:
    explicit UniqueFd(int fd = -1) : fd_(fd) {}
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    ~UniqueFd();
    int get() const { return fd_; }

private:
    int fd_;
};

// Flushes the folder itself, so that names created, renamed or removed in it
// are on storage. Does nothing when the folder cannot be opened.
void sync_folder(const std::filesystem::path& folder);

// Opens `file` for appending, creating its folder and the file when missing
// (and syncing the folder after a creation). Returns the descriptor, or -1
// when it cannot be made or the name is not a regular file.
int open_for_append(const std::filesystem::path& file);

// Writes all of `bytes`, going on after interruptions; false on any failure.
bool write_all(int fd, std::string_view bytes);

}  // namespace dryer::platform
