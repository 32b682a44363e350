#include "evaluation/EvaluationSettings.h"

#include <cmath>
#include <system_error>

#include "platform/Files.h"
#include "platform/Format.h"
#include "platform/Text.h"

namespace vigil::evaluation {

namespace {

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

// "0.5", "1000": the shortest plain text of a bound.
std::string Plain(double v) {
  std::string t = platform::FormatFixed(v, 6);
  while (t.back() == '0') t.pop_back();
  if (t.back() == '.') t.pop_back();
  return t;
}

struct NumberKey {
  const char* key;
  double EvaluationSettings::*field;
  double low, high;  // inclusive
};

constexpr NumberKey kNumbers[] = {
    {"angle_sigma_mgon", &EvaluationSettings::angleSigmaMgon, 0.001, 1000.0},
    {"distance_sigma_mm", &EvaluationSettings::distanceSigmaMm, 0.001, 1000.0},
    {"distance_sigma_ppm", &EvaluationSettings::distanceSigmaPpm, 0.0, 1000.0},
    {"confidence", &EvaluationSettings::confidence, 0.5, 0.999999},
    {"reference_confidence", &EvaluationSettings::referenceConfidence, 0.5, 0.999999},
    {"velocity_window_days", &EvaluationSettings::velocityWindowDays, 0.01, 3650.0},
    {"minimum_reference_spread_gon", &EvaluationSettings::minimumReferenceSpreadGon, 0.0, 100.0},
};

}  // namespace

bool ParseEvaluationSettings(std::string_view text, EvaluationSettings& settings, std::string& error) {
  EvaluationSettings read = settings;
  int lineNumber = 0;
  for (const std::string& rawLine : platform::Split(text, "\n")) {
    ++lineNumber;
    std::string_view line = Trim(rawLine);
    if (line.empty() || line.front() == '#') continue;
    const std::string where = "line " + std::to_string(lineNumber);
    const std::size_t eq = line.find('=');
    if (eq == std::string_view::npos) {
      error = where + ": expected key = value";
      return false;
    }
    const std::string key(Trim(line.substr(0, eq)));
    const std::string_view value = Trim(line.substr(eq + 1));
    if (key == "baseline_cycle") {
      if (value.find_first_of("/\\") != std::string_view::npos || value == "." || value == "..") {
        error = where + ": baseline_cycle must be a cycle file name";
        return false;
      }
      read.baselineCycle = std::string(value);
      continue;
    }
    bool known = false;
    for (const NumberKey& k : kNumbers) {
      if (key != k.key) continue;
      known = true;
      double v = 0.0;
      if (!platform::IsPlainNumber(value) || !platform::ScanDouble(value, v) || !std::isfinite(v) ||
          v < k.low || v > k.high) {
        error = where + ": " + key + " must be a number from " + Plain(k.low) + " to " + Plain(k.high);
        return false;
      }
      read.*(k.field) = v;
    }
    if (!known) {
      error = where + ": unknown key \"" + key + "\"";
      return false;
    }
  }
  settings = read;
  return true;
}

bool LoadEvaluationSettings(const std::filesystem::path& programFolder, EvaluationSettings& settings,
                            std::string& error) {
  const std::filesystem::path path = programFolder / kEvaluationFileName;
  std::error_code ec;
  if (!std::filesystem::exists(path, ec)) return true;
  const auto bytes = platform::ReadFileBytes(path);
  if (!bytes) {
    error = "cannot read " + platform::PathText(path);
    return false;
  }
  if (!ParseEvaluationSettings(*bytes, settings, error)) {
    error = platform::PathText(path) + ": " + error;
    return false;
  }
  return true;
}

}  // namespace vigil::evaluation
