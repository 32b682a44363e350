// Names of the cycle data files: "station_project_date_Cycle_n.vgl" in the data folder, the
// day's numbering, and reading the date and number back from a name.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "platform/Clock.h"

namespace vigil::monitoring {

inline constexpr std::string_view kCycleFileExtension = "vgl";

/// "Jan" .. "Dec"; "%02d" of a month outside 1..12.
std::string MonthAbbreviation(int month);

/// The date part of a file name: "%02d-%s-%d" of day, month abbreviation and year
/// ("06-Dec-2026").
std::string CycleFileDate(const platform::LocalDateTime& when);

/// The day's base name "%s_%s_%s" of station, project and date.
std::string DayBaseName(std::string_view station, std::string_view project, std::string_view date);

/// "<base>_Cycle_<n>.vgl".
std::string CycleFileName(std::string_view baseName, int cycleNumber);

/// The number the next cycle of the day gets: one above the count of the day's files and
/// above every number such a file already carries, so a cycle never appends to the file of
/// an earlier one (a deleted file of the day would otherwise make the count name an existing
/// file again).
int NextCycleNumber(const std::filesystem::path& dataFolder, std::string_view baseName);

/// What the cycle list shows of a file name (with or without its extension).
struct CycleFileNameParts {
  std::string station;
  std::string project;
  std::string date;
  std::string cycle;
};

/// The name split at "_": nothing unless it has more than four pieces and the date (piece 2)
/// and the cycle number (piece 4) are not empty.
std::optional<CycleFileNameParts> SplitCycleFileName(std::string_view fileName);

}  // namespace vigil::monitoring
