// The link trace under a flood of replies and on a medium that refuses its writes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "LinkFixture.h"
#include "TempFolder.h"
#include "link/LinkTrace.h"
#include "platform/Files.h"

namespace vigil::link::test {
namespace {

std::vector<std::string> Lines(const std::filesystem::path& file) {
  std::vector<std::string> lines;
  const std::string text = platform::ReadFileBytes(file).value_or("");
  std::size_t from = 0;
  for (std::size_t end = text.find('\n'); end != std::string::npos; end = text.find('\n', from)) {
    lines.push_back(text.substr(from, end - from));
    from = end + 1;
  }
  EXPECT_EQ(from, text.size()) << "a torn last line in " << file;
  return lines;
}

class TraceTest : public LinkFixture {
 protected:
  ~TraceTest() override { platform::SetFileFaultHook({}); }
  vigil::test::TempFolder dir_;
};

struct FloodCase {
  std::uint64_t limitBytes;
  int replies;
  std::string reply;  ///< each reply is "#S<number>," and this
  const char* comment;
};

TEST_F(TraceTest, AFloodOfRepliesRotatesWithinTheLimitAndKeepsTheNewest) {
  const std::vector<FloodCase> cases = {
      {kMinTraceLimitBytes, 2000, "1.2345,99.87654\r\n", "many rotations of the smallest trace"},
      {kMinTraceLimitBytes, 40, std::string(3000, '\x01'), "messages cut at 1000 bytes, <01> each"},
      {kDefaultTraceLimitBytes, 15000, "123.45678,98.76543,12.3456,0.0000,0.0000\r\n", "the default limit"},
  };
  ConnectOrFail();
  for (const FloodCase& c : cases) {
    SCOPED_TRACE(c.comment);
    const std::filesystem::path folder = dir_.path() / c.comment;
    LinkTrace trace(loop_, folder, c.limitBytes);
    Link().SetObserver(&trace);
    std::vector<ScriptedReply> flood;
    for (int i = 0; i < c.replies; ++i) {
      flood.push_back({static_cast<std::uint64_t>(i + 1), "#S" + std::to_string(i) + "," + c.reply});
    }
    Peer().Answer("#SFLOOD\r\n", flood);
    Link().SendAndWaitAck("FLOOD\r\n", c.replies / 1000 + 2);
    Link().SetObserver(nullptr);

    EXPECT_LE(platform::FileSize(trace.FilePath()).value_or(0), c.limitBytes);
    EXPECT_LE(platform::FileSize(trace.OldFilePath()).value_or(0), c.limitBytes);
    EXPECT_TRUE(platform::FileExists(trace.OldFilePath())) << "never rotated";
    EXPECT_TRUE(trace.Writing());
    EXPECT_EQ(trace.DroppedEntries(), 0u);
    // What is kept is the newest part of the traffic, without a gap at the rotation.
    std::vector<std::string> kept = Lines(trace.OldFilePath());
    for (std::string& line : Lines(trace.FilePath())) kept.push_back(std::move(line));
    // The command itself is kept too when the flood fits in the two files.
    if (!kept.empty() && kept.front().substr(24) == "> #SFLOOD<CR><LF>") kept.erase(kept.begin());
    ASSERT_GE(kept.size(), 2u);
    const int newest = c.replies - 1;
    const int oldest = newest - static_cast<int>(kept.size()) + 1;
    for (std::size_t i = 0; i < kept.size(); ++i) {
      const std::string expected = "< #S" + std::to_string(oldest + static_cast<int>(i)) + ",";
      EXPECT_EQ(kept[i].substr(24, expected.size()), expected) << kept[i];
    }
  }
}

struct RefusalCase {
  int appendsAllowed;
  const char* comment;
};

TEST_F(TraceTest, ARefusedWriteStopsTheTraceAndLeavesTheLinkAsItWas) {
  const std::vector<RefusalCase> cases = {
      {0, "the medium full from the start"},
      {3, "full after three entries"},
  };
  // The four set-up commands of Connect and their four answers.
  constexpr int kMessages = 8;
  for (const RefusalCase& c : cases) {
    SCOPED_TRACE(c.comment);
    link_.reset();
    peer_.reset();
    const std::filesystem::path folder = dir_.path() / c.comment;
    int appends = 0;
    platform::SetFileFaultHook([&](platform::FileOp op, const std::filesystem::path& path) {
      if (op != platform::FileOp::Append || path.parent_path() != folder)
        return platform::FaultAction::Proceed;
      return ++appends > c.appendsAllowed ? platform::FaultAction::Fail : platform::FaultAction::Proceed;
    });
    LinkTrace trace(loop_, folder);
    Link().SetObserver(&trace);
    const std::uint64_t startMs = NowMs();
    ScriptConnect();
    EXPECT_TRUE(Link().Connect());
    EXPECT_EQ(Link().LastReply(), AckedEcho(kToBasicEcho));
    EXPECT_EQ(NowMs() - startMs, 4 * kPollMs) << "each step answered within its first poll";
    EXPECT_EQ(Peer().Received().size(), 4u);
    EXPECT_FALSE(trace.Writing());
    EXPECT_EQ(trace.DroppedEntries(), static_cast<std::uint64_t>(kMessages - c.appendsAllowed));
    EXPECT_EQ(Lines(trace.FilePath()).size(), static_cast<std::size_t>(c.appendsAllowed));
    platform::SetFileFaultHook({});
    Link().SetObserver(nullptr);
  }
}

}  // namespace
}  // namespace vigil::link::test
