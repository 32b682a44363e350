#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "TempFolder.h"
#include "app/InstrumentBus.h"
#include "link/BasicModeLink.h"
#include "platform/Clock.h"
#include "platform/EventLoop.h"
#include "platform/WindowMessages.h"
#include "sim/Simulator.h"

namespace vigil::app {
namespace {

const std::filesystem::path kScenario =
    std::filesystem::path(VIGIL_SOURCE_DIR) / "sim" / "scenarios" / "dam.json";

struct Fixture {
  test::TempFolder runtime;
  platform::EventLoop loop{std::make_unique<platform::RealTimeDriver>()};
  InstrumentBus instrument;
  std::string error;
};

TEST(InstrumentBus, WithoutScenarioTheSocketTransportWaitsForTheBasicModeApplication) {
  Fixture f;
  ASSERT_TRUE(OpenInstrumentBus(platform::MakeSocketBus(f.runtime.path()), {}, f.instrument, f.error));
  EXPECT_EQ(f.instrument.source, InstrumentSource::NotFoundYet);
  EXPECT_EQ(f.instrument.simulator, nullptr);
  EXPECT_FALSE(f.instrument.bus->Exists(sim::kInstrumentTitle));
}

TEST(InstrumentBus, ScenarioStartsTheSimulatorInsideWhenNothingIsThere) {
  Fixture f;
  ASSERT_TRUE(OpenInstrumentBus(platform::MakeSocketBus(f.runtime.path()), kScenario, f.instrument, f.error))
      << f.error;
  EXPECT_EQ(f.instrument.source, InstrumentSource::Simulator);
  ASSERT_NE(f.instrument.simulator, nullptr);
  EXPECT_TRUE(f.instrument.bus->Exists(sim::kInstrumentTitle));
  // In process: nothing appears in the runtime folder for other programs.
  auto socket = platform::MakeSocketBus(f.runtime.path());
  EXPECT_FALSE(socket->Exists(sim::kInstrumentTitle));
}

// The link waits for an answer dispatching only its own window: an instrument that needed the
// program's loop to answer never answered, and Connect timed out in the window program.
TEST(InstrumentBus, TheLinkConnectsToTheSimulatorInsideInRealTime) {
  Fixture f;
  ASSERT_TRUE(OpenInstrumentBus(platform::MakeSocketBus(f.runtime.path()), kScenario, f.instrument, f.error))
      << f.error;
  link::BasicModeLink link(f.loop, *f.instrument.bus);
  EXPECT_TRUE(link.Connect());
  EXPECT_TRUE(link.Disconnect());
}

TEST(InstrumentBus, ABasicModeApplicationAlreadyThereWinsOverTheScenario) {
  Fixture f;
  auto other = platform::MakeSocketBus(f.runtime.path());
  ASSERT_TRUE(other->Register(sim::kInstrumentTitle, [](std::string) {}));
  ASSERT_TRUE(OpenInstrumentBus(platform::MakeSocketBus(f.runtime.path()), kScenario, f.instrument, f.error));
  EXPECT_EQ(f.instrument.source, InstrumentSource::BasicMode);
  EXPECT_EQ(f.instrument.simulator, nullptr);
  EXPECT_TRUE(f.instrument.bus->SendTo(sim::kInstrumentTitle, "x"));
  other->Unregister(sim::kInstrumentTitle);
}

TEST(InstrumentBus, AScenarioThatCannotBeReadIsAnErrorNotASilentStart) {
  Fixture f;
  EXPECT_FALSE(OpenInstrumentBus(platform::MakeSocketBus(f.runtime.path()), f.runtime.path() / "missing.json",
                                 f.instrument, f.error));
  EXPECT_FALSE(f.error.empty());
  EXPECT_EQ(f.instrument.bus, nullptr);
}

}  // namespace
}  // namespace vigil::app
