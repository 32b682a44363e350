#include <gtest/gtest.h>

#include <string>

#include "sim/Command.h"
#include "sim/CommandLog.h"

namespace vigil::sim {
namespace {

struct Case {
  std::string bytes;
  CommandKind kind;
  std::string echo;
  const char* comment;
};

TEST(CommandParser, ReadsEveryCommandOfTheDialect) {
  const Case cases[] = {
      {"#STc\r\n", CommandKind::kCloseLink, "Tc ", "the echo is padded with a blank"},
      {"#ST1 VNT8-Message communication\r\n", CommandKind::kAnnounceFirst, "T1 ", ""},
      {"#ST2 VNT8-Message communication\r\n", CommandKind::kAnnounceSecond, "T2 ", ""},
      {"#STs 0\r\n", CommandKind::kToBasic, "Ts ", ""},
      {"#STs 2\r\n", CommandKind::kToBasic, "Ts ", ""},
      {"#STl DLK VIGIL\r\n", CommandKind::kGreeting, "Tl ", "the greeting carries its own prefix"},
      {"#SEe\r\n", CommandKind::kReadAngles, "Ee ", ""},
      {"#S*ST2\r\n", CommandKind::kMeasureDistance, "*ST", ""},
      {"#S*ST0\r\n", CommandKind::kStopMeasuring, "*ST", ""},
      {"#S*DHA0000000VA1000000\r\n", CommandKind::kTurn, "*DH", ""},
      {"#S*SJ000000\r\n", CommandKind::kSearch, "*SJ", ""},
      {"#SXh\r\n", CommandKind::kHorizontalZero, "Xh ", ""},
      {"#SXa\r\n", CommandKind::kFineMode, "Xa ", ""},
      {"#S/Dc 123.4560\r\n\r\n", CommandKind::kSetHorizontal, "/Dc", "two CR LF pairs"},
      {"#S*GLON\r\n", CommandKind::kLightOn, "*GL", ""},
      {"#S*GLOFF\r\n", CommandKind::kLightOff, "*GL", ""},
      {"#SA\r\n", CommandKind::kReadBlockA, "A  ", ""},
      {"#SB\r\n", CommandKind::kReadBlockB, "B  ", ""},
      {"#S/B 1,2,3,0,1,0,7,8,9,10,11,12\r\n\r\n", CommandKind::kWriteBlockB, "/B ", ""},
      {"#S/B ,,,,,,,,,,,\r\n\r\n", CommandKind::kWriteBlockB, "/B ", "write-back of a block never read"},
      {"#SC\r\n", CommandKind::kReadReflector, "C  ", ""},
      {"#S/C 0\r\n\r\n", CommandKind::kWriteReflector, "/C ", ""},
      {"#S*PA\r\n", CommandKind::kReadMotor, "*PA", ""},
      {"#S*/PA 0,0,1.5000,1.5000\r\n\r\n", CommandKind::kWriteMotor, "*/P", ""},
      {"#S*ST6 10.0000,90.5,30.0000,110,,,,\r\n\r\n", CommandKind::kScan, "*ST", ""},
  };
  for (const Case& c : cases) {
    const Command parsed = ParseCommand(c.bytes);
    EXPECT_EQ(parsed.kind, c.kind) << c.bytes << c.comment;
    EXPECT_EQ(parsed.echo, c.echo) << c.bytes;
    EXPECT_EQ(ParseCommand(FormatCommand(parsed)), parsed) << c.bytes;
  }
}

TEST(CommandParser, ArgumentsAreReadExactly) {
  const Command turn = ParseCommand("#S*DHA3999999VA3000001\r\n");
  EXPECT_EQ(turn.haTenthMilligon, 3999999);
  EXPECT_EQ(turn.vaTenthMilligon, 3000001);
  const Command b = ParseCommand("#S/B a,,c,0,1,0,g,h,i,j,k,\r\n\r\n");
  ASSERT_EQ(b.fields.size(), 12u);
  EXPECT_EQ(b.fields[1], "");
  EXPECT_EQ(b.fields[6], "g");
  EXPECT_EQ(b.fields[11], "");
  const Command dc = ParseCommand("#S/Dc 400.0000\r\n\r\n");
  EXPECT_EQ(dc.kind, CommandKind::kInvalid) << "a circle reading of 400 gon does not exist";
  const Command scan = ParseCommand("#S*ST6 390.0000,80,10.0000,120,,,,\r\n\r\n");
  ASSERT_EQ(scan.values.size(), 4u);
  EXPECT_DOUBLE_EQ(scan.values[0], 390.0);
  EXPECT_DOUBLE_EQ(scan.values[3], 120.0);
  EXPECT_EQ(ParseCommand("#STl DLK VIGIL\r\n").title, "DLK VIGIL");
}

TEST(CommandParser, RefusesMalformedInput) {
  const Case cases[] = {
      {"", CommandKind::kInvalid, "   ", "empty message"},
      {"Ee\r\n", CommandKind::kInvalid, "   ", "no prefix"},
      {"#SEe", CommandKind::kInvalid, "Ee ", "no line end"},
      {"#SEe\r\nEe\r\n", CommandKind::kInvalid, "Ee ", "something after the command"},
      {"#SEE\r\n", CommandKind::kInvalid, "EE ", "unknown command"},
      {"#STs 1\r\n", CommandKind::kInvalid, "Ts ", "no such To Basic state"},
      {"#ST1 \r\n", CommandKind::kInvalid, "T1 ", "announce without a title"},
      {"#S*DHA000000VA1000000\r\n", CommandKind::kInvalid, "*DH", "six digits"},
      {"#S*DHA00000000VA1000000\r\n", CommandKind::kInvalid, "*DH", "eight digits"},
      {"#S*DHA4000000VA1000000\r\n", CommandKind::kInvalid, "*DH", "400 gon"},
      {"#S*DHA-000001VA1000000\r\n", CommandKind::kInvalid, "*DH", "sign"},
      {"#S/B 1,2,3\r\n\r\n", CommandKind::kInvalid, "/B ", "three fields of twelve"},
      {"#S/B 1,2,3,4,5,6,7,8,9,10,11,12,13\r\n\r\n", CommandKind::kInvalid, "/B ", "thirteen fields"},
      {"#S/C 0,1\r\n\r\n", CommandKind::kInvalid, "/C ", "two reflector values"},
      {"#S/C \x15\r\n\r\n", CommandKind::kInvalid, "/C ", "a NAK kept in a field would poison every read"},
      {"#S/Dc -1\r\n\r\n", CommandKind::kInvalid, "/Dc", "negative"},
      {"#S/Dc 1.2.3\r\n\r\n", CommandKind::kInvalid, "/Dc", "two points"},
      {"#S/Dc .\r\n\r\n", CommandKind::kInvalid, "/Dc", "no digits"},
      {"#S*ST6 1,2,3,4\r\n\r\n", CommandKind::kInvalid, "*ST", "without the four empty fields"},
      {"#S*ST6 1,2,x,4,,,,\r\n\r\n", CommandKind::kInvalid, "*ST", "not a number"},
      {"#S*SJ00000\r\n", CommandKind::kInvalid, "*SJ", "five digits"},
      {"#S" + std::string(999, 'B') + "\r\n", CommandKind::kInvalid, "BBB", "longer than any command"},
  };
  for (const Case& c : cases) {
    const Command parsed = ParseCommand(c.bytes);
    EXPECT_EQ(parsed.kind, c.kind) << c.comment;
    EXPECT_EQ(parsed.echo, c.echo) << c.comment;
    EXPECT_EQ(FormatCommand(parsed), "") << c.comment;
  }
}

TEST(CommandParser, KeysCountCommandsByName) {
  EXPECT_EQ(CommandKey(CommandKind::kTurn), "*DHA");
  EXPECT_EQ(CommandKey(CommandKind::kWriteMotor), "*/PA");
  EXPECT_EQ(CommandKey(CommandKind::kToBasic), "Ts");
  EXPECT_EQ(CommandKey(CommandKind::kReadAngles), "Ee");
  EXPECT_EQ(CommandKey(CommandKind::kInvalid), "?");
}

// The simulator inside the window program once kept every command for ever: about 2.4 MiB a
// simulated day of monitoring.
TEST(CommandLog, KeepsTheNewestWithinItsCapacityAndCountsThemAll) {
  CommandLog log;
  log.SetCapacity(3);
  const Command angles = ParseCommand("#SEe\r\n");
  for (std::uint64_t i = 0; i < 100; ++i) log.Add(i, "#SEe\r\n", angles);
  EXPECT_EQ(log.Count("Ee"), 100);
  ASSERT_GE(log.All().size(), 3u);
  EXPECT_LT(log.All().size(), 6u);
  EXPECT_EQ(log.All().back().elapsedMs, 99u);
  EXPECT_EQ(log.All()[log.All().size() - 3].elapsedMs, 97u) << "the newest are kept in order";
}

}  // namespace
}  // namespace vigil::sim
