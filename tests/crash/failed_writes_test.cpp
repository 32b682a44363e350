// Writes refused as a full or broken medium refuses them: once at each operation, and for
// ever from some point on. The operator must be told, nothing may be reported as stored that
// was not, and nothing stored before may change.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <string>

#include "ReferenceRun.h"
#include "TempFolder.h"

namespace vigil::crashtest {
namespace {

namespace fs = std::filesystem;
using platform::FaultAction;
using platform::FileOp;

constexpr const char* kSheetNotSaved =
    "The project-station could not be saved.\r\nThe settings file could not be written.";
constexpr const char* kStationNotSaved = "The station could not be saved to the project-station file.";
constexpr const char* kTrainingNotSaved =
    "The training file could not be written. The last change is not stored.";
constexpr const char* kRecomputedNotSaved =
    "The recomputed training observations could not be saved to the training file.";
constexpr const char* kOneNotWritten = "Data file could not be written! Readings not stored: 1";

bool Shown(const ScenarioOutcome& o, const std::string& text) {
  return std::find(o.messages.begin(), o.messages.end(), text) != o.messages.end();
}

// One run in which the hook refuses the operations `refuse` picks (1-based counts); the
// stored files just before the first refusal and just after it are kept.
struct FailingRun {
  ScenarioOutcome outcome;
  FolderState beforeFirstRefusal;
  FolderState afterFirstRefusal;  // with temporaries: a refused write must leave none
  FolderState after;
};

FailingRun RunRefusing(const fs::path& home, const std::function<bool(std::size_t)>& refuse) {
  FailingRun run;
  std::size_t count = 0;
  bool inHook = false;
  bool refused = false;
  bool afterTaken = false;
  platform::SetFileFaultHook([&](FileOp, const fs::path&) {
    if (inHook) return FaultAction::Proceed;
    inHook = true;
    if (refused && !afterTaken) {
      run.afterFirstRefusal = ReadFolderState(home);
      afterTaken = true;
    }
    const bool refuseThis = refuse(++count);
    if (refuseThis && !refused) {
      run.beforeFirstRefusal = WithoutTemporaries(ReadFolderState(home));
      refused = true;
    }
    inHook = false;
    return refuseThis ? FaultAction::Fail : FaultAction::Proceed;
  });
  ScenarioOptions options;
  options.tolerateWriteFailures = true;
  run.outcome = RunStationScenario(home, options);
  platform::SetFileFaultHook({});
  run.after = ReadFolderState(home);
  if (refused && !afterTaken) run.afterFirstRefusal = run.after;
  return run;
}

class FailedWrites : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    vigil::test::TempFolder home;
    reference_ = new ReferenceRun(RecordReferenceRun(home.path()));
  }
  static void TearDownTestSuite() {
    delete reference_;
    reference_ = nullptr;
  }
  static const ReferenceRun& Reference() { return *reference_; }
  static ReferenceRun* reference_;
};
ReferenceRun* FailedWrites::reference_ = nullptr;

// What the operator must have been shown when operation `op` was refused.
std::string ToldOrWhyNot(const RecordedOperation& op, const ScenarioOutcome& o) {
  const StoredKind kind = TargetKindOf(op.relative);
  const bool replacing = op.op == FileOp::Write || op.op == FileOp::Rename;
  if (replacing && kind == StoredKind::Settings) {
    if (Shown(o, kSheetNotSaved) && o.sheetStayedOpen) return {};
    if (Shown(o, kStationNotSaved)) return {};
    return "no message that the settings were not saved";
  }
  if (replacing && kind == StoredKind::Training) {
    if (Shown(o, kTrainingNotSaved) || Shown(o, kRecomputedNotSaved)) return {};
    return "no message that the training file was not written";
  }
  if (op.op == FileOp::Append) {
    if (o.unwrittenReadings != 1 || o.notWrittenLabel != kOneNotWritten) return "label: " + o.notWrittenLabel;
    if (o.readingRows != std::vector<int>{2, 2}) return "a reading left the list";
  }
  return {};
}

