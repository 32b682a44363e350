// A resection observation with one kind of fault injected: it is either captured with what
// the instrument measured at the reference prism or refused as a failed reading, and the
// next observation is captured (and gives the station).
#include <gtest/gtest.h>

#include "FaultWorld.h"
#include "orientation/OrientationDialog.h"
#include "orientation/ResectionState.h"

namespace vigil::faults::test {
namespace {

using OD = orientation::OrientationDialog;

constexpr const char* kCaptured = "Target captured and stored. Please move to next point.";
constexpr const char* kStationQuestion = "STATION COORDINATE:\n";
constexpr const char* kMoveNext = "Please move to next point.";

std::string PointingQuestion(const std::string& name) {
  return "Please make sure that the instrument is now pointing to " + name + ". Continue?";
}

struct ResectionCase {
  const char* name;
  Injection injection;
  bool captured;  ///< the faulty observation of R1 was still captured
  std::vector<std::string> notices;
  friend void PrintTo(const ResectionCase& c, std::ostream* os) { *os << c.name; }
};

class ResectionFaults : public FaultWorld, public ::testing::WithParamInterface<Paced<ResectionCase>> {
 protected:
  ResectionFaults() {
    Connect();
    WriteTraining({"R1", "R2", "M1"});
  }
  ScriptedHost& ScriptObserve(const std::string& name) {
    return ScriptPointAt(name)
        .SelectText(OD::kListId, name)
        .PressSoftKey(2)
        .AnswerMessageBox(PointingQuestion(name), platform::kIdYes);
  }

  orientation::ResectionState state_;
  OD dialog_{Context(), state_};
};

TEST_P(ResectionFaults, AnObservationIsCapturedAsMeasuredOrRefusedAndTheNextIsCaptured) {
  const ResectionCase& c = std::get<0>(GetParam());
  Settings().reply_driven = std::get<1>(GetParam());
  ScriptPointAt("R1").Do("inject", [&] { Inject(c.injection); });
  host_.SelectText(OD::kListId, "R1")
      .PressSoftKey(2)
      .AnswerMessageBox(PointingQuestion("R1"), platform::kIdYes);
  host_.AnswerMessageBox(c.captured ? kCaptured : kFailedReading)
      .Do("the fault struck; off",
          [&] {
            EXPECT_TRUE(Struck(c.injection));
            SwitchOff();
          })
      .WaitUntil("the instrument is back", [&] { return sim_.Present(); });
  ScriptObserve("R2");
  if (c.captured) {
    host_.AnswerMessageBox(kStationQuestion, platform::kIdNo, TextMatch::Contains)
        .AnswerMessageBox(kMoveNext);
  } else {
    host_.AnswerMessageBox(kCaptured);
  }
  host_.Close();
  host_.Run(dialog_);

  std::vector<std::string> observed;
  for (const orientation::ResectionPoint& p : state_.resection_points) {
    EXPECT_EQ(PrismObserved(p.ha, p.va, p.sd), p.name) << p.ha << " " << p.va << " " << p.sd;
    observed.push_back(p.name);
  }
  const std::vector<std::string> expected =
      c.captured ? std::vector<std::string>{"R1", "R2"} : std::vector<std::string>{"R2"};
  EXPECT_EQ(observed, expected);
  EXPECT_EQ(Notices(), c.notices);
  EXPECT_DOUBLE_EQ(Settings().orientation, 0.0) << "No to the station question changes nothing";
}

const ResectionCase kResectionCases[] = {
    {"NakSearch", {FaultKind::kNak, 1, "*SJ"}, false, {kFailedReading}},
    {"NakAngles", {FaultKind::kNak, 1, "Ee"}, true, {}},
    {"NakDistance", {FaultKind::kNak, 1, "*ST2"}, false, {kNakDuringDistance, kBeep, kFailedReading}},
    {"LostAck", {FaultKind::kLostAck, 3, ""}, true, {}},
    {"Late", {FaultKind::kLate, 6, ""}, true, {}},
    {"Split", {FaultKind::kSplit, 10, ""}, true, {}},
    {"Doubled", {FaultKind::kDoubled, 2, ""}, true, {}},
    {"Garbled", {FaultKind::kGarbled, 2, ""}, true, {kCommunicationError2, kBeep}},
    {"Overlong", {FaultKind::kOverlong, 2, ""}, true, {kCommunicationError2, kBeep}},
    {"SdErrorCode", {FaultKind::kSdErrorCode, 1, ""}, true, {}},
    {"SdErrorCodeTwice", {FaultKind::kSdErrorCode, 2, ""}, false, {kFailedReading}},
    {"VaErrorCode", {FaultKind::kVaErrorCode, 2, ""}, true, {}},
    {"HaErrorCode", {FaultKind::kHaErrorCode, 2, ""}, true, {}},
    {"AngleStatus", {FaultKind::kAngleStatus, 1, ""}, true, {}},
    {"WindowGoneAtSearch", {FaultKind::kWindowGone, 1, "*SJ"}, false, {kFailedReading}},
    {"WindowGoneAtDistance", {FaultKind::kWindowGone, 1, "*ST2"}, false, {kFailedToStop, kFailedReading}},
    {"EndlessSearch", {FaultKind::kEndlessTurn, 1, ""}, false, {kFailedReading}},
    {"NakAllForGood", {FaultKind::kNak, kForGood, ""}, false, {kFailedReading}},
    {"GarbledForGood",
     {FaultKind::kGarbled, kForGood, ""},
     false,
     {kCommunicationError2, kBeep, kCommunicationError2, kBeep, kFailedReading}},
    {"SdErrorCodeForGood", {FaultKind::kSdErrorCode, kForGood, ""}, false, {kFailedReading}},
    {"WindowGoneForGood", {FaultKind::kWindowGone, kForGood, ""}, false, {kFailedToStop, kFailedReading}},
    {"EndlessSearchForGood", {FaultKind::kEndlessTurn, kForGood, ""}, false, {kFailedReading}},
};

INSTANTIATE_TEST_SUITE_P(Resection, ResectionFaults, InBothPaces(kResectionCases),
                         PacedCaseName<::testing::TestParamInfo<Paced<ResectionCase>>>);

}  // namespace
}  // namespace vigil::faults::test
