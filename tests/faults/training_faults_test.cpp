// Training with one kind of fault injected while it measures a new point, and while it runs
// a 2D scan: a point is either added with what the instrument measured there or not at all,
// a scan reports only prisms that are there, the operator is told, and the next clean
// measurement or scan works.
#include <gtest/gtest.h>

#include <cmath>

#include "FaultWorld.h"
#include "platform/Format.h"
#include "platform/Text.h"
#include "training/NewPointNameDialog.h"
#include "training/ScanDialog.h"
#include "training/TrainingDialog.h"

namespace vigil::faults::test {
namespace {

using TD = training::TrainingDialog;
using NPN = training::NewPointNameDialog;
using SD = training::ScanDialog;

constexpr const char* kFoundTwo =
    "Scan Complete!\r\nFound 2 potential prisms.  Proceed to verify these points?";
constexpr const char* kNoPrism = "Scan Complete!\r\nNo prism found.";
constexpr const char* kNoScanReply = "Scan failed!\r\nNo scan reply from the instrument.";
constexpr const char* kFoundThree =
    "Scan Complete!\r\nFound 3 potential prisms.  Proceed to verify these points?";

class TrainingFaults : public FaultWorld {
 protected:
  TrainingFaults() { Connect(); }

  /// Key 1 of page P2 with the proposed name confirmed; waits for the measurement's end.
  ScriptedHost& ScriptAddPoint(const std::function<void()>& beforeOk = [] {}) {
    return host_.Press(TD::kKey1Id)
        .WaitForDialog<NPN>()
        .Do("before OK", beforeOk)
        .Press(NPN::kOkButtonId)
        .WaitUntil("measurement over", [this] { return !dialog_.MeasurementPending(); });
  }
  /// Every listed point holds what the instrument measured at one prism, no prism twice.
  std::vector<std::string> PrismsListed() {
    std::vector<std::string> prisms;
    for (const training::TrainingPoint& p : dialog_.List()->Rows()) {
      const std::string seen =
          PrismObserved(platform::ParseDoubleOr(p.ha, -1), platform::ParseDoubleOr(p.va, -1),
                        platform::ParseDoubleOr(p.sd, -1));
      EXPECT_EQ(PrismAt(platform::ParseDoubleOr(p.easting, 0), platform::ParseDoubleOr(p.northing, 0),
                        platform::ParseDoubleOr(p.rl, 0)),
                seen)
          << p.name << " E " << p.easting << " N " << p.northing << " RL " << p.rl;
      prisms.push_back(seen.empty() ? "<not measured: " + p.ha + " " + p.va + " " + p.sd + ">" : seen);
    }
    return prisms;
  }

