// The results database: a cycle written in one transaction and replaced when written again,
// velocities from the cycles before, a database rebuilt from the cycle files giving the same
// rows, and databases that cannot be used saying why.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SyntheticSite.h"
#include "TempFolder.h"
#include "platform/Files.h"
#include "results/CycleStore.h"
#include "results/ResultsDatabase.h"
#include "results/Schema.h"

namespace vigil::results {
namespace {

using evaluation::test::CycleText;
using evaluation::test::Trained;

const survey::StationPosition kStation{2250.0, 5120.0, 438.15};

store::ProjectStationSettings Settings() {
  store::ProjectStationSettings s;
  s.project = "DAM";
  s.station = "P1";
  return s;
}

// Day d's cycle: M1 has moved d times its movement, so it moves 1 mm east a day (and so on).
std::filesystem::path WriteDay(const std::filesystem::path& folder, int day) {
  const std::string date = platform::Format("%02d-12-2026", {8 + day});
  const auto path = folder / platform::Format("P1_DAM_%02d-Dec-2026_Cycle_1.vgl", {8 + day});
  EXPECT_TRUE(
      platform::WriteUtf16FileAtomic(path, CycleText(kStation, kStation, 0.0, 1, date.c_str(), day / 3.0)));
  return path;
}

// Every row of every table, as text, for comparing two databases.
std::string Dump(ResultsDatabase& db) {
  std::string out;
  for (const char* table :
       {"cycles", "station_solutions", "reference_uses", "observations", "point_results"}) {
    Statement s = db.Raw().Prepare(std::string("SELECT * FROM ") + table + " ORDER BY 1, 2");
    while (s.Step()) {
      out += table;
      for (int c = 0; c < s.Columns(); ++c) out += "|" + s.Text(c);
      out += "\n";
    }
  }
  return out;
}

TEST(ResultsDatabase, ACycleWrittenAgainReplacesItsRowsAndVelocitiesComeFromTheDaysBefore) {
  test::TempFolder dir;
  std::string error;
  auto db = ResultsDatabase::Open(dir.path() / kResultsFileName, error);
  ASSERT_TRUE(db) << error;
  std::vector<std::filesystem::path> files;
  for (int day = 0; day < 4; ++day) files.push_back(WriteDay(dir.path(), day));
  for (const auto& f : files)
    ASSERT_EQ(StoreCycleFile(*db, f, Settings(), Trained(kStation), {}).outcome, StoreOutcome::kStored);
  const std::string once = Dump(*db);
  ASSERT_EQ(StoreCycleFile(*db, files[2], Settings(), Trained(kStation), {}).outcome, StoreOutcome::kStored);
  EXPECT_EQ(db->Cycles("DAM", "P1").size(), 4u) << "the same file replaces its cycle";

  const auto m1 = db->Points("DAM", "P1", "M1", 0, INT64_MAX);
  ASSERT_EQ(m1.size(), 4u);
  EXPECT_FALSE(m1[0].hasVelocity) << "one cycle has no velocity";
  ASSERT_TRUE(m1[3].hasVelocity);
  EXPECT_NEAR(m1[3].eastMmPerDay, 1.0, 0.05);
  EXPECT_NEAR(m1[3].northMmPerDay, -2.0 / 3.0, 0.05);
  EXPECT_NEAR(m1[3].eastMm, 3.0, 0.1);
  EXPECT_TRUE(m1[3].corrected);

  const auto cycles = db->Cycles("DAM", "P1");
  EXPECT_EQ(cycles[0].referencesUsed, "R1, R2, R3, R4");
  EXPECT_EQ(cycles[0].failedLines, 6);
  EXPECT_EQ(db->Cycles("", "").size(), 4u);
  EXPECT_TRUE(db->Cycles("DAM", "P2").empty());

  // Rebuilt from the same files on a fresh database: the same rows.
  auto rebuilt = ResultsDatabase::Open(dir.path() / "rebuilt.sqlite", error);
  ASSERT_TRUE(rebuilt) << error;
  for (const auto& f : files) StoreCycleFile(*rebuilt, f, Settings(), Trained(kStation), {});
  EXPECT_EQ(Dump(*rebuilt), once);
  EXPECT_GT(once.size(), 10000u);
}

TEST(ResultsDatabase, ABaselineCycleReplacesTheTrainedPositions) {
  test::TempFolder dir;
  std::string error;
  auto db = ResultsDatabase::Open(dir.path() / kResultsFileName, error);
  ASSERT_TRUE(db) << error;
  const auto first = WriteDay(dir.path(), 3);
  const auto later = WriteDay(dir.path(), 6);
  StoreCycleFile(*db, first, Settings(), Trained(kStation), {});
  evaluation::EvaluationSettings es;
  es.baselineCycle = platform::PathText(first.filename());
  const StoredCycleReport r = StoreCycleFile(*db, later, Settings(), Trained(kStation), es);
  ASSERT_EQ(r.outcome, StoreOutcome::kStored);
  EXPECT_TRUE(r.message.empty()) << r.message;
  const auto m1 = db->Points("DAM", "P1", "M1", 0, INT64_MAX);
  EXPECT_NEAR(m1.back().eastMm, 3.0, 0.1) << "6 mm moved, 3 of them before the baseline";

  es.baselineCycle = "P1_DAM_01-Jan-2026_Cycle_9.vgl";
  const StoredCycleReport missing = StoreCycleFile(*db, later, Settings(), Trained(kStation), es);
  EXPECT_EQ(missing.outcome, StoreOutcome::kStored);
  EXPECT_NE(missing.message.find("not in the results database"), std::string::npos) << "said, not silent";
}

TEST(ResultsDatabase, DatabasesThatCannotBeUsedSayWhy) {
  test::TempFolder dir;
  std::string error;
  // a file where the database's folder should be
  ASSERT_TRUE(platform::WriteFileBytesAtomic(dir.path() / "Data", "not a folder"));
  EXPECT_FALSE(ResultsDatabase::Open(dir.path() / "Data" / kResultsFileName, error));
  EXPECT_FALSE(error.empty());

  {
    auto db = Database::Open(dir.path() / "newer.sqlite", error);
    ASSERT_TRUE(db && db->Execute("PRAGMA user_version = 99"));
  }
  error.clear();
  EXPECT_FALSE(ResultsDatabase::Open(dir.path() / "newer.sqlite", error));
  EXPECT_NE(error.find("newer version (99)"), std::string::npos) << error;

  ASSERT_TRUE(platform::WriteFileBytesAtomic(dir.path() / "junk.sqlite", std::string(4096, 'x')));
  error.clear();
  EXPECT_FALSE(ResultsDatabase::Open(dir.path() / "junk.sqlite", error));
  EXPECT_FALSE(error.empty());

  auto db = ResultsDatabase::Open(dir.path() / kResultsFileName, error);
  ASSERT_TRUE(db);
  ASSERT_TRUE(platform::WriteUtf16FileAtomic(dir.path() / "headless.vgl", "4\t1\t1\r\n"));
  const StoredCycleReport r =
      StoreCycleFile(*db, dir.path() / "headless.vgl", Settings(), Trained(kStation), {});
  EXPECT_EQ(r.outcome, StoreOutcome::kUnreadable);
  EXPECT_NE(r.message.find("headless.vgl"), std::string::npos);
}

}  // namespace
}  // namespace vigil::results
