// A folder of sample record files made from fuzz input, shared by the
// 24-hour log's and the graph log's fuzz targets: a fresh temporary folder,
// the input read byte by byte (0 past its end), the name of one entry and the
// bytes held by regular files (reading must never change them).
#pragma once

#include <stdlib.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace dryer::fuzz {

class FuzzBytes {
public:
    FuzzBytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    std::uint8_t next() { return at_ < size_ ? data_[at_++] : 0; }
    bool more() const { return at_ < size_; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

// A folder `name` inside a new temporary folder, removed with it.
class SampleFolder {
public:
    SampleFolder(std::string_view tag, std::string_view name) {
        std::string tmpl = (std::filesystem::temp_directory_path() / (std::string(tag) + "-XXXXXX")).string();
        if (!mkdtemp(tmpl.data())) return;
        root_ = tmpl;
        dir_ = root_ / name;
        std::filesystem::create_directories(dir_);
    }
    ~SampleFolder() {
        std::error_code ec;
        if (!root_.empty()) std::filesystem::remove_all(root_, ec);
    }
    bool ok() const { return !root_.empty(); }
    const std::filesystem::path& dir() const { return dir_; }

private:
    std::filesystem::path root_, dir_;
};

// Returns the path of an entry of that kind (bits 0-2 pick one of eight days
// in the name; bits 3-4: 0-1 a log file, 2 a stray name), or nothing for a
// folder (bits 3-4 = 3), which is then made under that name.
inline std::optional<std::filesystem::path> entry_path(const std::filesystem::path& dir, std::string_view prefix,
                                                       std::uint8_t kind) {
    const std::string stamp = "26_12_0" + std::to_string(1 + (kind & 7)) + "_06_00_00";
    const int what = (kind >> 3) & 3;
    const auto path = dir / ((what == 2 ? std::string(prefix) + "zz" + stamp.substr(2) : std::string(prefix) + stamp) + ".DAT");
    if (what == 3) {
        std::error_code ec;  // a file of that name may be there already
        std::filesystem::create_directories(path, ec);
        return std::nullopt;
    }
    return path;
}

// One entry of the input: a kind byte (see entry_path) and a length byte
// pair, low first.
struct FuzzEntry {
    std::optional<std::filesystem::path> path;  // nothing for a folder
    std::size_t length = 0;
};
inline FuzzEntry next_entry(FuzzBytes& in, const std::filesystem::path& dir, std::string_view prefix) {
    const std::uint8_t kind = in.next();
    std::size_t length = in.next();
    length |= static_cast<std::size_t>(in.next()) << 8;
    return {entry_path(dir, prefix, kind), length};
}

// Returns the bytes held by the regular files of a folder.
inline std::uint64_t bytes_in(const std::filesystem::path& dir) {
    std::uint64_t total = 0;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        if (it->is_regular_file()) total += it->file_size();
    }
    return total;
}

}  // namespace dryer::fuzz
