#include "logging/journal/settings_journal.h"

#include <sqlite3.h>

#include <cstdio>
#include <fstream>
#include <system_error>
#include <utility>

#include "logging/history/history_db.h"
#include "platform/panel_paths.h"
#include "platform/time_format.h"

namespace dryer::journal {
namespace {

namespace hdb = history::db;
using hdb::query_int;
using hdb::Statement;

// Marks the file as ours in the SQLite header ("DRYJ").
constexpr int kApplicationId = 0x4452594A;

// AUTOINCREMENT keeps ids growing after the oldest rows are dropped, so the
// id order is the recording order.
constexpr const char* kSchema =
    "CREATE TABLE changes("
    " id INTEGER PRIMARY KEY AUTOINCREMENT,"
    " recorded INTEGER NOT NULL,"
    " code INTEGER NOT NULL,"
    " offset INTEGER NOT NULL,"
    " old_value BLOB NOT NULL,"
    " new_value BLOB NOT NULL,"
    " source TEXT NOT NULL);";

std::vector<std::uint8_t> column_blob(sqlite3_stmt* st, int col) {
    const auto* p = static_cast<const std::uint8_t*>(sqlite3_column_blob(st, col));
    const int n = sqlite3_column_bytes(st, col);
    return p && n > 0 ? std::vector<std::uint8_t>(p, p + n) : std::vector<std::uint8_t>();
}

std::string column_text(sqlite3_stmt* st, int col) {
    const auto* p = sqlite3_column_text(st, col);
    const int n = sqlite3_column_bytes(st, col);
    return p ? std::string(reinterpret_cast<const char*>(p), static_cast<std::size_t>(n)) : std::string();
}

sqlite3_int64 clamp_limit(std::size_t n) {
    return n > static_cast<std::size_t>(INT64_MAX) ? INT64_MAX : static_cast<sqlite3_int64>(n);
}

// One connection for the length of one operation.
class Connection {
public:
    ~Connection() { close(); }
    void close() {
        if (db_) sqlite3_close_v2(db_);
        db_ = nullptr;
    }

