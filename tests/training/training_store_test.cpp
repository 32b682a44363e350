#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "TrainingTestFolder.h"
#include "platform/Files.h"
#include "platform/Format.h"
#include "platform/Text.h"
#include "training/TrainingStore.h"

namespace vigil::training {
namespace {

using platform::FaultAction;
using platform::FileOp;
using store::ProjectStationSettings;

// Removes any fault hook a test installed, even when the test fails half-way.
struct HookReset {
  ~HookReset() { platform::SetFileFaultHook(nullptr); }
};

class TrainingStoreFileTest : public ::testing::Test {
 protected:
  TrainingFileLocation Where() const {
    return {folder_.Path() / "Training", folder_.Path() / "Training" / "PROJ_STN1.ini"};
  }
  std::string FileBytes() const { return platform::ReadFileBytes(Where().file).value_or("<missing>"); }
  void WriteText(const std::string& text) {
    std::filesystem::create_directories(Where().folder);
    ASSERT_TRUE(platform::WriteFileBytesAtomic(Where().file, platform::Utf8ToUtf16Le(text)));
  }
  TrainingStore Store() const { return TrainingStore(settings_, Where()); }

  test::TrainingTestFolder folder_;
  ProjectStationSettings settings_;
};

void AddSample(TrainingStore& store, int n) {
  const std::string name = platform::Format("MON%03d", {n});
  store.AddTrainingRow(name, platform::FormatFixed(n * 0.13, 5), "98.76540", "45.6789", "30012.3456",
                       "30040.1234", "101.2345", platform::FormatInt(n % 7 - 1));
}

TEST_F(TrainingStoreFileTest, MissingFileLoadsEmptyAndCreatesTheFolder) {
  TrainingStore store = Store();
  store.AddTrainingRow("A", "1", "2", "3", "4", "5", "6", "2");
  EXPECT_EQ(store.LoadTrainingFile(), TrainingReadResult::NoFile);
  EXPECT_TRUE(store.Rows().empty());
  EXPECT_TRUE(std::filesystem::is_directory(Where().folder));
  EXPECT_FALSE(FindTrainingPoint(Where(), "A").has_value());
  EXPECT_EQ(LookUpPrismType(Where(), "A"), -1);
}

TEST_F(TrainingStoreFileTest, WrittenFileLoadsAndSavesBackToTheSameBytes) {
  TrainingStore first = Store();
  for (int n = 1; n <= 12; ++n) AddSample(first, n);
  first.AddTrainingRow("MON001", "7", "7", "7", "7", "7", "7", "5");  // duplicate names are allowed
  ASSERT_TRUE(first.SaveTrainingFile());
  const std::string saved = FileBytes();

  TrainingStore second = Store();
  EXPECT_EQ(second.LoadTrainingFile(), TrainingReadResult::Read);
  EXPECT_EQ(second.Rows(), first.Rows());
  ASSERT_TRUE(second.SaveTrainingFile());
  EXPECT_EQ(FileBytes(), saved);
}

TEST_F(TrainingStoreFileTest, TwoThousandPointsSurviveLoadAndSave) {
  // Far past the 22,528 bytes a single read once took: the next save dropped the rest.
  TrainingStore first = Store();
  for (int n = 1; n <= 2000; ++n) AddSample(first, n);
  ASSERT_TRUE(first.SaveTrainingFile());
  const std::string saved = FileBytes();
  ASSERT_GT(saved.size(), 10u * 22528u);

  TrainingStore second = Store();
  second.LoadTrainingFile();
  ASSERT_EQ(second.Rows().size(), 2000u);
  EXPECT_EQ(second.Rows().back().name, "MON2000");
  EXPECT_EQ(second.Rows(), first.Rows());
  EXPECT_EQ(second.NextPointName(), "MON2001");
  ASSERT_TRUE(second.SaveTrainingFile());
  EXPECT_EQ(FileBytes(), saved);
  ASSERT_TRUE(FindTrainingPoint(Where(), "MON1999").has_value());
  EXPECT_EQ(FindTrainingPoint(Where(), "MON1999")->ha, platform::FormatFixed(1999 * 0.13, 5));
}

TEST_F(TrainingStoreFileTest, MalformedFileKeepsWhatIsValid) {
  const std::string good =
      "1\tGOOD\t1.00000\t2.00000\t3.0000\t4.0000\t5.0000\t6.0000\t2\tMonitoring Prism (-30.0)\r\n";
  std::string junk;
  for (int i = 0; i < 600; ++i) junk += static_cast<char>((i * 37 + 11) % 256);
  std::string bytes = platform::Utf8ToUtf16Le("Stat\tPt. Name\tEasting(m)\r\n" + good);
  bytes += junk;  // binary junk
  bytes += std::string("\r\0\n\0", 4);
  bytes += platform::Utf8ToUtf16Le("short\t1\t2\r\n\t\t\t\t\t\t\r\n0\tB\t1\t2\t3\t4\t5\t6\r\n");
  bytes += std::string("\x00\xD8\x09\x00", 4);  // lone surrogate, TAB
  bytes += platform::Utf8ToUtf16Le("\r\n" + good);
  bytes += "\x41";  // odd trailing byte
  std::filesystem::create_directories(Where().folder);
  ASSERT_TRUE(platform::WriteFileBytesAtomic(Where().file, bytes));

  TrainingStore store = Store();
  EXPECT_EQ(store.LoadTrainingFile(), TrainingReadResult::Read);
  std::vector<std::string> names;
  for (const TrainingPoint& p : store.Rows()) names.push_back(p.name);
  // The seven empty fields make a point with empty texts; the junk may make more.
  ASSERT_GE(names.size(), 4u);
  EXPECT_EQ(names.front(), "GOOD");
  EXPECT_EQ(names.back(), "GOOD");
  EXPECT_NE(std::find(names.begin(), names.end(), "B"), names.end());
  EXPECT_EQ(LookUpPrismType(Where(), "B"), -1);
  EXPECT_EQ(LookUpPrismType(Where(), "GOOD"), 2);

  // What was kept is saved and loads again unchanged.
  ASSERT_TRUE(store.SaveTrainingFile());
  TrainingStore again = Store();
  again.LoadTrainingFile();
  EXPECT_EQ(again.Rows(), store.Rows());
}

TEST_F(TrainingStoreFileTest, FailedWriteKeepsTheOldFileAndReportsIt) {
  HookReset reset;
  TrainingStore store = Store();
  AddSample(store, 1);
  ASSERT_TRUE(store.SaveTrainingFile());
  const std::string before = FileBytes();

  AddSample(store, 2);
  for (FileOp failing : {FileOp::Write, FileOp::Rename}) {
    platform::SetFileFaultHook([failing](FileOp op, const std::filesystem::path&) {
      return op == failing ? FaultAction::Fail : FaultAction::Proceed;
    });
    EXPECT_FALSE(store.SaveTrainingFile());
    EXPECT_EQ(FileBytes(), before);
    EXPECT_EQ(store.Rows().size(), 2u) << "the list keeps its rows";
  }
  platform::SetFileFaultHook(nullptr);
  EXPECT_TRUE(store.SaveTrainingFile());
  EXPECT_NE(FileBytes(), before);
  std::vector<std::string> left;
  for (const auto& e : std::filesystem::directory_iterator(Where().folder))
    left.push_back(e.path().filename());
  EXPECT_EQ(left, std::vector<std::string>{"PROJ_STN1.ini"}) << "no temporary file left behind";
}

TEST_F(TrainingStoreFileTest, UnreadableFileIsNotOverwritten) {
  // An existing file that cannot be read loads as an empty list; saving that list once
  // replaced every stored point with the new one.
  HookReset reset;
  TrainingStore first = Store();
  AddSample(first, 1);
  AddSample(first, 2);
  ASSERT_TRUE(first.SaveTrainingFile());
  const std::string before = FileBytes();

  platform::SetFileFaultHook([](FileOp op, const std::filesystem::path&) {
    return op == FileOp::Read ? FaultAction::Fail : FaultAction::Proceed;
  });
  TrainingStore store = Store();
  EXPECT_EQ(store.LoadTrainingFile(), TrainingReadResult::ReadFailed);
  EXPECT_TRUE(store.Rows().empty());
  EXPECT_FALSE(FindTrainingPoint(Where(), "MON001").has_value());
  EXPECT_EQ(LookUpPrismType(Where(), "MON001"), -1);
  AddSample(store, 3);
  EXPECT_FALSE(store.SaveTrainingFile());

  platform::SetFileFaultHook(nullptr);
  EXPECT_EQ(FileBytes(), before);
  EXPECT_EQ(store.LoadTrainingFile(), TrainingReadResult::Read);
  EXPECT_EQ(store.Rows().size(), 2u);
  EXPECT_TRUE(store.SaveTrainingFile()) << "a good load allows saving again";
}

TEST_F(TrainingStoreFileTest, LookupsReadTheFileNotTheList) {
  WriteText(
      "Stat\tPt. Name\tHa(gons)\tVa(gons)\tSD(m)\tEasting(m)\tNorthing(m)\tRL(m)\tPrismType\tPrism Type\r\n"
      "1\tREF1\t10.00000\t100.00000\t50.0000\t30050.0000\t30000.0000\t100.0000\t0\tx\r\n"
      "1\tREF1\t11.00000\t101.00000\t51.0000\t30051.0000\t30001.0000\t101.0000\t1\tx\r\n"
      "ref2\t12\t13\t14\t15\t16\t17\r\n"
      "1\tMON1\t1\t2\t3\t4\t5\t6\tabc\r\n");
  struct Case {
    const char* name;
    bool found;
    const char* ha;
    const char* rl;
    int type;
    const char* comment;
  };
  const Case cases[] = {
      {"REF1", true, "10.00000", "100.0000", 0, "first of two equal names"},
      {"ref2", true, "12", "17", -1, "seven fields: no type"},
      {"REF2", false, "", "", -1, "names compare exactly"},
      {"REF", false, "", "", -1, "no prefix match"},
      {"MON1", true, "1", "6", -1, "type text that is not a number"},
      {"", false, "", "", -1, ""},
  };
  for (const Case& c : cases) {
    const auto found = FindTrainingPoint(Where(), c.name);
    ASSERT_EQ(found.has_value(), c.found) << c.name << " " << c.comment;
    if (found) {
      EXPECT_EQ(found->ha, c.ha) << c.name;
      EXPECT_EQ(found->rl, c.rl) << c.name;
    }
    EXPECT_EQ(LookUpPrismType(Where(), c.name), c.type) << c.name << " " << c.comment;
  }
  TrainingStore store = Store();
  store.AddTrainingRow("ONLY_IN_LIST", "1", "2", "3", "4", "5", "6", "2");
  EXPECT_FALSE(FindTrainingPoint(Where(), "ONLY_IN_LIST").has_value());
}

TEST_F(TrainingStoreFileTest, ChangedUnitsChangeHeadersAndLabelsNotValues) {
  TrainingStore metres = Store();
  metres.AddTrainingRow("MON1", "123.45670", "98.76540", "45.6789", "30012.3456", "30040.1234", "101.2345",
                        "2");
  ASSERT_TRUE(metres.SaveTrainingFile());

  settings_.angle_units = 1;
  settings_.distance_unit = 1;
  TrainingStore feet = Store();
  feet.LoadTrainingFile();
  std::filesystem::remove_all(Where().folder);
  ASSERT_EQ(feet.Rows().size(), 1u);
  const TrainingPoint& p = feet.Rows()[0];
  EXPECT_EQ(p.ha, "123.45670");
  EXPECT_EQ(p.sd, "45.6789");
  EXPECT_EQ(p.rl, "101.2345");
  EXPECT_EQ(p.prism_label, "Monitoring Prism (-0.1)") << "-30 mm shown in feet";
  ASSERT_TRUE(feet.SaveTrainingFile()) << "the Training folder is made again";
  // UTF-16LE without a mark, CR LF after every line, values as loaded.
  EXPECT_EQ(FileBytes(),
            platform::Utf8ToUtf16Le(
                "Stat\tPt. Name\tHa\tVa\tSD(ft)\tEasting(ft)\tNorthing(ft)\tRL(ft)\tPrismType\tPrism Type\r\n"
                "1\tMON1\t123.45670\t98.76540\t45.6789\t30012.3456\t30040.1234\t101.2345\t2\t"
                "Monitoring Prism (-0.1)\r\n"));
}

struct LabelCase {
  const char* typeText;
  const char* label;
  const char* comment;
};

TEST(TrainingStoreLabels, LabelFollowsTheTypeText) {
  ProjectStationSettings s;
  s.const_custom_name = "Q";
  s.const_custom = 12.0;
  TrainingStore store(s, {});
  const LabelCase cases[] = {
      {"2", "Monitoring Prism (-30.0)", ""},
      {"5", "Custom Prism \"Q\" (12.0)", ""},
      {"-1", "", "none"},
      {"6", "", "out of range"},
      {"", "", "no number"},
      {"2x", "Monitoring Prism (-30.0)", "read as %d reads it"},
      {" 1", "Connection Prism (-7.0)", "leading space skipped"},
      {"99999999999", "", "does not fit an int"},
  };
  for (const LabelCase& c : cases) {
    store.AddTrainingRow("P", "1", "2", "3", "4", "5", "6", c.typeText);
    EXPECT_EQ(store.Rows().back().prism_label, c.label) << "'" << c.typeText << "' " << c.comment;
    EXPECT_EQ(store.Rows().back().prism_type, c.typeText) << "type text kept as given";
  }
}

TEST(TrainingStoreRows, EditAndRemove) {
  TrainingStore store(ProjectStationSettings{}, {});
  store.AddTrainingRow("A", "1", "2", "3", "4", "5", "6", "2");
  store.AddTrainingRow("B", "1", "2", "3", "4", "5", "6", "2");
  TrainingPoint changed = store.Rows()[0];
  changed.name = "A2";
  changed.prism_type = "3";
  changed.prism_label = "stale";
  EXPECT_TRUE(store.SetTrainingRow(0, changed));
  EXPECT_EQ(store.Rows()[0].name, "A2");
  EXPECT_EQ(store.Rows()[0].prism_label, "Reflectorless (0.0)") << "label recomputed";
  EXPECT_FALSE(store.SetTrainingRow(2, changed));
  EXPECT_FALSE(store.RemoveTrainingRow(2));
  EXPECT_TRUE(store.RemoveTrainingRow(0));
  ASSERT_EQ(store.Rows().size(), 1u);
  EXPECT_EQ(store.Rows()[0].name, "B");
}

}  // namespace
}  // namespace vigil::training
