// Retrain, Verify and the C&I check on listed points, against the simulated instrument.
#include <gtest/gtest.h>

#include "TrainingFixture.h"
#include "survey/Units.h"
#include "training/NewPointNameDialog.h"
#include "ui/CiCheck.h"

namespace vigil::training::test {
namespace {

constexpr const char* kConfirmA = "Please make sure that the instrument is now pointing to A. Continue?";

using Retrain = TrainingFixture;

TEST_F(Retrain, OntoAnotherPointAsksWithBothPositionsAndWritesOnYes) {
  WriteTrainingFile(
      {{"A", "50.00000", "100.00000", "80.0000", "1", "2", "3", "2", ""},
       {"B", "100.00000", "100.00000", "100.0000", "1100.0000", "2000.0000", "100.0000", "0", ""}});
  PointAt(100.0, 100.0);
  ToPage(3)
      .Select(TD::kListId, 0)
      .Press(TD::kKey1Id)
      .AnswerMessageBox(kConfirmA, platform::kIdYes)
      .AnswerMessageBox("A is 0.0 mm from B.", platform::kIdYes, TextMatch::Contains)
      .AnswerMessageBox("A successfully trained.", platform::kIdOk, TextMatch::Contains);
  WaitMeasured();
  RunTraining();
  const std::vector<std::string> texts = host_.MessageTexts();
  ASSERT_EQ(texts.size(), 3u);
  EXPECT_EQ(texts[1],
            "A is 0.0 mm from B."
            "\n\nA POSITION\nHorizontal Angle: 100.00000 gon\nVertical Angle: 100.00000 gon\nSlope Distance: "
            "100.0000 m\n\n"
            "B POSITION\nHorizontal Angle: 100.00000 gon\nVertical Angle: 100.00000 gon\nSlope Distance: "
            "100.0000 m\n\n"
            "Do you wish to continue?");
  EXPECT_EQ(
      texts[2],
      "A successfully trained.\n\nHorizontal Angle: 100.00000 gon\nVertical Angle: 100.00000 gon\nSlope "
      "Distance: 100.0000 m");
  EXPECT_EQ(Row(0).name, "A");
  EXPECT_EQ(Row(0).ha, "100.00000");
  EXPECT_EQ(Row(0).easting, "1100.0000");
  EXPECT_EQ(Row(0).prism_type, "2") << "name and type stay";
  EXPECT_NE(TrainingFileText().find("1\tA\t100.00000\t100.00000\t100.0000\t1100.0000"), std::string::npos);
}

TEST_F(Retrain, NoToTheQuestionKeepsTheRow) {
  WriteTrainingFile(
      {{"A", "50.00000", "100.00000", "80.0000", "1", "2", "3", "2", ""},
       {"B", "100.00000", "100.00000", "100.0000", "1100.0000", "2000.0000", "100.0000", "0", ""}});
  PointAt(100.0, 100.0);
  ToPage(3)
      .Select(TD::kListId, 0)
      .Press(TD::kKey1Id)
      .AnswerMessageBox(kConfirmA, platform::kIdYes)
      .AnswerMessageBox("A is 0.0 mm from B.", platform::kIdNo, TextMatch::Contains);
  WaitMeasured();
  RunTraining();
  EXPECT_EQ(Row(0).ha, "50.00000");
}

// The row is fixed when the measurement starts: the list cannot change under it, and a
// second measurement cannot take over its completion.
TEST_F(Retrain, WhileItMeasuresTheListCannotBeChanged) {
  WriteTrainingFile({{"X", "300.00000", "100.00000", "10.0000", "1", "2", "3", "2", ""},
                     {"A", "50.00000", "100.00000", "80.0000", "1", "2", "3", "2", ""}});
  PointAt(100.0, 100.0);
  ToPage(3)
      .Select(TD::kListId, 1)
      .Press(TD::kKey1Id)
      .AnswerMessageBox(kConfirmA, platform::kIdYes)
      .Press(TD::kKey2Id)  // Verify refused
      .Press(TD::kPageKeyId)
      .Press(TD::kPageKeyId)
      .Press(TD::kPageKeyId)
      .Select(TD::kListId, 0)
      .Press(TD::kKey3Id)  // Delete refused
      .AnswerMessageBox("A successfully trained.", platform::kIdOk, TextMatch::Contains);
  WaitMeasured();
  RunTraining();
  EXPECT_EQ(Names(), (std::vector<std::string>{"X", "A"}));
  EXPECT_EQ(Row(0).ha, "300.00000");
  EXPECT_EQ(Row(1).ha, "100.00000") << "the reading went to the row it was started for";
  EXPECT_EQ(Beeps(), 2);
}

TEST_F(Retrain, ClosingTheScreenWhileMeasuringLeavesEverythingAlone) {
  WriteTrainingFile({{"A", "50.00000", "100.00000", "80.0000", "1", "2", "3", "2", ""}});
  const std::string before = TrainingFileText();
  PointAt(100.0, 100.0);
  ToPage(3).Select(TD::kListId, 0).Press(TD::kKey1Id).AnswerMessageBox(kConfirmA, platform::kIdYes);
  RunTraining();
  EXPECT_TRUE(dialog_.MeasurementPending());
  loop_.RunFor(30000);
  EXPECT_EQ(TrainingFileText(), before);
  EXPECT_EQ(host_.MessageTexts().size(), 1u);
}

TEST_F(Retrain, AFailedReadingLeavesTheRowSilently) {
  WriteTrainingFile({{"A", "50.00000", "100.00000", "80.0000", "1", "2", "3", "2", ""}});
  PointAt(250.0, 100.0);
  ToPage(3).Select(TD::kListId, 0).Press(TD::kKey1Id).AnswerMessageBox(kConfirmA, platform::kIdYes);
  WaitMeasured();
  RunTraining();
  EXPECT_EQ(Row(0).ha, "50.00000");
  EXPECT_EQ(host_.MessageTexts().size(), 1u);
}

TEST_F(Retrain, ActionsOnNoSelectionAskForOne) {
  WriteTrainingFile({{"A", "50.00000", "100.00000", "80.0000", "1", "2", "3", "2", ""}});
  ToPage(2)
      .Press(TD::kKey2Id)
      .AnswerMessageBox("Please select point to rename.")
      .Press(TD::kKey3Id)
      .AnswerMessageBox("Please select point to delete.")
      .Press(TD::kPageKeyId)
      .Press(TD::kKey1Id)
      .AnswerMessageBox("Please select point to retrain.")
      .Press(TD::kKey2Id)
      .AnswerMessageBox("Please select point to verify.")
      .Press(TD::kKey3Id)
      .AnswerMessageBox("Please select point to check C&I.");
  RunTraining();
  EXPECT_EQ(sim_.log().Count("*DHA"), 0);
}

using Verify = TrainingFixture;

TEST_F(Verify, MetresShowMillimetresWithOneDecimal) {
  WriteTrainingFile(
      {{"A", "100.00000", "100.00000", "100.0123", "1100.0000", "2000.0020", "99.9990", "2", ""}});
  ToPage(3)
      .Select(TD::kListId, 0)
      .Press(TD::kKey2Id)
      .AnswerMessageBox("A POSITION", platform::kIdOk, TextMatch::Contains);
  WaitMeasured();
  RunTraining();
  EXPECT_EQ(LastMessage(),
            "A POSITION\n\n"
            "Current HA: 100.00000 gon \nCurrent VA: 100.00000 gon \nCurrent SD: 100.0000 m\n"
            "Initial HA: 100.00000 gon \nInitial VA: 100.00000 gon \nInitial SD: 100.0123 m\n"
            "Difference in HA: 0.00000 gon \nDifference in VA: 0.00000 gon \n"
            "Difference in SD: 12.3 mm\nDifference in Easting: 0.0 mm\nDifference in Northing: 2.0 mm\n"
            "Difference in RL: 1.0 mm\n");
  EXPECT_EQ(sim_.log().Count("*DHA"), 1) << "it turns by itself, without asking";
}

TEST_F(Verify, FeetShowFeetWithFourDecimals) {
  Settings().distance_unit = 1;
  // 328.1247 ft is 100.01241 m; the reading is 100 m = 328.0840 ft
  WriteTrainingFile(
      {{"A", "100.00000", "100.00000", "328.1247", "3608.9239", "6561.6798", "328.0840", "2", ""}});
  ToPage(3)
      .Select(TD::kListId, 0)
      .Press(TD::kKey2Id)
      .AnswerMessageBox("A POSITION", platform::kIdOk, TextMatch::Contains);
  WaitMeasured();
  RunTraining();
  const std::string text = LastMessage();
  EXPECT_NE(text.find("Current SD: 328.0840 ft\n"), std::string::npos) << text;
  EXPECT_NE(text.find("Initial SD: 328.1247 ft\n"), std::string::npos) << text;
  EXPECT_NE(text.find("Difference in SD: 0.0407 ft\n"), std::string::npos) << text;
  EXPECT_NE(text.find("Difference in Easting: 0.0000 ft\n"), std::string::npos) << text;
}

TEST_F(Verify, AFailedTurnOrSearchSaysSo) {
  WriteTrainingFile({{"A", "250.00000", "100.00000", "100.0000", "0", "0", "0", "2", ""}});
  ToPage(3).Select(TD::kListId, 0).Press(TD::kKey2Id).AnswerMessageBox("Failed to verify point.");
  WaitMeasured();
  RunTraining();
}

class CiCheck : public TrainingFixture {
 protected:
  explicit CiCheck(sim::Scenario site = Site({100.0})) : TrainingFixture(std::move(site)) {}
  void RunCheck() {
    WriteTrainingFile(
        {{"B", "100.00000", "100.00000", "100.0000", "1100.0000", "2000.0000", "100.0000", "2", ""}});
    ToPage(3)
        .Select(TD::kListId, 0)
        .Press(TD::kKey3Id)
        .AnswerMessageBox("F1 Reading:", platform::kIdOk, TextMatch::Contains);
    WaitMeasured();
    RunTraining();
  }
};

TEST_F(CiCheck, APerfectInstrumentHasNoErrors) {
  RunCheck();
  const CiReadings& r = dialog_.CiResult();
  constexpr double kTolGon = 0.00002;
  EXPECT_NEAR(r.face1HaGon, 100.0, kTolGon);
  EXPECT_NEAR(r.face2HaGon, 300.0, kTolGon);
  EXPECT_NEAR(r.face2VaGon, 300.0, kTolGon);
  const std::string zero = survey::FormatAngle(Settings(), 0.0, survey::AngleFormat::Degrees, false);
  EXPECT_NE(LastMessage().find("\nC&I:\nC: " + zero + " \nI: " + zero + " \n"), std::string::npos)
      << LastMessage();
  EXPECT_EQ(sim_.log().Count("*DHA"), 2) << "one turn per face";
  EXPECT_EQ(Context().Engine().Reading().pointName, "");
}

sim::Scenario MisadjustedSite() {
  sim::Scenario s = Site({100.0});
  s.collimationGon = 0.0123;
  s.indexErrorGon = -0.0045;
  return s;
}

class CiCheckMisadjusted : public CiCheck {
 protected:
  CiCheckMisadjusted() : CiCheck(MisadjustedSite()) {}
};

TEST_F(CiCheckMisadjusted, FindsTheSimulatedErrorsWithTheirSigns) {
  RunCheck();
  const CiReadings& r = dialog_.CiResult();
  const ui::CiErrors e = ui::ComputeCiErrors({r.face1HaGon, r.face1VaGon}, {r.face2HaGon, r.face2VaGon});
  EXPECT_NEAR(e.cGon, 0.0123, 0.00002);
  EXPECT_NEAR(e.iGon, -0.0045, 0.00002);
  const std::string c = survey::FormatAngle(Settings(), e.cGon, survey::AngleFormat::Degrees, false);
  EXPECT_NE(LastMessage().find("C: " + c + " \n"), std::string::npos) << LastMessage();
}

}  // namespace
}  // namespace vigil::training::test

