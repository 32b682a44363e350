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

/// A name the training and cycle files can hold and read back: not empty, without TAB, CR, LF
/// or a zero character, and whole UTF-8. Point names never go into a file name, so `/ : * ?`
/// are welcome.
bool IsStorablePointName(std::string_view name);

}  // namespace vigil::training
