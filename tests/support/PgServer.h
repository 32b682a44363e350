// A PostgreSQL 15 server of its own for one test or benchmark: a fresh cluster in a temporary
// folder, reached only through a unix socket in that folder, stopped and removed at the end.
// The server programs refuse to run as root, so as root they run as "nobody", owning the folder.
#pragma once

#include <pqxx/pqxx>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include <sys/stat.h>
#include <unistd.h>

namespace vigil::test {

class PgServer {
 public:
  static constexpr const char* kUser = "vigil";
  static constexpr const char* kPassword = "s3cret-Pw";
  static constexpr int kPort = 55432;  // names the socket file only: no TCP port is opened

  PgServer() {
    static std::atomic<int> counter{0};
    dir_ = std::filesystem::temp_directory_path() /
           ("vigil-pg-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
    std::ofstream(dir_ / "pw") << kPassword << "\n";
    if (::geteuid() == 0) {
      const std::string owner = "chown -R nobody " + Quoted(dir_.string());
      if (std::system(owner.c_str()) != 0) return;
    }
    ::chmod(dir_.c_str(), 0700);
    ok_ = Run("initdb -D " + Quoted((dir_ / "data").string()) + " -U " + kUser +
              " --auth=scram-sha-256 --pwfile=" + Quoted((dir_ / "pw").string()) +
              " -E UTF8 --no-locale --no-sync > " + Quoted((dir_ / "initdb.log").string()) + " 2>&1") &&
          Start();
  }
  ~PgServer() {
    Stop();
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
  }
  PgServer(const PgServer&) = delete;
  PgServer& operator=(const PgServer&) = delete;

  bool Ok() const { return ok_; }
  const std::filesystem::path& Folder() const { return dir_; }

  bool Start() {
    return Run("pg_ctl -D " + Quoted((dir_ / "data").string()) + " -l " +
               Quoted((dir_ / "server.log").string()) + " -w -s -o " +
               Quoted("-k " + dir_.string() + " -p " + std::to_string(kPort) +
                      " -c listen_addresses= -c fsync=off -c full_page_writes=off") +
               " start");
  }
  /// As a power cut or a killed server would: no shutdown checkpoint.
  bool Stop() { return Run("pg_ctl -D " + Quoted((dir_ / "data").string()) + " -w -s -m immediate stop"); }

  std::string Connection(const std::string& database = "postgres",
                         const std::string& password = kPassword) const {
    return "host=" + dir_.string() + " port=" + std::to_string(kPort) + " dbname=" + database +
           " user=" + kUser + " password=" + password;
  }

  /// A fresh database; its connection string.
  std::string NewDatabase(const std::string& name) const {
    pqxx::connection admin(Connection());
    pqxx::nontransaction(admin).exec("CREATE DATABASE " + name);
    return Connection(name);
  }

 private:
  static std::string Quoted(const std::string& s) { return "'" + s + "'"; }
  static bool Run(const std::string& command) {
    const std::string bin = "/usr/lib/postgresql/15/bin/";
    const std::string line = (::geteuid() == 0 ? "runuser -u nobody -- " : "") + bin + command;
    return std::system(line.c_str()) == 0;
  }

  std::filesystem::path dir_;
  bool ok_ = false;
};

}  // namespace vigil::test
