// The installer's texts by number: message texts, captions and labels. They live in a
// strings file beside the program ("SETUP_RC.txt"), one "number=text" a line, so they can
// be changed without building the program.
#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace vigil::installer {

inline constexpr std::string_view kStringsFileName = "SETUP_RC.txt";

class InstallerStrings {
 public:
  /// From the file's text (UTF-8; LF or CR LF). Empty lines and lines starting with ";" are
  /// skipped, as are lines without a number before "="; "\n" in a text is a line break.
  static InstallerStrings Parse(std::string_view text);
  /// The strings file; nullopt when it cannot be read.
  static std::optional<InstallerStrings> Load(const std::filesystem::path& file);

  bool Has(int number) const { return texts_.count(number) != 0; }
  /// The text of `number`; "(number)" when the file lacks it, so a gap shows which text.
  std::string Text(int number) const;
  void Set(int number, std::string text) { texts_[number] = std::move(text); }

 private:
  std::map<int, std::string> texts_;
};

}  // namespace vigil::installer
