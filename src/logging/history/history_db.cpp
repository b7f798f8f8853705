#include "logging/history/history_db.h"

#include <sqlite3.h>

#include <string>
#include <system_error>

namespace dryer::history::db {
namespace {

// Marks the file as ours in the SQLite header ("DRYH").
constexpr int kApplicationId = 0x44525948;

constexpr const char* kSchema =
    "CREATE TABLE shutdowns("
    " id INTEGER PRIMARY KEY,"
    " warning TEXT NOT NULL,"
    " node TEXT NOT NULL,"
    " recorded INTEGER NOT NULL,"
    " node_id INTEGER,"
    " warning_id INTEGER);"
    "CREATE INDEX by_warning ON shutdowns(warning, node, recorded, id);"
    "CREATE INDEX by_node ON shutdowns(node, warning, recorded, id);"
    "CREATE INDEX by_date_time ON shutdowns(recorded, warning, node, id);";

// The columns a history written before the ids were kept lacks; its records
// read NULL there and show their stored text.
constexpr const char* kAddIds =
    "ALTER TABLE shutdowns ADD COLUMN node_id INTEGER;"
    "ALTER TABLE shutdowns ADD COLUMN warning_id INTEGER;";

// Plain SQL ORDER BY with the BINARY collation: case-sensitive, by code
// point; the row id keeps records that tie on all three keys in recording
// order.
std::string list_sql(SortOrder order, bool with_ids) {
    std::string sql = with_ids ? "SELECT warning, node, recorded, node_id, warning_id FROM shutdowns ORDER BY "
                               : "SELECT warning, node, recorded, NULL, NULL FROM shutdowns ORDER BY ";
    switch (order) {
    case SortOrder::by_warning:
        return sql + "warning, node, recorded, id LIMIT ?";
    case SortOrder::by_node:
        return sql + "node, warning, recorded, id LIMIT ?";
    case SortOrder::by_date_time:
        break;
    }
    return sql + "recorded, warning, node, id LIMIT ?";
}

// An id column's value; NULL and anything outside 0..255 read 0.
std::uint8_t column_id(sqlite3_stmt* st, int col) {
    const sqlite3_int64 v = sqlite3_column_int64(st, col);
    return v < 0 || v > 255 ? 0 : static_cast<std::uint8_t>(v);
}


std::string column_text(sqlite3_stmt* st, int col) {
    const auto* p = sqlite3_column_text(st, col);
    const int n = sqlite3_column_bytes(st, col);
    return p ? std::string(reinterpret_cast<const char*>(p), static_cast<std::size_t>(n)) : std::string();
}

std::filesystem::path journal_of(const std::filesystem::path& file) {
    return std::filesystem::path(file.string() + "-journal");
}

}  // namespace

Statement::Statement(sqlite3* db, const char* sql) { rc_ = sqlite3_prepare_v2(db, sql, -1, &stmt_, nullptr); }

Statement::~Statement() { sqlite3_finalize(stmt_); }

int query_int(sqlite3* db, const char* sql, long long& out) {
    Statement st(db, sql);
    if (st.prepared() != SQLITE_OK) return st.prepared();
    const int rc = sqlite3_step(st.get());
    if (rc != SQLITE_ROW) return rc == SQLITE_DONE ? SQLITE_ERROR : rc;
    out = sqlite3_column_int64(st.get(), 0);
    return SQLITE_OK;
}

Connection::~Connection() { close(); }

void Connection::close() {
    if (db_) sqlite3_close_v2(db_);
    db_ = nullptr;
}

int Connection::exec(const char* sql) { return sqlite3_exec(db_, sql, nullptr, nullptr, nullptr); }

int Connection::open(const std::filesystem::path& file, int busy_ms) {
    close();
    int rc = sqlite3_open_v2(file.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    if (rc != SQLITE_OK) return rc;
    sqlite3_extended_result_codes(db_, 1);
    sqlite3_busy_timeout(db_, busy_ms);
    // DELETE keeps the history one file at rest; FULL syncs the journal and
    // the file before a commit returns, so a record survives power loss.
    if ((rc = exec("PRAGMA synchronous=FULL")) != SQLITE_OK) return rc;
    {
        Statement st(db_, "PRAGMA journal_mode=DELETE");
        if (st.prepared() != SQLITE_OK) return st.prepared();
        rc = sqlite3_step(st.get());
        if (rc != SQLITE_ROW) return rc;
    }
    return ensure_schema();
}

int Connection::ensure_schema() {
    long long app_id = 0;
    long long objects = 0;
    int rc = query_int(db_, "PRAGMA application_id", app_id);
    if (rc != SQLITE_OK) return rc;
    if (app_id == kApplicationId) {
        add_id_columns();
        return SQLITE_OK;
    }
    if ((rc = exec("BEGIN IMMEDIATE")) != SQLITE_OK) return rc;
    // Another connection may have created the schema while we waited.
    rc = query_int(db_, "PRAGMA application_id", app_id);
    if (rc == SQLITE_OK) rc = query_int(db_, "SELECT count(*) FROM sqlite_master", objects);
    if (rc == SQLITE_OK && app_id == 0 && objects == 0) {
        rc = exec(kSchema);
        if (rc == SQLITE_OK) rc = exec(("PRAGMA application_id=" + std::to_string(kApplicationId)).c_str());
        if (rc == SQLITE_OK) rc = exec("COMMIT");
        if (rc == SQLITE_OK) {
            has_ids_ = true;
            return SQLITE_OK;
        }
    }
    exec("ROLLBACK");
    if (rc != SQLITE_OK) return rc;
    if (app_id != kApplicationId) return kForeign;
    add_id_columns();
    return SQLITE_OK;
}

void Connection::add_id_columns() {
    const char* has_column = "SELECT count(*) FROM pragma_table_info('shutdowns') WHERE name='warning_id'";
    long long n = 0;
    has_ids_ = query_int(db_, has_column, n) == SQLITE_OK && n > 0;
    if (has_ids_ || exec("BEGIN IMMEDIATE") != SQLITE_OK) return;
    // Another connection may have added them while we waited.
    int rc = query_int(db_, has_column, n);
    if (rc == SQLITE_OK && n == 0) rc = exec(kAddIds);
    if (rc == SQLITE_OK) rc = exec("COMMIT");
    if (rc != SQLITE_OK) {
        exec("ROLLBACK");
        return;
    }
    has_ids_ = true;
}

int Connection::insert(const std::vector<HistoryRecord>& records) {
    if (records.empty()) return SQLITE_OK;
    int rc = exec("BEGIN IMMEDIATE");
    if (rc != SQLITE_OK) return rc;
    {
        Statement st(db_, has_ids_ ? "INSERT INTO shutdowns(warning, node, recorded, node_id, warning_id) VALUES(?, ?, ?, ?, ?)"
                                   : "INSERT INTO shutdowns(warning, node, recorded) VALUES(?, ?, ?)");
        rc = st.prepared();
        for (std::size_t i = 0; rc == SQLITE_OK && i < records.size(); ++i) {
            const HistoryRecord& r = records[i];
            sqlite3_bind_text(st.get(), 1, r.warning.data(), static_cast<int>(r.warning.size()), SQLITE_STATIC);
            sqlite3_bind_text(st.get(), 2, r.node.data(), static_cast<int>(r.node.size()), SQLITE_STATIC);
            sqlite3_bind_int64(st.get(), 3, r.recorded);
            if (has_ids_ && r.warning_id != 0) {
                sqlite3_bind_int(st.get(), 4, r.node_id);
                sqlite3_bind_int(st.get(), 5, r.warning_id);
            } else if (has_ids_) {
                sqlite3_bind_null(st.get(), 4);
                sqlite3_bind_null(st.get(), 5);
            }
            rc = sqlite3_step(st.get());
            rc = rc == SQLITE_DONE ? SQLITE_OK : rc;
            sqlite3_reset(st.get());
        }
    }
    if (rc == SQLITE_OK) rc = exec("COMMIT");
    if (rc != SQLITE_OK) exec("ROLLBACK");
    return rc;
}

int Connection::count(std::size_t& out) {
    long long n = 0;
    const int rc = query_int(db_, "SELECT count(*) FROM shutdowns", n);
    if (rc == SQLITE_OK) out = static_cast<std::size_t>(n);
    return rc;
}

int Connection::list(SortOrder order, std::size_t limit, std::vector<HistoryRecord>& out) {
    out.clear();
    Statement st(db_, list_sql(order, has_ids_).c_str());
    if (st.prepared() != SQLITE_OK) return st.prepared();
    const auto lim = limit > static_cast<std::size_t>(INT64_MAX) ? INT64_MAX : static_cast<sqlite3_int64>(limit);
    sqlite3_bind_int64(st.get(), 1, lim);
    int rc = SQLITE_OK;
    while ((rc = sqlite3_step(st.get())) == SQLITE_ROW) {
        out.push_back({column_text(st.get(), 0), column_text(st.get(), 1), sqlite3_column_int64(st.get(), 2),
                       column_id(st.get(), 3), column_id(st.get(), 4)});
    }
    if (rc != SQLITE_DONE) {
        out.clear();
        return rc;
    }
    return SQLITE_OK;
}

int Connection::quick_check(bool& ok) {
    Statement st(db_, "PRAGMA quick_check");
    if (st.prepared() != SQLITE_OK) return st.prepared();
    int rc = sqlite3_step(st.get());
    if (rc != SQLITE_ROW) return rc;
    ok = column_text(st.get(), 0) == "ok";
    return SQLITE_OK;
}

int Connection::system_errno() const { return db_ ? sqlite3_system_errno(db_) : 0; }

bool is_unsound(int code) {
    const int primary = code & 0xFF;
    return code == kForeign || primary == SQLITE_CORRUPT || primary == SQLITE_NOTADB;
}

bool set_aside(const std::filesystem::path& file) {
    std::error_code ec;
    for (int n = 1; n < 10000; ++n) {
        const std::filesystem::path target(file.string() + ".corrupt-" + std::to_string(n));
        if (std::filesystem::exists(target, ec) || std::filesystem::exists(journal_of(target), ec)) continue;
        std::filesystem::rename(file, target, ec);
        if (ec) return false;
        // A journal left beside the file belongs to it: keep the two together,
        // and never let it meet the fresh file (SQLite would roll it back into
        // the new store).
        if (std::filesystem::exists(journal_of(file), ec)) {
            std::filesystem::rename(journal_of(file), journal_of(target), ec);
            if (ec) std::filesystem::remove(journal_of(file), ec);
        }
        return !std::filesystem::exists(journal_of(file), ec);
    }
    return false;
}

bool remove_file(const std::filesystem::path& file) {
    std::error_code ec;
    std::filesystem::remove(journal_of(file), ec);
    const bool journal_gone = !std::filesystem::exists(journal_of(file), ec);
    std::filesystem::remove(file, ec);
    return !std::filesystem::exists(file, ec) && journal_gone;
}

}  // namespace dryer::history::db
