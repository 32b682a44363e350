// Splitting a reply line into its comma-separated fields.
#pragma once

#include <string_view>
#include <vector>

namespace vigil::link {

/// The fields of `line` (which ends in CR LF) from position `start` up to the final CR.
/// Their number equals the number of separators (every ',' and the final CR). Empty when
/// the line is too short to have a field at `start`.
std::vector<std::string_view> SplitFields(std::string_view line, std::size_t start);

/// `line` without its leading "#S" (the first two characters, whatever they are).
std::string_view WithoutPrefix(std::string_view line);

/// The character at `index`, or NUL past the end.
inline char CharAt(std::string_view text, std::size_t index) {
  return index < text.size() ? text[index] : '\0';
}

}  // namespace vigil::link
