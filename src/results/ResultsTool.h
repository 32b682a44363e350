// The vigil-results program: import cycle files into a results database, export and report.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace vigil::results {

/// Exit codes: 0 done, 1 something could not be done (said on `err`), 2 a usage error.
int RunResultsTool(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

std::string ResultsToolUsage();

}  // namespace vigil::results
