// Default names of new training points.
#pragma once

#include <string>
#include <string_view>

namespace vigil::training {

inline constexpr const char* kFirstPointName = "XYZ001";

/// The name after `lastName`: its text before the first digit, then the number of the digits
/// that follow plus one, at least three digits ("XYZ009" -> "XYZ010", "REF12A" -> "REF013",
/// "ABC" -> "ABC001", "XYZ999" -> "XYZ1000"). Any number of digits is counted without overflow.
std::string NextPointNameAfter(std::string_view lastName);

}  // namespace vigil::training
