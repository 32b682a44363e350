// A real medium that is full or read-only: a small in-memory file system mounted in a mount
// namespace of a child process. Where the machine does not allow one the tests are skipped.
#include <gtest/gtest.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fcntl.h>

#include <functional>
#include <string>

#include "ReferenceRun.h"
#include "TempFolder.h"
#include "platform/Files.h"

namespace vigil::crashtest {
namespace {

namespace fs = std::filesystem;

constexpr int kNoMedium = 77;

bool WriteText(const std::string& path, const std::string& text) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool ok = ::write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
  ::close(fd);
  return ok;
}

// A private mount namespace (as root, or through a user namespace) with a tmpfs of `size`
// on `where`.
bool MountSmallMedium(const fs::path& where, const char* size) {
  if (::geteuid() == 0) {
    if (::unshare(CLONE_NEWNS) != 0) return false;
  } else {
    const uid_t uid = ::getuid();
    const gid_t gid = ::getgid();
    if (::unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0) return false;
    WriteText("/proc/self/setgroups", "deny");
    if (!WriteText("/proc/self/uid_map", "0 " + std::to_string(uid) + " 1") ||
        !WriteText("/proc/self/gid_map", "0 " + std::to_string(gid) + " 1")) {
      return false;
    }
  }
  if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) return false;
  return ::mount("tmpfs", where.c_str(), "tmpfs", 0, (std::string("size=") + size).c_str()) == 0;
}

// Fills the medium to the last byte: smaller and smaller pieces until two bytes do not fit.
void FillMedium(const fs::path& where) {
  for (std::size_t chars : {32768u, 2048u, 128u, 1u}) {
    const std::string chunk(chars, 'x');
    for (int i = 0; i < 100000 && platform::AppendUtf16File(where / "filler.bin", chunk); ++i) {
    }
  }
}

// Runs `body` in a child on a fresh small medium; its failures come back through a pipe.
void OnSmallMedium(const char* size, const std::function<void(const fs::path&, std::string&)>& body) {
  vigil::test::TempFolder home;
  int pipeFds[2];
  ASSERT_EQ(::pipe(pipeFds), 0);
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::close(pipeFds[0]);
    if (!MountSmallMedium(home.path(), size)) std::_Exit(kNoMedium);
    std::string failures;
    body(home.path(), failures);
    if (::write(pipeFds[1], failures.data(), failures.size()) < 0) std::_Exit(2);
    std::_Exit(failures.empty() ? 0 : 1);
  }
  ::close(pipeFds[1]);
  std::string failures;
  char buffer[4096];
  for (ssize_t n; (n = ::read(pipeFds[0], buffer, sizeof buffer)) > 0;) failures.append(buffer, n);
  ::close(pipeFds[0]);
  int status = 0;
  ASSERT_EQ(::waitpid(pid, &status, 0), pid);
  ASSERT_TRUE(WIFEXITED(status));
  if (WEXITSTATUS(status) == kNoMedium) GTEST_SKIP() << "no small file system can be mounted here";
  EXPECT_EQ(failures, "");
  EXPECT_EQ(WEXITSTATUS(status), 0);
}

void Expect(std::string& failures, bool condition, const std::string& what) {
  if (!condition) failures += what + "\n";
}

// The medium fills up just before monitoring: every reading stays in the list, the operator
// sees how many were not stored, and the files stored before are untouched.
TEST(SmallMedium, AFullMediumKeepsTheReadingsOnScreenAndTheStoredFilesWhole) {
  OnSmallMedium("256k", [](const fs::path& home, std::string& failures) {
    FolderState before;
    ScenarioOptions options;
    options.tolerateWriteFailures = true;
    options.beforeMonitoring = [&] {
      FillMedium(home);
      before = ReadFolderState(home);
    };
    const ScenarioOutcome outcome = RunStationScenario(home, options);
    Expect(failures, outcome.unwrittenReadings == 4,
           "unwritten " + std::to_string(outcome.unwrittenReadings));
    Expect(failures, outcome.notWrittenLabel == "Data file could not be written! Readings not stored: 4",
           "label " + outcome.notWrittenLabel);
    Expect(failures, outcome.readingRows == std::vector<int>{2, 2}, "readings left the list");
    const FolderState after = ReadFolderState(home);
    Expect(failures, WithoutTemporaries(after) == WithoutTemporaries(before), "stored files changed");
    for (const auto& [name, bytes] : after) {
      const std::string problem = CheckStoredFile(name, bytes, KindOf(name), false);
      Expect(failures, problem.empty(), name + ": " + problem);
    }
  });
}

// An append that runs out of space half-way must not leave the half: the next line would be
// joined to it.
TEST(SmallMedium, AnAppendThatDoesNotFitLeavesTheFileAsItWas) {
  OnSmallMedium("64k", [](const fs::path& home, std::string& failures) {
    const fs::path file = home / "lines.vgl";
    const std::string line(99, 'a');  // with CR LF 202 bytes in UTF-16
    int lines = 0;
    while (lines < 20 && platform::AppendUtf16File(file, line + "\r\n")) ++lines;  // 4040 bytes: one page
    FillMedium(home);
    const auto size = platform::FileSize(file);
    Expect(failures, !platform::AppendUtf16File(file, line + "\r\n"), "a line past a full page was written");
    Expect(failures, platform::FileSize(file) == size, "a part of the line stayed in the file");
  });
}

// A medium made read-only under the running program (root cannot write there either).
TEST(SmallMedium, AReadOnlyMediumStoresNothingAndTellsTheOperator) {
  OnSmallMedium("1m", [](const fs::path& home, std::string& failures) {
    FolderState before;
    ScenarioOptions options;
    options.tolerateWriteFailures = true;
    options.beforeMonitoring = [&] {
      before = ReadFolderState(home);
      if (::mount(nullptr, home.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) != 0)
        failures += "remount read-only failed\n";
    };
    const ScenarioOutcome outcome = RunStationScenario(home, options);
    Expect(failures, outcome.unwrittenReadings == 4,
           "unwritten " + std::to_string(outcome.unwrittenReadings));
    Expect(failures, outcome.readingRows == std::vector<int>{2, 2}, "readings left the list");
    Expect(failures, ReadFolderState(home) == before, "stored files changed");
  });
}

}  // namespace
}  // namespace vigil::crashtest
