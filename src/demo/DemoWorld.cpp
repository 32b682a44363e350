#include "demo/DemoWorld.h"

#include "platform/Paths.h"

namespace vigil::demo {

DemoWorld::DemoWorld(const DemoSite& site, const std::filesystem::path& home)
    : home_(home),
      loop_(std::make_unique<platform::VirtualTimeDriver>(0, site.start)),
      bus_(platform::MakeInProcessBus()),
      simClock_(*loop_.Virtual()),
      sim_(*bus_, simClock_, site.scenario),
      host_(loop_),
      app_(loop_, *bus_, host_, store::StorageLayout(platform::Paths(home, home / "device"))) {
  app_.SetHooks(&hooks_);
}

DemoWorld::~DemoWorld() {
  sim_.Stop();
}

}  // namespace vigil::demo
