// The simulated site and instrument: what is true, how it moves and how the instrument
// behaves. Filled from a scenario file (ScenarioLoader) or directly by tests.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "sim/Faults.h"

namespace vigil::sim {

/// A point of the site in grid coordinates (metres).
struct GridPoint {
  double eastingMetres = 0.0;
  double northingMetres = 0.0;
  double levelMetres = 0.0;
};

/// Offsets per axis (easting, northing, level), unit given where used.
using AxisValues = std::array<double, 3>;

enum class PrismType { kReference, kConnection, kMonitoring, kReflectorless, kSheet, kCustom };

/// One way a prism moves; the movements of a prism add up.
struct Movement {
  enum class Kind { kDrift, kStep, kSeasonal };
  Kind kind = Kind::kDrift;
  AxisValues mmPerDay{};      ///< drift
  AxisValues stepMm{};        ///< step
  std::int64_t stepAtMs = 0;  ///< step: local time of the step (ms since 1970, local clock)
  AxisValues amplitudeMm{};   ///< seasonal swing, zero at the scenario's epoch
  double periodDays = 365.0;  ///< seasonal
};

/// One way the pillar turns the instrument's horizontal circle against the grid; twists add up.
struct Twist {
  enum class Kind { kDrift, kStep, kSeasonal, kDaily };
  Kind kind = Kind::kDrift;
  double mgonPerDay = 0.0;     ///< drift
  double stepMgon = 0.0;       ///< step
  std::int64_t stepAtMs = 0;   ///< step: local time of the step (ms since 1970, local clock)
  double amplitudeMgon = 0.0;  ///< seasonal (zero at the epoch) and daily (half the day's range)
  double periodDays = 365.0;   ///< seasonal
  int maximumMinuteOfDay = 0;  ///< daily: clock time of the largest twist (minutes after midnight)
};

/// A time when the prism cannot be seen: every day between two clock times (the interval
/// may run past midnight), or once between two local date-times.
struct HiddenInterval {
  bool daily = true;
  int fromMinuteOfDay = 0;  ///< daily
  int toMinuteOfDay = 0;    ///< daily, exclusive
  std::int64_t fromMs = 0;  ///< absolute, local ms since 1970
  std::int64_t toMs = 0;    ///< absolute, exclusive
};

struct Prism {
  std::string name;
  PrismType type = PrismType::kMonitoring;
  double constantMm = 0.0;  ///< what the program must add to the raw distance (mm)
  GridPoint truth;          ///< true position at the epoch
  std::vector<Movement> movements;
  std::vector<HiddenInterval> hidden;
};

struct Scenario {
  std::int64_t epochMs = 0;                ///< local ms since 1970 where movements start (zero offset)
  bool epochGiven = false;                 ///< without one, movements start when the simulator does
  GridPoint station;                       ///< level = level of the instrument axis, at the epoch
  std::vector<Movement> stationMovements;  ///< the pillar settling or leaning
  std::vector<Twist> twists;               ///< the pillar turning the circle
  double circleZeroGon = 0.0;              ///< horizontal circle reading of grid north
  double collimationGon = 0.0;             ///< collimation error: face 1 reads Ha + c, face 2 Ha - c
  double indexErrorGon = 0.0;              ///< vertical index error: both faces read Va + i
  double temperatureC = 20.0;
  double pressureHpa = 1013.25;
  double angleNoiseMgon = 0.3;
  double distanceNoiseMm = 1.0;
  double distanceNoisePpm = 1.0;
  double tiltNoiseMgon = 0.5;
  double turnSpeedGonPerS = 50.0;
  double searchFieldGon = 6.0;  ///< full width of the search window around the pointing
  double beamGon = 0.3;         ///< a distance measurement finds a target this close to the line of sight
  std::uint64_t seed = 1;
  std::uint32_t replyDelayMs = 20;
  std::uint32_t angleMs = 250;           ///< "Ee" until its line
  std::uint32_t distanceFirstMs = 1200;  ///< "*ST2" until the first line
  std::uint32_t distanceRepeatMs = 1000;
  std::uint32_t searchMs = 1500;  ///< search time besides turning
  std::uint32_t settleMs = 200;   ///< every turn besides its angle / speed
  std::array<std::string, 4> blockA{"0", "1", "0", "0"};
  std::array<std::string, 12> blockB{"1", "0", "2", "1", "0", "1", "0", "0", "1", "3", "0", "0"};
  std::string reflectorType = "1";
  std::array<std::string, 4> motor{"1", "1", "2.0000", "2.0000"};
  std::vector<Prism> prisms;
  Faults faults;
};

}  // namespace vigil::sim
