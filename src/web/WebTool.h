// vigil-web: the read-only dashboard of a results database, served over HTTP by its own process.
#pragma once

#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace vigil::web {

class DashboardData;

/// Opens the dashboard's data on a server from a connection string; nothing with `error`, which
/// names the connection with its password masked.
using ServerOpener = std::function<std::unique_ptr<DashboardData>(const std::string&, std::string&)>;

/// 0 served until stopped (or --help), 1 failed (database, limits file, port), 2 bad usage.
/// `stopper` is handed a function that stops the server from another thread.
int RunWebTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
               const std::function<void(std::function<void()>)>& stopper = {},
               const ServerOpener& openServer = {});

}  // namespace vigil::web
