#include "results/Sqlite.h"

#include <sqlite3.h>

namespace vigil::results {

Statement::Statement(sqlite3* db, std::string_view sql) {
  if (sqlite3_prepare_v2(db, sql.data(), static_cast<int>(sql.size()), &stmt_, nullptr) != SQLITE_OK) {
    sqlite3_finalize(stmt_);
    stmt_ = nullptr;
  }
}

Statement::~Statement() {
  sqlite3_finalize(stmt_);
}

Statement::Statement(Statement&& other) noexcept : stmt_(other.stmt_), done_(other.done_) {
  other.stmt_ = nullptr;
}

Statement& Statement::operator=(Statement&& other) noexcept {
  if (this != &other) {
    sqlite3_finalize(stmt_);
    stmt_ = other.stmt_;
    done_ = other.done_;
    other.stmt_ = nullptr;
  }
  return *this;
}

Statement& Statement::Bind(int index, double value) {
  if (stmt_) sqlite3_bind_double(stmt_, index, value);
  return *this;
}

Statement& Statement::Bind(int index, std::int64_t value) {
  if (stmt_) sqlite3_bind_int64(stmt_, index, value);
  return *this;
}

Statement& Statement::Bind(int index, std::string_view value) {
  if (stmt_) sqlite3_bind_text(stmt_, index, value.data(), static_cast<int>(value.size()), SQLITE_TRANSIENT);
  return *this;
}

Statement& Statement::BindNull(int index) {
  if (stmt_) sqlite3_bind_null(stmt_, index);
  return *this;
}

bool Statement::Step() {
  done_ = false;
  if (!stmt_) return false;
  const int rc = sqlite3_step(stmt_);
  done_ = rc == SQLITE_DONE;
  return rc == SQLITE_ROW;
}

void Statement::Reset() {
  if (!stmt_) return;
  sqlite3_reset(stmt_);
  sqlite3_clear_bindings(stmt_);
  done_ = false;
}

double Statement::Double(int column) const {
  return stmt_ ? sqlite3_column_double(stmt_, column) : 0.0;
}

std::int64_t Statement::Int(int column) const {
  return stmt_ ? sqlite3_column_int64(stmt_, column) : 0;
}

std::string Statement::Text(int column) const {
  if (!stmt_) return {};
  const unsigned char* text = sqlite3_column_text(stmt_, column);
  return text ? std::string(reinterpret_cast<const char*>(text),
                            static_cast<std::size_t>(sqlite3_column_bytes(stmt_, column)))
              : std::string();
}

int Statement::Columns() const {
  return stmt_ ? sqlite3_column_count(stmt_) : 0;
}

bool Statement::IsNull(int column) const {
  return !stmt_ || sqlite3_column_type(stmt_, column) == SQLITE_NULL;
}

std::unique_ptr<Database> Database::Open(const std::filesystem::path& path, std::string& error) {
  sqlite3* db = nullptr;
  if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK) {
    error = db ? sqlite3_errmsg(db) : "out of memory";
    sqlite3_close(db);
    return nullptr;
  }
  sqlite3_busy_timeout(db, 2000);
  std::unique_ptr<Database> out(new Database(db));
  // A cycle's rows reach the disk before its transaction reports success.
  if (!out->Execute("PRAGMA journal_mode=WAL") || !out->Execute("PRAGMA synchronous=FULL") ||
      !out->Execute("PRAGMA foreign_keys=ON")) {
    error = out->LastError();
    return nullptr;
  }
  return out;
}

std::unique_ptr<Database> Database::OpenReadOnly(const std::filesystem::path& path, std::string& error) {
  sqlite3* db = nullptr;
  if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
    error = db ? sqlite3_errmsg(db) : "out of memory";
    sqlite3_close(db);
    return nullptr;
  }
  sqlite3_busy_timeout(db, 2000);
  return std::unique_ptr<Database>(new Database(db));
}

Database::~Database() {
  sqlite3_close(db_);
}

bool Database::Execute(std::string_view sql) {
  const std::string text(sql);
  return sqlite3_exec(db_, text.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
}

std::string Database::LastError() const {
  return sqlite3_errmsg(db_);
}

std::int64_t Database::LastInsertId() const {
  return sqlite3_last_insert_rowid(db_);
}

}  // namespace vigil::results
