// Stopping the station and starting it again with --resume, on the virtual clock: the state
// file, the countdown, the start-ups that must not resume, and the interrupted cycle noted.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "ResumeWorld.h"
#include "TempFolder.h"
#include "platform/Files.h"
#include "results/ResultsDatabase.h"
#include "results/StationResults.h"
#include "ui/ResumeCountdownDialog.h"
#include "ui/ResumeState.h"

namespace vigil::crashtest {
namespace {

using ui::ResumeCountdownDialog;
using ui::ResumeRead;
using ui::ResumeState;

std::int64_t At(int day, int hour, int minute) {
  return platform::MillisecondsFromCivil({2027, 1, day, hour, minute, 0, 0, 5});
}

const ResumeState kEnabledState{true, "PROJ", "STN1", true, 0};

std::vector<std::string> CycleFiles(const ResumeWorld& w) {
  return platform::FindFiles(w.Layout().DataFolder(), "*.vgl");
}

ResumeState StateOf(ResumeWorld& w) {
  ResumeState state;
  std::string why;
  EXPECT_EQ(ui::ReadResumeState(w.Window().ResumeStatePath(), state, why), ResumeRead::kRead) << why;
  return state;
}

TEST(ResumeStateFile, ReadsWhatItWritesAndRefusesWhatIsCutOrWrong) {
  ResumeState state;
  std::string why;
  const ResumeState written{true, "Dam wall", "S 2", true, 1798761600000};
  ASSERT_EQ(ui::ParseResumeState(ui::ResumeStateText(written), state, why), ResumeRead::kRead) << why;
  EXPECT_EQ(state, written);
  const std::string whole = ui::ResumeStateText(kEnabledState);
  const struct {
    std::string text;
    const char* comment;
  } refused[] = {
      {whole.substr(0, whole.find("station")), "cut after the project: must not read as not enabled"},
      {"", "empty"},
      {whole + "speed = 3\n", "unknown key"},
      {"enabled = 2\nproject = P\nstation = S\nschedule_armed = 1\ncycle_started_ms = 0\n", "flag"},
      {"enabled = 1\nproject = \nstation = S\nschedule_armed = 1\ncycle_started_ms = 0\n", "no project"},
      {"enabled = 1\nproject = P\nstation = S\nschedule_armed = 1\ncycle_started_ms = -5\n", "negative time"},
      {"enabled = 1\nproject = P\nstation = S\nschedule_armed = 1\ncycle_started_ms = 12x\n", "odd digits"},
      {"\x00\x01garbage", "binary"},
  };
  for (const auto& c : refused) {
    EXPECT_EQ(ui::ParseResumeState(c.text, state, why), ResumeRead::kCorrupt) << c.comment;
  }
}

TEST(Resume, TakesMonitoringUpAgainAfterTheCountdownAndMissesOnlyTheCycleOfTheDowntime) {
  test::TempFolder dir;
  {
    ResumeWorld w(dir.path(), At(1, 0, 30));
    ASSERT_TRUE(w.WriteStation(true));
    w.ScriptEnableStation();
    w.WaitInForce().Do("state recorded", [&] { EXPECT_EQ(StateOf(w), kEnabledState); });
    w.WaitUntilLocal(At(1, 2, 30)).EndAll();
    w.Run(false);
    EXPECT_EQ(CycleFiles(w).size(), 1u) << "the 02:00 cycle";
  }
  // Down from 02:30 to 04:10: the 04:00 cycle is missed, the 06:00 one runs on time.
  ResumeWorld w(dir.path(), At(1, 4, 10));
  std::int64_t inForceMs = 0;
  w.Host().WaitForDialog<ResumeCountdownDialog>();
  w.WaitInForce().Do("resumed", [&] { inForceMs = w.NowMs(); });
  w.WaitUntilLocal(At(1, 6, 30)).EndAll();
  w.Run(true);
  EXPECT_TRUE(w.Host().Failures().empty());
  EXPECT_GE(inForceMs - At(1, 4, 10), 30000) << "the operator had the whole countdown";
  EXPECT_LT(inForceMs - At(1, 4, 10), 120000);
  const std::vector<std::string> files = CycleFiles(w);
  ASSERT_EQ(files.size(), 2u);
  const auto text = platform::ReadUtf16File(w.Layout().DataFolder() / files.back());
  ASSERT_TRUE(text.has_value());
  EXPECT_NE(text->find("\t06:0"), std::string::npos) << "the second file is the 06:00 cycle";
  EXPECT_EQ(w.Hooks().Interrupted(), 0);
  EXPECT_EQ(StateOf(w), kEnabledState);
}

// Start-ups that must leave the program as it always started: disabled, nothing loaded.
TEST(Resume, StartsAsAlwaysWhenNotAskedOrNotPossible) {
  const struct {
    const char* name;
    bool settingOn;
    std::optional<std::string> state;  ///< nothing: no state file
    bool withResume;                   ///< --resume
    bool cancel;                       ///< the countdown is shown and cancelled
    const char* box;                   ///< a message box containing this, or null
    bool stateFileAfter;
  } cases[] = {
      {"setting off", false, ui::ResumeStateText(kEnabledState), true, false, nullptr, true},
      {"no state file", true, std::nullopt, true, false, nullptr, false},
      {"corrupt state", true, std::string("enabled 1\n"), true, false, "cannot be read", true},
      {"state cut short", true, std::string("enabled = 1\nproject = PROJ\n"), true, false, "cannot be read",
       true},
      {"not armed", true, ui::ResumeStateText({true, "PROJ", "STN1", false, 0}), true, false, nullptr, true},
      {"station gone", true, ui::ResumeStateText({true, "GONE", "STN1", true, 0}), true, false,
       "project-station file cannot be read", true},
      {"cancelled", true, ui::ResumeStateText(kEnabledState), true, true, nullptr, true},
      {"started by hand", true, ui::ResumeStateText(kEnabledState), false, false, nullptr, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    test::TempFolder dir;
    ResumeWorld w(dir.path(), At(1, 3, 10));
    ASSERT_TRUE(w.WriteStation(c.settingOn));
    const std::filesystem::path statePath = w.Window().ResumeStatePath();
    if (c.state) {
      ASSERT_TRUE(platform::WriteFileBytesAtomic(statePath, *c.state));
    }
    if (c.box) w.Host().AnswerMessageBox(c.box, platform::kIdOk, ui::TextMatch::Contains);
    if (c.cancel) w.Host().WaitForDialog<ResumeCountdownDialog>().Press(ResumeCountdownDialog::kCancelKeyId);
    w.Host().WaitMs(5 * 60 * 1000).Do("as always", [&] {
      EXPECT_FALSE(w.Window().MonitoringEnabled());
      EXPECT_FALSE(w.Window().ProjectStationLoaded());
      EXPECT_EQ(w.Window().Title(), "DLK VIGIL\xE2\x84\xA2");
    });
    w.Host().EndAll();
    w.Run(c.withResume);
    EXPECT_TRUE(w.Host().Failures().empty());
    EXPECT_EQ(w.Host().Events(ui::HostEvent::Kind::MessageBox).size(), c.box ? 1u : 0u);
    EXPECT_TRUE(CycleFiles(w).empty());
    EXPECT_EQ(platform::FileExists(statePath), c.stateFileAfter);
    // Whatever stood there, this run did not monitor: the next start must not resume.
    if (c.stateFileAfter && c.settingOn && c.box == nullptr) {
      EXPECT_FALSE(StateOf(w).enabled);
    }
  }
}

TEST(Resume, TriesAgainWhenTheInstrumentsApplicationComesUpLater) {
  test::TempFolder dir;
  ResumeWorld w(dir.path(), At(1, 3, 0));
  ASSERT_TRUE(w.WriteStation(true));
  ASSERT_TRUE(ui::WriteResumeState(w.Window().ResumeStatePath(), kEnabledState));
  w.StopInstrument();
  w.Host()
      .AnswerMessageBox("Cannot find Basic Mode Application!")  // the greeting at the first paint
      .WaitForDialog<ResumeCountdownDialog>()
      .AnswerMessageBox("Failed to connect with Basic mode!")
      .WaitForDialog<ui::MainWindow>()
      .Do("the application is up now",
          [&] {
            EXPECT_FALSE(w.Window().MonitoringEnabled());
            EXPECT_EQ(StateOf(w), kEnabledState) << "kept for the next try";
            EXPECT_TRUE(w.StartInstrument());
          })
      .WaitForDialog<ResumeCountdownDialog>(2 * 60 * 1000);
  w.WaitInForce().EndAll();
  w.Run(true);
  EXPECT_EQ(w.Host().Failures(), std::vector<std::string>{});
  EXPECT_GE(w.NowMs() - At(1, 3, 0), (30 + 60 + 30) * 1000) << "countdown, retry time, countdown";
}

// Once a box came up for every 60 s try, for ever: an unattended station piled them up.
TEST(Resume, TellsTheFirstFailedTryOfARunByABoxAndTheRestByALine) {
  test::TempFolder dir;
  ResumeWorld w(dir.path(), At(1, 3, 0));
  ASSERT_TRUE(w.WriteStation(true));
  ASSERT_TRUE(ui::WriteResumeState(w.Window().ResumeStatePath(), kEnabledState));
  w.StopInstrument();
  w.Host()
      .AnswerMessageBox("Cannot find Basic Mode Application!")
      .WaitForDialog<ResumeCountdownDialog>()
      .AnswerMessageBox("Failed to connect with Basic mode!")
      .WaitUntil(
          "four more tries failed", [&] { return w.Hooks().FailedAgain().size() == 4; }, 10 * 60 * 1000)
      .Do("the application is up now", [&] {
        EXPECT_EQ(StateOf(w), kEnabledState) << "kept through every try";
        EXPECT_TRUE(w.StartInstrument());
      });
  w.WaitInForce().EndAll();
  w.Run(true);
  EXPECT_EQ(w.Host().Failures(), std::vector<std::string>{}) << "no box after the first failure";
  const std::vector<std::string> told{
      "2 Failed to connect with Basic mode!", "3 Failed to connect with Basic mode!",
      "4 Failed to connect with Basic mode!", "5 Failed to connect with Basic mode!"};
  EXPECT_EQ(w.Hooks().FailedAgain(), told);
  EXPECT_GE(w.NowMs() - At(1, 3, 0), 6 * 30 * 1000 + 5 * 60 * 1000) << "six countdowns, five retry times";
  EXPECT_TRUE(w.Window().MonitoringEnabled());
}

TEST(Resume, NotesTheInterruptedCycleOnceAndRunsTheNextOnTime) {
  test::TempFolder dir;
  ResumeWorld w(dir.path(), At(1, 2, 20));
  ASSERT_TRUE(w.WriteStation(true));
  ResumeState stopped = kEnabledState;
  stopped.cycleStartedMs = At(1, 2, 0);
  ASSERT_TRUE(ui::WriteResumeState(w.Window().ResumeStatePath(), stopped));
  w.WaitInForce().Do("noted once", [&] { EXPECT_EQ(StateOf(w).cycleStartedMs, 0); });
  w.WaitUntilLocal(At(1, 4, 30)).EndAll();
  w.Run(true);
  EXPECT_EQ(w.Host().MessageTexts(), std::vector<std::string>{});
  EXPECT_EQ(w.Hooks().Interrupted(), 1);
  EXPECT_EQ(CycleFiles(w).size(), 1u) << "the 04:00 cycle; nothing made up for 02:00";
  std::string error;
  auto db = results::ResultsDatabase::Open(w.Layout().DataFolder() / results::kResultsFileName, error);
  ASSERT_TRUE(db) << error;
  results::Statement q = db->Raw().Prepare("SELECT time_ms, file FROM alarm_events WHERE kind = ?1");
  q.Bind(1, std::string_view(results::kCycleInterruptedKind));
  ASSERT_TRUE(q.Step());
  EXPECT_EQ(q.Int(0), At(1, 2, 0));
  EXPECT_EQ(q.Text(1), "") << "it stored no reading: no file is named";
  EXPECT_FALSE(q.Step());
}

}  // namespace
}  // namespace vigil::crashtest
