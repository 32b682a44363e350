#include "monitoring/DownloadDialog.h"

#include "monitoring/CycleFileName.h"
#include "monitoring/DataFileCopy.h"
#include "monitoring/DeleteOffer.h"
#include "monitoring/FolderBrowserDialog.h"
#include "monitoring/MonitoringTexts.h"
#include "platform/DialogHost.h"
#include "platform/Files.h"
#include "platform/Format.h"

namespace vigil::monitoring {

namespace {

constexpr int kRadioGroup = 1;

}  // namespace

DownloadDialog::DownloadDialog(ui::AppContext& context, std::filesystem::path dataFolder)
    : Dialog("Download Data Files"), context_(context), dataFolder_(std::move(dataFolder)) {
  AddRadio(kAllRadioId, "Download All Data Files", {8, 8, 304, 22}, kRadioGroup);
  AddRadio(kFileRadioId, "Download Specific File", {8, 34, 304, 22}, kRadioGroup);
  AddLabel(kFileLabelId, "File:", {8, 64, 100, 18});
  AddEdit(kFileEditId, {8, 84, 270, 22});
  AddButton(kFileBrowseId, "...", {282, 84, 30, 22});
  AddLabel(kOutLabelId, "Output Folder:", {8, 116, 150, 18});
  AddEdit(kOutEditId, {8, 136, 270, 22});
  AddButton(kOutBrowseId, "...", {282, 136, 30, 22});
  AddButton(kStartKeyId, "Start DL", {0, 216, 80, 24});
  AddButton(kSoftKey2Id, "", {80, 216, 80, 24});
  AddButton(kSoftKey3Id, "", {160, 216, 80, 24});
  AddButton(kSoftKey4Id, "", {240, 216, 80, 24});
}

std::string DownloadDialog::Tr(std::string_view key, std::string_view defaultText) const {
  return context_.Translate(key, defaultText);
}

int DownloadDialog::Tell(std::string_view text, platform::MessageIcon icon,
                         platform::MessageButtons buttons) {
  return context_.Bracket().MessageBox(text, {}, icon, buttons);
}

void DownloadDialog::OnInitDialog() {
  SetTitle(Tr(texts::kDownloadTitle.key, texts::kDownloadTitle.defaultText));
  SetText(kAllRadioId, Tr(texts::kDownloadAll.key, texts::kDownloadAll.defaultText));
  SetText(kFileRadioId, Tr(texts::kDownloadFile.key, texts::kDownloadFile.defaultText));
  SetText(kFileLabelId, Tr(texts::kFileLabel.key, texts::kFileLabel.defaultText));
  SetText(kOutLabelId, Tr(texts::kOutPathLabel.key, texts::kOutPathLabel.defaultText));
  SetText(kStartKeyId, Tr(texts::kStartDownload.key, texts::kStartDownload.defaultText));
  SetChecked(choice_ == kChoiceAll ? kAllRadioId : kFileRadioId, true);
  SetText(kFileEditId, filePath_);
  SetText(kOutEditId, outFolder_);
  EnableFileControls();
}

void DownloadDialog::OnPaint() {
  RegisterSoftKeys(kStartKeyId, kSoftKey2Id, kSoftKey3Id, kSoftKey4Id);
}

void DownloadDialog::EnableFileControls() {
  const bool one = IsChecked(kFileRadioId);
  for (int id : {kFileLabelId, kFileEditId, kFileBrowseId}) Enable(id, one);
}

void DownloadDialog::OnCommand(int controlId) {
  switch (controlId) {
    case kAllRadioId:
    case kFileRadioId:
      EnableFileControls();
      break;
    case kFileBrowseId:
      BrowseDataFile();
      break;
    case kOutBrowseId:
      BrowseFolder();
      break;
    case kStartKeyId:
      StartDownload();
      break;
    default:
      break;
  }
}

void DownloadDialog::TakeFields() {
  choice_ = IsChecked(kFileRadioId) ? kChoiceFile : kChoiceAll;
  filePath_ = Text(kFileEditId);
  outFolder_ = Text(kOutEditId);
}

void DownloadDialog::BrowseDataFile() {
  const std::string ext(kCycleFileExtension);
  const std::string filter = platform::Format("Data Files (*.%s)|*.%s|All Files (*.*)|*.*||", {ext, ext});
  const std::optional<std::string> chosen = context_.Host().OpenFile(platform::PathText(dataFolder_), filter);
  if (!chosen || chosen->empty()) return;
  filePath_ = *chosen;
  SetText(kFileEditId, filePath_);
}

void DownloadDialog::BrowseFolder() {
  FolderBrowserDialog browser(context_);
  if (context_.Host().RunModal(browser) != platform::kIdOk) return;
  outFolder_ = browser.SelectedPath();
  SetText(kOutEditId, outFolder_);
}

void DownloadDialog::StartDownload() {
  TakeFields();
  if (outFolder_.empty()) {
    Tell(Tr(texts::kSelectOutPath.key, texts::kSelectOutPath.defaultText),
         platform::MessageIcon::Exclamation);
    return;
  }
  if (choice_ == kChoiceAll) {
    DownloadAll();
  } else {
    DownloadOne();
  }
}

void DownloadDialog::DownloadAll() {
  if (dataFolder_.empty() || !platform::FolderExists(dataFolder_)) {
    Tell(Tr(texts::kDataPathNotFound.key, texts::kDataPathNotFound.defaultText),
         platform::MessageIcon::Error);
    return;
  }
  const std::vector<std::string> names = DataFileNames(dataFolder_);
  if (names.empty()) {
    Tell(Tr(texts::kNoMoreData.key, texts::kNoMoreData.defaultText), platform::MessageIcon::Information);
    return;
  }
  bool deleteCopied = false;
  if (Tell(Tr(texts::kSuggestDeleteAll.key, texts::kSuggestDeleteAll.defaultText),
           platform::MessageIcon::Information, platform::MessageButtons::YesNo) == platform::kIdYes) {
    if (Tell(Tr(texts::kConfirmDeleteAll.key, texts::kConfirmDeleteAll.defaultText),
             platform::MessageIcon::Exclamation, platform::MessageButtons::YesNo) != platform::kIdYes) {
      return;
    }
    deleteCopied = true;
  }
  Enable(kStartKeyId, false);
  const CopyAllOutcome outcome =
      CopyDataFiles(dataFolder_, names, ResolvePathText(context_, outFolder_), deleteCopied);
  if (outcome.failed > 0) {
    Tell(Tr(texts::kCompleteWithError.key, texts::kCompleteWithError.defaultText),
         platform::MessageIcon::Exclamation);
  } else {
    Tell(Tr(texts::kAllDownloaded.key, texts::kAllDownloaded.defaultText),
         platform::MessageIcon::Information);
  }
  Enable(kStartKeyId, true);
}

void DownloadDialog::DownloadOne() {
  if (filePath_.empty()) {
    Tell(Tr(texts::kSelectFile.key, texts::kSelectFile.defaultText), platform::MessageIcon::Exclamation);
    return;
  }
  Enable(kStartKeyId, false);
  const std::filesystem::path from = ResolvePathText(context_, filePath_);
  if (CopyIntoFolder(from, ResolvePathText(context_, outFolder_))) OfferToDeleteCopied(context_, from);
  Enable(kStartKeyId, true);
}

}  // namespace vigil::monitoring
