// Prism Constants page of the settings sheet: the constants of the three prism kinds and of
// the custom prism, in mm in metres mode, otherwise in the display distance unit.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "platform/Dialog.h"
#include "store/ProjectStationSettings.h"
#include "store/SettingsEntries.h"

namespace vigil::ui {

class PrismConstantsPage final : public platform::Dialog {
 public:
  static constexpr int kMonitoringEditId = 1029;
  static constexpr int kConnectionEditId = 1019;
  static constexpr int kReferenceEditId = 1020;
  static constexpr int kCustomNameEditId = 1021;
  static constexpr int kCustomConstantEditId = 1022;
  static constexpr int kMonitoringLabelId = 1101;
  static constexpr int kConnectionLabelId = 1102;
  static constexpr int kReferenceLabelId = 1103;
  static constexpr int kCustomLabelId = 1104;

  explicit PrismConstantsPage(const std::filesystem::path& translationsFile);

  void Fill(const store::ProjectStationSettings& settings);
  /// "Monitoring (mm)" in metres mode, "Monitoring (ft)" and so on otherwise.
  void Relabel(std::string_view distanceUnitLabel);
  /// Every constant shown read in `oldUnits`' distance unit and shown in `newUnits`'.
  void Reconvert(const store::ProjectStationSettings& oldUnits,
                 const store::ProjectStationSettings& newUnits);
  /// const_monitoring, const_connection, const_reference and const_custom in mm.
  void Write(store::SettingsEntries& entries, const store::ProjectStationSettings& units) const;

 private:
  std::string monitoring_, connection_, reference_, custom_;  // translated captions without unit
};

}  // namespace vigil::ui
