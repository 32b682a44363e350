// Enable with one kind of fault injected: the program either finishes Enable with the
// instrument's own settings kept (so Disable gives them back unchanged), or tells the
// operator, ends up disabled on a closed link, and the next Enable succeeds.
#include <gtest/gtest.h>

#include "FaultWorld.h"
#include "ui/MainWindow.h"
#include "ui/ProjectSelectDialog.h"

namespace vigil::faults::test {
namespace {

using MW = ui::MainWindow;
using PSD = ui::ProjectSelectDialog;

struct EnableCase {
  const char* name;
  Injection injection;
  bool struck;   ///< false: the Enable exchange has nothing the fault can strike
  bool enabled;  ///< Enable finished at the first try
  std::vector<std::string> notices;
  bool ownSettingsGivenBack = true;  ///< after a failed Enable, the instrument holds its own settings
  friend void PrintTo(const EnableCase& c, std::ostream* os) { *os << c.name; }
};

class EnableFaultMatrix : public FaultWorld, public ::testing::WithParamInterface<Paced<EnableCase>> {
 protected:
  bool ChainOver() {
    if (host_.Front<PSD>() != nullptr) return true;
    return host_.Front<MW>() != nullptr && !Window().IsShown(MW::kProgressId) &&
           Window().IsEnabled(MW::kEnableButtonId);
  }
  /// What Enable kept must be what the instrument had before.
  void ExpectKeptAsTheInstrumentHadThem() {
    const link::KeptSettings& kept = Context().Instrument().Kept();
    const sim::Scenario& site = sim_.scenario();
    for (std::size_t i = 0; i < kept.blockB.size(); ++i)
      EXPECT_EQ(kept.blockB[i], site.blockB[i]) << "B " << i;
    EXPECT_EQ(kept.reflectorType, site.reflectorType);
    for (std::size_t i = 0; i < kept.motorParameters.size(); ++i)
      EXPECT_EQ(kept.motorParameters[i], site.motor[i]) << "*PA " << i;
  }
  void ExpectInstrumentAsBefore() {
    EXPECT_EQ(sim_.blockB(), sim_.scenario().blockB);
    EXPECT_EQ(sim_.reflectorType(), sim_.scenario().reflectorType);
    EXPECT_EQ(sim_.motor(), sim_.scenario().motor);
  }
};

TEST_P(EnableFaultMatrix, EnableFinishesWithTheTrueSettingsOrFailsCleanlyAndTheNextEnableWorks) {
  const EnableCase& c = std::get<0>(GetParam());
  Settings().reply_driven = std::get<1>(GetParam());
  host_.Do("inject", [&] { Inject(c.injection); })
      .Press(MW::kEnableButtonId)
      .AnswerMessageBox(kEnableQuestion, platform::kIdYes)
      .WaitUntil("the Enable chain is over", [&] { return ChainOver(); })
      .Do("outcome", [&] {
        EXPECT_EQ(Struck(c.injection), c.struck);
        SwitchOff();
        EXPECT_EQ(Window().MonitoringEnabled(), c.enabled);
        EXPECT_EQ(host_.Front<PSD>() != nullptr, c.enabled);
      });
  if (c.enabled) {
    host_.Press(PSD::kCancelButtonId)
        .WaitForDialog<MW>()
        .Do("kept", [&] { ExpectKeptAsTheInstrumentHadThem(); })
        .Press(MW::kEnableButtonId)
        .AnswerMessageBox(kDisableQuestion, platform::kIdYes)
        .WaitUntil("disabled", [&] { return !Window().MonitoringEnabled(); })
        .Do("given back", [&] { ExpectInstrumentAsBefore(); });
  } else {
    host_.Do("disabled, Enable offered again", [&] {
      EXPECT_EQ(Window().Text(MW::kEnableButtonId), "Enable");
      EXPECT_FALSE(Window().IsEnabled(MW::kProjSettingsButtonId));
      if (c.ownSettingsGivenBack) ExpectInstrumentAsBefore();
    });
  }
  host_.WaitUntil("the instrument is back", [&] { return sim_.Present(); })
      .Do("notices so far", [&] { EXPECT_EQ(Notices(), c.notices); })
      .Press(MW::kEnableButtonId)
      .AnswerMessageBox(kEnableQuestion, platform::kIdYes)
      .WaitForDialog<PSD>()
      .Do("enabled on a clean try",
          [&] {
            EXPECT_TRUE(Window().MonitoringEnabled());
            EXPECT_TRUE(sim_.fineMode());
            EXPECT_EQ(sim_.blockB()[3], "0");
            EXPECT_EQ(sim_.blockB()[4], "1");
            EXPECT_EQ(sim_.blockB()[5], "0");
            ExpectKeptAsTheInstrumentHadThem();
          })
      .EndAll();
  host_.Run(Window());
  EXPECT_EQ(Notices(), c.notices) << "nothing more on the clean try";
}

const EnableCase kEnableCases[] = {
    {"NakAnnounce", {FaultKind::kNak, 1, "T1"}, true, false, {kFailedToConnect}},
    {"NakReadB", {FaultKind::kNak, 1, "B"}, true, false, {kTimedOut}},
    {"NakWriteB", {FaultKind::kNak, 1, "/B"}, true, true, {}},
    {"NakReadMotor", {FaultKind::kNak, 1, "*PA"}, true, false, {kMotorReadGivenBack}},
    {"LostAckOfTheClose", {FaultKind::kLostAck, 1, ""}, true, true, {}},
    {"LostAckOfTheAnnouncement", {FaultKind::kLostAck, 2, ""}, true, false, {kFailedToConnect}},
    {"Late", {FaultKind::kLate, 10, ""}, true, true, {}},
    {"Split", {FaultKind::kSplit, 10, ""}, true, true, {}},
    {"Doubled", {FaultKind::kDoubled, 4, ""}, true, true, {}},
    {"Garbled", {FaultKind::kGarbled, 1, ""}, true, false, {kTimedOut}},
    {"Overlong", {FaultKind::kOverlong, 1, ""}, true, false, {kTimedOut}},
    {"SdErrorCode", {FaultKind::kSdErrorCode, 1, ""}, false, true, {}},
    {"VaErrorCode", {FaultKind::kVaErrorCode, 1, ""}, false, true, {}},
    {"HaErrorCode", {FaultKind::kHaErrorCode, 1, ""}, false, true, {}},
    {"AngleStatus", {FaultKind::kAngleStatus, 1, ""}, false, true, {}},
    {"WindowGoneAtConnect", {FaultKind::kWindowGone, 1, "T1"}, true, false, {kFailedToConnect}},
    {"WindowGoneAtReadA", {FaultKind::kWindowGone, 1, "A"}, true, false, {kTimedOut}},
    {"WindowGoneAtReflector",
     {FaultKind::kWindowGone, 1, "C"},
     true,
     false,
     {kReflectorReadNotGivenBack},
     false},
    {"EndlessTurn", {FaultKind::kEndlessTurn, 1, ""}, false, true, {}},
    {"NakAllForGood", {FaultKind::kNak, kForGood, ""}, true, false, {kFailedToConnect}},
    {"GarbledForGood", {FaultKind::kGarbled, kForGood, ""}, true, false, {kTimedOut}},
    {"WindowGoneForGood", {FaultKind::kWindowGone, kForGood, ""}, true, false, {kFailedToConnect}},
};

INSTANTIATE_TEST_SUITE_P(Enable, EnableFaultMatrix, InBothPaces(kEnableCases),
                         PacedCaseName<::testing::TestParamInfo<Paced<EnableCase>>>);

}  // namespace
}  // namespace vigil::faults::test
