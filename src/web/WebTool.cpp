#include "web/WebTool.h"

#include <algorithm>
#include <map>

#include "alarms/AlarmLimitsFile.h"
#include "platform/Files.h"
#include "web/ServiceWatchdog.h"
#include "web/WebServer.h"

namespace vigil::web {

namespace {

constexpr int kDone = 0, kFailed = 1, kUsage = 2;
constexpr std::size_t kShortestToken = 12;

constexpr const char* kHelp =
    "usage: vigil-web --db PATH [--alarms alarms.conf] [--listen ADDR:PORT] [--token TOKEN]\n"
    "       vigil-web --pg CONNINFO [...]\n"
    "Serves the dashboard of a results database (opened read-only) over HTTP.\n"
    "  --db PATH          the results database (Data/results.sqlite)\n"
    "  --pg CONNINFO      instead of --db: the replication server holding many stations\n"
    "                     (read-only; its tables must be of this program's version)\n"
    "  --alarms FILE      the alarm limits, drawn in the plots\n"
    "  --listen ADDR:PORT where to listen (default 127.0.0.1:8080; port 0: any free port)\n"
    "  --token TOKEN      asked of every request (header 'Authorization: Bearer TOKEN' or\n"
    "                     ?token=TOKEN); needed to listen on an address other than loopback\n"
    "Exit codes: 0 stopped, 1 failed, 2 bad usage.\n";

}  // namespace

int RunWebTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
               const std::function<void(std::function<void()>)>& stopper, const ServerOpener& openServer) {
  std::map<std::string, std::string> values;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--help" || a == "-h") {
      out << kHelp;
      return kDone;
    }
    if (a != "--db" && a != "--pg" && a != "--alarms" && a != "--listen" && a != "--token") {
      err << "vigil-web: unknown argument " << a << "\n" << kHelp;
      return kUsage;
    }
    if (i + 1 >= args.size()) {
      err << "vigil-web: " << a << " needs a value\n";
      return kUsage;
    }
    if (!values.emplace(a, args[++i]).second) {
      err << "vigil-web: " << a << " given twice\n";
      return kUsage;
    }
  }
  if (values.count("--db") + values.count("--pg") == 0) {
    err << "vigil-web: --db PATH is needed (or --pg CONNINFO)\n" << kHelp;
    return kUsage;
  }
  if (values.count("--db") + values.count("--pg") == 2) {
    err << "vigil-web: --db and --pg exclude each other\n";
    return kUsage;
  }
  if (values.count("--pg") && !openServer) {
    err << "vigil-web: this build reads no server (--pg)\n";
    return kUsage;
  }
  WebConfig config;
  if (values.count("--listen") && !ParseListenAddress(values["--listen"], config.listen)) {
    err << "vigil-web: --listen " << values["--listen"] << " is not ADDR:PORT\n";
    return kUsage;
  }
  const bool tokenGiven = values.count("--token") != 0;
  if (tokenGiven) config.token = values["--token"];
  // It travels in headers, addresses and a cookie: only characters none of them must escape.
  const bool tokenPlain = std::all_of(config.token.begin(), config.token.end(), [](char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '_' || c == '.' || c == '~';
  });
  if (tokenGiven && (config.token.size() < kShortestToken || !tokenPlain)) {
    err << "vigil-web: --token needs at least " << kShortestToken
        << " characters, each a letter, a digit or one of - _ . ~\n";
    return kUsage;
  }
  if (!IsLoopback(config.listen.host) && config.token.empty()) {
    err << "vigil-web: listening on " << config.listen.host
        << " lets other machines read the results: give --token TOKEN, or listen on 127.0.0.1\n";
    return kUsage;
  }

  std::string error;
  if (values.count("--alarms")) {
    const auto bytes = platform::ReadFileBytes(values["--alarms"]);
    alarms::AlarmLimits limits;
    if (!bytes || !alarms::ParseAlarmLimits(*bytes, limits, error)) {
      err << "vigil-web: " << values["--alarms"] << ": " << (bytes ? error : "cannot be read") << "\n";
      return kFailed;
    }
    config.limits = std::move(limits);
  }
  const bool fromServer = values.count("--pg") != 0;
  std::unique_ptr<DashboardData> data =
      fromServer ? openServer(values["--pg"], error) : DashboardData::Open(values["--db"], error);
  if (!data) {
    // The server's opener names the connection itself, its password masked.
    err << "vigil-web: " << (fromServer ? std::string() : values["--db"] + ": ") << error << "\n";
    return kFailed;
  }
  WebServer server(*data, config);
  if (!server.Bind(error)) {
    err << "vigil-web: " << error << "\n";
    return kFailed;
  }
  const std::string host =
      config.listen.host.find(':') != std::string::npos ? "[" + config.listen.host + "]" : config.listen.host;
  out << "vigil-web: serving http://" << host << ":" << server.Port() << "/" << std::endl;
  if (stopper) stopper([&server] { server.Stop(); });
  // Ended before the server's objects: it asks the server until it is told to stop.
  const ServiceWatchdog watchdog(config.listen.host, server.Port());
  server.Serve();
  return kDone;
}

}  // namespace vigil::web
