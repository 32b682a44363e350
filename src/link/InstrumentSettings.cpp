#include "link/InstrumentSettings.h"

#include "link/ParseResult.h"
#include "link/Replies.h"

namespace vigil::link {

InstrumentSettings::InstrumentSettings(MeasurementEngine& engine, BasicModeLink& link, Notices& notices)
    : engine_(engine), link_(link), notices_(notices) {}

void InstrumentSettings::Step() {
  if (progressStep_) progressStep_();
}

void InstrumentSettings::WriteAcknowledged(const Command& command, const std::optional<std::string>& bytes) {
  // A refused write does not stop the chain; a text too long for the command is not sent.
  if (bytes) link_.SendCommand(command, *bytes);
}

void InstrumentSettings::ApplyMonitoringSettings() {
  stoppedAt_ = EnableStep::kNone;
  engine_.RestartStep();
  engine_.ArmTimer(kBlockATimer, kParameterPollMs);
  link_.SendCommand(kReadBlockA);
}

bool InstrumentSettings::OnTimer() {
  switch (engine_.ActiveTimer()) {
    case kBlockATimer:
    case kBlockBTimer:
      OnBlockTick();
      return true;
    case kReflectorTimer:
    case kMotorTimer:
      OnReflectorOrMotorTick();
      return true;
    default:
      return false;
  }
}

void InstrumentSettings::OnBlockTick() {
  ParameterAB reply;
  int r = ParseParameterAB(link_.Replies(), reply);
  const bool timedOut = engine_.StepElapsedMs() > kBlockReadTimeOutMs;
  if (r == kNoLine && !timedOut) return;
  const int timer = engine_.ActiveTimer();
  if (r == kParsed && timer == kBlockATimer) {
    engine_.KillActiveTimer();
    kept_.blockA = {reply.fields[0], reply.fields[1]};
    engine_.RestartStep();
    engine_.ArmTimer(kBlockBTimer, kParameterPollMs);
    link_.SendCommand(kReadBlockB);
    return;
  }
  if (r == kParsed && timer == kBlockBTimer) {
    engine_.KillActiveTimer();
    if (!blockBChanged_) kept_.blockB = reply.fields;
    auto monitoring = kept_.blockB;
    monitoring[3] = "0";
    monitoring[4] = "1";
    monitoring[5] = "0";
    WriteAcknowledged(kWriteBlockB, BuildWriteBlockBCommand(monitoring));
    blockBChanged_ = true;
    Step();
    engine_.RestartStep();
    engine_.ArmTimer(kReflectorTimer, kParameterPollMs);
    link_.SendCommand(kReadReflectorType);
    return;
  }
  if (r == kNoLine) r = kReadingTimeOut;
  stoppedAt_ = timer == kBlockATimer ? EnableStep::kBlockA : EnableStep::kBlockB;
  engine_.KillActiveTimer();
  notices_.ShowMessage(kTimedOutText);
  engine_.SetReadingResult(r);
}

void InstrumentSettings::OnReflectorOrMotorTick() {
  ParameterCPA reply;
  int r = ParseParameterCPA(link_.Replies(), reply);
  const bool timedOut = engine_.StepElapsedMs() > kReflectorReadTimeOutMs;
  if (r == kNoLine && !timedOut) return;
  const int timer = engine_.ActiveTimer();
  if (r == kParsed && timer == kReflectorTimer) {
    engine_.KillActiveTimer();
    if (!reflectorChanged_) kept_.reflectorType = reply.fields[0];
    WriteAcknowledged(kWriteReflectorType, BuildWriteReflectorTypeCommand("0"));
    reflectorChanged_ = true;
    Step();
    engine_.RestartStep();
    engine_.ArmTimer(kMotorTimer, kParameterPollMs);
    link_.SendCommand(kReadMotorParameters);
    return;
  }
  if (r == kParsed && timer == kMotorTimer) {
    engine_.KillActiveTimer();
    kept_.motorParameters = reply.fields;
    WriteAcknowledged(kWriteMotorParameters,
                      BuildWriteMotorParametersCommand({"0", "0", "1.5000", "1.5000"}));
    Step();
    link_.SendCommand(kDistanceModeFine);
    if (finished_) finished_();
    return;
  }
  if (r == kNoLine) r = kReadingTimeOut;
  stoppedAt_ = timer == kReflectorTimer ? EnableStep::kReflectorType : EnableStep::kMotorParameters;
  engine_.KillActiveTimer();
  engine_.SetReadingResult(r);
}

bool InstrumentSettings::GiveBackWritten() {
  auto acknowledged = [&](const Command& command, const std::optional<std::string>& bytes) {
    return bytes && link_.SendCommand(command, *bytes) == LinkStatus::Ack;
  };
  if (blockBChanged_ && acknowledged(kWriteBlockB, BuildWriteBlockBCommand(kept_.blockB)))
    blockBChanged_ = false;
  if (reflectorChanged_ &&
      acknowledged(kWriteReflectorType, BuildWriteReflectorTypeCommand(kept_.reflectorType)))
    reflectorChanged_ = false;
  return !blockBChanged_ && !reflectorChanged_;
}

void InstrumentSettings::RestoreInstrumentSettings() {
  WriteAcknowledged(kWriteBlockB, BuildWriteBlockBCommand(kept_.blockB));
  WriteAcknowledged(kWriteReflectorType, BuildWriteReflectorTypeCommand(kept_.reflectorType));
  WriteAcknowledged(kWriteMotorParameters, BuildWriteMotorParametersCommand(kept_.motorParameters));
  blockBChanged_ = false;
  reflectorChanged_ = false;
}

}  // namespace vigil::link
