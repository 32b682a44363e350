// Numbers typed into the settings sheet: a text that only begins like a number (a decimal
// comma, trailing letters, a second point) is refused on OK with the field's message; a text
// with no number at all, or nothing, is saved as typed and reading it back keeps the value
// the setting had. Nothing typed is ever taken as 0 or cut at its first odd character.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "../ui/SheetFixture.h"
#include "platform/Format.h"
#include "ui/StationSettingsSheet.h"

namespace vigil::ui {
namespace {

using Sheet = StationSettingsSheet;
using Settings = store::ProjectStationSettings;

constexpr const char* kNotANumber = "is not a number.";
constexpr const char* kOutOfRange = "is outside -90.0 to 60.0.";

enum class Outcome {
  Refused,  ///< the field's message, the sheet stays open, no file
  Outside,  ///< the same with the field's range
  Kept,     ///< saved; read back, the setting keeps the value it had
  Read,     ///< saved; read back as `value`
};

struct NumberCase {
  const char* field;  ///< the caption the message names
  int page;
  int edit;
  std::string typed;
  Outcome outcome;
  double value;  ///< Read: the value read back
  std::function<double(const Settings&)> get;
  const char* comment;
};

double Temperature(const Settings& s) {
  return s.temperature;
}
double Pressure(const Settings& s) {
  return s.pressure;
}
double Easting(const Settings& s) {
  return s.easting;
}
double Northing(const Settings& s) {
  return s.northing;
}
double Level(const Settings& s) {
  return s.reduced_level - s.instrument_height;
}
double Orientation(const Settings& s) {
  return s.orientation;
}
double Height(const Settings& s) {
  return s.instrument_height;
}
double Monitoring(const Settings& s) {
  return s.const_monitoring;
}
double Custom(const Settings& s) {
  return s.const_custom;
}
double Repeat(const Settings& s) {
  return s.repeat;
}
double Retry(const Settings& s) {
  return s.retry;
}
double Rounds(const Settings& s) {
  return s.rounds;
}

constexpr double kTol = 1e-9;

// What the settings hold before each case: none of them 0, so "taken as 0" shows.
void Preset(Settings& s) {
  s.temperature = 21.5;
  s.pressure = 990.5;
  s.easting = 1234.5;
  s.northing = 5678.25;
  s.instrument_height = 1.5;
  s.reduced_level = 101.5;  // the mark at 100
  s.orientation = 12.5;
  s.const_monitoring = -30.0;
  s.const_custom_name = "Q";
  s.const_custom = -17.5;
  s.repeat = 3;
  s.retry = 5;
  s.rounds = 2;
}

class SheetNumbers : public test::SheetFixture {
 protected:
  void Check(const NumberCase& c, int index) {
    SCOPED_TRACE(std::string(c.field) + " \"" + c.typed + "\" " + c.comment);
    Preset(store_.Settings());
    store_.Settings().project = "PROJ";
    store_.Settings().station = "STN1";
    const double before = c.get(store_.Settings());
    const std::string station = platform::Format("S%d", {index});
    ScriptedHost host(loop_);
    std::vector<std::string> failures;
    host.SetFailureHandler([&](const std::string& what) { failures.push_back(what); });
    platform::BasicStateBracket bracket(host, {});
    Sheet sheet(store_, bracket, true);
    host.Type(StationPage::kStationEditId, station, Sheet::kStation)
        .Select(Sheet::kTabId, c.page)
        .Type(c.edit, c.typed, c.page)
        .PressSoftKey(4);
    if (c.outcome == Outcome::Refused || c.outcome == Outcome::Outside) {
      host.AnswerMessageBox(c.outcome == Outcome::Refused ? kNotANumber : kOutOfRange, platform::kIdOk,
                            TextMatch::Contains)
          .Do("still open with the entry", [&] { EXPECT_EQ(host.TopDialog(), &sheet); })
          .PressSoftKey(1);
      EXPECT_EQ(host.Run(sheet), Sheet::kResultLoad);
      EXPECT_TRUE(failures.empty()) << failures.front();
      const std::vector<std::string> shown = host.MessageTexts();
      ASSERT_EQ(shown.size(), 1u);
      EXPECT_NE(shown[0].find(c.field), std::string::npos) << "names the field: " << shown[0];
      EXPECT_NE(shown[0].find("\"" + c.typed + "\""), std::string::npos) << shown[0];
      EXPECT_FALSE(platform::FileExists(StationFile("PROJ_" + station)));
      return;
    }
    EXPECT_EQ(host.Run(sheet), platform::kIdOk);
    EXPECT_TRUE(failures.empty()) << failures.front();
    EXPECT_TRUE(host.MessageTexts().empty());
    ASSERT_EQ(store_.LoadProjectStation(false), store::LoadResult::Loaded);
    EXPECT_NEAR(c.get(store_.Settings()), c.outcome == Outcome::Kept ? before : c.value, kTol);
  }
};

TEST_F(SheetNumbers, EveryNumberFieldRefusesHalfNumbersAndNeverReadsZero) {
  const int U = Sheet::kUnits, C = Sheet::kCoordinates, P = Sheet::kPrismConstants, R = Sheet::kReading;
  const std::vector<NumberCase> cases{
      // Units
      {"Temp", U, UnitsPage::kTemperatureEditId, "20.5", Outcome::Read, 20.5, Temperature, ""},
      {"Temp", U, UnitsPage::kTemperatureEditId, "20,5", Outcome::Refused, 0, Temperature,
       "was read as 20 without a word"},
      {"Temp", U, UnitsPage::kTemperatureEditId, "-3", Outcome::Read, -3.0, Temperature, ""},
      {"Temp", U, UnitsPage::kTemperatureEditId, " 7.25 ", Outcome::Read, 7.25, Temperature, "blanks around"},
      {"Temp", U, UnitsPage::kTemperatureEditId, "abc", Outcome::Kept, 0, Temperature, ""},
      {"Temp", U, UnitsPage::kTemperatureEditId, "", Outcome::Kept, 0, Temperature, "nothing is not 0"},
      {"Temp", U, UnitsPage::kTemperatureEditId, "-273.15", Outcome::Outside, 0, Temperature,
       "divided by zero and wrote nan"},
      {"Temp", U, UnitsPage::kTemperatureEditId, "-90.1", Outcome::Outside, 0, Temperature, ""},
      {"Temp", U, UnitsPage::kTemperatureEditId, "-90", Outcome::Read, -90.0, Temperature, ""},
      {"Temp", U, UnitsPage::kTemperatureEditId, "60.0", Outcome::Read, 60.0, Temperature, ""},
      {"Temp", U, UnitsPage::kTemperatureEditId, "600", Outcome::Outside, 0, Temperature, ""},
      {"Pressure", U, UnitsPage::kPressureEditId, "1013,25", Outcome::Refused, 0, Pressure,
       "was read as 1013"},
      {"Pressure", U, UnitsPage::kPressureEditId, "1013.25hPa", Outcome::Refused, 0, Pressure, ""},
      {"Pressure", U, UnitsPage::kPressureEditId, "1.013.25", Outcome::Refused, 0, Pressure, ""},
      // Coordinates (metres)
      {"Easting", C, CoordinatesPage::kEastingEditId, "30000.1234", Outcome::Read, 30000.1234, Easting, ""},
      {"Easting", C, CoordinatesPage::kEastingEditId, "30000,1234", Outcome::Refused, 0, Easting,
       "was stored as 30000.0000"},
      {"Easting", C, CoordinatesPage::kEastingEditId, "12abc", Outcome::Refused, 0, Easting, ""},
      {"Easting", C, CoordinatesPage::kEastingEditId, "abc", Outcome::Kept, 0, Easting, ""},
      {"Easting", C, CoordinatesPage::kEastingEditId, "", Outcome::Kept, 0, Easting, "nothing is not 0"},
      {"Northing", C, CoordinatesPage::kNorthingEditId, "1.2.3", Outcome::Refused, 0, Northing, ""},
      {"RL", C, CoordinatesPage::kLevelEditId, "-5,5", Outcome::Refused, 0, Level, ""},
      {"RL", C, CoordinatesPage::kLevelEditId, "-5.5", Outcome::Read, -5.5, Level, ""},
      {"Orientation", C, CoordinatesPage::kOrientationEditId, "399,5", Outcome::Refused, 0, Orientation, ""},
      {"Orientation", C, CoordinatesPage::kOrientationEditId, "399.5", Outcome::Read, 399.5, Orientation, ""},
      {"Inst. Height", C, CoordinatesPage::kHeightEditId, "1,55", Outcome::Refused, 0, Height, ""},
      // Prism constants (mm)
      {"Monitoring", P, PrismConstantsPage::kMonitoringEditId, "-30,5", Outcome::Refused, 0, Monitoring, ""},
      {"Monitoring", P, PrismConstantsPage::kMonitoringEditId, "-34.4", Outcome::Read, -34.4, Monitoring, ""},
      {"Custom", P, PrismConstantsPage::kCustomConstantEditId, "17,4", Outcome::Refused, 0, Custom, ""},
      // Configure Reading: whole numbers
      {"Repeats", R, ReadingPage::kRepeatsEditId, "4", Outcome::Read, 4, Repeat, ""},
      {"Repeats", R, ReadingPage::kRepeatsEditId, "3,5", Outcome::Refused, 0, Repeat, "was read as 3"},
      {"Repeats", R, ReadingPage::kRepeatsEditId, "2.5", Outcome::Refused, 0, Repeat, "was read as 2"},
      {"Repeats", R, ReadingPage::kRepeatsEditId, "abc", Outcome::Kept, 0, Repeat, ""},
      {"Retries", R, ReadingPage::kRetriesEditId, "", Outcome::Kept, 0, Retry, "nothing is not 0"},
      {"Retries", R, ReadingPage::kRetriesEditId, "0", Outcome::Read, 0, Retry, "a typed 0 is a 0"},
      {"Rounds", R, ReadingPage::kRoundsEditId, "2x", Outcome::Refused, 0, Rounds, "was read as 2"},
      {"Rounds", R, ReadingPage::kRoundsEditId, "1 2", Outcome::Refused, 0, Rounds, ""},
  };
  for (std::size_t i = 0; i < cases.size(); ++i) Check(cases[i], static_cast<int>(i));
}

TEST_F(SheetNumbers, TheIntervalFieldTakesDigitsOnly) {
  struct Case {
    std::string typed;
    std::string shown;
    std::string cycles;
  };
  const std::vector<Case> cases{
      {"4", "4", "1,01:00 AM|2,05:00 AM|3,09:00 AM|4,01:00 PM|5,05:00 PM|6,09:00 PM"},
      {"4,5", "45", "1,01:00 AM"},  // the comma never reaches the field
      {"x", "", ""},
      {"", "", ""},
      {"0", "0", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("\"" + c.typed + "\"");
    ScriptedHost host(loop_);
    platform::BasicStateBracket bracket(host, {});
    Sheet sheet(store_, bracket, false);
    host.Select(Sheet::kTabId, Sheet::kCycles)
        .Type(CyclesPage::kIntervalEditId, c.typed, Sheet::kCycles)
        .Do("look",
            [&] {
              EXPECT_EQ(sheet.Cycles().Text(CyclesPage::kIntervalEditId), c.shown);
              EXPECT_EQ(sheet.Cycles().CycleList(), c.cycles);
            })
        .PressSoftKey(1);
    host.Run(sheet);
  }
}

}  // namespace
}  // namespace vigil::ui
