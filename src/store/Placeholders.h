// Filling the named placeholders ("{project_name}") of a translated message.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vigil::store {

/// A placeholder with its braces, and the text that replaces it.
using PlaceholderValue = std::pair<std::string_view, std::string_view>;

/// Replaces every occurrence of each placeholder (braces included) in one pass from left to
/// right, so a value that itself looks like a placeholder (a project named "{prism_name}")
/// is left as it is. Unknown placeholders stay.
std::string FillPlaceholders(std::string_view text, const std::vector<PlaceholderValue>& values);

}  // namespace vigil::store
