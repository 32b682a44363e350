// The link trace of a whole Enable, read against the instrument's own record of it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AppFixture.h"
#include "link/LinkTrace.h"
#include "platform/Files.h"

namespace vigil::ui::test {
namespace {

using LinkTraceEnableTest = AppWithSimFixture;

TEST_F(LinkTraceEnableTest, TheTraceOfAnEnableHoldsEveryCommandInTheOrderTheInstrumentGotThem) {
  link::LinkTrace trace(loop_, Context().Layout().TraceFolder());
  Context().Link().SetObserver(&trace);
  ScriptEnable().Press(ProjectSelectDialog::kCancelButtonId).WaitForDialog<MainWindow>().EndAll();
  host_.Run(Window());
  Context().Link().SetObserver(nullptr);

  std::vector<std::string> sent;
  int received = 0;
  const std::string text = platform::ReadFileBytes(trace.FilePath()).value_or("");
  std::size_t from = 0;
  for (std::size_t end = text.find('\n'); end != std::string::npos; end = text.find('\n', from)) {
    const std::string line = text.substr(from, end - from);
    from = end + 1;
    ASSERT_GT(line.size(), 26u) << line;
    if (line.substr(24, 2) == "> ") sent.push_back(line.substr(26));
    if (line.substr(24, 2) == "< ") ++received;
  }
  std::vector<std::string> expected;
  for (const std::string& command : CommandsFrom("#STc\r\n")) expected.push_back(link::TraceText(command));
  EXPECT_GT(expected.size(), 8u) << "the connect steps and the settings chain";
  EXPECT_EQ(sent, expected);
  // The opening close finds no link of an earlier run and gets no answer.
  EXPECT_EQ(received, static_cast<int>(expected.size()) - 1) << "every other command was answered";
  EXPECT_EQ(trace.DroppedEntries(), 0u);
}

}  // namespace
}  // namespace vigil::ui::test
