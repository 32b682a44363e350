// A monitoring cycle with one kind of fault injected, then a clean cycle: every row of the
// faulty cycle is in its file as measured or as failed, nothing is recorded that the
// instrument did not measure at that point, the operator is told, and the next cycle
// measures every prism.
#include <gtest/gtest.h>

#include <algorithm>

#include "FaultWorld.h"
#include "monitoring/CycleColumns.h"
#include "monitoring/MonitoringDialog.h"
#include "platform/Files.h"
#include "platform/Format.h"
#include "platform/Text.h"

namespace vigil::faults::test {
namespace {

using MD = monitoring::MonitoringDialog;
using namespace monitoring;  // the cycle columns

constexpr const char* kStartQuestion = "Start monitoring now?";
constexpr const char* kCompleted = "Monitoring cycle completed.";
const std::vector<std::string> kAllPoints{"R1", "R2", "M1", "M2", "M3"};
constexpr std::size_t kRowsPerCycle = 10;  // five points, face 1 then face 2, one reading each
// Every reading timing out after the 70 s of a turn, and retried once.
constexpr std::uint64_t kLongestCycleMs = 2 * kRowsPerCycle * 90000;

class MonitoringFaults : public FaultWorld {
 protected:
  MonitoringFaults() {
    Connect();
    Settings().repeat = 1;
    Settings().retry = 1;
    Settings().mode = 2;  // single: no schedule starting cycles of its own
    WriteTraining(kAllPoints);
  }

  std::vector<std::string> DataFiles() {
    auto files = platform::FindFiles(Context().Layout().DataFolder(), "*.vgl");
    std::sort(files.begin(), files.end());
    return files;
  }
  std::vector<std::vector<std::string>> FileRows(const std::string& name) {
    const std::string text = platform::ReadUtf16File(Context().Layout().DataFolder() / name).value_or("");
    const auto lines = platform::Split(text, "\r\n");
    std::vector<std::vector<std::string>> rows;
    for (std::size_t i = 1; i + 1 < lines.size(); ++i) rows.push_back(platform::Split(lines[i], "\t"));
    return rows;
  }

  /// Start pressed and confirmed, the completion message, the end.
  ScriptedHost& ScriptCycle(MD& d) {
    return host_.Press(MD::kButton1Id)
        .AnswerMessageBox(kStartQuestion, platform::kIdYes)
        .WaitUntil(
            "cycle ended", [&d] { return !d.Running(); }, kLongestCycleMs)
        .AnswerMessageBox(kCompleted);
  }

