#include "monitoring/CycleFileText.h"

#include "platform/Format.h"
#include "platform/Text.h"
#include "survey/Units.h"

namespace vigil::monitoring {
namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::size_t kMinFields = 7;

std::string PackedAngle(const store::ProjectStationSettings& s, const std::string& text) {
  if (text.empty()) return text;
  double gon = 0.0;
  // A text that holds no angle is kept as it is rather than written as some number.
  if (!platform::ScanDouble(survey::ParseAngle(s, text), gon)) return text;
  return survey::FormatAngle(s, gon, survey::AngleFormat::Current, true);
}

}  // namespace

std::string CycleHeaderLine(const store::ProjectStationSettings& s) {
  std::vector<std::string> headings;
  for (const platform::ListColumn& c : ReadingsColumns(s)) headings.push_back(c.caption);
  return platform::Join(headings, "\t") + std::string(kLineEnd);
}

std::string CycleDataLine(const store::ProjectStationSettings& s, const CycleRow& row) {
  CycleRow out = row;
  out[kCycleHa] = PackedAngle(s, row[kCycleHa]);
  out[kCycleVa] = PackedAngle(s, row[kCycleVa]);
  return platform::Join(std::vector<std::string>(out.begin(), out.end()), "\t") + std::string(kLineEnd);
}

std::vector<CycleRow> ParseCycleFileText(std::string_view text) {
  std::vector<CycleRow> rows;
  for (const std::string& line : platform::Split(text, kLineEnd)) {
    if (platform::Contains(line, "Easting")) continue;
    const std::vector<std::string> fields = platform::Split(line, "\t");
    if (fields.size() < kMinFields) continue;
    CycleRow row;
    for (std::size_t i = 0; i < kCycleColumnCount && i < fields.size(); ++i) row[i] = fields[i];
    rows.push_back(std::move(row));
  }
  return rows;
}

}  // namespace vigil::monitoring
