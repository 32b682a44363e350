// Choosing, creating and deleting project-stations ("jobs") in the station folder.
#include "ui/ProjectSelectDialog.h"

#include <gtest/gtest.h>

#include "SheetFixture.h"

namespace vigil::ui {
namespace {

using Select = ProjectSelectDialog;
using platform::MessageIcon;

class ProjectSelectTest : public test::SheetFixture {
 protected:
  void AddJob(const std::string& fileName) { WriteFile(StationFolder() / fileName, "project=x"); }
  std::unique_ptr<Select> Make(std::string project = {}, std::string station = {}) {
    return std::make_unique<Select>(bracket_, store_.Layout().TranslationsFilePath(), StationFolder(),
                                    std::move(project), std::move(station));
  }
  static std::vector<std::string> Jobs(const Select& d) {
    std::vector<std::string> jobs;
    for (int i = 0; i < d.ComboCount(Select::kJobListId); ++i)
      jobs.push_back(d.ComboItem(Select::kJobListId, i));
    return jobs;
  }
};

TEST_F(ProjectSelectTest, ListsJobsThatNameTheirOwnFile) {
  for (const char* f : {"P_S.txt", "A_B_C.txt", "nounderscore.txt", "X_Y.txt.txt", "Q_R.ini", "b_low.txt"})
    AddJob(f);
  auto dialog = Make();
  host_.Do("look",
           [&] {
             EXPECT_EQ(Jobs(*dialog), (std::vector<std::string>{"A_B_C", "b_low", "P_S"}));
           })
      .Press(Select::kCancelButtonId);
  EXPECT_EQ(host_.Run(*dialog), platform::kIdCancel);
  EXPECT_EQ(dialog->Choice(), Select::kNoChoice);
}

TEST_F(ProjectSelectTest, LoadSplitsTheJobAtItsFirstUnderscore) {
  AddJob("A_B_C.txt");
  auto dialog = Make();
  host_.SelectText(Select::kJobListId, "A_B_C").Press(Select::kLoadButtonId);
  EXPECT_EQ(host_.Run(*dialog), platform::kIdOk);
  EXPECT_EQ(dialog->Choice(), Select::kChoiceExisting);
  EXPECT_EQ(dialog->ChosenProject(), "A");
  EXPECT_EQ(dialog->ChosenStation(), "B_C");
}

TEST_F(ProjectSelectTest, AnEmptyFolderOnlyAsksForASelection) {
  auto dialog = Make();
  host_.Press(Select::kLoadButtonId)
      .AnswerMessageBox("Please select a job from the list.")
      .Press(Select::kDeleteButtonId)
      .AnswerMessageBox("Please select a job to delete.")
      .Press(Select::kNewButtonId);
  EXPECT_EQ(host_.Run(*dialog), platform::kIdOk);
  EXPECT_EQ(dialog->Choice(), Select::kChoiceNew);
  EXPECT_EQ(dialog->Title(), "Select Project");
  EXPECT_EQ(dialog->Text(Select::kNewButtonId), "Create New Project?");
  for (const HostEvent& box : host_.Events(HostEvent::Kind::MessageBox)) {
    EXPECT_EQ(box.icon, MessageIcon::Exclamation);
  }
}

TEST_F(ProjectSelectTest, AJobWhoseNamesAreNotFileNamesIsNotLoaded) {
  AddJob("_S.txt");
  AddJob("P_.txt");
  auto dialog = Make();
  host_.SelectText(Select::kJobListId, "_S")
      .Press(Select::kLoadButtonId)
      .AnswerMessageBox(
          "The job \"_S\" cannot be loaded: its project or station name is not a valid file name.")
      .SelectText(Select::kJobListId, "P_")
      .Press(Select::kLoadButtonId)
      .AnswerMessageBox("\"P_\"", platform::kIdOk, TextMatch::Contains)
      .Press(Select::kCancelButtonId);
  EXPECT_EQ(host_.Run(*dialog), platform::kIdCancel);
  EXPECT_EQ(dialog->Choice(), Select::kNoChoice);
}

TEST_F(ProjectSelectTest, DeletingAsksAndKeepsTheTrainingFile) {
  AddJob("P_S.txt");
  AddJob("Q_T.txt");
  const auto training = store_.Layout().TrainingFilePath("P", "S");
  WriteFile(training, "1");
  auto dialog = Make();
  host_.SelectText(Select::kJobListId, "P_S")
      .Press(Select::kDeleteButtonId)
      .AnswerMessageBox("Are you sure you want to delete P_S?", platform::kIdNo)
      .Do("kept", [&] { EXPECT_TRUE(platform::FileExists(StationFolder() / "P_S.txt")); })
      .Press(Select::kDeleteButtonId)
      .AnswerMessageBox("Are you sure you want to delete P_S?", platform::kIdYes)
      .AnswerMessageBox("The job \"P_S\" is successfully deleted.")
      .Do("gone",
          [&] {
            EXPECT_EQ(Jobs(*dialog), (std::vector<std::string>{"Q_T"}));
            EXPECT_EQ(dialog->ComboSelected(Select::kJobListId), -1);
          })
      .Press(Select::kCancelButtonId);
  EXPECT_EQ(host_.Run(*dialog), platform::kIdCancel);
  EXPECT_EQ(StationFiles(), (std::vector<std::string>{"Q_T.txt"}));
  EXPECT_TRUE(platform::FileExists(training));
  const auto boxes = host_.Events(HostEvent::Kind::MessageBox);
  ASSERT_EQ(boxes.size(), 3u);
  EXPECT_EQ(boxes[0].buttons, platform::MessageButtons::YesNo);
  EXPECT_EQ(boxes[2].icon, MessageIcon::Information);
}

TEST_F(ProjectSelectTest, TheLoadedJobCannotBeDeleted) {
  struct Case {
    const char* what;
    std::string project, station;
    bool refused;
  };
  const Case cases[] = {
      {"the loaded job", "P", "S", true},
      {"another job is loaded", "Q", "S", false},
      {"nothing loaded since start", "", "", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    AddJob("P_S.txt");
    ScriptedHost host(loop_);
    host.SetFailureHandler([](const std::string& what) { ADD_FAILURE() << what; });
    platform::BasicStateBracket bracket(host, {});
    Select dialog(bracket, store_.Layout().TranslationsFilePath(), StationFolder(), c.project, c.station);
    host.SelectText(Select::kJobListId, "P_S").Press(Select::kDeleteButtonId);
    if (c.refused) {
      host.AnswerMessageBox("Could not delete job \"P_S\".  Job is currently loaded.");
    } else {
      host.AnswerMessageBox("Are you sure", platform::kIdYes, TextMatch::Contains)
          .AnswerMessageBox("successfully deleted", platform::kIdOk, TextMatch::Contains);
    }
    host.Press(Select::kCancelButtonId);
    host.Run(dialog);
    EXPECT_EQ(platform::FileExists(StationFolder() / "P_S.txt"), c.refused);
    if (c.refused) {
      EXPECT_EQ(host.Events(HostEvent::Kind::MessageBox).at(0).icon, MessageIcon::Error);
    }
  }
}

TEST_F(ProjectSelectTest, AFailedDeleteIsReported) {
  AddJob("P_S.txt");
  auto dialog = Make();
  host_
      .Do("fail deletes",
          [] {
            platform::SetFileFaultHook([](platform::FileOp op, const std::filesystem::path&) {
              return op == platform::FileOp::Delete ? platform::FaultAction::Fail
                                                    : platform::FaultAction::Proceed;
            });
          })
      .SelectText(Select::kJobListId, "P_S")
      .Press(Select::kDeleteButtonId)
      .AnswerMessageBox("Are you sure you want to delete P_S?", platform::kIdYes)
      .AnswerMessageBox("Failed deleting the job.")
      .Do("still listed", [&] { EXPECT_EQ(Jobs(*dialog), (std::vector<std::string>{"P_S"})); })
      .Press(Select::kCancelButtonId);
  host_.Run(*dialog);
  EXPECT_TRUE(platform::FileExists(StationFolder() / "P_S.txt"));
}

TEST_F(ProjectSelectTest, MessagesAreTranslatedBeforeTheJobNameIsFilledIn) {
  WriteFile(store_.Layout().TranslationsFilePath(),
            "IDS_MAIN_DLG_MSGBOX_DEL_PROJ={project_name} l\xC3\xB6schen? ({project_name})");
  AddJob("{project_name}_S.txt");
  auto dialog = Make();
  host_.Select(Select::kJobListId, 0)
      .Press(Select::kDeleteButtonId)
      .AnswerMessageBox("{project_name}_S l\xC3\xB6schen? ({project_name}_S)", platform::kIdNo)
      .Press(Select::kCancelButtonId);
  host_.Run(*dialog);
}

}  // namespace
}  // namespace vigil::ui
