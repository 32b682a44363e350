// The daily cycle list: whole-hour times joined by "|", each "n,hh:00 AM". The functions take
// the local time as an argument so the schedule is computed without a clock.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vigil::monitoring {

/// One item of a cycle list that splits at "," into exactly two parts.
struct CycleEntry {
  std::string number;  ///< as written, "1" upwards
  std::string time;    ///< "hh:00 AM" / "hh:00 PM" as written
};

/// The items of `cycles` in list order; items that do not split into exactly two parts at
/// "," are left out.
std::vector<CycleEntry> CycleEntries(std::string_view cycles);

/// The cycle list from the first cycle's time and the hours between cycles (`intervalHours`,
/// read as "%d"), "%d,%s" per item: from `startTime` on, every `intervalHours` hours up to
/// 23:00 of the same day. Empty when the interval reads below 1 hour or not at all, or when
/// the start time is not a whole-hour time (nothing would end the list or name its hours).
std::string BuildCycleList(std::string_view startTime, std::string_view intervalHours);

/// The time text of the cycle that comes next at `localHour` (0..23): the first item whose
/// hour is later than the current hour (minutes do not count: at 05:00 and at 05:59 the
/// item "05:00 AM" is past), else the first item of the list (tomorrow's first cycle).
/// Nothing when the list has no such item.
std::optional<std::string> NextCycleTime(std::string_view cycles, int localHour);

/// The main window's next-cycle label: IDS_MAIN_LBL_NEXT_CYCLE "Next Cycle", " => ", the
/// next cycle's time ("Next Cycle => 01:00 PM"). Nothing when the list names no cycle (the
/// label then keeps its text).
std::optional<std::string> UpdateNextCycleLabel(std::string_view cycles, int localHour,
                                                const std::filesystem::path& translationsFile);

/// The local time as the schedule compares it: "%02d:%02d %s" on the 12-hour clock
/// (00:00 is "12:00 AM", 12:30 "12:30 PM", 13:00 "01:00 PM"). Empty outside 0..23 / 0..59.
std::string ScheduleTimeText(int hour24, int minute);

/// Whether a cycle starts in this minute: the time text occurs anywhere in `cycles`.
bool IsCycleTime(std::string_view cycles, int hour24, int minute);

}  // namespace vigil::monitoring
