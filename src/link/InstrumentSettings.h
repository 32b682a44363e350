// The instrument settings that unattended monitoring needs: read and kept at Enable, set
// for monitoring, and written back at Disable. The texts are the instrument's own and are
// kept and written back unchanged, field by field.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>

#include "link/BasicModeLink.h"
#include "link/Commands.h"
#include "link/MeasurementEngine.h"
#include "link/Notices.h"

namespace vigil::link {

/// Time-outs (ms) of the parameter reads, and their poll period (ms).
inline constexpr std::uint32_t kBlockReadTimeOutMs = 15000;
inline constexpr std::uint32_t kReflectorReadTimeOutMs = 10000;
inline constexpr std::uint32_t kParameterPollMs = 2000;

inline constexpr std::string_view kTimedOutText = "Timed out!";

/// The read at which the Enable chain stopped.
enum class EnableStep { kNone, kBlockA, kBlockB, kReflectorType, kMotorParameters };

/// What was read at Enable.
struct KeptSettings {
  std::array<std::string, 2> blockA;
  std::array<std::string, kBlockBFieldCount> blockB;
  std::string reflectorType;
  std::array<std::string, kMotorParameterCount> motorParameters;
};

class InstrumentSettings {
 public:
  InstrumentSettings(MeasurementEngine& engine, BasicModeLink& link, Notices& notices);

  /// Called after each write of the chain (the main window steps its progress bar), and
  /// once the chain has finished with its last step (hide the bar, finish Enable).
  void SetProgressStep(std::function<void()> step) { progressStep_ = std::move(step); }
  void SetFinished(std::function<void()> finished) { finished_ = std::move(finished); }

  /// Starts the read-keep-write chain on timers 4 to 7 and returns.
  void ApplyMonitoringSettings();

  /// Writes the kept block B, reflector type and motor parameters back (synchronous).
  void RestoreInstrumentSettings();

  /// Writes back what the chain wrote for monitoring and has not yet given back (block B,
  /// reflector type); true when every such write was acknowledged or there was none. A
  /// refused one stays marked, so the next Enable does not read the monitoring value as
  /// the instrument's own.
  bool GiveBackWritten();

  /// The read that stopped the last chain (kNone while it runs or after it finished).
  EnableStep StoppedAt() const { return stoppedAt_; }

  /// The main window's timer handler for timers 4 to 7; false for other active timers.
  bool OnTimer();

  const KeptSettings& Kept() const { return kept_; }

 private:
  void OnBlockTick();
  void OnReflectorOrMotorTick();
  void Step();
  void WriteAcknowledged(const Command& command, const std::optional<std::string>& bytes);

  MeasurementEngine& engine_;
  BasicModeLink& link_;
  Notices& notices_;
  std::function<void()> progressStep_;
  std::function<void()> finished_;
  KeptSettings kept_;
  // Written for monitoring and not written back yet: a chain that stopped half-way left
  // them changed, and reading them again would keep the monitoring values as the
  // instrument's own.
  bool blockBChanged_ = false;
  bool reflectorChanged_ = false;
  EnableStep stoppedAt_ = EnableStep::kNone;
};

}  // namespace vigil::link
