#include <gtest/gtest.h>

#include "TempFolder.h"
#include "platform/Files.h"
#include "sim/ScenarioLoader.h"

namespace vigil::sim {
namespace {

const char* kMinimal = R"({"station": {"easting": 1, "northing": 2, "level": 3}, "prisms": []})";

TEST(ScenarioLoader, TheShippedDamScenarioLoads) {
  Scenario s;
  std::string error;
  ASSERT_TRUE(LoadScenarioFile(std::filesystem::path(VIGIL_SOURCE_DIR) / "sim/scenarios/dam.json", s, error))
      << error;
  EXPECT_GE(s.prisms.size(), 5u);
  int references = 0;
  for (const Prism& p : s.prisms) references += p.type == PrismType::kReference;
  EXPECT_EQ(references, 2);
}

TEST(ScenarioLoader, ReadsEveryPart) {
  const char* text = R"({
    "epoch": "2026-12-07T08:00:00", "seed": 42,
    "station": {"easting": 100.5, "northing": 200.25, "level": 12.0, "circleZeroGon": 17.5,
                "motion": [{"kind": "drift", "mmPerDay": [0, 0, -0.1]}],
                "twist": [{"kind": "daily", "amplitudeMgon": 1.0, "maximumAt": "15:30"},
                          {"kind": "step", "mgon": 2, "at": "2026-12-09T00:00:00"}]},
    "atmosphere": {"temperatureC": 8.5, "pressureHpa": 960},
    "noise": {"angleMgon": 0.5, "distanceMm": 2, "distancePpm": 1.5, "tiltMgon": 0},
    "instrument": {"turnSpeedGonPerS": 40, "searchFieldGon": 4, "blockA": ["1","2","3","4"], "reflectorType": "2"},
    "prisms": [{"name": "P1", "type": "sheet", "constantMm": 0, "easting": 1, "northing": 2, "level": 3,
                "motion": [{"kind": "drift", "mmPerDay": [0.5, 0, 0]},
                           {"kind": "step", "at": "2026-12-10T12:00:00", "mm": [0, 10, 0]},
                           {"kind": "seasonal", "amplitudeMm": [0, 0, 3], "periodDays": 365}],
                "hidden": [{"daily": ["22:00", "05:30"]}, {"from": "2026-12-08T10:00:00", "to": "2026-12-08T11:00:00"}]}],
    "faults": {"nak": [{"prefix": "Ts", "count": 1}], "distanceErrors": 2, "distanceErrorCode": "E092"}
  })";
  Scenario s;
  std::string error;
  ASSERT_TRUE(ParseScenario(text, s, error)) << error;
  EXPECT_EQ(s.seed, 42u);
  EXPECT_DOUBLE_EQ(s.circleZeroGon, 17.5);
  ASSERT_EQ(s.stationMovements.size(), 1u);
  ASSERT_EQ(s.twists.size(), 2u);
  EXPECT_EQ(s.twists[0].maximumMinuteOfDay, 15 * 60 + 30);
  EXPECT_DOUBLE_EQ(s.twists[1].stepMgon, 2.0);
  EXPECT_DOUBLE_EQ(s.pressureHpa, 960.0);
  EXPECT_DOUBLE_EQ(s.turnSpeedGonPerS, 40.0);
  EXPECT_EQ(s.blockA[3], "4");
  EXPECT_EQ(s.reflectorType, "2");
  ASSERT_EQ(s.prisms.size(), 1u);
  EXPECT_EQ(s.prisms[0].type, PrismType::kSheet);
  ASSERT_EQ(s.prisms[0].movements.size(), 3u);
  EXPECT_EQ(s.prisms[0].movements[1].stepAtMs - s.epochMs, (3LL * 24 + 4) * 3'600'000);
  ASSERT_EQ(s.prisms[0].hidden.size(), 2u);
  EXPECT_EQ(s.prisms[0].hidden[0].fromMinuteOfDay, 22 * 60);
  EXPECT_EQ(s.prisms[0].hidden[0].toMinuteOfDay, 5 * 60 + 30);
  EXPECT_FALSE(s.prisms[0].hidden[1].daily);
  EXPECT_EQ(s.faults.distanceErrors, 2);
  EXPECT_EQ(s.faults.nak.at(0).prefix, "Ts");
}

