// Cycle lists and start times come from settings files. Whatever they hold, the next cycle
// is one of the list's own times, and a built list is a day of whole hours in order.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "monitoring/ClockText.h"
#include "monitoring/Schedule.h"
#include "platform/Format.h"

using namespace vigil::monitoring;

namespace {

void CheckNextCycle(std::string_view cycles) {
  const auto entries = CycleEntries(cycles);
  for (int hour = 0; hour < 24; ++hour) {
    const auto next = NextCycleTime(cycles, hour);
    if (!next) continue;
    bool found = false;
    for (const CycleEntry& e : entries) found = found || e.time == *next;
    if (!found) std::abort();
  }
}

void CheckBuiltList(std::string_view start, std::string_view interval) {
  const std::string list = BuildCycleList(start, interval);
  const auto entries = CycleEntries(list);
  if (list.empty()) return;
  if (entries.size() > 24 || entries.front().time != ClockTextOfHour(*HourOfClockText(start))) std::abort();
  int lastHour = -1;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const auto hour = HourOfClockText(entries[i].time);
    if (!hour || *hour <= lastHour) std::abort();
    if (entries[i].number != vigil::platform::FormatInt(static_cast<long long>(i + 1))) std::abort();
    lastHour = *hour;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  CheckNextCycle(text);
  // The first eight characters as a start time, the rest as the interval.
  const std::size_t cut = text.size() < 8 ? text.size() : 8;
  CheckBuiltList(text.substr(0, cut), text.substr(cut));
  return 0;
}
