// The main window driven as an operator would, against the simulated instrument on the
// virtual clock: Enable and Disable, the project-station, the close rules, the keys and the
// timer slot shared by the engine and the schedule.
#include <gtest/gtest.h>

#include "AppFixture.h"
#include "platform/Files.h"
#include "platform/SoftKeyBar.h"
#include "ui/AboutDialog.h"

namespace vigil::ui {
namespace {

using test::AppFixture;
using test::AppWithSimFixture;
using test::kCloseQuestion;
using test::kDisableQuestion;
using test::kEnableQuestion;
using MW = MainWindow;

constexpr const char* kStillMonitoring =
    "Instrument is still in MONITORING mode.  Please \"Disable\" first before closing the program.";

struct CountingHooks final : MainWindowHooks {
  void OnScheduleTick(MainWindow&) override { ++ticks; }
  void OpenMonitoring(MainWindow&) override { ++monitor; }
  int ticks = 0;
  int monitor = 0;
};

bool ScreensEnabled(const MW& w) {
  return w.IsEnabled(MW::kControlsButtonId) || w.IsEnabled(MW::kTrainingButtonId) ||
         w.IsEnabled(MW::kOrientationButtonId) || w.IsEnabled(MW::kMonitorButtonId);
}

// ---- start-up, keys and closing ---------------------------------------------------------

TEST_F(AppWithSimFixture, StartsDisabledWithTheGreetingAnswered) {
  host_.Do("look at the first screen", [&] {
    EXPECT_EQ(sim_.mainTitle(), "DLK VIGIL") << "the greeting named the main window";
    EXPECT_EQ(Window().Text(MW::kEnableButtonId), "Enable");
    EXPECT_TRUE(Window().IsEnabled(MW::kEnableButtonId));
    EXPECT_TRUE(Window().IsEnabled(MW::kCloseKeyId));
    EXPECT_FALSE(Window().IsEnabled(MW::kProjSettingsButtonId));
    EXPECT_FALSE(Window().IsEnabled(MW::kAboutKeyId));
    EXPECT_FALSE(ScreensEnabled(Window()));
    EXPECT_FALSE(Window().IsShown(MW::kProgressId));
    EXPECT_FALSE(Window().IsShown(MW::kNextCycleId));
    EXPECT_EQ(Window().Title(), "DLK VIGIL\xE2\x84\xA2");
    EXPECT_EQ(host_.SoftKeys().Ids(), (std::array<int, 4>{1021, 1025, 1018, 1019}));
  });
  ScriptClose();
  EXPECT_EQ(host_.Run(Window()), platform::kIdCancel);
}

TEST_F(AppWithSimFixture, HardwareKeyOnePressesCloseAndKeyFourTheEmptyFirstSoftKey) {
  ScriptEnable()
      .Press(ProjectSelectDialog::kCancelButtonId)
      .WaitForDialog<MW>()
      .Do("soft key 1 is enabled now", [&] { EXPECT_TRUE(Window().IsEnabled(MW::kSoftKey1Id)); })
      .HardwareKey(4)
      .Do("nothing happened", [&] { EXPECT_TRUE(host_.MessageTexts().size() == 1); })
      .HardwareKey(1)
      .AnswerMessageBox(kCloseQuestion, platform::kIdNo)
      .Do("still open", [&] { EXPECT_EQ(host_.TopDialog(), &Window()); })
      .EndAll();
  host_.Run(Window());
  EXPECT_EQ(host_.MessageTexts(), (std::vector<std::string>{kEnableQuestion, kCloseQuestion}));
}

TEST_F(AppWithSimFixture, EscapeClosesNeitherTheMainWindowNorTheProjectSelection) {
  const std::uint32_t escape = platform::kEscapeVirtualKey;
  host_.KeyDown(escape)
      .Do("main window open", [&] { EXPECT_EQ(host_.TopDialog(), &Window()); })
      .Press(MW::kEnableButtonId)
      .AnswerMessageBox(kEnableQuestion, platform::kIdYes)
      .WaitForDialog<ProjectSelectDialog>()
      .KeyDown(escape)
      .Do("selection still open", [&] { EXPECT_NE(host_.Front<ProjectSelectDialog>(), nullptr); })
      .EndAll();
  host_.Run(Window());
  EXPECT_TRUE(host_.Events(HostEvent::Kind::Failure).empty());
}

TEST_F(AppWithSimFixture, YesToCloseWhileEnabledKeepsTheProgramAndTheSchedule) {
  CountingHooks hooks;
  app_.SetHooks(&hooks);
  ScriptEnableWithNewStation()
      .Do("schedule armed", [&] { ASSERT_TRUE(Window().ScheduleArmed()); })
      .Close()
      .AnswerMessageBox(kCloseQuestion, platform::kIdYes)
      .AnswerMessageBox(kStillMonitoring)
      .Do("bracketed and still running",
          [&] {
            EXPECT_EQ(host_.TopDialog(), &Window());
            EXPECT_TRUE(Window().MonitoringEnabled());
            EXPECT_TRUE(Window().ScheduleArmed());
            EXPECT_EQ(sim_.toBasicState(), 0) << "To Basic allowed again after the message";
          })
      .WaitMs(125000)
      .Do("the schedule ticks", [&] { EXPECT_EQ(hooks.ticks, 2); })
      .EndAll();
  host_.Run(Window());
  const auto boxes = host_.Events(HostEvent::Kind::MessageBox);
  ASSERT_FALSE(boxes.empty());
  EXPECT_EQ(boxes.back().icon, platform::MessageIcon::Exclamation);
}

TEST_F(AppWithSimFixture, TheCloseQuestionNamesTheProductAsTranslated) {
  ASSERT_TRUE(platform::CreateFolder(Context().Layout().LanguageFolder()));
  ASSERT_TRUE(platform::WriteUtf16FileAtomic(Context().TranslationsPath(),
                                             "IDS_MAIN_MSGBOX_CLOSE_VIGIL={vigil_onboard} beenden? "
                                             "({vigil_onboard})\r\nIDS_MAIN_BTN_CLOSE=Ende\r\n"));
  host_.Do("caption", [&] { EXPECT_EQ(Window().Text(MW::kCloseKeyId), "Ende"); })
      .PressSoftKey(4)
      .AnswerMessageBox("DLK VIGIL\xE2\x84\xA2 beenden? (DLK VIGIL\xE2\x84\xA2)", platform::kIdYes);
  EXPECT_EQ(host_.Run(Window()), platform::kIdCancel);
}

// ---- Enable -------------------------------------------------------------------------------

TEST_F(AppWithSimFixture, EnableKeepsAndSetsTheInstrumentSettingsInOrderWhileTheBarSteps) {
  host_.Press(MW::kEnableButtonId)
      .AnswerMessageBox(kEnableQuestion, platform::kIdYes)
      .WaitUntil("bar after block B", [&] { return Window().ProgressPos(MW::kProgressId) == 60; })
      .Do("bar shown", [&] { EXPECT_TRUE(Window().IsShown(MW::kProgressId)); })
      .WaitUntil("bar after the reflector", [&] { return Window().ProgressPos(MW::kProgressId) == 80; })
      .WaitForDialog<ProjectSelectDialog>()
      .Do("chain done",
          [&] {
            EXPECT_EQ(Window().ProgressPos(MW::kProgressId), 100);
            EXPECT_FALSE(Window().IsShown(MW::kProgressId));
            EXPECT_TRUE(Window().MonitoringEnabled());
            EXPECT_EQ(Window().Text(MW::kEnableButtonId), "Disable");
            EXPECT_TRUE(Window().IsEnabled(MW::kAboutKeyId));
            const std::vector<std::string> expected{
                "#SA\r\n",        "#SB\r\n",   "#S/B 1,0,2,0,1,0,0,0,1,3,0,0\r\n\r\n", "#SC\r\n",
                "#S/C 0\r\n\r\n", "#S*PA\r\n", "#S*/PA 0,0,1.5000,1.5000\r\n\r\n",     "#SXa\r\n"};
            auto got = CommandsFrom("#SA\r\n");
            got.resize(std::min(got.size(), expected.size()));
            EXPECT_EQ(got, expected);
            EXPECT_TRUE(sim_.fineMode());
          })
      .Press(ProjectSelectDialog::kCancelButtonId)
      .EndAll();
  host_.Run(Window());
}

TEST_F(AppWithSimFixture, CancellingTheProjectSelectionAfterEnableLeavesTheScreensDisabled) {
  ScriptEnable()
      .Press(ProjectSelectDialog::kCancelButtonId)
      .WaitForDialog<MW>()
      .Do("screens",
          [&] {
            EXPECT_FALSE(ScreensEnabled(Window()));
            EXPECT_TRUE(Window().IsEnabled(MW::kProjSettingsButtonId));
            EXPECT_FALSE(Window().ProjectStationLoaded());
            EXPECT_FALSE(Window().ScheduleArmed());
          })
      .EndAll();
  host_.Run(Window());
}

TEST_F(AppFixture, WithoutTheBasicModeApplicationEnableFailsAndStaysDisabled) {
  host_.AnswerMessageBox("Cannot find Basic Mode Application!")
      .Press(MW::kEnableButtonId)
      .AnswerMessageBox(kEnableQuestion, platform::kIdYes)
      .AnswerMessageBox("Failed to connect with Basic mode!")
      .Do("disabled", [&] {
        EXPECT_FALSE(Window().MonitoringEnabled());
        EXPECT_EQ(Window().Text(MW::kEnableButtonId), "Enable");
        EXPECT_TRUE(Window().IsEnabled(MW::kEnableButtonId));
        EXPECT_FALSE(Window().IsShown(MW::kProgressId));
        EXPECT_FALSE(Window().IsEnabled(MW::kProjSettingsButtonId));
      });
  ScriptClose();
  EXPECT_EQ(host_.Run(Window()), platform::kIdCancel);
}

// A read that times out stops the chain before its end: the program must not stay half
// enabled with the bar up and the link open.
TEST_F(AppWithSimFixture, AChainThatTimesOutLeavesEnableAvailableOnAClosedLink) {
  host_.Press(MW::kEnableButtonId)
      .AnswerMessageBox(kEnableQuestion, platform::kIdYes)
      .Do("the instrument goes away before block B",
          [&] {
            sim_.faults().vanishOnPrefix = "B";
            sim_.faults().vanishForMs = 60000;
          })
      .AnswerMessageBox("Timed out!")
      .WaitUntil("bar hidden", [&] { return !Window().IsShown(MW::kProgressId); })
      .Do("disabled again",
          [&] {
            EXPECT_FALSE(Window().MonitoringEnabled());
            EXPECT_TRUE(Window().IsEnabled(MW::kEnableButtonId));
          })
      .WaitMs(60000)
      .Press(MW::kEnableButtonId)
      .AnswerMessageBox(kEnableQuestion, platform::kIdYes)
      .WaitForDialog<ProjectSelectDialog>()
      .Do("enabled at the second try", [&] { EXPECT_TRUE(Window().MonitoringEnabled()); })
      .EndAll();
  host_.Run(Window());
}

// ---- Disable --------------------------------------------------------------------------------

TEST_F(AppWithSimFixture, DisableWritesTheKeptTextsBackAndDisconnects) {
  ScriptEnableWithNewStation()
      .Press(MW::kEnableButtonId)
      .AnswerMessageBox(kDisableQuestion, platform::kIdYes)
      .Do("restored",
          [&] {
            EXPECT_EQ(sim_.blockB(), sim_.scenario().blockB);
            EXPECT_EQ(sim_.reflectorType(), sim_.scenario().reflectorType);
            EXPECT_EQ(sim_.motor(), sim_.scenario().motor);
            EXPECT_FALSE(Context().Link().IsOpen());
            const auto tail = CommandsFrom("#S/B 1,0,2,1,0,1,0,0,1,3,0,0\r\n\r\n");
            EXPECT_EQ(tail, (std::vector<std::string>{"#S/B 1,0,2,1,0,1,0,0,1,3,0,0\r\n\r\n",
                                                      "#S/C 1\r\n\r\n", "#S*/PA 1,1,2.0000,2.0000\r\n\r\n",
                                                      "#STs 2\r\n", "#STc\r\n"}));
            EXPECT_FALSE(Window().MonitoringEnabled());
            EXPECT_FALSE(ScreensEnabled(Window()));
            EXPECT_TRUE(Window().IsEnabled(MW::kAboutKeyId)) << "About stays after the first Enable";
            EXPECT_FALSE(Window().ScheduleArmed());
            EXPECT_TRUE(Window().ProjectStationLoaded());
          })
      .Press(MW::kEnableButtonId)
      .AnswerMessageBox(kEnableQuestion, platform::kIdYes)
      .WaitForDialog<StationSettingsSheet>()
      .Do("a loaded project-station goes straight to the sheet", [] {})
      .Press(StationSettingsSheet::kOkKeyId)
      .WaitForDialog<MW>()
      .Do("screens back", [&] { EXPECT_TRUE(ScreensEnabled(Window())); })
      .EndAll();
  host_.Run(Window());
}

TEST_F(AppWithSimFixture, NoToTheDisableQuestionKeepsMonitoringAndAllowsToBasicAgain) {
  ScriptEnableWithNewStation()
      .Press(MW::kEnableButtonId)
      .AnswerMessageBox(kDisableQuestion, platform::kIdNo)
      .Do("still enabled",
          [&] {
            EXPECT_TRUE(Window().MonitoringEnabled());
            EXPECT_TRUE(Context().Link().IsOpen());
            const auto tail = CommandsFrom("#STs 2\r\n");
            ASSERT_FALSE(tail.empty());
            EXPECT_EQ(tail.back(), "#STs 0\r\n");
            EXPECT_EQ(Count("/B"), 1) << "nothing written back";
          })
      .EndAll();
  host_.Run(Window());
}

// ---- project-station and schedule -------------------------------------------------------

TEST_F(AppWithSimFixture, ConfirmingTheSheetInIntervalModeArmsTheScheduleAndNamesTheNextCycle) {
  ScriptEnableWithNewStation()
      .Do("loaded",
          [&] {
            EXPECT_TRUE(ScreensEnabled(Window()));
            EXPECT_TRUE(Window().ProjectStationLoaded());
            EXPECT_TRUE(Window().ScheduleArmed());
            EXPECT_EQ(Context().Engine().ActiveTimer(), link::kScheduleTimer);
            // The virtual clock starts at 08:00; the default list has 09:00 AM next.
            EXPECT_TRUE(Window().IsShown(MW::kNextCycleId));
            EXPECT_EQ(Window().Text(MW::kNextCycleId), "Next Cycle => 09:00 AM");
            EXPECT_EQ(Window().Title(), "DLK VIGIL\xE2\x84\xA2 : PROJ - STN1");
          })
      .EndAll();
  host_.Run(Window());
}

TEST_F(AppWithSimFixture, ConfirmingTheSheetInAnotherModeStopsTheScheduleAndHidesTheLine) {
  ScriptEnableWithNewStation()
      .Press(MW::kProjSettingsButtonId)
      .WaitForDialog<StationSettingsSheet>()
      .Select(StationSettingsSheet::kTabId, StationSettingsSheet::kCycles)
      .Select(CyclesPage::kModeListId, CyclesPage::kModeContinuous, StationSettingsSheet::kCycles)
      .Press(StationSettingsSheet::kOkKeyId)
      .WaitForDialog<MW>()
      .Do("no schedule",
          [&] {
            EXPECT_FALSE(Window().ScheduleArmed());
            EXPECT_FALSE(Window().IsShown(MW::kNextCycleId));
            EXPECT_TRUE(ScreensEnabled(Window()));
          })
      .EndAll();
  host_.Run(Window());
}

TEST_F(AppWithSimFixture, LoadInTheSheetReturnsToTheSelectionAndLeavesTheButtonsAsTheyWere) {
  ScriptEnableWithNewStation()
      .Press(MW::kProjSettingsButtonId)
      .WaitForDialog<StationSettingsSheet>()
      .Press(StationSettingsSheet::kLoadKeyId)
      .WaitForDialog<ProjectSelectDialog>()
      .Do("buttons unchanged", [&] { EXPECT_TRUE(ScreensEnabled(Window())); })
      .Press(ProjectSelectDialog::kCancelButtonId)
      .WaitForDialog<MW>()
      .Do("not loaded, buttons as they were",
          [&] {
            EXPECT_FALSE(Window().ProjectStationLoaded());
            EXPECT_TRUE(ScreensEnabled(Window()));
          })
      .Press(MW::kProjSettingsButtonId)
      .WaitForDialog<ProjectSelectDialog>()
      .Do("the selection opens again", [] {})
      .SelectText(ProjectSelectDialog::kJobListId, "PROJ_STN1")
      .Press(ProjectSelectDialog::kLoadButtonId)
      .WaitForDialog<StationSettingsSheet>()
      .Press(StationSettingsSheet::kOkKeyId)
      .WaitForDialog<MW>()
      .Do("loaded again", [&] { EXPECT_TRUE(Window().ProjectStationLoaded()); })
      .EndAll();
  host_.Run(Window());
}

// A new choice left the program with default settings under the old title, for the next
// scheduled cycle to measure with.
TEST_F(AppWithSimFixture, CancelAfterLoadKeepsTheConfirmedSettings) {
  ScriptEnableWithNewStation()
      .Do("confirmed at 12.5 degrees", [&] { Context().Settings().temperature = 12.5; })
      .Press(MW::kProjSettingsButtonId)
      .WaitForDialog<StationSettingsSheet>()
      .Press(StationSettingsSheet::kLoadKeyId)
      .WaitForDialog<ProjectSelectDialog>()
      .Press(ProjectSelectDialog::kNewButtonId)
      .WaitForDialog<StationSettingsSheet>()
      .Press(StationSettingsSheet::kLoadKeyId)
      .WaitForDialog<ProjectSelectDialog>()
      .Press(ProjectSelectDialog::kCancelButtonId)
      .WaitForDialog<MW>()
      .Do("as confirmed",
          [&] {
            EXPECT_EQ(Context().Settings().temperature, 12.5);
            EXPECT_EQ(Window().Title(), "DLK VIGIL\xE2\x84\xA2 : PROJ - STN1");
          })
      .EndAll();
  host_.Run(Window());
}

TEST_F(AppWithSimFixture, MonitorGoesToTheHookAndAboutIsBracketed) {
  CountingHooks hooks;
  app_.SetHooks(&hooks);
  ScriptEnableWithNewStation()
      .Press(MW::kMonitorButtonId)
      .Do("hook", [&] { EXPECT_EQ(hooks.monitor, 1); })
      .Do("forget commands", [&] { sim_.log().Clear(); })
      .PressSoftKey(2)
      .WaitForDialog<AboutDialog>()
      .Do("about",
          [&] {
            EXPECT_EQ(host_.TopDialog()->Title(), "About DLK VIGIL\xE2\x84\xA2...");
            EXPECT_EQ(sim_.toBasicState(), 2);
          })
      .Press(AboutDialog::kOkButtonId)
      .WaitForDialog<MW>()
      .Do("allowed again", [&] { EXPECT_EQ(sim_.toBasicState(), 0); })
      .EndAll();
  host_.Run(Window());
}

// ---- the timer slot ---------------------------------------------------------------------------

// Once an operation has finished, a tick of the still running schedule timer must reach the
// schedule: given to the engine it would run the finished operation's time-out again and
// call its completion a second time.
TEST_F(AppWithSimFixture, AScheduleTickAfterAFinishedMeasurementGoesToTheScheduleNotTheEngine) {
  CountingHooks hooks;
  app_.SetHooks(&hooks);
  int completions = 0;
  ScriptEnableWithNewStation()
      .Do("measure angles while the schedule runs",
          [&] { Context().Engine().MeasureAngles([&] { ++completions; }, true); })
      .WaitUntil("measured", [&] { return completions == 1; })
      .WaitMs(150000)
      .Do("one completion, schedule ticks",
          [&] {
            EXPECT_EQ(completions, 1);
            EXPECT_EQ(Context().Engine().ReadingResult(), 0);
            EXPECT_EQ(hooks.ticks, 2);
          })
      .EndAll();
  host_.Run(Window());
  EXPECT_EQ(host_.MessageTexts(), (std::vector<std::string>{kEnableQuestion}));
}

}  // namespace
}  // namespace vigil::ui
