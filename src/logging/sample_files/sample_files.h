// Files of 18-byte sample records named "<PREFIX>yy_MM_dd_HH_mm_ss.DAT" in one
// folder, shared by the 24-hour data log and the graph data log: the names,
// the listing that keeps the newest files and sets the others aside, the
// append of one record with its sync to storage, and reading whole records.
//
// A file's age is the date and time in its name (the moment the panel made
// it). A file that matches the pattern but has no valid date and time in its
// name, or an older file beyond the ones kept, is set aside by renaming it to
// "<name>.SET_ASIDE" (".SET_ASIDE.1", ... when taken): never deleted, since it
// may be the operator's only copy, and no longer read or written. No Qt.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_io.h"
#include "platform/time_format.h"

namespace dryer::logging {

inline constexpr std::size_t kRecordBytes = 18;

// Returns prefix + "yy_MM_dd_HH_mm_ss.DAT" for a file made at that time.
std::string sample_file_name(std::string_view prefix, const platform::LocalTime& made);

// Returns whether a name matches prefix + "??_??_??_??_??_??.DAT" (letters in
// any case).
bool sample_file_name_matches(std::string_view prefix, std::string_view name);

// Returns the file time of the date and time in a matching name (years
// 2000-2099), or nothing when the name carries no valid date and time.
std::optional<std::int64_t> sample_file_name_time(std::string_view prefix, std::string_view name);

// One kept sample file.
struct SampleFile {
    std::string name;
    std::uint64_t size = 0;
    std::int64_t made = 0;        // file time from the name
    std::int64_t modified_ns = 0;  // last change, nanoseconds since the epoch
};

// Returns the regular files of `folder` whose names match, oldest first (by
// the time in the name, then by name), at most `keep` of them: the newest.
// Stray and extra files are renamed aside and their new paths added to
// `set_aside`. Directories and other non-regular entries are skipped.
std::vector<SampleFile> list_sample_files(const std::filesystem::path& folder, std::string_view prefix,
                                          std::size_t keep, std::vector<std::filesystem::path>& set_aside);

enum class RecordAppend { written, cannot_open, write_failed };

// Appends the bytes at the end of `file` (folder and file created when
// missing) and syncs them to storage; a failed or short write is cut back so
// the file stays as it was.
RecordAppend append_record_bytes(const std::filesystem::path& file, const std::uint8_t* bytes, std::size_t size);

// A sample file opened for reading whole records. Positions count from the
// end of the file: a head that is not a whole record (size not a multiple of
// 18) stays unread, so the newest records stay aligned as written.
class RecordReader {
public:
    explicit RecordReader(const std::filesystem::path& file);
    // True when the file is open and a regular file.
    bool is_open() const { return open_; }
    // Returns the number of whole records.
    std::uint64_t count() const { return count_; }
    // Reads `take` records starting at whole record `first` (0 = oldest) into
    // `out`. Returns false when the range is not in the file or a read is short.
    bool read(std::uint64_t first, std::uint64_t take, std::uint8_t* out) const;

private:
    platform::UniqueFd fd_;
    bool open_ = false;
    std::uint64_t base_ = 0;
    std::uint64_t count_ = 0;
};

}  // namespace dryer::logging
