#include "sim/Simulator.h"

#include "platform/Clock.h"
#include "sim/Motion.h"
#include "sim/ReplyLines.h"

namespace vigil::sim {

Simulator::Simulator(platform::MessageBus& bus, SimClock& clock, Scenario scenario)
    : bus_(bus),
      clock_(clock),
      scenario_(std::move(scenario)),
      faults_(scenario_.faults),
      instrument_(scenario_.circleZeroGon, scenario_.collimationGon, scenario_.indexErrorGon),
      noise_(scenario_.seed),
      channel_(bus, clock, faults_),
      self_(std::make_shared<Simulator*>(this)),
      blockA_(scenario_.blockA),
      blockB_(scenario_.blockB),
      reflector_(scenario_.reflectorType),
      motor_(scenario_.motor) {
  if (!scenario_.epochGiven) scenario_.epochMs = NowMs();
  instrument_.SetTwistSource([this] { return TwistGonAt(scenario_, NowMs()); });
}

Simulator::~Simulator() {
  *self_ = nullptr;
  Stop();
}

bool Simulator::Start() {
  if (registered_) return true;
  std::weak_ptr<Simulator*> weak = self_;
  registered_ = bus_.Register(kInstrumentTitle, [weak, &clock = clock_](std::string bytes) {
    clock.Receive([weak, bytes = std::move(bytes)]() mutable {
      if (auto self = weak.lock(); self && *self) (*self)->OnMessage(std::move(bytes));
    });
  });
  present_ = registered_;
  channel_.SetMuted(!present_);
  return registered_;
}

void Simulator::Stop() {
  if (registered_) bus_.Unregister(kInstrumentTitle);
  registered_ = false;
  present_ = false;
  channel_.SetMuted(true);
}

void Simulator::Vanish(std::uint32_t ms) {
  if (!registered_) return;
  Stop();
  if (logger_) logger_("window gone");
  Later(ms, [this] {
    Start();
    if (logger_) logger_("window back");
  });
}

void Simulator::SetLogger(ReplyChannel::Logger logger) {
  logger_ = logger;
  channel_.SetLogger(std::move(logger));
}

std::int64_t Simulator::NowMs() {
  return platform::MillisecondsFromCivil(clock_.Now());
}

std::optional<GridPoint> Simulator::TruePosition(std::string_view prismName) {
  for (const Prism& p : scenario_.prisms) {
    if (p.name == prismName) return PositionAt(p, scenario_.epochMs, NowMs());
  }
  return std::nullopt;
}

GridPoint Simulator::TrueStation() {
  return StationAt(scenario_, NowMs());
}

double Simulator::TrueTwistGon() {
  return TwistGonAt(scenario_, NowMs());
}

void Simulator::Later(std::uint64_t delayMs, std::function<void()> work) {
  std::weak_ptr<Simulator*> weak = self_;
  clock_.Schedule(delayMs, [weak, work = std::move(work)] {
    if (auto self = weak.lock(); self && *self) work();
  });
}

bool Simulator::TakeNak(std::string_view text) {
  for (Faults::NakRule& rule : faults_.nak) {
    if (rule.count > 0 && text.substr(0, rule.prefix.size()) == rule.prefix) {
      --rule.count;
      return true;
    }
  }
  return false;
}

void Simulator::Acknowledge(const Command& c, bool accepted) {
  channel_.Send(linkTitle_, EchoReply(c.echo, accepted), scenario_.replyDelayMs);
}

void Simulator::OnMessage(std::string bytes) {
  if (!present_) return;
  const Command command = ParseCommand(bytes);
  log_.Add(clock_.ElapsedMs(), bytes, command);
  if (logger_) logger_("<- " + Printable(bytes));
  const std::string_view text = std::string_view(bytes).substr(std::min<std::size_t>(2, bytes.size()));
  if (!faults_.vanishOnPrefix.empty() &&
      text.substr(0, faults_.vanishOnPrefix.size()) == faults_.vanishOnPrefix) {
    faults_.vanishOnPrefix.clear();
    Vanish(faults_.vanishForMs);
    return;
  }
  if (command.kind == CommandKind::kInvalid || TakeNak(text)) {
    const std::string& to = command.kind == CommandKind::kGreeting ? command.title : linkTitle_;
    channel_.Send(to, EchoReply(command.echo, false), scenario_.replyDelayMs);
    return;
  }
  Handle(command);
}

void Simulator::Handle(const Command& c) {
  switch (c.kind) {
    case CommandKind::kTurn:
      return Turn(c);
    case CommandKind::kSearch:
      return Search(c);
    case CommandKind::kReadAngles:
      return ReadAngles();
    case CommandKind::kMeasureDistance:
      return StartDistance();
    case CommandKind::kScan:
      return Scan(c);
    case CommandKind::kCloseLink:
    case CommandKind::kAnnounceFirst:
    case CommandKind::kAnnounceSecond:
    case CommandKind::kGreeting:
    case CommandKind::kToBasic:
      return HandleLink(c);
    default:
      return HandleSettings(c);
  }
}

void Simulator::HandleLink(const Command& c) {
  switch (c.kind) {
    case CommandKind::kCloseLink:
      distanceRunning_ = false;
      ++seriesSeq_;
      Acknowledge(c, true);
      linkTitle_.clear();
      break;
    case CommandKind::kAnnounceFirst:
    case CommandKind::kAnnounceSecond:
      linkTitle_ = c.title;
      Acknowledge(c, true);
      break;
    case CommandKind::kGreeting:
      mainTitle_ = c.title;
      channel_.Send(mainTitle_, EchoReply(c.echo, true), scenario_.replyDelayMs);
      break;
    case CommandKind::kToBasic:
      toBasic_ = c.number;
      Acknowledge(c, true);
      break;
    default:
      break;
  }
}

void Simulator::HandleSettings(const Command& c) {
  const std::uint64_t delay = scenario_.replyDelayMs;
  switch (c.kind) {
    case CommandKind::kStopMeasuring:
      distanceRunning_ = false;
      ++seriesSeq_;
      break;
    case CommandKind::kHorizontalZero:
      instrument_.SetCircle(0.0);
      break;
    case CommandKind::kSetHorizontal:
      instrument_.SetCircle(c.values.at(0));
      break;
    case CommandKind::kFineMode:
      fineMode_ = true;
      break;
    case CommandKind::kLightOn:
    case CommandKind::kLightOff:
      light_ = c.kind == CommandKind::kLightOn;
      break;
    case CommandKind::kWriteBlockB:
      std::copy(c.fields.begin(), c.fields.end(), blockB_.begin());
      break;
    case CommandKind::kWriteReflector:
      reflector_ = c.fields.at(0);
      break;
    case CommandKind::kWriteMotor:
      std::copy(c.fields.begin(), c.fields.end(), motor_.begin());
      break;
    case CommandKind::kReadBlockA:
      channel_.SendData(
          linkTitle_,
          [this] {
            return ParameterLine("A", {blockA_.begin(), blockA_.end()});
          },
          delay);
      return;
    case CommandKind::kReadBlockB:
      channel_.SendData(
          linkTitle_,
          [this] {
            return ParameterLine("B", {blockB_.begin(), blockB_.end()});
          },
          delay);
      return;
    case CommandKind::kReadReflector:
      channel_.SendData(
          linkTitle_, [this] { return ParameterLine("C", {reflector_}); }, delay);
      return;
    case CommandKind::kReadMotor:
      channel_.SendData(
          linkTitle_,
          [this] {
            return ParameterLine("*PA", {motor_.begin(), motor_.end()});
          },
          delay);
      return;
    default:
      break;
  }
  Acknowledge(c, true);
}

}  // namespace vigil::sim