  /// Checks the rows of one cycle file; returns the number of failed rows.
  int CheckCycleFile(const std::string& file) {
    const auto rows = FileRows(file);
    EXPECT_EQ(rows.size(), kRowsPerCycle) << file << ": a line for every row";
    int failed = 0;
    for (std::size_t r = 0; r < rows.size(); ++r) {
      const auto& f = rows[r];
      SCOPED_TRACE(file + " row " + std::to_string(r));
      if (f.size() != kCycleColumnCount) {
        ADD_FAILURE() << "fields: " << f.size();
        continue;
      }
      const std::string& name = f[kCyclePoint];
      EXPECT_FALSE(f[kCycleDate].empty()) << "every row has its date";
      survey::Observation expected = TrueObservation(name);
      if (f[kCycleFace] == "2") expected = survey::OtherFace(expected);
      if (f[kCycleEasting].empty()) {
        ++failed;
        for (std::size_t c = kCycleSd + 1; c < kCycleColumnCount; ++c)
          EXPECT_EQ(f[c], "") << "a failed row has no measured column " << c;
        EXPECT_NEAR(platform::ParseDoubleOr(f[kCycleHa], -1), expected.haGon, kAngleToleranceGon)
            << "a failed row keeps its expected Ha";
        continue;
      }
      const double ha = platform::ParseDoubleOr(f[kCycleHa], -1);
      const double va = platform::ParseDoubleOr(f[kCycleVa], -1);
      const double sd = platform::ParseDoubleOr(f[kCycleSd], -1);
      EXPECT_EQ(PrismObserved(ha, va, sd), name)
          << "Ha " << f[kCycleHa] << " Va " << f[kCycleVa] << " SD " << f[kCycleSd]
          << " are what the instrument saw of the point";
      EXPECT_NEAR(ha, expected.haGon, 0.01) << "in the face of the row";
      EXPECT_EQ(
          PrismAt(platform::ParseDoubleOr(f[kCycleEasting], 0), platform::ParseDoubleOr(f[kCycleNorthing], 0),
                  platform::ParseDoubleOr(f[kCycleRl], 0)),
          name)
          << "E " << f[kCycleEasting] << " N " << f[kCycleNorthing] << " RL " << f[kCycleRl];
    }
    return failed;
  }
};

/// One row of the matrix: the fault, its target, and what the operator must be told.
struct MonitoringCase {
  const char* name;
  Injection injection;
  std::vector<std::string> notices;  ///< message boxes and beeps about the fault, in order
  int failedRows;                    ///< rows of the faulty cycle recorded as failed
  const char* pointedAt = "";        ///< the prism the telescope points at before the cycle
  friend void PrintTo(const MonitoringCase& c, std::ostream* os) { *os << c.name; }
};

class MonitoringFaultMatrix : public MonitoringFaults,
                              public ::testing::WithParamInterface<Paced<MonitoringCase>> {};

TEST_P(MonitoringFaultMatrix, EveryRowIsRecordedTrueOrFailedAndTheNextCycleMeasuresAll) {
  const MonitoringCase& c = std::get<0>(GetParam());
  Settings().reply_driven = std::get<1>(GetParam());
  if (*c.pointedAt) PointAt(c.pointedAt);
  MD dialog(Window(), false);
  host_.Do("inject", [&] { Inject(c.injection); });
  ScriptCycle(dialog).Do("the fault struck during the cycle; off", [&] {
    EXPECT_TRUE(Struck(c.injection));
    SwitchOff();
  });
  host_.WaitUntil("the instrument is back", [&] { return sim_.Present(); });
  ScriptCycle(dialog);
  host_.EndAll();
  host_.Run(dialog);

  const auto files = DataFiles();
  ASSERT_EQ(files.size(), 2u);
  EXPECT_EQ(CheckCycleFile(files[0]), c.failedRows);
  EXPECT_EQ(CheckCycleFile(files[1]), 0) << "the clean cycle measures every prism";
  EXPECT_EQ(Notices(), c.notices);
  EXPECT_EQ(dialog.UnwrittenReadings(), 0);
}

const MonitoringCase kMonitoringCases[] = {
    {"NakTurn", {FaultKind::kNak, 1, "*DHA"}, {}, 0},
    {"NakSearch", {FaultKind::kNak, 2, "*SJ"}, {}, 1},  // refused, retried, refused: failed
    {"NakDistance", {FaultKind::kNak, 2, "*ST2"}, {kNakDuringDistance, kBeep, kNakDuringDistance, kBeep}, 1},
    {"NakAngles", {FaultKind::kNak, 2, "Ee"}, {}, 0},
    {"LostAck", {FaultKind::kLostAck, 4, ""}, {}, 0},
    {"Late", {FaultKind::kLate, 6, ""}, {}, 0},
    {"Split", {FaultKind::kSplit, 12, ""}, {}, 0},
    {"Doubled", {FaultKind::kDoubled, 3, ""}, {}, 0},
    {"Garbled", {FaultKind::kGarbled, 2, ""}, {kCommunicationError2, kBeep}, 0},
    {"Overlong", {FaultKind::kOverlong, 2, ""}, {kCommunicationError2, kBeep}, 0},
    {"SdErrorCode", {FaultKind::kSdErrorCode, 3, ""}, {}, 0},
    {"VaErrorCode", {FaultKind::kVaErrorCode, 3, ""}, {}, 0},
    {"HaErrorCode", {FaultKind::kHaErrorCode, 3, ""}, {}, 0},
    {"AngleStatus", {FaultKind::kAngleStatus, 2, ""}, {}, 0},
    {"WindowGoneAtTurn", {FaultKind::kWindowGone, 1, "*DHA"}, {}, 0},
    {"WindowGoneAtDistance", {FaultKind::kWindowGone, 1, "*ST2"}, {kFailedToStop}, 0},
    {"EndlessTurn", {FaultKind::kEndlessTurn, 1, ""}, {}, 0},
    // The turn to the first row never ends while the telescope looks at another prism.
    // It used to be recorded as a reading of the row's point with the other prism's values.
    {"EndlessTurnFromAnotherPrism", {FaultKind::kEndlessTurn, 1, ""}, {}, 0, "M2"},
    {"EndlessTurnFromAnotherPrismForGood", {FaultKind::kEndlessTurn, kForGood, ""}, {}, 10, "M2"},
    // Faults that stay until switched off: every row fails, the cycle still ends.
    {"NakAllForGood", {FaultKind::kNak, kForGood, ""}, {}, 10},
    {"GarbledForGood", {FaultKind::kGarbled, kForGood, ""}, Repeated({kCommunicationError2, kBeep}, 40), 10},
    {"SdErrorCodeForGood", {FaultKind::kSdErrorCode, kForGood, ""}, {}, 10},
    {"WindowGoneForGood", {FaultKind::kWindowGone, kForGood, ""}, Repeated({kFailedToStop}, 20), 10},
    {"EndlessTurnForGood", {FaultKind::kEndlessTurn, kForGood, ""}, {}, 10},
};

INSTANTIATE_TEST_SUITE_P(Cycle, MonitoringFaultMatrix, InBothPaces(kMonitoringCases),
                         PacedCaseName<::testing::TestParamInfo<Paced<MonitoringCase>>>);

}  // namespace
}  // namespace vigil::faults::test
