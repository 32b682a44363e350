// Control characters and wire constants shared by the link, its parsers and its peers.
#pragma once

#include <string_view>

namespace vigil::link {

inline constexpr char kAck = '\x06';
inline constexpr char kNak = '\x15';
inline constexpr std::string_view kLineEnd = "\r\n";

/// Every command travels behind this prefix and every reply line begins with it.
inline constexpr std::string_view kCommandPrefix = "#S";

/// Endpoint of the Basic-mode application, looked up at Connect and at the greeting.
inline constexpr std::string_view kBasicModeTitle = "LMX-Message communication";
/// Endpoint of the link; the Basic-mode application addresses its replies to it.
inline constexpr std::string_view kLinkWindowTitle = "VNT8-Message communication";

/// Largest command (after the prefix) that fits the 1000-byte send buffer.
inline constexpr std::size_t kMaxCommandBytes = 998;

}  // namespace vigil::link
