#include "ui/scripted/ScriptedHost.h"

#include <utility>

namespace vigil::ui {

using platform::kIdCancel;

namespace {

// More than this many messages ready at one instant means a timer that is always due.
constexpr int kMaxSettleRounds = 100000;

std::string Quoted(std::string_view text) {
  return "\"" + std::string(text) + "\"";
}

}  // namespace

ScriptedHost::ScriptedHost(platform::EventLoop& loop) : loop_(loop) {}

std::uint64_t ScriptedHost::Now() {
  return loop_.Time().ElapsedMs();
}

void ScriptedHost::Record(HostEvent event) {
  event.atMs = Now();
  log_.push_back(std::move(event));
}

void ScriptedHost::Fail(std::string what) {
  HostEvent e;
  e.kind = HostEvent::Kind::Failure;
  e.text = what;
  e.expected = false;
  Record(std::move(e));
  if (onFailure_) onFailure_(what);
}

bool ScriptedHost::Matches(std::string_view shown, std::string_view expected, TextMatch match) {
  return match == TextMatch::Exact ? shown == expected : shown.find(expected) != std::string_view::npos;
}

Dialog* ScriptedHost::Target(Dialog* front, int page) {
  if (front == nullptr || page == kNoPage) return front;
  const auto& pages = front->Pages();
  return page >= 0 && static_cast<std::size_t>(page) < pages.size() ? pages[page] : nullptr;
}

// ---- Modal runs -------------------------------------------------------------------------

int ScriptedHost::Run(Dialog& dialog) {
  const int result = RunModal(dialog);
  if (!script_.empty()) {
    std::string unused;
    for (const Step& s : script_) unused += (unused.empty() ? "" : "; ") + s.what;
    Fail("script steps not carried out: " + unused);
    script_.clear();
  }
  return result;
}

int ScriptedHost::RunModal(Dialog& dialog) {
  HostEvent opened;
  opened.kind = HostEvent::Kind::DialogOpened;
  opened.text = dialog.Title();
  Record(std::move(opened));

  if (abandoning_) {
    dialog.EndDialog(kIdCancel);
  } else {
    PushModal(dialog);
    while (!dialog.Ended()) {
      if (abandoning_) {
        dialog.EndDialog(kIdCancel);
        break;
      }
      SettleLoop(dialog);
      if (dialog.Ended()) break;
      if (RunOneReadyStep()) continue;
      if (script_.empty()) {
        Fail("the script ended while dialog " + Quoted(dialog.Title()) + " is open");
        abandoning_ = true;
        continue;
      }
      WaitOnLoop(dialog);
    }
    PopModal(dialog);
  }

  HostEvent closed;
  closed.kind = HostEvent::Kind::DialogClosed;
  closed.text = dialog.Title();
  closed.result = dialog.Result();
  Record(std::move(closed));
  if (OpenDialogs().empty()) abandoning_ = false;
  return dialog.Result();
}

// What the last input caused runs before the operator acts again, without time passing.
void ScriptedHost::SettleLoop(Dialog& running) {
  for (int round = 0; round < kMaxSettleRounds && !running.Ended(); ++round) {
    if (loop_.DispatchPending() == 0) return;
  }
}

bool ScriptedHost::RunOneReadyStep() {
  if (script_.empty()) return false;
  Step& step = script_.front();
  if (step.kind == StepKind::Action) {
    Step taken = std::move(step);
    script_.pop_front();
    taken.action();
    return true;
  }
  const std::uint64_t now = Now();
  if (!step.startedMs) step.startedMs = now;
  if (step.kind == StepKind::Wait && step.ready()) {
    script_.pop_front();
    return true;
  }
  if (now - *step.startedMs >= step.timeoutMs) {
    const std::string what = step.what;
    script_.pop_front();
    Fail("timed out: " + what);
    return true;
  }
  return false;
}

void ScriptedHost::WaitOnLoop(Dialog& running) {
  Step& step = script_.front();
  const std::uint64_t seq = step.seq;
  const std::uint64_t waited = Now() - *step.startedMs;
  const std::uint64_t left = step.timeoutMs > waited ? step.timeoutMs - waited : 0;
  loop_.RunUntil(
      [&] {
        if (running.Ended() || abandoning_ || script_.empty() || script_.front().seq != seq) return true;
        const Step& front = script_.front();
        return front.kind == StepKind::Wait && front.ready();
      },
      left);
}

// ---- Message boxes, files, beeps -------------------------------------------------------

int ScriptedHost::NextAnswerStep(StepKind kind) const {
  for (std::size_t i = 0; i < script_.size(); ++i) {
    if (script_[i].kind == kind) return static_cast<int>(i);
    if (script_[i].kind != StepKind::Wait) return -1;
  }
  return -1;
}

int ScriptedHost::MessageBox(std::string_view text, std::string_view caption, MessageIcon icon,
                             MessageButtons buttons) {
  BeginMessageBox();
  HostEvent e;
  e.kind = HostEvent::Kind::MessageBox;
  e.text = std::string(text);
  e.caption = std::string(caption);
  e.icon = icon;
  e.buttons = buttons;
  e.result = platform::DefaultAnswer(buttons);

  std::string failure;
  const int i = NextAnswerStep(StepKind::MessageAnswer);
  if (abandoning_) {
    // Leaving on purpose: whatever the program still asks gets the refusing answer.
  } else if (i >= 0 && Matches(text, script_[i].text, script_[i].match)) {
    e.result = script_[i].answer;
    script_.erase(script_.begin() + i);
  } else {
    bool answered = false;
    for (const StandingAnswer& a : standing_) {
      if (Matches(text, a.text, a.match)) {
        e.result = a.answer;
        answered = true;
        break;
      }
    }
    if (!answered) {
      e.expected = false;
      failure = "unexpected message box " + Quoted(text);
      if (i >= 0) failure += " (the script expects " + Quoted(script_[i].text) + ")";
    }
  }
  if (failure.empty() && !platform::IsValidAnswer(buttons, e.result)) {
    failure = "answer " + std::to_string(e.result) + " is not a button of the message box " + Quoted(text);
    e.result = platform::DefaultAnswer(buttons);
  }
  const int answer = e.result;
  Record(std::move(e));
  if (!failure.empty()) Fail(failure);
  EndMessageBox();
  return answer;
}

std::optional<std::string> ScriptedHost::OpenFile(std::string_view folder, std::string_view filter) {
  (void)filter;
  BeginMessageBox();
  HostEvent e;
  e.kind = HostEvent::Kind::OpenFile;
  e.caption = std::string(folder);
  std::optional<std::string> chosen;
  const int i = NextAnswerStep(StepKind::FileAnswer);
  if (abandoning_) {
  } else if (i >= 0) {
    chosen = script_[i].choose ? script_[i].choose() : script_[i].path;
    script_.erase(script_.begin() + i);
  } else {
    e.expected = false;
  }
  e.text = chosen.value_or("");
  e.result = chosen ? platform::kIdOk : kIdCancel;
  const bool expected = e.expected;
  Record(std::move(e));
  if (!expected) Fail("unexpected open-file dialog in " + Quoted(folder));
  EndMessageBox();
  return chosen;
}

void ScriptedHost::Beep(MessageIcon kind) {
  HostEvent e;
  e.kind = HostEvent::Kind::Beep;
  e.icon = kind;
  Record(std::move(e));
}

void ScriptedHost::ControlChanged(Dialog& dialog, int controlId) {
  (void)dialog;
  (void)controlId;
  ++changeCount_;
}

// ---- Looking back -------------------------------------------------------------------------

std::vector<HostEvent> ScriptedHost::Events(HostEvent::Kind kind) const {
  std::vector<HostEvent> found;
  for (const HostEvent& e : log_) {
    if (e.kind == kind) found.push_back(e);
  }
  return found;
}

std::vector<std::string> ScriptedHost::MessageTexts() const {
  std::vector<std::string> texts;
  for (const HostEvent& e : log_) {
    if (e.kind == HostEvent::Kind::MessageBox) texts.push_back(e.text);
  }
  return texts;
}

std::vector<std::string> ScriptedHost::Failures() const {
  std::vector<std::string> texts;
  for (const HostEvent& e : log_) {
    if (e.kind == HostEvent::Kind::Failure) texts.push_back(e.text);
  }
  return texts;
}

std::vector<std::string> ScriptedHost::RemainingSteps() const {
  std::vector<std::string> texts;
  for (const Step& s : script_) texts.push_back(s.what);
  return texts;
}

}  // namespace vigil::ui
