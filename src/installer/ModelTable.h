// The instrument models the installer knows, each in one of the nine families 2 to 10.
// The names are this build's own; the family numbers and what they select are fixed.
#pragma once

#include <span>
#include <string_view>

namespace vigil::installer {

struct ModelEntry {
  std::string_view name;
  int family;
};

inline constexpr int kFirstFamily = 2;
inline constexpr int kLastFamily = 10;
/// Family 1: asked, but the model is not listed (or the driver did not answer).
inline constexpr int kUnknownFamily = 1;

std::span<const ModelEntry> ModelTable();

/// The family of `modelName` (exact, case-sensitive byte comparison), or kUnknownFamily.
/// Families are searched in order 2 to 10, so a name listed twice belongs to the first.
int FamilyOfModel(std::string_view modelName);

/// The series name shown in messages about family `family` (e.g. "VS-200"); empty for others.
std::string_view FamilySeriesName(int family);

}  // namespace vigil::installer
