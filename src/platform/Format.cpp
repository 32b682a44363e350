#include "platform/Format.h"

#include "platform/Text.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <system_error>

namespace vigil::platform {
namespace {

struct Directive {
  bool left = false;
  bool plus = false;
  bool space = false;
  bool zero = false;
  int width = 0;
  int precision = -1;
  char conversion = 0;
};

// Pads a converted number or text to the width; zero padding goes after the sign.
std::string Pad(std::string body, const Directive& directive, bool numeric) {
  const auto width = static_cast<std::size_t>(directive.width);
  if (body.size() >= width) return body;
  const std::size_t fill = width - body.size();
  if (directive.left) return body + std::string(fill, ' ');
  if (directive.zero && numeric) {
    std::size_t signLength = (!body.empty() && (body[0] == '-' || body[0] == '+' || body[0] == ' ')) ? 1 : 0;
    return body.substr(0, signLength) + std::string(fill, '0') + body.substr(signLength);
  }
  return std::string(fill, ' ') + body;
}

std::string SignPrefix(bool negative, const Directive& directive) {
  if (negative) return "-";
  if (directive.plus) return "+";
  if (directive.space) return " ";
  return "";
}

std::string FixedDigits(double value, int decimals) {
  // std::to_chars is locale-independent and rounds exactly as printf does.
  char buffer[400];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
  if (result.ec != std::errc()) return "0";
  return std::string(buffer, result.ptr);
}

std::string ConvertDouble(double value, const Directive& directive) {
  if (std::isnan(value)) return Pad("nan", directive, false);
  if (std::isinf(value))
    return Pad(value < 0 ? "-inf" : SignPrefix(false, directive) + "inf", directive, false);
  const int decimals = directive.precision < 0 ? 6 : std::min(directive.precision, 60);
  std::string digits = FixedDigits(std::fabs(value), decimals);
  return Pad(SignPrefix(std::signbit(value), directive) + digits, directive, true);
}

std::string ConvertInteger(long long value, const Directive& directive) {
  std::string digits;
  if (directive.conversion == 'x' || directive.conversion == 'X') {
    // A negative int shows as printf shows it: its 32-bit two's complement.
    const unsigned long long bits =
        value < 0 ? static_cast<unsigned>(value) : static_cast<unsigned long long>(value);
    char buffer[32];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, bits, 16);
    digits.assign(buffer, result.ptr);
    if (directive.conversion == 'X')
      for (char& c : digits) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return Pad(digits, directive, true);
  }
  if (directive.conversion == 'u' && value < 0) value = static_cast<long long>(static_cast<unsigned>(value));
  const unsigned long long magnitude =
      value < 0 ? 0ULL - static_cast<unsigned long long>(value) : static_cast<unsigned long long>(value);
  digits = std::to_string(magnitude);
  if (directive.precision >= 0 && digits.size() < static_cast<std::size_t>(directive.precision))
    digits.insert(0, static_cast<std::size_t>(directive.precision) - digits.size(), '0');
  return Pad(SignPrefix(value < 0, directive) + digits, directive, directive.precision < 0);
}

std::string Convert(const Directive& directive, const FormatArg* arg) {
  const bool isFloat = directive.conversion == 'f' || directive.conversion == 'F';
  const bool isText = directive.conversion == 's';
  if (arg == nullptr)
    return Pad(isText ? "" : (isFloat ? ConvertDouble(0.0, directive) : "0"), directive, false);
  const auto& v = arg->value();
  if (isText) {
    std::string text;
    if (const auto* s = std::get_if<std::string_view>(&v)) {
      text = std::string(*s);
    } else if (const auto* i = std::get_if<long long>(&v)) {
      text = std::to_string(*i);
    } else {
      text = FixedDigits(std::get<double>(v), 6);
    }
    if (directive.precision >= 0 && text.size() > static_cast<std::size_t>(directive.precision))
      text.resize(static_cast<std::size_t>(directive.precision));
    return Pad(text, directive, false);
  }
  if (isFloat) {
    if (const auto* d = std::get_if<double>(&v)) return ConvertDouble(*d, directive);
    if (const auto* i = std::get_if<long long>(&v)) return ConvertDouble(static_cast<double>(*i), directive);
    return ConvertDouble(ParseDoubleOr(std::get<std::string_view>(v), 0.0), directive);
  }
  if (const auto* i = std::get_if<long long>(&v)) return ConvertInteger(*i, directive);
  if (const auto* d = std::get_if<double>(&v)) {
    const double t = std::trunc(*d);
    const long long n = std::isfinite(t) && std::fabs(t) < 9.2e18 ? static_cast<long long>(t) : 0;
    return ConvertInteger(n, directive);
  }
  return ConvertInteger(ParseIntOr(std::get<std::string_view>(v), 0), directive);
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

}  // namespace

std::string Format(std::string_view format, std::initializer_list<FormatArg> args) {
  std::string out;
  out.reserve(format.size() + 16);
  auto next = args.begin();
  std::size_t i = 0;
  while (i < format.size()) {
    const char c = format[i];
    if (c != '%') {
      out += c;
      ++i;
      continue;
    }
    if (i + 1 < format.size() && format[i + 1] == '%') {
      out += '%';
      i += 2;
      continue;
    }
    Directive directive;
    std::size_t j = i + 1;
    for (; j < format.size(); ++j) {
      const char f = format[j];
      if (f == '-') {
        directive.left = true;
      } else if (f == '+') {
        directive.plus = true;
      } else if (f == ' ') {
        directive.space = true;
      } else if (f == '0') {
        directive.zero = true;
      } else {
        break;
      }
    }
    while (j < format.size() && IsDigit(format[j]) && directive.width < 1000)
      directive.width = directive.width * 10 + (format[j++] - '0');
    if (j < format.size() && format[j] == '.') {
      ++j;
      directive.precision = 0;
      while (j < format.size() && IsDigit(format[j]) && directive.precision < 1000)
        directive.precision = directive.precision * 10 + (format[j++] - '0');
    }
    while (j < format.size() && (format[j] == 'l' || format[j] == 'h')) ++j;
    if (j >= format.size()) {
      out.append(format.substr(i));  // an unfinished conversion is shown as written
      break;
    }
    directive.conversion = format[j];
    switch (directive.conversion) {
      case 'd':
      case 'i':
      case 'u':
      case 'x':
      case 'X':
      case 'f':
      case 'F':
      case 's': {
        const FormatArg* arg = next != args.end() ? &*next++ : nullptr;
        out += Convert(directive, arg);
        break;
      }
      default:
        out.append(format.substr(i, j - i + 1));
        break;
    }
    i = j + 1;
  }
  return out;
}

std::string FormatFixed(double value, int decimals) {
  Directive directive;
  directive.conversion = 'f';
  directive.precision = decimals < 0 ? 0 : decimals;
  return ConvertDouble(value, directive);
}

std::string FormatInt(long long value) {
  return std::to_string(value);
}

bool ScanDouble(std::string_view text, double& value) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
  const std::size_t start = i;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  const std::size_t digitsStart = i;
  bool any = false;
  while (i < text.size() && IsDigit(text[i])) {
    ++i;
    any = true;
  }
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && IsDigit(text[i])) {
      ++i;
      any = true;
    }
  }
  if (!any) return false;  // also refuses "inf", "nan" and hexadecimal forms
  std::size_t end = i;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    std::size_t k = i + 1;
    if (k < text.size() && (text[k] == '+' || text[k] == '-')) ++k;
    if (k < text.size() && IsDigit(text[k])) {
      while (k < text.size() && IsDigit(text[k])) ++k;
      end = k;
    }
  }
  double parsed = 0.0;
  // from_chars takes no '+' and is locale-independent.
  const char* first = text.data() + digitsStart;
  auto result = std::from_chars(first, text.data() + end, parsed, std::chars_format::general);
  if (result.ec == std::errc::result_out_of_range) return false;
  if (result.ec != std::errc() || !std::isfinite(parsed)) return false;
  value = (text[start] == '-') ? -parsed : parsed;
  return true;
}

