#include "training/PrismPrefix.h"

#include "survey/Reading.h"

namespace vigil::training {

std::string PrismNamePrefix(int prismType, std::string_view customCharacter) {
  switch (prismType) {
    case survey::kPrismReference:
      return "REF";
    case survey::kPrismConnection:
      return "CON";
    case survey::kPrismMonitoring:
      return "XYZ";
    case survey::kPrismReflectorless:
      return "RFL";
    case survey::kPrismSheet:
      return "SHT";
    case survey::kPrismCustom:
      return std::string(customCharacter);
    default:
      return {};
  }
}

std::string WithNamePrefix(std::string_view name, std::string_view prefix) {
  const std::size_t digit = name.find_first_of("0123456789");
  std::string result(prefix);
  if (digit != std::string_view::npos) result += name.substr(digit);
  return result;
}

}  // namespace vigil::training
