// The schedule on timer 10: the next-cycle line, cycles started at the listed times in a
// screen that closes itself, and the cases where a listed time passes without a new cycle.
#include <gtest/gtest.h>

#include "MonitoringWorld.h"
#include "ui/MainWindow.h"

namespace vigil::monitoring {
namespace {

using MD = MonitoringDialog;
using MW = ui::MainWindow;
using test::MonitoringWorld;

platform::LocalDateTime At(int day, int hour, int minute, int second = 0) {
  return {2026, 12, day, hour, minute, second, 0, 1};
}

class ScheduleAt : public MonitoringWorld {
 protected:
  explicit ScheduleAt(platform::LocalDateTime start) : MonitoringWorld(test::TwoPrismSite(), start) {
    Settings().sequence = 2;
    Settings().repeat = 1;
    WriteTrainingAB();
  }
  /// What a confirmed sheet in interval mode does.
  ui::ScriptedHost& Arm() {
    return host_.Do("arm the schedule", [&] {
      Window().Enable(MW::kMonitorButtonId, true);
      Window().UpdateNextCycleLabel(true);
      Window().ArmSchedule(true);
    });
  }
  std::string Label() { return Window().Text(MW::kNextCycleId); }
};

class ScheduleBeforeFive : public ScheduleAt {
 protected:
  ScheduleBeforeFive() : ScheduleAt(At(7, 4, 58, 30)) {}
};

TEST_F(ScheduleBeforeFive, TheFiveOClockTickStartsCycleTwoInAScreenThatClosesItself) {
  // A file of the day's first cycle is there already.
  ASSERT_TRUE(platform::CreateFolder(DataFolder()));
  ASSERT_TRUE(platform::WriteUtf16FileAtomic(DataFolder() / "STN1_PROJ_07-Dec-2026_Cycle_1.vgl", "x\r\n"));
  Arm()
      .Do("04:58", [&] { EXPECT_EQ(Label(), "Next Cycle => 05:00 AM"); })
      .WaitMs(60000)
      .Do("04:59 tick",
          [&] {
            EXPECT_EQ(Label(), "Next Cycle => 05:00 AM");
            EXPECT_EQ(Turns(), 0);
            EXPECT_TRUE(Window().ScheduleArmed());
          })
      .WaitUntil("the 05:00 tick opened the screen", [&] { return host_.Front<MD>() != nullptr; })
      .Do("automatic and no longer waiting",
          [&] {
            EXPECT_TRUE(host_.Front<MD>()->Automatic());
            EXPECT_TRUE(hooks_.StartedBySchedule());
            EXPECT_FALSE(Window().ScheduleArmed());
          })
      .WaitUntil("closed itself", [&] { return host_.TopDialog() == &Window(); })
      .Do("waiting for the next",
          [&] {
            EXPECT_FALSE(hooks_.StartedBySchedule());
            EXPECT_EQ(hooks_.OpenDialog(), nullptr);
            EXPECT_TRUE(Window().ScheduleArmed());
            EXPECT_EQ(Label(), "Next Cycle => 09:00 AM");
          })
      .WaitMs(3 * 60000)
      .Do("one cycle only in the hour of 05:00", [&] { EXPECT_EQ(Turns(), 2); });
  host_.EndAll();
  host_.Run(Window());
  EXPECT_TRUE(host_.MessageTexts().empty()) << "neither the question nor the completion message";
  ASSERT_EQ(DataFiles().size(), 2u);
  const auto rows = FileRows("STN1_PROJ_07-Dec-2026_Cycle_2.vgl");
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0][1], "2");
  EXPECT_EQ(rows[0][4].substr(0, 5), "05:00");
}

TEST_F(ScheduleBeforeFive, WithTheScreenOpenAndIdleTheCycleStartsThereWithoutTheQuestion) {
  Arm()
      .Press(MW::kMonitorButtonId)
      .WaitForDialog<MD>()
      .Do("opened by the operator", [&] { EXPECT_FALSE(host_.Front<MD>()->Automatic()); })
      .WaitUntil("the 05:00 tick started a cycle", [&] { return Turns() > 0; })
      .WaitUntil("it ended", [&] { return !host_.Front<MD>()->Running(); })
      .Do("the screen stays open", [&] {
        EXPECT_NE(host_.Front<MD>(), nullptr);
        EXPECT_TRUE(Window().ScheduleArmed());
      });
  host_.EndAll();
  host_.Run(Window());
  EXPECT_TRUE(host_.MessageTexts().empty());
  EXPECT_EQ(DataFiles(), std::vector<std::string>{"STN1_PROJ_07-Dec-2026_Cycle_1.vgl"});
}

