#include "monitoring/MonitoringRows.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vigil::monitoring {
namespace {

training::TrainingPoint Point(std::string name, std::string ha, std::string va) {
  return {std::move(name), std::move(ha), std::move(va), "50.0000", "1100.0000",
          "2000.0000",     "100.0000",    "2",           ""};
}

// "A1 A1 B2 ..." of the rows: point name and face.
std::string Order(const std::vector<MonitoringRow>& rows, bool withRound = false) {
  std::string order;
  for (const MonitoringRow& r : rows) {
    if (!order.empty()) order += ' ';
    order += r.cells[kCyclePoint] + r.cells[kCycleFace];
    if (withRound) order += "/" + r.cells[kCycleRound];
  }
  return order;
}

TEST(MonitoringRows, OrderOfSequencesRepeatsAndRounds) {
  struct Case {
    int sequence;
    int repeat;
    int rounds;
    const char* order;
  };
  const Case cases[] = {
      {0, 3, 1, "A1 A1 A1 B1 B1 B1 A2 A2 A2 B2 B2 B2"},
      {1, 3, 1, "A1 A1 A1 A2 A2 A2 B1 B1 B1 B2 B2 B2"},
      {2, 1, 2, "A1/1 B1/1 A1/2 B1/2"},
      {0, 1, 2, "A1/1 B1/1 A2/1 B2/1 A1/2 B1/2 A2/2 B2/2"},
      {1, 1, 1, "A1 A2 B1 B2"},
      {0, 0, 1, ""},
      {0, 1, 0, ""},
  };
  const std::vector<training::TrainingPoint> points{Point("A", "100.00000", "100.00000"),
                                                    Point("B", "250.00000", "95.00000")};
  for (const Case& c : cases) {
    store::ProjectStationSettings s;
    s.sequence = c.sequence;
    s.repeat = c.repeat;
    s.rounds = c.rounds;
    const auto rows = BuildMonitoringRows(s, points, 3.0);
    const bool rounds = c.sequence == 2 || c.rounds > 1;
    EXPECT_EQ(Order(rows, rounds), c.order) << "sequence " << c.sequence;
  }
}

TEST(MonitoringRows, ExpectedColumnsAndTheFaceTwoTurnOver) {
  struct Case {
    const char* ha;
    const char* va;
    const char* ha2;
    const char* va2;
  };
  const Case cases[] = {
      {"100.00000", "98.00000", "300.00000", "302.00000"},
      {"250.00000", "101.50000", "50.00000", "298.50000"},
      {"199.99999", "100.00000", "399.99999", "300.00000"},
      {"200", "0", "0.00000", "400.00000"},
  };
  for (const Case& c : cases) {
    store::ProjectStationSettings s;
    s.repeat = 1;
    const auto rows = BuildMonitoringRows(s, {Point("P", c.ha, c.va)}, 12.0);
    ASSERT_EQ(rows.size(), 2u);
    const CycleRow& f1 = rows[0].cells;
    const CycleRow& f2 = rows[1].cells;
    EXPECT_EQ(f1[kCycleEpoch], "4");
    EXPECT_EQ(f1[kCycleNumber], "12");
    EXPECT_EQ(f1[kCycleRound], "1");
    EXPECT_EQ(f1[kCycleSd], "50.0000");
    EXPECT_EQ(f1[kCycleDate], "");
    EXPECT_EQ(f1[kCycleEasting], "");
    EXPECT_EQ(f2[kCycleHa], c.ha2) << c.ha;
    EXPECT_EQ(f2[kCycleVa], c.va2) << c.va;
    EXPECT_EQ(rows[1].prismType, 2);
    EXPECT_EQ(rows[1].refEasting, "1100.0000");
  }
}

TEST(MonitoringRows, DegreeModeShowsAnglesInDegrees) {
  store::ProjectStationSettings s;
  s.angle_units = 1;
  s.repeat = 1;
  s.sequence = 2;
  // The training file of a degree-mode station holds display texts.
  const auto rows =
      BuildMonitoringRows(s, {Point("P", "90\xC2\xB0 00' 00.00\"", "90\xC2\xB0 00' 00.00\"")}, 1.0);
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0].cells[kCycleHa], "90\xC2\xB0 00' 0.00\"");
}

}  // namespace
}  // namespace vigil::monitoring
