// The steps a test writes into the scripted host's script.
#include <memory>
#include <string>
#include <utility>

#include "ui/scripted/ScriptedHost.h"

namespace vigil::ui {

using platform::Control;
using platform::ControlKind;

namespace {

std::string Id(int id, int page) {
  std::string s = std::to_string(id);
  if (page != ScriptedHost::kNoPage) s += " on page " + std::to_string(page);
  return s;
}

// The index the operator would click to choose `text`, or -1.
int IndexOfText(const Dialog& d, int id, const std::string& text) {
  const Control* c = d.Find(id);
  if (c == nullptr) return -1;
  switch (c->kind) {
    case ControlKind::Combo:
    case ControlKind::Tab:
      for (std::size_t i = 0; i < c->items.size(); ++i) {
        if (c->items[i] == text) return static_cast<int>(i);
      }
      break;
    case ControlKind::ReportList:
      for (std::size_t i = 0; i < c->rows.size(); ++i) {
        if (!c->rows[i].empty() && c->rows[i][0] == text) return static_cast<int>(i);
      }
      break;
    case ControlKind::Tree:
      for (std::size_t i = 0; i < c->nodes.size(); ++i) {
        if (c->nodes[i].text == text) return static_cast<int>(i);
      }
      break;
    default:
      break;
  }
  return -1;
}

}  // namespace

ScriptedHost& ScriptedHost::Add(Step step) {
  step.seq = nextSeq_++;
  script_.push_back(std::move(step));
  return *this;
}

ScriptedHost& ScriptedHost::Input(std::string what, std::function<bool(Dialog&)> input, int page) {
  Step s;
  s.kind = StepKind::Action;
  s.what = what;
  s.action = [this, what, input = std::move(input), page] {
    Dialog* front = TopDialog();
    Dialog* target = Target(front, page);
    if (target == nullptr) {
      Fail(what + ": no such dialog or page in front");
    } else if (!input(*target)) {
      Fail(what + " refused in dialog \"" + front->Title() + "\"");
    }
  };
  return Add(std::move(s));
}

ScriptedHost& ScriptedHost::Press(int id, int page) {
  return Input(
      "press " + Id(id, page), [id](Dialog& d) { return d.PressButton(id); }, page);
}

ScriptedHost& ScriptedHost::PressSoftKey(int position) {
  Step s;
  s.what = "soft key " + std::to_string(position);
  s.action = [this, position, what = s.what] {
    if (!SoftKeys().Press(position)) Fail(what + " did nothing");
  };
  return Add(std::move(s));
}

ScriptedHost& ScriptedHost::HardwareKey(int keyCode) {
  Step s;
  s.what = "hardware key " + std::to_string(keyCode);
  // A key that does nothing is what the operator did, not a fault of the script.
  s.action = [this, keyCode] { SoftKeys().HandleHardwareKey(keyCode); };
  return Add(std::move(s));
}

ScriptedHost& ScriptedHost::KeyDown(unsigned virtualKey, std::uint32_t keyData) {
  Step s;
  s.what = "key down " + std::to_string(virtualKey);
  // Dialogs have no keyboard handling of their own, so a key the bar does not take is lost.
  s.action = [this, virtualKey, keyData] { SoftKeys().FilterKeyDown(virtualKey, keyData); };
  return Add(std::move(s));
}

ScriptedHost& ScriptedHost::Type(int id, std::string text, int page) {
  return Input(
      "type \"" + text + "\" into " + Id(id, page), [id, text](Dialog& d) { return d.TypeInto(id, text); },
      page);
}

ScriptedHost& ScriptedHost::Select(int id, int index, int page) {
  return Input(
      "select " + std::to_string(index) + " in " + Id(id, page),
      [id, index](Dialog& d) { return d.Choose(id, index); }, page);
}

ScriptedHost& ScriptedHost::SelectText(int id, std::string text, int page) {
  return Input(
      "select \"" + text + "\" in " + Id(id, page),
      [id, text](Dialog& d) {
        const int index = IndexOfText(d, id, text);
        return index >= 0 && d.Choose(id, index);
      },
      page);
}

ScriptedHost& ScriptedHost::Check(int id, bool checked, int page) {
  return Input(
      std::string(checked ? "check " : "uncheck ") + Id(id, page),
      [id, checked](Dialog& d) {
        const Control* c = d.Find(id);
        if (c == nullptr || c->kind != ControlKind::Check) return false;
        return c->checked == checked || d.PressButton(id);
      },
      page);
}

ScriptedHost& ScriptedHost::Expand(int id, int node, int page) {
  return Input(
      "expand node " + std::to_string(node) + " of " + Id(id, page),
      [id, node](Dialog& d) {
        const platform::TreeNode* n = d.TreeGet(id, node);
        return n != nullptr && (n->expanded || d.ToggleExpand(id, node));
      },
      page);
}

ScriptedHost& ScriptedHost::Close() {
  Step s;
  s.what = "close";
  // A dialog may refuse to close; that is its answer, not a fault.
  s.action = [this, what = s.what] {
    if (Dialog* front = TopDialog()) {
      front->SendClose();
    } else {
      Fail(what + ": no dialog in front");
    }
  };
  return Add(std::move(s));
}

ScriptedHost& ScriptedHost::Do(std::string what, std::function<void()> action) {
  Step s;
  s.what = std::move(what);
  s.action = std::move(action);
  return Add(std::move(s));
}

ScriptedHost& ScriptedHost::EndAll() {
  Step s;
  s.what = "end all dialogs";
  s.action = [this] {
    abandoning_ = true;
    for (Dialog* d : OpenDialogs()) d->EndDialog(platform::kIdCancel);
  };
  return Add(std::move(s));
}

ScriptedHost& ScriptedHost::WaitForDialog(std::string title, TextMatch match, std::uint64_t timeoutMs) {
  const std::string what = "wait for dialog \"" + title + "\"";
  return WaitUntil(
      what,
      [this, title = std::move(title), match] {
        const Dialog* top = TopDialog();
        return top != nullptr && Matches(top->Title(), title, match);
      },
      timeoutMs);
}

ScriptedHost& ScriptedHost::WaitEnabled(int id, bool enabled, int page, std::uint64_t timeoutMs) {
  return WaitUntil(
      std::string("wait until ") + Id(id, page) + (enabled ? " is enabled" : " is disabled"),
      [this, id, enabled, page] {
        const Dialog* target = Target(TopDialog(), page);
        return target != nullptr && target->Has(id) && target->IsEnabled(id) == enabled;
      },
      timeoutMs);
}

ScriptedHost& ScriptedHost::WaitUntil(std::string what, std::function<bool()> condition,
                                      std::uint64_t timeoutMs) {
  Step s;
  s.kind = StepKind::Wait;
  s.what = std::move(what);
  s.ready = std::move(condition);
  s.timeoutMs = timeoutMs;
  return Add(std::move(s));
}

ScriptedHost& ScriptedHost::WaitMs(std::uint64_t ms) {
  Step s;
  s.kind = StepKind::Wait;
  s.what = "wait " + std::to_string(ms) + " ms";
  // The step's start time is set when its turn comes; the shared pointer carries it to the
  // condition.
  auto started = std::make_shared<std::optional<std::uint64_t>>();
  s.ready = [this, ms, started] {
    if (!*started) *started = Now();
    return Now() - **started >= ms;
  };
  s.timeoutMs = ms + 1;
  return Add(std::move(s));
}

ScriptedHost& ScriptedHost::AnswerMessageBox(std::string text, int answer, TextMatch match) {
  Step s;
  s.kind = StepKind::MessageAnswer;
  s.what = "answer " + std::to_string(answer) + " to message box \"" + text + "\"";
  s.text = std::move(text);
  s.match = match;
  s.answer = answer;
  s.timeoutMs = kDefaultWaitMs;
  return Add(std::move(s));
}

ScriptedHost& ScriptedHost::AnswerOpenFile(std::optional<std::string> path) {
  Step s;
  s.kind = StepKind::FileAnswer;
  s.what = "answer the open-file dialog with " + (path ? "\"" + *path + "\"" : std::string("cancel"));
  s.path = std::move(path);
  s.timeoutMs = kDefaultWaitMs;
  return Add(std::move(s));
}

ScriptedHost& ScriptedHost::AnswerOpenFile(std::string what,
                                           std::function<std::optional<std::string>()> choose) {
  Step s;
  s.kind = StepKind::FileAnswer;
  s.what = "answer the open-file dialog with " + what;
  s.choose = std::move(choose);
  s.timeoutMs = kDefaultWaitMs;
  return Add(std::move(s));
}

void ScriptedHost::AlwaysAnswer(std::string text, int answer, TextMatch match) {
  standing_.push_back(StandingAnswer{std::move(text), match, answer});
}

}  // namespace vigil::ui
