// Text placed in the dashboard's pages: whatever an operator typed as a point name is shown as
// text, never read as markup.
#pragma once

#include <string>
#include <string_view>

namespace vigil::web {

/// & < > " ' escaped; safe in element content and in quoted attribute values.
std::string Html(std::string_view text);

}  // namespace vigil::web
