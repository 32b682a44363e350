// Station page of the settings sheet: the project and station names.
#pragma once

#include <filesystem>
#include <string>

#include "platform/Dialog.h"
#include "store/ProjectStationSettings.h"
#include "store/SettingsEntries.h"

namespace vigil::ui {

class StationPage final : public platform::Dialog {
 public:
  static constexpr int kProjectEditId = 1018;
  static constexpr int kStationEditId = 1022;
  static constexpr int kProjectLabelId = 1101;
  static constexpr int kStationLabelId = 1102;

  explicit StationPage(const std::filesystem::path& translationsFile);

  void Fill(const store::ProjectStationSettings& settings);
  std::string Project() const { return Text(kProjectEditId); }
  std::string Station() const { return Text(kStationEditId); }
  void Write(store::SettingsEntries& entries) const;
};

}  // namespace vigil::ui
