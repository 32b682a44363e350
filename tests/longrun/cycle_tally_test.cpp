// The counts that decide whether the year run lost a reading must themselves be right: a torn
// line, a half-filled row or a missing header is neither measured nor failed.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CycleTally.h"
#include "ResidentMemory.h"

namespace vigil::longrun {
namespace {

const std::string kHeader =
    "Epoch\tCycle\tRound\tDate\tTime\tPoint\tFace\tHa(gons)\tVa(gons)\tSD(m)\tPressure (hPa)\tTemp "
    "(°C)\tPPM\t"
    "Easting (m)\tNorthing (m)\tRL (m)\tTilt-X\tTilt-Y\r\n";
const std::string kMeasured =
    "4\t1\t1\t01-01-2027\t01:00:04\tP01\t1\t3.00000\t100.00000\t60.0000\t1013.3\t20.0\t0.0000\t5002.8\t8059."
    "9\t118.0\t"
    "0.00100\t-0.00200\r\n";
const std::string kFailed =
    "4\t2\t1\t01-01-2027\t05:00:40\tP07\t1\t123.00000\t100.00000\t132.0000\t\t\t\t\t\t\t\t\r\n";

struct TallyCase {
  std::string what;
  std::string text;
  int measured;
  int failed;
  int malformed;
};

TEST(CycleTally, ClassifiesEveryDataLine) {
  const std::vector<TallyCase> cases{
      {"header only", kHeader, 0, 0, 0},
      {"one of each", kHeader + kMeasured + kFailed, 1, 1, 0},
      {"no header: a file that lost its first line", kMeasured + kFailed, 0, 0, 1},
      {"last line without CR LF (torn write)", kHeader + kMeasured + kMeasured.substr(0, 40), 1, 0, 1},
      {"a measured row with one column left empty",
       kHeader + "4\t1\t1\t01-01-2027\t01:00:04\tP01\t1\t3\t100\t60\t1013.3\t20.0\t\t1\t2\t3\t0\t0\r\n", 0, 0,
       1},
      {"a row without date and time is not a recorded row",
       kHeader + "4\t1\t1\t\t\tP01\t1\t3\t100\t60\t\t\t\t\t\t\t\t\r\n", 0, 0, 1},
      {"seventeen columns", kHeader + "4\t1\t1\t01-01-2027\t01:00:04\tP01\t1\t3\t100\t60\t\t\t\t\t\t\t\r\n",
       0, 0, 1},
      {"empty file", "", 0, 0, 1},
  };
  for (const TallyCase& c : cases) {
    const CycleTally t = TallyCycleText(c.text);
    EXPECT_EQ(t.measured, c.measured) << c.what;
    EXPECT_EQ(t.failed, c.failed) << c.what;
    EXPECT_EQ(t.malformed, c.malformed) << c.what;
    EXPECT_EQ(t.files, 1) << c.what;
  }
}

TEST(CycleTally, MonthPatternNamesOnlyThatMonthsFiles) {
  EXPECT_EQ(MonthPattern("STN1", "PROJ", 1, 2027),
            "STN1_PROJ_?"
            "?-Jan-2027_Cycle_*.vgl");
  EXPECT_EQ(MonthPattern("S", "P", 12, 2027),
            "S_P_?"
            "?-Dec-2027_Cycle_*.vgl");
}

TEST(ResidentMemory, ReadsTheSecondFieldInPages) {
  struct Case {
    std::string statm;
    std::uint64_t bytes;
  };
  const std::vector<Case> cases{
      {"1000 250 30 10 0 400 0\n", 250u * 4096u},
      {"1000", 0},  // too short
      {"1000 x 3", 0},
      {"", 0},
  };
  for (const Case& c : cases) EXPECT_EQ(ResidentBytesOfStatm(c.statm, 4096), c.bytes) << c.statm;
  EXPECT_GT(ResidentBytes(), 0u);
}

}  // namespace
}  // namespace vigil::longrun
