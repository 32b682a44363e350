// Unit choices on the settings sheet: what the other pages show, what is handed over at once
// and what is saved.
#include <gtest/gtest.h>

#include "SheetFixture.h"
#include "ui/StationSettingsSheet.h"

namespace vigil::ui {
namespace {

using Sheet = StationSettingsSheet;

class SheetUnitsTest : public test::SheetFixture {
 protected:
  std::string Saved(const char* key) const {
    const std::string text = FileText(StationFile("PROJ_STN1"));
    const std::string needle = std::string("\r\n") + key + "=";
    const std::size_t at = text.find(needle);
    if (at == std::string::npos) return "<none>";
    const std::size_t from = at + needle.size();
    return text.substr(from, text.find("\r\n", from) - from);
  }
};

TEST_F(SheetUnitsTest, DistanceUnitRelabelsCoordinatesAndConvertsPrismConstants) {
  struct Case {
    const char* what;
    int standard;  // chosen after the unit, -1: untouched
    int unit;
    const char* label;
    const char* prismShown;    // monitoring constant of -30.0 mm after the switch
    const char* eastingSaved;  // the easting 30000.0000 read in the new unit (m)
    const char* prismSaved;
  };
  const Case cases[] = {
      {"feet", -1, 1, "ft", "-0.0984", "9144.0000", "-30.0"},
      {"inches", -1, 2, "in", "-1.1811", "762.0000", "-30.0"},
      // The standard chosen on the page is the one the saved distances are read in.
      {"US feet", 1, 1, "ft", "-0.0984", "9144.0183", "-30.0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    store_.ResetProjectStation();
    ScriptedHost host(loop_);
    host.SetFailureHandler([](const std::string& what) { ADD_FAILURE() << what; });
    platform::BasicStateBracket bracket(host, {});
    Sheet sheet(store_, bracket, true);
    host.Select(Sheet::kTabId, Sheet::kUnits).Select(UnitsPage::kDistanceListId, c.unit, Sheet::kUnits);
    if (c.standard >= 0) host.Select(UnitsPage::kStandardListId, c.standard, Sheet::kUnits);
    host.Do("look at the pages", [&] {
      EXPECT_EQ(store_.Settings().distance_unit, c.unit) << "handed over at once";
      EXPECT_EQ(sheet.Coordinates().Text(CoordinatesPage::kEastingEditId), "30000.0000");
      EXPECT_EQ(sheet.Coordinates().Text(CoordinatesPage::kEastingLabelId),
                std::string("Easting (") + c.label + ")");
      EXPECT_EQ(sheet.Coordinates().Text(CoordinatesPage::kHeightLabelId),
                std::string("Inst. Height (") + c.label + ")");
      EXPECT_EQ(sheet.PrismConstants().Text(PrismConstantsPage::kMonitoringEditId), c.prismShown);
      EXPECT_EQ(sheet.PrismConstants().Text(PrismConstantsPage::kCustomLabelId),
                std::string("Custom (") + c.label + ")");
    });
    host.PressSoftKey(4);
    EXPECT_EQ(host.Run(sheet), platform::kIdOk);
    EXPECT_EQ(Saved("easting"), c.eastingSaved);
    EXPECT_EQ(Saved("const_monitoring"), c.prismSaved);
    EXPECT_EQ(Saved("const_connection"), "-7.0");
    EXPECT_EQ(Saved("distance_unit"), std::to_string(c.unit));
    ASSERT_TRUE(platform::DeleteFileAt(StationFile("PROJ_STN1")));
  }
}

TEST_F(SheetUnitsTest, BackToMetresShowsMillimetres) {
  Sheet sheet(store_, bracket_, true);
  host_.Select(Sheet::kTabId, Sheet::kUnits)
      .Select(UnitsPage::kDistanceListId, 1, Sheet::kUnits)
      .Select(UnitsPage::kDistanceListId, 0, Sheet::kUnits)
      .Do("look",
          [&] {
            EXPECT_EQ(sheet.PrismConstants().Text(PrismConstantsPage::kMonitoringEditId), "-30.0000");
            EXPECT_EQ(sheet.PrismConstants().Text(PrismConstantsPage::kMonitoringLabelId), "Monitoring (mm)");
            EXPECT_EQ(sheet.Coordinates().Text(CoordinatesPage::kEastingLabelId), "Easting (m)");
            EXPECT_EQ(store_.Settings().distance_unit, 0);
          })
      .PressSoftKey(4);
  EXPECT_EQ(host_.Run(sheet), platform::kIdOk);
  EXPECT_EQ(Saved("const_monitoring"), "-30.0") << "rounded back to a tenth of a millimetre";
}

// A constant typed with a decimal comma was converted as -30 when the unit changed, before OK
// could refuse it.
TEST_F(SheetUnitsTest, AConstantThatIsNoPlainNumberIsNotConvertedButRefused) {
  Sheet sheet(store_, bracket_, true);
  host_.Select(Sheet::kTabId, Sheet::kPrismConstants)
      .Type(PrismConstantsPage::kMonitoringEditId, "-30,5", Sheet::kPrismConstants)
      .Select(Sheet::kTabId, Sheet::kUnits)
      .Select(UnitsPage::kDistanceListId, 1, Sheet::kUnits)
      .Do("look",
          [&] {
            EXPECT_EQ(sheet.PrismConstants().Text(PrismConstantsPage::kMonitoringEditId), "-30,5");
            EXPECT_EQ(sheet.PrismConstants().Text(PrismConstantsPage::kConnectionEditId), "-0.0230");
          })
      .PressSoftKey(4)
      .AnswerMessageBox("is not a number", platform::kIdOk, TextMatch::Contains)
      .EndAll();
  host_.Run(sheet);
  EXPECT_FALSE(platform::FileExists(StationFile("PROJ_STN1"))) << "nothing saved";
}

TEST_F(SheetUnitsTest, ChoosingTheSameUnitAgainChangesNothing) {
  Sheet sheet(store_, bracket_, true);
  host_.Select(Sheet::kTabId, Sheet::kUnits)
      .Select(UnitsPage::kDistanceListId, 0, Sheet::kUnits)
      .Select(UnitsPage::kAngleListId, 0, Sheet::kUnits)
      .Do("look",
          [&] {
            EXPECT_EQ(sheet.PrismConstants().Text(PrismConstantsPage::kMonitoringEditId), "-30.0");
            EXPECT_EQ(sheet.Coordinates().Text(CoordinatesPage::kOrientationEditId), "0.00000");
          })
      .PressSoftKey(1);
  EXPECT_EQ(host_.Run(sheet), Sheet::kResultLoad);
}

TEST_F(SheetUnitsTest, StandardIsOnlyOfferedForFeetAndInches) {
  Sheet sheet(store_, bracket_, true);
  const auto standardEnabled = [&sheet] {
    return sheet.Units().IsEnabled(UnitsPage::kStandardListId) &&
           sheet.Units().IsEnabled(UnitsPage::kStandardLabelId);
  };
  std::vector<bool> seen;
  host_.Select(Sheet::kTabId, Sheet::kUnits).Do("metres", [&] { seen.push_back(standardEnabled()); });
  for (int unit : {1, 2, 0}) {
    host_.Select(UnitsPage::kDistanceListId, unit, Sheet::kUnits).Do("unit", [&] {
      seen.push_back(standardEnabled());
    });
  }
  host_.PressSoftKey(1);
  host_.Run(sheet);
  EXPECT_EQ(seen, (std::vector<bool>{false, true, true, false}));
}

TEST_F(SheetUnitsTest, AngleUnitReshowsTheOrientation) {
  store_.Settings().orientation = 123.4567;
  Sheet sheet(store_, bracket_, false);
  std::vector<std::string> shown;
  const auto note = [&] {
    shown.push_back(sheet.Coordinates().Text(CoordinatesPage::kOrientationEditId) + " / " +
                    std::to_string(store_.Settings().angle_units));
  };
  host_.Do("at opening", note)
      .Select(Sheet::kTabId, Sheet::kUnits)
      .Select(UnitsPage::kAngleListId, 1, Sheet::kUnits)
      .Do("degrees", note)
      .Select(UnitsPage::kAngleListId, 0, Sheet::kUnits)
      .Do("gon again", note)
      // A typed orientation that does not read stays as typed through a unit change.
      .Select(Sheet::kTabId, Sheet::kCoordinates)
      .Type(CoordinatesPage::kOrientationEditId, "north", Sheet::kCoordinates)
      .Select(Sheet::kTabId, Sheet::kUnits)
      .Select(UnitsPage::kAngleListId, 1, Sheet::kUnits)
      .Do("unreadable", note)
      .PressSoftKey(1);
  EXPECT_EQ(host_.Run(sheet), Sheet::kResultLoad);
  EXPECT_EQ(shown, (std::vector<std::string>{"123.45670 / 0", "111\xC2\xB0 06' 39.71\" / 1", "123.45670 / 0",
                                             "north / 1"}));
}

TEST_F(SheetUnitsTest, OrientationTypedInDegreesIsSavedInGon) {
  store_.Settings().angle_units = 1;
  Sheet sheet(store_, bracket_, true);
  host_.Select(Sheet::kTabId, Sheet::kCoordinates)
      .Type(CoordinatesPage::kOrientationEditId, "90\xC2\xB0 00' 00\"", Sheet::kCoordinates)
      .PressSoftKey(4);
  EXPECT_EQ(host_.Run(sheet), platform::kIdOk);
  EXPECT_EQ(Saved("orientation"), "100.00000");
  EXPECT_EQ(Saved("angle_units"), "1");
}

TEST_F(SheetUnitsTest, LoadKeepsOnlyTheUnitChoices) {
  Sheet sheet(store_, bracket_, true);
  host_.Select(Sheet::kTabId, Sheet::kUnits)
      .Select(UnitsPage::kDistanceListId, 2, Sheet::kUnits)
      .Select(UnitsPage::kAngleListId, 1, Sheet::kUnits)
      .Select(UnitsPage::kStandardListId, 1, Sheet::kUnits)
      .Type(UnitsPage::kTemperatureEditId, "12.5", Sheet::kUnits)
      .PressSoftKey(1);
  EXPECT_EQ(host_.Run(sheet), Sheet::kResultLoad);
  EXPECT_EQ(store_.Settings().distance_unit, 2);
  EXPECT_EQ(store_.Settings().angle_units, 1);
  EXPECT_EQ(store_.Settings().dist_standard, 0) << "the standard is handed over only by saving";
  EXPECT_EQ(store_.Settings().temperature, 30.0);
  EXPECT_TRUE(StationFiles().empty());
}

}  // namespace
}  // namespace vigil::ui
