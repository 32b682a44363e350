// A dialog host without a screen, for tests and the headless demo. A script says what the
// operator does, step by step, and what message boxes to expect with their answers; the
// host runs the dialogs on the event loop (normally on the virtual clock) and carries the
// script out from inside their modal loops, so nested dialogs are scripted like the rest.
//
// Anything that goes wrong (a message box nobody expected, a refused input, a wait that
// timed out, a dialog left open when the script ran out) is reported through the failure
// handler; tests install one that calls ADD_FAILURE. The program then goes on: an
// unexpected box gets its default answer, and a run left without script is cancelled.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Dialog.h"
#include "platform/DialogHost.h"
#include "platform/EventLoop.h"

namespace vigil::ui {

using platform::Dialog;
using platform::MessageButtons;
using platform::MessageIcon;

enum class TextMatch { Exact, Contains };

/// One thing that was shown, for assertions after the run.
struct HostEvent {
  enum class Kind { DialogOpened, DialogClosed, MessageBox, Beep, OpenFile, Failure };
  Kind kind = Kind::Failure;
  std::string text;     ///< dialog title, message text, chosen file, or the failure
  std::string caption;  ///< message box caption; open-file folder
  MessageIcon icon = MessageIcon::None;
  MessageButtons buttons = MessageButtons::Ok;
  int result = 0;          ///< answer, or the modal result of a closed dialog
  bool expected = true;    ///< false for a message box or file dialog the script did not foresee
  std::uint64_t atMs = 0;  ///< loop time when it happened (ms)
};

class ScriptedHost final : public platform::DialogHost {
 public:
  /// Page argument of the input steps for a control of the dialog itself.
  static constexpr int kNoPage = -1;
  /// How long a wait step waits by default (ms of loop time).
  static constexpr std::uint64_t kDefaultWaitMs = 600000;

  explicit ScriptedHost(platform::EventLoop& loop);

  using FailureHandler = std::function<void(const std::string& what)>;
  /// Without a handler failures are only logged (HostEvent::Kind::Failure).
  void SetFailureHandler(FailureHandler handler) { onFailure_ = std::move(handler); }

  // ---- DialogHost -------------------------------------------------------------------------
  platform::EventLoop& Loop() override { return loop_; }
  int RunModal(Dialog& dialog) override;
  int MessageBox(std::string_view text, std::string_view caption, MessageIcon icon,
                 MessageButtons buttons) override;
  std::optional<std::string> OpenFile(std::string_view folder, std::string_view filter) override;
  void Beep(MessageIcon kind) override;
  void ControlChanged(Dialog& dialog, int controlId) override;

  /// Runs `dialog` modally with the script; afterwards every step must have been used.
  int Run(Dialog& dialog);

  // ---- Script: operator input, done on the dialog in front when the step's turn comes.
  // `page` >= 0 addresses a control on that page (index into the front dialog's Pages()).
  ScriptedHost& Press(int id, int page = kNoPage);
  ScriptedHost& PressSoftKey(int position);  ///< 1 (left) to 4 (right)
  ScriptedHost& HardwareKey(int keyCode);
  /// A key-down message as the keyboard delivers it (escape: kEscapeVirtualKey).
  ScriptedHost& KeyDown(unsigned virtualKey, std::uint32_t keyData = 0);
  ScriptedHost& Type(int id, std::string text, int page = kNoPage);
  /// Chooses row, combo item, tab page or tree node `index`.
  ScriptedHost& Select(int id, int index, int page = kNoPage);
  /// Chooses by text: combo item, list row by its first cell, tab caption, tree node text.
  ScriptedHost& SelectText(int id, std::string text, int page = kNoPage);
  /// Presses the check box when its state differs from `checked`.
  ScriptedHost& Check(int id, bool checked, int page = kNoPage);
  ScriptedHost& Expand(int id, int node, int page = kNoPage);
  /// The window close message to the dialog in front.
  ScriptedHost& Close();
  /// Runs `action` (assertions, or a change of the world) when its turn comes.
  ScriptedHost& Do(std::string what, std::function<void()> action);
  /// Ends every open dialog with kIdCancel without asking them; later boxes get their
  /// default answers without failing. Ends a script on purpose.
  ScriptedHost& EndAll();

