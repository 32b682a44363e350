// The process's resident set as the kernel counts it.
#pragma once

#include <cstdint>
#include <string_view>

namespace vigil::longrun {

/// Resident bytes of this process from /proc/self/statm, or 0 when it cannot be read.
std::uint64_t ResidentBytes();

/// Resident bytes from the text of a statm file ("size resident shared ...", in pages).
std::uint64_t ResidentBytesOfStatm(std::string_view statm, std::uint64_t pageBytes);

}  // namespace vigil::longrun
