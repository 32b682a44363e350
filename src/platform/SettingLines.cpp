#include "platform/SettingLines.h"

#include <cmath>
#include <system_error>

#include "platform/Files.h"
#include "platform/Format.h"
#include "platform/Text.h"

namespace vigil::platform {

bool ReadSettingLines(std::string_view text, std::vector<SettingLine>& lines, std::string& error) {
  std::vector<SettingLine> read;
  int lineNumber = 0;
  for (const std::string& rawLine : Split(text, "\n")) {
    ++lineNumber;
    const std::string line = Trim(rawLine);
    if (line.empty() || line.front() == '#') continue;
    const std::size_t eq = line.find('=');
    if (eq == std::string::npos) {
      error = "line " + std::to_string(lineNumber) + ": expected key = value";
      return false;
    }
    read.push_back({lineNumber, Trim(std::string_view(line).substr(0, eq)),
                    Trim(std::string_view(line).substr(eq + 1))});
  }
  lines = std::move(read);
  return true;
}

bool ReadBoundedNumber(std::string_view text, double low, double high, double& value) {
  double v = 0.0;
  if (!IsPlainNumber(text) || !ScanDouble(text, v) || !std::isfinite(v) || v < low || v > high) return false;
  value = v;
  return true;
}

std::string ShortestNumberText(double value) {
  std::string t = FormatFixed(value, 6);
  while (t.back() == '0') t.pop_back();
  if (t.back() == '.') t.pop_back();
  return t;
}

bool LoadSettingsFile(const std::filesystem::path& path,
                      const std::function<bool(std::string_view text, std::string& error)>& parse,
                      std::string& error) {
  std::error_code ec;
  if (!std::filesystem::exists(path, ec)) return true;
  const auto bytes = ReadFileBytes(path);
  if (!bytes) {
    error = "cannot read " + PathText(path);
    return false;
  }
  if (!parse(*bytes, error)) {
    error = PathText(path) + ": " + error;
    return false;
  }
  return true;
}

}  // namespace vigil::platform
