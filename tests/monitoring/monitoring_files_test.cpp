// The file a cycle writes, read byte by byte, in gon and metres and in degrees and feet, and
// the differences of a prism that moved.
#include <gtest/gtest.h>

#include <cmath>

#include "MonitoringWorld.h"

namespace vigil::monitoring {
namespace {

using MD = MonitoringDialog;
using test::MonitoringWorld;

constexpr const char* kDeg = "\xC2\xB0";

/// A 2 mm east of where it was trained; C at Ha 123.4567 gon, 80 m away.
sim::Scenario MovedSite() {
  sim::Scenario s = test::TwoPrismSite();
  s.prisms.resize(1);
  s.prisms[0].truth.eastingMetres = 1100.002;
  const double ha = 123.4567 * survey::kGonToRadians;
  s.prisms.push_back({"C",
                      sim::PrismType::kMonitoring,
                      -30.0,
                      {1000.0 + 80.0 * std::sin(ha), 2000.0 + 80.0 * std::cos(ha), 100.0},
                      {},
                      {}});
  return s;
}

class CycleFileTest : public MonitoringWorld {
 protected:
  CycleFileTest() : MonitoringWorld(MovedSite()) {
    Settings().sequence = 2;
    Settings().repeat = 1;
  }
  void Train() {
    const sim::GridPoint c = sim_.scenario().prisms[1].truth;
    WriteTraining({{"A", 1100.0, 2000.0, 100.0}, {"C", c.eastingMetres, c.northingMetres, c.levelMetres}});
  }
  void RunOneCycle() {
    Train();
    MD dialog(Window(), false);
    ScriptUserCycle(dialog).Do("differences", [&] {
      dE_ = dialog.ListCell(MD::kDifferencesListId, 0, 1);
      dN_ = dialog.ListCell(MD::kDifferencesListId, 0, 2);
      heading_ = dialog.ListColumnCount(MD::kDifferencesListId) > 1
                     ? dialog.Find(MD::kDifferencesListId)->columns[1].caption
                     : "";
    });
    host_.EndAll();
    host_.Run(dialog);
    ASSERT_EQ(DataFiles().size(), 1u);
    bytes_ = platform::ReadFileBytes(DataFolder() / DataFiles()[0]).value_or("");
  }
  std::string dE_, dN_, heading_, bytes_;
};

TEST_F(CycleFileTest, GonAndMetresByteByByte) {
  RunOneCycle();
  ASSERT_GT(bytes_.size(), 4u);
  EXPECT_NE(bytes_.substr(0, 2), "\xFF\xFE") << "no byte-order mark";
  ASSERT_EQ(bytes_.size() % 2, 0u);
  const std::string text = platform::Utf16LeToUtf8(bytes_);
  const auto lines = platform::Split(text, "\r\n");
  ASSERT_EQ(lines.size(), 4u) << "header, two readings, nothing after the last CR LF";
  EXPECT_EQ(lines[0], std::string("Epoch\tCycle\tRound\tDate\tTime\tPoint\tFace\tHa(gons)\tVa(gons)\tSD(m)\t"
                                  "Pressure (hPa)\tTemp (") +
                          kDeg + "C)\tPPM\tEasting (m)\tNorthing (m)\tRL (m)\tTilt-X\tTilt-Y");
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(platform::Split(lines[i], "\t").size(), 18u);
    EXPECT_EQ(lines[i].find('\n'), std::string::npos);
    EXPECT_EQ(lines[i].find('\r'), std::string::npos);
  }
  const auto c = platform::Split(lines[2], "\t");
  EXPECT_EQ(c[7].substr(0, 8), "123.4567") << c[7];
  EXPECT_EQ(c[10], "1013.2") << "1013.25 hPa, rounded as printf rounds";
  EXPECT_EQ(c[11], "20.0");
  EXPECT_EQ(heading_, "dE (mm)");
  EXPECT_NEAR(platform::ParseDoubleOr(dE_, 99), 2.0, 0.05) << dE_;
  EXPECT_NEAR(platform::ParseDoubleOr(dN_, 99), 0.0, 0.05) << dN_;
}

TEST_F(CycleFileTest, DegreesAndFeet) {
  Settings().angle_units = 1;
  Settings().distance_unit = 1;
  RunOneCycle();
  const auto lines = platform::Split(platform::Utf16LeToUtf8(bytes_), "\r\n");
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0], std::string("Epoch\tCycle\tRound\tDate\tTime\tPoint\tFace\tHa\tVa\tSD(ft)\t"
                                  "Pressure (hPa)\tTemp (") +
                          kDeg + "C)\tPPM\tEasting (ft)\tNorthing (ft)\tRL (ft)\tTilt-X\tTilt-Y");
  const auto a = platform::Split(lines[1], "\t");
  const auto c = platform::Split(lines[2], "\t");
  EXPECT_EQ(a[7], "90.00000") << "100 gon packed";
  EXPECT_EQ(c[7], "111.06397") << "123.4567 gon packed";
  EXPECT_NEAR(platform::ParseDoubleOr(a[13], 0), 1100.002 * survey::kFeetPerMetreInternational, 0.0002);
  EXPECT_EQ(heading_, "dE (ft)");
  // Measured and reference feet are each rounded to 4 decimals before they are subtracted.
  EXPECT_NEAR(platform::ParseDoubleOr(dE_, 99), 0.0066, 0.00015) << dE_;
}

TEST_F(CycleFileTest, ATrainingLineWithoutStatusAndOneNamedOneAreBothMeasured) {
  const std::string text =
      "Stat\tName\tHa\tVa\tSD\tEasting\tNorthing\tRL\r\n"
      "A\t100.00000\t100.00000\t99.9700\t1100.0000\t2000.0000\t100.0000\t2\r\n"
      "1\t1\t100.00000\t100.00000\t99.9700\t1100.0000\t2000.0000\t100.0000\t2\r\n";
  const auto where = training::TrainingFileOf(Context().Layout(), Settings());
  ASSERT_TRUE(platform::CreateFolder(where.folder));
  ASSERT_TRUE(platform::WriteUtf16FileAtomic(where.file, text));
  MD dialog(Window(), false);
  ScriptUserCycle(dialog);
  host_.EndAll();
  host_.Run(dialog);
  EXPECT_EQ(ListOrder(dialog), "A1 11");
}

}  // namespace
}  // namespace vigil::monitoring
