#include "installer/InstallScript.h"

#include <cstdint>
#include <optional>

#include "platform/Format.h"
#include "platform/Text.h"

namespace vigil::installer {

namespace {

using platform::StartsWith;

enum class Section { None, Product, Cab, Finish, Tool, Overwrite };

Section SectionOf(std::string_view line) {
  if (line == "[PRODUCT]") return Section::Product;
  if (line == "[CAB]") return Section::Cab;
  if (line == "[FINISH]") return Section::Finish;
  if (line == "[TOOL]") return Section::Tool;
  if (line == "[OVERWRITE]") return Section::Overwrite;
  return Section::None;
}

// The value after `key` when the line starts with it.
bool Take(std::string_view line, std::string_view key, std::string& into) {
  if (!StartsWith(line, key)) return false;
  into = std::string(line.substr(key.size()));
  return true;
}

std::string DropOneBackslash(std::string_view path) {
  return std::string(StartsWith(path, "\\") ? path.substr(1) : path);
}

void ReadLine(std::string_view line, Section section, InstallScript& script) {
  std::string value;
  switch (section) {
    case Section::Product:
      if (!Take(line, "VERSION=", script.version)) Take(line, "NAME=", script.productName);
      break;
    case Section::Cab:
      if (Take(line, "PATH=", value)) {
        script.cabinetPath = DropOneBackslash(value);
      } else if (Take(line, "SIZE=", value)) {
        const std::optional<std::uint32_t> bytes = ParseNeededBytes(value);
        script.neededBytes = bytes.value_or(0);
        script.unfitSize = bytes ? std::string() : value;
      } else if (StartsWith(line, "DELETE") && line.find('=') != std::string_view::npos) {
        script.deletePaths.emplace_back(line.substr(line.find('=') + 1));
      }
      break;
    case Section::Finish:
      if (!Take(line, "MESSAGE=", script.finishMessage) && Take(line, "PATH=", value)) {
        script.finishPath = DropOneBackslash(value);
      }
      break;
    case Section::Tool:
      if (!Take(line, "MESSAGE=", script.toolMessage) && Take(line, "PATH=", value)) {
        script.toolPath = DropOneBackslash(value);
      }
      break;
    case Section::Overwrite:
      if (line == "FLG1=TRUE") script.overwriteBasicSettings = true;
      break;
    case Section::None:
      break;
  }
}

}  // namespace

std::optional<std::uint32_t> ParseNeededBytes(std::string_view value) {
  std::size_t i = 0;
  while (i < value.size() && (value[i] == ' ' || (value[i] >= '\t' && value[i] <= '\r'))) ++i;
  bool negative = false;
  if (i < value.size() && (value[i] == '+' || value[i] == '-')) negative = value[i++] == '-';
  if (i >= value.size() || value[i] < '0' || value[i] > '9') return 0;
  std::uint64_t bytes = 0;
  for (; i < value.size() && value[i] >= '0' && value[i] <= '9'; ++i) {
    bytes = bytes * 10 + static_cast<std::uint64_t>(value[i] - '0');
    if (bytes > UINT32_MAX) return std::nullopt;
  }
  if (negative && bytes != 0) return std::nullopt;
  return static_cast<std::uint32_t>(bytes);
}

InstallScript ParseInstallScript(std::string_view bytes) {
  InstallScript script;
  Section section = Section::None;
  int number = 0;
  std::size_t start = 0;
  while (start < bytes.size()) {
    std::size_t end = bytes.find('\n', start);
    if (end == std::string_view::npos) end = bytes.size();
    std::string_view raw = bytes.substr(start, end - start);
    start = end + 1;
    ++number;
    if (raw.ends_with('\r')) raw.remove_suffix(1);
    // Counted with its CR LF, as written on the controller.
    if (raw.size() + 2 > kMaxScriptLineBytes) {
      script.overlongLines.push_back(number);
      continue;
    }
    const std::string line = platform::Cp1252ToUtf8(raw);
    if (StartsWith(line, "[")) {
      section = SectionOf(line);
      continue;
    }
    ReadLine(line, section, script);
  }
  return script;
}

}  // namespace vigil::installer
