// The cycle itself: building the rows, one reading after another, recording, and what the
// cycle mode does when a cycle ends.
#include "monitoring/CycleFileName.h"
#include "monitoring/Differences.h"
#include "monitoring/MonitoringDialog.h"
#include "monitoring/MonitoringTexts.h"
#include "monitoring/RecordedReading.h"
#include "platform/Format.h"
#include "survey/Units.h"
#include "training/TrainingFile.h"
#include "ui/MainWindow.h"

namespace vigil::monitoring {

namespace {

enum CycleMode : int { kInterval = 0, kContinuous = 1, kSingle = 2 };

}  // namespace

void MonitoringDialog::StartCycle(bool ask) {
  if (running_) return;
  if (ask && Tell(Tr(texts::kStartQuestion.key, texts::kStartQuestion.defaultText),
                  platform::MessageIcon::Question, platform::MessageButtons::YesNo) != platform::kIdYes) {
    userStarted_ = false;
    return;
  }
  window_.ArmSchedule(false);

  const store::ProjectStationSettings& s = context_.Settings();
  const std::string base = DayBaseName(s.station, s.project, CycleFileDate(context_.Loop().Now()));
  cycleNumber_ = NextCycleNumber(context_.Layout().DataFolder(), base);

  if (!BuildRows()) {
    Tell(Tr(texts::kNoTraining.key, texts::kNoTraining.defaultText), platform::MessageIcon::Exclamation);
    userStarted_ = false;
    if (automatic_) {
      // Nobody may be there to close it: the schedule must go on.
      window_.ArmSchedule(true);
      EndDialog(platform::kIdOk);
    }
    return;
  }

  running_ = true;
  stopped_ = false;
  unwrittenAtStart_ = unwritten_;
  dataFile_.StartCycle();
  // A scheduled start may find page P2 shown, whose button 1 is Save As: Stop must be there.
  page_ = "P1";
  SetPageCaptions();
  SetText(kButton1Id, Tr(texts::kStop.key, texts::kStop.defaultText));
  Enable(kButton1Id, true);
  for (int id : {kButton2Id, kButton3Id, kButton4Id}) Enable(id, false);
  ShowReadings(true);
  SetText(kButton2Id, Tr(texts::kViewDiff.key, texts::kViewDiff.defaultText));
  current_ = 0;
  retriesDone_ = 0;
  MeasureNextRow();
}

bool MonitoringDialog::BuildRows() {
  const training::TrainingFileContent training =
      training::ReadTrainingFile(training::TrainingFileOf(context_.Layout(), context_.Settings()));
  // Rows left in the lists (a viewed cycle, the last run) hold old measured values: they are
  // never measured again in place of the training.
  if (training.result != training::TrainingReadResult::Read) return false;

  store::ProjectStationSettings plan = context_.Settings();
  plan.sequence = sequence_;
  plan.repeat = repeat_;
  plan.rounds = rounds_;
  rows_ = BuildMonitoringRows(plan, training.points, cycleNumber_);
  // Each list filled in one go: a screen shows the whole cycle at once, not row by row.
  std::vector<std::vector<std::string>> readings;
  std::vector<std::vector<std::string>> differences;
  readings.reserve(rows_.size());
  differences.reserve(rows_.size());
  for (const MonitoringRow& row : rows_) {
    readings.emplace_back(row.cells.begin(), row.cells.end());
    differences.push_back({row.cells[kCyclePoint], "", "", "", row.refEasting, row.refNorthing, row.refRl});
  }
  ListSetRows(kReadingsListId, std::move(readings));
  ListSetRows(kDifferencesListId, std::move(differences));
  return !rows_.empty();
}

void MonitoringDialog::MeasureNextRow() {
  if (current_ >= rows_.size()) {
    EndCycle();
    return;
  }
  const store::ProjectStationSettings& s = context_.Settings();
  const MonitoringRow& row = rows_[current_];
  pointName_ = row.cells[kCyclePoint];
  round_ = row.cells[kCycleRound];
  face_ = row.cells[kCycleFace];
  const double haGon = platform::ParseDoubleOr(survey::ParseAngle(s, row.cells[kCycleHa]), 0.0);
  const double vaGon = platform::ParseDoubleOr(survey::ParseAngle(s, row.cells[kCycleVa]), 0.0);
  ListEnsureVisible(kReadingsListId, static_cast<int>(current_));
  link::MeasurementEngine& engine = context_.Engine();
  engine.SetPrismContext(pointName_, row.prismType);
  engine.TurnTo(haGon, vaGon, Routine(&MonitoringDialog::OnReadingComplete), true, true);
}

void MonitoringDialog::OnReadingComplete() {
  link::MeasurementEngine& engine = context_.Engine();
  engine.SetPrismContext("", survey::kPrismNone);
  if (current_ >= rows_.size()) {
    MeasureNextRow();
    return;
  }
  const bool succeeded = engine.ReadingResult() == 0;
  if (!succeeded && retriesDone_ < retry_) {
    ++retriesDone_;
    MeasureNextRow();
    return;
  }
  retriesDone_ = 0;
  RecordRow(current_, succeeded);
  ++current_;
  MeasureNextRow();
}

void MonitoringDialog::RecordRow(std::size_t index, bool succeeded) {
  const store::ProjectStationSettings& s = context_.Settings();
  const platform::LocalDateTime now = context_.Loop().Now();
  MonitoringRow& row = rows_[index];
  if (row.cells[kCyclePoint] == pointName_) {
    row.cells[kCycleDate] = RecordDate(now);
    row.cells[kCycleTime] = RecordTime(now);
  }
  const int listRow = static_cast<int>(index);
  if (succeeded) {
    FillMeasuredColumns(s, context_.Engine().Reading(), row.cells);
    if (const auto d = ComputeDifferences(s, row.cells[kCycleEasting], row.cells[kCycleNorthing],
                                          row.cells[kCycleRl], row.refEasting, row.refNorthing, row.refRl)) {
      ListSetCell(kDifferencesListId, listRow, kDiffEasting, d->dEasting);
      ListSetCell(kDifferencesListId, listRow, kDiffNorthing, d->dNorthing);
      ListSetCell(kDifferencesListId, listRow, kDiffRl, d->dRl);
    }
  }
  if (dataFile_.CurrentPath().empty()) NumberAsTheFile(now);
  for (std::size_t c = 0; c < kCycleColumnCount; ++c)
    ListSetCell(kReadingsListId, listRow, static_cast<int>(c), row.cells[c]);
  // The row stays in the list either way; the operator is told without stopping the cycle.
  if (!dataFile_.AppendCycleLine(s, row.cells, now)) {
    ++unwritten_;
    ShowNotWritten();
  }
}

void MonitoringDialog::NumberAsTheFile(const platform::LocalDateTime& now) {
  // The first line names the file from its own date: a cycle started before midnight is the
  // new day's cycle, and its Cycle column must say the number its file carries.
  const store::ProjectStationSettings& s = context_.Settings();
  const std::string base = DayBaseName(s.station, s.project, CycleFileDate(now));
  const int number = NextCycleNumber(context_.Layout().DataFolder(), base);
  if (number == cycleNumber_) return;
  cycleNumber_ = number;
  const std::string text = platform::FormatInt(number);
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    rows_[i].cells[kCycleNumber] = text;
    ListSetCell(kReadingsListId, static_cast<int>(i), static_cast<int>(kCycleNumber), text);
  }
}

