// Display and entry of angles and distances. Internally angles are gon, distances metres,
// prism constants millimetres; these conversions are the only place the display units enter.
// A text-to-text conversion given a text with no number in it returns that text unchanged, so an
// empty cell stays empty and a typing slip is never turned into a plausible 0.
#pragma once

#include <string>
#include <string_view>

#include "store/ProjectStationSettings.h"

namespace vigil::survey {

using store::ProjectStationSettings;

enum class AngleUnit { Gon = 0, DegMinSec = 1 };
enum class DistanceUnit { Meters = 0, Feet = 1, Inches = 2 };
enum class DistanceStandard { International = 0, US = 1 };

inline constexpr double kGonToDegrees = 0.9;
inline constexpr double kDegreesToGon = 1.1111111111111112;
inline constexpr double kMinutesToDegrees = 0.016666666666666666;
inline constexpr double kSecondsToDegrees = 0.0002777777777777778;
inline constexpr double kFeetPerMetreInternational = 3.280839895013123;  // 1 / 0.3048
inline constexpr double kFeetPerMetreUs = 3.2808333333333333;            // 3937 / 1200
inline constexpr double kInchesPerFoot = 12.0;
inline constexpr double kMetresPerMm = 0.001;
inline constexpr double kMmPerMetre = 1000.0;

/// U+00B0 in UTF-8.
inline constexpr const char* kDegreeSign = "\xC2\xB0";

/// The unit FormatAngle writes: the project-station's setting, or a fixed one.
enum class AngleFormat { Current, Gon, Degrees };

/// The unit settings as enumerations (any angle_units other than 1 is gon; any dist_standard
/// other than 0 is the US survey foot; distance_unit other than 1 or 2 is metres).
AngleUnit AngleUnitOf(const ProjectStationSettings& s);
DistanceUnit DistanceUnitOf(const ProjectStationSettings& s);
DistanceStandard DistanceStandardOf(const ProjectStationSettings& s);

/// Feet per metre of the foot standard in use.
double FeetPerMetre(const ProjectStationSettings& s);

/// An angle (gon) as display text ("123.45670" or "111° 06' 39.71\""), or with `packed` in
/// degree mode as DDD.MMSSs for files ("111.06397").
std::string FormatAngle(const ProjectStationSettings& s, double angleGon, AngleFormat unit, bool packed);

/// A display-form angle text back to gon, "%.5lf". In gon mode the text is returned as is.
std::string ParseAngle(const ProjectStationSettings& s, std::string_view text);

/// A distance (m) in the display unit, "%.4lf".
std::string FormatDistance(const ProjectStationSettings& s, double distanceMetres);

/// A metres text in the display unit, "%.4lf".
std::string MetresTextToDisplay(const ProjectStationSettings& s, std::string_view metresText);

/// A display-unit distance text in metres, "%.4lf".
std::string DistanceToMetres(const ProjectStationSettings& s, std::string_view displayText);

/// A prism constant as typed (mm in metres mode, feet or inches otherwise) in mm, "%.1lf".
std::string PrismConstantToMm(const ProjectStationSettings& s, std::string_view text);

/// Millimetres text to metres "%.4lf", and metres text to millimetres "%.4lf".
std::string MmToMetres(std::string_view mmText);
std::string MetresToMm(std::string_view metresText);

/// "m", "ft" or "in".
std::string DistanceUnitLabel(const ProjectStationSettings& s);

/// FormatAngle (current unit, display form) followed by " gon" in gon mode.
std::string FormatAngleWithUnit(const ProjectStationSettings& s, double angleGon);

/// "%s m", "%s ft" or "%s in" of a display-unit text.
std::string FormatDistanceWithUnit(const ProjectStationSettings& s, std::string_view displayText);

}  // namespace vigil::survey
