// The target of an HTTP request ("/s/DAM/P1/point/M%201?k=v") taken apart by the dashboard
// itself: every segment and query value percent-decoded on its own, so an encoded '/' stays
// inside a name and an encoded ".." is seen for what it is.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace vigil::web {

inline constexpr std::size_t kMaxTargetBytes = 2048;
inline constexpr std::size_t kMaxSegments = 16;
inline constexpr std::size_t kMaxQueryKeys = 16;

/// 0 when the target was read; otherwise the HTTP status it deserves.
enum class TargetStatus { kOk = 0, kBadRequest = 400, kTooLong = 414 };

struct RequestTarget {
  std::vector<std::string>
      segments;  ///< decoded, never empty, ".", ".." nor holding a NUL or control character
  std::map<std::string, std::string> query;  ///< decoded; a key given twice is refused
};

/// Reads an origin-form target: a '/', then segments separated by '/', then an optional query.
/// Refused (400): no leading '/', a bad or truncated %-escape, an empty, "." or ".." segment
/// (a trailing '/' aside), a control character or NUL anywhere once decoded, text that is not
/// UTF-8, a '#', too many segments or keys, a key given twice. Too long (414): over
/// kMaxTargetBytes.
TargetStatus ParseRequestTarget(std::string_view target, RequestTarget& out);

/// A text as one path segment or query value: every byte outside A-Z a-z 0-9 - . _ ~ escaped.
std::string EncodeSegment(std::string_view text);

}  // namespace vigil::web
