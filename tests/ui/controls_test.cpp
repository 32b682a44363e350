// The Controls dialog and the horizontal-angle entry against the simulated instrument.
#include <gtest/gtest.h>

#include "AppFixture.h"
#include "platform/Format.h"
#include "survey/Units.h"
#include "ui/ControlsDialog.h"
#include "ui/SetHorizontalAngleDialog.h"

namespace vigil::ui {
namespace {

using CD = ControlsDialog;
using SHA = SetHorizontalAngleDialog;

constexpr const char* kNotDecimal = "Please put a decimal angle.";
constexpr const char* kNotInRange =
    "Please put a valid value for angle.\r\nAngle must be greater than or equal to 0 but less than 400.";

/// One prism 100 m away at the circle reading 350 gon, level.
sim::Scenario NorthWestSite() {
  sim::Scenario s = test::EastSite();
  s.prisms.clear();
  s.prisms.push_back({"NW", sim::PrismType::kMonitoring, -30.0, {929.2893219, 2070.7106781, 100.0}, {}, {}});
  return s;
}

class ControlsTest : public test::AppFixture {
 protected:
  ControlsTest() : AppFixture(NorthWestSite()) {
    EXPECT_TRUE(sim_.Start());
    EXPECT_TRUE(Context().Link().Connect());
    Context().Settings().easting = 1000.0;
    Context().Settings().northing = 2000.0;
    Context().Settings().reduced_level = 100.0;
    Context().Settings().orientation = 0.0;
    bool pointed = false;
    Context().Engine().TurnTo(
        350.0, 100.0, [&] { pointed = true; }, false, true);
    EXPECT_TRUE(loop_.RunUntil([&] { return pointed; }, 200000));
    EXPECT_EQ(Context().Engine().ReadingResult(), 0);
    sim_.log().Clear();
  }
  int RunControls() { return host_.Run(controls_); }
  std::string LastMessage() const {
    const auto texts = host_.MessageTexts();
    return texts.empty() ? std::string() : texts.back();
  }

