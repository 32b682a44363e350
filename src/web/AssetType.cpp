#include "web/Assets.h"

namespace vigil::web {

std::string_view AssetType(std::string_view name) {
  if (name.ends_with(".js")) return "text/javascript; charset=utf-8";
  if (name.ends_with(".css")) return "text/css; charset=utf-8";
  return "application/octet-stream";
}

}  // namespace vigil::web
