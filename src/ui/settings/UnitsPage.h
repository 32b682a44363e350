// Units page of the settings sheet: air temperature and pressure, and the angle, distance
// and foot-standard choices. A changed unit choice is reported to the sheet, which converts
// what the other pages show.
#pragma once

#include <filesystem>
#include <functional>

#include "platform/Dialog.h"
#include "store/ProjectStationSettings.h"
#include "store/SettingsEntries.h"

namespace vigil::ui {

class UnitsPage final : public platform::Dialog {
 public:
  static constexpr int kTemperatureEditId = 1023;
  static constexpr int kPressureEditId = 1024;
  static constexpr int kAngleListId = 1030;
  static constexpr int kDistanceListId = 1031;
  static constexpr int kStandardListId = 1032;
  static constexpr int kTemperatureLabelId = 1101;
  static constexpr int kPressureLabelId = 1102;
  static constexpr int kAngleLabelId = 1103;
  static constexpr int kDistanceLabelId = 1104;
  static constexpr int kStandardLabelId = 1105;

  explicit UnitsPage(const std::filesystem::path& translationsFile);

  /// Called after the operator chose in the distance or the angle list.
  std::function<void()> onDistanceUnitChanged;
  std::function<void()> onAngleUnitChanged;

  void Fill(const store::ProjectStationSettings& settings);
  /// List positions (0 when nothing is selected).
  int AngleChoice() const;
  int DistanceChoice() const;
  int StandardChoice() const;
  /// The standard only matters for feet and inches.
  void EnableStandard();
  void Write(store::SettingsEntries& entries) const;

  void OnSelectionChanged(int controlId) override;
};

}  // namespace vigil::ui
