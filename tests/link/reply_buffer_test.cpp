// Receiving reply text and taking it apart into lines.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "link/ControlChars.h"
#include "link/ParseResult.h"
#include "link/ReplyBuffer.h"

namespace vigil::link {
namespace {

struct AppendCase {
  const char* name;
  std::vector<std::string> messages;
  int expectedCount;
};

TEST(ReplyBufferAppend, KeepsAtMost999CharactersAndStopsAtNul) {
  const std::vector<AppendCase> cases = {
      {"messages are joined", {"#ST", "s "}, 5},
      {"a NUL ends the message", {std::string("ab\0cd", 5)}, 2},
      {"a message of 1000 bytes gives its first 999", {std::string(1000, 'a')}, 999},
      {"a message of 5000 bytes", {std::string(5000, 'a')}, 999},
      {"the rest of a message beyond 999 is dropped", {std::string(998, 'a'), "bcd"}, 999},
      {"a full buffer takes nothing more", {std::string(999, 'a'), "b"}, 999},
      {"an empty message", {""}, 0},
  };
  for (const AppendCase& c : cases) {
    SCOPED_TRACE(c.name);
    ReplyBuffer buffer;
    for (const std::string& m : c.messages) buffer.Append(m);
    EXPECT_EQ(buffer.Count(), c.expectedCount);
  }
  ReplyBuffer buffer;
  buffer.Append(std::string(998, 'a'));
  buffer.Append("bcd");
  EXPECT_EQ(buffer.Text().back(), 'b');
}

struct TakeCase {
  const char* name;
  std::string text;
  int expected;
  std::string line;
  std::string rest;
  bool ackPassed;
};

TEST(ReplyBufferTake, OneLinePerCall) {
  const std::string ack(1, kAck);
  const std::string nak(1, kNak);
  const std::string line133 = std::string(133, 'x') + "\r\n";  // 135 with CR LF: the largest
  const std::string line134 = std::string(134, 'x') + "\r\n";
  const std::vector<TakeCase> cases = {
      {"no line yet", "#SEe,0", kNoLine, "", "#SEe,0", false},
      {"CR without LF is no line end", "#SC 1\r", kNoLine, "", "#SC 1\r", false},
      {"first of two lines", "#SA 1\r\n#SB 2\r\n", kParsed, "#SA 1\r\n", "#SB 2\r\n", false},
      {"a lone CR stays in the line", "#SC\r1\r\n", kParsed, "#SC\r1\r\n", "", false},
      {"NAK before the line end clears", "#SE" + nak + "e\r\n#SA\r\n", kNakReceived, "", "", false},
      {"NAK behind the line end waits for the next call", "#SA\r\n" + nak, kParsed, "#SA\r\n", nak, false},
      {"ACK is not part of the line", ack + "#S*DHOK\r\n", kParsed, "#S*DHOK\r\n", "", true},
      {"ACK inside the line", "#S*DH" + ack + "OK\r\n", kParsed, "#S*DHOK\r\n", "", true},
      {"ACK without a line stays", "#S*DH" + ack, kNoLine, "", "#S*DH" + ack, true},
      {"longest line that fits", line133, kParsed, line133, "", false},
      // Once written past the end of the line buffer; now an unexpected line.
      {"one character too long", line134 + "#SA\r\n", kUnexpectedLine, "", "", false},
      {"a too long line with ACKs counts without them", ack + line133 + ack, kParsed, line133, ack, true},
  };
  for (const TakeCase& c : cases) {
    SCOPED_TRACE(c.name);
    ReplyBuffer buffer;
    buffer.Append(c.text);
    std::string line = "previous";
    bool ackPassed = false;
    EXPECT_EQ(buffer.TakeReplyLine(line, &ackPassed), c.expected);
    EXPECT_EQ(line, c.line);
    EXPECT_EQ(buffer.Text(), c.rest);
    EXPECT_EQ(ackPassed, c.ackPassed);
  }
}

TEST(ReplyBufferTake, TwoLinesOfOneMessageAreTakenOnePerCall) {
  ReplyBuffer buffer;
  buffer.Append("#S*ST2,0,1.0,2.0,3.0\r\n#S*ST2,0,4.0,5.0,6.0\r\n");
  std::string line;
  ASSERT_EQ(buffer.TakeReplyLine(line), kParsed);
  EXPECT_EQ(line, "#S*ST2,0,1.0,2.0,3.0\r\n");
  ASSERT_EQ(buffer.TakeReplyLine(line), kParsed);
  EXPECT_EQ(line, "#S*ST2,0,4.0,5.0,6.0\r\n");
  EXPECT_EQ(buffer.TakeReplyLine(line), kNoLine);
  EXPECT_EQ(buffer.Count(), 0);
}

TEST(ReplyBufferTake, ALineSplitAcrossMessagesAppearsWithItsLineEnd) {
  ReplyBuffer buffer;
  std::string line;
  for (const char* part : {"#S*ST2,0,", "1.0,2.0,3.0\r"}) {
    buffer.Append(part);
    EXPECT_EQ(buffer.TakeReplyLine(line), kNoLine);
  }
  buffer.Append("\n");
  EXPECT_EQ(buffer.TakeReplyLine(line), kParsed);
  EXPECT_EQ(line, "#S*ST2,0,1.0,2.0,3.0\r\n");
}

TEST(ReplyBufferTake, ClearForgetsTheText) {
  ReplyBuffer buffer;
  buffer.Append("#SA 1\r\n");
  buffer.Clear();
  std::string line;
  EXPECT_EQ(buffer.TakeReplyLine(line), kNoLine);
  buffer.Append("#SB\r\n");
  EXPECT_EQ(buffer.TakeReplyLine(line), kParsed);
  EXPECT_EQ(line, "#SB\r\n");
}

}  // namespace
}  // namespace vigil::link
