#include "evaluation/EvaluationSettings.h"

#include "platform/SettingLines.h"

namespace vigil::evaluation {

namespace {

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
  std::vector<platform::SettingLine> lines;
  if (!platform::ReadSettingLines(text, lines, error)) return false;
  EvaluationSettings read = settings;
  for (const platform::SettingLine& line : lines) {
    const std::string where = "line " + std::to_string(line.lineNumber);
    const std::string& key = line.key;
    const std::string_view value = line.value;
    if (key == "baseline_cycle") {
      if (value.find_first_of("/\\") != std::string_view::npos || value == "." || value == "..") {
        error = where + ": baseline_cycle must be a cycle file name";
        return false;
      }
      read.baselineCycle = line.value;
      continue;
    }
    const NumberKey* k = nullptr;
    for (const NumberKey& candidate : kNumbers) {
      if (key == candidate.key) k = &candidate;
    }
    if (k == nullptr) {
      error = where + ": unknown key \"" + key + "\"";
      return false;
    }
    if (!platform::ReadBoundedNumber(value, k->low, k->high, read.*(k->field))) {
      error = where + ": " + key + " must be a number from " + platform::ShortestNumberText(k->low) + " to " +
              platform::ShortestNumberText(k->high);
      return false;
    }
  }
  settings = read;
  return true;
}

bool LoadEvaluationSettings(const std::filesystem::path& programFolder, EvaluationSettings& settings,
                            std::string& error) {
  return platform::LoadSettingsFile(
      programFolder / kEvaluationFileName,
      [&settings](std::string_view text, std::string& e) {
        return ParseEvaluationSettings(text, settings, e);
      },
      error);
}

}  // namespace vigil::evaluation
