// What the evaluation reads from outside: the evaluation settings file (first byte 'S') or a
// cycle file (anything else, UTF-16LE as the station writes it), evaluated against a small
// trained site. Nothing may throw or crash, a bad settings file changes nothing, and every
// positioned point has finite coordinates.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "evaluation/CycleEvaluation.h"
#include "evaluation/EvaluationSettings.h"
#include "platform/Text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  namespace e = vigil::evaluation;
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  if (!bytes.empty() && bytes.front() == 'S') {
    e::EvaluationSettings s;
    std::string error;
    if (!e::ParseEvaluationSettings(bytes.substr(1), s, error)) {
      if (error.empty() || s.confidence != e::EvaluationSettings{}.confidence) std::abort();
    } else if (!(s.angleSigmaMgon > 0.0) || !(s.confidence < 1.0)) {
      std::abort();
    }
    return 0;
  }
  e::CycleReadings readings;
  std::string error;
  if (!e::ReadCycleReadings(vigil::platform::Utf16LeToUtf8(bytes), {}, readings, error)) return 0;
  const std::vector<e::TrainedPoint> trained = {
      {"R1", 0, 13.9, 97.3, 343.0, 2324.605, 5453.764, 452.31},
      {"R2", 0, 96.6, 99.6, 318.0, 2567.372, 5139.967, 449.87},
      {"R3", 0, 151.0, 102.6, 205.0, 2400.0, 4980.0, 430.0},
      {"P1", 2, 66.7, 100.0, 100.0, 2300.0, 5150.0, 438.0},
  };
  const e::CycleEvaluation ev = e::EvaluateCycle(readings, trained, {});
  for (const e::PointResult& p : ev.points) {
    if (p.positioned && std::isfinite(p.observation.sdMetres) && !std::isfinite(p.position.eastingMetres))
      std::abort();
  }
  return 0;
}
