// The Monitoring screen: measures a cycle of every trained point one reading at a time,
// records each reading in the readings list and the cycle's data file, shows the
// differences from the reference positions, and on its second page copies data files off
// the instrument.
//
// A cycle runs on completion routines: each reading's completion records it and starts the
// next turn. The same dialog serves cycles started by the operator and by the schedule; in
// automatic mode (created by the schedule) it starts at once and closes after the cycle.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "monitoring/CycleDataFile.h"
#include "monitoring/MonitoringRows.h"
#include "platform/Dialog.h"
#include "training/TrainingPoint.h"
#include "ui/AppContext.h"

namespace vigil::ui {
class MainWindow;
}

namespace vigil::monitoring {

class MonitoringDialog final : public platform::Dialog {
 public:
  static constexpr int kReadingsListId = 1130;
  static constexpr int kDifferencesListId = 1131;
  static constexpr int kNotWrittenLabelId = 1132;
  /// The alarms in one line, where the not-written line would be: that one comes first.
  static constexpr int kAlarmLabelId = 1133;
  static constexpr int kButton1Id = 1021;
  static constexpr int kButton2Id = 1025;
  static constexpr int kButton3Id = 1018;
  static constexpr int kButton4Id = 1019;

  /// Pause between the end of a cycle and the next one in continuous mode (ms).
  static constexpr std::uint32_t kContinuousPauseMs = 10000;

  MonitoringDialog(ui::MainWindow& window, bool automatic);
  ~MonitoringDialog() override;

  void OnInitDialog() override;
  void OnPaint() override;
  void OnCommand(int controlId) override;
  bool OnClose() override;

  /// Builds the rows and measures them; with `ask` only after "Start monitoring now?".
  void StartCycle(bool ask);
  /// Ends the cycle after the reading in progress, which is then dropped.
  void StopCycle();
  /// From P1 to P2 and back.
  void SwitchPage();

  /// Loads a stored cycle file into both lists.
  void ShowCycleFile(const std::filesystem::path& path);
  /// The trained points' reference coordinates, from the whole training file.
  void LoadReferenceCoordinates();

  /// Page P2: copy the current cycle's file to external storage; open the download screen.
  void SaveCycleAs();
  void OpenDownload();
  /// Page P1: choose a stored cycle and show it.
  void OpenCycles();
  /// Page P2: the corrected displacements of the last evaluated cycle.
  void OpenCorrected();

  bool Running() const { return running_; }
  bool Automatic() const { return automatic_; }
  const std::string& Page() const { return page_; }
  double CycleNumber() const { return cycleNumber_; }
  /// The data file of the last cycle; empty until a reading was recorded since opening.
  const std::filesystem::path& CurrentDataFile() const { return dataFile_.CurrentPath(); }
  /// Readings recorded in the list whose line could not be written to the data file.
  int UnwrittenReadings() const { return unwritten_; }
  /// Cycles whose results could not be written to the results database.
  int UnstoredResults() const { return unstoredResults_; }
  const std::vector<training::TrainingPoint>& References() const { return references_; }

 private:
  link::CompletionRoutine Routine(void (MonitoringDialog::*member)());
  std::string Tr(std::string_view key, std::string_view defaultText) const;
  int Tell(std::string_view text, platform::MessageIcon icon,
           platform::MessageButtons buttons = platform::MessageButtons::Ok);
  void TranslateCaptions();
  void SetPageCaptions();
  void ShowReadings(bool readings);

  bool BuildRows();
  void MeasureNextRow();
  void OnReadingComplete();
  void RecordRow(std::size_t index, bool succeeded);
  void NumberAsTheFile(const platform::LocalDateTime& now);
  void EndCycle();
  void ScheduleContinuousCycle();
  void ShowNotWritten();
  void ShowAlarmLine();

  ui::MainWindow& window_;
  ui::AppContext& context_;
  std::shared_ptr<MonitoringDialog*> alive_;
  bool automatic_;

  std::vector<MonitoringRow> rows_;
  std::size_t current_ = 0;
  int retriesDone_ = 0;
  std::string pointName_;
  std::string round_;
  std::string face_;
  int sequence_ = 0;
  int repeat_ = 0;
  int retry_ = 0;
  int rounds_ = 0;
  double cycleNumber_ = 1.0;

  bool running_ = false;
  bool userStarted_ = false;
  bool stopped_ = false;
  std::string page_ = "P1";
  CycleDataFile dataFile_;
  int unwritten_ = 0;
  int unstoredResults_ = 0;
  int unwrittenAtStart_ = 0;
  std::vector<training::TrainingPoint> references_;
};

}  // namespace vigil::monitoring