TEST_F(FailedWrites, OneRefusedOperationIsToldAndChangesNoStoredFile) {
  const auto& ops = Reference().operations;
  ASSERT_FALSE(ops.empty());
  int failing = 0;
  for (std::size_t n = 1; n <= ops.size() && failing < 5; ++n) {
    const RecordedOperation& op = ops[n - 1];
    vigil::test::TempFolder home;
    const FailingRun run = RunRefusing(home.path(), [n](std::size_t k) { return k == n; });
    bool ok = true;
    auto expect = [&](bool condition, const std::string& what) {
      if (condition) return;
      ok = false;
      ADD_FAILURE() << "refused operation " << n << " (" << Describe(op) << "): " << what;
    };
    expect(run.beforeFirstRefusal == op.before, "the run is not repeatable");
    expect(run.afterFirstRefusal == run.beforeFirstRefusal, "the refused operation changed stored files");
    const std::string told = ToldOrWhyNot(op, run.outcome);
    expect(told.empty(), told);
    for (const auto& [name, bytes] : run.after) {
      expect(KindOf(name) != StoredKind::Temporary, name + " left behind");
      const std::string problem = CheckStoredFile(name, bytes, KindOf(name), false);
      expect(problem.empty(), name + " does not read: " + problem);
    }
    failing += ok ? 0 : 1;
  }
}

TEST_F(FailedWrites, AMediumThatStopsTakingWritesKeepsEverythingStoredBefore) {
  const auto& ops = Reference().operations;
  // The count of the `n`-th operation `op` on a file of `kind` (0: none).
  auto nth = [&](FileOp op, StoredKind kind, int n) -> std::size_t {
    for (std::size_t i = 0; i < ops.size(); ++i) {
      if (ops[i].op == op && TargetKindOf(ops[i].relative) == kind && --n == 0) return i + 1;
    }
    return 0;
  };
  struct Case {
    const char* comment;
    std::size_t from;
    const char* message;  // shown first; empty: the label of unwritten readings
  } const cases[] = {
      {"from the sheet's save on", nth(FileOp::Write, StoredKind::Settings, 1), kSheetNotSaved},
      {"from the first trained point on", nth(FileOp::Write, StoredKind::Training, 1), kTrainingNotSaved},
      {"from the resection's station on", nth(FileOp::Write, StoredKind::Settings, 2), kStationNotSaved},
      {"from the first cycle line on", nth(FileOp::Append, StoredKind::Cycle, 1), ""},
      {"from the second cycle's first line on", nth(FileOp::Append, StoredKind::Cycle, 3), ""},
  };
  for (const Case& c : cases) {
    ASSERT_GT(c.from, 0u) << c.comment;
    vigil::test::TempFolder home;
    const std::size_t from = c.from;
    const FailingRun run = RunRefusing(home.path(), [from](std::size_t k) { return k >= from; });
    EXPECT_EQ(run.after, ops[from - 1].before) << c.comment << ": stored files changed or temporaries left";
    if (*c.message) {
      ASSERT_FALSE(run.outcome.messages.empty()) << c.comment;
      EXPECT_TRUE(Shown(run.outcome, c.message)) << c.comment;
    } else {
      EXPECT_GT(run.outcome.unwrittenReadings, 0) << c.comment;
      EXPECT_NE(run.outcome.notWrittenLabel, "") << c.comment;
      EXPECT_EQ(run.outcome.readingRows, (std::vector<int>{2, 2}))
          << c.comment << ": the list keeps every reading";
    }
  }
}

// Write permission taken away from the program's folders. Root writes regardless.
TEST_F(FailedWrites, FoldersWithoutWritePermissionStoreNothingAndSaySo) {
  if (::geteuid() == 0) GTEST_SKIP() << "running as root: permissions do not stop writes";
  vigil::test::TempFolder home;
  for (const char* folder : {"Station", "Training", "Data"}) {
    fs::create_directories(home.path() / folder);
    ::chmod((home.path() / folder).c_str(), 0555);
  }
  ScenarioOptions options;
  options.tolerateWriteFailures = true;
  const ScenarioOutcome outcome = RunStationScenario(home.path(), options);
  for (const char* folder : {"Station", "Training", "Data"}) ::chmod((home.path() / folder).c_str(), 0755);
  EXPECT_TRUE(Shown(outcome, kSheetNotSaved));
  EXPECT_TRUE(outcome.sheetStayedOpen);
  EXPECT_TRUE(WithoutTemporaries(ReadFolderState(home.path())).empty());
}

}  // namespace
}  // namespace vigil::crashtest
