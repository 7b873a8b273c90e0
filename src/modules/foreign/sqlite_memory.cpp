#include "modules/foreign/sqlite_memory.h"

#include <utility>

namespace cardwise {

SqliteMemory::SqliteMemory(std::string bytes) : bytes_(std::move(bytes)) {
    constexpr std::string_view kMagic{"SQLite format 3\0", 16};
    if (bytes_.size() < 100 || !std::string_view(bytes_).starts_with(kMagic)) return;
    // The write and read versions 2 mean WAL, which an in-memory database cannot open.
    if (bytes_[18] == 2) bytes_[18] = 1;
    if (bytes_[19] == 2) bytes_[19] = 1;
    if (sqlite3_open_v2(":memory:", &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) !=
        SQLITE_OK) {
        sqlite3_close(db_);
        db_ = nullptr;
        return;
    }
    sqlite3_db_config(db_, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
    sqlite3_db_config(db_, SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);
    sqlite3_db_config(db_, SQLITE_DBCONFIG_ENABLE_TRIGGER, 0, nullptr);
    sqlite3_db_config(db_, SQLITE_DBCONFIG_ENABLE_VIEW, 0, nullptr);
    sqlite3_limit(db_, SQLITE_LIMIT_LENGTH, 64 << 20);
    auto* data = reinterpret_cast<unsigned char*>(bytes_.data());
    const auto size = static_cast<sqlite3_int64>(bytes_.size());
    if (sqlite3_deserialize(db_, "main", data, size, size, SQLITE_DESERIALIZE_READONLY) !=
            SQLITE_OK ||
        sqlite3_exec(db_, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr) !=
            SQLITE_OK) {
        sqlite3_close(db_);
        db_ = nullptr;
    }
}

SqliteMemory::~SqliteMemory() {
    if (db_) sqlite3_close(db_);
}

bool SqliteMemory::hasTable(std::string_view name) const {
    SqliteQuery q(db_, "SELECT 1 FROM sqlite_master WHERE type='table' AND name=?");
    q.bind(1, name);
    return q.step();
}

bool SqliteMemory::hasColumn(std::string_view table, std::string_view column) const {
    SqliteQuery q(db_, "SELECT 1 FROM pragma_table_info(?) WHERE name=?");
    q.bind(1, table);
    q.bind(2, column);
    return q.step();
}

SqliteQuery::SqliteQuery(sqlite3* db, std::string_view sql) {
    if (!db || sqlite3_prepare_v2(db, sql.data(), static_cast<int>(sql.size()), &statement_,
                                  nullptr) != SQLITE_OK) {
        sqlite3_finalize(statement_);
        statement_ = nullptr;
        failed_ = true;
    }
}

SqliteQuery::~SqliteQuery() {
    sqlite3_finalize(statement_);
}

void SqliteQuery::bind(int index, std::string_view text) {
    if (statement_) {
        sqlite3_bind_text(statement_, index, text.data(), static_cast<int>(text.size()),
                          SQLITE_TRANSIENT);
    }
}

void SqliteQuery::bind(int index, sqlite3_int64 value) {
    if (statement_) sqlite3_bind_int64(statement_, index, value);
}

bool SqliteQuery::step() {
    if (!statement_ || failed_) return false;
    const int rc = sqlite3_step(statement_);
    if (rc == SQLITE_ROW) return true;
    if (rc != SQLITE_DONE) failed_ = true;
    return false;
}

std::string SqliteQuery::text(int column) const {
    const auto* data = sqlite3_column_blob(statement_, column);
    const int size = sqlite3_column_bytes(statement_, column);
    if (!data || size <= 0) return {};
    return std::string(static_cast<const char*>(data), static_cast<std::size_t>(size));
}

sqlite3_int64 SqliteQuery::integer(int column) const {
    return sqlite3_column_int64(statement_, column);
}

}  // namespace cardwise
