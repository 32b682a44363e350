#include "training/CoordinateFile.h"

#include <cctype>

#include "platform/Format.h"
#include "platform/Text.h"
#include "training/PointNames.h"

namespace vigil::training {
namespace {

constexpr std::size_t kMinFields = 4;

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Sign, digits and at most one point: what a spreadsheet writes. Exponents, hex and words
// are refused so a value stored as text in the list always reads back as the same number.
bool IsPlainNumber(std::string_view text) {
  if (text.empty() || text.size() > kMaxCoordinateValueChars) return false;
  std::size_t i = (text[0] == '-' || text[0] == '+') ? 1 : 0;
  bool digits = false;
  bool point = false;
  for (; i < text.size(); ++i) {
    if (IsDigit(text[i])) {
      digits = true;
    } else if (text[i] == '.' && !point) {
      point = true;
    } else {
      return false;
    }
  }
  double value = 0.0;
  return digits && platform::ScanDouble(text, value);
}

bool IsBlank(std::string_view line) {
  for (char c : line) {
    if (!std::isspace(static_cast<unsigned char>(c))) return false;
  }
  return true;
}

}  // namespace

CoordinateFileContent ParseCoordinateFile(std::string_view bytes) {
  CoordinateFileContent content;
  if (bytes.size() < 2) {
    content.result = CoordinateFileResult::TooShort;
    return content;
  }
  if (static_cast<unsigned char>(bytes[0]) != 0xFF || static_cast<unsigned char>(bytes[1]) != 0xFE) {
    content.result = CoordinateFileResult::NotUnicode;
    return content;
  }
  const std::string text = platform::Utf16LeToUtf8(bytes.substr(2));

  // Lines end in CR LF; a file saved with bare LF reads the same.
  for (std::string line : platform::Split(text, "\n")) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (IsBlank(line) || platform::Contains(line, "Easting")) continue;

    std::vector<std::string> fields = platform::Split(line, "\t");
    if (fields.size() == 1) fields = platform::Split(line, ",");
    if (fields.size() < kMinFields) {
      ++content.skippedLines;
      continue;
    }
    CoordinateLine c;
    c.name = platform::Trim(fields[0]);
    c.easting = platform::Trim(fields[1]);
    c.northing = platform::Trim(fields[2]);
    c.rl = platform::Trim(fields[3]);
    // Point names end up in the training file, never in a file name.
    if (!IsStorablePointName(c.name) || !IsPlainNumber(c.easting) || !IsPlainNumber(c.northing) ||
        !IsPlainNumber(c.rl)) {
      ++content.skippedLines;
      continue;
    }
    c.station = platform::Contains(c.name, "STN");
    content.lines.push_back(std::move(c));
  }
  return content;
}

std::string BuildCoordinateFile(const std::vector<CoordinateLine>& lines, char separator) {
  const std::string sep(1, separator);
  std::string text = platform::Join({"Name", "Easting", "Northing", "RL"}, sep) + "\r\n";
  for (const CoordinateLine& c : lines) {
    text += platform::Join({c.name, c.easting, c.northing, c.rl}, sep) + "\r\n";
  }
  return std::string("\xFF\xFE") + platform::Utf8ToUtf16Le(text);
}

}  // namespace vigil::training
