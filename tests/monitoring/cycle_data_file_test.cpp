#include "monitoring/CycleDataFile.h"

#include <gtest/gtest.h>

#include "TempFolder.h"
#include "monitoring/CycleFileText.h"
#include "platform/Files.h"
#include "platform/Text.h"

namespace vigil::monitoring {
namespace {

const platform::LocalDateTime kMorning{2026, 12, 6, 8, 0, 0, 0, 0};

CycleRow Row(const std::string& point) {
  CycleRow row;
  row[kCycleEpoch] = "4";
  row[kCyclePoint] = point;
  row[kCycleHa] = "123.4567";
  return row;
}

class CycleDataFileTest : public ::testing::Test {
 protected:
  ~CycleDataFileTest() override { platform::SetFileFaultHook({}); }
  std::filesystem::path Data() const { return dir_.path() / "Data"; }
  std::string Bytes(const std::string& name) const {
    return platform::ReadFileBytes(Data() / name).value_or("");
  }
  vigil::test::TempFolder dir_;
  store::ProjectStationSettings s_;
};

TEST_F(CycleDataFileTest, FirstLineCreatesFolderAndFileWithHeaderInUtf16CrLf) {
  CycleDataFile file(Data());
  EXPECT_TRUE(file.CurrentPath().empty());
  ASSERT_TRUE(file.AppendCycleLine(s_, Row("A"), kMorning));
  ASSERT_TRUE(file.AppendCycleLine(s_, Row("B"), kMorning));
  EXPECT_EQ(file.CurrentPath(), Data() / "STN1_PROJ_06-Dec-2026_Cycle_1.vgl");
  const std::string bytes = Bytes("STN1_PROJ_06-Dec-2026_Cycle_1.vgl");
  ASSERT_GE(bytes.size(), 2u);
  EXPECT_NE(bytes.substr(0, 2), "\xFF\xFE") << "no byte-order mark";
  EXPECT_EQ(bytes.substr(0, 4), std::string("E\0p\0", 4));
  const std::string text = platform::Utf16LeToUtf8(bytes);
  EXPECT_EQ(text, CycleHeaderLine(s_) + CycleDataLine(s_, Row("A")) + CycleDataLine(s_, Row("B")));
  const auto lines = platform::Split(text, "\r\n");
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines.back(), "") << "the last line ends in CR LF too";
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(platform::Split(lines[i], "\t").size(), 18u);
    EXPECT_FALSE(platform::Contains(lines[i], "\n")) << "no bare LF";
  }
}

TEST_F(CycleDataFileTest, EachCycleGetsItsOwnFileAndANewDayStartsAtOne) {
  CycleDataFile file(Data());
  ASSERT_TRUE(file.AppendCycleLine(s_, Row("A"), kMorning));
  file.StartCycle();
  ASSERT_TRUE(file.AppendCycleLine(s_, Row("A"), kMorning));
  EXPECT_EQ(file.CurrentPath().filename(), "STN1_PROJ_06-Dec-2026_Cycle_2.vgl");
  file.StartCycle();
  ASSERT_TRUE(file.AppendCycleLine(s_, Row("A"), {2026, 12, 7, 0, 0, 30, 0, 1}));
  EXPECT_EQ(file.CurrentPath().filename(), "STN1_PROJ_07-Dec-2026_Cycle_1.vgl");
  // The day changes during a cycle: the cycle stays in its file.
  ASSERT_TRUE(file.AppendCycleLine(s_, Row("B"), {2026, 12, 8, 0, 0, 0, 0, 2}));
  EXPECT_EQ(file.CurrentPath().filename(), "STN1_PROJ_07-Dec-2026_Cycle_1.vgl");
}

// Appending to the day's file that the count named again mixed two cycles in one file.
TEST_F(CycleDataFileTest, AfterTheDaysFirstFileWasDeletedTheNextCycleWritesANewFile) {
  CycleDataFile file(Data());
  ASSERT_TRUE(file.AppendCycleLine(s_, Row("A"), kMorning));
  file.StartCycle();
  ASSERT_TRUE(file.AppendCycleLine(s_, Row("A"), kMorning));
  const std::string second = Bytes("STN1_PROJ_06-Dec-2026_Cycle_2.vgl");
  ASSERT_TRUE(platform::DeleteFileAt(Data() / "STN1_PROJ_06-Dec-2026_Cycle_1.vgl"));
  file.StartCycle();
  ASSERT_TRUE(file.AppendCycleLine(s_, Row("C"), kMorning));
  EXPECT_EQ(file.CurrentPath().filename(), "STN1_PROJ_06-Dec-2026_Cycle_3.vgl");
  EXPECT_EQ(Bytes("STN1_PROJ_06-Dec-2026_Cycle_2.vgl"), second) << "cycle 2 untouched";
  EXPECT_TRUE(
      platform::StartsWith(platform::Utf16LeToUtf8(Bytes("STN1_PROJ_06-Dec-2026_Cycle_3.vgl")), "Epoch"));
}

TEST_F(CycleDataFileTest, ALineThatCannotBeWrittenIsReportedAndTheNextOneStillGoesToTheCycleFile) {
  CycleDataFile file(Data());
  int appends = 0;
  platform::SetFileFaultHook([&](platform::FileOp op, const std::filesystem::path&) {
    if (op == platform::FileOp::Append && ++appends == 1) return platform::FaultAction::Fail;
    return platform::FaultAction::Proceed;
  });
  EXPECT_FALSE(file.AppendCycleLine(s_, Row("A"), kMorning));
  EXPECT_TRUE(file.AppendCycleLine(s_, Row("B"), kMorning));
  const std::string text = platform::Utf16LeToUtf8(Bytes("STN1_PROJ_06-Dec-2026_Cycle_1.vgl"));
  EXPECT_EQ(text, CycleHeaderLine(s_) + CycleDataLine(s_, Row("B")));
}

TEST_F(CycleDataFileTest, NamesThatWouldLeaveTheFolderWriteNothing) {
  CycleDataFile file(Data());
  s_.station = "../x";
  EXPECT_FALSE(file.AppendCycleLine(s_, Row("A"), kMorning));
  EXPECT_TRUE(platform::FindFiles(dir_.path(), "*", true).size() <= 1u);
}

}  // namespace
}  // namespace vigil::monitoring
