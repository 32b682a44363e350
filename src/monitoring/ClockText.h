// Whole-hour times of day on the 12-hour clock, as the cycle list and the start time hold
// them: "12:00 AM" is hour 0, "12:00 PM" hour 12, "01:00 PM" hour 13.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vigil::monitoring {

/// The 24-hour value (0..23) of a time text: the hour is the number in characters 0-1,
/// the marker "AM" or "PM" characters 6-7. Nothing when the hour is not 1..12 or the marker
/// is neither, so a damaged text is never taken for some hour.
std::optional<int> HourOfClockText(std::string_view text);

/// "hh:00 AM" or "hh:00 PM" of a 24-hour value (0..23); empty for any other value.
std::string ClockTextOfHour(int hour24);

/// The start-time list of the settings sheet: "12:00 AM", "01:00 AM" ... "11:00 PM".
std::string StartTimeItem(int index);
inline constexpr int kStartTimeCount = 24;

}  // namespace vigil::monitoring
