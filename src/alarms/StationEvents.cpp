#include "alarms/StationEvents.h"

#include "platform/Format.h"

namespace vigil::alarms {

const char* StationEventName(StationEventKind kind) {
  switch (kind) {
    case StationEventKind::kReferenceExcluded:
      return "reference excluded";
    case StationEventKind::kNotCorrected:
      return "not corrected";
    case StationEventKind::kNoCycle:
      return "no cycle";
    case StationEventKind::kCyclesResumed:
      return "cycles resumed";
    case StationEventKind::kLinkLost:
      return "link lost";
    case StationEventKind::kLinkRestored:
      return "link restored";
    case StationEventKind::kDataNotWritten:
      return "data not written";
    case StationEventKind::kResultsNotWritten:
      return "results not written";
  }
  return "";
}

std::vector<StationEvent> StationEventsOf(const evaluation::CycleEvaluation& evaluation) {
  std::vector<StationEvent> events;
  for (const evaluation::ReferenceUse& r : evaluation.station.references) {
    if (!r.used) events.push_back({StationEventKind::kReferenceExcluded, r.point, r.why, evaluation.lastMs});
  }
  if (!evaluation.station.corrected) {
    events.push_back(
        {StationEventKind::kNotCorrected, "", evaluation.station.uncorrectedWhy, evaluation.lastMs});
  }
  return events;
}

std::optional<StationEvent> CycleWatch::CycleCompleted(std::int64_t endMs) {
  if (endMs > lastMs_) lastMs_ = endMs;
  if (!raised_) return std::nullopt;
  raised_ = false;
  return StationEvent{StationEventKind::kCyclesResumed, "", "", endMs};
}

std::optional<StationEvent> CycleWatch::Check(std::int64_t nowMs) {
  if (raised_ || hours_ <= 0.0) return std::nullopt;
  const auto limitMs = static_cast<std::int64_t>(hours_ * 3'600'000.0);
  if (nowMs - lastMs_ < limitMs) return std::nullopt;
  raised_ = true;
  return StationEvent{
      StationEventKind::kNoCycle, "",
      "no cycle for " + platform::FormatFixed(static_cast<double>(nowMs - lastMs_) / 3'600'000.0, 1) + " h",
      nowMs};
}

}  // namespace vigil::alarms
