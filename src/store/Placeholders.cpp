#include "store/Placeholders.h"

namespace vigil::store {

std::string FillPlaceholders(std::string_view text, const std::vector<PlaceholderValue>& values) {
  std::string result;
  std::size_t i = 0;
  while (i < text.size()) {
    bool replaced = false;
    if (text[i] == '{') {
      for (const auto& [placeholder, value] : values) {
        if (!placeholder.empty() && text.substr(i, placeholder.size()) == placeholder) {
          result += value;
          i += placeholder.size();
          replaced = true;
          break;
        }
      }
    }
    if (!replaced) result += text[i++];
  }
  return result;
}

}  // namespace vigil::store
