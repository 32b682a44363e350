// The demo's pictures of vigil-web, taken of the stepping site; and without Chromium, none and
// a note saying why, the demo going on.
#include <gtest/gtest.h>

#include "SteppingSite.h"
#include "TempFolder.h"
#include "demo/DashboardShots.h"
#include "platform/Files.h"
#include "results/ResultsDatabase.h"

namespace vigil::demo {
namespace {

TEST(DashboardShots, TheOverviewAndThePlotsOfAPointOrANoteWhyNot) {
  vigil::test::TempFolder folder;
  std::string error;
  ASSERT_TRUE(web::test::WriteSteppingSite(folder.path(), error)) << error;
  const auto db = folder.path() / results::kResultsFileName;

  DashboardPaths missing = BuiltDashboardPaths();
  missing.chromium = folder.path() / "no-chromium";
  const DashboardShots none = TakeDashboardShots(missing, db, folder.path() / "alarms.conf", "DAM", "P1",
                                                 "M1", folder.path() / "none");
  EXPECT_TRUE(none.pictures.empty());
  EXPECT_NE(none.note.find("Chromium is not installed"), std::string::npos) << none.note;

  // No point named: the one with the largest step, M3's 15 mm north beside M1's 11 mm.
  const DashboardShots shots = TakeDashboardShots(BuiltDashboardPaths(), db, folder.path() / "alarms.conf",
                                                  "DAM", "P1", "", folder.path() / "shots");
  ASSERT_EQ(shots.pictures.size(), 2u) << shots.note;
  for (const auto& picture : shots.pictures) {
    const auto bytes = platform::ReadFileBytes(picture);
    ASSERT_TRUE(bytes);
    EXPECT_EQ(bytes->substr(1, 3), "PNG") << picture;
    EXPECT_GT(bytes->size(), 20'000u) << picture << ": a page with content, not a blank one";
  }
  EXPECT_TRUE(shots.note.empty()) << shots.note;
  const auto log = platform::ReadFileBytes(folder.path() / "shots" / "dashboard-shots.log");
  EXPECT_NE(log.value_or("").find("dashboard pictures of M3"), std::string::npos) << log.value_or("");
}

}  // namespace
}  // namespace vigil::demo
