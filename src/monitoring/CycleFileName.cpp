#include "monitoring/CycleFileName.h"

#include <algorithm>
#include <array>
#include <vector>

#include "platform/Files.h"
#include "platform/Format.h"
#include "platform/Text.h"

namespace vigil::monitoring {
namespace {

constexpr std::array<std::string_view, 12> kMonths{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                   "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

std::string_view WithoutExtension(std::string_view fileName) {
  const std::size_t dot = fileName.rfind('.');
  return dot == std::string_view::npos ? fileName : fileName.substr(0, dot);
}

// The number after the last "_" of a file name; nothing when it does not start with one.
std::optional<int> CycleNumberOf(std::string_view fileName) {
  const std::string_view stem = WithoutExtension(fileName);
  const std::size_t underscore = stem.rfind('_');
  if (underscore == std::string_view::npos) return std::nullopt;
  int n = 0;
  if (!platform::ScanInt(stem.substr(underscore + 1), n)) return std::nullopt;
  return n;
}

}  // namespace

std::string MonthAbbreviation(int month) {
  if (month >= 1 && month <= 12) return std::string(kMonths[static_cast<std::size_t>(month - 1)]);
  return platform::Format("%02d", {month});
}

std::string CycleFileDate(const platform::LocalDateTime& when) {
  return platform::Format("%02d-%s-%d", {when.day, MonthAbbreviation(when.month), when.year});
}

std::string DayBaseName(std::string_view station, std::string_view project, std::string_view date) {
  return platform::Format("%s_%s_%s", {station, project, date});
}

std::string CycleFileName(std::string_view baseName, int cycleNumber) {
  return platform::Format("%s_Cycle_%d.%s", {baseName, cycleNumber, kCycleFileExtension});
}

int NextCycleNumber(const std::filesystem::path& dataFolder, std::string_view baseName) {
  const std::string pattern = std::string(baseName) + "*." + std::string(kCycleFileExtension);
  const std::vector<std::string> names = platform::FindFiles(dataFolder, pattern);
  long long highest = static_cast<long long>(names.size());
  for (const std::string& name : names) {
    if (const std::optional<int> n = CycleNumberOf(name)) highest = std::max<long long>(highest, *n);
  }
  // A day never holds this many cycles; a name with a huge number must not overflow the count.
  return static_cast<int>(std::min<long long>(highest, 1000000000LL) + 1);
}

std::optional<CycleFileNameParts> SplitCycleFileName(std::string_view fileName) {
  const std::vector<std::string> pieces = platform::Split(WithoutExtension(fileName), "_");
  if (pieces.size() <= 4 || pieces[2].empty() || pieces[4].empty()) return std::nullopt;
  return CycleFileNameParts{pieces[0], pieces[1], pieces[2], pieces[4]};
}

}  // namespace vigil::monitoring
