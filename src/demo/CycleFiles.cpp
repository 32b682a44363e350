#include "demo/CycleFiles.h"

#include <algorithm>

#include "monitoring/CycleFileText.h"
#include "platform/Clock.h"
#include "platform/Files.h"
#include "platform/Format.h"
#include "platform/Text.h"

namespace vigil::demo {

namespace {

bool Number(const std::string& text, double& value) {
  return !text.empty() && platform::ScanDouble(text, value);
}

}  // namespace

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
