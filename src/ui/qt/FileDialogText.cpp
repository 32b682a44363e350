#include "ui/qt/FileDialogText.h"

#include <vector>

#include "platform/Files.h"
#include "platform/Paths.h"
#include "platform/Text.h"

namespace vigil::ui::qt {

namespace {

std::vector<std::string> Split(std::string_view text, char separator) {
  std::vector<std::string> parts;
  std::string part;
  for (char c : text) {
    if (c == separator) {
      parts.push_back(part);
      part.clear();
    } else {
      part.push_back(c);
    }
  }
  parts.push_back(part);
  return parts;
}

std::string Trim(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(' ');
  return std::string(text.substr(first, last - first + 1));
}

// Qt reads the patterns from the last "(...)" of the description, so the description
// loses its own and gets the real ones.
std::string Description(std::string_view description) {
  std::string text = Trim(description);
  if (!text.empty() && text.back() == ')') {
    const auto open = text.rfind('(');
    if (open != std::string::npos) text = Trim(std::string_view(text).substr(0, open));
  }
  return text;
}

std::string Patterns(std::string_view patterns) {
  std::string joined;
  for (const std::string& piece : Split(patterns, ';')) {
    std::string pattern = Trim(piece);
    if (pattern.empty()) continue;
    if (pattern == "*.*") pattern = "*";
    if (!joined.empty()) joined += ' ';
    joined += pattern;
  }
  return joined;
}

}  // namespace

std::string QtFileFilter(std::string_view filter) {
  const std::vector<std::string> parts = Split(filter, '|');
  std::string result;
  for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
    const std::string patterns = Patterns(parts[i + 1]);
    if (patterns.empty()) continue;
    std::string description = Description(parts[i]);
    if (description.empty()) description = "Files";
    if (!result.empty()) result += ";;";
    result += description + " (" + patterns + ")";
  }
  return result.empty() ? "All Files (*)" : result;
}

std::optional<std::string> ControllerPathOf(const std::filesystem::path& deviceRoot,
                                            const std::filesystem::path& file) {
  if (deviceRoot.empty() || file.empty()) return std::nullopt;
  std::error_code error;
  const auto root = std::filesystem::weakly_canonical(deviceRoot, error);
  if (error) return std::nullopt;
  const auto target = std::filesystem::weakly_canonical(file, error);
  if (error) return std::nullopt;
  const auto relative = target.lexically_relative(root);
  if (relative.empty() || relative == ".") return std::nullopt;
  std::string path;
  for (const auto& piece : relative) {
    const std::string text = platform::PathText(piece);
    if (text == "..") return std::nullopt;
    path += '\\';
    path += text;
  }
  return path;
}

namespace {

bool IsControllerPath(std::string_view folder) {
  return folder.empty() || folder.front() == '\\';
}

}  // namespace

std::filesystem::path StartFolderOf(const std::filesystem::path& deviceRoot, std::string_view folder) {
  if (!IsControllerPath(folder)) return platform::PathFromText(folder);
  return platform::Paths(deviceRoot, deviceRoot).Device(folder);
}

std::optional<std::string> ChosenFileText(const std::filesystem::path& deviceRoot, std::string_view folder,
                                          const std::filesystem::path& file) {
  if (IsControllerPath(folder)) return ControllerPathOf(deviceRoot, file);
  // The program's own Data folder lives beside the program, not on the device: only files
  // inside that folder may be chosen, and they keep their native path.
  if (!ControllerPathOf(platform::PathFromText(folder), file)) return ControllerPathOf(deviceRoot, file);
  std::error_code error;
  const auto target = std::filesystem::weakly_canonical(file, error);
  if (error) return std::nullopt;
  return platform::PathText(target);
}

}  // namespace vigil::ui::qt
