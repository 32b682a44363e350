// The whole program on the virtual clock for days on end: the main window with its schedule,
// the Monitoring screen it opens in automatic mode, and the simulated instrument, all in one
// process. Every simulated month it reports what the cycle files hold and what the process
// holds in memory.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace vigil::longrun {

struct YearOptions {
  int days = 365;
  bool faces = false;  ///< both faces (face 1 then face 2) instead of face 1 only
  int repeat = 1;      ///< readings of each point per face
};

/// One simulated month (or the part of it the run covered).
struct MonthFigures {
  int year = 0;
  int month = 0;
  int days = 0;
  int cycles = 0;         ///< cycle files written
  int turns = 0;          ///< turns the instrument was sent, retries included
  int expectedLines = 0;  ///< schedule entries in the month x rows per cycle
  int measured = 0;
  int failed = 0;
  int malformed = 0;
  std::uint64_t residentBytes = 0;  ///< at the end of the month
};

struct YearFigures {
  std::vector<MonthFigures> months;
  std::vector<std::string> problems;  ///< what went wrong besides the counts (host failures, ...)
  std::uint64_t residentAtStartBytes = 0;
};

/// Rows of one cycle: every prism, in one or two faces, `repeat` times.
int RowsPerCycle(const YearOptions& o);

/// Runs the days; `onMonth` is called as each month closes (for printing as it goes).
YearFigures RunYear(const YearOptions& options, const std::function<void(const MonthFigures&)>& onMonth);

}  // namespace vigil::longrun
