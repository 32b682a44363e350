#include "monitoring/CycleFileText.h"

#include <gtest/gtest.h>

#include "platform/Text.h"

namespace vigil::monitoring {
namespace {

store::ProjectStationSettings DegreesAndFeet() {
  store::ProjectStationSettings s;
  s.angle_units = 1;
  s.distance_unit = 1;
  return s;
}

CycleRow SampleRow(const std::string& ha, const std::string& va) {
  return {"4",      "2",         "1",         "07-12-2026", "08:01:02", "A",
          "1",      ha,          va,          "100.0000",   "1013.3",   "20.0",
          "0.1234", "1100.0000", "2000.0000", "100.0000",   "0.00100",  "-0.00200"};
}

TEST(CycleFileText, HeaderNamesTheUnits) {
  const std::string deg = "\xC2\xB0";
  EXPECT_EQ(
      CycleHeaderLine({}),
      "Epoch\tCycle\tRound\tDate\tTime\tPoint\tFace\tHa(gons)\tVa(gons)\tSD(m)\tPressure (hPa)\tTemp (" +
          deg + "C)\tPPM\tEasting (m)\tNorthing (m)\tRL (m)\tTilt-X\tTilt-Y\r\n");
  EXPECT_EQ(CycleHeaderLine(DegreesAndFeet()),
            "Epoch\tCycle\tRound\tDate\tTime\tPoint\tFace\tHa\tVa\tSD(ft)\tPressure (hPa)\tTemp (" + deg +
                "C)\tPPM\tEasting (ft)\tNorthing (ft)\tRL (ft)\tTilt-X\tTilt-Y\r\n");
  store::ProjectStationSettings inches;
  inches.distance_unit = 2;
  EXPECT_TRUE(platform::Contains(CycleHeaderLine(inches), "\tRL (in)\t"));
}

TEST(CycleFileText, AnglesArePackedInTheFile) {
  struct Case {
    bool degrees;
    const char* ha;  // as the list shows it
    const char* expectedHa;
    const char* comment;
  };
  const Case cases[] = {
      {false, "123.4567", "123.45670", "gon: %.5lf"},
      {true, "111\xC2\xB0 06' 39.71\"", "111.06397", "degrees: DDD.MMSSs"},
      {true, "", "", "an empty angle stays empty"},
      {true, "E115", "E115", "no angle in it: kept as it came"},
  };
  for (const Case& c : cases) {
    store::ProjectStationSettings s = c.degrees ? DegreesAndFeet() : store::ProjectStationSettings{};
    const std::vector<std::string> fields =
        platform::Split(CycleDataLine(s, SampleRow(c.ha, "100.0000")), "\t");
    ASSERT_EQ(fields.size(), 18u) << c.comment;
    EXPECT_EQ(fields[7], c.expectedHa) << c.comment;
    EXPECT_EQ(fields[16], "0.00100") << "tilts are plain decimals: " << c.comment;
    EXPECT_EQ(fields[17], "-0.00200\r\n");
  }
}

TEST(CycleFileText, FailedReadingKeepsEightEmptyFieldsAfterSd) {
  CycleRow row = SampleRow("100.00000", "100.00000");
  for (std::size_t c = kCyclePressure; c < kCycleColumnCount; ++c) row[c].clear();
  EXPECT_EQ(CycleDataLine({}, row),
            "4\t2\t1\t07-12-2026\t08:01:02\tA\t1\t100.00000\t100.00000\t100.0000\t\t\t\t\t\t\t\t\r\n");
}

TEST(CycleFileText, ReadingBackSkipsHeadersAndShortLines) {
  const store::ProjectStationSettings s;
  const std::string text = CycleHeaderLine(s) + CycleDataLine(s, SampleRow("1", "2")) + "a\tb\tc\r\n" +
                           "1\t2\t3\t4\t5\t6\t7\r\n" + "x\tEasting\t3\t4\t5\t6\t7\t8\r\n" +
                           "1\t2\t3\t4\t5\t6\t7\t8\t9\t10\t11\t12\t13\t14\t15\t16\t17\t18\t19\t20";
  const std::vector<CycleRow> rows = ParseCycleFileText(text);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0][kCyclePoint], "A");
  EXPECT_EQ(rows[0][kCycleHa], "1.00000");
  EXPECT_EQ(rows[1][6], "7") << "seven fields are shown";
  EXPECT_EQ(rows[1][7], "") << "padded to 18";
  EXPECT_EQ(rows[2][17], "18") << "cut to 18";
}

}  // namespace
}  // namespace vigil::monitoring
