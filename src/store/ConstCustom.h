// The `const_custom` value: the custom prism's name and its constant in one text.
#pragma once

#include <string>
#include <string_view>

namespace vigil::store {

/// "name:constant" with the constant (mm) as "%.1lf".
std::string FormatConstCustom(std::string_view name, double constantMm);

/// Splits at the first ":": the name before it, the constant (mm) after it read as "%lf".
/// Without ":" the name is empty and the whole text is the constant. A constant that does
/// not read leaves `constantMm` unchanged; the name is taken in every case.
void ParseConstCustom(std::string_view text, std::string& name, double& constantMm);

}  // namespace vigil::store
