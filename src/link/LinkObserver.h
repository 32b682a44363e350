// Sees the bytes that cross the link, as they are sent and as they arrive, without a say in
// them: what a trace or a monitor of the link needs and nothing more.
#pragma once

#include <string_view>

namespace vigil::link {

class LinkObserver {
 public:
  virtual ~LinkObserver() = default;
  /// One message as it goes to the Basic-mode application ("#S" prefix included).
  virtual void OnSent(std::string_view bytes) = 0;
  /// One message as it came from the Basic-mode application, before the reply buffer keeps
  /// what fits of it.
  virtual void OnReceived(std::string_view bytes) = 0;
};

}  // namespace vigil::link
