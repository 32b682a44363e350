// An operator's text: its key in the translations file and the default shown without one.
#pragma once

#include <string_view>

namespace vigil::store {

struct TextKey {
  std::string_view key;
  std::string_view defaultText;
};

}  // namespace vigil::store
