// Figures printed as aligned lines on standard output, numbers written the program's way.
#pragma once

#include <string>
#include <string_view>

namespace vigil::bench {

void Say(std::string_view text);

/// "label ........ value unit", with `value` written with `decimals` decimals.
void Figure(std::string_view label, double value, int decimals, std::string_view unit);

/// "label ........ text".
void FigureText(std::string_view label, std::string_view text);

}  // namespace vigil::bench
