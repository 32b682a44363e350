// The line-oriented key=value text file that holds a project-station's settings and, read
// only, the translations. Lines are kept exactly as read, so keys this program does not know
// survive a save.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace vigil::store {

namespace fs = std::filesystem;

class KeyValueFile {
 public:
  /// Reads the whole file (UTF-16LE, no byte-order mark expected). A missing or unreadable
  /// file gives no lines; that is not an error.
  explicit KeyValueFile(fs::path path);

  /// A file object on `path` holding `text` (UTF-8) as if it had been read from there.
  KeyValueFile(fs::path path, std::string_view text);

  /// The lines of a file text: cut at the first NUL, split at every CR LF. A lone CR or LF
  /// stays inside its line. A byte-order mark is not removed: it hides the first key.
  static std::vector<std::string> SplitLines(std::string_view text);

  /// The text written for `lines`: the non-empty lines, each followed by CR LF except the
  /// last line of the list (so a list ending in an empty line gives a text ending in CR LF).
  static std::string JoinLines(const std::vector<std::string>& lines);

  /// The value after the first "=" of the first line whose text before that "=" equals
  /// `key` (case-sensitive); empty when there is none.
  std::string Get(std::string_view key) const;

  /// Replaces the first line whose key equals `key` by "key=value", or appends it. Refuses
  /// (false, nothing changed) a key holding "=", or a key or value holding CR LF or NUL:
  /// each would be read back as something else.
  bool Set(std::string_view key, std::string_view value);

  /// SaveAs to the path the file was opened on. Refused (false) when the file was there but
  /// could not be read: its lines are unknown and saving would replace them.
  bool Save() const;

  /// Replaces `target` atomically by the joined lines, creating its folder (one level) when
  /// missing. With no lines nothing is written and true returned. False when the file could
  /// not be written; the old file is then left as it was.
  bool SaveAs(const fs::path& target) const;

  const fs::path& Path() const { return path_; }
  const std::vector<std::string>& Lines() const { return lines_; }

 private:
  fs::path path_;
  std::vector<std::string> lines_;
  bool unread_ = false;
};

}  // namespace vigil::store
