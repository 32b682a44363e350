#include "platform/LeftoverTemporaries.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <optional>

#include "TempFolder.h"
#include "platform/Files.h"

namespace vigil::platform {
namespace {

// UTF-16LE of ASCII text.
std::string Wide(std::string_view text) {
  std::string bytes;
  for (char c : text) bytes += {c, '\0'};
  return bytes;
}

const std::string kDead = ".tmp99999999-3";  // no process has that number

TEST(LeftoverTemporariesTest, ReadingsInATemporaryAreNeverDroppedUnlessStoredElsewhere) {
  const std::string head = Wide("Epoch\tPoint\r\n");
  const std::string reading = head + Wide("4\tM1\r\n");
  struct Case {
    const char* comment;
    std::string temporary;            // its name
    std::string lines;                // what it holds
    std::optional<std::string> file;  // the target's bytes before, if any
    bool appended;
    std::optional<std::string> fileAfter;
    std::optional<std::string> keptAs;  // the temporary's lines under this name
    LeftoverReport report;
  } const cases[] = {
      {"a new cycle file stopped before it was put in place",
       "C_Cycle_2.vgl" + kDead,
       reading,
       std::nullopt,
       true,
       reading,
       std::nullopt,
       {0, {"C_Cycle_2.vgl"}, {}}},
      {"a file of that name was made since",
       "C_Cycle_2.vgl" + kDead,
       reading,
       head + Wide("4\tM3\r\n"),
       true,
       head + Wide("4\tM3\r\n"),
       "C_Cycle_2.vgl.recovered99999999-3",
       {0, {}, {"C_Cycle_2.vgl.recovered99999999-3"}}},
      {"a cut line is not made a cycle file",
       "C_Cycle_2.vgl" + kDead,
       reading.substr(0, 20),
       std::nullopt,
       true,
       std::nullopt,
       "C_Cycle_2.vgl.recovered99999999-3",
       {0, {}, {"C_Cycle_2.vgl.recovered99999999-3"}}},
      {"put in place, stopped before the second name went",
       "C_Cycle_2.vgl" + kDead,
       reading,
       reading + Wide("4\tM2\r\n"),
       true,
       reading + Wide("4\tM2\r\n"),
       std::nullopt,
       {1, {}, {}}},
      {"a settings file's replacement that was never taken",
       "P_S.txt" + kDead,
       Wide("project=Q\r\n"),
       Wide("project=P\r\n"),
       false,
       Wide("project=P\r\n"),
       std::nullopt,
       {1, {}, {}}},
      {"a running process's temporary",
       "C_Cycle_2.vgl.tmp" + std::to_string(::getppid()) + "-0",
       reading,
       std::nullopt,
       true,
       std::nullopt,
       std::nullopt,
       {0, {}, {}}},
  };
  for (const Case& c : cases) {
    test::TempFolder dir;
    const std::string target = c.temporary.substr(0, c.temporary.rfind(".tmp"));
    ASSERT_TRUE(WriteFileBytesAtomic(dir.path() / c.temporary, c.lines));
    if (c.file) {
      ASSERT_TRUE(WriteFileBytesAtomic(dir.path() / target, *c.file));
    }
    LeftoverReport report;
    ClearLeftoverTemporaries(dir.path(), c.appended, report);
    EXPECT_EQ(report, c.report) << c.comment;
    EXPECT_EQ(ReadFileBytes(dir.path() / target), c.fileAfter) << c.comment;
    if (c.keptAs) {
      EXPECT_EQ(ReadFileBytes(dir.path() / *c.keptAs), c.lines) << c.comment;
    }
    const bool running = c.report == LeftoverReport{} && !c.file;
    EXPECT_EQ(FileExists(dir.path() / c.temporary), running) << c.comment;
  }
}

}  // namespace
}  // namespace vigil::platform
