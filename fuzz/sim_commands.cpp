// Command bytes as the simulated instrument receives them: whatever parses must format back
// to a message that parses the same, and the instrument must survive acting on it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/WindowMessages.h"
#include "sim/Command.h"
#include "sim/Simulator.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vigil;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);

  const sim::Command command = sim::ParseCommand(bytes);
  if (command.echo.size() != 3) std::abort();
  const std::string formatted = sim::FormatCommand(command);
  if (command.kind == sim::CommandKind::kInvalid) {
    if (!formatted.empty()) std::abort();
  } else if (sim::ParseCommand(formatted) != command) {
    std::abort();
  }

  platform::VirtualTimeDriver driver;
  sim::VirtualSimClock clock(driver);
  auto bus = platform::MakeInProcessBus();
  sim::Scenario scenario;
  scenario.prisms.push_back({"P", sim::PrismType::kMonitoring, -30.0, {10.0, 10.0, 0.5}, {}, {}});
  sim::Simulator simulator(*bus, clock, scenario);
  simulator.Start();
  std::size_t replies = 0;
  bus->Register("L", [&replies](std::string) { ++replies; });
  simulator.OnMessage("#ST1 L\r\n");
  simulator.OnMessage(std::string(bytes));
  simulator.OnMessage("#S*ST0\r\n");
  driver.Advance(60'000);
  if (simulator.log().All().size() != 3) std::abort();
  return 0;
}
