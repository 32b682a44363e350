// The tables a station's results are copied into on the server, and how each is read from
// the station's database. Every server row carries its station (project, station) and cycle
// (file) in its key, so a row written twice is the same row.
#pragma once

#include <string>
#include <vector>

namespace vigil::replication {

struct CopiedTable {
  const char* name;
  /// "name type" pairs after project, station, file: i integer, r real, t text.
  const char* columns;
  /// The key columns after project, station and file ("" for one row per cycle).
  const char* key;
  /// The station side: one cycle's rows (?1 its id), the columns in the order above.
  const char* select;
};

/// The cycle first; the others hang off it.
const std::vector<CopiedTable>& CopiedTables();

struct ColumnSpec {
  std::string name;
  char type;  ///< 'i', 'r' or 't'
};
std::vector<ColumnSpec> ColumnsOf(const CopiedTable& table);

}  // namespace vigil::replication