namespace vigil::training::test {
namespace {

using RenameDelete = TrainingFixture;

TEST_F(RenameDelete, RenameGivesAnImportedPointATypeAndDeleteAsksFirst) {
  WriteTrainingFile({{"P7", "10.00000", "100.00000", "50.0000", "1.5", "2.5", "3.5", "-1", ""},
                     {"GONE", "20.00000", "100.00000", "50.0000", "1", "2", "3", "2", ""}});
  ToPage(2)
      .Select(TD::kListId, 0)
      .Press(TD::kKey2Id)
      .WaitForDialog<NewPointNameDialog>()
      .Do("nothing selected for type -1",
          [&] {
            EXPECT_EQ(host_.Front<NewPointNameDialog>()->ComboSelected(NewPointNameDialog::kTypeComboId), -1);
          })
      .Select(NewPointNameDialog::kTypeComboId, 0)
      .Press(NewPointNameDialog::kOkButtonId)
      .Select(TD::kListId, 1)
      .Press(TD::kKey3Id)
      .AnswerMessageBox("Are you sure you want to delete prism GONE?", platform::kIdNo)
      .Press(TD::kKey3Id)
      .AnswerMessageBox("Are you sure you want to delete prism GONE?", platform::kIdYes);
  RunTraining();
  ASSERT_EQ(Names(), std::vector<std::string>{"REF7"});
  EXPECT_EQ(Row(0).prism_type, "0");
  EXPECT_EQ(Row(0).prism_label, "Reference Prism (-30.0)");
  EXPECT_EQ(Row(0).easting, "1.5") << "the observation and coordinates stay";
  EXPECT_EQ(
      TrainingFileText(),
      "Stat\tPt. Name\tHa(gons)\tVa(gons)\tSD(m)\tEasting(m)\tNorthing(m)\tRL(m)\tPrismType\tPrism Type\r\n"
      "1\tREF7\t10.00000\t100.00000\t50.0000\t1.5\t2.5\t3.5\t0\tReference Prism (-30.0)\r\n");
  const auto boxes = host_.Events(ui::HostEvent::Kind::MessageBox);
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].icon, platform::MessageIcon::Error) << "the stop icon";
}

}  // namespace
}  // namespace vigil::training::test