// Started on page P2, the cycle once showed "Stop" over Save As, with the page key disabled.
TEST_F(ScheduleBeforeFive, ACycleStartedOnPageTwoCanBeStopped) {
  Arm()
      .Press(MW::kMonitorButtonId)
      .WaitForDialog<MD>()
      .Press(MD::kButton4Id)
      .WaitUntil("the 05:00 tick started a cycle", [&] { return host_.Front<MD>()->Running(); })
      .Do("back on P1",
          [&] {
            EXPECT_EQ(host_.Front<MD>()->Page(), "P1");
            EXPECT_EQ(host_.Front<MD>()->Text(MD::kButton4Id), "P1");
          })
      .Press(MD::kButton1Id)
      .WaitUntil("stopped", [&] { return !host_.Front<MD>()->Running(); });
  host_.EndAll();
  host_.Run(Window());
  EXPECT_LE(Turns(), 1);
}

TEST_F(ScheduleBeforeFive, AListedTimeDuringARunningCycleStartsNothing) {
  Settings().repeat = 24;  // 48 readings: the cycle runs past 05:00, reply-driven too
  Arm()
      .Press(MW::kMonitorButtonId)
      .WaitForDialog<MD>()
      .Press(MD::kButton1Id)
      .AnswerMessageBox(test::kStartQuestion, platform::kIdYes)
      .Do("the schedule is off", [&] { EXPECT_FALSE(Window().ScheduleArmed()); })
      .AnswerMessageBox(test::kCompleted)
      .WaitUntil("ended", [&] { return !host_.Front<MD>()->Running(); })
      .Do("past five",
          [&] {
            EXPECT_GE(loop_.Now().hour * 60 + loop_.Now().minute, 5 * 60 + 1);
            EXPECT_TRUE(Window().ScheduleArmed());
          })
      .WaitMs(3 * 60000);
  host_.EndAll();
  host_.Run(Window());
  EXPECT_EQ(Turns(), 48);
  EXPECT_EQ(DataFiles().size(), 1u);
}

class ScheduleLateEvening : public ScheduleAt {
 protected:
  ScheduleLateEvening() : ScheduleAt(At(7, 22, 30)) {}
};

TEST_F(ScheduleLateEvening, TheLabelNamesTomorrowsFirstCycle) {
  Arm().Do("22:30", [&] { EXPECT_EQ(Label(), "Next Cycle => 01:00 AM"); }).WaitMs(120000).Do("22:32", [&] {
    EXPECT_EQ(Label(), "Next Cycle => 01:00 AM");
    EXPECT_TRUE(Window().IsShown(MW::kNextCycleId));
  });
  host_.EndAll();
  host_.Run(Window());
  EXPECT_EQ(Turns(), 0);
}

class ScheduleBeforeMidnight : public ScheduleAt {
 protected:
  ScheduleBeforeMidnight() : ScheduleAt(At(7, 23, 59, 15)) { Settings().cycles = "1,12:00 AM|2,12:00 PM"; }
};

TEST_F(ScheduleBeforeMidnight, TheFirstCycleAfterMidnightIsCycleOneOfTheNewDate) {
  ASSERT_TRUE(platform::CreateFolder(DataFolder()));
  for (const char* name : {"STN1_PROJ_07-Dec-2026_Cycle_1.vgl", "STN1_PROJ_07-Dec-2026_Cycle_2.vgl"})
    ASSERT_TRUE(platform::WriteUtf16FileAtomic(DataFolder() / name, "x\r\n"));
  Arm()
      .WaitUntil("a cycle ran", [&] { return Turns() == 2 && host_.TopDialog() == &Window(); })
      .Do("next is noon", [&] { EXPECT_EQ(Label(), "Next Cycle => 12:00 PM"); });
  host_.EndAll();
  host_.Run(Window());
  const auto rows = FileRows("STN1_PROJ_08-Dec-2026_Cycle_1.vgl");
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0][1], "1");
  EXPECT_EQ(rows[0][3], "08-12-2026");
}

// Started before midnight and recorded after it, a cycle once wrote "3" into the new day's Cycle_1.
TEST_F(ScheduleBeforeMidnight, ACycleRecordedAfterMidnightCarriesItsFilesNumber) {
  ASSERT_TRUE(platform::CreateFolder(DataFolder()));
  for (const char* name : {"STN1_PROJ_07-Dec-2026_Cycle_1.vgl", "STN1_PROJ_07-Dec-2026_Cycle_2.vgl"})
    ASSERT_TRUE(platform::WriteUtf16FileAtomic(DataFolder() / name, "x\r\n"));
  MD dialog(Window(), false);
  host_.WaitMs(43000)
      .Press(MD::kButton1Id)
      .AnswerMessageBox(test::kStartQuestion, platform::kIdYes)
      .AnswerMessageBox(test::kCompleted);
  host_.EndAll();
  host_.Run(dialog);
  const auto rows = FileRows("STN1_PROJ_08-Dec-2026_Cycle_1.vgl");
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0][1], "1");
  EXPECT_EQ(rows[1][1], "1");
  EXPECT_EQ(dialog.ListCell(MD::kReadingsListId, 1, static_cast<int>(kCycleNumber)), "1");
}

}  // namespace
}  // namespace vigil::monitoring
