#include "notify/NotifySettings.h"

#include <cmath>
#include <functional>
#include <map>

#include "platform/SettingLines.h"

namespace vigil::notify {

namespace {

// A topic level may not hold the wildcards or the separator, nor may the prefix be empty: a
// subscriber could not tell one station's topics from another's.
bool PlainTopicLevels(std::string_view text) {
  return !text.empty() && text.find_first_of("+#") == std::string_view::npos && text.front() != '/' &&
         text.back() != '/';
}

bool Seconds(std::string_view value, double low, double high, std::uint32_t& ms) {
  double seconds = 0.0;
  if (!platform::ReadBoundedNumber(value, low, high, seconds)) return false;
  ms = static_cast<std::uint32_t>(std::llround(seconds * 1000.0));
  return true;
}

bool Whole(std::string_view value, double low, double high, int& out) {
  double number = 0.0;
  if (!platform::ReadBoundedNumber(value, low, high, number) || number != std::floor(number)) return false;
  out = static_cast<int>(number);
  return true;
}

}  // namespace

std::vector<std::string> NotifySettings::Transports() const {
  std::vector<std::string> names;
  if (!mqtt.host.empty()) names.emplace_back(kMqttTransport);
  if (!command.run.empty()) names.emplace_back(kCommandTransport);
  return names;
}

bool ParseNotifySettings(std::string_view text, NotifySettings& settings, std::string& error) {
  NotifySettings read;
  std::vector<platform::SettingLine> lines;
  if (!platform::ReadSettingLines(text, lines, error)) return false;
  using Reader = std::function<bool(std::string_view)>;
  auto textOf = [](std::string& into) {
    return Reader([&into](std::string_view v) {
      into = std::string(v);
      return !into.empty();
    });
  };
  // key -> (reader, what a refused value must be)
  const std::map<std::string, std::pair<Reader, const char*>> keys = {
      {"mqtt.host", {textOf(read.mqtt.host), "a host name or address"}},
      {"mqtt.port", {[&](std::string_view v) { return Whole(v, 1, 65535, read.mqtt.port); }, "1 to 65535"}},
      {"mqtt.prefix",
       {[&](std::string_view v) {
          read.mqtt.prefix = std::string(v);
          return PlainTopicLevels(v);
        },
        "topic levels without + or # and without / at either end"}},
      {"mqtt.client_id", {textOf(read.mqtt.clientId), "a name"}},
      {"mqtt.username", {textOf(read.mqtt.username), "a name"}},
      {"mqtt.password", {textOf(read.mqtt.password), "a password"}},
      {"mqtt.keepalive_seconds",
       {[&](std::string_view v) { return Whole(v, 10, 3600, read.mqtt.keepAliveSeconds); }, "10 to 3600"}},
      {"mqtt.ack_timeout_seconds",
       {[&](std::string_view v) { return Seconds(v, 1, 600, read.mqtt.ackTimeoutMs); }, "1 to 600"}},
      {"command.run", {textOf(read.command.run), "a command"}},
      {"command.timeout_seconds",
       {[&](std::string_view v) { return Seconds(v, 1, 3600, read.command.timeoutMs); }, "1 to 3600"}},
      {"retry.first_seconds",
       {[&](std::string_view v) { return Seconds(v, 1, 3600, read.retryFirstMs); }, "1 to 3600"}},
      {"retry.max_seconds",
       {[&](std::string_view v) { return Seconds(v, 1, 86400, read.retryMaxMs); }, "1 to 86400"}},
  };
  std::map<std::string, int> seen;
  for (const platform::SettingLine& line : lines) {
    const std::string where = "line " + std::to_string(line.lineNumber) + ": ";
    if (auto [it, fresh] = seen.emplace(line.key, line.lineNumber); !fresh) {
      error = where + line.key + " is already given on line " + std::to_string(it->second);
      return false;
    }
    const auto key = keys.find(line.key);
    if (key == keys.end()) {
      error = where + "unknown key \"" + line.key + "\"";
      return false;
    }
    if (!key->second.first(line.value)) {
      error = where + line.key + " must be " + key->second.second;
      return false;
    }
  }
  if (read.retryFirstMs > read.retryMaxMs) {
    error = "retry.first_seconds must not be longer than retry.max_seconds";
    return false;
  }
  settings = std::move(read);
  return true;
}

bool LoadNotifySettings(const std::filesystem::path& programFolder, NotifySettings& settings,
                        std::string& error) {
  return platform::LoadSettingsFile(
      programFolder / kNotifyFileName,
      [&settings](std::string_view text, std::string& e) { return ParseNotifySettings(text, settings, e); },
      error);
}

}  // namespace vigil::notify
