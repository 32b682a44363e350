// vigil-results against the replication server (--pg CONNECTION): import writes cycle files
// to a results database (--db, or a temporary one) and copies it to the server; export and
// report read the server's rows into a temporary results database and run the very same
// export and report on it, so their output is the one of a station's own database.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace vigil::replication {

/// vigil-results with or without --pg; exit codes as RunResultsTool's.
int RunResultsProgram(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

}  // namespace vigil::replication
