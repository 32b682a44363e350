// The start screen and the program's central object: six large buttons, four soft keys and
// the next-cycle line. It enables and disables monitoring, opens the project-station, runs
// the other screens, and dispatches the timer slot shared by the measuring engine, the
// instrument-settings chain and the schedule.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "link/Greeting.h"
#include "platform/Dialog.h"
#include "ui/AppContext.h"
#include "ui/MainWindowHooks.h"
#include "ui/ResumeState.h"

namespace vigil::ui {

/// Used in window titles and the close question.
inline constexpr std::string_view kProductTitle = "DLK VIGIL\xE2\x84\xA2";
/// Shown by the About box.
inline constexpr std::string_view kProgramVersion = "1.0.0";

inline constexpr std::uint32_t kSchedulePeriodMs = 60000;
/// What the operator has to cancel a resume at start-up (s of the platform clock).
inline constexpr int kResumeCountdownSeconds = 30;
/// After a resume whose Enable did not get through, the next try (ms of the platform clock).
inline constexpr std::uint32_t kResumeRetryMs = 60000;

class MainWindow final : public platform::Dialog {
 public:
  static constexpr int kEnableButtonId = 1000;
  static constexpr int kProjSettingsButtonId = 1001;
  static constexpr int kControlsButtonId = 1003;
  static constexpr int kTrainingButtonId = 1004;
  static constexpr int kOrientationButtonId = 1006;
  static constexpr int kMonitorButtonId = 1007;
  static constexpr int kSoftKey1Id = 1021;
  static constexpr int kAboutKeyId = 1025;
  static constexpr int kSoftKey3Id = 1018;
  static constexpr int kCloseKeyId = 1019;
  static constexpr int kProgressId = 1045;
  static constexpr int kNextCycleId = 1062;

  /// Icon resources above the six main buttons' captions.
  static constexpr int kEnableIcon = 144;
  static constexpr int kProjSettingsIcon = 150;
  static constexpr int kControlsIcon = 154;
  static constexpr int kTrainingIcon = 153;
  static constexpr int kOrientationIcon = 151;
  static constexpr int kMonitorIcon = 152;

  /// `hooks` may be null: Monitor, Training, Orientation and the schedule tick do nothing.
  MainWindow(AppContext& context, MainWindowHooks* hooks = nullptr);
  ~MainWindow() override;

  AppContext& Context() { return context_; }
  void SetHooks(MainWindowHooks* hooks) { hooks_ = hooks; }
  /// Hands a stored cycle file to the hooks; true without hooks.
  bool CycleStored(const std::filesystem::path& cycleFile) {
    return hooks_ == nullptr || hooks_->OnCycleStored(*this, cycleFile);
  }

  void ReadingsNotWritten(int readings) {
    if (hooks_ != nullptr) hooks_->OnReadingsNotWritten(*this, readings);
  }
  std::string AlarmLine() const { return hooks_ != nullptr ? hooks_->AlarmLine() : std::string(); }
  /// A start with --resume: the first paint reads Station/resume.state and, when the program
  /// last ran Enabled with the schedule armed and that project-station asks for it, counts
  /// down and then enables, loads it and arms the schedule. Without: the start as always.
  void SetResumeAtStart(bool resume) { resumeAtStart_ = resume; }
  std::filesystem::path ResumeStatePath() const;
  /// Interval mode confirmed while enabled: the schedule measures (its timer is off only
  /// while a cycle runs).
  bool ScheduleInForce() const { return scheduleInForce_; }

  bool MonitoringEnabled() const { return enabled_; }
  bool ProjectStationLoaded() const { return loaded_; }
  const std::string& NextCycleText() const { return nextCycleText_; }

  void SetMonitoringState(bool enabled, bool atStartUp);
  void ToggleMonitoring();
  void OpenProjectSettings();
  void OpenControls();
  void OpenAbout();

  /// Timer 10: on arms it with 60,000 ms, off kills it.
  void ArmSchedule(bool on);
  bool ScheduleArmed() const;
  /// With `show`: recomputes the next-cycle line from the local hour and shows it; without:
  /// hides it.
  void UpdateNextCycleLabel(bool show);

  /// The main window's own title: the product title until a project-station is loaded,
  /// then "%s : %s - %s%s" with the project and station.
  void RefreshTitle();

  /// A tick of the timer slot, carrying `timerId`; dispatched by the id armed last.
  void OnTimerSlot(int timerId);
  void OnReplyIn();

  void OnInitDialog() override;
  void OnPaint() override;
  void OnCommand(int controlId) override;
  bool OnClose() override;

 private:
  void CreateControls();
  void TranslateCaptions();
  void StartEnable();
  void FinishEnable();
  void Disable();
  /// The settings chain stopped before its last step (a read timed out).
  void EnableChainStopped();
  /// Temporaries of writes a stopped run left: dropped, or their readings kept and told.
  void ClearLeftoverTemporaries();
  /// The project selection: a ProjectSelectDialog choice, kNoChoice when cancelled.
  int ChooseProjectStation();
  void ProjectStationConfirmed();
  std::string Tr(std::string_view key, std::string_view defaultText) const;
  /// Connects and starts the instrument-settings chain; false when the link did not open.
  bool ConnectAndApply();
  void StartResume();
  /// The resume's Enable did not get through: recording goes on, the state on file stays.
  void ResumeFailed();
  /// A box for the Enable chain's failure, or a line for the hooks when it is a resume's retry
  /// after a failed try (the operator was told once already).
  void TellEnableFailure(std::string_view text, platform::MessageIcon icon);
  /// Writes the resume state when it changed (only for a project-station that asks for it,
  /// and once more to clear it when that stops).
  void RecordResumeState();

  AppContext& context_;
  MainWindowHooks* hooks_;
  std::unique_ptr<link::Greeting> greeting_;
  bool enabled_ = false;
  bool loaded_ = false;
  bool everLoaded_ = false;  ///< a project-station was confirmed since start
  bool firstPaintPending_ = false;
  bool enabling_ = false;
  std::string nextCycleText_;
  bool resumeAtStart_ = false;
  bool resumeStateReady_ = false;  ///< the start-up resume decision is made
  bool resuming_ = false;          ///< the Enable chain runs for a resume
  bool scheduleInForce_ = false;
  std::int64_t cycleStartedMs_ = 0;
  std::optional<ResumeState> recorded_;  ///< what resume.state holds; none: not known
  bool resumeWriteFailed_ = false;
  int resumeFailures_ = 0;  ///< resume tries in a row whose Enable did not get through
  std::shared_ptr<MainWindow*> alive_ = std::make_shared<MainWindow*>(this);
};

}  // namespace vigil::ui