    int open(const std::filesystem::path& file) {
        close();
        int rc = sqlite3_open_v2(file.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
        if (rc != SQLITE_OK) return rc;
        sqlite3_extended_result_codes(db_, 1);
        sqlite3_busy_timeout(db_, SettingsJournal::kBusyMs);
        // DELETE keeps the journal one file at rest; FULL syncs the rollback
        // journal and the file before a commit returns.
        if ((rc = exec("PRAGMA synchronous=FULL")) != SQLITE_OK) return rc;
        {
            Statement st(db_, "PRAGMA journal_mode=DELETE");
            if (st.prepared() != SQLITE_OK) return st.prepared();
            rc = sqlite3_step(st.get());
            if (rc != SQLITE_ROW) return rc;
        }
        return ensure_schema();
    }

    int insert(const JournalEntry& e, std::size_t bound) {
        int rc = exec("BEGIN IMMEDIATE");
        if (rc != SQLITE_OK) return rc;
        {
            Statement st(db_,
                         "INSERT INTO changes(recorded, code, offset, old_value, new_value, source) "
                         "VALUES(?, ?, ?, ?, ?, ?)");
            rc = st.prepared();
            if (rc == SQLITE_OK) {
                sqlite3_bind_int64(st.get(), 1, e.recorded);
                sqlite3_bind_int(st.get(), 2, e.code);
                sqlite3_bind_int64(st.get(), 3, static_cast<sqlite3_int64>(e.offset));
                sqlite3_bind_blob(st.get(), 4, e.old_value.data(), static_cast<int>(e.old_value.size()), SQLITE_STATIC);
                sqlite3_bind_blob(st.get(), 5, e.new_value.data(), static_cast<int>(e.new_value.size()), SQLITE_STATIC);
                sqlite3_bind_text(st.get(), 6, e.source.data(), static_cast<int>(e.source.size()), SQLITE_STATIC);
                rc = sqlite3_step(st.get());
                rc = rc == SQLITE_DONE ? SQLITE_OK : rc;
            }
        }
        if (rc == SQLITE_OK) {
            // Drops everything older than the newest `bound` entries; the
            // subquery is NULL (nothing dropped) while there are fewer.
            Statement st(db_,
                         "DELETE FROM changes WHERE id <= "
                         "(SELECT id FROM changes ORDER BY id DESC LIMIT 1 OFFSET ?)");
            rc = st.prepared();
            if (rc == SQLITE_OK) {
                sqlite3_bind_int64(st.get(), 1, clamp_limit(bound));
                rc = sqlite3_step(st.get());
                rc = rc == SQLITE_DONE ? SQLITE_OK : rc;
            }
        }
        if (rc == SQLITE_OK) rc = exec("COMMIT");
        if (rc != SQLITE_OK) exec("ROLLBACK");
        return rc;
    }

    int newest(std::size_t n, std::vector<JournalEntry>& out) {
        out.clear();
        Statement st(db_,
                     "SELECT recorded, code, offset, old_value, new_value, source FROM changes "
                     "ORDER BY id DESC LIMIT ?");
        if (st.prepared() != SQLITE_OK) return st.prepared();
        sqlite3_bind_int64(st.get(), 1, clamp_limit(n));
        int rc = SQLITE_OK;
        while ((rc = sqlite3_step(st.get())) == SQLITE_ROW) {
            JournalEntry e;
            e.recorded = sqlite3_column_int64(st.get(), 0);
            // Values from the file are outside data: keep them in range.
            e.code = static_cast<std::uint16_t>(sqlite3_column_int64(st.get(), 1) & 0xFFFF);
            const sqlite3_int64 offset = sqlite3_column_int64(st.get(), 2);
            e.offset = offset < 0 ? 0 : static_cast<std::size_t>(offset);
            e.old_value = column_blob(st.get(), 3);
            e.new_value = column_blob(st.get(), 4);
            e.source = column_text(st.get(), 5);
            out.push_back(std::move(e));
        }
        if (rc != SQLITE_DONE) {
            out.clear();
            return rc;
        }
        return SQLITE_OK;
    }

    int count(std::size_t& out) {
        long long n = 0;
        const int rc = query_int(db_, "SELECT count(*) FROM changes", n);
        if (rc == SQLITE_OK) out = static_cast<std::size_t>(n);
        return rc;
    }

    int quick_check(bool& ok) {
        Statement st(db_, "PRAGMA quick_check");
        if (st.prepared() != SQLITE_OK) return st.prepared();
        const int rc = sqlite3_step(st.get());
        if (rc != SQLITE_ROW) return rc;
        ok = column_text(st.get(), 0) == "ok";
        return SQLITE_OK;
    }

private:
    int exec(const char* sql) { return sqlite3_exec(db_, sql, nullptr, nullptr, nullptr); }

    int ensure_schema() {
        long long app_id = 0;
        long long objects = 0;
        int rc = query_int(db_, "PRAGMA application_id", app_id);
        if (rc != SQLITE_OK) return rc;
        if (app_id == kApplicationId) return SQLITE_OK;
        if ((rc = exec("BEGIN IMMEDIATE")) != SQLITE_OK) return rc;
        rc = query_int(db_, "PRAGMA application_id", app_id);
        if (rc == SQLITE_OK) rc = query_int(db_, "SELECT count(*) FROM sqlite_master", objects);
        if (rc == SQLITE_OK && app_id == 0 && objects == 0) {
            rc = exec(kSchema);
            if (rc == SQLITE_OK) rc = exec(("PRAGMA application_id=" + std::to_string(kApplicationId)).c_str());
            if (rc == SQLITE_OK) rc = exec("COMMIT");
            if (rc == SQLITE_OK) return SQLITE_OK;
        }
        exec("ROLLBACK");
        if (rc != SQLITE_OK) return rc;
        return app_id == kApplicationId ? SQLITE_OK : hdb::kForeign;
    }

    sqlite3* db_ = nullptr;
};

// Runs op on a fresh connection. When the file turns out to be unsound it is
// set aside and op runs once more on a new, empty journal.
template <class Op>
int with_connection(const std::filesystem::path& file, Op&& op) {
    Connection c;
    int rc = c.open(file);
    if (rc == SQLITE_OK) rc = op(c);
    if (hdb::is_unsound(rc)) {
        c.close();
        if (!hdb::set_aside(file)) return rc;
        rc = c.open(file);
        if (rc == SQLITE_OK) rc = op(c);
    }
    return rc;
}

std::string hex_bytes(const std::vector<std::uint8_t>& bytes) {
    std::string out;
    char buf[4];
    for (std::size_t k = 0; k < bytes.size(); ++k) {
        std::snprintf(buf, sizeof buf, "%02X", bytes[k]);
        if (k > 0) out += ' ';
        out += buf;
    }
    return out;
}

std::string csv_field(const std::string& s) {
    if (s.find_first_of(",\"\r\n") == std::string::npos) return s;
    std::string out = "\"";
    for (const char c : s) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + '"';
}

}  // namespace

SettingsJournal::SettingsJournal() : SettingsJournal(platform::map_panel_path("\\Hard Disk\\SettingsJournalDB")) {}

SettingsJournal::SettingsJournal(std::filesystem::path file, std::size_t bound, Clock clock)
    : file_(std::move(file)), bound_(bound == 0 ? 1 : bound), clock_(std::move(clock)) {
    if (!clock_) clock_ = [] { return platform::to_file_time(platform::local_time_now()); };
}

bool SettingsJournal::prepare() {
    std::lock_guard lock(mutex_);
    Connection c;
    int rc = c.open(file_);
    bool sound = false;
    if (rc == SQLITE_OK) rc = c.quick_check(sound);
    if (hdb::is_unsound(rc) || (rc == SQLITE_OK && !sound)) {
        c.close();
        rc = hdb::set_aside(file_) ? c.open(file_) : SQLITE_CANTOPEN;
    }
    return rc == SQLITE_OK;
}

JournalOutcome SettingsJournal::record(const link::SettingChange& change) noexcept {
    try {
        JournalEntry e;
        e.code = change.code;
        e.offset = change.offset;
        const std::size_t n = change.n < change.new_bytes.size() ? change.n : change.new_bytes.size();
        e.old_value.assign(change.old_bytes.begin(), change.old_bytes.begin() + static_cast<std::ptrdiff_t>(n));
        e.new_value.assign(change.new_bytes.begin(), change.new_bytes.begin() + static_cast<std::ptrdiff_t>(n));
        e.source = std::string(change.source);
        std::lock_guard lock(mutex_);
        e.recorded = clock_();
        const int rc = with_connection(file_, [&](Connection& c) { return c.insert(e, bound_); });
        if (rc == SQLITE_OK) return JournalOutcome::stored;
        ++failed_;
        return JournalOutcome::failed;
    } catch (...) {
        std::lock_guard lock(mutex_);
        ++failed_;
        return JournalOutcome::failed;
    }
}

void SettingsJournal::record_setting_change(const link::SettingChange& change) noexcept { (void)record(change); }

std::vector<JournalEntry> SettingsJournal::newest(std::size_t n) {
    std::lock_guard lock(mutex_);
    std::vector<JournalEntry> out;
    if (with_connection(file_, [&](Connection& c) { return c.newest(n, out); }) != SQLITE_OK) out.clear();
    return out;
}

std::optional<std::size_t> SettingsJournal::count() {
    std::lock_guard lock(mutex_);
    std::size_t n = 0;
    if (with_connection(file_, [&](Connection& c) { return c.count(n); }) != SQLITE_OK) return std::nullopt;
    return n;
}

bool SettingsJournal::export_csv(const std::filesystem::path& csv_file, std::size_t n) {
    std::vector<JournalEntry> rows;
    {
        std::lock_guard lock(mutex_);
        if (with_connection(file_, [&](Connection& c) { return c.newest(n, rows); }) != SQLITE_OK) return false;
    }
    const std::filesystem::path tmp(csv_file.string() + ".tmp");
    {
        std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
        if (!out) return false;
        out << kCsvHeader;
        for (auto it = rows.rbegin(); it != rows.rend(); ++it) out << csv_line(*it);
        out.flush();
        if (!out) {
            out.close();
            std::error_code ec;
            std::filesystem::remove(tmp, ec);
            return false;
        }
    }
    std::error_code ec;
    std::filesystem::rename(tmp, csv_file, ec);
    if (!ec) return true;
    std::filesystem::remove(tmp, ec);
    return false;
}

std::size_t SettingsJournal::failed_writes() const {
    std::lock_guard lock(mutex_);
    return failed_;
}

std::string csv_line(const JournalEntry& e) {
    const platform::LocalTime t = platform::from_file_time(e.recorded);
    char when[96];
    std::snprintf(when, sizeof when, "%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day, t.hour, t.minute,
                  t.second);
    return std::string(when) + ',' + std::to_string(e.code) + ',' + std::to_string(e.offset) + ',' +
           hex_bytes(e.old_value) + ',' + hex_bytes(e.new_value) + ',' + csv_field(e.source) + "\r\n";
}

}  // namespace dryer::journal
