// Where vigil-web listens: "ADDR:PORT" with an IPv4 address, "[IPv6]" or "localhost".
#pragma once

#include <string>
#include <string_view>

namespace vigil::web {

struct ListenAddress {
  std::string host = "127.0.0.1";
  int port = 8080;  ///< 0: any free port
};

/// False when the text is not ADDR:PORT with a port 0 to 65535.
bool ParseListenAddress(std::string_view text, ListenAddress& out);

/// Only this machine can reach it: 127.0.0.0/8, ::1 or localhost.
bool IsLoopback(const std::string& host);

}  // namespace vigil::web
