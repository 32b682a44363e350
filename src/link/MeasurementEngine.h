// The asynchronous measuring operations: each sends its command, arms a timer of the main
// window and returns; the timer handler polls the reply, chains the next step, reduces the
// reading and finally posts the caller's completion routine to the user-interface thread.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "link/BasicModeLink.h"
#include "link/Notices.h"
#include "platform/EventLoop.h"
#include "store/ProjectStationSettings.h"
#include "survey/Reading.h"

namespace vigil::link {

/// Runs on the user-interface thread when an operation ends; it reads Reading() and
/// ReadingResult(). An empty routine means none.
using CompletionRoutine = std::function<void()>;

/// Timer ids of the main window's one timer slot.
enum TimerId : int {
  kTurnTimer = 1,
  kDistanceTimer = 2,
  kAnglesTimer = 3,
  kBlockATimer = 4,
  kBlockBTimer = 5,
  kReflectorTimer = 6,
  kMotorTimer = 7,
  kScanTimer = 8,
  kSearchTimer = 9,
  kScheduleTimer = 10,
};

/// Time-outs (ms) and poll periods (ms) of the operations.
inline constexpr std::uint32_t kTurnTimeOutMs = 70000;
inline constexpr std::uint32_t kNoAckTimeOutMs = 5000;
inline constexpr std::uint32_t kReadingTimeOutMs = 5000;
inline constexpr std::uint32_t kTurnPollMs = 2000;
inline constexpr std::uint32_t kSearchPollMs = 1000;
inline constexpr std::uint32_t kDistancePollMs = 2000;
inline constexpr std::uint32_t kAnglesPollMs = 1000;
inline constexpr std::uint32_t kScanPollMs = 2000;

/// Notification code the link posts to the main window when a reply line is in.
inline constexpr int kReplyInNotice = 1;

inline constexpr int kTurnErrorMeasureAndFail = 572;
inline constexpr int kTurnErrorMeasureAnyway = 575;

inline constexpr std::string_view kCommunicationErrorFormat = "Measuring::Communication error! Ret = %d";
inline constexpr std::string_view kFailedToStopText = "Failed to stop measuring!";

class MeasurementEngine {
 public:
  /// `mainWindow`: the window whose timers drive the engine. `settings`: the project-station
  /// (orientation, temperature, pressure, prism constants, station), read at each reduction.
  MeasurementEngine(platform::EventLoop& loop, platform::WindowHandle mainWindow, BasicModeLink& link,
                    Notices& notices, const store::ProjectStationSettings& settings);

  /// Called whenever the main window's title must be set afresh (the failed mark changed).
  void SetTitleRefresh(std::function<void()> refresh) { refreshTitle_ = std::move(refresh); }
  /// Told when the instrument stops acknowledging turns (false) and answers again (true);
  /// called on a change only.
  void SetLinkReport(std::function<void(bool answering)> report) { linkReport_ = std::move(report); }

  void TurnTo(double haGon, double vaGon, CompletionRoutine routine, bool relativeToOrientation,
              bool searchAfterTurn);
  void SearchTarget(double searchRangeGon);
  void MeasureDistance(CompletionRoutine routine, bool keepReflector);
  void MeasureAngles(CompletionRoutine routine, bool anglesOnly);
  void MeasureTarget(CompletionRoutine routine, double searchRangeGon, bool relativeToOrientation,
                     bool keepReflector);
  void ChangeFace(bool faceChange);
  /// "*ST0"; tells the operator and returns false when it was not acknowledged.
  bool StopMeasuring();
  void SetPrismContext(std::string_view pointName, int prismType);
  /// Forgets a running operation's busy flags (turning, measuring), as the main window does at
  /// start and at Disable.
  void ClearBusy();
  void ScanMeasure(std::string_view startHaGon, std::string_view startVaGon, std::string_view endHaGon,
                   std::string_view endVaGon, CompletionRoutine routine);

  /// The main window's timer handler for timers 1, 2, 3, 8 and 9; false (nothing done) when
  /// another timer is the active one.
  bool OnTimer();

  /// The main window's handler of the link's "a reply is in" notification. With reply-driven
  /// measuring the active step's next tick is taken now, as that tick would take it (the same
  /// line, the same time-outs as at its due time), and dropped from the timer; one line per
  /// tick, while lines are in. A tick whose due time lies past the step's time-out is left to
  /// the timer, so nothing ends sooner than its time-out. False when nothing was taken.
  bool OnReplyIn();

  /// The timer slot, shared with the instrument-settings chain.
  void ArmTimer(int timerId, std::uint32_t periodMs);
  void KillActiveTimer();
  int ActiveTimer() const { return activeTimer_; }
  /// Milliseconds since the current step started, with the wrap handled: a tick count
  /// below the start restarts the step's clock.
  std::uint32_t StepElapsedMs();
  void RestartStep();

  const survey::Reading& Reading() const { return reading_; }
  survey::Reading& MutableReading() { return reading_; }
  int ReadingResult() const { return readingResult_; }
  void SetReadingResult(int result) { readingResult_ = result; }
  int ScanValue1() const { return scanValue1_; }
  int ScanValue2() const { return scanValue2_; }

  bool Turning() const { return turning_; }
  bool Measuring() const { return measuring_; }
  bool Stopped() const { return stopped_; }
  bool FailedMark() const { return failedMark_; }
  bool RelativeToOrientation() const { return relativeToOrientation_; }

 private:
  void OnTurnOrSearchTick();
  void OnAnglesTick();
  void OnDistanceTick();
  void OnScanTick();
  bool WaitsOnReplies() const;
  bool CanTakeNextTickNow();
  void WriteReflectorType(bool forDistance);
  void StartCompletion();
  void SetFailedMark(bool failed);
  void ReportLink(bool answering);
  double Orientation() const { return settings_.orientation; }

  platform::EventLoop& loop_;
  platform::WindowHandle mainWindow_;
  BasicModeLink& link_;
  Notices& notices_;
  const store::ProjectStationSettings& settings_;
  std::function<void()> refreshTitle_;
  std::function<void(bool)> linkReport_;
  int linkAnswering_ = -1;  ///< -1 not known yet

  survey::Reading reading_;
  int readingResult_ = 0;
  int scanValue1_ = 0;
  int scanValue2_ = 0;

  int activeTimer_ = 0;
  std::uint64_t armCount_ = 0;     ///< timers armed so far, to tell a re-armed timer
  std::uint32_t tickAheadMs_ = 0;  ///< while a tick is taken early: how far its due time lies ahead
  std::uint32_t startTick_ = 0;
  bool turning_ = false;
  bool measuring_ = false;
  bool stopped_ = false;
  bool failedMark_ = false;
  bool pointingLost_ = false;  ///< a turn or search was accepted and never ended
  CompletionRoutine routine_;
  bool relativeToOrientation_ = false;
  bool keepReflector_ = false;
  bool anglesOnly_ = false;
  bool faceChange_ = false;
  bool searchAfterTurn_ = false;
};

}  // namespace vigil::link