void MonitoringDialog::EndCycle() {
  running_ = false;
  if (unwritten_ > unwrittenAtStart_) window_.ReadingsNotWritten(unwritten_ - unwrittenAtStart_);
  if (!dataFile_.CurrentPath().empty() && !window_.CycleStored(dataFile_.CurrentPath())) {
    ++unstoredResults_;
    ShowNotWritten();
  } else {
    ShowAlarmLine();
  }
  SetText(kButton1Id, Tr(texts::kStart.key, texts::kStart.defaultText));
  for (int id : {kButton1Id, kButton2Id, kButton3Id, kButton4Id}) Enable(id, true);
  const int mode = context_.Settings().mode;
  if (automatic_) {
    window_.ArmSchedule(true);
    // Unstored readings keep the screen up for the operator; the schedule goes on in it.
    if (unwritten_ == 0 && unstoredResults_ == 0) EndDialog(platform::kIdOk);
    return;
  }
  if (mode == kInterval) window_.ArmSchedule(true);
  if (mode == kContinuous && !stopped_) ScheduleContinuousCycle();
  stopped_ = false;
  if (mode == kSingle && face_ == "2") context_.Engine().ChangeFace(false);
  if (mode != kContinuous && userStarted_) {
    Tell(Tr(texts::kCompleted.key, texts::kCompleted.defaultText), platform::MessageIcon::Information);
    userStarted_ = false;
  }
}

void MonitoringDialog::ScheduleContinuousCycle() {
  std::weak_ptr<MonitoringDialog*> alive = alive_;
  context_.Loop().PostDelayed(kContinuousPauseMs, [alive] {
    // Closing the screen during the pause ends continuous monitoring; a cycle the operator
    // started meanwhile is not started twice.
    if (auto self = alive.lock()) (**self).StartCycle(false);
  });
}

void MonitoringDialog::StopCycle() {
  current_ = rows_.size();
  stopped_ = true;
  Enable(kButton1Id, false);
}

}  // namespace vigil::monitoring
