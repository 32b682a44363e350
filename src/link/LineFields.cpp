#include "link/LineFields.h"

namespace vigil::link {

std::vector<std::string_view> SplitFields(std::string_view line, std::size_t start) {
  std::vector<std::string_view> fields;
  if (line.size() < 2) return fields;
  const std::string_view body = line.substr(0, line.size() - 2);  // up to the final CR
  if (start > body.size()) return fields;
  std::size_t from = start;
  while (true) {
    const std::size_t comma = body.find(',', from);
    if (comma == std::string_view::npos) {
      fields.push_back(body.substr(from));
      return fields;
    }
    fields.push_back(body.substr(from, comma - from));
    from = comma + 1;
  }
}

std::string_view WithoutPrefix(std::string_view line) {
  return line.size() >= 2 ? line.substr(2) : std::string_view{};
}

}  // namespace vigil::link
