// The program's link and measuring engine against the simulated instrument on the virtual
// clock: what the surveyor relies on end to end.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "LinkedSim.h"
#include "link/ParseResult.h"
#include "sim/Geometry.h"
#include "sim/ScenarioLoader.h"
#include "survey/Reading.h"

namespace vigil::sim::test {
namespace {

Scenario DamSite() {
  Scenario scenario;
  std::string error;
  EXPECT_TRUE(
      LoadScenarioFile(std::filesystem::path(VIGIL_SOURCE_DIR) / "sim/scenarios/dam.json", scenario, error))
      << error;
  return scenario;
}

survey::PrismType ProgramType(PrismType type) {
  switch (type) {
    case PrismType::kReference:
      return survey::kPrismReference;
    case PrismType::kConnection:
      return survey::kPrismConnection;
    case PrismType::kReflectorless:
      return survey::kPrismReflectorless;
    case PrismType::kSheet:
      return survey::kPrismSheet;
    case PrismType::kCustom:
      return survey::kPrismCustom;
    default:
      return survey::kPrismMonitoring;
  }
}

TEST(LinkWithSim, ConnectEnableDisableAndDisconnectSpeakTheDialectInOrder) {
  LinkedSim site(DamSite());
  ASSERT_TRUE(site.link_.Connect());
  bool finished = false;
  site.settings_->SetFinished([&] { finished = true; });
  site.settings_->ApplyMonitoringSettings();
  ASSERT_TRUE(site.loop_.RunUntil([&] { return finished; }, 120000));
  EXPECT_EQ(site.sim_.reflectorType(), "0");
  EXPECT_EQ(site.sim_.motor()[2], "1.5000");
  EXPECT_TRUE(site.sim_.fineMode());

  site.settings_->RestoreInstrumentSettings();
  ASSERT_TRUE(site.link_.Disconnect());
  // The instrument is left exactly as the site's own settings were.
  EXPECT_EQ(site.sim_.blockB(), site.sim_.scenario().blockB);
  EXPECT_EQ(site.sim_.reflectorType(), site.sim_.scenario().reflectorType);
  EXPECT_EQ(site.sim_.motor(), site.sim_.scenario().motor);
  EXPECT_EQ(site.CommandsReceived(),
            (std::vector<std::string>{"#STc\r\n", "#ST1 VNT8-Message communication\r\n",
                                      "#ST2 VNT8-Message communication\r\n", "#STs 0\r\n", "#SA\r\n",
                                      "#SB\r\n", "#S/B 1,0,2,0,1,0,0,0,1,3,0,0\r\n\r\n", "#SC\r\n",
                                      "#S/C 0\r\n\r\n", "#S*PA\r\n", "#S*/PA 0,0,1.5000,1.5000\r\n\r\n",
                                      "#SXa\r\n", "#S/B 1,0,2,1,0,1,0,0,1,3,0,0\r\n\r\n", "#S/C 1\r\n\r\n",
                                      "#S*/PA 1,1,2.0000,2.0000\r\n\r\n", "#STs 2\r\n", "#STc\r\n"}));
  EXPECT_TRUE(site.notices_.messages.empty());
}

// Every prism of the dam measured from a station set up like the site: the program's
// atmospheric and prism-constant corrections must give back the true coordinates.
TEST(LinkWithSim, MeasuredPrismsReduceToTheirTrueCoordinatesWithinTheNoise) {
  LinkedSim site(DamSite());
  site.SetUpStationLikeTheSite();
  ASSERT_TRUE(site.link_.Connect());
  const Scenario& s = site.sim_.scenario();
  double largestErrorMetres = 0.0;
  for (const Prism& prism : s.prisms) {
    SCOPED_TRACE(prism.name);
    const GridPoint truth = *site.sim_.TruePosition(prism.name);
    const TrueDirection d = DirectionBetween(s.station, truth);
    ASSERT_TRUE(site.MeasurePrism(prism.name, d.azimuthGon, d.zenithGon, ProgramType(prism.type)));
    const survey::Reading& r = site.engine_->Reading();
    // Angle noise 0.3 mgon across up to 500 m is 2.4 mm (one sigma); distance 0.6 mm + 1 ppm.
    const double toleranceMetres = 0.010;
    EXPECT_NEAR(r.eastingMetres, truth.eastingMetres, toleranceMetres);
    EXPECT_NEAR(r.northingMetres, truth.northingMetres, toleranceMetres);
    EXPECT_NEAR(r.rlMetres, truth.levelMetres, toleranceMetres);
    largestErrorMetres = std::max({largestErrorMetres, std::fabs(r.eastingMetres - truth.eastingMetres),
                                   std::fabs(r.northingMetres - truth.northingMetres),
                                   std::fabs(r.rlMetres - truth.levelMetres)});
  }
  RecordProperty("largestErrorMicrometres", static_cast<int>(largestErrorMetres * 1e6));
}

TEST(LinkWithSim, ATargetThatIsNotThereFailsAndRecordsNoValue) {
  LinkedSim site(DamSite());
  site.SetUpStationLikeTheSite();
  ASSERT_TRUE(site.link_.Connect());
  // Straight up the hill behind the station: no prism anywhere near.
  EXPECT_FALSE(site.MeasurePrism("XYZ999", 250.0, 60.0, survey::kPrismMonitoring));
  EXPECT_EQ(site.engine_->ReadingResult(), link::kReadingTimeOut);
  EXPECT_TRUE(site.engine_->FailedMark());
  EXPECT_EQ(site.engine_->Reading().sdText, "") << "no distance was ever reduced";
}

TEST(LinkWithSim, WindowThatVanishesFailsTheNextConnect) {
  LinkedSim site(DamSite());
  site.sim_.Stop();
  EXPECT_FALSE(site.link_.Connect());
  EXPECT_FALSE(site.bus_->Exists("VNT8-Message communication"));
}

}  // namespace
}  // namespace vigil::sim::test
