// The program's own settings files beside the specified ones (evaluation.conf, alarms.conf):
// UTF-8 lines of "key = value", '#' starting a comment line. One reader for their lines, their
// bounded numbers and the file itself, so every such file refuses the same things the same way.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vigil::platform {

struct SettingLine {
  int lineNumber = 0;  ///< from 1
  std::string key;     ///< blanks around it removed
  std::string value;   ///< blanks around it removed
};

/// The setting lines of `text`; blank and comment lines are passed over. False with
/// "line N: expected key = value" for a line without "=".
bool ReadSettingLines(std::string_view text, std::vector<SettingLine>& lines, std::string& error);

/// A plain number ("2", "-0.5"; not "0,5" or "1e3") within [low, high].
bool ReadBoundedNumber(std::string_view text, double low, double high, double& value);

/// The shortest plain text of a number of at most six decimals: "0.5", "1000".
std::string ShortestNumberText(double value);

/// Gives the text of `path` to `parse`. A missing file is no error: `parse` is not called. A
/// file that cannot be read, or that `parse` refuses, gives false with the path in `error`.
bool LoadSettingsFile(const std::filesystem::path& path,
                      const std::function<bool(std::string_view text, std::string& error)>& parse,
                      std::string& error);

}  // namespace vigil::platform
