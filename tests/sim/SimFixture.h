// The simulator on the virtual clock behind an in-process bus, with a tiny link window that
// collects the replies.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "platform/Format.h"
#include "platform/WindowMessages.h"
#include "sim/Simulator.h"

namespace vigil::sim::test {

inline constexpr const char* kLinkTitle = "VNT8-Message communication";

/// A small site: station at (1000, 2000, 100) with the circle's zero 0; prisms at easy
/// directions.
inline Scenario SmallSite() {
  Scenario s;
  s.station = {1000.0, 2000.0, 100.0};
  s.circleZeroGon = 0.0;
  s.temperatureC = 20.0;
  s.pressureHpa = 1013.25;
  s.angleNoiseMgon = 0.0;
  s.distanceNoiseMm = 0.0;
  s.distanceNoisePpm = 0.0;
  s.tiltNoiseMgon = 0.0;
  s.epochMs = platform::MillisecondsFromCivil({2026, 12, 7, 8, 0, 0, 0, 1});
  s.epochGiven = true;
  // due east, level, 100 m
  s.prisms.push_back({"EAST", PrismType::kMonitoring, -30.0, {1100.0, 2000.0, 100.0}, {}, {}});
  // due north, 100 m away and 100 m up: zenith 50 gon
  s.prisms.push_back({"NORTH", PrismType::kReference, 0.0, {1000.0, 2100.0, 200.0}, {}, {}});
  return s;
}

class SimTest : public ::testing::Test {
 protected:
  void Boot(Scenario scenario) {
    sim_ = std::make_unique<Simulator>(*bus_, clock_, std::move(scenario));
    ASSERT_TRUE(sim_->Start());
    ASSERT_TRUE(bus_->Register(kLinkTitle, [this](std::string bytes) { got_.push_back(std::move(bytes)); }));
  }

  /// Announces the link window as the program's Connect does, and forgets the replies.
  void Connect() {
    Send("T1 VNT8-Message communication");
    Send("T2 VNT8-Message communication");
    Send("Ts 0");
    Run(500);
    got_.clear();
  }

  void Send(const std::string& text, const std::string& end = "\r\n") {
    ASSERT_TRUE(bus_->SendTo(kInstrumentTitle, "#S" + text + end));
  }
  void Run(std::uint64_t ms) { driver_.Advance(ms); }

  /// Everything received so far, in one text.
  std::string All() const {
    std::string all;
    for (const auto& m : got_) all += m;
    return all;
  }
  /// The complete data lines received (ACKs dropped, without CR LF).
  std::vector<std::string> Lines() const {
    std::vector<std::string> lines;
    std::string current;
    for (char c : All()) {
      if (c == '\x06') continue;
      current += c;
      if (current.size() >= 2 && current.compare(current.size() - 2, 2, "\r\n") == 0) {
        lines.push_back(current.substr(0, current.size() - 2));
        current.clear();
      }
    }
    return lines;
  }
  static std::vector<std::string> Fields(const std::string& line) {
    std::vector<std::string> out(1);
    for (char c : line) {
      if (c == ',') {
        out.emplace_back();
      } else {
        out.back() += c;
      }
    }
    return out;
  }
  static double Number(const std::string& text) { return platform::ParseDoubleOr(text, std::nan("")); }

  platform::VirtualTimeDriver driver_{0, platform::LocalDateTime{2026, 12, 7, 8, 0, 0, 0, 1}};
  VirtualSimClock clock_{driver_};
  std::unique_ptr<platform::MessageBus> bus_ = platform::MakeInProcessBus();
  std::unique_ptr<Simulator> sim_;
  std::vector<std::string> got_;
};

}  // namespace vigil::sim::test
