#include "monitoring/CycleListOrder.h"

#include <climits>
#include <tuple>
#include <vector>

#include "platform/Format.h"
#include "platform/Text.h"

namespace vigil::monitoring {
namespace {

// Year, month and day of "07-Dec-2026"; INT_MAX for a date that cannot be read.
std::tuple<int, int, int> DateKey(const std::string& date) {
  constexpr std::tuple<int, int, int> kUnread{INT_MAX, INT_MAX, INT_MAX};
  const std::vector<std::string> pieces = platform::Split(date, "-");
  if (pieces.size() != 3) return kUnread;
  int day = 0;
  int year = 0;
  if (!platform::ScanInt(pieces[0], day) || !platform::ScanInt(pieces[2], year)) return kUnread;
  for (int month = 1; month <= 12; ++month) {
    if (pieces[1] == MonthAbbreviation(month)) return {year, month, day};
  }
  return kUnread;
}

int CycleKey(const std::string& cycle) {
  return platform::ParseIntOr(cycle, INT_MAX);
}

}  // namespace

bool CycleListedBefore(const CycleFileNameParts& a, const CycleFileNameParts& b) {
  return std::tuple_cat(DateKey(a.date), std::make_tuple(CycleKey(a.cycle))) <
         std::tuple_cat(DateKey(b.date), std::make_tuple(CycleKey(b.cycle)));
}

}  // namespace vigil::monitoring
