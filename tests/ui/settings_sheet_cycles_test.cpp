// The Cycles page: the mode decides what is shown, the interval and start time the list.
#include <gtest/gtest.h>

#include "SheetFixture.h"
#include "store/KeyValueFile.h"
#include "ui/StationSettingsSheet.h"

namespace vigil::ui {
namespace {

using Sheet = StationSettingsSheet;
constexpr int kPage = Sheet::kCycles;

class SheetCyclesTest : public test::SheetFixture {
 protected:
  std::string SavedCycles() const { return store::KeyValueFile(StationFile("PROJ_STN1")).Get("cycles"); }
  static std::vector<std::string> Table(const CyclesPage& page) {
    std::vector<std::string> rows;
    for (int r = 0; r < page.ListRowCount(CyclesPage::kCycleTableId); ++r) {
      rows.push_back(page.ListCell(CyclesPage::kCycleTableId, r, 0) + " " +
                     page.ListCell(CyclesPage::kCycleTableId, r, 1));
    }
    return rows;
  }
};

TEST_F(SheetCyclesTest, IntervalAndStartTimeBuildTheList) {
  struct Case {
    const char* interval;
    const char* start;
    const char* expected;
    std::size_t rows;
  };
  const Case cases[] = {
      {"4", "01:00 AM", "1,01:00 AM|2,05:00 AM|3,09:00 AM|4,01:00 PM|5,05:00 PM|6,09:00 PM", 6},
      {"4", "09:00 PM", "1,09:00 PM", 1},
      {"6", "12:00 AM", "1,12:00 AM|2,06:00 AM|3,12:00 PM|4,06:00 PM", 4},
      {"0", "01:00 AM", "", 0},
      {"00", "01:00 AM", "", 0},
      {"", "01:00 AM", "", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.interval) + " from " + c.start);
    store_.ResetProjectStation();
    ScriptedHost host(loop_);
    host.SetFailureHandler([](const std::string& what) { ADD_FAILURE() << what; });
    platform::BasicStateBracket bracket(host, {});
    Sheet sheet(store_, bracket, true);
    host.Select(Sheet::kTabId, kPage)
        .SelectText(CyclesPage::kStartTimeListId, c.start, kPage)
        .Type(CyclesPage::kIntervalEditId, c.interval, kPage)
        .Do("look",
            [&] {
              EXPECT_EQ(sheet.Cycles().CycleList(), c.expected);
              EXPECT_EQ(Table(sheet.Cycles()).size(), c.rows);
            })
        .PressSoftKey(4);
    EXPECT_EQ(host.Run(sheet), platform::kIdOk);
    EXPECT_EQ(SavedCycles(), c.expected);
    ASSERT_TRUE(platform::DeleteFileAt(StationFile("PROJ_STN1")));
  }
}

TEST_F(SheetCyclesTest, TheTableShowsOneRowPerCycle) {
  store_.Settings().interval = "6";
  store_.Settings().start_time = "12:00 AM";
  Sheet sheet(store_, bracket_, false);
  host_
      .Do("look",
          [&] {
            EXPECT_EQ(Table(sheet.Cycles()),
                      (std::vector<std::string>{"Cycle 1 12:00 AM", "Cycle 2 06:00 AM", "Cycle 3 12:00 PM",
                                                "Cycle 4 06:00 PM"}));
            EXPECT_EQ(sheet.Cycles().ComboSelectedText(CyclesPage::kStartTimeListId), "12:00 AM");
            const platform::Control* table = sheet.Cycles().Find(CyclesPage::kCycleTableId);
            ASSERT_NE(table, nullptr);
            EXPECT_EQ(table->columns[0].caption, "Cycle");
            EXPECT_EQ(table->columns[0].widthPx, 100);
            EXPECT_EQ(table->columns[1].caption, "Time");
            EXPECT_EQ(table->columns[1].widthPx, 120);
          })
      .PressSoftKey(1);
  host_.Run(sheet);
}

TEST_F(SheetCyclesTest, ContinuousHidesTheScheduleAndKeepsTheLastList) {
  store_.Settings().cycles = "1,02:00 AM|2,03:00 PM";
  store_.Settings().interval = "13";
  store_.Settings().start_time = "02:00 AM";
  Sheet sheet(store_, bracket_, false);
  const int scheduleFields[] = {CyclesPage::kIntervalEditId, CyclesPage::kIntervalLabelId,
                                CyclesPage::kStartTimeListId, CyclesPage::kStartTimeLabelId,
                                CyclesPage::kCycleTableId};
  host_.Select(Sheet::kTabId, kPage)
      .Type(CyclesPage::kIntervalEditId, "12", kPage)
      .Select(CyclesPage::kModeListId, CyclesPage::kModeContinuous, kPage)
      .Do("hidden",
          [&] {
            for (int id : scheduleFields) EXPECT_FALSE(sheet.Cycles().IsShown(id)) << id;
          })
      .PressSoftKey(4);
  EXPECT_EQ(host_.Run(sheet), platform::kIdOk);
  EXPECT_EQ(SavedCycles(), "1,02:00 AM|2,02:00 PM") << "the list last built is kept";
  const store::KeyValueFile file(StationFile("PROJ_STN1"));
  EXPECT_EQ(file.Get("mode"), "1");
  EXPECT_EQ(file.Get("interval"), "12");
}

TEST_F(SheetCyclesTest, OpeningInContinuousModeKeepsTheStoredList) {
  store_.Settings().mode = CyclesPage::kModeSingle;
  store_.Settings().cycles = "1,07:00 AM";  // not what interval 4 from 01:00 AM would give
  Sheet sheet(store_, bracket_, false);
  host_.Do("look", [&] { EXPECT_FALSE(sheet.Cycles().IsShown(CyclesPage::kCycleTableId)); })
      .Select(Sheet::kTabId, kPage)
      .Select(CyclesPage::kModeListId, CyclesPage::kModeInterval, kPage)
      .Do("shown and rebuilt",
          [&] {
            EXPECT_TRUE(sheet.Cycles().IsShown(CyclesPage::kCycleTableId));
            EXPECT_EQ(sheet.Cycles().CycleList(), store::kDefaultCycles);
          })
      .Select(CyclesPage::kModeListId, CyclesPage::kModeSingle, kPage)
      .PressSoftKey(4);
  EXPECT_EQ(host_.Run(sheet), platform::kIdOk);
  EXPECT_EQ(SavedCycles(), store::kDefaultCycles);
}

TEST_F(SheetCyclesTest, OpeningInIntervalModeWithoutAnIntervalEmptiesTheList) {
  store_.Settings().interval = "0";
  Sheet sheet(store_, bracket_, false);
  host_
      .Do("look",
          [&] {
            EXPECT_EQ(sheet.Cycles().CycleList(), "");
            EXPECT_EQ(sheet.Cycles().ListRowCount(CyclesPage::kCycleTableId), 0);
          })
      .PressSoftKey(1);
  host_.Run(sheet);
}

TEST_F(SheetCyclesTest, TheIntervalFieldTakesDigitsOnly) {
  Sheet sheet(store_, bracket_, true);
  host_.Select(Sheet::kTabId, kPage)
      .Type(CyclesPage::kIntervalEditId, "-8h", kPage)
      .Do("look",
          [&] {
            EXPECT_EQ(sheet.Cycles().Text(CyclesPage::kIntervalEditId), "8");
            EXPECT_EQ(sheet.Cycles().CycleList(), "1,01:00 AM|2,09:00 AM|3,05:00 PM");
          })
      .PressSoftKey(1);
  host_.Run(sheet);
}

}  // namespace
}  // namespace vigil::ui
