// Days of scheduled cycles, then the Monitoring screen: the last cycle with its differences,
// and every cycle file downloaded to the USB stick.
#include "demo/Operator.h"
#include "monitoring/CycleFileName.h"
#include "monitoring/CyclesDialog.h"
#include "monitoring/DownloadDialog.h"
#include "monitoring/FolderBrowserDialog.h"
#include "monitoring/MonitoringDialog.h"
#include "platform/Files.h"
#include "ui/MainWindow.h"

namespace vigil::demo {

namespace {

using MW = ui::MainWindow;
using MD = monitoring::MonitoringDialog;
using CY = monitoring::CyclesDialog;
using DL = monitoring::DownloadDialog;
using FB = monitoring::FolderBrowserDialog;

constexpr std::int64_t kMsPerDay = 86400000;
constexpr const char* kSuggestDeleteAll =
    "NOTE: It is suggested to delete the files to free up space in the instrument.\r\nDo you want to delete "
    "them "
    "after downloading?";
constexpr const char* kAllDownloaded = "All data files are successfully downloaded.";
constexpr const char* kConfirmDelete =
    "Data file is successfully downloaded.\r\n\r\nIt is suggested to delete the file to free up space in the "
    "instrument.\r\nDo you want to delete it?";

}  // namespace

void Operator::ScriptMonitoringDays() {
  const std::int64_t endMs = LocalMs(site_.start) + days_ * kMsPerDay;
  const std::uint64_t timeoutMs = static_cast<std::uint64_t>(days_) * kMsPerDay + kMsPerDay;
  Host()
      .WaitUntil(
          "the days of monitoring", [this, endMs] { return LocalMs(world_.Loop().Now()) >= endMs; },
          timeoutMs)
      .WaitUntil("no cycle on screen", [this] { return Host().TopDialog() == &world_.App().Window(); });
}

void Operator::ScriptDownload() {
  ui::ScriptedHost& host = Host();
  // The stick is plugged in.
  host.Do("USB stick in", [this] {
    const std::filesystem::path stick = StickFolder();
    platform::CreateFolder(stick.parent_path().parent_path());
    platform::CreateFolder(stick.parent_path());
    if (!platform::CreateFolder(stick)) Problem("no USB stick folder " + platform::PathText(StickFolder()));
  });
  host.Press(MW::kMonitorButtonId).WaitForDialog<MD>().Press(MD::kButton3Id).WaitForDialog<CY>();
  ChooseRow("the last cycle", CY::kListId,
            [](platform::Dialog& front) { return front.ListRowCount(CY::kListId) - 1; });
  host.Press(CY::kViewKeyId).WaitForDialog<MD>();
  Shoot("monitoring_readings");
  host.Press(MD::kButton2Id);
  Shoot("monitoring_differences");
  host.Press(MD::kButton2Id)
      .Press(MD::kButton4Id)
      .Press(MD::kButton2Id)
      .WaitForDialog<DL>()
      .Press(DL::kAllRadioId)
      .Press(DL::kOutBrowseId)
      .WaitForDialog<FB>()
      .SelectText(FB::kTreeId, kStickFolder)
      .Press(FB::kOkKeyId)
      .WaitForDialog<DL>();
  Shoot("download");
  host.Press(DL::kStartKeyId)
      .AnswerMessageBox(kSuggestDeleteAll, platform::kIdNo)
      .AnswerMessageBox(kAllDownloaded);

  // One file picked in the open-file dialog: the day's first cycle.
  const std::string first = monitoring::CycleFileName(
      monitoring::DayBaseName(kStation, kProject, monitoring::CycleFileDate(site_.start)), 1);
  const std::string chosen = platform::PathText(world_.Layout().DataFolder() / first);
  host.Press(DL::kFileRadioId)
      .Press(DL::kFileBrowseId)
      .AnswerOpenFile(chosen)
      .Press(DL::kStartKeyId)
      .AnswerMessageBox(kConfirmDelete, platform::kIdNo)
      .Close()
      .WaitForDialog<MD>()
      .Close()
      .WaitForDialog<MW>();
}

}  // namespace vigil::demo
