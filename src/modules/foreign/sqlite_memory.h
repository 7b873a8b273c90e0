#pragma once

#include <sqlite3.h>

#include <optional>
#include <string>
#include <string_view>

namespace cardwise {

// A read-only SQLite database held in memory; no file of the program is touched, and the
// database's own schema cannot run code (defensive mode, untrusted schema).
class SqliteMemory {
  public:
    // Takes the bytes as they are; a database in WAL mode is read as a rollback one.
    explicit SqliteMemory(std::string bytes);
    ~SqliteMemory();
    SqliteMemory(const SqliteMemory&) = delete;
    SqliteMemory& operator=(const SqliteMemory&) = delete;

    bool ok() const { return db_ != nullptr; }
    bool hasTable(std::string_view name) const;
    bool hasColumn(std::string_view table, std::string_view column) const;
    sqlite3* handle() const { return db_; }

  private:
    std::string bytes_;
    sqlite3* db_ = nullptr;
};

// A prepared statement, finalized when it goes.
class SqliteQuery {
  public:
    SqliteQuery(sqlite3* db, std::string_view sql);
    ~SqliteQuery();
    SqliteQuery(const SqliteQuery&) = delete;
    SqliteQuery& operator=(const SqliteQuery&) = delete;

    bool ok() const { return statement_ != nullptr; }
    void bind(int index, std::string_view text);
    void bind(int index, sqlite3_int64 value);
    bool step();  // true while a row is there
    bool failed() const { return failed_; }
    std::string text(int column) const;
    sqlite3_int64 integer(int column) const;

  private:
    sqlite3_stmt* statement_ = nullptr;
    bool failed_ = false;
};

}  // namespace cardwise
