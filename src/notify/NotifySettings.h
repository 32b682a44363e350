// How the station sends its events: "notify.conf" in the program folder, UTF-8 "key = value"
// lines. Each transport is on when its key naming where to send is given; without the file
// nothing is sent. docs/ALARMS.md describes every key.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace vigil::notify {

inline constexpr const char* kNotifyFileName = "notify.conf";
inline constexpr const char* kMqttTransport = "mqtt";
inline constexpr const char* kCommandTransport = "command";

struct MqttSettings {
  std::string host;  ///< empty: no MQTT
  int port = 1883;
  std::string prefix = "vigil";  ///< first level of every topic
  std::string clientId = "vigil-station";
  std::string username;
  std::string password;
  int keepAliveSeconds = 60;
  std::uint32_t ackTimeoutMs = 20000;  ///< connecting and every PUBACK
};

struct CommandSettings {
  std::string run;  ///< empty: no command; run by /bin/sh -c with the event on its standard input
  std::uint32_t timeoutMs = 30000;
};

struct NotifySettings {
  MqttSettings mqtt;
  CommandSettings command;
  std::uint32_t retryFirstMs = 10000;  ///< the wait after a first failure, doubled after each
  std::uint32_t retryMaxMs = 900000;

  /// The transports switched on, by name, in the order their rows are written.
  std::vector<std::string> Transports() const;
};

/// Reads the text of a notify.conf. False with `error` naming the line and key for a line that
/// is not "key = value", an unknown key, a key given twice, a value out of range, or a
/// first retry wait longer than the longest; `settings` is then left as it was.
bool ParseNotifySettings(std::string_view text, NotifySettings& settings, std::string& error);

/// The file in `programFolder`; nothing switched on when there is none.
bool LoadNotifySettings(const std::filesystem::path& programFolder, NotifySettings& settings,
                        std::string& error);

}  // namespace vigil::notify
