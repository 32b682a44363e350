// Cycles page of the settings sheet: the cycle mode and, in interval mode, the interval in
// hours, the first cycle's time and the resulting table of the day's cycles.
#pragma once

#include <filesystem>
#include <string>

#include "platform/Dialog.h"
#include "store/ProjectStationSettings.h"
#include "store/SettingsEntries.h"

namespace vigil::ui {

class CyclesPage final : public platform::Dialog {
 public:
  static constexpr int kModeListId = 1031;
  static constexpr int kIntervalEditId = 1059;  ///< digits only
  static constexpr int kStartTimeListId = 1058;
  static constexpr int kCycleTableId = 1060;
  static constexpr int kModeLabelId = 1101;
  static constexpr int kIntervalLabelId = 1102;
  static constexpr int kStartTimeLabelId = 1103;

  static constexpr int kModeInterval = 0;
  static constexpr int kModeContinuous = 1;
  static constexpr int kModeSingle = 2;

  explicit CyclesPage(const std::filesystem::path& translationsFile);

  void Fill(const store::ProjectStationSettings& settings);
  int Mode() const;
  /// The cycle list the page will save.
  const std::string& CycleList() const { return cycles_; }
  /// The chosen start time, or the stored one when nothing is chosen.
  std::string StartTime() const;
  void Write(store::SettingsEntries& entries) const;

  void OnSelectionChanged(int controlId) override;
  void OnEditChanged(int controlId) override;

 private:
  /// Shows or hides the schedule fields for the mode; in interval mode rebuilds the list.
  void ApplyMode();
  /// The list and the table from the start time and the interval (empty below 1 hour).
  void Rebuild();
  void FillTable();

  std::string cycles_;
  std::string storedStartTime_;
};

}  // namespace vigil::ui
