// How cycles are evaluated: the instrument's stated precision, the confidence of the tests,
// the velocity window and the baseline. Kept in "evaluation.conf" in the program folder, a
// UTF-8 text of "key = value" lines ('#' starts a comment); a missing file means the defaults.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace vigil::evaluation {

inline constexpr const char* kEvaluationFileName = "evaluation.conf";

struct EvaluationSettings {
  double angleSigmaMgon = 0.3;              ///< one reading of Ha or Va in one face (mgon)
  double distanceSigmaMm = 1.0;             ///< one distance reading, constant part (mm)
  double distanceSigmaPpm = 1.0;            ///< one distance reading, part proportional to the distance (ppm)
  double confidence = 0.95;                 ///< of the global test and of a displacement's significance
  double referenceConfidence = 0.999;       ///< of the test of each reference observation
  double velocityWindowDays = 7.0;          ///< cycles this far back enter the velocity (days)
  double minimumReferenceSpreadGon = 10.0;  ///< references closer to one line through the station are refused
  std::string baselineCycle;  ///< a cycle file name whose positions are the baseline; empty: trained
};

/// Reads the text of an evaluation file over the defaults. False with `error` naming the line
/// and key when a line is not "key = value", the key is unknown or the value out of range;
/// `settings` is then left as it was.
bool ParseEvaluationSettings(std::string_view text, EvaluationSettings& settings, std::string& error);

/// The file in `programFolder`; the defaults when there is none.
bool LoadEvaluationSettings(const std::filesystem::path& programFolder, EvaluationSettings& settings,
                            std::string& error);

}  // namespace vigil::evaluation
