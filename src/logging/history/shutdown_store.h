// The shutdown history: every shutdown the controller reports, with the
// panel's local time, kept in one SQLite file \Hard Disk\ShutdownHistoryDB
// that survives power loss (rollback journal, synchronous FULL, so nothing
// but that file exists between operations).
//
// Threads: the receive thread records (inside the status decoding) while the
// user-interface thread lists, clears, exports and records events. One mutex
// is held around each operation so that no two overlap. A recording that
// finds the mutex taken does not wait: it queues the record, and whichever
// operation holds the mutex writes the queue before letting go, so the link
// never waits on a long listing or export.
//
// Failures: recording is silent (the result only tells tests what happened);
// a locked, read-only or full file costs at most that record. A file that is
// not a sound history (corrupt, not SQLite, another application's database)
// is renamed aside to ShutdownHistoryDB.corrupt-N, never deleted, and a fresh
// store is prepared, so older records can still be recovered by hand.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "logging/history/single_byte.h"

namespace dryer::history {

// The three ways the history can be listed; each sorts ascending and
// case-sensitively on three keys (ties left in recording order).
enum class SortOrder : int {
    by_warning = 0,    // warning text, node name, time
    by_node = 1,       // node name, warning text, time
    by_date_time = 2,  // time, warning text, node name
};

struct HistoryRecord {
    std::string warning;        // warning text or event text (UTF-8), as recorded
    std::string node;           // node name, "Global" for events
    std::int64_t recorded = 0;  // local time as a file time (100 ns since 1601)
    // The controller's ids of the shutdown; warning_id 0 for events and for
    // records written before the ids were kept (their text stands as stored).
    std::uint8_t node_id = 0;
    std::uint8_t warning_id = 0;
};

// Localized warning text of a (node id, warning id) pair; empty when none.
using WarningTextLookup = std::function<std::string(std::uint8_t node, std::uint8_t warning)>;

// The longest warning text a record keeps, in characters.
inline constexpr std::size_t kMaxWarningChars = 149;

// shown_warning() returns the record's warning text in the language of
// `text`: the lookup's text of its ids (cut to kMaxWarningChars) when the
// record has ids and the lookup knows them, else the stored text.
std::string shown_warning(const HistoryRecord& r, const WarningTextLookup& text);

enum class RecordOutcome {
    stored,  // committed to the file
    queued,  // handed to the operation that holds the store; it writes it
    failed,  // not stored (file locked, read-only, full, ...)
};

// What an export did; the screen shows `message` in a box without caption
// when kind is message.
struct ExportResult {
    enum class Kind { written, not_written, message } kind = Kind::not_written;
    std::string message;
};

class ShutdownStore {
public:
    using Clock = std::function<std::int64_t()>;  // local time now, as a file time

    // The store in the panel's file \Hard Disk\ShutdownHistoryDB.
    ShutdownStore();
    // The store in `file`; the clock defaults to the machine's local time.
    explicit ShutdownStore(std::filesystem::path file, Clock clock = {});
    ShutdownStore(const ShutdownStore&) = delete;
    ShutdownStore& operator=(const ShutdownStore&) = delete;

    // prepare() creates the file and its table and sort indexes when
    // missing, set aside a file that fails the integrity check, and return
    // true when the store is ready for use.
    bool prepare();

    // record() adds a record (warning text, node name, now, and the
    // controller's ids when given) and return how it went; it never throws
    // and never waits for a screen operation.
    RecordOutcome record(std::string_view warning_text, std::string_view node_name, std::uint8_t node_id = 0,
                         std::uint8_t warning_id = 0) noexcept;

    // record_event() adds a record with the text, node "Global" and now.
    RecordOutcome record_event(std::string_view text) noexcept;

    // read_info() returns the number of records, or nothing when the
    // file cannot be read.
    std::optional<std::size_t> read_info();

    // fill_list() returns every record in the order; an empty list when
    // the file cannot be read.
    std::vector<HistoryRecord> fill_list(SortOrder order);

    // clear() deletes the file and prepare the store again; true when the
    // new store is ready.
    bool clear();

    // export_text() writes the first `count` records by date and time to
    // `usb_folder`/DryerShutdownHistory.txt, one line each: warning, ";",
    // node, ";", date "MMM dd',' yyy", ";", time "h':'mm tt", ";" and a line
    // feed, in the code page, replacing what the file held. The warning is
    // shown_warning() with `text` (the stored text when it is empty). When the file
    // cannot be created it returns not_written; when the history cannot
    // be read it leaves the file as it was and return a message.
    ExportResult export_text(std::size_t count, const std::filesystem::path& usb_folder,
                             CodePage page = CodePage::windows_1252, const WarningTextLookup& text = {});

    // The store's file and the names its corrupt predecessors were given.
    const std::filesystem::path& file() const { return file_; }
    std::vector<std::filesystem::path> set_aside_files() const;

    // How long a recording waits for another process's lock on the file
    // (milliseconds); screen operations wait longer.
    static constexpr int kRecordBusyMs = 50;
    static constexpr int kScreenBusyMs = 2000;
    // Records queued while a screen operation holds the store, at most.
    static constexpr std::size_t kMaxQueued = 256;

private:
    // Writes the queue; the store mutex is held.
    void write_queue_locked();
    // Takes the store mutex if free, writes the queue, and repeats while
    // records keep arriving.
    void drain_queue();

    std::filesystem::path file_;
    Clock clock_;
    std::mutex store_mutex_;   // around every operation on the file
    std::mutex queue_mutex_;   // around queue_ only, never held during I/O
    std::deque<HistoryRecord> queue_;
};

// The file name of the export on the USB flash drive.
inline constexpr std::string_view kExportFileName = "DryerShutdownHistory.txt";

// usb_drive_folder() returns the panel's USB flash drive, \Hard Disk2.
std::filesystem::path usb_drive_folder();

// export_line() returns one line of the export for the record, in the code
// page, with the warning text given.
std::string export_line(const HistoryRecord& r, CodePage page = CodePage::windows_1252,
                        const WarningTextLookup& text = {});

// date_text() and time_text() returns the list's date ("MMM dd',' yyy")
// and time ("h':'mm tt") of a file time.
std::string date_text(std::int64_t file_time);
std::string time_text(std::int64_t file_time);

}  // namespace dryer::history
