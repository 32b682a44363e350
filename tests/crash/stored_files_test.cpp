// The checks the crash tests and the kill trials rely on: a checker that passes a damaged
// file would hide every fault the other tests look for.
#include <gtest/gtest.h>

#include <string>

#include "StoredFiles.h"
#include "platform/Text.h"

namespace vigil::crashtest {
namespace {

std::string U16(const std::string& text) {
  return platform::Utf8ToUtf16Le(text);
}

const std::string kSettings = "project=PROJ\r\nstation=STN1\r\neasting=1000.000000";
const std::string kTrainingHeader =
    "Stat\tPt. Name\tHa(gons)\tVa(gons)\tSD(m)\tEasting(m)\tNorthing(m)\tRL(m)\tPrismType\tPrism Type\r\n";
const std::string kTrainingRow =
    "1\tXYZ001\t100.00000\t100.00000\t100.0000\t1100.0000\t2000.0000\t100.0000\t2\tMonitoring Prism "
    "(-30.0)\r\n";
const std::string kCycleHeader =
    "Cycle\tRound\tFace\tDate\tTime\tPoint\tType\tHa\tVa\tSD\tPressure\tTemp\tPPM\tEasting\tNorthing\tRL\tTil"
    "tL\tTiltT"
    "\r\n";
const std::string kCycleRow =
    "1\t1\t1\t07-12-2026\t08:00:01\tA\t2\t100.00000\t100.00000\t99.9700\t1013.3\t20.0\t0.0000\t1100."
    "0020\t2000.0000\t"
    "99.9990\t0.00000\t0.00000\r\n";

TEST(KindOf, TellsTheStoredFilesApart) {
  struct Case {
    const char* relative;
    StoredKind kind;
  } const cases[] = {
      {"Station/PROJ_STN1.txt", StoredKind::Settings},
      {"Training/PROJ_STN1.ini", StoredKind::Training},
      {"Data/STN1_PROJ_07-Dec-2026_Cycle_1.vgl", StoredKind::Cycle},
      {"Training/PROJ_STN1.ini.tmp4711-3", StoredKind::Temporary},
      {"Station/PROJ_STN1.txt.tmp12-0", StoredKind::Temporary},
      {"Station/PROJ_STN1.txt.tmpx-0", StoredKind::Other},
      {"Language/translations.txt", StoredKind::Other},
      {"Training/PROJ_STN1.txt", StoredKind::Other},
  };
  for (const Case& c : cases) EXPECT_EQ(KindOf(c.relative), c.kind) << c.relative;
  EXPECT_EQ(TargetKindOf("Training/PROJ_STN1.ini.tmp4711-3"), StoredKind::Training);
  EXPECT_EQ(TargetKindOf("Data/a.vgl"), StoredKind::Cycle);
}

TEST(CheckStoredFile, FindsEveryKindOfDamage) {
  struct Case {
    const char* comment;
    std::string relative;
    std::string bytes;
    bool tornTailAllowed;
    bool whole;
  } const cases[] = {
      {"settings", "Station/PROJ_STN1.txt", U16(kSettings), false, true},
      {"settings without project", "Station/PROJ_STN1.txt", U16("easting=1.0"), false, false},
      {"settings of other names", "Station/PROJ_STN2.txt", U16(kSettings), false, false},
      {"settings cut in a character", "Station/PROJ_STN1.txt", U16(kSettings).substr(0, 9), false, false},
      {"empty settings file", "Station/PROJ_STN1.txt", "", false, false},
      {"training", "Training/P_S.ini", U16(kTrainingHeader + kTrainingRow), false, true},
      {"training header only", "Training/P_S.ini", U16(kTrainingHeader), false, true},
      {"training row cut", "Training/P_S.ini", U16(kTrainingHeader + kTrainingRow.substr(0, 40)), false,
       false},
      {"training row without CR LF", "Training/P_S.ini",
       U16(kTrainingHeader + kTrainingRow.substr(0, kTrainingRow.size() - 2)), false, false},
      {"training without header", "Training/P_S.ini", U16(kTrainingRow), false, false},
      {"cycle", "Data/a.vgl", U16(kCycleHeader + kCycleRow + kCycleRow), false, true},
      {"cycle torn", "Data/a.vgl", U16(kCycleHeader + kCycleRow + kCycleRow.substr(0, 30)), false, false},
      {"cycle torn where allowed", "Data/a.vgl", U16(kCycleHeader + kCycleRow + kCycleRow.substr(0, 30)),
       true, true},
      {"cycle torn in a character where allowed", "Data/a.vgl", U16(kCycleHeader + kCycleRow).substr(0, 301),
       true, true},
      {"a short line inside even where a tail may be torn", "Data/a.vgl",
       U16(kCycleHeader + kCycleRow.substr(0, 30) + "\r\n" + kCycleRow), true, false},
      {"cycle without header", "Data/a.vgl", U16(kCycleRow), false, false},
      {"empty cycle file", "Data/a.vgl", "", false, false},
      {"empty cycle file where a tail may be torn (once seen in a kill trial)", "Data/a.vgl", "", true, true},
  };
  for (const Case& c : cases) {
    const std::string problem = CheckStoredFile(c.relative, c.bytes, KindOf(c.relative), c.tornTailAllowed);
    EXPECT_EQ(problem.empty(), c.whole) << c.comment << ": " << problem;
  }
}

TEST(CompareStates, KeepsWhatWasStored) {
  const FolderState earlier{
      {"Station/PROJ_STN1.txt", U16(kSettings)},
      {"Training/PROJ_STN1.ini", U16(kTrainingHeader + kTrainingRow)},
      {"Data/a.vgl", U16(kCycleHeader + kCycleRow)},
  };
  std::string otherPoint = kTrainingRow;
  otherPoint.replace(otherPoint.find("XYZ001"), 6, "XYZ002");
  struct Case {
    const char* comment;
    std::string name;
    std::string bytes;  // replaces the file; empty: removes it
    int problems;
    int newer;
  } const cases[] = {
      {"unchanged", "Data/a.vgl", U16(kCycleHeader + kCycleRow), 0, 0},
      {"a line appended", "Data/a.vgl", U16(kCycleHeader + kCycleRow + kCycleRow), 0, 0},
      {"a stored line changed", "Data/a.vgl", U16(kCycleHeader + kCycleRow.substr(1) + "\r\n"), 2, 0},
      {"cycle file lost", "Data/a.vgl", "", 1, 0},
      {"training with a point more", "Training/PROJ_STN1.ini",
       U16(kTrainingHeader + kTrainingRow + otherPoint), 0, 1},
      {"training with the point renamed", "Training/PROJ_STN1.ini", U16(kTrainingHeader + otherPoint), 0, 1},
      {"training that lost its point", "Training/PROJ_STN1.ini", U16(kTrainingHeader), 1, 1},
      {"newer settings", "Station/PROJ_STN1.txt", U16(kSettings + "\r\norientation=1.0"), 0, 1},
      {"settings emptied", "Station/PROJ_STN1.txt", U16("easting=2"), 1, 1},
  };
  for (const Case& c : cases) {
    FolderState later = earlier;
    if (c.bytes.empty()) {
      later.erase(c.name);
    } else {
      later[c.name] = c.bytes;
    }
    later["Training/PROJ_STN1.ini.tmp1-0"] = "half";
    const Comparison result = CompareStates(earlier, later);
    EXPECT_EQ(static_cast<int>(result.problems.size()), c.problems)
        << c.comment << (result.problems.empty() ? "" : ": " + result.problems[0]);
    EXPECT_EQ(result.replacedByNewer, c.newer) << c.comment;
    EXPECT_EQ(result.temporaries, 1) << c.comment;
    const bool same = earlier.count(c.name) == 1 && earlier.at(c.name) == c.bytes;
    EXPECT_EQ(result.changed, c.bytes.empty() || same ? 0 : 1) << c.comment;
  }
}

}  // namespace
}  // namespace vigil::crashtest
