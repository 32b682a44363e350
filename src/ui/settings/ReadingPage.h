// Configure Reading page of the settings sheet: the reading sequence and the repeat, retry
// and round counts.
#pragma once

#include <filesystem>

#include "platform/Dialog.h"
#include "store/ProjectStationSettings.h"
#include "store/SettingsEntries.h"

namespace vigil::ui {

class ReadingPage final : public platform::Dialog {
 public:
  static constexpr int kSequenceListId = 1030;
  static constexpr int kRepeatsEditId = 1039;
  static constexpr int kRetriesEditId = 1040;
  static constexpr int kRoundsEditId = 1041;
  static constexpr int kSequenceLabelId = 1101;
  static constexpr int kRepeatsLabelId = 1102;
  static constexpr int kRetriesLabelId = 1103;
  static constexpr int kRoundsLabelId = 1104;

  explicit ReadingPage(const std::filesystem::path& translationsFile);

  void Fill(const store::ProjectStationSettings& settings);
  void Write(store::SettingsEntries& entries) const;
};

}  // namespace vigil::ui
