// What runs dialogs: the Qt front end on a real screen, or the scripted host in tests and
// the headless demo. Screens only talk to this interface.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/DialogResult.h"
#include "platform/EventLoop.h"
#include "platform/SoftKeyBar.h"

namespace vigil::platform {

class Dialog;

enum class MessageIcon { None, Question, Exclamation, Information, Error };
enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel };

/// The answer a message box gives when nobody answers it: OK for a plain box, otherwise the
/// refusing one (Cancel, or No when there is no Cancel).
int DefaultAnswer(MessageButtons buttons);
/// Whether `answer` is one of the buttons of the box.
bool IsValidAnswer(MessageButtons buttons, int answer);

class DialogHost {
 public:
  virtual ~DialogHost() = default;

  /// The user-interface thread's loop that dialogs' timers and waits run on.
  virtual EventLoop& Loop() = 0;

  /// Shows `dialog` modally and runs the loop, nested, until it ends; returns its result.
  /// Dialogs nest: a handler may run another dialog.
  virtual int RunModal(Dialog& dialog) = 0;

  /// A modal message box; returns kIdOk, kIdCancel, kIdYes or kIdNo.
  virtual int MessageBox(std::string_view text, std::string_view caption, MessageIcon icon,
                         MessageButtons buttons) = 0;

  /// The open-file dialog, starting in `folder` (a controller path, or a native path of the
  /// program's own storage), with a filter text such as
  /// "Text Files (*.txt)|*.txt|All Files (*.*)|*.*||". Returns the chosen file in the form
  /// of `folder` (controller path or native path), or nothing when cancelled.
  virtual std::optional<std::string> OpenFile(std::string_view folder, std::string_view filter) = 0;

  /// A message beep of the given kind.
  virtual void Beep(MessageIcon kind) = 0;

  /// A control (or, with kWholeDialog, the title or the set of controls) of `dialog` changed.
  static constexpr int kWholeDialog = -1;
  virtual void ControlChanged(Dialog& dialog, int controlId) {
    (void)dialog;
    (void)controlId;
  }

  /// Lets the screen show what changed while the program works on without waiting (a long
  /// copy); nothing of the operator's input and nothing of the program runs meanwhile.
  virtual void UpdateScreen() {}

  SoftKeyBar& SoftKeys() { return softKeys_; }

  /// Open modal dialogs, the first opened first; the last is in front.
  const std::vector<Dialog*>& OpenDialogs() const { return stack_; }
  Dialog* TopDialog() const { return stack_.empty() ? nullptr : stack_.back(); }
  bool MessageBoxOpen() const { return messageBoxDepth_ > 0; }

 protected:
  // Bookkeeping shared by hosts: call around a modal run and a message box. PushModal starts
  // the dialog and paints it; PopModal finishes it and paints the one uncovered.
  void PushModal(Dialog& dialog);
  void PopModal(Dialog& dialog);
  void BeginMessageBox();
  void EndMessageBox();

 private:
  void UpdateFront();

  SoftKeyBar softKeys_;
  std::vector<Dialog*> stack_;
  int messageBoxDepth_ = 0;
};

}  // namespace vigil::platform
