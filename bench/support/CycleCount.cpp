#include "support/CycleCount.h"

#include <string>
#include <vector>

#include "platform/Files.h"
#include "platform/Text.h"

namespace vigil::bench {

namespace {

constexpr std::size_t kFields = 18;
constexpr std::size_t kEastingField = 13;

void Add(CycleLineCount& sum, const CycleLineCount& part) {
  sum.files += part.files;
  sum.measured += part.measured;
  sum.failed += part.failed;
  sum.malformed += part.malformed;
}

}  // namespace

CycleLineCount CountCycleLines(std::string_view text) {
  CycleLineCount count;
  count.files = 1;
  const std::vector<std::string> lines = platform::Split(text, "\r\n");
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    const bool last = i + 1 == lines.size();
    if (last) {
      // A file ends with CR LF; anything after the last one is a line cut short.
      if (!line.empty()) ++count.malformed;
      break;
    }
    if (platform::Contains(line, "Easting")) continue;
    const std::vector<std::string> fields = platform::Split(line, "\t");
    if (fields.size() != kFields) {
      ++count.malformed;
    } else if (platform::Trim(fields[kEastingField]).empty()) {
      ++count.failed;
    } else {
      ++count.measured;
    }
  }
  return count;
}

CycleLineCount CountCycleFiles(const std::filesystem::path& folder) {
  CycleLineCount sum;
  for (const std::string& name : platform::FindFiles(folder, "*.vgl")) {
    const auto text = platform::ReadUtf16File(folder / platform::PathFromText(name));
    if (!text) {
      ++sum.files;
      ++sum.malformed;
      continue;
    }
    Add(sum, CountCycleLines(*text));
  }
  return sum;
}

}  // namespace vigil::bench