  CD controls_{Context()};
};

TEST_F(ControlsTest, OpensWithTranslatedTextsAndTheStationTitle) {
  host_
      .Do("look",
          [&] {
            EXPECT_EQ(controls_.Title(), "Controls : PROJ - STN1");
            EXPECT_EQ(controls_.Text(CD::kCiCheckId), "C&&I Check");
            EXPECT_EQ(controls_.Text(CD::kHorZeroId), "Hor. \"0\" Set");
            EXPECT_EQ(controls_.Text(CD::kOkKeyId), "OK");
            EXPECT_EQ(host_.SoftKeys().Current(), &controls_);
          })
      .HardwareKey(4)
      .HardwareKey(1);
  EXPECT_EQ(RunControls(), platform::kIdOk);
}

TEST_F(ControlsTest, CiCheckAt350GonGivesNoErrorsForAnIdealInstrument) {
  host_.Press(CD::kCiCheckId)
      .AnswerMessageBox("F1 Reading:", platform::kIdOk, TextMatch::Contains)
      .PressSoftKey(4);
  EXPECT_EQ(RunControls(), platform::kIdOk);
  constexpr double kTolGon = 0.0005;
  EXPECT_NEAR(controls_.Face1().haGon, 350.0, kTolGon);
  EXPECT_NEAR(controls_.Face1().vaGon, 100.0, kTolGon);
  EXPECT_NEAR(controls_.Face2().haGon, 150.0, kTolGon);
  EXPECT_NEAR(controls_.Face2().vaGon, 300.0, kTolGon);
  const CiErrors errors = ComputeCiErrors(controls_.Face1(), controls_.Face2());
  EXPECT_NEAR(errors.cGon, 0.0, 1e-5);
  EXPECT_NEAR(errors.iGon, 0.0, 1e-5);
  const std::string zero =
      survey::FormatAngle(Context().Settings(), 0.0, survey::AngleFormat::Degrees, false);
  const std::string text = LastMessage();
  EXPECT_EQ(text.rfind("F1 Reading:\nHa: 350.0", 0), 0u) << text;
  EXPECT_NE(text.find(" gon \nVa: 100.0"), std::string::npos) << text;
  EXPECT_NE(text.find("\n\nF2 Reading:\nHa: 150.0"), std::string::npos) << text;
  EXPECT_NE(text.find("\n\nC&I:\nC: " + zero + " \nI: " + zero + " \n"), std::string::npos) << text;
  EXPECT_EQ(Count("*DHA"), 2) << "one turn per face";
  EXPECT_EQ(sim_.toBasicState(), 0) << "the result box is bracketed";
}

// The start direction is read raw when the engine's last operation was not relative to the
// orientation, but a turn always adds it: with an orientation set the check once turned
// away from the prism it started on and never reported.
TEST_F(ControlsTest, CiCheckWithAnOrientationSetStillTurnsToTheStartDirection) {
  Context().Settings().orientation = 50.0;
  host_.Press(CD::kCiCheckId)
      .AnswerMessageBox("F1 Reading:", platform::kIdOk, TextMatch::Contains)
      .PressSoftKey(4);
  EXPECT_EQ(RunControls(), platform::kIdOk);
  const CiErrors errors = ComputeCiErrors(controls_.Face1(), controls_.Face2());
  EXPECT_NEAR(errors.cGon, 0.0, 1e-5);
  EXPECT_NEAR(errors.iGon, 0.0, 1e-5);
  EXPECT_NEAR(controls_.Start().haGon, 300.0, 0.0005) << "350 on the circle, relative to 50";
  EXPECT_NEAR(controls_.Face1().haGon, 300.0, 0.0005);
  EXPECT_NEAR(controls_.Face2().haGon, 100.0, 0.0005);
}

TEST_F(ControlsTest, ASecondFacePointingThatFailsShowsTheFailureAndNoResult) {
  host_.Press(CD::kCiCheckId)
      .WaitUntil("second face under way", [&] { return controls_.CiStep() == 2; })
      .Do("every reading goes bad",
          [&] {
            sim_.faults().angleStatusErrors = 100;
            sim_.faults().haErrors = 100;
            sim_.faults().distanceErrors = 100;
          })
      .AnswerMessageBox("Failed to check C&I.")
      .PressSoftKey(4);
  EXPECT_EQ(RunControls(), platform::kIdOk);
  for (const std::string& text : host_.MessageTexts()) EXPECT_EQ(text.find("C&I:"), std::string::npos);
}

TEST_F(ControlsTest, SearchAndMeasureShowsTheTargetPosition) {
  host_.Press(CD::kSearchMeasureId)
      .AnswerMessageBox("TARGET POSITION:\r\n\r\nHa = ", platform::kIdOk, TextMatch::Contains)
      .PressSoftKey(4);
  RunControls();
  const std::string text = LastMessage();
  EXPECT_NE(text.find(" gon\r\nVa = 100.0"), std::string::npos) << text;
  EXPECT_NE(text.find("\r\nSD = 100.0"), std::string::npos) << text;
  EXPECT_EQ(text.substr(text.size() - 4), " m\r\n") << text;
}

TEST_F(ControlsTest, DistanceInFeetShowsTheConvertedValue) {
  Context().Settings().distance_unit = 1;
  host_.Press(CD::kDistanceId)
      .AnswerMessageBox("TARGET POSITION:\r\n\r\nSD = ", platform::kIdOk, TextMatch::Contains)
      .PressSoftKey(4);
  RunControls();
  const std::string text = LastMessage();
  const std::string prefix = "TARGET POSITION:\r\n\r\nSD = ";
  ASSERT_EQ(text.rfind(prefix, 0), 0u) << text;
  EXPECT_EQ(text.substr(text.size() - 5), " ft\r\n") << text;
  const double feet = platform::ParseDoubleOr(text.substr(prefix.size()), 0.0);
  EXPECT_NEAR(feet, 100.0 * survey::kFeetPerMetreUs, 0.5) << "100 m in feet, within the prism constant";
}

TEST_F(ControlsTest, HorizontalZeroAnsweredNoSendsNothingAndYesReportsTheAcknowledgement) {
  host_.Press(CD::kHorZeroId)
      .AnswerMessageBox("Set Horizontal Angle to Zero (0)?", platform::kIdNo)
      .Do("nothing sent", [&] { EXPECT_EQ(Count("Xh"), 0); })
      .Press(CD::kHorZeroId)
      .AnswerMessageBox("Set Horizontal Angle to Zero (0)?", platform::kIdYes)
      .AnswerMessageBox("Successfully set Hor. Angle to 0.")
      .Do("refused next",
          [&] {
            sim_.faults().nak.push_back({"Xh", 1});
          })
      .Press(CD::kHorZeroId)
      .AnswerMessageBox("Set Horizontal Angle to Zero (0)?", platform::kIdYes)
      .AnswerMessageBox("Failed to set Hor. Angle to 0.")
      .PressSoftKey(4);
  RunControls();
  EXPECT_EQ(Count("Xh"), 2);
}

TEST_F(ControlsTest, TheAngleEntryRefusesBadTextsAndSendsTheNormalisedValue) {
  host_.Press(CD::kSetHorAngleId).WaitForDialog<SHA>().Do("starts at zero", [&] {
    EXPECT_EQ(host_.TopDialog()->Text(SHA::kAngleEditId), "0.0000");
    EXPECT_EQ(host_.TopDialog()->Title(), "Set Horizontal Angle");
  });
  const std::vector<std::pair<const char*, const char*>> refused{{"400", kNotInRange},
                                                                 {"-1", kNotDecimal},
                                                                 {"1.2.3", kNotDecimal},
                                                                 {"", kNotInRange},
                                                                 {".", kNotInRange}};
  for (const auto& [typed, message] : refused) {
    host_.Type(SHA::kAngleEditId, typed).Press(SHA::kOkButtonId).AnswerMessageBox(message);
  }
  host_.Type(SHA::kAngleEditId, "12.")
      .Press(SHA::kOkButtonId)
      .AnswerMessageBox("Successfully set Hor. Angle.")
      .PressSoftKey(4);
  RunControls();
  EXPECT_EQ(CommandsFrom("#S/Dc 12.0000\r\n\r\n"),
            (std::vector<std::string>{"#S/Dc 12.0000\r\n\r\n", "#STs 2\r\n", "#STs 0\r\n"}))
      << "sent after the entry's bracket, then the bracketed report";
  EXPECT_EQ(Count("/Dc"), 1);
  EXPECT_NEAR(sim_.instrument().ReadHa(sim_.instrument().pointing()), 12.0, 1e-6);
}

TEST_F(ControlsTest, CancelInTheAngleEntrySendsNothing) {
  host_.Press(CD::kSetHorAngleId)
      .WaitForDialog<SHA>()
      .Type(SHA::kAngleEditId, "x")
      .Press(SHA::kCancelButtonId)
      .PressSoftKey(4);
  RunControls();
  EXPECT_EQ(Count("/Dc"), 0);
  EXPECT_TRUE(host_.MessageTexts().empty());
}

TEST_F(ControlsTest, LightOnAndOff) {
  host_.Press(CD::kLightOnId)
      .Do("on", [&] { EXPECT_TRUE(sim_.lightOn()); })
      .Press(CD::kLightOffId)
      .Do("off", [&] { EXPECT_FALSE(sim_.lightOn()); })
      .PressSoftKey(4);
  RunControls();
  EXPECT_TRUE(host_.MessageTexts().empty()) << "the outcome is not reported";
}

// The dialog may be closed while its measurement runs; the completion that arrives later
// must not reach the destroyed dialog.
TEST_F(ControlsTest, ACompletionAfterTheDialogClosedDoesNothing) {
  {
    CD shortLived(Context());
    host_.Press(CD::kDistanceId).PressSoftKey(4);
    EXPECT_EQ(host_.Run(shortLived), platform::kIdOk);
  }
  loop_.RunFor(20000);
  EXPECT_TRUE(host_.MessageTexts().empty());
  EXPECT_EQ(Count("*ST2"), 1);
}

}  // namespace
}  // namespace vigil::ui
