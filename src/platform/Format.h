// Locale-independent printf/scanf subset. Every number the program shows or stores goes
// through here, so files read the same under any process locale.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <variant>

namespace vigil::platform {

/// One argument of Format: an integer, a double or a text.
class FormatArg {
 public:
  FormatArg(int v) : value_(static_cast<long long>(v)) {}
  FormatArg(long v) : value_(static_cast<long long>(v)) {}
  FormatArg(long long v) : value_(v) {}
  FormatArg(unsigned v) : value_(static_cast<long long>(v)) {}
  FormatArg(double v) : value_(v) {}
  FormatArg(const char* v) : value_(std::string_view(v)) {}
  FormatArg(std::string_view v) : value_(v) {}
  FormatArg(const std::string& v) : value_(std::string_view(v)) {}

  const std::variant<long long, double, std::string_view>& value() const { return value_; }

 private:
  std::variant<long long, double, std::string_view> value_;
};

/// printf with the conversions the program uses: %d %i %u %x %s %f %lf %% with the flags
/// '-', '+', ' ', '0', a width and a precision (e.g. "%02d", "%.4lf", "%04.1lf", "%-10s").
/// The decimal separator is always '.', there is never a thousands separator.
/// A conversion without a matching argument, or of the wrong kind, is written as the
/// nearest sensible text (an int shown by %lf, a double by %d truncated); nothing crashes.
std::string Format(std::string_view format, std::initializer_list<FormatArg> args);

/// "%.Nlf" of value: N decimals, '.' as separator, rounded as printf rounds.
std::string FormatFixed(double value, int decimals);

/// "%d" of value.
std::string FormatInt(long long value);

/// Reads a double as "%lf" does: leading white space skipped, optional sign, the longest
/// leading number taken, the rest ignored. Returns false and leaves `value` unchanged when
/// nothing is read. Infinity and NaN are refused (they would poison every computation).
bool ScanDouble(std::string_view text, double& value);

/// Reads an int as "%d" does; false and `value` unchanged when nothing is read or the
/// number does not fit in an int.
bool ScanInt(std::string_view text, int& value);

/// True when the whole text, blanks around it aside, is one plain number: optional sign, digits
/// and (with `decimals`) at most one point. "1100,25", "2x" or "1e3" are not: ScanDouble would
/// read them up to their first odd character.
bool IsPlainNumber(std::string_view text, bool decimals = true);

/// ScanDouble with a fallback: the value read, or `fallback` when nothing is read.
double ParseDoubleOr(std::string_view text, double fallback);

/// ScanInt with a fallback.
int ParseIntOr(std::string_view text, int fallback);

}  // namespace vigil::platform
