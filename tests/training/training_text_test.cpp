#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "training/TrainingColumns.h"
#include "training/TrainingFileFormat.h"

namespace vigil::training {
namespace {

using store::ProjectStationSettings;

TrainingPoint Point(const char* name, const char* ha, const char* va, const char* sd, const char* e,
                    const char* n, const char* rl, const char* type) {
  return TrainingPoint{name, ha, va, sd, e, n, rl, type, ""};
}

struct ParseCase {
  std::string line;
  bool kept;
  TrainingPoint expected;
  const char* comment;
};

TEST(ParseTrainingText, ReadsEachLineByItsFieldCount) {
  const ParseCase cases[] = {
      {"1\tXYZ001\t123.45670\t98.76540\t45.6789\t30012.3456\t30040.1234\t101.2345\t2\tMonitoring Prism "
       "(-30.0)",
       true, Point("XYZ001", "123.45670", "98.76540", "45.6789", "30012.3456", "30040.1234", "101.2345", "2"),
       "line as the program writes it; the label is not read"},
      {"0\tA\t1\t2\t3\t4\t5\t6\t4", true, Point("A", "1", "2", "3", "4", "5", "6", "4"), "status 0 as 1"},
      {"0\tA\t1\t2\t3\t4\t5\t6", true, Point("A", "1", "2", "3", "4", "5", "6", "-1"),
       "status, name and six values: no type"},
      {"A\t1\t2\t3\t4\t5\t6", true, Point("A", "1", "2", "3", "4", "5", "6", "-1"),
       "seven fields, no status"},
      {"A\t1\t2\t3\t4\t5\t6\t3", true, Point("A", "1", "2", "3", "4", "5", "6", "3"), "eight without status"},
      {"A\t1\t2\t3\t4\t5\t6\t3\tlabel\textra", true, Point("A", "1", "2", "3", "4", "5", "6", "3"),
       "fields past the type are ignored"},
      {"1\t1\t2\t3\t4\t5\t6", true, Point("1", "1", "2", "3", "4", "5", "6", "-1"),
       "once read as a status with the values shifted and the level lost"},
      {"2\tA\t1\t2\t3\t4\t5\t6", true, Point("2", "A", "1", "2", "3", "4", "5", "6"),
       "only 0 and 1 are status"},
      {"1\tA\t\t\t\t\t\t\t", true, Point("A", "", "", "", "", "", "", ""), "empty texts are kept as stored"},
      {"1\tA\t1\t2\t3\t4\t5\t6\tx7", true, Point("A", "1", "2", "3", "4", "5", "6", "x7"),
       "type text kept as stored"},
      {"A\t1\t2\t3\t4\t5", false, {}, "six fields"},
      {"", false, {}, "empty line"},
      {"1\tEastingPt\t1\t2\t3\t4\t5\t6\t2", false, {}, "a name with Easting is taken for a header"},
      {"Stat\tPt. Name\tHa(gons)\tVa(gons)\tSD(m)\tEasting(m)\tNorthing(m)\tRL(m)\tPrismType\tPrism Type",
       false,
       {},
       "header"},
      {"Pt. Name\tHa\tVa\tSD(ft)\tEasting(ft)\tNorthing(ft)\tRL(ft)", false, {}, "header without status"},
      {"1\tA\t1\t2\t3\t4\t5\t6\t5\tCustom Prism \"Easting\" (1.0)", true,
       Point("A", "1", "2", "3", "4", "5", "6", "5"),
       "a custom prism name in the label once hid the point and the next save lost it"},
      {"1\tA\r\tB\t1\t2\t3\t4\t5\t6", true, Point("A\r", "B", "1", "2", "3", "4", "5", "6"),
       "a lone CR is not a line end"},
  };
  for (const ParseCase& c : cases) {
    const std::vector<TrainingPoint> points = ParseTrainingText(c.line + "\r\n");
    ASSERT_EQ(points.size(), c.kept ? 1u : 0u) << c.comment;
    if (c.kept) {
      EXPECT_EQ(points[0], c.expected) << c.comment;
    }
  }
}

TEST(ParseTrainingText, KeepsTextAfterAZeroCharacter) {
  // A zero once ended the text: every point after it was dropped and the next save lost them.
  // The line holding it once shifted its columns (name "\0" "1", Ha "XYZ002"): it is unreadable.
  const std::string text = std::string("1\tA\0B\t1\t2\t3\t4\t5\t6\t2\r\n", 21) +
                           std::string("\0\x31\tXYZ002\t1\t2\t3\t4\t5\t6\r\n", 23) +
                           "1\tC\t1\t2\t3\t4\t5\t6\t2\r\n";
  const TrainingText content = ReadTrainingText(text);
  ASSERT_EQ(content.points.size(), 1u);
  EXPECT_EQ(content.points[0].name, "C");
  EXPECT_EQ(content.skippedLines, 2);
}

TEST(ParseTrainingText, ByteOrderMark) {
  const std::string bom = "\xEF\xBB\xBF";
  const std::string line = "1\tA\t1\t2\t3\t4\t5\t6\t2\r\n";
  // The mark is part of the skipped header.
  EXPECT_EQ(ParseTrainingText(bom + "Stat\tPt. Name\tEasting(m)\r\n" + line).size(), 1u);
  // Without a header the mark once hid the status and shifted the first point's values.
  const std::vector<TrainingPoint> points = ParseTrainingText(bom + line + line);
  ASSERT_EQ(points.size(), 2u);
  EXPECT_EQ(points[0], points[1]);
  EXPECT_EQ(points[0].name, "A");
}

TEST(ParseTrainingText, LineEndsAndOrder) {
  const std::string a = "1\tA\t1\t2\t3\t4\t5\t6\t0";
  const std::string b = "1\tB\t1\t2\t3\t4\t5\t6\t1";
  EXPECT_EQ(ParseTrainingText(a + "\r\n" + b).size(), 2u) << "last line without CR LF still counts";
  EXPECT_EQ(ParseTrainingText(a + "\r\n\r\n\r\n" + b + "\r\n").size(), 2u) << "blank lines skipped";
  EXPECT_EQ(ParseTrainingText(a + "\n" + b + "\n").size(), 2u) << "LF alone ends a line";
  const std::vector<TrainingPoint> points = ParseTrainingText(b + "\r\n" + a + "\r\n" + b + "\r\n");
  ASSERT_EQ(points.size(), 3u);
  EXPECT_EQ(points[0].name + points[1].name + points[2].name, "BAB") << "file order, duplicates kept";
}

struct ColumnCase {
  int angleUnits;
  int distanceUnit;
  std::vector<std::string> headers;
  int angleWidth;
};

TEST(TrainingColumns, HeadersAndWidthsFollowTheUnits) {
  const ColumnCase cases[] = {
      {0,
       0,
       {"Pt. Name", "Ha(gons)", "Va(gons)", "SD(m)", "Easting(m)", "Northing(m)", "RL(m)", "PrismType",
        "Prism Type"},
       80},
      {1,
       1,
       {"Pt. Name", "Ha", "Va", "SD(ft)", "Easting(ft)", "Northing(ft)", "RL(ft)", "PrismType", "Prism Type"},
       110},
      {0,
       2,
       {"Pt. Name", "Ha(gons)", "Va(gons)", "SD(in)", "Easting(in)", "Northing(in)", "RL(in)", "PrismType",
        "Prism Type"},
       80},
  };
  for (const ColumnCase& c : cases) {
    ProjectStationSettings s;
    s.angle_units = c.angleUnits;
    s.distance_unit = c.distanceUnit;
    const TrainingColumnSpecs columns = TrainingColumns(s);
    const int widths[] = {100, c.angleWidth, c.angleWidth, 80, 80, 80, 80, 0, 150};
    for (std::size_t i = 0; i < columns.size(); ++i) {
      EXPECT_EQ(columns[i].header, c.headers[i]) << "units " << c.angleUnits << "/" << c.distanceUnit;
      EXPECT_EQ(columns[i].widthPixels, widths[i]) << "column " << i;
    }
  }
}

TEST(BuildTrainingText, ExactLines) {
  const TrainingColumnSpecs columns = TrainingColumns(ProjectStationSettings{});
  TrainingPoint p =
      Point("XYZ001", "123.45670", "98.76540", "45.6789", "30012.3456", "30040.1234", "101.2345", "2");
  p.prism_label = "Monitoring Prism (-30.0)";
  EXPECT_EQ(
      BuildTrainingText(columns, {p}),
      "Stat\tPt. Name\tHa(gons)\tVa(gons)\tSD(m)\tEasting(m)\tNorthing(m)\tRL(m)\tPrismType\tPrism Type\r\n"
      "1\tXYZ001\t123.45670\t98.76540\t45.6789\t30012.3456\t30040.1234\t101.2345\t2\t"
      "Monitoring Prism (-30.0)\r\n");
  EXPECT_EQ(
      BuildTrainingText(columns, {}),
      "Stat\tPt. Name\tHa(gons)\tVa(gons)\tSD(m)\tEasting(m)\tNorthing(m)\tRL(m)\tPrismType\tPrism Type\r\n")
      << "an empty list still writes its header";
}

}  // namespace
}  // namespace vigil::training
