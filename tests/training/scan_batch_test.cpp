// The 2D scan against the simulator and the batch that measures its hits.
#include <gtest/gtest.h>

#include "TrainingFixture.h"
#include "training/AppendOverwriteDialog.h"
#include "training/ScanDialog.h"

namespace vigil::training::test {
namespace {

using SD = ScanDialog;
using AOD = AppendOverwriteDialog;

constexpr const char* kNone = "Scan Complete!\r\nNo prism found.";
constexpr const char* kFound3 =
    "Scan Complete!\r\nFound 3 potential prisms.  Proceed to verify these points?";
constexpr const char* kCompleted = "VIGIL 2D Scan completed.";

/// Prisms at 100, 150 and 200 gon; the window 90 to 210 gon, 90 to 110 gon.
class Scan : public TrainingFixture {
 protected:
  explicit Scan(std::uint32_t startTick = 0) : TrainingFixture(Site({100.0, 150.0, 200.0}), startTick) {}

  /// P1, VIGIL 2D, both corners set at (fromHa, 90) and (toHa, 110), Start.
  ScriptedHost& StartScan(double fromHa = 90.0, double toHa = 210.0) {
    return host_.Press(TD::kKey3Id)
        .WaitForDialog<SD>()
        .Do("to the start corner", [&, fromHa] { Turn(fromHa, 90.0); })
        .WaitUntil("turned", [&] { return turned_; })
        .Press(SD::kSetStartId)
        .WaitUntil("start set", [&] { return !host_.Front<SD>()->Text(SD::kStartVaEditId).empty(); })
        .Do("to the end corner", [&, toHa] { Turn(toHa, 110.0); })
        .WaitUntil("turned", [&] { return turned_; })
        .Press(SD::kSetEndId)
        .WaitUntil("end set", [&] { return !host_.Front<SD>()->Text(SD::kEndVaEditId).empty(); })
        .Press(SD::kStartKeyId);
  }
  void Turn(double ha, double va) {
    turned_ = false;
    Context().Engine().TurnTo(
        ha, va, [&] { turned_ = true; }, false, false);
  }
  ScriptedHost& WaitForBatchEnd() {
    return host_.AnswerMessageBox(kCompleted).WaitUntil("batch over", [&] { return !dialog_.Batch(); });
  }

