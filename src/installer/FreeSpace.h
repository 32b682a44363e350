// Free space on the instrument's internal storage, as the installer weighs it.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>

namespace vigil::installer {

/// Bytes free on the volume that holds a folder; nullopt when it cannot be asked.
using FreeSpaceQuery = std::function<std::optional<std::uint64_t>(const std::filesystem::path&)>;

/// The file system's answer for the folder, or for its nearest existing parent.
std::optional<std::uint64_t> VolumeFreeBytes(const std::filesystem::path& folder);

/// Bytes kept free on the volume whatever a package needs.
inline constexpr std::uint64_t kReserveBytes = 1000000;
/// What counts as free when the volume's free space does not fit in 32 bits.
inline constexpr std::uint64_t kLargeVolumeBytes = 999999999;

/// Space a package may use: the free space less the reserve, never below 0; an unknown
/// free space counts as none.
std::uint64_t UsableBytes(std::optional<std::uint64_t> freeBytes);

}  // namespace vigil::installer