  // ---- Script: waits (each fails when not met within `timeoutMs`) ---------------------
  ScriptedHost& WaitForDialog(std::string title, TextMatch match = TextMatch::Exact,
                              std::uint64_t timeoutMs = kDefaultWaitMs);
  template <class T>
  ScriptedHost& WaitForDialog(std::uint64_t timeoutMs = kDefaultWaitMs) {
    return WaitUntil(
        "a dialog of the expected class in front",
        [this] { return dynamic_cast<T*>(TopDialog()) != nullptr; }, timeoutMs);
  }
  ScriptedHost& WaitEnabled(int id, bool enabled = true, int page = kNoPage,
                            std::uint64_t timeoutMs = kDefaultWaitMs);
  ScriptedHost& WaitUntil(std::string what, std::function<bool()> condition,
                          std::uint64_t timeoutMs = kDefaultWaitMs);
  /// Lets `ms` of loop time pass (timers run meanwhile).
  ScriptedHost& WaitMs(std::uint64_t ms);

  // ---- Script: answers ----------------------------------------------------------------
  /// The next message box must match `text`; it is answered with `answer`. Waits before it
  /// in the script do not stop it from matching.
  ScriptedHost& AnswerMessageBox(std::string text, int answer = platform::kIdOk,
                                 TextMatch match = TextMatch::Exact);
  /// The next open-file dialog is answered with `path` (nothing: cancelled).
  ScriptedHost& AnswerOpenFile(std::optional<std::string> path);
  /// The same with the path `choose` gives when the dialog opens: a file made by the run.
  ScriptedHost& AnswerOpenFile(std::string what, std::function<std::optional<std::string>()> choose);
  /// A standing answer for every box matching `text` that the script does not answer itself.
  void AlwaysAnswer(std::string text, int answer, TextMatch match = TextMatch::Contains);

  // ---- Looking back -----------------------------------------------------------------------
  const std::vector<HostEvent>& Log() const { return log_; }
  std::vector<HostEvent> Events(HostEvent::Kind kind) const;
  /// Texts of all message boxes shown, in order.
  std::vector<std::string> MessageTexts() const;
  std::vector<std::string> Failures() const;
  /// Steps not carried out yet, described.
  std::vector<std::string> RemainingSteps() const;
  int ChangeCount() const { return changeCount_; }

  template <class T>
  T* Front() const {
    return dynamic_cast<T*>(TopDialog());
  }

 private:
  enum class StepKind { Action, Wait, MessageAnswer, FileAnswer };
  struct Step {
    StepKind kind = StepKind::Action;
    std::uint64_t seq = 0;
    std::string what;
    std::function<bool()> ready;   // Wait
    std::function<void()> action;  // Action
    std::uint64_t timeoutMs = 0;
    std::optional<std::uint64_t> startedMs;
    std::string text;  // MessageAnswer
    TextMatch match = TextMatch::Exact;
    int answer = 0;
    std::optional<std::string> path;                     // FileAnswer
    std::function<std::optional<std::string>()> choose;  // FileAnswer made when it is asked
  };
  struct StandingAnswer {
    std::string text;
    TextMatch match;
    int answer;
  };

  ScriptedHost& Add(Step step);
  ScriptedHost& Input(std::string what, std::function<bool(Dialog&)> input, int page);
  /// Carries out the first step when it can go now; false when it has to wait.
  bool RunOneReadyStep();
  void WaitOnLoop(Dialog& running);
  void SettleLoop(Dialog& running);
  std::uint64_t Now();
  void Fail(std::string what);
  void Record(HostEvent event);
  /// Index of the first answer step of `kind` that only waits precede, or -1.
  int NextAnswerStep(StepKind kind) const;
  static bool Matches(std::string_view shown, std::string_view expected, TextMatch match);
  static Dialog* Target(Dialog* front, int page);

  platform::EventLoop& loop_;
  FailureHandler onFailure_;
  std::deque<Step> script_;
  std::vector<StandingAnswer> standing_;
  std::vector<HostEvent> log_;
  std::uint64_t nextSeq_ = 0;
  bool abandoning_ = false;
  int changeCount_ = 0;
};

}  // namespace vigil::ui
