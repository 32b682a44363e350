#include "web/ListenAddress.h"

#include <arpa/inet.h>

namespace vigil::web {

bool ParseListenAddress(std::string_view text, ListenAddress& out) {
  const std::size_t colon = text.rfind(':');
  if (colon == std::string_view::npos || colon == 0) return false;
  std::string_view host = text.substr(0, colon);
  const std::string_view port = text.substr(colon + 1);
  if (port.empty() || port.size() > 5) return false;
  int value = 0;
  for (char c : port) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
  }
  if (value > 65535) return false;
  if (host.front() == '[') {
    if (host.size() < 3 || host.back() != ']') return false;
    host = host.substr(1, host.size() - 2);
    in6_addr a6{};
    if (inet_pton(AF_INET6, std::string(host).c_str(), &a6) != 1) return false;
  } else if (host != "localhost") {
    in_addr a4{};
    if (inet_pton(AF_INET, std::string(host).c_str(), &a4) != 1) return false;
  }
  out.host = host == "localhost" ? "127.0.0.1" : std::string(host);
  out.port = value;
  return true;
}

bool IsLoopback(const std::string& host) {
  if (host == "::1" || host == "localhost") return true;
  in_addr a4{};
  return inet_pton(AF_INET, host.c_str(), &a4) == 1 && (ntohl(a4.s_addr) >> 24) == 127;
}

}  // namespace vigil::web
