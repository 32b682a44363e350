#include "monitoring/ClockText.h"

#include "platform/Format.h"

namespace vigil::monitoring {

std::optional<int> HourOfClockText(std::string_view text) {
  if (text.size() < 8) return std::nullopt;
  int hour = 0;
  if (!platform::ScanInt(text.substr(0, 2), hour) || hour < 1 || hour > 12) return std::nullopt;
  const std::string_view marker = text.substr(6, 2);
  if (marker == "AM") return hour == 12 ? 0 : hour;
  if (marker == "PM") return hour == 12 ? 12 : hour + 12;
  return std::nullopt;
}

std::string ClockTextOfHour(int hour24) {
  if (hour24 < 0 || hour24 > 23) return {};
  if (hour24 == 0) return "12:00 AM";
  if (hour24 < 12) return platform::Format("%02d:00 AM", {hour24});
  if (hour24 == 12) return "12:00 PM";
  return platform::Format("%02d:00 PM", {hour24 - 12});
}

std::string StartTimeItem(int index) {
  return ClockTextOfHour(index);
}

}  // namespace vigil::monitoring
