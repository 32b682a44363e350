// Which answer a parsed request target gets: a page, a JSON answer, a download, an asset, or a
// 404 naming what was not found. Nothing is read from disk but the database.
#pragma once

#include <string>

#include "alarms/AlarmLimits.h"
#include "web/DashboardData.h"
#include "web/RequestTarget.h"

namespace vigil::web {

struct Reply {
  int status = 200;
  std::string type = "text/plain; charset=utf-8";
  std::string body;
  std::string attachment;  ///< a file name: offered as a download
};

/// `limits` null: no limits file given.
Reply Route(DashboardData& data, const alarms::AlarmLimits* limits, const RequestTarget& target);

}  // namespace vigil::web
