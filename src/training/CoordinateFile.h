// Coordinate files brought in on external storage: UTF-16LE text with a byte-order mark, one
// point per line as name, Easting, Northing, RL (display distance unit), separated by TAB or
// comma. A line whose name contains "STN" gives the station's own position.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vigil::training {

enum class CoordinateFileResult {
  Read,        ///< the lines were read (there may be none)
  TooShort,    ///< fewer than two bytes: not even a byte-order mark
  NotUnicode,  ///< no UTF-16LE byte-order mark: saved as 8-bit text
};

/// One usable line, its values exactly as written (surrounding blanks removed).
struct CoordinateLine {
  bool station = false;  ///< the name contains "STN"
  std::string name;
  std::string easting;
  std::string northing;
  std::string rl;

  friend bool operator==(const CoordinateLine&, const CoordinateLine&) = default;
};

struct CoordinateFileContent {
  CoordinateFileResult result = CoordinateFileResult::Read;
  std::vector<CoordinateLine> lines;  ///< in file order
  /// Lines that were neither blank, a header, nor usable: too few fields, a value that is not
  /// a plain decimal number, or a name that cannot be a file name.
  int skippedLines = 0;
};

/// Longest value field taken, in characters; longer ones are refused, not cut.
inline constexpr std::size_t kMaxCoordinateValueChars = 32;

/// Reads a whole coordinate file given as its bytes.
CoordinateFileContent ParseCoordinateFile(std::string_view bytes);

/// A coordinate file (mark included) holding `lines`, fields joined by `separator`.
std::string BuildCoordinateFile(const std::vector<CoordinateLine>& lines, char separator);

}  // namespace vigil::training
