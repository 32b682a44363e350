// Error codes the instrument writes in place of a value, and the texts delivered for them.
#pragma once

#include <optional>
#include <string_view>

namespace vigil::link {

inline constexpr std::string_view kOutOfRangeText = "Out of range";
inline constexpr std::string_view kSignalOffText = "Signal off";
inline constexpr std::string_view kBadConditionText = "Bad condition";
inline constexpr std::string_view kTimeoutText = "Timeout";

/// Error numbers of a turn or search answer with their own handling by the engine.
inline constexpr int kTurnTimedOutError = 572;
inline constexpr int kTurnNotCompletedError = 575;

/// True for the whole field texts "E114" to "E117" (angle out of range).
bool IsAngleRangeCode(std::string_view field);

/// The text that replaces a slope-distance error code, or nullopt when the field is not
/// exactly one of the known codes.
std::optional<std::string_view> DistanceCodeText(std::string_view field);

/// True when the field carries an instrument error (it begins with 'E').
inline bool IsErrorField(std::string_view field) {
  return !field.empty() && field.front() == 'E';
}

}  // namespace vigil::link
