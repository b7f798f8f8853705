#include "logging/sample_files/sample_files.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <system_error>

namespace dryer::logging {

namespace {

constexpr std::string_view kSuffix = ".DAT";
constexpr std::size_t kStampLength = 17;  // "yy_MM_dd_HH_mm_ss"

bool same_letters(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
           });
}

// Renames a file aside under the first free "<name>.SET_ASIDE[.n]"; an
// existing file of the new name is never replaced.
bool rename_aside(const std::filesystem::path& dir, const std::string& name, std::filesystem::path& to) {
    const auto from = dir / name;
    for (int i = 0; i < 100; ++i) {
        std::string aside = name + ".SET_ASIDE";
        if (i > 0) aside += '.' + std::to_string(i);
        to = dir / aside;
        std::error_code ec;
        if (std::filesystem::exists(std::filesystem::symlink_status(to, ec))) continue;
        int rc = ::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE);
        if (rc != 0 && errno == EEXIST) continue;
        if (rc != 0 && errno == EINVAL) rc = ::rename(from.c_str(), to.c_str());
        return rc == 0;
    }
    return false;
}

}  // namespace

std::string sample_file_name(std::string_view prefix, const platform::LocalTime& made) {
    std::string name(prefix);
    name += platform::format_picture("yy'_'MM'_'dd'_'", made);
    name += platform::format_picture("HH'_'mm'_'ss", made);
    name += kSuffix;
    return name;
}

bool sample_file_name_matches(std::string_view prefix, std::string_view name) {
    if (name.size() != prefix.size() + kStampLength + kSuffix.size()) return false;
    if (!same_letters(name.substr(0, prefix.size()), prefix)) return false;
    if (!same_letters(name.substr(name.size() - kSuffix.size()), kSuffix)) return false;
    for (std::size_t i = 0; i < 5; ++i) {
        if (name[prefix.size() + 2 + i * 3] != '_') return false;
    }
    return true;
}

std::optional<std::int64_t> sample_file_name_time(std::string_view prefix, std::string_view name) {
    if (!sample_file_name_matches(prefix, name)) return std::nullopt;
    int part[6];
    for (std::size_t i = 0; i < 6; ++i) {
        const char hi = name[prefix.size() + i * 3];
        const char lo = name[prefix.size() + i * 3 + 1];
        if (!std::isdigit(static_cast<unsigned char>(hi)) || !std::isdigit(static_cast<unsigned char>(lo)))
            return std::nullopt;
        part[i] = (hi - '0') * 10 + (lo - '0');
    }
    if (part[1] < 1 || part[1] > 12 || part[2] < 1 || part[2] > 31 || part[3] > 23 || part[4] > 59 || part[5] > 59)
        return std::nullopt;
    platform::LocalTime t;
    t.year = 2000 + part[0];
    t.month = part[1];
    t.day = part[2];
    t.hour = part[3];
    t.minute = part[4];
    t.second = part[5];
    return platform::to_file_time(t);
}

std::vector<SampleFile> list_sample_files(const std::filesystem::path& dir, std::string_view prefix,
                                          std::size_t keep, std::vector<std::filesystem::path>& set_aside) {
    std::vector<SampleFile> files;
    std::vector<std::string> strays;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (!sample_file_name_matches(prefix, name)) continue;
        struct stat st {};
        if (::lstat(it->path().c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
        const auto made = sample_file_name_time(prefix, name);
        if (!made) {
            strays.push_back(name);
            continue;
        }
        const std::int64_t modified = static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec;
        files.push_back({name, static_cast<std::uint64_t>(st.st_size), *made, modified});
    }
    std::sort(files.begin(), files.end(), [](const SampleFile& a, const SampleFile& b) {
        return a.made != b.made ? a.made < b.made : a.name < b.name;
    });
    while (files.size() > keep) {
        strays.push_back(files.front().name);
        files.erase(files.begin());
    }
    bool renamed = false;
    for (const auto& name : strays) {
        std::filesystem::path to;
        if (rename_aside(dir, name, to)) {
            set_aside.push_back(to);
            renamed = true;
        }
    }
    if (renamed) platform::sync_folder(dir);
    return files;
}

RecordAppend append_record_bytes(const std::filesystem::path& file, const std::uint8_t* bytes, std::size_t size) {
    const platform::UniqueFd fd(platform::open_for_append(file));
    if (fd.get() < 0) return RecordAppend::cannot_open;
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0) return RecordAppend::write_failed;
    std::size_t done = 0;
    bool ok = true;
    while (done < size) {
        const ssize_t n = ::write(fd.get(), bytes + done, size - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            ok = false;
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    if (!ok || ::fdatasync(fd.get()) != 0) {
        if (::ftruncate(fd.get(), st.st_size) == 0) ::fdatasync(fd.get());
        return RecordAppend::write_failed;
    }
    return RecordAppend::written;
}

RecordReader::RecordReader(const std::filesystem::path& file)
    : fd_(::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK)) {
    struct stat st {};
    if (fd_.get() < 0 || ::fstat(fd_.get(), &st) != 0 || !S_ISREG(st.st_mode)) return;
    const auto size = static_cast<std::uint64_t>(st.st_size);
    count_ = size / kRecordBytes;
    base_ = size - count_ * kRecordBytes;
    open_ = true;
}

bool RecordReader::read(std::uint64_t first, std::uint64_t take, std::uint8_t* out) const {
    if (!open_ || first > count_ || take > count_ - first) return false;
    const std::uint64_t bytes = take * kRecordBytes;
    std::uint64_t got = 0;
    while (got < bytes) {
        const ssize_t r = ::pread(fd_.get(), out + got, static_cast<std::size_t>(bytes - got),
                                  static_cast<off_t>(base_ + first * kRecordBytes + got));
        if (r < 0 && errno == EINTR) continue;
        if (r <= 0) return false;
        got += static_cast<std::uint64_t>(r);
    }
    return true;
}

}  // namespace dryer::logging
