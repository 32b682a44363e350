#include "monitoring/Schedule.h"

#include "monitoring/ClockText.h"
#include "platform/Format.h"
#include "platform/Text.h"
#include "store/Translations.h"

namespace vigil::monitoring {

std::vector<CycleEntry> CycleEntries(std::string_view cycles) {
  std::vector<CycleEntry> entries;
  for (const std::string& item : platform::Split(cycles, "|")) {
    std::vector<std::string> parts = platform::Split(item, ",");
    if (parts.size() == 2) entries.push_back({std::move(parts[0]), std::move(parts[1])});
  }
  return entries;
}

std::string BuildCycleList(std::string_view startTime, std::string_view intervalHours) {
  int step = 0;
  const std::optional<int> start = HourOfClockText(startTime);
  // A step below one hour would never pass 23:00.
  if (!platform::ScanInt(intervalHours, step) || step < 1 || !start) return {};

  // The start written as the list writes every time: a stray "," or "|" in a start time read
  // from a file would otherwise split the list into other cycles.
  std::string list = platform::Format("%d,%s", {1, ClockTextOfHour(*start)});
  // Past 23 the list ends; comparing before adding keeps a huge step from overflowing.
  int n = 2;
  for (int hour = *start; step <= 23 - hour; ++n) {
    hour += step;
    list += platform::Format("|%d,%s", {n, ClockTextOfHour(hour)});
  }
  return list;
}

std::optional<std::string> NextCycleTime(std::string_view cycles, int localHour) {
  const std::vector<std::string> items = platform::Split(cycles, "|");
  std::optional<std::string> first;
  for (std::size_t i = 0; i < items.size(); ++i) {
    const std::vector<std::string> parts = platform::Split(items[i], ",");
    if (parts.size() != 2) continue;
    if (i == 0) first = parts[1];
    const std::optional<int> hour = HourOfClockText(parts[1]);
    if (hour && *hour > localHour) return parts[1];
  }
  return first;
}

std::optional<std::string> UpdateNextCycleLabel(std::string_view cycles, int localHour,
                                                const std::filesystem::path& translationsFile) {
  const std::optional<std::string> next = NextCycleTime(cycles, localHour);
  if (!next) return std::nullopt;
  return platform::Format(
      "%s => %s", {store::Translate(translationsFile, "IDS_MAIN_LBL_NEXT_CYCLE", "Next Cycle"), *next});
}

std::string ScheduleTimeText(int hour24, int minute) {
  if (hour24 < 0 || hour24 > 23 || minute < 0 || minute > 59) return {};
  const int hour12 = hour24 % 12 == 0 ? 12 : hour24 % 12;
  return platform::Format("%02d:%02d %s", {hour12, minute, hour24 < 12 ? "AM" : "PM"});
}

bool IsCycleTime(std::string_view cycles, int hour24, int minute) {
  const std::string text = ScheduleTimeText(hour24, minute);
  return !text.empty() && platform::Contains(cycles, text);
}

}  // namespace vigil::monitoring
