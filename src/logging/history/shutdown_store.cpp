#include "logging/history/shutdown_store.h"

#include <sqlite3.h>

#include <cstdio>
#include <system_error>
#include <utility>

#include "logging/history/history_db.h"
#include "logging/history/node_names.h"
#include "platform/panel_paths.h"
#include "platform/time_format.h"

namespace dryer::history {
namespace {

// Runs op on a fresh connection. When the file turns out to be unsound it is
// set aside and op runs once more on a new, empty store.
template <class Op>
int with_connection(const std::filesystem::path& file, int busy_ms, Op&& op) {
    db::Connection c;
    int rc = c.open(file, busy_ms);
    if (rc == SQLITE_OK) rc = op(c);
    if (db::is_unsound(rc)) {
        c.close();
        if (!db::set_aside(file)) return rc;
        rc = c.open(file, busy_ms);
        if (rc == SQLITE_OK) rc = op(c);
    }
    return rc;
}

}  // namespace

ShutdownStore::ShutdownStore() : ShutdownStore(platform::map_panel_path("\\Hard Disk\\ShutdownHistoryDB")) {}

ShutdownStore::ShutdownStore(std::filesystem::path file, Clock clock) : file_(std::move(file)), clock_(std::move(clock)) {
    if (!clock_) clock_ = [] { return platform::to_file_time(platform::local_time_now()); };
}

bool ShutdownStore::prepare() {
    std::unique_lock lock(store_mutex_);
    db::Connection c;
    int rc = c.open(file_, kScreenBusyMs);
    bool sound = false;
    if (rc == SQLITE_OK) rc = c.quick_check(sound);
    if (db::is_unsound(rc) || (rc == SQLITE_OK && !sound)) {
        c.close();
        rc = db::set_aside(file_) ? c.open(file_, kScreenBusyMs) : SQLITE_CANTOPEN;
    }
    c.close();
    write_queue_locked();
    lock.unlock();
    drain_queue();
    return rc == SQLITE_OK;
}

std::string shown_warning(const HistoryRecord& r, const WarningTextLookup& text) {
    if (r.warning_id == 0 || !text) return r.warning;
    std::string localized;
    try {
        localized = text(r.node_id, r.warning_id);
    } catch (...) {
        localized.clear();
    }
    return localized.empty() ? r.warning : cut_to_characters(localized, kMaxWarningChars);
}

RecordOutcome ShutdownStore::record(std::string_view warning_text, std::string_view node_name, std::uint8_t node_id,
                                    std::uint8_t warning_id) noexcept {
    try {
        HistoryRecord r{std::string(warning_text), std::string(node_name), clock_(), node_id, warning_id};
        {
            std::lock_guard q(queue_mutex_);
            if (queue_.size() >= kMaxQueued) return RecordOutcome::failed;
            queue_.push_back(std::move(r));
        }
        std::unique_lock lock(store_mutex_, std::try_to_lock);
        // A screen operation holds the store: it writes the queue before it
        // lets go (or drain_queue() below picks it up).
        if (!lock.owns_lock()) return RecordOutcome::queued;
        std::vector<HistoryRecord> batch;
        {
            std::lock_guard q(queue_mutex_);
            batch.assign(std::make_move_iterator(queue_.begin()), std::make_move_iterator(queue_.end()));
            queue_.clear();
        }
        const int rc = with_connection(file_, kRecordBusyMs, [&](db::Connection& c) { return c.insert(batch); });
        lock.unlock();
        drain_queue();
        return rc == SQLITE_OK ? RecordOutcome::stored : RecordOutcome::failed;
    } catch (...) {
        return RecordOutcome::failed;
    }
}

RecordOutcome ShutdownStore::record_event(std::string_view text) noexcept { return record(text, kGlobalNode); }

void ShutdownStore::write_queue_locked() {
    std::vector<HistoryRecord> batch;
    {
        std::lock_guard q(queue_mutex_);
        if (queue_.empty()) return;
        batch.assign(std::make_move_iterator(queue_.begin()), std::make_move_iterator(queue_.end()));
        queue_.clear();
    }
    // Failures are silent: the batch is lost, as a direct recording would be.
    with_connection(file_, kRecordBusyMs, [&](db::Connection& c) { return c.insert(batch); });
}

void ShutdownStore::drain_queue() {
    for (;;) {
        {
            std::lock_guard q(queue_mutex_);
            if (queue_.empty()) return;
        }
        std::unique_lock lock(store_mutex_, std::try_to_lock);
        if (!lock.owns_lock()) return;  // the holder writes it before letting go
        write_queue_locked();
    }
}

std::optional<std::size_t> ShutdownStore::read_info() {
    std::unique_lock lock(store_mutex_);
    write_queue_locked();
    std::size_t n = 0;
    const int rc = with_connection(file_, kScreenBusyMs, [&](db::Connection& c) { return c.count(n); });
    lock.unlock();
    drain_queue();
    if (rc != SQLITE_OK) return std::nullopt;
    return n;
}

std::vector<HistoryRecord> ShutdownStore::fill_list(SortOrder order) {
    std::unique_lock lock(store_mutex_);
    write_queue_locked();
    std::vector<HistoryRecord> rows;
    const int rc = with_connection(file_, kScreenBusyMs, [&](db::Connection& c) {
        return c.list(order, static_cast<std::size_t>(-1), rows);
    });
    lock.unlock();
    drain_queue();
    if (rc != SQLITE_OK) rows.clear();
    return rows;
}

bool ShutdownStore::clear() {
    {
        std::lock_guard lock(store_mutex_);
        write_queue_locked();
        db::remove_file(file_);
    }
    return prepare();
}

std::filesystem::path usb_drive_folder() { return platform::map_panel_path("\\Hard Disk2"); }

std::vector<std::filesystem::path> ShutdownStore::set_aside_files() const {
    std::vector<std::filesystem::path> found;
    std::error_code ec;
    const std::string prefix = file_.filename().string() + ".corrupt-";
    for (std::filesystem::directory_iterator it(file_.parent_path(), ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.rfind(prefix, 0) == 0 && name.find("-journal") == std::string::npos) found.push_back(it->path());
    }
    return found;
}

}  // namespace dryer::history
