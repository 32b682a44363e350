// The tables of a results database and their version. A database of an older version is
// brought up to this one; a newer one is refused, so an old program never writes rows it does
// not understand.
#pragma once

#include <string>

#include "results/Sqlite.h"

namespace vigil::results {

inline constexpr int kSchemaVersion = 3;  ///< 2 adds the alarm tables, 3 notifications and status

/// Creates or migrates the tables; false with `error` for a newer or unreadable database.
bool PrepareSchema(Database& db, std::string& error);

}  // namespace vigil::results
