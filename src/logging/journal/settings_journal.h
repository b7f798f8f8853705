// The settings-change journal: every setting the operator commits (through
// the link's settings-edit path) with the panel's local time, the reply item
// code, the setting offset, the bytes the controller reported before the
// commit and the bytes committed, and the screen that committed it. It is
// kept in one SQLite file, \Hard Disk\SettingsJournalDB, bounded to the
// newest entries, durable like the shutdown history (rollback journal,
// synchronous FULL: one file at rest, an entry survives power loss).
//
// Usage (on the user-interface thread):
//   static journal::SettingsJournal j;                // \Hard Disk\SettingsJournalDB
//   j.prepare();
//   link::link_state().settings_sink.store(&j);       // commits are journaled
//   auto last = j.newest(50);
//   j.export_csv(usb_folder / journal::kCsvFileName);
//
// Failures: recording never throws and never stops a commit; a failed write
// is counted (failed_writes()) and the entry is lost. A file that is not a
// sound journal (corrupt, not SQLite, another application's database) is
// renamed aside to SettingsJournalDB.corrupt-N and a fresh journal is made.
//
// CSV export format (UTF-8, lines ended by CR LF, oldest entry first):
//   time,item,offset,old,new,source
//   2026-12-08 21:56:12,69,69,B4 00,BE 00,temperature setpoints
// time is the local time "yyyy-MM-dd HH:mm:ss"; item is the reply item code
// and offset the setting offset, both decimal; old and new are the value
// bytes in upper-case hex separated by single blanks, in the order the
// controller reports them (old is empty when the entry has none); source is
// written as is, or in double quotes with inner quotes doubled when it holds
// a comma, a quote, a CR or a LF.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "link/link_state.h"

namespace dryer::journal {

struct JournalEntry {
    std::int64_t recorded = 0;  // local time as a file time (100 ns since 1601)
    std::uint16_t code = 0;     // reply item code
    std::size_t offset = 0;     // setting offset
    std::vector<std::uint8_t> old_value;  // the controller's bytes before the commit
    std::vector<std::uint8_t> new_value;  // the committed bytes
    std::string source;                   // screen or dialog
    bool operator==(const JournalEntry&) const = default;
};

enum class JournalOutcome { stored, failed };

// The file name of the export on the USB flash drive.
inline constexpr std::string_view kCsvFileName = "DryerSettingsJournal.csv";

class SettingsJournal : public link::SettingsSink {
public:
    using Clock = std::function<std::int64_t()>;  // local time now, as a file time
    static constexpr std::size_t kDefaultBound = 20000;

    // The journal in the panel's file \Hard Disk\SettingsJournalDB.
    SettingsJournal();
    // The journal in `file`, keeping the newest `bound` entries (at least
    // 1); the clock defaults to the machine's local time.
    explicit SettingsJournal(std::filesystem::path file, std::size_t bound = kDefaultBound, Clock clock = {});
    SettingsJournal(const SettingsJournal&) = delete;
    SettingsJournal& operator=(const SettingsJournal&) = delete;

    // prepare() creates the file and its table when missing, sets aside a
    // file that fails the integrity check, and returns true when the journal
    // is ready for use.
    bool prepare();

    // record() adds an entry for the change, stamped with the clock, drops
    // the oldest entries beyond the bound in the same transaction, and
    // returns how it went. It never throws.
    JournalOutcome record(const link::SettingChange& change) noexcept;

    // The settings-edit path's hook: record() with the outcome counted.
    void record_setting_change(const link::SettingChange& change) noexcept override;

    // newest() returns at most n entries, newest first; an empty list when
    // the file cannot be read.
    std::vector<JournalEntry> newest(std::size_t n);

    // count() returns the number of entries, or nothing when the file
    // cannot be read.
    std::optional<std::size_t> count();

    // export_csv() writes the newest n entries, oldest first, to csv_file in
    // the format above (header line included), replacing the file through a
    // temporary file beside it. Returns false, leaving an existing file as it
    // was, when the journal cannot be read or the file cannot be written.
    bool export_csv(const std::filesystem::path& csv_file, std::size_t n = kDefaultBound);

    // failed_writes() returns how many records failed since construction.
    std::size_t failed_writes() const;

    const std::filesystem::path& file() const { return file_; }
    std::size_t bound() const { return bound_; }

    // How long an operation waits for another process's lock on the file.
    static constexpr int kBusyMs = 2000;

private:
    std::filesystem::path file_;
    std::size_t bound_;
    Clock clock_;
    mutable std::mutex mutex_;  // around every operation on the file
    std::size_t failed_ = 0;
};

// csv_line() returns one line of the export for the entry, with CR LF.
std::string csv_line(const JournalEntry& e);

// The header line of the export, with CR LF.
inline constexpr std::string_view kCsvHeader = "time,item,offset,old,new,source\r\n";

}  // namespace dryer::journal
