// The full-screen sheet in which the operator creates or edits a project-station: six pages
// on a tab control and two soft keys. It ends with OK after a successful save, or with
// kResultLoad (back to the project selection, nothing saved). The unit choices reach the
// store's settings at once; everything else only through the saved file.
#pragma once

#include <filesystem>
#include <string>

#include "platform/BasicStateBracket.h"
#include "platform/Dialog.h"
#include "store/ProjectStationStore.h"
#include "ui/settings/CoordinatesPage.h"
#include "ui/settings/CyclesPage.h"
#include "ui/settings/PrismConstantsPage.h"
#include "ui/settings/ReadingPage.h"
#include "ui/settings/StationPage.h"
#include "ui/settings/UnitsPage.h"

namespace vigil::ui {

class StationSettingsSheet final : public platform::Dialog {
 public:
  static constexpr int kTabId = 1001;
  static constexpr int kLoadKeyId = 1021;  // soft key 1
  static constexpr int kSoftKey2Id = 1025;
  static constexpr int kSoftKey3Id = 1018;
  static constexpr int kOkKeyId = 1019;  // soft key 4
  /// The modal result of the Load key.
  static constexpr int kResultLoad = 100;

  /// Page indexes on the tab control.
  enum PageIndex { kStation = 0, kUnits, kCoordinates, kPrismConstants, kReading, kCycles };

  /// `isNew`: opened for a new project-station ("Create New Project?"); an existing file of
  /// the names typed is then refused. Messages are bracketed through `bracket`.
  StationSettingsSheet(store::ProjectStationStore& store, platform::BasicStateBracket& bracket, bool isNew);

  bool IsNew() const { return isNew_; }

  StationPage& Station() { return station_; }
  UnitsPage& Units() { return units_; }
  CoordinatesPage& Coordinates() { return coordinates_; }
  PrismConstantsPage& PrismConstants() { return prismConstants_; }
  ReadingPage& Reading() { return reading_; }
  CyclesPage& Cycles() { return cycles_; }

  void OnInitDialog() override;
  void OnPaint() override;
  void OnCommand(int controlId) override;
  /// The sheet has no cancel: the close message is refused.
  bool OnClose() override { return false; }

 private:
  std::filesystem::path TranslationsFile() const;
  void DistanceUnitChanged();
  void AngleUnitChanged();
  void Save();
  /// The store's settings with the Units page's choices, for reading what the pages show.
  store::ProjectStationSettings DisplayUnits() const;
  /// False, after telling the operator, when a number field holds a text that would be read
  /// only up to its first odd character.
  bool NumbersReadWhole();
  bool TemperatureInRange();

  store::ProjectStationStore& store_;
  platform::BasicStateBracket& bracket_;
  bool isNew_;
  std::string translatedTitle_;

  StationPage station_;
  UnitsPage units_;
  CoordinatesPage coordinates_;
  PrismConstantsPage prismConstants_;
  ReadingPage reading_;
  CyclesPage cycles_;
};

}  // namespace vigil::ui
