// The alarm limits file as an engineer might write it, or worse. Nothing may throw or crash, a
// bad file changes nothing, and limits that were read judge a run of cycles without a level
// cleared that was never raised.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "alarms/AlarmLimitsFile.h"
#include "alarms/LevelTracker.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  namespace a = vigil::alarms;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  a::AlarmLimits limits;
  limits.noCycleHours = -1.0;
  std::string error;
  if (!a::ParseAlarmLimits(text, limits, error)) {
    if (error.empty() || limits.noCycleHours != -1.0 || !limits.groups.empty()) std::abort();
    return 0;
  }
  a::LevelTracker tracker(limits);
  int open = 0;
  const double steps[] = {0.0, 3.0, 12.0, 40.0, 40.0, 9.0, 200.0, 0.0, 0.0};
  for (int cycle = 0; cycle < 9; ++cycle) {
    std::vector<a::PointSample> samples;
    for (const char* name : {"P1", "WALL.N.7", "C2", "X"}) {
      samples.push_back(
          {name, cycle != 4, true, steps[cycle], -steps[cycle], steps[cycle], steps[cycle] / 10.0});
    }
    for (const a::AlarmEvent& e : tracker.Update(cycle, samples)) {
      if (e.kind == a::EventKind::kRaised) ++open;
      if (e.kind == a::EventKind::kCleared && --open < 0) std::abort();
    }
  }
  return 0;
}
