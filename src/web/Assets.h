// The files the dashboard's pages load (the plotting library, the pages' script and style),
// built into the program: it serves these and nothing else from outside the database.
#pragma once

#include <string_view>
#include <vector>

namespace vigil::web {

struct Asset {
  std::string_view name;  ///< as in "/assets/NAME"
  std::string_view bytes;
};

const std::vector<Asset>& Assets();

/// "text/javascript", "text/css" or "application/octet-stream" by the name's ending.
std::string_view AssetType(std::string_view name);

}  // namespace vigil::web
