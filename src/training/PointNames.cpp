#include "training/PointNames.h"

#include <algorithm>
#include <cstddef>

#include "platform/Text.h"

namespace vigil::training {
namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Decimal increment on the digit text itself: a long run of digits must not wrap to a
// negative or repeated name.
std::string Increment(std::string digits) {
  const std::size_t firstNonZero = digits.find_first_not_of('0');
  digits.erase(0, std::min(firstNonZero, digits.size()));
  std::size_t i = digits.size();
  while (i > 0 && digits[i - 1] == '9') {
    digits[i - 1] = '0';
    --i;
  }
  if (i == 0) {
    digits.insert(digits.begin(), '1');
  } else {
    ++digits[i - 1];
  }
  return digits;
}

}  // namespace

std::string NextPointNameAfter(std::string_view lastName) {
  const std::size_t start = std::min(lastName.find_first_of("0123456789"), lastName.size());
  std::size_t end = start;
  while (end < lastName.size() && IsDigit(lastName[end])) ++end;

  std::string number = Increment(std::string(lastName.substr(start, end - start)));
  if (number.size() < 3) number.insert(0, 3 - number.size(), '0');
  return std::string(lastName.substr(0, start)) + number;
}

bool IsStorablePointName(std::string_view name) {
  if (name.empty() || name.find_first_of(std::string_view("\t\r\n\0", 4)) != std::string_view::npos) {
    return false;
  }
  // The file is UTF-16: a broken UTF-8 sequence would come back as another name.
  return platform::Utf16LeToUtf8(platform::Utf8ToUtf16Le(name)) == name;
}

}  // namespace vigil::training
