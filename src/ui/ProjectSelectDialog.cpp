#include "ui/ProjectSelectDialog.h"

#include <exception>
#include <string_view>
#include <utility>

#include "platform/Files.h"
#include "platform/Text.h"
#include "store/Placeholders.h"
#include "store/Translations.h"

namespace vigil::ui {

namespace {

constexpr std::string_view kExtension = ".txt";

// The job a settings file stands for: its name up to the first ".txt". Only names that lead
// back to the same file are jobs, so Load and Delete act on the file that was listed
// ("A_B.txt.txt" would otherwise delete A_B.txt).
std::string JobOfFile(const std::string& fileName) {
  const std::size_t end = fileName.find(kExtension);
  if (end == std::string::npos) return {};
  std::string job = fileName.substr(0, end);
  return job + std::string(kExtension) == fileName ? job : std::string();
}

}  // namespace

ProjectSelectDialog::ProjectSelectDialog(platform::BasicStateBracket& bracket,
                                         std::filesystem::path translationsFile,
                                         std::filesystem::path stationFolder, std::string currentProject,
                                         std::string currentStation)
    : bracket_(bracket),
      translationsFile_(std::move(translationsFile)),
      stationFolder_(std::move(stationFolder)),
      currentJob_(currentProject + "_" + currentStation) {
  AddButton(kNewButtonId, {}, {8, 8, 304, 26});
  AddLabel(kExistingLabelId, {}, {8, 44, 304, 18});
  AddCombo(kJobListId, {8, 64, 304, 120}, true);
  AddButton(kLoadButtonId, {}, {8, 100, 96, 26});
  AddButton(kDeleteButtonId, {}, {112, 100, 96, 26});
  AddButton(kCancelButtonId, {}, {216, 100, 96, 26});
}

std::string ProjectSelectDialog::Tr(const char* key, const char* defaultText) const {
  return store::Translate(translationsFile_, key, defaultText);
}

void ProjectSelectDialog::OnInitDialog() {
  choice_ = kNoChoice;
  FillJobList();
  SetTitle(Tr("IDS_MAIN_DLG_TITLE_SELECT_PROJ", "Select Project"));
  SetText(kNewButtonId, Tr("IDS_MAIN_DLG_BTN_NEW_PROJ", "Create New Project?"));
  SetText(kExistingLabelId, Tr("IDS_MAIN_DLG_LBL_SELECT_EXISTING", "Or select existing?"));
  SetText(kLoadButtonId, Tr("IDS_MAIN_DLG_BTN_LOAD_PROJ", "Load"));
  SetText(kDeleteButtonId, Tr("IDS_MAIN_DLG_BTN_DEL_PROJ", "Delete"));
  SetText(kCancelButtonId, Tr("IDS_COMMON_CANCEL", "Cancel"));
}

void ProjectSelectDialog::FillJobList() {
  ComboClear(kJobListId);
  for (const std::string& file : platform::FindFiles(stationFolder_, "*_*.txt")) {
    const std::string job = JobOfFile(file);
    if (!job.empty()) ComboAdd(kJobListId, job);
  }
}

void ProjectSelectDialog::OnCommand(int controlId) {
  switch (controlId) {
    case kNewButtonId:
      choice_ = kChoiceNew;
      EndDialog(platform::kIdOk);
      break;
    case kLoadButtonId:
      LoadSelected();
      break;
    case kDeleteButtonId:
      DeleteSelected();
      break;
    case kCancelButtonId:
      EndDialog(platform::kIdCancel);
      break;
    default:
      break;
  }
}

void ProjectSelectDialog::Tell(const std::string& text, platform::MessageIcon icon) {
  bracket_.MessageBox(text, Title(), icon, platform::MessageButtons::Ok);
}

void ProjectSelectDialog::LoadSelected() {
  const std::string job = ComboSelectedText(kJobListId);
  if (ComboSelected(kJobListId) < 0) {
    Tell(Tr("IDS_MAIN_DLG_MSGBOX_PLS_SEL_JOB", "Please select a job from the list."),
         platform::MessageIcon::Exclamation);
    return;
  }
  const std::size_t cut = job.find('_');
  std::string project = job.substr(0, cut);
  std::string station = job.substr(cut + 1);
  // A job such as "_B" cannot be loaded: its names could not name its file again.
  if (!platform::IsValidFileNamePart(project) || !platform::IsValidFileNamePart(station)) {
    const std::string text = Tr(
        "IDS_MAIN_DLG_MSGBOX_JOB_NAME_INVALID",
        "The job \"{project_name}\" cannot be loaded: its project or station name is not a valid file name.");
    Tell(store::FillPlaceholders(text, {{"{project_name}", job}}), platform::MessageIcon::Exclamation);
    return;
  }
  chosenProject_ = std::move(project);
  chosenStation_ = std::move(station);
  choice_ = kChoiceExisting;
  EndDialog(platform::kIdOk);
}

void ProjectSelectDialog::DeleteSelected() {
  const int selected = ComboSelected(kJobListId);
  if (selected < 0) {
    Tell(Tr("IDS_MAIN_DLG_MSGBOX_PLS_SEL_JOB_TO_DEL", "Please select a job to delete."),
         platform::MessageIcon::Exclamation);
    return;
  }
  const std::string job = ComboItem(kJobListId, selected);
  const auto fill = [&job](const std::string& text) {
    return store::FillPlaceholders(text, {{"{project_name}", job}});
  };
  try {
    if (job == currentJob_ && !currentJob_.empty() && currentJob_ != "_") {
      Tell(fill(Tr("IDS_MAIN_DLG_MSGBOX_CANT_DEL_JOB",
                   "Could not delete job \"{project_name}\".  Job is currently loaded.")),
           platform::MessageIcon::Error);
      return;
    }
    const std::string question =
        fill(Tr("IDS_MAIN_DLG_MSGBOX_DEL_PROJ", "Are you sure you want to delete {project_name}?"));
    if (bracket_.MessageBox(question, Title(), platform::MessageIcon::Exclamation,
                            platform::MessageButtons::YesNo) != platform::kIdYes) {
      return;
    }
    // Only the settings file goes: the training and cycle data files stay.
    if (!platform::DeleteFileAt(stationFolder_ / platform::PathFromText(job + std::string(kExtension)))) {
      Tell(Tr("IDS_MAIN_DLG_MSGBOX_FAILED_DEL_JOB", "Failed deleting the job."),
           platform::MessageIcon::Exclamation);
      return;
    }
    ComboDelete(kJobListId, selected);
    ComboSelect(kJobListId, -1);
    Tell(fill(Tr("IDS_MAIN_DLG_MSGBOX_JOB_DELETED", "The job \"{project_name}\" is successfully deleted.")),
         platform::MessageIcon::Information);
  } catch (const std::exception&) {
    Tell(Tr("IDS_MAIN_DLG_MSGBOX_ERROR_DEL_JOB", "Error occurred while deleting the job."),
         platform::MessageIcon::Error);
  }
}

}  // namespace vigil::ui
