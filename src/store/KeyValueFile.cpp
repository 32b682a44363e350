#include "store/KeyValueFile.h"

#include <optional>

#include "platform/Files.h"
#include "platform/Text.h"

namespace vigil::store {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

// The key of a line, or nullopt for a line without "=".
std::optional<std::string_view> KeyOf(std::string_view line) {
  const auto eq = line.find('=');
  if (eq == std::string_view::npos) return std::nullopt;
  return line.substr(0, eq);
}

}  // namespace

KeyValueFile::KeyValueFile(fs::path path) : path_(std::move(path)) {
  if (auto text = platform::ReadUtf16File(path_)) {
    lines_ = SplitLines(*text);
  } else {
    unread_ = platform::FileExists(path_);
  }
}

KeyValueFile::KeyValueFile(fs::path path, std::string_view text)
    : path_(std::move(path)), lines_(SplitLines(text)) {}

std::vector<std::string> KeyValueFile::SplitLines(std::string_view text) {
  const auto nul = text.find('\0');
  if (nul != std::string_view::npos) text = text.substr(0, nul);
  return platform::Split(text, kLineEnd);
}

std::string KeyValueFile::JoinLines(const std::vector<std::string>& lines) {
  std::string text;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].empty()) continue;
    text += lines[i];
    if (i + 1 < lines.size()) text += kLineEnd;
  }
  return text;
}

std::string KeyValueFile::Get(std::string_view key) const {
  for (const auto& line : lines_) {
    const auto lineKey = KeyOf(line);
    if (lineKey && *lineKey == key) return line.substr(key.size() + 1);
  }
  return {};
}

bool KeyValueFile::Set(std::string_view key, std::string_view value) {
  if (platform::Contains(key, "=") || platform::Contains(key, kLineEnd) ||
      platform::Contains(value, kLineEnd)) {
    return false;
  }
  std::string line = std::string(key) + "=" + std::string(value);
  // Reading stops at a NUL, so everything after it would be lost on the next load.
  if (line.find('\0') != std::string::npos) return false;
  // Only a line of exactly this key is replaced: an unknown key that merely begins with
  // the same text is someone else's data.
  for (auto& existing : lines_) {
    const auto lineKey = KeyOf(existing);
    if (lineKey && *lineKey == key) {
      existing = std::move(line);
      return true;
    }
  }
  lines_.push_back(std::move(line));
  return true;
}

bool KeyValueFile::Save() const {
  return !unread_ && SaveAs(path_);
}

bool KeyValueFile::SaveAs(const fs::path& target) const {
  if (lines_.empty()) return true;
  const fs::path folder = target.parent_path();
  if (!folder.empty() && !platform::FolderExists(folder) && !platform::CreateFolder(folder)) return false;
  return platform::WriteUtf16FileAtomic(target, JoinLines(lines_));
}

}  // namespace vigil::store
