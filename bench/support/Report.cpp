#include "support/Report.h"

#include <cstdio>

#include "platform/Format.h"

namespace vigil::bench {

void Say(std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

void Figure(std::string_view label, double value, int decimals, std::string_view unit) {
  FigureText(label, platform::FormatFixed(value, decimals) + (unit.empty() ? "" : " ") + std::string(unit));
}

void FigureText(std::string_view label, std::string_view text) {
  Say(platform::Format("  %-52s %s", {label, text}));
}

}  // namespace vigil::bench
