// The settings of one project-station, named by their keys in the settings file.
#pragma once

#include <string>

namespace vigil::store {

/// The default cycle list of a new project-station.
inline constexpr const char* kDefaultCycles =
    "1,01:00 AM|2,05:00 AM|3,09:00 AM|4,01:00 PM|5,05:00 PM|6,09:00 PM";
inline constexpr const char* kDefaultInterval = "4";
inline constexpr const char* kDefaultStartTime = "01:00 AM";
inline constexpr bool kDefaultReplyDriven = true;

/// One monitoring set-up. Field names are the file keys. In memory `reduced_level` is the level
/// of the instrument's axis (file value plus `instrument_height`).
struct ProjectStationSettings {
  std::string project = "PROJ";
  std::string station = "STN1";
  double temperature = 30.0;                ///< air temperature (°C)
  double pressure = 1013.0;                 ///< air pressure (hPa)
  int angle_units = 0;                      ///< 0 gon, 1 degrees-minutes-seconds
  int distance_unit = 0;                    ///< 0 metres, 1 feet, 2 inches
  int dist_standard = 0;                    ///< 0 international foot, other US survey foot
  double easting = 30000.0;                 ///< station easting (m)
  double northing = 30000.0;                ///< station northing (m)
  double reduced_level = 100.0;             ///< in memory: level of the instrument axis (m)
  double orientation = 0.0;                 ///< circle reading of grid north (gon)
  double instrument_height = 0.0;           ///< instrument above the mark (m)
  double const_monitoring = -30.0;          ///< prism constant of monitoring prisms (mm)
  double const_connection = -7.0;           ///< prism constant of connection prisms (mm)
  double const_reference = -30.0;           ///< prism constant of reference prisms (mm)
  std::string const_custom_name;            ///< name part of `const_custom` (the custom prism character)
  double const_custom = 0.0;                ///< constant part of `const_custom` (mm)
  int sequence = 0;                         ///< 0 face 1 then face 2, 1 each point both faces, 2 face 1 only
  int repeat = 3;                           ///< readings of each point per face
  int retry = 5;                            ///< retries of a failed reading
  int rounds = 1;                           ///< rounds per cycle
  int mode = 0;                             ///< 0 interval, 1 continuous, 2 single
  std::string interval = kDefaultInterval;  ///< hours between cycles, as typed
  std::string start_time = kDefaultStartTime;  ///< time of the first cycle, "hh:00 AM"
  std::string cycles = kDefaultCycles;         ///< "n,hh:00 AM|..." cycle list
  /// `resume_after_restart`: a start with --resume takes monitoring up again. The key is in
  /// the file only when it is 1, so files without it read as they always did.
  bool resume_after_restart = false;
  /// A measuring step goes on as soon as the instrument's reply is in; false: only at the
  /// fixed poll periods. Stored only when false, so files of the default read as before.
  bool reply_driven = kDefaultReplyDriven;
};

}  // namespace vigil::store
