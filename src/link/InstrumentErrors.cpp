#include "link/InstrumentErrors.h"

#include <array>

namespace vigil::link {

bool IsAngleRangeCode(std::string_view field) {
  return field == "E114" || field == "E115" || field == "E116" || field == "E117";
}

std::optional<std::string_view> DistanceCodeText(std::string_view field) {
  struct Entry {
    std::string_view code;
    std::string_view text;
  };
  static constexpr std::array<Entry, 12> kTable{{
      {"E011", kSignalOffText},
      {"E012", kSignalOffText},
      {"E013", kSignalOffText},
      {"E014", kSignalOffText},
      {"E090", kSignalOffText},
      {"E091", kSignalOffText},
      {"E200", kSignalOffText},
      {"E092", kBadConditionText},
      {"E093", kBadConditionText},
      {"E094", kBadConditionText},
      {"E096", kBadConditionText},
      {"E201", kTimeoutText},
  }};
  for (const Entry& e : kTable) {
    if (e.code == field) return e.text;
  }
  return std::nullopt;
}

}  // namespace vigil::link
