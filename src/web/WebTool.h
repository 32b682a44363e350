// vigil-web: the read-only dashboard of a results database, served over HTTP by its own process.
#pragma once

#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace vigil::web {

/// 0 served until stopped (or --help), 1 failed (database, limits file, port), 2 bad usage.
/// `stopper` is handed a function that stops the server from another thread.
int RunWebTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
               const std::function<void(std::function<void()>)>& stopper = {});

}  // namespace vigil::web
