#include "installer/InstallerStrings.h"

#include "platform/Files.h"
#include "platform/Format.h"
#include "platform/Text.h"

namespace vigil::installer {

InstallerStrings InstallerStrings::Parse(std::string_view text) {
  InstallerStrings strings;
  for (std::string line : platform::Split(text, "\n")) {
    if (platform::EndsWith(line, "\r")) line.pop_back();
    if (line.empty() || line.front() == ';') continue;
    const std::size_t eq = line.find('=');
    if (eq == std::string::npos) continue;
    const std::string key = platform::Trim(std::string_view(line).substr(0, eq));
    int number = 0;
    if (key.empty() || !platform::ScanInt(key, number) || platform::FormatInt(number) != key) continue;
    strings.texts_[number] = platform::ReplaceAll(std::string_view(line).substr(eq + 1), "\\n", "\n");
  }
  return strings;
}

std::optional<InstallerStrings> InstallerStrings::Load(const std::filesystem::path& file) {
  const std::optional<std::string> bytes = platform::ReadFileBytes(file);
  if (!bytes) return std::nullopt;
  return Parse(*bytes);
}

std::string InstallerStrings::Text(int number) const {
  const auto it = texts_.find(number);
  return it != texts_.end() ? it->second : "(" + platform::FormatInt(number) + ")";
}

}  // namespace vigil::installer
