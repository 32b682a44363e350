// MQTT delivery against a real broker started by the test on a free loopback port: a broker
// down when the events come is retried until it is back and each event arrives once; rows
// left undelivered by one run are delivered by the next; a point's state stays retained.
#include <gtest/gtest.h>
#include <mosquitto.h>

#include <chrono>
#include <nlohmann/json.hpp>

#include "OutboxSetup.h"
#include "TempFolder.h"
#include "notify/LocalBroker.h"
#include "notify/MqttTransport.h"

namespace vigil::notify {
namespace {

// A client of the test's own that collects what the broker sends it.
class Subscriber {
 public:
  explicit Subscriber(int port) {
    mosquitto_lib_init();
    mosq_ = mosquitto_new(nullptr, true, this);
    mosquitto_message_callback_set(mosq_, [](mosquitto*, void* self, const mosquitto_message* m) {
      static_cast<Subscriber*>(self)->messages.emplace_back(
          m->topic,
          std::string(static_cast<const char*>(m->payload), static_cast<std::size_t>(m->payloadlen)));
    });
    mosquitto_subscribe_callback_set(mosq_, [](mosquitto*, void* self, int, int, const int*) {
      static_cast<Subscriber*>(self)->subscribed = true;
    });
    connected = mosquitto_connect(mosq_, "127.0.0.1", port, 60) == MOSQ_ERR_SUCCESS &&
                mosquitto_subscribe(mosq_, nullptr, "vigil/#", 1) == MOSQ_ERR_SUCCESS;
    connected = connected && WaitFor([this] { return subscribed; });
  }
  ~Subscriber() { mosquitto_destroy(mosq_); }
  int Socket() const { return mosquitto_socket(mosq_); }
  void Read() { mosquitto_loop(mosq_, 0, 1); }
  /// Waits on the socket, at most 5 s of real time.
  bool WaitFor(const std::function<bool()>& done) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!done() && std::chrono::steady_clock::now() < until) {
      pollfd p{Socket(), POLLIN, 0};
      poll(&p, 1, 100);
      Read();
    }
    return done();
  }
  int Count(const std::string& topic) const {
    int n = 0;
    for (const auto& m : messages) n += m.first == topic ? 1 : 0;
    return n;
  }

  std::vector<std::pair<std::string, std::string>> messages;
  bool connected = false;
  bool subscribed = false;

 private:
  mosquitto* mosq_ = nullptr;
};

std::unique_ptr<Deliverer> MqttDeliverer(const std::filesystem::path& db, int port,
                                         std::vector<std::string>& log) {
  MqttSettings s;
  s.host = "127.0.0.1";
  s.port = port;
  s.ackTimeoutMs = 5000;
  std::vector<std::unique_ptr<Transport>> transports;
  transports.push_back(std::make_unique<MqttTransport>(s));
  return std::make_unique<Deliverer>(db, std::move(transports), RetryPolicy{1000, 4000},
                                     [&log](const std::string& line) { log.push_back(line); });
}

// Steps until `done` or a real-time bound; the subscriber's socket is waited on with the rest.
bool StepUntil(platform::VirtualTimeDriver& clock, Deliverer& d, Subscriber& sub,
               const std::function<bool()>& done) {
  const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!done() && std::chrono::steady_clock::now() < until) {
    setup::Step(clock, d, {sub.Socket()});
    sub.Read();
  }
  return done();
}

void QueuePointEvent(const std::filesystem::path& db) {
  std::string error;
  auto rdb = results::ResultsDatabase::Open(db, error);
  ASSERT_TRUE(rdb) << error;
  ASSERT_TRUE(rdb->Raw().Execute(
      "INSERT INTO alarm_events (project, station, file, time_ms, kind, point, level, quantity, value, "
      "limit_value, why) VALUES ('DAM', 'P1', 'f.vgl', 0, 'raised', 'W/7', 'alarm', 'dh_mm', 12, 10, '')"));
  ASSERT_TRUE(alarms::QueueNotifications(rdb->Raw(), rdb->Raw().LastInsertId(), setup::kOrigin, "W/7",
                                         R"({"kind":"raised"})", R"({"level":"alarm"})", 0,
                                         {kMqttTransport}));
}

