// notify.conf as an operator might write it, or worse. Nothing may throw or crash, a refused
// file changes nothing, and settings that were read are within their bounds.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "notify/NotifySettings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  namespace n = vigil::notify;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  n::NotifySettings settings;
  settings.mqtt.host = "untouched";
  std::string error;
  if (!n::ParseNotifySettings(text, settings, error)) {
    if (error.empty() || settings.mqtt.host != "untouched") std::abort();
    return 0;
  }
  const n::NotifySettings& s = settings;
  if (s.mqtt.port < 1 || s.mqtt.port > 65535 || s.retryFirstMs > s.retryMaxMs || s.retryFirstMs < 1000 ||
      s.command.timeoutMs < 1000 || s.mqtt.prefix.empty() ||
      s.mqtt.prefix.find_first_of("+#") != std::string::npos)
    std::abort();
  if (s.Transports().size() > 2) std::abort();
  return 0;
}
