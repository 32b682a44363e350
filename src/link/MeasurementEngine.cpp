#include "link/MeasurementEngine.h"

#include "link/ControlChars.h"
#include "link/ParseResult.h"
#include "link/Replies.h"
#include "platform/Format.h"
#include "survey/Coordinates.h"

namespace vigil::link {

using platform::ParseDoubleOr;
using survey::NormaliseAngle;

MeasurementEngine::MeasurementEngine(platform::EventLoop& loop, platform::WindowHandle mainWindow,
                                     BasicModeLink& link, Notices& notices,
                                     const store::ProjectStationSettings& settings)
    : loop_(loop), mainWindow_(mainWindow), link_(link), notices_(notices), settings_(settings) {}

// ---- the timer slot ----

namespace {
bool IsMeasuringTimer(int timerId) {
  return timerId == kTurnTimer || timerId == kSearchTimer || timerId == kAnglesTimer ||
         timerId == kDistanceTimer || timerId == kScanTimer;
}
}  // namespace

void MeasurementEngine::ArmTimer(int timerId, std::uint32_t periodMs) {
  activeTimer_ = timerId;
  ++armCount_;
  // The timer stays the fallback: a notification lost or never sent costs one period, no more.
  const bool notify = settings_.reply_driven && IsMeasuringTimer(timerId);
  link_.NotifyRepliesTo(notify ? mainWindow_ : 0, kReplyInNotice);
  loop_.SetTimer(mainWindow_, timerId, periodMs);
}

void MeasurementEngine::KillActiveTimer() {
  loop_.KillTimer(mainWindow_, activeTimer_);
}

void MeasurementEngine::RestartStep() {
  startTick_ = loop_.TickCount();
}

std::uint32_t MeasurementEngine::StepElapsedMs() {
  const std::uint32_t now = loop_.TickCount() + tickAheadMs_;
  if (now < startTick_) startTick_ = now;
  // Unsigned difference: a start just below the wrap does not time out at once.
  return now - startTick_;
}

// ---- operations ----

void MeasurementEngine::TurnTo(double haGon, double vaGon, CompletionRoutine routine,
                               bool relativeToOrientation, bool searchAfterTurn) {
  routine_ = std::move(routine);
  relativeToOrientation_ = relativeToOrientation;
  searchAfterTurn_ = searchAfterTurn;
  pointingLost_ = false;
  const double targetHa = NormaliseAngle(haGon + Orientation());
  const double targetVa = NormaliseAngle(vaGon);
  turning_ = true;
  RestartStep();
  ArmTimer(kTurnTimer, kTurnPollMs);
  const auto command = BuildTurnCommand(targetHa, targetVa);
  // An angle that cannot be written is never sent; the turn then times out as failed.
  if (command) link_.SendCommand(kTurnTelescope, *command);
}

void MeasurementEngine::SearchTarget(double /*searchRangeGon*/) {
  if (!keepReflector_) WriteReflectorType(false);
  turning_ = true;
  pointingLost_ = false;
  RestartStep();
  searchAfterTurn_ = false;
  ArmTimer(kSearchTimer, kSearchPollMs);
  link_.SendCommand(kSearchPrism);
}

void MeasurementEngine::MeasureDistance(CompletionRoutine routine, bool keepReflector) {
  if (routine) routine_ = std::move(routine);
  keepReflector_ = keepReflector;
  if (!keepReflector_) WriteReflectorType(true);
  stopped_ = false;
  measuring_ = true;
  pointingLost_ = false;
  RestartStep();
  ArmTimer(kDistanceTimer, kDistancePollMs);
  link_.SendCommand(kMeasureDistance);
}

void MeasurementEngine::MeasureAngles(CompletionRoutine routine, bool anglesOnly) {
  routine_ = std::move(routine);
  anglesOnly_ = anglesOnly;
  measuring_ = true;
  RestartStep();
  ArmTimer(kAnglesTimer, kAnglesPollMs);
  link_.SendCommand(kReadAngles);
}

void MeasurementEngine::MeasureTarget(CompletionRoutine routine, double searchRangeGon,
                                      bool relativeToOrientation, bool keepReflector) {
  routine_ = std::move(routine);
  relativeToOrientation_ = relativeToOrientation;
  keepReflector_ = keepReflector;
  if (reading_.prismType == survey::kPrismReflectorless) {
    MeasureDistance(nullptr, false);
  } else {
    SearchTarget(searchRangeGon);
  }
}

void MeasurementEngine::ChangeFace(bool faceChange) {
  faceChange_ = faceChange;
  MeasureAngles(nullptr, true);
}

bool MeasurementEngine::StopMeasuring() {
  if (link_.SendCommand(kStopMeasuring) == LinkStatus::Ack) return true;
  notices_.ShowMessage(kFailedToStopText);
  return false;
}

void MeasurementEngine::SetPrismContext(std::string_view pointName, int prismType) {
  reading_.pointName = std::string(pointName);
  reading_.prismType = prismType;
}

void MeasurementEngine::ClearBusy() {
  turning_ = false;
  measuring_ = false;
}

void MeasurementEngine::ScanMeasure(std::string_view startHaGon, std::string_view startVaGon,
                                    std::string_view endHaGon, std::string_view endVaGon,
                                    CompletionRoutine routine) {
  routine_ = std::move(routine);
  double startHa = ParseDoubleOr(startHaGon, 0.0);
  double endHa = ParseDoubleOr(endHaGon, 0.0);
  if (relativeToOrientation_) {
    startHa += Orientation();
    endHa += Orientation();
  }
  RestartStep();
  ArmTimer(kScanTimer, kScanPollMs);
  const auto command =
      BuildScanMeasureCommand(NormaliseAngle(startHa), startVaGon, NormaliseAngle(endHa), endVaGon);
  if (command) link_.SendCommand(kScanMeasure, *command);
}

void MeasurementEngine::WriteReflectorType(bool forDistance) {
  const int type = reading_.prismType;
  const char* value = "0";
  if (type == survey::kPrismSheet) {
    value = "1";
  } else if (forDistance && type == survey::kPrismReflectorless) {
    value = "2";
  }
  if (const auto command = BuildWriteReflectorTypeCommand(value))
    link_.SendCommand(kWriteReflectorType, *command);
}

void MeasurementEngine::StartCompletion() {
  // Posted, not run here: the routine usually starts the next operation, and it must see
  // the engine after this tick has finished with it.
  if (routine_) loop_.Post(routine_);
}

void MeasurementEngine::ReportLink(bool answering) {
  const int now = answering ? 1 : 0;
  if (now == linkAnswering_) return;
  linkAnswering_ = now;
  if (linkReport_) linkReport_(answering);
}

void MeasurementEngine::SetFailedMark(bool failed) {
  failedMark_ = failed;
  if (!failed && refreshTitle_) refreshTitle_();
}

// ---- the timer handler ----

bool MeasurementEngine::OnTimer() {
  switch (activeTimer_) {
    case kTurnTimer:
    case kSearchTimer:
      OnTurnOrSearchTick();
      return true;
    case kAnglesTimer:
      OnAnglesTick();
      return true;
    case kDistanceTimer:
      OnDistanceTick();
      return true;
    case kScanTimer:
      OnScanTick();
      return true;
    default:
      return false;
  }
}

bool MeasurementEngine::WaitsOnReplies() const {
  return settings_.reply_driven && IsMeasuringTimer(activeTimer_) &&
         loop_.TimerArmed(mainWindow_, activeTimer_);
}

namespace {
// Where the first line of the replies ends (after its CR LF), or npos; a NAK before it ends
// the parse as well, at the NAK.
std::size_t FirstLineEnd(std::string_view text) {
  const std::size_t crlf = text.find("\r\n");
  const std::size_t nak = text.find(kNak);
  if (nak != std::string_view::npos && (crlf == std::string_view::npos || nak < crlf)) return nak + 1;
  return crlf == std::string_view::npos ? crlf : crlf + 2;
}
}  // namespace

bool MeasurementEngine::CanTakeNextTickNow() {
  if (!WaitsOnReplies()) return false;
  const std::string_view text = link_.Replies().Text();
  const std::size_t end = FirstLineEnd(text);
  if (end == std::string_view::npos) return false;
  const std::uint64_t now = loop_.Time().ElapsedMs();
  const std::uint64_t due = loop_.TimerDueMs(mainWindow_, activeTimer_);
  const std::uint32_t ahead = due > now ? static_cast<std::uint32_t>(due - now) : 0;
  const std::uint32_t tick = loop_.TickCount() + ahead;
  // The start is never after the tick here: the wrap case restarts the step's clock anyway.
  const std::uint32_t elapsedAtDue = tick < startTick_ ? 0 : tick - startTick_;
  std::uint32_t timeOutMs = kReadingTimeOutMs;
  if (activeTimer_ == kScanTimer) {
    timeOutMs = UINT32_MAX;
  } else if (activeTimer_ == kTurnTimer || activeTimer_ == kSearchTimer) {
    // The parse sees an ACK before the line end, so the long time-out applies then too.
    const bool acked = link_.Acknowledged() || text.substr(0, end).find(kAck) != std::string_view::npos;
    timeOutMs = acked ? kTurnTimeOutMs : kNoAckTimeOutMs;
  }
  if (elapsedAtDue > timeOutMs) return false;
  tickAheadMs_ = ahead;
  return true;
}

bool MeasurementEngine::OnReplyIn() {
  if (!CanTakeNextTickNow()) return false;
  const int timer = activeTimer_;
  const std::uint64_t armCount = armCount_;
  const std::uint64_t clears = link_.Replies().Clears();
  const std::uint64_t dueMs = loop_.TimerDueMs(mainWindow_, timer);
  {
    // Back to the true time however the tick ends (the main window catches what it throws).
    struct AtTrueTime {
      std::uint32_t& ahead;
      ~AtTrueTime() { ahead = 0; }
    } atTrueTime{tickAheadMs_};
    OnTimer();
  }
  if (armCount_ != armCount || !loop_.TimerArmed(mainWindow_, timer)) return true;
  loop_.SkipTimerTick(mainWindow_, timer);
  // A parser that clears the replies after its line would, at the tick's due time, also
  // have cleared what arrives until then.
  if (link_.Replies().Clears() != clears) link_.DropArrivalsUntil(dueMs);
  // One message may carry several lines: the next one is the next tick's, taken after what
  // this one posted (a scan line's completion reads the result of its own line).
  if (FirstLineEnd(link_.Replies().Text()) != std::string_view::npos)
    loop_.PostNotify(mainWindow_, kReplyInNotice);
  return true;
}

void MeasurementEngine::OnTurnOrSearchTick() {
  const int r = ParseOkError(link_.Replies(), link_.AcknowledgedFlag());
  const std::uint32_t elapsed = StepElapsedMs();
  const bool timedOut = elapsed > kTurnTimeOutMs || (elapsed > kNoAckTimeOutMs && !link_.Acknowledged());
  if (r == kNoLine && !timedOut) return;
  // A turn nobody acknowledged is the one sign of a dead link the engine sees; a target not
  // found (a hidden prism) still had its commands acknowledged.
  ReportLink(link_.Acknowledged() || r != kNoLine);
  const bool acceptedNeverEnded = timedOut && link_.Acknowledged();
  KillActiveTimer();
  if (!timedOut && r == kOkReply) {
    SetFailedMark(false);
    if (searchAfterTurn_ && reading_.prismType != survey::kPrismReflectorless) {
      turning_ = false;
      SearchTarget(0.0);
    } else {
      MeasureAngles(routine_, faceChange_);
      faceChange_ = false;
      turning_ = false;
    }
  } else if (timedOut || r == kTurnErrorMeasureAndFail) {
    MeasureDistance(nullptr, keepReflector_);
    failedMark_ = true;
    // The telescope stopped who knows where: what it measures there is not this target.
    pointingLost_ = acceptedNeverEnded;
    turning_ = false;
  } else if (r == kTurnErrorMeasureAnyway) {
    MeasureDistance(nullptr, keepReflector_);
    turning_ = false;
  } else {
    failedMark_ = true;
    turning_ = false;
    // Nothing else follows a refused or failed turn: without its completion a caller that
    // waits for it (a monitoring cycle) would wait for ever.
    readingResult_ = r;
    StartCompletion();
    return;
  }
  readingResult_ = r;
}

void MeasurementEngine::OnAnglesTick() {
  if (!measuring_) return;
  MeasurementFields fields;
  int r = ParseMeasurement(link_.Replies(), fields);
  if (StepElapsedMs() > kReadingTimeOutMs) r = kReadingTimeOut;
  if (r == kNoLine) return;
  measuring_ = false;
  KillActiveTimer();
  if (r != kParsed) {
    reading_.tiltX = 0.0;
    reading_.tiltY = 0.0;
    if (anglesOnly_) {
      readingResult_ = r;
      StartCompletion();
    } else {
      MeasureDistance(nullptr, false);
    }
    return;
  }
  reading_.tiltX = ParseDoubleOr(fields.tiltX, reading_.tiltX);
  reading_.tiltY = ParseDoubleOr(fields.tiltY, reading_.tiltY);
  reading_.haGon = ParseDoubleOr(fields.ha, reading_.haGon);
  reading_.vaGon = ParseDoubleOr(fields.va, reading_.vaGon);
  if (relativeToOrientation_) reading_.haGon -= Orientation();
  reading_.haGon = NormaliseAngle(reading_.haGon);
  if (!anglesOnly_) {
    MeasureDistance(nullptr, keepReflector_);
  } else if (!faceChange_) {
    readingResult_ = kParsed;
    StartCompletion();
  } else {
    reading_.vaGon = 400.0 - reading_.vaGon;
    reading_.haGon = reading_.haGon < 200.0 ? reading_.haGon + 200.0 : reading_.haGon - 200.0;
    // TurnTo adds the orientation; a raw Ha (read without it) would be turned past the
    // other face by the orientation, so it is made relative first.
    const double turnHa =
        relativeToOrientation_ ? reading_.haGon : NormaliseAngle(reading_.haGon - Orientation());
    TurnTo(turnHa, reading_.vaGon, nullptr, true, false);
  }
}

void MeasurementEngine::OnDistanceTick() {
  if (!measuring_) return;
  MeasurementFields fields;
  int r = ParseMeasurement(link_.Replies(), fields);
  if (StepElapsedMs() > kReadingTimeOutMs) {
    measuring_ = false;
    KillActiveTimer();
    StopMeasuring();
    stopped_ = true;
    readingResult_ = kReadingTimeOut;
    StartCompletion();
    return;
  }
  if (r == kParsed) {
    // A line without a distance (the instrument wrote zeros) is no measurement: wait for
    // the next line instead of reducing the previous target's distance again.
    double sdMetres = 0.0;
    if (!platform::ScanDouble(fields.sd, sdMetres) || sdMetres <= 0.0) return;
    if (pointingLost_) {
      measuring_ = false;
      KillActiveTimer();
      StopMeasuring();
      stopped_ = true;
      readingResult_ = kReadingTimeOut;
      StartCompletion();
      return;
    }
    const survey::Reading before = reading_;
    reading_.keepReflector = keepReflector_;
    if (!survey::ReduceReading(settings_, reading_, fields.ha, fields.va, fields.sd,
                               relativeToOrientation_)) {
      reading_ = before;
      return;
    }
    if (failedMark_) SetFailedMark(false);
    measuring_ = false;
    KillActiveTimer();
    StopMeasuring();
    stopped_ = true;
    readingResult_ = kParsed;
    StartCompletion();
    return;
  }
  if (r == kNoLine || (r >= kHaFieldError && r <= 60)) return;
  if (r == kAngleStatusNotZero) {
    failedMark_ = true;
    notices_.Beep(BeepKind::Question);
    return;
  }
  notices_.ShowMessage(platform::Format(kCommunicationErrorFormat, {r}));
  failedMark_ = true;
  notices_.Beep(BeepKind::Question);
}

void MeasurementEngine::OnScanTick() {
  ScanFields fields;
  const int r = ParseScan(link_.Replies(), fields);
  if (r == kParsed && activeTimer_ == kScanTimer) {
    reading_.haGon = ParseDoubleOr(fields.ha, reading_.haGon);
    reading_.vaGon = ParseDoubleOr(fields.va, reading_.vaGon);
    scanValue1_ = platform::ParseIntOr(fields.value1, scanValue1_);
    scanValue2_ = platform::ParseIntOr(fields.value2, scanValue2_);
    if (relativeToOrientation_) reading_.haGon -= Orientation();
    reading_.haGon = NormaliseAngle(reading_.haGon);
    readingResult_ = kParsed;
    StartCompletion();
  }
  readingResult_ = r;
}

}  // namespace vigil::link
