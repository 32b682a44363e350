// SETUP.INI: what the package installs and how. The file is 8-bit text of the system code
// page; values are kept exactly as written (not trimmed), a later line of a kind replaces
// an earlier one, and DELETE lines add up.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vigil::installer {

/// Longest line, with its CR LF, in bytes.
inline constexpr std::size_t kMaxScriptLineBytes = 256;

struct InstallScript {
  std::string productName;
  std::string version;
  std::string cabinetPath;  ///< relative to the package folder, one leading "\" dropped
  std::uint32_t neededBytes = 0;
  std::vector<std::string> deletePaths;  ///< instrument paths; a trailing "\" names a folder
  std::string finishMessage;
  std::string finishPath;
  std::string toolMessage;  ///< empty hides the tool box
  std::string toolPath;
  bool overwriteBasicSettings = false;  ///< "FLG1=TRUE": back up and restore VNT*.ini
  /// Numbers (from 1) of lines longer than kMaxScriptLineBytes. They are not read at all:
  /// cutting them would turn their tail into a line of its own.
  std::vector<int> overlongLines;
  /// The value of the last "SIZE=" when it does not fit in 32 bits: the script is refused
  /// rather than the space check skipped.
  std::string unfitSize;

  bool NamesCabinet() const { return !cabinetPath.empty(); }
};

/// Reads the script from the file's bytes. Lines end at LF; one CR before it is dropped.
InstallScript ParseInstallScript(std::string_view bytes);

/// The value of "SIZE=": a decimal byte count up to 4,294,967,295, read up to its first
/// character that is no digit; text without a number counts as 0. nullopt for a count that
/// does not fit in 32 bits unsigned, or a negative one.
std::optional<std::uint32_t> ParseNeededBytes(std::string_view value);

}  // namespace vigil::installer
