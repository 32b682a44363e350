// notify.conf: what switches a transport on and what refuses the file.
#include <gtest/gtest.h>

#include "notify/NotifySettings.h"

namespace vigil::notify {
namespace {

TEST(NotifySettings, ParsedOrRefusedWithItsLine) {
  struct Case {
    const char* text;
    const char* transports;  // joined by ","; "!" followed by the error's start when refused
  };
  const Case cases[] = {
      {"", ""},
      {"# nothing on\n", ""},
      {"mqtt.host = 10.0.0.5\n", "mqtt"},
      {"command.run = mail -s alarm ops@example.org\nmqtt.host = h\n", "mqtt,command"},
      {"mqtt.port = 1884\n", ""},
      {"mqtt.host = h\nmqtt.port = 0\n", "!line 2: mqtt.port must be 1 to 65535"},
      {"mqtt.port = 1883.5\n", "!line 1: mqtt.port"},
      {"mqtt.prefix = a/#\n", "!line 1: mqtt.prefix"},
      {"mqtt.prefix = /a\n", "!line 1: mqtt.prefix"},
      {"mqtt.host = h\nmqtt.host = i\n", "!line 2: mqtt.host is already given on line 1"},
      {"mqtt.hots = h\n", "!line 1: unknown key \"mqtt.hots\""},
      {"command.timeout_seconds = 1,5\n", "!line 1: command.timeout_seconds"},
      {"mqtt.host\n", "!line 1: expected key = value"},
      {"mqtt.host =\n", "!line 1: mqtt.host must be"},
      {"retry.first_seconds = 60\nretry.max_seconds = 30\n", "!retry.first_seconds must not be longer"},
  };
  for (const Case& c : cases) {
    NotifySettings settings;
    settings.mqtt.host = "kept";
    std::string error;
    const bool ok = ParseNotifySettings(c.text, settings, error);
    const std::string expected = c.transports;
    if (!expected.empty() && expected[0] == '!') {
      EXPECT_FALSE(ok) << c.text;
      EXPECT_EQ(error.rfind(expected.substr(1), 0), 0u) << c.text << " -> " << error;
      EXPECT_EQ(settings.mqtt.host, "kept") << "a refused file changes nothing";
      continue;
    }
    ASSERT_TRUE(ok) << c.text << " -> " << error;
    std::string names;
    for (const std::string& n : settings.Transports()) names += (names.empty() ? "" : ",") + n;
    EXPECT_EQ(names, expected) << c.text;
  }
  NotifySettings s;
  std::string error;
  ASSERT_TRUE(ParseNotifySettings("retry.first_seconds = 1.5\ncommand.timeout_seconds = 2.25\n", s, error))
      << error;
  EXPECT_EQ(s.retryFirstMs, 1500u);
  EXPECT_EQ(s.command.timeoutMs, 2250u);
}

}  // namespace
}  // namespace vigil::notify
