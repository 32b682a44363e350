// The dashboard's data from the replication server, holding many stations. Read-only: the
// tables are never created or migrated from here, and a server whose tables are of another
// version than this program's is refused with one message. Lives in its own library so the
// dashboard of a station's own file needs no server client.
#pragma once

#include <memory>
#include <string>

#include "web/DashboardData.h"

namespace vigil::webpg {

/// Nothing with `error` (naming the connection, its password masked) when the server cannot be read.
std::unique_ptr<web::DashboardData> OpenServerDashboard(const std::string& connection, std::string& error);

}  // namespace vigil::webpg
