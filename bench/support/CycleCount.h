// The readings a campaign left in its cycle data files, counted from the files themselves.
#pragma once

#include <filesystem>
#include <string_view>

namespace vigil::bench {

struct CycleLineCount {
  long long files = 0;
  long long measured = 0;   ///< data lines with coordinates
  long long failed = 0;     ///< data lines of a reading that failed (no easting)
  long long malformed = 0;  ///< lines that are neither header nor an 18-field data line, or lack CR LF
  long long Lines() const { return measured + failed; }
};

/// One file's text: lines end in CR LF; a line with "Easting" in it is the header; a data line
/// has 18 TAB-separated fields, measured when its easting (field 14) is filled.
CycleLineCount CountCycleLines(std::string_view text);

/// Every "*.vgl" file of `folder`, added up.
CycleLineCount CountCycleFiles(const std::filesystem::path& folder);

}  // namespace vigil::bench
