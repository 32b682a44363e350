// The orientation screen against the simulated instrument: resection, reorientation and their
// questions, on the virtual clock.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "OrientationFixture.h"
#include "orientation/ManualResectionDialog.h"
#include "orientation/OrientationScreens.h"
#include "platform/Format.h"

namespace vigil::orientation {
namespace {

using test::kTrueCircleZeroGon;
using test::OD;
using ui::TextMatch;

constexpr const char* kCaptured = "Target captured and stored. Please move to next point.";
constexpr const char* kStationQuestion = "STATION COORDINATE:\n";
constexpr const char* kFailed = "Failed to take reading.";

double AngleApart(double a, double b) {
  const double d = std::fmod(std::fabs(a - b), 400.0);
  return std::min(d, 400.0 - d);
}

double Number(const std::string& text) {
  return platform::ParseDoubleOr(text, -1e9);
}

class OrientationTest : public test::OrientationFixture {
 protected:
  int RunOrientation() { return host_.Run(dialog_); }
  OD dialog_{Context(), state_};
};

class NoisyResectionTest : public test::OrientationFixture {
 protected:
  NoisyResectionTest() : OrientationFixture(true) {}
  OD dialog_{Context(), state_};
};

// ---- Resection ------------------------------------------------------------------------------

TEST_F(NoisyResectionTest, TwoTrainedPrismsGiveTheStationWithinTheNoiseAndRewriteTheTraining) {
  StationUnknown();
  Train({"REF1", "REF2", "REF3"});
  ScriptResectionOn("REF1").AnswerMessageBox(kCaptured).Do(
      "the count in the title", [&] { EXPECT_EQ(dialog_.Title(), "Orientation : PROJ - STN1 [Count = 1]"); });
  ScriptResectionOn("REF2")
      .AnswerMessageBox(kStationQuestion, platform::kIdYes, TextMatch::Contains)
      .Do("no count after taking it", [&] { EXPECT_EQ(dialog_.Title(), "Orientation : PROJ - STN1"); })
      .Close();
  host_.Run(dialog_);

  const store::ProjectStationSettings& s = Settings();
  const double positionErrorMm = std::hypot(s.easting - 1000.0, s.northing - 2000.0) * 1000.0;
  const double levelErrorMm = std::fabs(s.reduced_level - 101.5) * 1000.0;
  const double orientationErrorMgon = AngleApart(s.orientation, kTrueCircleZeroGon) * 1000.0;
  std::printf("resection with noise: position %.2f mm, level %.2f mm, orientation %.2f mgon\n",
              positionErrorMm, levelErrorMm, orientationErrorMgon);
  // 0.3 mgon and 1 mm + 1 ppm of noise on sights of about 110 m.
  EXPECT_LT(positionErrorMm, 3.0);
  EXPECT_LT(levelErrorMm, 3.0);
  EXPECT_LT(orientationErrorMgon, 2.0);
  EXPECT_EQ(state_.resection_count, 0);
  EXPECT_TRUE(state_.resection_points.empty());

  const std::string file = StationFileText();
  EXPECT_NE(file.find("easting=" + platform::FormatFixed(s.easting, 6)), std::string::npos) << file;
  EXPECT_NE(file.find("northing=" + platform::FormatFixed(s.northing, 6)), std::string::npos) << file;

  // Every trained row, REF3 too, now holds what the new station computes.
  const auto rows = TrainingRows();
  ASSERT_EQ(rows.size(), 3u);
  const survey::StationPosition found = survey::StationOf(s);
  for (const training::TrainingPoint& row : rows) {
    const survey::Observation o =
        survey::ComputeHaVaSd(found, Number(row.easting), Number(row.northing), Number(row.rl));
    EXPECT_EQ(row.ha, platform::FormatFixed(o.haGon, 5)) << row.name;
    EXPECT_EQ(row.va, platform::FormatFixed(o.vaGon, 5)) << row.name;
    EXPECT_EQ(row.sd, platform::FormatFixed(o.sdMetres, 4)) << row.name;
    const survey::Observation truth = TrueObservation(row.name);
    EXPECT_LT(AngleApart(Number(row.ha), truth.haGon), 0.003) << row.name;
  }
  EXPECT_EQ(dialog_.List()->Rows(), rows) << "the list shows what was written";
}

TEST_F(OrientationTest, TheStationQuestionShowsTheShiftAndNoKeepsTheCount) {
  StationKnown(0.0);
  Settings().easting = 1000.0025;
  Train({"REF1", "REF2", "REF3"});
  ScriptResectionOn("REF1").AnswerMessageBox(kCaptured);
  ScriptResectionOn("REF2")
      .AnswerMessageBox(kStationQuestion, platform::kIdNo, TextMatch::Contains)
      .AnswerMessageBox("Please move to next point.", platform::kIdOk)
      .Do("two points, no change", [&] {
        EXPECT_EQ(state_.resection_count, 2);
        EXPECT_DOUBLE_EQ(Settings().easting, 1000.0025);
        EXPECT_EQ(dialog_.Title(), "Orientation : PROJ - STN1 [Count = 2]");
      });
  ScriptResectionOn("REF3")
      .AnswerMessageBox(kStationQuestion, platform::kIdNo, TextMatch::Contains)
      .AnswerMessageBox("Please move to next point.", platform::kIdOk)
      .Close();
  host_.Run(dialog_);

  const auto texts = host_.MessageTexts();
  const auto question = std::find_if(texts.begin(), texts.end(),
                                     [](const std::string& t) { return t.rfind(kStationQuestion, 0) == 0; });
  ASSERT_NE(question, texts.end());
  EXPECT_NE(question->find("Easting: 1000.0000 m\nNorthing: 2000.0000 m\nReduced level: 101.5000 m\n"),
            std::string::npos)
      << *question;
  EXPECT_NE(question->find("Orientation: 123.45670 gon\n"), std::string::npos) << *question;
  EXPECT_NE(question->find("Tol. (E): -2.5 mm\nTol. (N): "), std::string::npos) << *question;
  EXPECT_EQ(state_.resection_count, 3);
  EXPECT_EQ(dialog_.Title(), "Orientation : PROJ - STN1 [Count = 3]")
      << "the resection goes on after closing";
  EXPECT_NEAR(state_.res_e, 1000.0, 1e-4) << "from REF2 and REF3";
  EXPECT_DOUBLE_EQ(Settings().orientation, kTrueCircleZeroGon) << "nothing taken";
}

TEST_F(OrientationTest, ATypedInPointIsObservedAtItsLevelPlusTargetHeight) {
  StationUnknown();
  Train({"REF1"});
  ScriptPointAt("CTRL")
      .PressSoftKey(3)
      .WaitForDialog<ManualResectionDialog>()
      .Type(ManualResectionDialog::kNameEditId, "CP")
      .Type(ManualResectionDialog::kEastingEditId, "1010.000")
      .Type(ManualResectionDialog::kNorthingEditId, "1880.000")
      .Type(ManualResectionDialog::kRlEditId, "100.000")
      .Type(ManualResectionDialog::kThEditId, "1.500")
      .Press(ManualResectionDialog::kOkId)
      .AnswerMessageBox("Please make sure that the instrument is now pointing to prism. Continue?",
                        platform::kIdYes)
      .AnswerMessageBox(kCaptured);
  ScriptResectionOn("REF1")
      .AnswerMessageBox(kStationQuestion, platform::kIdNo, TextMatch::Contains)
      .AnswerMessageBox("Please move to next point.")
      .Close();
  host_.Run(dialog_);
  ASSERT_EQ(state_.resection_points.size(), 2u);
  const ResectionPoint& cp = state_.resection_points[0];
  EXPECT_EQ(cp.name, "CP");
  EXPECT_TRUE(cp.manual);
  EXPECT_DOUBLE_EQ(cp.rl, 101.5);
  EXPECT_FALSE(state_.resection_points[1].manual);
  // CTRL really is at 101.5: the result is right only if the target height was added.
  EXPECT_NEAR(state_.res_rl, 101.5, 0.001);
  EXPECT_NEAR(state_.res_e, 1000.0, 0.001);
}

TEST_F(OrientationTest, ASecondObservationOfTheSamePrismIsDroppedAsTooClose) {
  StationUnknown();
  Train({"REF1"});
  ScriptResectionOn("REF1").AnswerMessageBox(kCaptured);
  ScriptResectionOn("REF1")
      .AnswerMessageBox("Target is very close from previous point. Please move to another point.")
      .Close();
  host_.Run(dialog_);
  EXPECT_EQ(state_.resection_count, 1);
  EXPECT_EQ(state_.resection_points.size(), 1u);
  EXPECT_EQ(dialog_.Title(), "Orientation : PROJ - STN1 [Count = 1]");
}

TEST_F(OrientationTest, AFailedReadingChangesNothing) {
  StationUnknown();
  Train({"REF1"});
  ScriptPointAt("REF1")
      .Do("distances fail", [&] { sim_.faults().distanceErrors = 1000; })
      .SelectText(OD::kListId, "REF1")
      .PressSoftKey(2)
      .AnswerMessageBox("Please make sure that the instrument is now pointing to REF1. Continue?",
                        platform::kIdYes)
      .AnswerMessageBox(kFailed)
      .PressSoftKey(1)
      .AnswerMessageBox("Please make sure that the instrument is now pointing to REF1. Continue?",
                        platform::kIdYes)
      .AnswerMessageBox(kFailed)
      .Close();
  host_.Run(dialog_);
  EXPECT_EQ(state_.resection_count, 0);
  EXPECT_DOUBLE_EQ(Settings().orientation, 0.0);
  EXPECT_EQ(dialog_.Title(), "Orientation : PROJ - STN1");
}

TEST_F(OrientationTest, WithoutASelectedRowTheButtonsAskForOne) {
  Train({"REF1"});
  host_.PressSoftKey(1)
      .AnswerMessageBox("Please select point from training to use as reference for reorientation.")
      .PressSoftKey(2)
      .AnswerMessageBox("Please select point from training to use as reference for resection.")
      .Do("the list",
          [&] {
            EXPECT_EQ(dialog_.ListRowCount(OD::kListId), 1);
            EXPECT_EQ(dialog_.ListColumnCount(OD::kListId), 9);
            EXPECT_EQ(dialog_.Text(OD::kReorientKeyId), "Reorient");
            EXPECT_EQ(dialog_.Text(OD::kPointsKeyId), "Points");
            EXPECT_EQ(host_.SoftKeys().Current(), &dialog_);
          })
      .Close();
  host_.Run(dialog_);
  EXPECT_EQ(sim_.log().Count("*SJ") + sim_.log().Count("*ST2"), 0) << "nothing measured";
}

// ---- Reorientation --------------------------------------------------------------------------

TEST_F(OrientationTest, ACircleShiftedBy20MgonIsOfferedAndNoLeavesTheOrientation) {
  StationKnown(0.02);
  Train({"REF1"});
  const double before = Settings().orientation;
  const std::string offered = "Orientation correction = " + platform::FormatFixed(before + 0.02, 5) +
                              " gon.  Do you wish to update now to this value?";
  ScriptPointAt("REF1")
      .SelectText(OD::kListId, "REF1")
      .PressSoftKey(1)
      .AnswerMessageBox("Please make sure that the instrument is now pointing to REF1. Continue?",
                        platform::kIdYes)
      .AnswerMessageBox(offered, platform::kIdNo)
      .Do("unchanged",
          [&] {
            EXPECT_DOUBLE_EQ(Settings().orientation, before);
            EXPECT_EQ(StationFileText(), "");
          })
      .PressSoftKey(1)
      .AnswerMessageBox("Please make sure that the instrument is now pointing to REF1. Continue?",
                        platform::kIdYes)
      .AnswerMessageBox(offered, platform::kIdYes)
      .Close();
  const auto rowsBefore = TrainingRows();
  host_.Run(dialog_);
  EXPECT_NEAR(Settings().orientation, kTrueCircleZeroGon, 1e-5);
  EXPECT_NE(StationFileText().find("orientation=123.4567"), std::string::npos) << StationFileText();
  EXPECT_EQ(TrainingRows(), rowsBefore) << "a reorientation leaves the training alone";
  EXPECT_EQ(state_.resection_count, 0);
}

TEST_F(OrientationTest, AReorientationOnTheNeighbouringPrismOffersTheNeighbour) {
  StationKnown(0.02);
  Train({"CTRL", "NEAR"});
  ScriptPointAt("NEAR")
      .SelectText(OD::kListId, "CTRL")
      .PressSoftKey(1)
      .AnswerMessageBox("Please make sure that the instrument is now pointing to CTRL. Continue?",
                        platform::kIdYes)
      .AnswerMessageBox("Target is more than 100 mm from CTRL.  Search closest point to target?",
                        platform::kIdYes)
      .AnswerMessageBox("Closest point NEAR is ", platform::kIdYes, TextMatch::Contains)
      .AnswerMessageBox("Orientation correction = " + platform::FormatFixed(kTrueCircleZeroGon, 5) + " gon.",
                        platform::kIdYes, TextMatch::Contains)
      .Close();
  host_.Run(dialog_);
  EXPECT_NEAR(Settings().orientation, kTrueCircleZeroGon, 1e-5);
  const auto texts = host_.MessageTexts();
  const auto closest = std::find_if(texts.begin(), texts.end(),
                                    [](const std::string& t) { return t.rfind("Closest point", 0) == 0; });
  ASSERT_NE(closest, texts.end());
  EXPECT_NE(closest->find(" mm from target.  Continue orientation to this point instead?"), std::string::npos)
      << *closest;
}

TEST_F(OrientationTest, RefusingTheNeighbourKeepsTheSelectedPointAsReference) {
  StationKnown(0.0);
  Train({"CTRL", "NEAR"});
  const double nearHa = TrueObservation("NEAR").haGon;
  const double ctrlHa = TrainingRows()[0].ha.empty() ? 0.0 : Number(TrainingRows()[0].ha);
  const double expected = survey::NormaliseAngle(nearHa + kTrueCircleZeroGon - ctrlHa);
  ScriptPointAt("NEAR")
      .SelectText(OD::kListId, "CTRL")
      .PressSoftKey(1)
      .AnswerMessageBox("Please make sure that the instrument is now pointing to CTRL. Continue?",
                        platform::kIdYes)
      .AnswerMessageBox("Target is more than 100 mm from CTRL.  Search closest point to target?",
                        platform::kIdYes)
      .AnswerMessageBox("Closest point NEAR is ", platform::kIdNo, TextMatch::Contains)
      .AnswerMessageBox("Orientation correction = " + platform::FormatFixed(expected, 5) + " gon.",
                        platform::kIdNo, TextMatch::Contains)
      .Close();
  host_.Run(dialog_);
  EXPECT_DOUBLE_EQ(Settings().orientation, kTrueCircleZeroGon);
}

// ---- The main window's button ----------------------------------------------------------------

TEST_F(OrientationTest, TheHookOpensTheScreenOnTheProgramsResection) {
  OrientationScreens screens;
  screens.State().resection_count = 1;
  OrientationHooks hooks(screens);
  host_.WaitForDialog<OD>()
      .Do("the program's count",
          [&] { EXPECT_EQ(host_.TopDialog()->Title(), "Orientation : PROJ - STN1 [Count = 1]"); })
      .Close();
  hooks.OpenOrientation(app_.Window());
  EXPECT_TRUE(host_.RemainingSteps().empty());
}

}  // namespace
}  // namespace vigil::orientation
