// Coordinates page of the settings sheet: the station mark and instrument height in the
// display distance unit, and the orientation (gon) in the display angle unit. A changed
// distance unit only relabels: the numbers are read in the new unit when the sheet is saved.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "platform/Dialog.h"
#include "store/ProjectStationSettings.h"
#include "store/SettingsEntries.h"

namespace vigil::ui {

class CoordinatesPage final : public platform::Dialog {
 public:
  static constexpr int kEastingEditId = 1025;
  static constexpr int kNorthingEditId = 1026;
  static constexpr int kLevelEditId = 1027;  ///< level of the mark (RL)
  static constexpr int kOrientationEditId = 1028;
  static constexpr int kHeightEditId = 1029;
  static constexpr int kEastingLabelId = 1101;
  static constexpr int kNorthingLabelId = 1102;
  static constexpr int kLevelLabelId = 1103;
  static constexpr int kOrientationLabelId = 1104;
  static constexpr int kHeightLabelId = 1105;

  explicit CoordinatesPage(const std::filesystem::path& translationsFile);

  /// Shows the settings in their own units.
  void Fill(const store::ProjectStationSettings& settings);
  /// "Easting (ft)" and so on.
  void Relabel(std::string_view distanceUnitLabel);
  /// The orientation read in `oldUnits`' angle unit and shown in `newUnits`'; a text that
  /// does not read stays as typed.
  void ReshowOrientation(const store::ProjectStationSettings& oldUnits,
                         const store::ProjectStationSettings& newUnits);
  /// easting, northing, reduced_level (of the mark), orientation, instrument_height, read in
  /// `units`.
  void Write(store::SettingsEntries& entries, const store::ProjectStationSettings& units) const;

 private:
  std::string easting_, northing_, level_, height_;  // translated captions without unit
};

}  // namespace vigil::ui
