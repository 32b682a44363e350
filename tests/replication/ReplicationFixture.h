// A station's results database of a few cycles and the means to compare it row by row with
// the server's copy.
#pragma once

#include <pqxx/pqxx>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "SyntheticSite.h"
#include "platform/Files.h"
#include "platform/Format.h"
#include "replication/ServerTables.h"
#include "results/CycleStore.h"
#include "results/ResultsDatabase.h"

namespace vigil::replication::test {

inline const survey::StationPosition kStation{2250.0, 5120.0, 438.15};

inline store::ProjectStationSettings Settings() {
  store::ProjectStationSettings s;
  s.project = "DAM";
  s.station = "P1";
  return s;
}

/// Stores day `day`'s cycle (points moved `scale` times their movement) in `db`.
inline bool StoreDay(results::ResultsDatabase& db, const std::filesystem::path& folder, int day,
                     double scale) {
  const std::string date = platform::Format("%02d-12-2026", {8 + day});
  const auto path = folder / platform::Format("P1_DAM_%02d-Dec-2026_Cycle_1.vgl", {8 + day});
  return platform::WriteUtf16FileAtomic(
             path, evaluation::test::CycleText(kStation, kStation, 0.0, 1, date.c_str(), scale)) &&
         results::StoreCycleFile(db, path, Settings(), evaluation::test::Trained(kStation), {}).outcome ==
             results::StoreOutcome::kStored;
}

inline std::string Number(double v) {
  char text[40];
  std::snprintf(text, sizeof text, "%.17g", v);
  return text;
}

/// Every copied row of the station's database, one sorted line each.
inline std::vector<std::string> LocalRows(results::Database& db) {
  std::vector<std::string> out;
  results::Statement cycles = db.Prepare("SELECT id, project, station, file FROM cycles");
  while (cycles.Step()) {
    for (const CopiedTable& t : CopiedTables()) {
      const auto columns = ColumnsOf(t);
      results::Statement s = db.Prepare(t.select);
      s.Bind(1, cycles.Int(0));
      while (s.Step()) {
        std::string line =
            std::string(t.name) + "|" + cycles.Text(1) + "|" + cycles.Text(2) + "|" + cycles.Text(3);
        for (int c = 0; c < static_cast<int>(columns.size()); ++c) {
          const char type = columns[static_cast<std::size_t>(c)].type;
          line += "|" + (s.IsNull(c) ? "NULL" : type == 'r' ? Number(s.Double(c)) : s.Text(c));
        }
        out.push_back(line);
      }
    }
  }
  std::sort(out.begin(), out.end());
  return out;
}

/// Every row the server holds, in the same form.
inline std::vector<std::string> ServerRows(const std::string& connection) {
  std::vector<std::string> out;
  pqxx::connection server(connection);
  pqxx::read_transaction read(server);
  for (const CopiedTable& t : CopiedTables()) {
    const auto columns = ColumnsOf(t);
    std::string names;
    for (const ColumnSpec& c : columns) names += ", " + c.name;
    for (const auto& row : read.exec("SELECT project, station, file" + names + " FROM " + t.name)) {
      std::string line = std::string(t.name);
      for (int c = 0; c < 3; ++c) line += "|" + row[c].as<std::string>();
      for (std::size_t c = 0; c < columns.size(); ++c) {
        const pqxx::field f = row[static_cast<int>(c) + 3];
        line += "|" + (f.is_null()              ? "NULL"
                       : columns[c].type == 'r' ? Number(f.as<double>())
                                                : f.as<std::string>());
      }
      out.push_back(line);
    }
  }
  std::sort(out.begin(), out.end());
  return out;
}

}  // namespace vigil::replication::test
