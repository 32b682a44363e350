#include "store/ConstCustom.h"

#include "platform/Format.h"

namespace vigil::store {

std::string FormatConstCustom(std::string_view name, double constantMm) {
  return platform::Format("%s:%.1lf", {name, constantMm});
}

void ParseConstCustom(std::string_view text, std::string& name, double& constantMm) {
  const auto colon = text.find(':');
  if (colon == std::string_view::npos) {
    name.clear();
    platform::ScanDouble(text, constantMm);
    return;
  }
  name = std::string(text.substr(0, colon));
  platform::ScanDouble(text.substr(colon + 1), constantMm);
}

}  // namespace vigil::store
