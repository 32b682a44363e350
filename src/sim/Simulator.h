// The simulated robotic total station behind the window "LMX-Message communication": it
// takes commands from the message bus, moves and measures on its clock, and answers the
// windows that announced themselves.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/WindowMessages.h"
#include "sim/Command.h"
#include "sim/CommandLog.h"
#include "sim/Faults.h"
#include "sim/Instrument.h"
#include "sim/Noise.h"
#include "sim/ReplyChannel.h"
#include "sim/Scenario.h"
#include "sim/SimClock.h"
#include "sim/TargetIndex.h"

namespace vigil::sim {

inline constexpr std::string_view kInstrumentTitle = "LMX-Message communication";

/// The error number of a search that finds no prism in its field.
inline constexpr int kNoPrismFound = 572;

class Simulator {
 public:
  Simulator(platform::MessageBus& bus, SimClock& clock, Scenario scenario);
  ~Simulator();
  Simulator(const Simulator&) = delete;
  Simulator& operator=(const Simulator&) = delete;

  /// Registers the instrument's window; false when the title is taken.
  bool Start();
  void Stop();
  bool Present() const { return present_; }

  /// Handles one message as if it came through the window (on the simulator's thread).
  void OnMessage(std::string bytes);

  /// The window disappears now and comes back after `ms`.
  void Vanish(std::uint32_t ms);

  /// Prints each command and reply.
  void SetLogger(ReplyChannel::Logger logger);

  Faults& faults() { return faults_; }
  const CommandLog& log() const { return log_; }
  CommandLog& log() { return log_; }

  const Instrument& instrument() const { return instrument_; }
  const Scenario& scenario() const { return scenario_; }
  const std::string& linkTitle() const { return linkTitle_; }
  const std::string& mainTitle() const { return mainTitle_; }
  int toBasicState() const { return toBasic_; }
  bool lightOn() const { return light_; }
  bool fineMode() const { return fineMode_; }
  bool measuringDistance() const { return distanceRunning_; }
  const std::array<std::string, 12>& blockB() const { return blockB_; }
  const std::string& reflectorType() const { return reflector_; }
  const std::array<std::string, 4>& motor() const { return motor_; }

  /// True position of a prism now (metres), or nothing for an unknown name.
  std::optional<GridPoint> TruePosition(std::string_view prismName);
  /// Where the instrument's axis truly is now, and how far the pillar has turned its circle (gon).
  GridPoint TrueStation();
  double TrueTwistGon();

 private:
  std::int64_t NowMs();
  bool TakeNak(std::string_view text);
  void Acknowledge(const Command& c, bool accepted);
  void Handle(const Command& c);
  void HandleLink(const Command& c);
  void HandleSettings(const Command& c);
  void Turn(const Command& c);
  void Search(const Command& c);
  void EndMotion(const Command& c, std::uint64_t afterMs, std::optional<Pointing> to, int errorNumber);
  void ReadAngles();
  void StartDistance();
  void DistanceLine(std::uint64_t series, int count);
  void Scan(const Command& c);
  void Later(std::uint64_t delayMs, std::function<void()> work);

  platform::MessageBus& bus_;
  SimClock& clock_;
  Scenario scenario_;
  TargetIndex targets_;  ///< searches and distances look only near the line of sight
  Faults faults_;
  Instrument instrument_;
  Noise noise_;
  CommandLog log_;
  ReplyChannel channel_;
  ReplyChannel::Logger logger_;
  std::shared_ptr<Simulator*> self_;

  bool registered_ = false;
  bool present_ = false;
  std::string linkTitle_;
  std::string mainTitle_;
  int toBasic_ = 0;
  bool light_ = false;
  bool fineMode_ = false;
  std::array<std::string, 4> blockA_;
  std::array<std::string, 12> blockB_;
  std::string reflector_;
  std::array<std::string, 4> motor_;
  std::uint64_t motionSeq_ = 0;  // a new turn, search or scan supersedes the one under way
  std::uint64_t seriesSeq_ = 0;
  bool distanceRunning_ = false;
};

}  // namespace vigil::sim
