// Coordinate files: which lines give points and stations, and what is refused and counted.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/Format.h"
#include "platform/Text.h"
#include "training/CoordinateFile.h"

namespace vigil::training {
namespace {

std::string Unicode(std::string_view text) {
  return std::string("\xFF\xFE") + platform::Utf8ToUtf16Le(text);
}

struct LineCase {
  const char* comment;
  std::string line;
  bool usable;
  bool station;
  const char* name;
  const char* easting;
};

TEST(CoordinateFile, EachKindOfLine) {
  const std::string longName(101, 'N');
  const std::vector<LineCase> cases = {
      {"TAB separated point", "P1\t30012.345\t30040.123\t101.234", true, false, "P1", "30012.345"},
      {"comma separated point", "P1,30012.345,30040.123,101.234", true, false, "P1", "30012.345"},
      {"station: STN anywhere in the name", "MySTN1,30000.000,30000.000,100.000", true, true, "MySTN1",
       "30000.000"},
      {"stn in lower case is a point", "stn1,1,2,3", true, false, "stn1", "1"},
      {"further fields are ignored", "P2\t1.5\t2.5\t3.5\tremark\textra", true, false, "P2", "1.5"},
      {"blanks around values are removed", "P3, 10.0 , 20.0 ,30.0", true, false, "P3", "10.0"},
      {"negative and signed values", "P4,-12.5,+3,-.5", true, false, "P4", "-12.5"},
      {"three fields are too few", "P5,1,2", false, false, "", ""},
      {"a value with letters", "P6,12abc,1,2", false, false, "", ""},
      {"an exponent is not a plain number", "P7,1e5,1,2", false, false, "", ""},
      {"an empty value", "P8,,1,2", false, false, "", ""},
      {"two points in a value", "P9,1.2.3,1,2", false, false, "", ""},
      {"a point name never leaves a folder: it is no file name", "..\\x,1,2,3", true, false, "..\\x", "1"},
      {"a name with a path separator", "a/b:c*?,1,2,3", true, false, "a/b:c*?", "1"},
      {"an empty name", ",1,2,3", false, false, "", ""},
      {"a name of 101 characters", longName + ",1,2,3", true, false, longName.c_str(), "1"},
      {"a value of 33 characters", "P10," + std::string(33, '1') + ",1,2", false, false, "", ""},
      {"a value of 32 characters is taken", "P11," + std::string(32, '1') + ",1,2", true, false, "P11",
       "11111111111111111111111111111111"},
      {"a control character the file holds", "P\x01,1,2,3", true, false, "P\x01", "1"},
      {"a CR the file cannot hold", "P\rQ,1,2,3", false, false, "", ""},
  };
  for (const LineCase& c : cases) {
    const CoordinateFileContent content = ParseCoordinateFile(Unicode(c.line + "\r\n"));
    ASSERT_EQ(content.result, CoordinateFileResult::Read) << c.comment;
    if (!c.usable) {
      EXPECT_TRUE(content.lines.empty()) << c.comment;
      EXPECT_EQ(content.skippedLines, 1) << c.comment;
      continue;
    }
    ASSERT_EQ(content.lines.size(), 1u) << c.comment;
    EXPECT_EQ(content.skippedLines, 0) << c.comment;
    EXPECT_EQ(content.lines[0].station, c.station) << c.comment;
    EXPECT_EQ(content.lines[0].name, c.name) << c.comment;
    EXPECT_EQ(content.lines[0].easting, c.easting) << c.comment;
  }
}

TEST(CoordinateFile, HeadersAndBlankLinesAreNeitherPointsNorSkipped) {
  const CoordinateFileContent content =
      ParseCoordinateFile(Unicode("Name,Easting,Northing,RL\r\n\r\n   \r\nP1,1,2,3\r\n"));
  EXPECT_EQ(content.lines.size(), 1u);
  EXPECT_EQ(content.skippedLines, 0);
}

TEST(CoordinateFile, TheByteOrderMarkDecides) {
  EXPECT_EQ(ParseCoordinateFile("").result, CoordinateFileResult::TooShort);
  EXPECT_EQ(ParseCoordinateFile("\xFF").result, CoordinateFileResult::TooShort);
  EXPECT_EQ(ParseCoordinateFile("P1,1,2,3\r\n").result, CoordinateFileResult::NotUnicode) << "8-bit text";
  EXPECT_EQ(ParseCoordinateFile(platform::Utf8ToUtf16Le("P1,1,2,3\r\n")).result,
            CoordinateFileResult::NotUnicode)
      << "UTF-16 without the mark";
  EXPECT_EQ(ParseCoordinateFile("\xFE\xFF").result, CoordinateFileResult::NotUnicode) << "big-endian mark";
  EXPECT_EQ(ParseCoordinateFile("\xFF\xFE").result, CoordinateFileResult::Read) << "the mark alone";
}

TEST(CoordinateFile, StationAndPointsKeepFileOrder) {
  const CoordinateFileContent content =
      ParseCoordinateFile(Unicode("P1,1,1,1\r\nSTN2,5,5,5\r\nP2,2,2,2\r\n"));
  ASSERT_EQ(content.lines.size(), 3u);
  EXPECT_FALSE(content.lines[0].station);
  EXPECT_TRUE(content.lines[1].station);
  EXPECT_EQ(content.lines[2].name, "P2");
}

TEST(CoordinateFile, BareLineFeedsReadLikeCrLf) {
  const CoordinateFileContent content = ParseCoordinateFile(Unicode("P1,1,1,1\nP2,2,2,2\n"));
  EXPECT_EQ(content.lines.size(), 2u);
  EXPECT_EQ(content.lines[1].rl, "2");
}

// A single fixed-size read once dropped every point past the first 14,336 bytes.
TEST(CoordinateFile, ALongFileGivesEveryPoint) {
  std::string text = "Name,Easting,Northing,RL\r\n";
  for (int i = 0; i < 3000; ++i) {
    text += platform::Format("P%d,%d.125,%d.250,100.500\r\n", {i, 30000 + i, 40000 + i});
  }
  ASSERT_GT(Unicode(text).size(), 14336u * 10);
  const CoordinateFileContent content = ParseCoordinateFile(Unicode(text));
  ASSERT_EQ(content.lines.size(), 3000u);
  EXPECT_EQ(content.lines.back().name, "P2999");
  EXPECT_EQ(content.lines.back().northing, "42999.250");
}

TEST(CoordinateFile, JunkBetweenGoodLinesIsCountedAndTheRestRead) {
  std::string junk;
  for (int i = 0; i < 512; ++i) junk += static_cast<char>((i * 37) & 0xFF);
  std::string bytes = Unicode("P1,1,1,1\r\n") + junk + Unicode("\r\nP2,2,2,2\r\n").substr(2);
  // An odd byte count in the junk would shift the following text: keep it even.
  ASSERT_EQ(junk.size() % 2, 0u);
  const CoordinateFileContent content = ParseCoordinateFile(bytes);
  ASSERT_GE(content.lines.size(), 2u);
  EXPECT_EQ(content.lines.front().name, "P1");
  EXPECT_EQ(content.lines.back().name, "P2");
  EXPECT_GE(content.skippedLines, 1);

  const std::string huge = Unicode("P1," + std::string(1 << 20, '9') + ",1,1\r\nP2,2,2,2\r\n");
  const CoordinateFileContent big = ParseCoordinateFile(huge);
  ASSERT_EQ(big.lines.size(), 1u);
  EXPECT_EQ(big.lines[0].name, "P2");
  EXPECT_EQ(big.skippedLines, 1);
}

TEST(CoordinateFile, WhatIsBuiltReadsBack) {
  const std::vector<CoordinateLine> lines = {
      {false, "P1", "30012.345", "30040.123", "101.234"},
      {true, "STN1", "30000.000", "30000.000", "100.000"},
      {false, "Ü-Punkt", "-1.5", "2", "+3.25"},
  };
  for (char separator : {'\t', ','}) {
    const CoordinateFileContent content = ParseCoordinateFile(BuildCoordinateFile(lines, separator));
    EXPECT_EQ(content.lines, lines);
    EXPECT_EQ(content.skippedLines, 0);
  }
}

}  // namespace
}  // namespace vigil::training
