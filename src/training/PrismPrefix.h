// Point names that carry their prism type: "REF001" for a reference prism, "Q001" for a custom
// prism whose character is "Q".
#pragma once

#include <string>
#include <string_view>

namespace vigil::training {

/// "REF", "CON", "XYZ", "RFL", "SHT" for prism types 0 to 4, `customCharacter` for 5, empty
/// for any other type.
std::string PrismNamePrefix(int prismType, std::string_view customCharacter);

/// `prefix` followed by `name` from its first decimal digit on; the prefix alone when `name`
/// has no digit ("XYZ001" with "REF" gives "REF001", "TOP" gives "REF").
std::string WithNamePrefix(std::string_view name, std::string_view prefix);

}  // namespace vigil::training
