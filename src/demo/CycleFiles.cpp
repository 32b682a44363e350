#include "demo/CycleFiles.h"

#include <algorithm>

#include "monitoring/CycleFileText.h"
#include "platform/Clock.h"
#include "platform/Files.h"
#include "platform/Format.h"
#include "platform/Text.h"

namespace vigil::demo {

namespace {

constexpr std::int64_t kMsPerSecond = 1000;
constexpr std::int64_t kMsPerDay = 86400 * kMsPerSecond;

// Exactly `count` numbers separated by `separator`, each within [low, high].
bool Fields(std::string_view text, std::string_view separator, const int (&low)[3], const int (&high)[3],
            int (&out)[3]) {
  const std::vector<std::string> parts = platform::Split(text, separator);
  if (parts.size() != 3) return false;
  for (std::size_t i = 0; i < 3; ++i) {
    if (parts[i].empty() || !platform::ScanInt(parts[i], out[i])) return false;
    if (out[i] < low[i] || out[i] > high[i]) return false;
  }
  return true;
}

bool Number(const std::string& text, double& value) {
  return !text.empty() && platform::ScanDouble(text, value);
}

}  // namespace

bool CycleLineTime(std::string_view date, std::string_view time, std::int64_t& localMs) {
  int d[3] = {};
  int t[3] = {};
  if (!Fields(date, "-", {1, 1, 1970}, {31, 12, 9999}, d)) return false;
  if (!Fields(time, ":", {0, 0, 0}, {23, 59, 59}, t)) return false;
  localMs = platform::DaysFromCivil(d[2], d[1], d[0]) * kMsPerDay +
            ((t[0] * 60LL + t[1]) * 60LL + t[2]) * kMsPerSecond;
  return true;
}

void AddCycleRows(const std::vector<monitoring::CycleRow>& rows, const std::string& fileName,
                  CycleFileSummary& summary) {
  using namespace monitoring;
  for (const CycleRow& row : rows) {
    const std::string& point = row[kCyclePoint];
    GoodReading good;
    const bool measured = Number(row[kCycleEasting], good.eastingMetres) &&
                          Number(row[kCycleNorthing], good.northingMetres) &&
                          Number(row[kCycleRl], good.rlMetres);
    if (!measured) {
      ++summary.failedLines;
      ++summary.failedByPoint[point];
      continue;
    }
    ++summary.measuredLines;
    if (!CycleLineTime(row[kCycleDate], row[kCycleTime], good.localMs)) continue;
    good.file = fileName;
    auto it = summary.lastGood.find(point);
    if (it == summary.lastGood.end() || good.localMs >= it->second.localMs) summary.lastGood[point] = good;
  }
}

CycleFileSummary ReadCycleFiles(const std::filesystem::path& folder) {
  CycleFileSummary summary;
  std::vector<std::string> names = platform::FindFiles(folder, "*.vgl");
  std::sort(names.begin(), names.end());
  for (const std::string& name : names) {
    ++summary.files;
    const std::optional<std::string> text = platform::ReadUtf16File(folder / name);
    const std::vector<monitoring::CycleRow> rows =
        text ? monitoring::ParseCycleFileText(*text) : std::vector<monitoring::CycleRow>{};
    if (rows.empty()) ++summary.unreadable;
    AddCycleRows(rows, name, summary);
  }
  return summary;
}

}  // namespace vigil::demo
