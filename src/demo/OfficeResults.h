// What the office does with the USB stick: imports its cycle files into a fresh results
// database with vigil-results, exports CSV and GeoJSON, and checks that it found exactly
// what the station itself wrote after every cycle.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace vigil::demo {

struct OfficeResults {
  bool agrees = false;  ///< every point result equal to the station's own
  std::string text;     ///< what was done and where the files are
  std::vector<std::string> problems;
};

OfficeResults ImportAtTheOffice(const std::filesystem::path& home, const std::filesystem::path& stick,
                                const std::string& project, const std::string& station);

}  // namespace vigil::demo
