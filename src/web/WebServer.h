// The dashboard's HTTP server: GET and HEAD only, every target read by ParseRequestTarget,
// every name looked up in the database, the token (when one is set) checked on every request.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "alarms/AlarmLimits.h"
#include "web/DashboardData.h"
#include "web/ListenAddress.h"

namespace vigil::web {

struct WebConfig {
  ListenAddress listen;
  std::string token;  ///< empty: none asked for (loopback only)
  std::optional<alarms::AlarmLimits> limits;
};

class WebServer {
 public:
  WebServer(DashboardData& data, WebConfig config);
  ~WebServer();
  WebServer(const WebServer&) = delete;
  WebServer& operator=(const WebServer&) = delete;

  /// Binds the listening socket; false with `error` when it cannot.
  bool Bind(std::string& error);
  /// The port bound (the one chosen when 0 was asked for).
  int Port() const;
  /// Answers requests until Stop(); returns at once when not bound.
  void Serve();
  /// From any thread.
  void Stop();

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace vigil::web
