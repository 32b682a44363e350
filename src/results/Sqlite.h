// A thin owner of an SQLite connection and its statements: every call reports failure by its
// result and the connection's message, never by exception.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace vigil::results {

class Statement {
 public:
  Statement() = default;
  Statement(sqlite3* db, std::string_view sql);
  ~Statement();
  Statement(Statement&& other) noexcept;
  Statement& operator=(Statement&& other) noexcept;
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;

  bool Valid() const { return stmt_ != nullptr; }
  /// Parameters count from 1, as SQLite's do.
  Statement& Bind(int index, double value);
  Statement& Bind(int index, std::int64_t value);
  Statement& Bind(int index, int value) { return Bind(index, static_cast<std::int64_t>(value)); }
  Statement& Bind(int index, bool value) { return Bind(index, static_cast<std::int64_t>(value ? 1 : 0)); }
  Statement& Bind(int index, std::string_view value);
  Statement& BindNull(int index);
  /// True while a row is there; Done() tells a finished statement from a failed one.
  bool Step();
  bool Done() const { return done_; }
  void Reset();

  double Double(int column) const;
  std::int64_t Int(int column) const;
  std::string Text(int column) const;
  bool IsNull(int column) const;
  int Columns() const;

 private:
  sqlite3_stmt* stmt_ = nullptr;
  bool done_ = false;
};

class Database {
 public:
  /// Opens (creating when missing) the file; nothing when it cannot be opened, with `error`.
  static std::unique_ptr<Database> Open(const std::filesystem::path& path, std::string& error);
  /// Opens an existing file for reading only: a reader beside the station never writes it, nor
  /// changes its journal; nothing when it is not there or cannot be opened, with `error`.
  static std::unique_ptr<Database> OpenReadOnly(const std::filesystem::path& path, std::string& error);
  ~Database();
  Database(const Database&) = delete;
  Database& operator=(const Database&) = delete;

  bool Execute(std::string_view sql);
  Statement Prepare(std::string_view sql) { return Statement(db_, sql); }
  std::string LastError() const;
  std::int64_t LastInsertId() const;

 private:
  explicit Database(sqlite3* db) : db_(db) {}
  sqlite3* db_;
};

/// BEGIN IMMEDIATE on construction; ROLLBACK unless Commit() succeeded.
class Transaction {
 public:
  explicit Transaction(Database& db) : db_(db), open_(db.Execute("BEGIN IMMEDIATE")) {}
  ~Transaction() {
    if (open_) db_.Execute("ROLLBACK");
  }
  Transaction(const Transaction&) = delete;
  Transaction& operator=(const Transaction&) = delete;
  bool Began() const { return open_; }
  bool Commit() {
    if (!open_ || !db_.Execute("COMMIT")) return false;
    open_ = false;
    return true;
  }

 private:
  Database& db_;
  bool open_;
};

}  // namespace vigil::results
