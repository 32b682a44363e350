#include "training/TrainingFileFormat.h"

#include <cstddef>

#include "platform/Text.h"

namespace vigil::training {
namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kLineFeed = "\n";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::size_t kMinFields = 7;

bool IsStatus(std::string_view field) {
  return field == "0" || field == "1";
}

std::string FieldOr(const std::vector<std::string>& fields, std::size_t index, std::string_view missing) {
  return index < fields.size() ? fields[index] : std::string(missing);
}

}  // namespace

TrainingText ReadTrainingText(std::string_view text) {
  // A mark before a header-less file would otherwise hide the status of the first point.
  if (platform::StartsWith(text, kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());

  TrainingText content;
  std::vector<TrainingPoint>& points = content.points;
  // Names never hold CR or LF, so a file saved with bare LF reads the same.
  for (std::string line : platform::Split(text, kLineFeed)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty()) continue;
    // A zero cannot be stored in a list row or read back from one: the line is unreadable.
    if (line.find('\0') != std::string::npos) {
      ++content.skippedLines;
      continue;
    }
    const std::vector<std::string> fields = platform::Split(line, "\t");
    if (fields.size() < kMinFields) {
      if (!platform::Contains(line, "Easting")) ++content.skippedLines;
      continue;
    }

    // Seven fields are a name and six values even when the name is "0" or "1".
    const bool hasStatus = fields.size() > kMinFields && IsStatus(fields[0]);
    const std::size_t first = hasStatus ? 1 : 0;

    // The label is recomputed and ignored, so a custom prism name in it cannot hide the point.
    bool header = false;
    for (std::size_t i = 0; i < fields.size() && i < first + kColPrismLabel; ++i) {
      if (platform::Contains(fields[i], "Easting")) header = true;
    }
    if (header) continue;

    TrainingPoint p;
    p.name = FieldOr(fields, first + kColName, "");
    p.ha = FieldOr(fields, first + kColHa, "");
    p.va = FieldOr(fields, first + kColVa, "");
    p.sd = FieldOr(fields, first + kColSd, "");
    p.easting = FieldOr(fields, first + kColEasting, "");
    p.northing = FieldOr(fields, first + kColNorthing, "");
    p.rl = FieldOr(fields, first + kColRl, "");
    p.prism_type = FieldOr(fields, first + kColPrismType, "-1");
    points.push_back(std::move(p));
  }
  return content;
}

std::vector<TrainingPoint> ParseTrainingText(std::string_view text) {
  return ReadTrainingText(text).points;
}

std::string BuildTrainingText(const TrainingColumnSpecs& columns, const std::vector<TrainingPoint>& rows) {
  std::string text = "Stat";
  for (const TrainingColumnSpec& c : columns) {
    text += '\t';
    text += c.header;
  }
  text += kLineEnd;
  for (const TrainingPoint& p : rows) {
    text += '1';
    for (std::size_t c = 0; c < kTrainingColumnCount; ++c) {
      text += '\t';
      text += ColumnText(p, c);
    }
    text += kLineEnd;
  }
  return text;
}

}  // namespace vigil::training
