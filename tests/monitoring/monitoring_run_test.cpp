// A monitoring cycle against the simulated instrument: the order of the readings, retries,
// Stop, the cycle modes, and what happens when the data file cannot be written.
#include <gtest/gtest.h>

#include "MonitoringWorld.h"

namespace vigil::monitoring {
namespace {

using MD = MonitoringDialog;
using test::kCompleted;
using test::kStartQuestion;
using test::MonitoringWorld;

constexpr const char* kCannotClose =
    "This screen cannot be closed at the moment.  Monitoring is in progress...";

TEST_F(MonitoringWorld, DefaultsMeasureEveryPointInFaceOneThenFaceTwoIntoOneFile) {
  WriteTrainingAB();
  MD dialog(Window(), false);
  host_
      .Do("idle page P1",
          [&] {
            EXPECT_EQ(dialog.Title(), "Monitoring : PROJ - STN1");
            EXPECT_EQ(dialog.Text(MD::kButton1Id), "Start");
            EXPECT_EQ(dialog.Text(MD::kButton4Id), "P1");
            EXPECT_EQ(dialog.ListColumnCount(MD::kReadingsListId), 18);
          })
      .Press(MD::kButton1Id)
      .AnswerMessageBox(kStartQuestion, platform::kIdYes)
      .Do("running",
          [&] {
            EXPECT_EQ(dialog.Text(MD::kButton1Id), "Stop");
            EXPECT_FALSE(dialog.IsEnabled(MD::kButton2Id));
            EXPECT_FALSE(dialog.IsEnabled(MD::kButton4Id));
            EXPECT_FALSE(Window().ScheduleArmed());
          })
      .AnswerMessageBox(kCompleted)
      .WaitUntil("cycle ended", [&] { return !dialog.Running(); })
      .Do("idle again", [&] {
        EXPECT_EQ(dialog.Text(MD::kButton1Id), "Start");
        EXPECT_TRUE(dialog.IsEnabled(MD::kButton4Id));
        EXPECT_TRUE(Window().ScheduleArmed()) << "interval mode arms the schedule at the end";
      });
  host_.EndAll();
  host_.Run(dialog);

  EXPECT_EQ(ListOrder(dialog), "A1 A1 A1 B1 B1 B1 A2 A2 A2 B2 B2 B2");
  EXPECT_EQ(Turns(), 12);
  ASSERT_EQ(DataFiles(), std::vector<std::string>{"STN1_PROJ_07-Dec-2026_Cycle_1.vgl"});
  const auto rows = FileRows(DataFiles()[0]);
  ASSERT_EQ(rows.size(), 12u);
  for (const auto& f : rows) {
    ASSERT_EQ(f.size(), 18u);
    EXPECT_EQ(f[0], "4");
    EXPECT_EQ(f[1], "1");
    EXPECT_EQ(f[3], "07-12-2026");
    EXPECT_FALSE(f[13].empty()) << "measured";
  }
  // Face 2 of A reads Ha 300, Va 300 and still gives A's position.
  EXPECT_EQ(rows[6][5], "A");
  EXPECT_NEAR(platform::ParseDoubleOr(rows[6][7], 0), 300.0, 0.001);
  EXPECT_NEAR(platform::ParseDoubleOr(rows[6][13], 0), 1100.0, 0.0005);
  EXPECT_NEAR(platform::ParseDoubleOr(rows[9][15], 0), 105.0, 0.0005);
  for (int r = 0; r < 12; ++r) {
    EXPECT_NEAR(platform::ParseDoubleOr(dialog.ListCell(MD::kDifferencesListId, r, 1), 99), 0.0, 0.5) << r;
  }
}

TEST_F(MonitoringWorld, SequencesRepeatsAndRoundsGiveTheRowOrder) {
  struct Case {
    int sequence;
    int repeat;
    int rounds;
    const char* order;
    const char* roundColumn;
  };
  const Case cases[] = {
      {1, 3, 1, "A1 A1 A1 A2 A2 A2 B1 B1 B1 B2 B2 B2", "111111111111"},
      {2, 1, 2, "A1 B1 A1 B1", "1122"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.order);
    Settings().sequence = c.sequence;
    Settings().repeat = c.repeat;
    Settings().rounds = c.rounds;
    WriteTrainingAB();
    MD dialog(Window(), false);
    ScriptUserCycle(dialog);
    host_.EndAll();
    host_.Run(dialog);
    EXPECT_EQ(ListOrder(dialog), c.order);
    std::string rounds;
    for (int r = 0; r < dialog.ListRowCount(MD::kReadingsListId); ++r)
      rounds += dialog.ListCell(MD::kReadingsListId, r, kCycleRound);
    EXPECT_EQ(rounds, c.roundColumn);
  }
}

class HiddenPrismTest : public MonitoringWorld {
 protected:
  static sim::Scenario HiddenB() {
    sim::Scenario s = test::TwoPrismSite();
    s.prisms[1].hidden.push_back({true, 0, 24 * 60, 0, 0});
    return s;
  }
  HiddenPrismTest() : MonitoringWorld(HiddenB()) {
    Settings().sequence = 2;
    Settings().repeat = 1;
    WriteTrainingAB();
  }
};

TEST_F(HiddenPrismTest, RetriesOfAFailedReadingThenAFailedLine) {
  struct Case {
    int retry;
    int turnsAtB;
  };
  for (const Case c : {Case{0, 1}, Case{5, 6}}) {
    SCOPED_TRACE(c.retry);
    sim_.log().Clear();
    Settings().retry = c.retry;
    MD dialog(Window(), false);
    ScriptUserCycle(dialog);
    host_.EndAll();
    host_.Run(dialog);
    EXPECT_EQ(Turns(), 1 + c.turnsAtB) << "A once, B 1 + retry times";
    const std::string file = DataFiles().back();
    const auto rows = FileRows(file);
    ASSERT_EQ(rows.size(), 2u);
    const std::string line = platform::Split(FileText(file), "\r\n")[2];
    EXPECT_TRUE(platform::EndsWith(line, std::string(8, '\t'))) << line;
    EXPECT_EQ(rows[1][5], "B");
    EXPECT_EQ(rows[1][3], "07-12-2026") << "a failed row has its date";
    EXPECT_FALSE(rows[1][4].empty());
    EXPECT_NEAR(platform::ParseDoubleOr(rows[1][7], 0), 0.0, 1e-9) << "expected Ha of B";
    EXPECT_EQ(dialog.ListCell(MD::kDifferencesListId, 1, 1), "") << "no differences for a failed reading";
  }
}

TEST_F(MonitoringWorld, StopDuringTheFirstReadingWritesNoLine) {
  WriteTrainingAB();
  MD dialog(Window(), false);
  host_.Press(MD::kButton1Id)
      .AnswerMessageBox(kStartQuestion, platform::kIdYes)
      .Press(MD::kButton1Id)
      .Do("stopping", [&] { EXPECT_FALSE(dialog.IsEnabled(MD::kButton1Id)); })
      .AnswerMessageBox(kCompleted)
      .WaitUntil("ended", [&] { return !dialog.Running(); })
      .Do("Start again", [&] {
        EXPECT_EQ(dialog.Text(MD::kButton1Id), "Start");
        EXPECT_TRUE(dialog.IsEnabled(MD::kButton1Id));
      });
  host_.EndAll();
  host_.Run(dialog);
  EXPECT_EQ(Turns(), 1);
  EXPECT_TRUE(DataFiles().empty());
  EXPECT_EQ(dialog.ListCell(MD::kReadingsListId, 0, kCycleDate), "");
}

TEST_F(MonitoringWorld, ClosingIsRefusedWhileACycleRuns) {
  WriteTrainingAB();
  MD dialog(Window(), false);
  host_.Press(MD::kButton1Id)
      .AnswerMessageBox(kStartQuestion, platform::kIdYes)
      .Close()
      .AnswerMessageBox(kCannotClose)
      .Do("still open", [&] { EXPECT_EQ(host_.TopDialog(), &dialog); })
      .AnswerMessageBox(kCompleted)
      .WaitUntil("ended", [&] { return !dialog.Running(); })
      .Close();
  EXPECT_EQ(host_.Run(dialog), platform::kIdCancel);
  const auto boxes = host_.Events(ui::HostEvent::Kind::MessageBox);
  ASSERT_GE(boxes.size(), 2u);
  EXPECT_EQ(boxes[1].icon, platform::MessageIcon::Exclamation);
}

TEST_F(MonitoringWorld, NoTrainingNoCycle) {
  MD dialog(Window(), false);
  host_.Press(MD::kButton1Id)
      .AnswerMessageBox(kStartQuestion, platform::kIdYes)
      .AnswerMessageBox("No training points to monitor.")
      .Do("idle", [&] {
        EXPECT_FALSE(dialog.Running());
        EXPECT_EQ(dialog.Text(MD::kButton1Id), "Start");
      });
  host_.EndAll();
  host_.Run(dialog);
  EXPECT_EQ(Turns(), 0);
}

TEST_F(MonitoringWorld, ContinuousModeStartsANewCycleAndFileTenSecondsAfterEachEnd) {
  Settings().mode = 1;
  Settings().sequence = 2;
  Settings().repeat = 1;
  WriteTraining({{"A", 1100.0, 2000.0, 100.0}});
  MD dialog(Window(), false);
  host_.Press(MD::kButton1Id)
      .AnswerMessageBox(kStartQuestion, platform::kIdYes)
      .WaitUntil("three cycles", [&] { return DataFiles().size() == 3 && dialog.Running(); })
      .Press(MD::kButton1Id)
      .WaitUntil("stopped", [&] { return !dialog.Running(); })
      .WaitMs(30000)
      .Do("no restart after Stop", [&] {
        EXPECT_FALSE(dialog.Running());
        EXPECT_FALSE(Window().ScheduleArmed());
      });
  host_.EndAll();
  host_.Run(dialog);
  EXPECT_EQ(host_.MessageTexts(), std::vector<std::string>{kStartQuestion}) << "no completion message";
  EXPECT_EQ(DataFiles().size(), 3u) << "the stopped cycle wrote nothing";
  EXPECT_EQ(Turns(), 4);
  // Each new cycle's turn comes 10 s or a little more after the last reading of the one before.
  std::vector<std::uint64_t> turnsAt;
  for (const auto& c : sim_.log().All())
    if (platform::StartsWith(c.bytes, "#S*DHA") || platform::StartsWith(c.bytes, "*DHA"))
      turnsAt.push_back(c.elapsedMs);
  ASSERT_EQ(turnsAt.size(), 4u);
  for (std::size_t i = 1; i < turnsAt.size(); ++i) {
    EXPECT_GE(turnsAt[i] - turnsAt[i - 1], 10000u);
    EXPECT_LT(turnsAt[i] - turnsAt[i - 1], 30000u);
  }
  const auto first = FileRows("STN1_PROJ_07-Dec-2026_Cycle_1.vgl");
  const auto third = FileRows("STN1_PROJ_07-Dec-2026_Cycle_3.vgl");
  ASSERT_EQ(first.size(), 1u);
  ASSERT_EQ(third.size(), 1u);
  EXPECT_EQ(third[0][1], "3") << "the list's cycle number follows the files";
}

// A line that could not be written used to vanish without a word.
TEST_F(MonitoringWorld, AReadingThatCannotBeWrittenStaysInTheListAndTheOperatorSeesIt) {
  Settings().sequence = 2;
  Settings().repeat = 1;
  WriteTrainingAB();
  int appends = 0;
  platform::SetFileFaultHook([&](platform::FileOp op, const std::filesystem::path&) {
    if (op == platform::FileOp::Append && ++appends == 2) return platform::FaultAction::Fail;
    return platform::FaultAction::Proceed;
  });
  MD dialog(Window(), false);
  ScriptUserCycle(dialog).Do("warning shown", [&] {
    EXPECT_TRUE(dialog.IsShown(MD::kNotWrittenLabelId));
    EXPECT_EQ(dialog.Text(MD::kNotWrittenLabelId), "Data file could not be written! Readings not stored: 1");
  });
  host_.EndAll();
  host_.Run(dialog);
  EXPECT_EQ(dialog.UnwrittenReadings(), 1);
  EXPECT_FALSE(dialog.ListCell(MD::kReadingsListId, 1, kCycleEasting).empty()) << "B is still in the list";
  const auto rows = FileRows(DataFiles()[0]);
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0][5], "A");
}

