// Reduction of readings to coordinates and the inverse, prism labels and point matching.
// All trigonometry uses pi = 3.14159265 because stored values depend on it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "store/ProjectStationSettings.h"
#include "survey/Reading.h"

namespace vigil::survey {

using store::ProjectStationSettings;

inline constexpr double kPi = 3.14159265;
inline constexpr double kGonToRadians = 0.01570796325;
inline constexpr double kRadiansToGon = 63.661977309502554;
inline constexpr double kRadiansToDegrees = 57.29577957855229;

/// Into 0 <= a <= 400 by whole turns: above 400 loses 400, below 0 gains 400, as often as
/// needed; exactly 400 stays 400. A non-finite angle is returned as it is.
double NormaliseAngle(double angleGon);

/// Atmospheric scale correction (ppm) at 60 % relative humidity.
double ComputeAtmosphericPpm(double temperatureC, double pressureHpa);

/// Reduces a raw reading (instrument texts) into `r`: atmosphere, orientation (when
/// `relativeToOrientation`), normalisation, prism constant and coordinates; fills the texts.
/// False when the reading has no usable distance or angle: an unreadable Ha or Va leaves `r`
/// untouched; an unreadable or zero SD reduces the angles, sets SD to 0 and leaves E, N, RL.
bool ReduceReading(const ProjectStationSettings& s, Reading& r, std::string_view haText,
                   std::string_view vaText, std::string_view sdText, bool relativeToOrientation);

/// Adds the prism constant to r.sdMetres and computes E, N, RL from the station. With SD 0
/// nothing changes. `prismName` empty: the record's point name is used.
void ComputeTargetCoordinates(const ProjectStationSettings& s, Reading& r, std::string_view prismName);

/// A station position (m); the level is that of the instrument axis.
struct StationPosition {
  double eastingMetres = 0.0;
  double northingMetres = 0.0;
  double levelMetres = 0.0;
};

/// The station of the settings (easting, northing, reduced_level as held in memory).
StationPosition StationOf(const ProjectStationSettings& s);

struct Observation {
  double haGon = 0.0;
  double vaGon = 0.0;
  double sdMetres = 0.0;
};

/// Expected Ha, Va (gon) and SD (m) of a target (m) seen from `station`. A target on the
/// station's vertical gets Ha 0 and Va 0 (above), 200 (below) or 100 (the station itself).
Observation ComputeHaVaSd(const StationPosition& station, double eastingMetres, double northingMetres,
                          double rlMetres);

/// The face-2 direction of a face-1 direction (and back).
Observation OtherFace(const Observation& o);

/// The label of a prism type and its constant (mm). `constantsInDisplayUnit`: the constant
/// shown in the label is converted to the display distance unit first (training lists).
struct PrismLabel {
  std::string text;
  double constantMm = 0.0;
};
PrismLabel PrismTypeLabel(const ProjectStationSettings& s, int prismType,
                          bool constantsInDisplayUnit = false);

/// Prism constant (mm) of a prism type; 0 for types without one.
double PrismConstantMm(const ProjectStationSettings& s, int prismType);

/// One listed point as texts in display units (columns 0 to 3 of a training list).
struct ListedPoint {
  std::string name;
  std::string ha;
  std::string va;
  std::string sd;
};

struct PointMatch {
  double haGon = -1.0;   ///< listed Ha of the match (gon); -1.0 for no match
  std::string name;      ///< name of the match; `skipName` when there was none
  double dSdMm = 0.0;    ///< |reading SD - listed SD| (mm)
  bool matched = false;  ///< a listed point matched
};

/// The first listed point within 0.5 gon in Ha and Va and 0.1 m in SD of the reading, skipping
/// the point named `skipName`. Reading and points are compared in face 1 (a face-2 Ha and Va are
/// folded; the Ha reported is the face-1 one); Ha is compared across north (399.9 is near 0.1);
/// points whose texts hold no number are passed over.
PointMatch MatchTrainingPoint(const ProjectStationSettings& s, const Reading& r,
                              const std::vector<ListedPoint>& points, std::string_view skipName);

}  // namespace vigil::survey
