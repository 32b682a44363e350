// Request targets, listen addresses and cookie headers as a browser, a scanner or an attacker
// might send them. Nothing may throw or crash; a target read has no segment that is empty, "."
// or "..", nor a control character; and what is read, encoded again, reads back the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "web/AccessToken.h"
#include "web/ListenAddress.h"
#include "web/RequestTarget.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  namespace w = vigil::web;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  w::ListenAddress address;
  if (w::ParseListenAddress(text, address) && (address.port < 0 || address.port > 65535)) std::abort();
  (void)w::CookieValue(text, w::kTokenCookie);

  w::RequestTarget target;
  const w::TargetStatus status = w::ParseRequestTarget(text, target);
  if (status != w::TargetStatus::kOk) {
    if (!target.segments.empty() && status == w::TargetStatus::kTooLong) std::abort();
    return 0;
  }
  if (target.segments.size() > w::kMaxSegments || target.query.size() > w::kMaxQueryKeys) std::abort();
  std::string again;
  for (const std::string& s : target.segments) {
    if (s.empty() || s == "." || s == "..") std::abort();
    for (char c : s) {
      if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) std::abort();
    }
    again += "/" + w::EncodeSegment(s);
  }
  if (again.empty()) again = "/";
  w::RequestTarget reread;
  if (again.size() <= w::kMaxTargetBytes &&
      (w::ParseRequestTarget(again, reread) != w::TargetStatus::kOk || reread.segments != target.segments))
    std::abort();
  return 0;
}