TEST(ScenarioLoader, BadFilesAreReportedNeverThrown) {
  const std::pair<std::string, const char*> cases[] = {
      {"", "empty"},
      {"{", "cut short"},
      {"[]", "not an object"},
      {R"({"prisms": []})", "no station"},
      {R"({"station": {"easting": "x", "northing": 2, "level": 3}, "prisms": []})", "a text for a number"},
      {R"({"station": {"easting": 1, "northing": 2, "level": 3, "height": 1}, "prisms": []})",
       "a mistyped key"},
      {R"({"station": {"easting": 1, "northing": 2, "level": 3}, "prisms": [{"name": "A", "type": "glass",
          "easting": 0, "northing": 0, "level": 0}]})",
       "unknown prism type"},
      {R"({"station": {"easting": 1, "northing": 2, "level": 3}, "prisms": [
          {"name": "A", "easting": 0, "northing": 0, "level": 0}, {"name": "A", "easting": 1, "northing": 0, "level": 0}]})",
       "a name twice"},
      {R"({"station": {"easting": 1, "northing": 2, "level": 3}, "instrument": {"turnSpeedGonPerS": 0}, "prisms": []})",
       "motors that never arrive"},
      {R"({"station": {"easting": 1, "northing": 2, "level": 3}, "instrument": {"blockB": ["1"]}, "prisms": []})",
       "a block of the wrong size"},
      {R"({"station": {"easting": 1, "northing": 2, "level": 3}, "instrument": {"motor": ["1","2,3","4","5"]}, "prisms": []})",
       "a comma would change the field count read back"},
      {R"({"station": {"easting": 1, "northing": 2, "level": 3}, "prisms": [{"name": "A", "easting": 0, "northing": 0,
          "level": 0, "hidden": [{"daily": ["25:00", "01:00"]}]}]})",
       "no such hour"},
      {R"({"station": {"easting": 1, "northing": 2, "level": 3, "twist": [{"kind": "daily", "amplitudeMgon": 1}]},
          "prisms": []})",
       "a daily twist without the time of its maximum"},
      {R"({"station": {"easting": 1, "northing": 2, "level": 3, "twist": [{"kind": "wobble"}]}, "prisms": []})",
       "unknown twist"},
      {R"({"epoch": "2026-13-01T00:00:00", "station": {"easting": 1, "northing": 2, "level": 3}, "prisms": []})",
       "no such month"},
  };
  for (const auto& [text, comment] : cases) {
    Scenario s;
    s.seed = 77;
    std::string error;
    EXPECT_FALSE(ParseScenario(text, s, error)) << comment;
    EXPECT_FALSE(error.empty()) << comment;
    EXPECT_EQ(s.seed, 77u) << "a failed load leaves the scenario as it was";
  }
  Scenario s;
  std::string error;
  EXPECT_TRUE(ParseScenario(kMinimal, s, error)) << error;
}

TEST(ScenarioLoader, OutOfRangeNumbersAreRefusedNamingTheirKey) {
  const std::string station = R"("station": {"easting": 1, "northing": 2, "level": 3})";
  const std::string prism = R"({"name": "A", "easting": 0, "northing": 0, "level": 0)";
  const struct {
    std::string text;
    const char* named;  // in the error
    const char* comment;
  } cases[] = {
      {"{" + station + R"(, "instrument": {"replyDelayMs": -1}, "prisms": []})", "instrument.replyDelayMs",
       "would wrap to 49 days"},
      {"{" + station + R"(, "instrument": {"searchMs": 1e12}, "prisms": []})", "instrument.searchMs",
       "past 32 bits"},
      {"{" + station + R"(, "instrument": {"settleMs": 2.5}, "prisms": []})", "instrument.settleMs",
       "not whole"},
      {R"({"station": {"easting": 1.7e308, "northing": 2, "level": 3}, "prisms": []})", "station.easting",
       "a station beyond any grid"},
      {"{" + station + R"(, "prisms": [{"name": "A", "easting": 0, "northing": -1e300, "level": 0}]})",
       "prisms[0].northing", "a prism beyond any distance"},
      {"{" + station + R"(, "prisms": [)" + prism +
           R"(, "motion": [{"kind": "step", "at": "2026-12-10T12:00:00",
          "mm": [0, 1e200, 0]}]}]})",
       "prisms[0].motion[0].mm", "a step beyond any distance"},
      {"{" + station + R"(, "faults": {"lateReplies": -3}, "prisms": []})", "faults.lateReplies",
       "a negative count"},
      {"{" + station + R"(, "faults": {"nak": [{"prefix": "B", "count": 3e9}]}, "prisms": []})",
       "faults.nak.count", "past int"},
      {"{" + station + R"(, "faults": {"vanishForMs": -20}, "prisms": []})", "faults.vanishForMs", "wrap"},
      {"{" + station + R"(, "atmosphere": {"pressureHpa": 1e9}, "prisms": []})", "atmosphere.pressureHpa",
       "no such air"},
  };
  for (const auto& c : cases) {
    Scenario s;
    std::string error;
    EXPECT_FALSE(ParseScenario(c.text, s, error)) << c.comment;
    EXPECT_NE(error.find(c.named), std::string::npos) << c.comment << ": " << error;
  }
}

TEST(ScenarioLoader, AMissingFileIsNamedInTheError) {
  test::TempFolder dir;
  Scenario s;
  std::string error;
  EXPECT_FALSE(LoadScenarioFile(dir.path() / "none.json", s, error));
  EXPECT_NE(error.find("none.json"), std::string::npos);
}

}  // namespace
}  // namespace vigil::sim
