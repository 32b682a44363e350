#include "web/WebServer.h"

#include <httplib.h>

#include <atomic>
#include <thread>

#include "web/AccessToken.h"
#include "web/DashboardRoutes.h"
#include "web/RequestTarget.h"

namespace vigil::web {

namespace {

constexpr int kWorkers = 8;  // a browser opens six connections at once
constexpr int kTimeoutSeconds = 5;

std::string Reason(int status) {
  switch (status) {
    case 400:
      return "Bad Request";
    case 401:
      return "Unauthorized";
    case 404:
      return "Not Found";
    case 405:
      return "Method Not Allowed";
    case 413:
      return "Payload Too Large";
    case 414:
      return "URI Too Long";
    case 431:
      return "Request Header Fields Too Large";
    default:
      return status >= 500 ? "Server Error" : "Error";
  }
}

void Plain(httplib::Response& res, int status, const std::string& why) {
  res.status = status;
  res.set_content(std::to_string(status) + " " + Reason(status) + (why.empty() ? "" : ": " + why) + "\n",
                  "text/plain; charset=utf-8");
}

}  // namespace

struct WebServer::Impl {
  DashboardData& data;
  WebConfig config;
  httplib::Server server;
  int port = -1;
  // httplib forgets a stop() that comes before its loop runs: these let Stop() wait for it.
  std::atomic<bool> stopAsked{false}, serveEntered{false}, serveReturned{false};

  Impl(DashboardData& d, WebConfig c) : data(d), config(std::move(c)) {}

  bool Authorised(const httplib::Request& req, const RequestTarget& target, bool& fromQuery) const {
    fromQuery = false;
    if (config.token.empty()) return true;
    const std::string auth = req.get_header_value("Authorization");
    if (auth.rfind("Bearer ", 0) == 0 && SameToken(auth.substr(7), config.token)) return true;
    if (SameToken(req.get_header_value("X-Vigil-Token"), config.token)) return true;
    if (SameToken(CookieValue(req.get_header_value("Cookie"), kTokenCookie), config.token)) return true;
    const auto q = target.query.find("token");
    fromQuery = q != target.query.end() && SameToken(q->second, config.token);
    return fromQuery;
  }

  // Every request ends here, whatever its method: nothing reaches httplib's own routing.
  void Handle(const httplib::Request& req, httplib::Response& res) {
    res.set_header("X-Content-Type-Options", "nosniff");
    res.set_header("Content-Security-Policy",
                   "default-src 'self'; img-src 'self' data:; style-src 'self' 'unsafe-inline'; "
                   "frame-ancestors 'none'");
    res.set_header("Referrer-Policy", "no-referrer");
    res.set_header("Cache-Control", "no-store");
    if (req.method != "GET" && req.method != "HEAD") {
      res.set_header("Allow", "GET, HEAD");
      return Plain(res, 405, "the dashboard is read-only");
    }
    RequestTarget target;
    const TargetStatus parsed = ParseRequestTarget(req.target, target);
    if (parsed != TargetStatus::kOk) {
      return Plain(res, static_cast<int>(parsed),
                   parsed == TargetStatus::kTooLong ? "the address is longer than the dashboard reads"
                                                    : "the address cannot be read");
    }
    bool fromQuery = false;
    if (!Authorised(req, target, fromQuery)) {
      res.set_header("WWW-Authenticate", "Bearer");
      return Plain(res, 401, "a token is needed (header Authorization: Bearer TOKEN, or ?token=TOKEN)");
    }
    if (fromQuery) {
      res.set_header("Set-Cookie",
                     std::string(kTokenCookie) + "=" + config.token + "; Path=/; HttpOnly; SameSite=Strict");
    }
    const Reply reply = Route(data, config.limits ? &*config.limits : nullptr, target);
    res.status = reply.status;
    if (!reply.attachment.empty())
      res.set_header("Content-Disposition", "attachment; filename=\"" + reply.attachment + "\"");
    res.set_content(reply.body, reply.type);
  }
};

WebServer::WebServer(DashboardData& data, WebConfig config)
    : impl_(std::make_unique<Impl>(data, std::move(config))) {
  httplib::Server& s = impl_->server;
  s.new_task_queue = [] { return new httplib::ThreadPool(kWorkers); };
  s.set_read_timeout(kTimeoutSeconds, 0);
  s.set_write_timeout(kTimeoutSeconds, 0);
  s.set_keep_alive_max_count(100);
  // An idle kept-alive connection holds a worker: let it go soon.
  s.set_keep_alive_timeout(2);
  s.set_payload_max_length(1024);
  s.set_pre_routing_handler([this](const httplib::Request& req, httplib::Response& res) {
    impl_->Handle(req, res);
    return httplib::Server::HandlerResponse::Handled;
  });
  // What httplib refuses on its own (a malformed request line, a header too long) gets a
  // plain answer naming the status and nothing else.
  s.set_error_handler(
      httplib::Server::HandlerWithResponse([](const httplib::Request&, httplib::Response& res) {
        if (res.body.empty()) Plain(res, res.status, "");
        return httplib::Server::HandlerResponse::Handled;
      }));
  s.set_exception_handler(
      [](const httplib::Request&, httplib::Response& res, std::exception_ptr) { Plain(res, 500, ""); });
}

WebServer::~WebServer() {
  Stop();
}

bool WebServer::Bind(std::string& error) {
  Impl& i = *impl_;
  if (i.config.listen.port == 0) {
    i.port = i.server.bind_to_any_port(i.config.listen.host);
  } else {
    i.port = i.server.bind_to_port(i.config.listen.host, i.config.listen.port) ? i.config.listen.port : -1;
  }
  if (i.port < 0) {
    error = "cannot listen on " + i.config.listen.host + ":" + std::to_string(i.config.listen.port);
    return false;
  }
  return true;
}

int WebServer::Port() const {
  return impl_->port;
}

void WebServer::Serve() {
  Impl& i = *impl_;
  i.serveEntered = true;
  if (i.port >= 0 && !i.stopAsked) i.server.listen_after_bind();
  i.serveReturned = true;
}

void WebServer::Stop() {
  Impl& i = *impl_;
  i.stopAsked = true;
  if (!i.serveEntered) return;  // Serve() will see stopAsked
  // Between Serve() deciding to listen and httplib's loop starting: a few instructions.
  while (!i.server.is_running() && !i.serveReturned) std::this_thread::yield();
  i.server.stop();
}

}  // namespace vigil::web
