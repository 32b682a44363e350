// Taking a resection result: the station file and the recomputed training file.
#include <gtest/gtest.h>

#include <string>

#include "TempFolder.h"
#include "orientation/ApplyResection.h"
#include "platform/Files.h"
#include "platform/Paths.h"
#include "survey/Coordinates.h"
#include "survey/Units.h"

namespace vigil::orientation {
namespace {

class ApplyResectionTest : public ::testing::Test {
 protected:
  ApplyResectionTest()
      : station_(store::StorageLayout(platform::Paths(dir_.path(), dir_.path() / "device"))) {
    station_.Settings().instrument_height = 1.5;
    station_.Settings().reduced_level = 101.5;
    list_.emplace(station_.Settings(), training::TrainingFileOf(station_.Layout(), station_.Settings()));
    list_->AddTrainingRow("R1", "1.00000", "99.00000", "50.0000", "1100.0000", "2000.0000", "101.5000", "0");
    list_->AddTrainingRow("IMP", "", "", "", "n/a", "2000.0000", "100.0000", "-1");
    list_->AddTrainingRow("R2", "2.00000", "98.00000", "60.0000", "1000.0000", "2100.0000", "106.5000", "2");
    state_.resection_count = 2;
    state_.res_e = 1000.0;
    state_.res_n = 2000.0;
    state_.res_rl = 101.5;
    state_.res_orientation = 77.7;
    state_.resection_points.push_back({"R1", 1.0, 2.0, 3.0, 4.0, 5.0, 6.0, false});
  }
  std::string StationFileText() const {
    return platform::ReadUtf16File(station_.StationFilePath()).value_or("");
  }

  test::TempFolder dir_;
  store::ProjectStationStore station_;
  std::optional<training::TrainingStore> list_;
  ResectionState state_;
};

TEST_F(ApplyResectionTest, SavesTheStationWithTheMarkLevelAndResetsTheResection) {
  const ApplyResult result = ApplyResection(station_, *list_, state_);
  EXPECT_TRUE(result.stationSaved);
  EXPECT_TRUE(result.trainingSaved);
  const store::ProjectStationSettings& s = station_.Settings();
  EXPECT_DOUBLE_EQ(s.easting, 1000.0);
  EXPECT_DOUBLE_EQ(s.northing, 2000.0);
  EXPECT_DOUBLE_EQ(s.reduced_level, 101.5) << "in memory: the axis";
  EXPECT_DOUBLE_EQ(s.orientation, 77.7);
  const std::string file = StationFileText();
  EXPECT_NE(file.find("easting=1000.000000"), std::string::npos) << file;
  EXPECT_NE(file.find("northing=2000.000000"), std::string::npos) << file;
  EXPECT_NE(file.find("reduced_level=100.000000"), std::string::npos) << "the mark: " << file;
  EXPECT_NE(file.find("orientation=77.700000"), std::string::npos) << file;
  EXPECT_EQ(state_.resection_count, 0);
  EXPECT_TRUE(state_.resection_points.empty());
}

TEST_F(ApplyResectionTest, RecomputesTheObservationsFromTheNewStationAndWritesThem) {
  const ApplyResult result = ApplyResection(station_, *list_, state_);
  EXPECT_EQ(result.rowsKept, 1);
  const auto& rows = list_->Rows();
  ASSERT_EQ(rows.size(), 3u);
  struct Expected {
    const char* ha;
    const char* va;
    const char* sd;
    const char* comment;
  };
  const Expected expected[] = {
      {"100.00000", "100.00000", "100.0000", "due east, level with the axis"},
      {"", "", "", "coordinates without a number keep their texts"},
      {"0.00000", "96.81955", "100.1249", "due north, 5 m above the axis"},
  };
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(rows[i].ha, expected[i].ha) << expected[i].comment;
    EXPECT_EQ(rows[i].va, expected[i].va) << expected[i].comment;
    EXPECT_EQ(rows[i].sd, expected[i].sd) << expected[i].comment;
  }
  EXPECT_EQ(rows[2].easting, "1000.0000") << "coordinates stay";
  EXPECT_EQ(rows[2].prism_type, "2");

  training::TrainingStore reread(station_.Settings(), list_->Location());
  reread.LoadTrainingFile();
  ASSERT_EQ(reread.Rows().size(), 3u);
  EXPECT_EQ(reread.Rows()[0].ha, "100.00000");
  EXPECT_EQ(reread.Rows()[2].va, "96.81955");
}

TEST_F(ApplyResectionTest, InFeetTheCoordinatesAreReadAndTheDistancesWrittenInFeet) {
  station_.Settings().distance_unit = 1;
  training::TrainingStore feet(station_.Settings(), list_->Location());
  feet.AddTrainingRow("F", "", "", "", "3608.9239", "6561.6798", "333.0052", "0");  // 1100, 2000, 101.5 m
  ApplyResection(station_, feet, state_);
  EXPECT_EQ(feet.Rows()[0].ha, "100.00000");
  EXPECT_EQ(feet.Rows()[0].sd, "328.0840") << "100 m in feet";
}

TEST_F(ApplyResectionTest, AStationFileThatCannotBeWrittenIsReported) {
  station_.Settings().project = "bad/name";
  const ApplyResult result = ApplyResection(station_, *list_, state_);
  EXPECT_FALSE(result.stationSaved);
  EXPECT_DOUBLE_EQ(station_.Settings().easting, 1000.0) << "memory holds the new station";
}

}  // namespace
}  // namespace vigil::orientation