  TD dialog_{Context()};
};

// ---- measuring a new point ------------------------------------------------------------------

struct PointCase {
  const char* name;
  Injection injection;
  bool added;  ///< the faulty measurement still added M1
  std::vector<std::string> notices;
  friend void PrintTo(const PointCase& c, std::ostream* os) { *os << c.name; }
};

class TrainingPointFaults : public TrainingFaults, public ::testing::WithParamInterface<Paced<PointCase>> {};

TEST_P(TrainingPointFaults, APointIsAddedAsMeasuredOrNotAtAllAndTheNextOneIsAdded) {
  const PointCase& c = std::get<0>(GetParam());
  Settings().reply_driven = std::get<1>(GetParam());
  PointAt("M1");
  host_.Press(TD::kPageKeyId);
  ScriptAddPoint([&] { Inject(c.injection); }).Do("the fault struck; off", [&] {
    EXPECT_TRUE(Struck(c.injection));
    SwitchOff();
  });
  host_.WaitUntil("the instrument is back", [&] { return sim_.Present(); });
  ScriptPointAt("M2");
  ScriptAddPoint().Close();
  host_.Run(dialog_);

  const std::vector<std::string> expected =
      c.added ? std::vector<std::string>{"M1", "M2"} : std::vector<std::string>{"M2"};
  EXPECT_EQ(PrismsListed(), expected);
  EXPECT_EQ(Notices(), c.notices);
}

const PointCase kPointCases[] = {
    {"NakSearch", {FaultKind::kNak, 1, "*SJ"}, false, {}},
    {"NakAngles", {FaultKind::kNak, 1, "Ee"}, true, {}},  // the distance line brings the angles
    {"NakDistance", {FaultKind::kNak, 1, "*ST2"}, false, {kNakDuringDistance, kBeep}},
    {"NakReflector", {FaultKind::kNak, 1, "/C"}, true, {}},
    {"LostAck", {FaultKind::kLostAck, 3, ""}, true, {}},
    {"Late", {FaultKind::kLate, 6, ""}, true, {}},
    {"Split", {FaultKind::kSplit, 6, ""}, true, {}},
    {"Doubled", {FaultKind::kDoubled, 2, ""}, true, {}},
    {"Garbled", {FaultKind::kGarbled, 2, ""}, true, {kCommunicationError2, kBeep}},
    {"Overlong", {FaultKind::kOverlong, 2, ""}, true, {kCommunicationError2, kBeep}},
    {"SdErrorCode", {FaultKind::kSdErrorCode, 1, ""}, true, {}},
    // One line read every 2 s while the instrument sends one a second: two bad lines use up the 5 s.
    {"SdErrorCodeTwice", {FaultKind::kSdErrorCode, 2, ""}, false, {}},
    {"VaErrorCode", {FaultKind::kVaErrorCode, 2, ""}, true, {}},
    {"HaErrorCode", {FaultKind::kHaErrorCode, 2, ""}, true, {}},
    {"AngleStatus", {FaultKind::kAngleStatus, 1, ""}, true, {}},
    {"WindowGoneAtSearch", {FaultKind::kWindowGone, 1, "*SJ"}, false, {}},
    {"WindowGoneAtDistance", {FaultKind::kWindowGone, 1, "*ST2"}, false, {kFailedToStop}},
    {"EndlessSearch", {FaultKind::kEndlessTurn, 1, ""}, false, {}},
    {"NakAllForGood", {FaultKind::kNak, kForGood, ""}, false, {}},
    {"GarbledForGood",
     {FaultKind::kGarbled, kForGood, ""},
     false,
     {kCommunicationError2, kBeep, kCommunicationError2, kBeep}},
    {"SdErrorCodeForGood", {FaultKind::kSdErrorCode, kForGood, ""}, false, {}},
    {"WindowGoneForGood", {FaultKind::kWindowGone, kForGood, ""}, false, {kFailedToStop}},
    {"EndlessSearchForGood", {FaultKind::kEndlessTurn, kForGood, ""}, false, {}},
};

INSTANTIATE_TEST_SUITE_P(MeasurePoint, TrainingPointFaults, InBothPaces(kPointCases),
                         PacedCaseName<::testing::TestParamInfo<Paced<PointCase>>>);

// ---- the 2D scan ------------------------------------------------------------------------------

struct ScanCase {
  const char* name;
  Injection injection;
  bool struck;          ///< false: a scan has nothing the fault can strike
  const char* outcome;  ///< the message that ends the faulty scan
  std::vector<std::string> notices;
  friend void PrintTo(const ScanCase& c, std::ostream* os) { *os << c.name; }
};

class ScanFaults : public TrainingFaults, public ::testing::WithParamInterface<Paced<ScanCase>> {
 protected:
  /// The scan window from Ha 90 to 140 gon, Va 90 to 110 gon: M1 and M2 are in it.
  ScriptedHost& ScriptCorners() {
    return host_.Press(TD::kKey3Id)
        .WaitForDialog<SD>()
        .Do("to the start corner", [&] { Turn(90.0, 90.0); })
        .WaitUntil("turned", [&] { return turned_; })
        .Press(SD::kSetStartId)
        .WaitUntil("start set", [&] { return !host_.Front<SD>()->Text(SD::kStartVaEditId).empty(); })
        .Do("to the end corner", [&] { Turn(140.0, 110.0); })
        .WaitUntil("turned", [&] { return turned_; })
        .Press(SD::kSetEndId)
        .WaitUntil("end set", [&] { return !host_.Front<SD>()->Text(SD::kEndVaEditId).empty(); });
  }
  void Turn(double ha, double va) {
    turned_ = false;
    Context().Engine().TurnTo(
        ha, va, [&] { turned_ = true; }, false, false);
  }
  /// The prisms at the scan's hits ("?" for a hit where there is none).
  std::vector<std::string> HitPrisms() {
    std::vector<std::string> prisms;
    for (const training::ScanHit& h : host_.Front<SD>()->Hits()) {
      std::string at = "?";
      for (const SitePrism& p : kSitePrisms) {
        const survey::Observation o = TrueObservation(p.name);
        if (std::fabs(platform::ParseDoubleOr(h.ha, -1) - o.haGon) <= kAngleToleranceGon &&
            std::fabs(platform::ParseDoubleOr(h.va, -1) - o.vaGon) <= kAngleToleranceGon)
          at = p.name;
      }
      prisms.push_back(at);
    }
    return prisms;
  }

