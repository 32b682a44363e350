// The stored side of the Monitoring screen: viewing a cycle file with its differences, and
// copying data files to external storage.
#include "monitoring/CorrectedDialog.h"
#include "monitoring/CycleFileText.h"
#include "monitoring/CyclesDialog.h"
#include "monitoring/DataFileCopy.h"
#include "monitoring/DeleteOffer.h"
#include "monitoring/Differences.h"
#include "monitoring/DownloadDialog.h"
#include "monitoring/FolderBrowserDialog.h"
#include "monitoring/MonitoringDialog.h"
#include "monitoring/MonitoringTexts.h"
#include "platform/Files.h"
#include "results/ResultsDatabase.h"
#include "training/TrainingFile.h"

namespace vigil::monitoring {

void MonitoringDialog::LoadReferenceCoordinates() {
  references_ =
      training::ReadTrainingFile(training::TrainingFileOf(context_.Layout(), context_.Settings())).points;
}

void MonitoringDialog::OpenCycles() {
  LoadReferenceCoordinates();
  CyclesDialog cycles(context_, context_.Layout().DataFolder());
  if (context_.Host().RunModal(cycles) != platform::kIdOk) return;
  ShowCycleFile(cycles.ChosenPath());
}

void MonitoringDialog::OpenCorrected() {
  CorrectedDialog corrected(context_, context_.Layout().DataFolder() / results::kResultsFileName);
  context_.Host().RunModal(corrected);
}

void MonitoringDialog::ShowCycleFile(const std::filesystem::path& path) {
  const std::optional<std::string> text = platform::ReadUtf16File(path);
  if (!text) return;
  ListClear(kReadingsListId);
  ListClear(kDifferencesListId);
  const store::ProjectStationSettings& s = context_.Settings();
  for (const CycleRow& row : ParseCycleFileText(*text)) {
    const int listRow = ListAddRow(kReadingsListId, std::vector<std::string>(row.begin(), row.end()));
    training::TrainingPoint reference;
    for (const training::TrainingPoint& p : references_) {
      if (p.name == row[kCyclePoint]) {
        reference = p;
        break;
      }
    }
    ListAddRow(kDifferencesListId,
               {row[kCyclePoint], "", "", "", reference.easting, reference.northing, reference.rl});
    if (const auto d = ComputeDifferences(s, row[kCycleEasting], row[kCycleNorthing], row[kCycleRl],
                                          reference.easting, reference.northing, reference.rl)) {
      ListSetCell(kDifferencesListId, listRow, kDiffEasting, d->dEasting);
      ListSetCell(kDifferencesListId, listRow, kDiffNorthing, d->dNorthing);
      ListSetCell(kDifferencesListId, listRow, kDiffRl, d->dRl);
    }
  }
}

void MonitoringDialog::SaveCycleAs() {
  const std::filesystem::path current = CurrentDataFile();
  if (current.empty() || !platform::FileExists(current)) {
    Tell(Tr(texts::kStartFirst.key, texts::kStartFirst.defaultText), platform::MessageIcon::None);
    return;
  }
  if (context_.Layout().CardPath().empty() && context_.Layout().UsbPath().empty()) {
    Tell(Tr(texts::kNoCard.key, texts::kNoCard.defaultText), platform::MessageIcon::Exclamation);
    return;
  }
  FolderBrowserDialog browser(context_);
  if (context_.Host().RunModal(browser) != platform::kIdOk) return;
  if (!CopyIntoFolder(current, ResolvePathText(context_, browser.SelectedPath()))) return;
  OfferToDeleteCopied(context_, current);
}

void MonitoringDialog::OpenDownload() {
  DownloadDialog download(context_, context_.Layout().DataFolder());
  context_.Host().RunModal(download);
}

}  // namespace vigil::monitoring
