#include "monitoring/MonitoringDialog.h"

#include "monitoring/CycleColumns.h"
#include "monitoring/Differences.h"
#include "monitoring/MonitoringTexts.h"
#include "platform/Format.h"
#include "ui/MainWindow.h"

namespace vigil::monitoring {

namespace {

constexpr platform::PixelRect kListRect{0, 0, 273, 184};

}  // namespace

MonitoringDialog::MonitoringDialog(ui::MainWindow& window, bool automatic)
    : Dialog("Monitoring"),
      window_(window),
      context_(window.Context()),
      alive_(std::make_shared<MonitoringDialog*>(this)),
      automatic_(automatic),
      dataFile_(window.Context().Layout().DataFolder()) {
  const store::ProjectStationSettings& s = context_.Settings();
  AddReportList(kReadingsListId, kListRect, ReadingsColumns(s));
  AddReportList(kDifferencesListId, kListRect, DifferenceColumns(s));
  AddLabel(kNotWrittenLabelId, "", {0, 188, 320, 24});
  AddLabel(kAlarmLabelId, "", {0, 188, 320, 24});
  AddButton(kButton1Id, "Start", {0, 216, 80, 24});
  AddButton(kButton2Id, "View Diff", {80, 216, 80, 24});
  AddButton(kButton3Id, "Cycles", {160, 216, 80, 24});
  AddButton(kButton4Id, "P1", {240, 216, 80, 24});
  sequence_ = s.sequence;
  repeat_ = s.repeat;
  retry_ = s.retry;
  rounds_ = s.rounds;
}

MonitoringDialog::~MonitoringDialog() = default;

std::string MonitoringDialog::Tr(std::string_view key, std::string_view defaultText) const {
  return context_.Translate(key, defaultText);
}

int MonitoringDialog::Tell(std::string_view text, platform::MessageIcon icon,
                           platform::MessageButtons buttons) {
  return context_.Bracket().MessageBox(text, {}, icon, buttons);
}

link::CompletionRoutine MonitoringDialog::Routine(void (MonitoringDialog::*member)()) {
  std::weak_ptr<MonitoringDialog*> alive = alive_;
  return [alive, member] {
    if (auto self = alive.lock()) ((**self).*member)();
  };
}

void MonitoringDialog::OnInitDialog() {
  const store::ProjectStationSettings& s = context_.Settings();
  ListSetColumns(kReadingsListId, ReadingsColumns(s));
  ListSetColumns(kDifferencesListId, DifferenceColumns(s));
  SetTitle(context_.StationTitleOf(Tr(texts::kTitle.key, texts::kTitle.defaultText)));
  Show(kNotWrittenLabelId, false);
  ShowAlarmLine();
  page_ = "P1";
  SetPageCaptions();
  ShowReadings(true);
  if (automatic_) {
    // After the dialog is up, so the cycle's first turn runs inside its modal loop.
    std::weak_ptr<MonitoringDialog*> alive = alive_;
    context_.Loop().Post([alive] {
      if (auto self = alive.lock()) (**self).StartCycle(false);
    });
  }
}

void MonitoringDialog::OnPaint() {
  RegisterSoftKeys(kButton1Id, kButton2Id, kButton3Id, kButton4Id);
}

void MonitoringDialog::SetPageCaptions() {
  if (page_ == "P1") {
    SetText(kButton1Id, Tr(texts::kStart.key, texts::kStart.defaultText));
    SetText(kButton2Id, Tr(texts::kViewDiff.key, texts::kViewDiff.defaultText));
    SetText(kButton3Id, Tr(texts::kCycles.key, texts::kCycles.defaultText));
  } else {
    SetText(kButton1Id, Tr(texts::kSaveAs.key, texts::kSaveAs.defaultText));
    SetText(kButton2Id, Tr(texts::kDownload.key, texts::kDownload.defaultText));
    SetText(kButton3Id, Tr(texts::kCorrected.key, texts::kCorrected.defaultText));
  }
  SetText(kButton4Id, page_);
}

void MonitoringDialog::SwitchPage() {
  page_ = page_ == "P1" ? "P2" : "P1";
  SetPageCaptions();
}

void MonitoringDialog::ShowReadings(bool readings) {
  Show(kReadingsListId, readings);
  Show(kDifferencesListId, !readings);
}

void MonitoringDialog::OnCommand(int controlId) {
  const bool p1 = page_ == "P1";
  switch (controlId) {
    case kButton1Id:
      if (!p1) {
        SaveCycleAs();
      } else if (Text(kButton1Id) == Tr(texts::kStart.key, texts::kStart.defaultText)) {
        userStarted_ = true;
        StartCycle(true);
      } else if (Text(kButton1Id) == Tr(texts::kStop.key, texts::kStop.defaultText)) {
        StopCycle();
      }
      break;
    case kButton2Id:
      if (!p1) {
        OpenDownload();
      } else if (Text(kButton2Id) == Tr(texts::kViewDiff.key, texts::kViewDiff.defaultText)) {
        ShowReadings(false);
        SetText(kButton2Id, Tr(texts::kReadings.key, texts::kReadings.defaultText));
      } else {
        ShowReadings(true);
        SetText(kButton2Id, Tr(texts::kViewDiff.key, texts::kViewDiff.defaultText));
      }
      break;
    case kButton3Id:
      if (p1) {
        OpenCycles();
      } else {
        OpenCorrected();
      }
      break;
    case kButton4Id:
      SwitchPage();
      break;
    default:
      break;
  }
}

bool MonitoringDialog::OnClose() {
  if (!running_) return true;
  Tell(Tr(texts::kCannotClose.key, texts::kCannotClose.defaultText), platform::MessageIcon::Exclamation);
  return false;
}

void MonitoringDialog::ShowNotWritten() {
  // Unstored readings come first: the results can be rebuilt from the cycle files, they cannot.
  const texts::Text& text = unwritten_ > 0 ? texts::kNotWritten : texts::kResultsNotWritten;
  SetText(kNotWrittenLabelId,
          platform::Format(Tr(text.key, text.defaultText), {unwritten_ > 0 ? unwritten_ : unstoredResults_}));
  Show(kNotWrittenLabelId, unwritten_ > 0 || unstoredResults_ > 0);
  ShowAlarmLine();
}

void MonitoringDialog::ShowAlarmLine() {
  const std::string alarms = window_.AlarmLine();
  SetText(kAlarmLabelId, alarms);
  Show(kAlarmLabelId, unwritten_ == 0 && unstoredResults_ == 0 && !alarms.empty());
}

}  // namespace vigil::monitoring
