// The program stopped dead at each of its file operations in turn, as a power cut would stop
// it. Afterwards every stored file must read whole and hold exactly what it held before that
// operation, and nothing stored at any earlier moment may be missing.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <string>

#include "ReferenceRun.h"
#include "TempFolder.h"
#include "platform/Format.h"

namespace vigil::crashtest {
namespace {

namespace fs = std::filesystem;
using platform::FaultAction;
using platform::FileOp;

constexpr int kCrashExitCode = 86;

// Runs the scenario in a child process that stops at operation `n` (1-based); returns the
// child's exit code, or -1 when it did not exit (a signal).
int RunCrashingAt(const fs::path& home, std::size_t n) {
  const pid_t pid = ::fork();
  if (pid == 0) {
    std::size_t count = 0;
    platform::SetFileFaultHook([&count, n](FileOp, const fs::path&) {
      return ++count == n ? FaultAction::Crash : FaultAction::Proceed;
    });
    RunStationScenario(home);
    std::_Exit(0);
  }
  int status = 0;
  if (pid < 0 || ::waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}

class CrashPoints : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    vigil::test::TempFolder home;
    reference_ = new ReferenceRun(RecordReferenceRun(home.path()));
  }
  static void TearDownTestSuite() {
    delete reference_;
    reference_ = nullptr;
  }
  static ReferenceRun* reference_;
};
ReferenceRun* CrashPoints::reference_ = nullptr;

TEST_F(CrashPoints, TheScenarioWritesEveryKindOfStoredFile) {
  const ReferenceRun& run = *reference_;
  ASSERT_TRUE(run.outcome.scriptCompleted) << (run.outcome.failures.empty() ? "" : run.outcome.failures[0]);
  EXPECT_EQ(run.outcome.readingRows, (std::vector<int>{2, 2}));
  struct Case {
    FileOp op;
    StoredKind kind;
    int atLeast;
    const char* comment;
  } const cases[] = {
      {FileOp::Rename, StoredKind::Settings, 2, "the sheet's save and the resection's station"},
      {FileOp::Rename, StoredKind::Training, 3, "two points added and the resection's rewrite"},
      {FileOp::Append, StoredKind::Cycle, 4, "two cycles of two readings"},
      {FileOp::Read, StoredKind::Settings, 1, "a settings file kept line by line"},
  };
  for (const Case& c : cases) {
    const auto n = std::count_if(
        run.operations.begin(), run.operations.end(),
        [&](const RecordedOperation& o) { return o.op == c.op && KindOf(o.relative) == c.kind; });
    EXPECT_GE(n, c.atLeast) << c.comment;
  }
  int files = 0;
  for (const auto& [name, bytes] : run.after) {
    EXPECT_NE(KindOf(name), StoredKind::Temporary) << name;
    EXPECT_EQ(CheckStoredFile(name, bytes, KindOf(name), false), "") << name;
    files += KindOf(name) != StoredKind::Other;
  }
  EXPECT_EQ(files, 4) << "settings, training and one file per cycle";
}

TEST_F(CrashPoints, AStopAtAnyOperationLeavesExactlyTheFilesStoredBeforeIt) {
  const ReferenceRun& run = *reference_;
  ASSERT_FALSE(run.operations.empty());
  std::fputs(platform::Format("crash points: %d file operations\n", {static_cast<int>(run.operations.size())})
                 .c_str(),
             stdout);
  int failing = 0;
  for (std::size_t n = 1; n <= run.operations.size() && failing < 5; ++n) {
    const RecordedOperation& op = run.operations[n - 1];
    vigil::test::TempFolder home;
    const int code = RunCrashingAt(home.path(), n);
    const FolderState state = ReadFolderState(home.path());
    const FolderState stored = WithoutTemporaries(state);
    bool ok = true;
    auto expect = [&](bool condition, const std::string& what) {
      if (condition) return;
      ok = false;
      ADD_FAILURE() << "stopped at operation " << n << " (" << Describe(op) << "): " << what;
    };
    expect(code == kCrashExitCode, "exit code " + std::to_string(code) + ", the run is not repeatable");
    for (const auto& [name, bytes] : stored) {
      const std::string problem = CheckStoredFile(name, bytes, KindOf(name), false);
      expect(problem.empty(), name + " does not read: " + problem);
    }
    for (const auto& [name, bytes] : op.before) {
      const auto found = stored.find(name);
      expect(found != stored.end(), name + " lost");
      if (found != stored.end()) expect(found->second == bytes, name + " differs from what was stored");
    }
    for (const auto& [name, bytes] : stored) expect(op.before.count(name) == 1, name + " appeared");
    // The comparison above holds for any order of operations; this one says the order is
    // safe: whatever was stored at any earlier moment is still there, whole.
    for (std::size_t k = 1; k < n; ++k) {
      const Comparison kept = CompareStates(run.operations[k - 1].before, stored);
      expect(kept.problems.empty(), "stored before operation " + std::to_string(k) + ", then " +
                                        (kept.problems.empty() ? std::string() : kept.problems[0]));
      if (!kept.problems.empty()) break;
    }
    // Only a replacement stopped between writing its temporary file and renaming it leaves one.
    const bool temporaryLeft = state.size() != stored.size();
    expect(temporaryLeft == (op.op == FileOp::Rename), "left-over temporary file");
    failing += ok ? 0 : 1;
  }
}

}  // namespace
}  // namespace vigil::crashtest