  bool turned_ = false;
};

TEST_F(Scan, NoPrismEndsAtOnceWithNoPrismFound) {
  std::uint64_t startedMs = 0;
  StartScan(250.0, 350.0)
      .Do("started", [&] { startedMs = loop_.Virtual()->ElapsedMs(); })
      .AnswerMessageBox(kNone)
      .Do("keys back",
          [&] {
            SD* scan = host_.Front<SD>();
            EXPECT_TRUE(scan->IsEnabled(SD::kStartKeyId));
            EXPECT_TRUE(scan->IsEnabled(SD::kSetStartId));
            EXPECT_EQ(scan->Title(), "VIGIL 2D Scan");
            EXPECT_FALSE(scan->QuietTimerRunning());
            EXPECT_EQ(Context().Engine().ActiveTimer() == link::kScanTimer &&
                          loop_.TimerArmed(Context().TimerWindow(), link::kScanTimer),
                      false)
                << "the engine stops polling for scan replies";
          })
      .Close();
  RunTraining();
  const auto boxes = host_.Events(ui::HostEvent::Kind::MessageBox);
  ASSERT_EQ(boxes.size(), 1u);
  // 100 gon sweep at 50 gon/s plus the 2 s poll of the scan reply
  EXPECT_LT(boxes[0].atMs - startedMs, 5000u) << "no quiet time is waited for";
  EXPECT_TRUE(Names().empty());
}

TEST_F(Scan, MissingCornersAreAskedFor) {
  host_.Press(TD::kKey3Id)
      .WaitForDialog<SD>()
      .Press(SD::kStartKeyId)
      .AnswerMessageBox("Please set the Start Point.")
      .Do("start corner", [&] { Turn(90.0, 90.0); })
      .WaitUntil("turned", [&] { return turned_; })
      .Press(SD::kSetStartId)
      .WaitUntil("start set", [&] { return !host_.Front<SD>()->Text(SD::kStartVaEditId).empty(); })
      .Press(SD::kStartKeyId)
      .AnswerMessageBox("Please set the End Point.")
      .Close()
      .Close();
  host_.Run(dialog_);
  EXPECT_EQ(sim_.log().Count("*ST6"), 0);
}

TEST_F(Scan, ThreePrismsAreAskedAboutFiveSecondsAfterTheLastHit) {
  std::uint64_t lastHitMs = 0;
  StartScan()
      .WaitUntil("three hits", [&] { return host_.Front<SD>()->Hits().size() == 3; })
      .Do("last hit",
          [&] {
            lastHitMs = loop_.Virtual()->ElapsedMs();
            EXPECT_EQ(host_.Front<SD>()->Title(), "VIGIL 2D Scan [Collecting Data...]");
            EXPECT_FALSE(host_.Front<SD>()->IsEnabled(SD::kStartKeyId));
          })
      .AnswerMessageBox(kFound3, platform::kIdNo)
      .Do("stays open with its hits", [&] { EXPECT_EQ(host_.Front<SD>()->Hits().size(), 3u); })
      .Close()
      .Close();
  host_.Run(dialog_);
  const auto boxes = host_.Events(ui::HostEvent::Kind::MessageBox);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_GT(boxes[0].atMs, lastHitMs + 5000);
  EXPECT_LE(boxes[0].atMs, lastHitMs + 6000 + 100) << "checked once a second";
  EXPECT_TRUE(Names().empty()) << "No: nothing is measured";
}

TEST_F(Scan, OverwriteWithOneFailingMeasurementKeepsTheOthers) {
  WriteTrainingFile({{"OLD1", "300.00000", "100.00000", "10.0000", "0", "0", "0", "2", ""},
                     {"OLD2", "310.00000", "100.00000", "10.0000", "0", "0", "0", "2", ""}});
  StartScan()
      .AnswerMessageBox(kFound3, platform::kIdYes)
      .WaitForDialog<AOD>()
      .Do("the first turn of the batch fails",
          [&] {
            EXPECT_TRUE(host_.Front<AOD>()->IsChecked(AOD::kAppendRadioId));
            sim_.faults().turnErrors = 1;
            sim_.faults().turnErrorNumber = 999;
          })
      .Press(AOD::kOverwriteRadioId)
      .Press(AOD::kOkButtonId)
      .Do("batch", [&] {
        EXPECT_EQ(dialog_.Title(), "Training [Measuring Points...]");
        EXPECT_FALSE(dialog_.IsEnabled(TD::kPageKeyId));
      });
  WaitForBatchEnd();
  RunTraining();
  EXPECT_EQ(Names(), (std::vector<std::string>{"XYZ001", "XYZ002"}));
  EXPECT_EQ(Row(0).ha, "150.00000");
  EXPECT_EQ(Row(1).ha, "200.00000");
  EXPECT_EQ(Row(1).prism_type, "2");
  EXPECT_EQ(dialog_.Title(), "Training : PROJ - STN1");
  EXPECT_TRUE(dialog_.IsEnabled(TD::kKey1Id));
  const std::string file = TrainingFileText();
  EXPECT_EQ(file.find("OLD1"), std::string::npos);
  EXPECT_NE(file.find("1\tXYZ002\t200.00000"), std::string::npos);
}

TEST_F(Scan, AppendContinuesTheNumberingAndSkipsAKnownPrism) {
  std::vector<std::vector<std::string>> rows;
  for (int i = 1; i <= 7; ++i) {
    const std::string ha = i == 3 ? "150.00000" : platform::FormatFixed(300.0 + i, 5);
    rows.push_back({"XYZ00" + std::to_string(i), ha, "100.00000", "100.0000", "0", "0", "0", "2", ""});
  }
  WriteTrainingFile(rows);
  StartScan().AnswerMessageBox(kFound3, platform::kIdYes).WaitForDialog<AOD>().Press(AOD::kOkButtonId);
  WaitForBatchEnd();
  RunTraining();
  ASSERT_EQ(Names().size(), 9u);
  EXPECT_EQ(Names()[7], "XYZ008");
  EXPECT_EQ(Row(7).ha, "100.00000");
  EXPECT_EQ(Names()[8], "XYZ009");
  EXPECT_EQ(Row(8).ha, "200.00000");
  EXPECT_EQ(host_.MessageTexts().size(), 2u) << "the known prism is skipped silently";
}

// On the virtual clock the third hit comes 23,790 ms after the start (33,350 ms on the fixed
// poll periods); the tick count starts so that it wraps two seconds after that hit.
class ScanAcrossTheWrap : public Scan {
 protected:
  ScanAcrossTheWrap() : Scan(0xFFFFFFFFu - 25789u) {}
};

TEST_F(ScanAcrossTheWrap, TheWrapDoesNotEndTheScanEarly) {
  std::uint32_t hitTick = 0;
  std::uint64_t lastHitMs = 0;
  StartScan()
      .WaitUntil("three hits", [&] { return host_.Front<SD>()->Hits().size() == 3; })
      .Do("last hit",
          [&] {
            lastHitMs = loop_.Virtual()->ElapsedMs();
            hitTick = loop_.TickCount();
          })
      .AnswerMessageBox(kFound3, platform::kIdNo)
      .Close()
      .Close();
  host_.Run(dialog_);
  const auto boxes = host_.Events(ui::HostEvent::Kind::MessageBox);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_GT(boxes[0].atMs, lastHitMs + 5000) << "last hit at tick " << hitTick;
  // The wrap must fall in the quiet time for this test to mean anything.
  EXPECT_GT(hitTick, 0xFFFFFFFFu - 5000u) << "adjust the start tick";
}

}  // namespace
}  // namespace vigil::training::test
