#include "replication/ServerResults.h"

#include <pqxx/pqxx>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <map>
#include <tuple>

#include <unistd.h>

#include "replication/MaskedText.h"
#include "replication/Replicator.h"
#include "replication/ServerSchema.h"
#include "replication/ServerTables.h"
#include "results/ResultsDatabase.h"
#include "results/ResultsTool.h"

namespace vigil::replication {

namespace {

namespace fs = std::filesystem;

constexpr int kFailed = 1, kUsage = 2;

class ScratchFolder {
 public:
  ScratchFolder() {
    static std::atomic<int> counter{0};
    path_ = fs::temp_directory_path() /
            ("vigil-results-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    fs::create_directories(path_);
  }
  ~ScratchFolder() {
    std::error_code ec;
    fs::remove_all(path_, ec);
  }
  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

std::string Value(const std::vector<std::string>& args, const std::string& option) {
  auto it = std::find(args.begin(), args.end(), option);
  return it != args.end() && it + 1 != args.end() ? *(it + 1) : std::string();
}

// The server's rows of a project-station (every one when not named) into `db`; only `point`'s
// results when it is named. The cycle files' lines stay on the server: export and report do
// not read them.
bool CopyFromServer(const std::string& connection, results::Database& db, const std::string& project,
                    const std::string& station, const std::string& point, std::string& error) {
  try {
    pqxx::connection server(connection);
    std::string schemaError;
    if (PrepareServerSchema(server, schemaError) != SchemaOutcome::kReady) {
      error = schemaError;
      return false;
    }
    pqxx::read_transaction read(server);
    results::Transaction t(db);
    std::string where = " WHERE true";
    if (!project.empty() && !station.empty())
      where = " WHERE project = " + read.quote(project) + " AND station = " + read.quote(station);
    std::map<std::tuple<std::string, std::string, std::string>, std::int64_t> ids;
    for (const CopiedTable& table : CopiedTables()) {
      const std::string name = table.name;
      if (name == "observations") continue;
      const bool cycles = name == "cycles";
      const std::vector<ColumnSpec> columns = ColumnsOf(table);
      std::string names, marks;
      for (std::size_t c = 0; c < columns.size(); ++c) {
        names += (c ? ", " : "") + columns[c].name;
        marks += ", ?" + std::to_string(c + (cycles ? 4 : 2));
      }
      const std::string filter =
          where + (name == "point_results" && !point.empty() ? " AND point = " + read.quote(point) : "");
      const pqxx::result rows =
          read.exec("SELECT project, station, file, " + names + " FROM " + name + filter);
      results::Statement insert =
          cycles ? db.Prepare("INSERT INTO cycles (project, station, file, " + names +
                              ") VALUES (?1, ?2, ?3" + marks + ")")
                 : db.Prepare("INSERT INTO " + name + " (cycle_id, " + names + ") VALUES (?1" + marks + ")");
      for (const auto& row : rows) {
        const auto key =
            std::make_tuple(row[0].as<std::string>(), row[1].as<std::string>(), row[2].as<std::string>());
        if (cycles) {
          insert.Bind(1, std::get<0>(key)).Bind(2, std::get<1>(key)).Bind(3, std::get<2>(key));
        } else {
          insert.Bind(1, ids.at(key));
        }
        const int first = cycles ? 4 : 2;
        for (std::size_t c = 0; c < columns.size(); ++c) {
          const pqxx::field f = row[static_cast<int>(c) + 3];
          const int at = first + static_cast<int>(c);
          if (f.is_null()) {
            insert.BindNull(at);
          } else if (columns[c].type == 'i') {
            insert.Bind(at, f.as<std::int64_t>());
          } else if (columns[c].type == 'r') {
            insert.Bind(at, f.as<double>());
          } else {
            insert.Bind(at, f.as<std::string>());
          }
        }
        if (insert.Step(), !insert.Done()) {
          error = db.LastError();
          return false;
        }
        insert.Reset();
        if (cycles) ids[key] = db.LastInsertId();
      }
    }
    if (!t.Commit()) {
      error = db.LastError();
      return false;
    }
    return true;
  } catch (const std::exception& e) {
    error =
        MaskedMessage(std::string(e.what()).substr(0, std::string(e.what()).find('\n')), connection, false);
    return false;
  }
}

int Import(std::vector<std::string> args, const std::string& connection, std::ostream& out,
           std::ostream& err) {
  ScratchFolder scratch;
  fs::path dbPath = Value(args, "--db");
  if (dbPath.empty() && Value(args, "--home").empty()) {
    dbPath = scratch.path() / results::kResultsFileName;
    args.insert(args.end(), {"--db", dbPath.string()});
  } else if (dbPath.empty()) {
    dbPath = fs::path(Value(args, "--home")) / "Data" / results::kResultsFileName;
  }
  const int code = results::RunResultsTool(args, out, err);
  if (code == kUsage || !fs::exists(dbPath)) return code;
  Replicator replicator(dbPath, connection, 1000);
  ReplicationStatus total, s;
  do {
    s = replicator.RunBatch();
    total.cyclesSent += s.cyclesSent;
    total.rowsSent += s.rowsSent;
  } while (s.code == ReplicationCode::kSent);
  if (s.code != ReplicationCode::kUpToDate) {
    err << "vigil-results: " << s.message << "\n";
    return kFailed;
  }
  out << "copied " << total.cyclesSent << " cycles (" << total.rowsSent << " rows) to "
      << MaskedConnection(connection) << "\n";
  return code;
}

int ExportOrReport(std::vector<std::string> args, const std::string& connection, std::ostream& out,
                   std::ostream& err) {
  if (!Value(args, "--db").empty() || !Value(args, "--home").empty()) {
    err << "vigil-results: --pg reads the server: no --db or --home with it\n";
    return kUsage;
  }
  ScratchFolder scratch;
  const fs::path dbPath = scratch.path() / results::kResultsFileName;
  std::string error;
  {
    std::unique_ptr<results::ResultsDatabase> db = results::ResultsDatabase::Open(dbPath, error);
    if (!db || !CopyFromServer(connection, db->Raw(), Value(args, "--project"), Value(args, "--station"),
                               Value(args, "--point"), error)) {
      err << "vigil-results: " << MaskedConnection(connection) << ": " << error << "\n";
      return kFailed;
    }
  }
  args.insert(args.end(), {"--db", dbPath.string()});
  return results::RunResultsTool(args, out, err);
}

}  // namespace

int RunResultsProgram(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
  auto pg = std::find(arguments.begin(), arguments.end(), "--pg");
  if (pg == arguments.end() || std::find(arguments.begin(), arguments.end(), "--help") != arguments.end())
    return results::RunResultsTool(arguments, out, err);
  if (pg + 1 == arguments.end()) {
    err << "vigil-results: --pg needs a value\n" << results::ResultsToolUsage();
    return kUsage;
  }
  const std::string connection = *(pg + 1);
  std::vector<std::string> rest(arguments.begin(), pg);
  rest.insert(rest.end(), pg + 2, arguments.end());
  const bool import = std::find(rest.begin(), rest.end(), "import") != rest.end();
  return import ? Import(rest, connection, out, err) : ExportOrReport(rest, connection, out, err);
}

}  // namespace vigil::replication
