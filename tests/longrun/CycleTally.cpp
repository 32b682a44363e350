#include "CycleTally.h"

#include <vector>

#include "platform/Files.h"
#include "platform/Format.h"
#include "platform/Text.h"

namespace vigil::longrun {

namespace {
constexpr std::size_t kColumns = 18;
constexpr std::size_t kFirstMeasuredColumn = 10;
}  // namespace

CycleTally& CycleTally::operator+=(const CycleTally& o) {
  files += o.files;
  measured += o.measured;
  failed += o.failed;
  malformed += o.malformed;
  return *this;
}

CycleTally TallyCycleText(std::string_view text) {
  CycleTally t;
  t.files = 1;
  std::vector<std::string> lines = platform::Split(text, "\r\n");
  // Every line ends in CR LF, so the last piece is empty; anything else is a torn line.
  if (!lines.empty() && !lines.back().empty()) ++t.malformed;
  if (!lines.empty()) lines.pop_back();
  if (lines.empty() || !platform::StartsWith(lines[0], "Epoch\t")) {
    ++t.malformed;
    return t;
  }
  for (std::size_t i = 1; i < lines.size(); ++i) {
    const std::vector<std::string> f = platform::Split(lines[i], "\t");
    if (f.size() != kColumns || f[0] != "4" || f[3].empty() || f[4].empty() || f[5].empty()) {
      ++t.malformed;
      continue;
    }
    int filled = 0;
    for (std::size_t c = kFirstMeasuredColumn; c < kColumns; ++c) filled += f[c].empty() ? 0 : 1;
    if (filled == static_cast<int>(kColumns - kFirstMeasuredColumn))
      ++t.measured;
    else if (filled == 0)
      ++t.failed;
    else
      ++t.malformed;
  }
  return t;
}

CycleTally TallyCycleFiles(const std::filesystem::path& folder, std::string_view pattern) {
  CycleTally total;
  for (const std::string& name : platform::FindFiles(folder, pattern)) {
    const std::optional<std::string> text = platform::ReadUtf16File(folder / name);
    if (!text) {
      ++total.files;
      ++total.malformed;
      continue;
    }
    total += TallyCycleText(*text);
  }
  return total;
}

std::string MonthPattern(std::string_view station, std::string_view project, int month, int year) {
  static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                        "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  return platform::Format("%s_%s_\?\?-%s-%d_Cycle_*.vgl", {station, project, kMonths[month - 1], year});
}

}  // namespace vigil::longrun
