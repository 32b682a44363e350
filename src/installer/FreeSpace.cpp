#include "installer/FreeSpace.h"

#include <system_error>

namespace vigil::installer {

namespace fs = std::filesystem;

std::optional<std::uint64_t> VolumeFreeBytes(const fs::path& folder) {
  std::error_code ec;
  fs::path at = fs::absolute(folder, ec);
  while (!at.empty() && !fs::exists(at, ec)) {
    if (at == at.parent_path()) break;
    at = at.parent_path();
  }
  const fs::space_info info = fs::space(at, ec);
  if (ec) return std::nullopt;
  return static_cast<std::uint64_t>(info.available);
}

std::uint64_t UsableBytes(std::optional<std::uint64_t> freeBytes) {
  if (!freeBytes) return 0;
  if (*freeBytes > 0xFFFFFFFFull) return kLargeVolumeBytes;
  return *freeBytes > kReserveBytes ? *freeBytes - kReserveBytes : 0;
}

}  // namespace vigil::installer
