// The small dialog shown while no project-station is loaded: start a new project-station,
// pick an existing one ("job", project "_" station) from the station folder, or delete one.
#pragma once

#include <filesystem>
#include <string>

#include "platform/BasicStateBracket.h"
#include "platform/Dialog.h"

namespace vigil::ui {

class ProjectSelectDialog final : public platform::Dialog {
 public:
  static constexpr int kNewButtonId = 1031;
  static constexpr int kExistingLabelId = 1076;
  static constexpr int kJobListId = 1030;
  static constexpr int kLoadButtonId = 1;  // IDOK
  static constexpr int kDeleteButtonId = 1049;
  static constexpr int kCancelButtonId = 2;  // IDCANCEL

  static constexpr int kNoChoice = -1;
  static constexpr int kChoiceNew = 0;
  static constexpr int kChoiceExisting = 1;

  /// `currentProject` / `currentStation`: the loaded project-station, both empty when nothing
  /// has been loaded since start (then every job may be deleted).
  ProjectSelectDialog(platform::BasicStateBracket& bracket, std::filesystem::path translationsFile,
                      std::filesystem::path stationFolder, std::string currentProject,
                      std::string currentStation);

  /// kChoiceNew, kChoiceExisting, or kNoChoice until the dialog ends with a choice.
  int Choice() const { return choice_; }
  /// Set with kChoiceExisting: the job name before its first "_" and after it.
  const std::string& ChosenProject() const { return chosenProject_; }
  const std::string& ChosenStation() const { return chosenStation_; }

  void OnInitDialog() override;
  void OnCommand(int controlId) override;

 private:
  std::string Tr(const char* key, const char* defaultText) const;
  void FillJobList();
  void LoadSelected();
  void DeleteSelected();
  void Tell(const std::string& text, platform::MessageIcon icon);

  platform::BasicStateBracket& bracket_;
  std::filesystem::path translationsFile_;
  std::filesystem::path stationFolder_;
  std::string currentJob_;
  int choice_ = kNoChoice;
  std::string chosenProject_;
  std::string chosenStation_;
};

}  // namespace vigil::ui
