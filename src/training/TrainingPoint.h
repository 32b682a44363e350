// One row of a training list: every value is held as the text the list shows.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace vigil::training {

inline constexpr std::size_t kTrainingColumnCount = 9;

/// Column order of the list and of the file (after the status field).
enum TrainingColumn : std::size_t {
  kColName = 0,
  kColHa = 1,
  kColVa = 2,
  kColSd = 3,
  kColEasting = 4,
  kColNorthing = 5,
  kColRl = 6,
  kColPrismType = 7,
  kColPrismLabel = 8,
};

struct TrainingPoint {
  std::string name;
  std::string ha;           ///< horizontal angle, display angle unit
  std::string va;           ///< zenith angle, display angle unit
  std::string sd;           ///< slope distance, display distance unit
  std::string easting;      ///< display distance unit
  std::string northing;     ///< display distance unit
  std::string rl;           ///< reduced level of the prism, display distance unit
  std::string prism_type;   ///< prism type number as text; "-1" = none
  std::string prism_label;  ///< derived from prism_type; never read from a file

  friend bool operator==(const TrainingPoint&, const TrainingPoint&) = default;
};

/// The text of one column (0 to 8).
inline const std::string& ColumnText(const TrainingPoint& p, std::size_t column) {
  switch (column) {
    case kColName:
      return p.name;
    case kColHa:
      return p.ha;
    case kColVa:
      return p.va;
    case kColSd:
      return p.sd;
    case kColEasting:
      return p.easting;
    case kColNorthing:
      return p.northing;
    case kColRl:
      return p.rl;
    case kColPrismType:
      return p.prism_type;
    default:
      return p.prism_label;
  }
}

}  // namespace vigil::training
