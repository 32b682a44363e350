#include "notify/MqttTransport.h"

#include <mosquitto.h>

#include <mutex>

namespace vigil::notify {

namespace {

void InitLibraryOnce() {
  static std::once_flag once;
  std::call_once(once, [] { mosquitto_lib_init(); });
}

std::string Topic(const MqttSettings& s, const Notification& n, const std::string& tail) {
  return s.prefix + "/" + TopicLevel(n.project) + "/" + TopicLevel(n.station) + "/" + tail;
}

}  // namespace

std::string TopicLevel(std::string_view name) {
  std::string level(name);
  for (char& c : level) {
    if (c == '/' || c == '+' || c == '#') c = '_';
  }
  return level.empty() ? "_" : level;
}

MqttTransport::MqttTransport(MqttSettings settings) : settings_(std::move(settings)) {
  InitLibraryOnce();
}

MqttTransport::~MqttTransport() {
  Drop();
}

void MqttTransport::Drop() {
  if (mosq_ != nullptr) {
    if (connected_) mosquitto_disconnect(mosq_);
    mosquitto_destroy(mosq_);
  }
  mosq_ = nullptr;
  connected_ = false;
  awaiting_.clear();
}

int MqttTransport::WaitDescriptor() const {
  return mosq_ != nullptr ? mosquitto_socket(mosq_) : -1;
}

void MqttTransport::OnConnect(mosquitto*, void* self, int rc) {
  auto* t = static_cast<MqttTransport*>(self);
  t->connected_ = rc == 0;
  t->connectRefusal_ = rc;
}

void MqttTransport::OnDisconnect(mosquitto*, void* self, int) {
  static_cast<MqttTransport*>(self)->connected_ = false;
}

void MqttTransport::OnPublish(mosquitto*, void* self, int mid) {
  static_cast<MqttTransport*>(self)->awaiting_.erase(mid);
}

bool MqttTransport::Connect(std::string& error) {
  Drop();
  // A clean session: what the broker has not acknowledged is sent again from the outbox only.
  mosq_ = mosquitto_new(settings_.clientId.c_str(), true, this);
  if (mosq_ == nullptr) {
    error = "cannot make an MQTT client";
    return false;
  }
  mosquitto_connect_callback_set(mosq_, &MqttTransport::OnConnect);
  mosquitto_disconnect_callback_set(mosq_, &MqttTransport::OnDisconnect);
  mosquitto_publish_callback_set(mosq_, &MqttTransport::OnPublish);
  if (!settings_.username.empty()) {
    mosquitto_username_pw_set(mosq_, settings_.username.c_str(),
                              settings_.password.empty() ? nullptr : settings_.password.c_str());
  }
  connectRefusal_ = 0;
  const int rc =
      mosquitto_connect_async(mosq_, settings_.host.c_str(), settings_.port, settings_.keepAliveSeconds);
  if (rc != MOSQ_ERR_SUCCESS) {
    error = std::string("cannot connect to the MQTT broker: ") +
            (rc == MOSQ_ERR_ERRNO ? "connection refused or unreachable" : mosquitto_strerror(rc));
    Drop();
    return false;
  }
  return true;
}

bool MqttTransport::Begin(const Notification& n, std::uint64_t nowMs, std::string& error) {
  current_ = n;
  beganMs_ = nowMs;
  awaiting_.clear();
  if (mosq_ == nullptr && !Connect(error)) return false;
  if (!connected_) {
    phase_ = Phase::kConnecting;
    return true;
  }
  if (!Publish(error)) {
    Drop();
    return false;
  }
  return true;
}

bool MqttTransport::Publish(std::string& error) {
  auto send = [&](const std::string& topic, const std::string& payload, bool retain) {
    int mid = 0;
    const int rc = mosquitto_publish(mosq_, &mid, topic.c_str(), static_cast<int>(payload.size()),
                                     payload.data(), 1, retain);
    if (rc != MOSQ_ERR_SUCCESS) {
      error = std::string("cannot publish to the MQTT broker: ") + mosquitto_strerror(rc);
      return false;
    }
    awaiting_.insert(mid);
    return true;
  };
  // The state first: a client woken by the event then reads the point as it now stands.
  if (!current_.point.empty() && !current_.pointState.empty() &&
      !send(Topic(settings_, current_, "point/" + TopicLevel(current_.point)), current_.pointState, true))
    return false;
  if (!send(Topic(settings_, current_, "events"), current_.payload, false)) return false;
  phase_ = Phase::kAwaitingAcks;
  return true;
}

Delivery MqttTransport::Fail(std::string& error, std::string why) {
  error = std::move(why);
  phase_ = Phase::kNone;
  Drop();
  return Delivery::kFailed;
}

Delivery MqttTransport::Poll(std::uint64_t nowMs, std::string& error) {
  if (mosq_ != nullptr) {
    // Timeout 0: only what the socket has ready now; keep-alive pings are sent from here too.
    const int rc = mosquitto_loop(mosq_, 0, 1);
    if (rc != MOSQ_ERR_SUCCESS) {
      const bool active = phase_ != Phase::kNone;
      const std::string why = rc == MOSQ_ERR_ERRNO ? "connection refused or lost" : mosquitto_strerror(rc);
      if (!active) {
        Drop();
        return Delivery::kIdle;
      }
      return Fail(error, "MQTT broker: " + why);
    }
  }
  if (phase_ == Phase::kNone) return Delivery::kIdle;
  if (connectRefusal_ != 0)
    return Fail(error, std::string("the MQTT broker refused the connection: ") +
                           mosquitto_connack_string(connectRefusal_));
  if (phase_ == Phase::kConnecting && connected_ && !Publish(error)) return Fail(error, error);
  if (phase_ == Phase::kAwaitingAcks && !connected_) return Fail(error, "MQTT broker: connection lost");
  if (phase_ == Phase::kAwaitingAcks && awaiting_.empty()) {
    phase_ = Phase::kNone;
    return Delivery::kDelivered;
  }
  if (nowMs - beganMs_ > settings_.ackTimeoutMs) {
    return Fail(error, phase_ == Phase::kConnecting ? "MQTT broker: no connection in time"
                                                    : "MQTT broker: no acknowledgement in time");
  }
  return Delivery::kBusy;
}

}  // namespace vigil::notify
