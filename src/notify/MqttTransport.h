// Notifications to an MQTT broker (libmosquitto, driven without a thread of its own): every
// event on PREFIX/PROJECT/STATION/events at QoS 1, and a point's state retained on
// PREFIX/PROJECT/STATION/point/NAME, so a client that subscribes late sees every point as it
// stands. A notification is delivered when the broker acknowledged all of its messages.
#pragma once

#include <set>
#include <string>

#include "notify/NotifySettings.h"
#include "notify/Transport.h"

struct mosquitto;

namespace vigil::notify {

/// A name as one topic level: the separator and the wildcards become '_'.
std::string TopicLevel(std::string_view name);

class MqttTransport final : public Transport {
 public:
  explicit MqttTransport(MqttSettings settings);
  ~MqttTransport() override;
  MqttTransport(const MqttTransport&) = delete;
  MqttTransport& operator=(const MqttTransport&) = delete;

  std::string_view Name() const override { return kMqttTransport; }
  bool Begin(const Notification& n, std::uint64_t nowMs, std::string& error) override;
  Delivery Poll(std::uint64_t nowMs, std::string& error) override;
  int WaitDescriptor() const override;

 private:
  enum class Phase { kNone, kConnecting, kAwaitingAcks };
  bool Connect(std::string& error);
  bool Publish(std::string& error);
  // Forgets the connection and every message not acknowledged: the outbox sends them again,
  // the library must not as well.
  void Drop();
  Delivery Fail(std::string& error, std::string why);
  static void OnConnect(mosquitto* m, void* self, int rc);
  static void OnDisconnect(mosquitto* m, void* self, int rc);
  static void OnPublish(mosquitto* m, void* self, int mid);

  MqttSettings settings_;
  mosquitto* mosq_ = nullptr;
  bool connected_ = false;
  int connectRefusal_ = 0;
  Phase phase_ = Phase::kNone;
  Notification current_;
  std::uint64_t beganMs_ = 0;
  std::set<int> awaiting_;
};

}  // namespace vigil::notify