TEST_F(MonitoringWorld, AnAutomaticCycleWithUnstoredReadingsStaysOpenForTheOperator) {
  Settings().sequence = 2;
  Settings().repeat = 1;
  WriteTrainingAB();
  platform::SetFileFaultHook([](platform::FileOp op, const std::filesystem::path&) {
    return op == platform::FileOp::Append ? platform::FaultAction::Fail : platform::FaultAction::Proceed;
  });
  MD dialog(Window(), true);
  host_.WaitUntil("cycle ran", [&] { return Turns() == 2 && !dialog.Running(); })
      .Do("open with the warning and the schedule armed", [&] {
        EXPECT_EQ(host_.TopDialog(), &dialog);
        EXPECT_TRUE(dialog.IsShown(MD::kNotWrittenLabelId));
        EXPECT_TRUE(Window().ScheduleArmed());
      });
  host_.EndAll();
  host_.Run(dialog);
  EXPECT_TRUE(host_.MessageTexts().empty()) << "an unattended cycle is never blocked";
}

TEST_F(MonitoringWorld, SingleModeEndingInFaceTwoReadsTheAnglesOnce) {
  Settings().mode = 2;
  Settings().repeat = 1;
  WriteTraining({{"A", 1100.0, 2000.0, 100.0}});
  MD dialog(Window(), false);
  ScriptUserCycle(dialog).WaitMs(5000);
  host_.EndAll();
  host_.Run(dialog);
  EXPECT_EQ(sim_.log().Count("Ee"), 3) << "two readings and the closing angle reading";
  EXPECT_FALSE(Window().ScheduleArmed());
}

}  // namespace
}  // namespace vigil::monitoring
