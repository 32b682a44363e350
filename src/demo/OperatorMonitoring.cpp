// Days of scheduled cycles, then the Monitoring screen: the last cycle with its differences,
// and every cycle file downloaded to the USB stick.
#include <cmath>
#include <optional>
#include <utility>
#include "demo/Operator.h"

#include "monitoring/CorrectedDialog.h"
#include "monitoring/CycleFileName.h"
#include "monitoring/CycleListOrder.h"
#include "monitoring/CyclesDialog.h"
#include "monitoring/DownloadDialog.h"
#include "monitoring/FolderBrowserDialog.h"
#include "monitoring/MonitoringDialog.h"
#include "monitoring/PointPlotDialog.h"
#include "platform/Files.h"
#include "platform/Format.h"
#include "ui/MainWindow.h"

namespace vigil::demo {

namespace {

using MW = ui::MainWindow;
using MD = monitoring::MonitoringDialog;
using CY = monitoring::CyclesDialog;
using DL = monitoring::DownloadDialog;
using FB = monitoring::FolderBrowserDialog;
using CD = monitoring::CorrectedDialog;
using PP = monitoring::PointPlotDialog;

constexpr std::int64_t kMsPerDay = 86400000;
constexpr const char* kSuggestDeleteAll =
    "NOTE: It is suggested to delete the files to free up space in the instrument.\r\nDo you want to delete "
    "them "
    "after downloading?";
constexpr const char* kAllDownloaded = "All data files are successfully downloaded.";
constexpr const char* kConfirmDelete =
    "Data file is successfully downloaded.\r\n\r\nIt is suggested to delete the file to free up space in the "
    "instrument.\r\nDo you want to delete it?";

// The oldest cycle file of the data folder, in the order of the cycle list.
std::optional<std::string> FirstCycleFile(const std::filesystem::path& dataFolder) {
  std::optional<std::pair<monitoring::CycleFileNameParts, std::string>> first;
  const std::string pattern = "*." + std::string(monitoring::kCycleFileExtension);
  for (const std::string& name : platform::FindFiles(dataFolder, pattern)) {
    const auto parts = monitoring::SplitCycleFileName(name);
    if (parts && (!first || monitoring::CycleListedBefore(*parts, first->first))) first.emplace(*parts, name);
  }
  if (!first) return std::nullopt;
  return first->second;
}

// The row of the corrected displacements that moved furthest, -1 when none has a displacement.
int FurthestMoved(platform::Dialog& corrected) {
  int best = -1;
  double bestMm = -1.0;
  for (int row = 0; row < corrected.ListRowCount(CD::kListId); ++row) {
    double sumSquares = 0.0;
    bool complete = true;
    for (int column = 1; column <= 3; ++column) {
      double mm = 0.0;
      complete = complete && platform::ScanDouble(corrected.ListCell(CD::kListId, row, column), mm);
      sumSquares += mm * mm;
    }
    if (complete && std::sqrt(sumSquares) > bestMm) {
      bestMm = std::sqrt(sumSquares);
      best = row;
    }
  }
  return best;
}

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
  host.Press(MD::kButton2Id).Press(MD::kButton4Id).Press(MD::kButton3Id).WaitForDialog<CD>();
  Shoot("corrected");
  ChooseRow("the point that moved furthest", CD::kListId, FurthestMoved);
  host.Press(CD::kSoftKey1Id).WaitForDialog<PP>();
  Shoot("plot");
  host.Press(PP::kSoftKey3Id);
  Shoot("plot_dh");
  host.Press(PP::kCloseKeyId).WaitForDialog<CD>().Press(CD::kCloseKeyId).WaitForDialog<MD>();
  host.Press(MD::kButton2Id)
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

  // One file picked in the open-file dialog: the first cycle there is. The start day may
  // have none (a start late in the evening).
  host.Press(DL::kFileRadioId)
      .Press(DL::kFileBrowseId)
      .AnswerOpenFile("the first cycle file",
                      [this]() -> std::optional<std::string> {
                        const std::filesystem::path data = world_.Layout().DataFolder();
                        const std::optional<std::string> first = FirstCycleFile(data);
                        if (!first) {
                          Problem("no cycle file to download");
                          return std::nullopt;
                        }
                        return platform::PathText(data / *first);
                      })
      .Press(DL::kStartKeyId)
      .AnswerMessageBox(kConfirmDelete, platform::kIdNo)
      .Close()
      .WaitForDialog<MD>()
      .Close()
      .WaitForDialog<MW>();
}

}  // namespace vigil::demo
