// The SQLite side of the shutdown history (used by the store only): one
// connection to the history file for the length of one operation.
#pragma once

#include <cstddef>
#include <filesystem>
#include <vector>

#include "logging/history/shutdown_store.h"

struct sqlite3;
struct sqlite3_stmt;

namespace dryer::history::db {

// Result codes are SQLite's (SQLITE_OK == 0), plus kForeign for a sound
// SQLite file that is not a shutdown history.
inline constexpr int kForeign = 1000;

// One prepared statement, finalized when it goes out of scope. Shared by the
// panel's SQLite stores (the shutdown history and the settings journal).
class Statement {
public:
    Statement(sqlite3* db, const char* sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    // The result of preparing it (0 when prepared).
    int prepared() const { return rc_; }
    sqlite3_stmt* get() const { return stmt_; }

private:
    sqlite3_stmt* stmt_ = nullptr;
    int rc_ = 0;
};

// Reads one integer from a one-row query into out; returns 0 or the
// failing code (a query with no row fails).
int query_int(sqlite3* db, const char* sql, long long& out);

class Connection {
public:
    Connection() = default;
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // open() opens the file (creating it and its schema when missing)
    // with a rollback journal and synchronous FULL, waiting up to busy_ms for
    // another process's lock, and return 0 or the failing code.
    int open(const std::filesystem::path& file, int busy_ms);
    // insert() adds the records in one transaction (all or none).
    int insert(const std::vector<HistoryRecord>& records);
    int count(std::size_t& out);
    // list() reads at most `limit` records in the order.
    int list(SortOrder order, std::size_t limit, std::vector<HistoryRecord>& out);
    // quick_check() sets ok to whether the file passed SQLite's check.
    int quick_check(bool& ok);
    // The operating system's error number of the last failure (0 if none).
    int system_errno() const;
    void close();

private:
    int exec(const char* sql);
    int ensure_schema();
    // Adds the id columns to a history written before they were kept; a
    // file that cannot take them (read-only, locked) is used without ids.
    void add_id_columns();

    sqlite3* db_ = nullptr;
    bool has_ids_ = false;  // the file has the node_id and warning_id columns
};

// is_unsound() returns true for codes that mean the file is not a sound
// history: corrupt, not a database, or another application's database.
bool is_unsound(int code);

// set_aside() renames the file (and a journal beside it) to the first
// free name "<file>.corrupt-N" and return true when the file is out of the way.
bool set_aside(const std::filesystem::path& file);

// remove_file() deletes the file and its journal; true when both are gone.
bool remove_file(const std::filesystem::path& file);

}  // namespace dryer::history::db