  bool turned_ = false;
};

TEST_P(ScanFaults, AScanEndsWithOnlyTrueHitsAndTheNextScanFindsBothPrisms) {
  const ScanCase& c = std::get<0>(GetParam());
  Settings().reply_driven = std::get<1>(GetParam());
  ScriptCorners()
      .Do("inject", [&] { Inject(c.injection); })
      .Press(SD::kStartKeyId)
      .AnswerMessageBox(c.outcome, platform::StartsWith(c.outcome, "Scan Complete!\r\nFound")
                                       ? platform::kIdNo
                                       : platform::kIdOk)
      .Do("the fault struck; off; every hit is a prism",
          [&] {
            EXPECT_EQ(Struck(c.injection), c.struck);
            SwitchOff();
            for (const std::string& p : HitPrisms()) EXPECT_NE(p, "?");
          })
      .WaitUntil("the instrument is back", [&] { return sim_.Present(); })
      .Press(SD::kStartKeyId)
      .AnswerMessageBox(kFoundTwo, platform::kIdNo)
      .Do("both prisms",
          [&] {
            EXPECT_EQ(HitPrisms(), (std::vector<std::string>{"M1", "M2"}));
          })
      .Close()
      .Close();
  host_.Run(dialog_);
  EXPECT_EQ(Notices(), c.notices);
  EXPECT_TRUE(dialog_.List()->Rows().empty()) << "No: nothing is measured or added";
}

const ScanCase kScanCases[] = {
    {"NakScan", {FaultKind::kNak, 1, "*ST6"}, true, kNoScanReply, {}},
    {"LostAck", {FaultKind::kLostAck, 1, ""}, true, kFoundTwo, {}},
    {"Late", {FaultKind::kLate, 4, ""}, true, kFoundTwo, {}},
    {"Split", {FaultKind::kSplit, 1, ""}, true, kFoundTwo, {}},
    {"Doubled", {FaultKind::kDoubled, 1, ""}, true, kFoundThree, {}},  // the first hit twice
    // Both hits arrive before the first poll; the garbled first one clears the buffer.
    {"Garbled", {FaultKind::kGarbled, 1, ""}, true, kNoScanReply, {}},
    {"Overlong", {FaultKind::kOverlong, 1, ""}, true, kNoScanReply, {}},
    {"SdErrorCode", {FaultKind::kSdErrorCode, 1, ""}, false, kFoundTwo, {}},
    {"VaErrorCode", {FaultKind::kVaErrorCode, 1, ""}, false, kFoundTwo, {}},
    {"HaErrorCode", {FaultKind::kHaErrorCode, 1, ""}, false, kFoundTwo, {}},
    {"AngleStatus", {FaultKind::kAngleStatus, 1, ""}, false, kFoundTwo, {}},
    {"WindowGone", {FaultKind::kWindowGone, 1, "*ST6"}, true, kNoScanReply, {}},
    {"EndlessTurn", {FaultKind::kEndlessTurn, 1, ""}, false, kFoundTwo, {}},
    {"NakAllForGood", {FaultKind::kNak, kForGood, ""}, true, kNoScanReply, {}},
    {"GarbledForGood", {FaultKind::kGarbled, kForGood, ""}, true, kNoScanReply, {}},
    {"WindowGoneForGood", {FaultKind::kWindowGone, kForGood, ""}, true, kNoScanReply, {}},
};

INSTANTIATE_TEST_SUITE_P(Scan2D, ScanFaults, InBothPaces(kScanCases),
                         PacedCaseName<::testing::TestParamInfo<Paced<ScanCase>>>);

}  // namespace
}  // namespace vigil::faults::test