TEST(MqttDelivery, BrokerDownDuringTheAlarmThenBackEachEventArrivesOnce) {
  vigil::test::TempFolder dir;
  const auto db = dir.path() / "results.sqlite";
  LocalBroker broker;
  std::string error;
  ASSERT_TRUE(broker.Start(dir.path() / "broker", error)) << error;
  const int port = broker.Port();
  broker.Stop();

  ASSERT_TRUE(setup::QueueStationEvents(db, {"one", "two"}, {kMqttTransport}));
  QueuePointEvent(db);
  std::vector<std::string> log;
  auto deliverer = MqttDeliverer(db, port, log);
  platform::VirtualTimeDriver clock;
  for (int i = 0; i < 100; ++i) setup::Step(clock, *deliverer);  // 10 s without a broker
  EXPECT_GE(log.size(), 3u) << "tried, failed, waited and tried again";
  EXPECT_EQ(setup::Pending(db), 3);

  ASSERT_TRUE(broker.Start(dir.path() / "broker", error, port)) << error;
  Subscriber sub(port);
  ASSERT_TRUE(sub.connected);
  ASSERT_TRUE(StepUntil(clock, *deliverer, sub, [&] { return sub.Count("vigil/DAM/P1/events") == 3; }))
      << (log.empty() ? "" : log.back());
  for (int i = 0; i < 50; ++i) {
    setup::Step(clock, *deliverer, {sub.Socket()}, 10);
    sub.Read();
  }
  EXPECT_EQ(sub.Count("vigil/DAM/P1/events"), 3) << "each once";
  EXPECT_EQ(sub.Count("vigil/DAM/P1/point/W_7"), 1) << "the point's name as one topic level";
  EXPECT_EQ(setup::Pending(db), 0);
  std::vector<std::string> order;
  for (const auto& [topic, payload] : sub.messages) {
    if (topic == "vigil/DAM/P1/events") order.push_back(nlohmann::json::parse(payload).value("why", "-"));
  }
  EXPECT_EQ(order, (std::vector<std::string>{"one", "two", "-"}));

  Subscriber late(port);
  ASSERT_TRUE(late.WaitFor([&] { return late.Count("vigil/DAM/P1/point/W_7") == 1; }))
      << "a client subscribing later sees the point's state";
}

TEST(MqttDelivery, RowsLeftByOneRunDeliveredByTheNext) {
  vigil::test::TempFolder dir;
  const auto db = dir.path() / "results.sqlite";
  LocalBroker broker;
  std::string error;
  ASSERT_TRUE(broker.Start(dir.path() / "broker", error)) << error;
  const int port = broker.Port();
  broker.Stop();
  ASSERT_TRUE(setup::QueueStationEvents(db, {"before the restart"}, {kMqttTransport}));
  std::vector<std::string> log;
  platform::VirtualTimeDriver clock;
  {
    auto first = MqttDeliverer(db, port, log);
    for (int i = 0; i < 20; ++i) setup::Step(clock, *first);
  }  // the program ends with the row undelivered
  EXPECT_EQ(setup::Pending(db), 1);
  ASSERT_TRUE(broker.Start(dir.path() / "broker", error, port)) << error;
  Subscriber sub(port);
  ASSERT_TRUE(sub.connected);
  auto next = MqttDeliverer(db, port, log);
  ASSERT_TRUE(StepUntil(clock, *next, sub, [&] {
    return sub.Count("vigil/DAM/P1/events") == 1 && next->Delivered().size() == 1;  // and acknowledged
  }));
  EXPECT_EQ(setup::Pending(db), 0);
}

}  // namespace
}  // namespace vigil::notify