bool ScanInt(std::string_view text, int& value) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  if (i >= text.size() || !IsDigit(text[i])) return false;
  long long n = 0;
  while (i < text.size() && IsDigit(text[i])) {
    n = n * 10 + (text[i++] - '0');
    if (n > static_cast<long long>(INT_MAX) + 1) return false;
  }
  if (negative) n = -n;
  if (n < INT_MIN || n > INT_MAX) return false;
  value = static_cast<int>(n);
  return true;
}

double ParseDoubleOr(std::string_view text, double fallback) {
  double v = fallback;
  ScanDouble(text, v);
  return v;
}

int ParseIntOr(std::string_view text, int fallback) {
  int v = fallback;
  ScanInt(text, v);
  return v;
}

bool IsPlainNumber(std::string_view typed, bool decimals) {
  const std::string text = Trim(typed);
  std::size_t i = (!text.empty() && (text[0] == '-' || text[0] == '+')) ? 1 : 0;
  bool digit = false;
  bool point = false;
  for (; i < text.size(); ++i) {
    if (text[i] >= '0' && text[i] <= '9') {
      digit = true;
    } else if (decimals && text[i] == '.' && !point) {
      point = true;
    } else {
      return false;
    }
  }
  return digit;
}

}  // namespace vigil::platform
