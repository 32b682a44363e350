// What the cycle files of some period hold: how many files, and their data lines split into
// measured readings and readings recorded as failed.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace vigil::longrun {

struct CycleTally {
  int files = 0;
  int measured = 0;   ///< data lines with the measured columns filled
  int failed = 0;     ///< data lines with only the expected columns (a reading that failed)
  int malformed = 0;  ///< lines that are neither, or files without their header
  int lines() const { return measured + failed; }
  CycleTally& operator+=(const CycleTally& o);
};

/// Classifies the data lines of one file's text (header first).
CycleTally TallyCycleText(std::string_view text);

/// The files in `folder` whose names match `pattern` (wildcards), added up.
CycleTally TallyCycleFiles(const std::filesystem::path& folder, std::string_view pattern);

/// The pattern of one month's cycle files of a project-station, e.g. "STN1_PROJ_??-Jan-2027_Cycle_*.vgl".
std::string MonthPattern(std::string_view station, std::string_view project, int month, int year);

}  // namespace vigil::longrun
