#include "platform/DialogHost.h"

#include <algorithm>

#include "platform/Dialog.h"

namespace vigil::platform {

int DefaultAnswer(MessageButtons buttons) {
  switch (buttons) {
    case MessageButtons::Ok:
      return kIdOk;
    case MessageButtons::YesNo:
      return kIdNo;
    case MessageButtons::OkCancel:
    case MessageButtons::YesNoCancel:
      return kIdCancel;
  }
  return kIdCancel;
}

bool IsValidAnswer(MessageButtons buttons, int answer) {
  switch (buttons) {
    case MessageButtons::Ok:
      return answer == kIdOk;
    case MessageButtons::OkCancel:
      return answer == kIdOk || answer == kIdCancel;
    case MessageButtons::YesNo:
      return answer == kIdYes || answer == kIdNo;
    case MessageButtons::YesNoCancel:
      return answer == kIdYes || answer == kIdNo || answer == kIdCancel;
  }
  return false;
}

void DialogHost::PushModal(Dialog& dialog) {
  stack_.push_back(&dialog);
  UpdateFront();
  dialog.Start(*this);
  // A dialog may end itself while it initialises; it is then never drawn.
  if (!dialog.Ended() && TopDialog() == &dialog && !MessageBoxOpen()) dialog.Paint();
}

void DialogHost::PopModal(Dialog& dialog) {
  stack_.erase(std::remove(stack_.begin(), stack_.end(), &dialog), stack_.end());
  softKeys_.Forget(dialog);
  dialog.Finish();
  UpdateFront();
  Dialog* uncovered = TopDialog();
  if (uncovered != nullptr && uncovered->Shown() && !MessageBoxOpen()) uncovered->Paint();
}

void DialogHost::BeginMessageBox() {
  ++messageBoxDepth_;
  UpdateFront();
}

void DialogHost::EndMessageBox() {
  if (messageBoxDepth_ > 0) --messageBoxDepth_;
  UpdateFront();
  Dialog* uncovered = TopDialog();
  if (uncovered != nullptr && uncovered->Shown() && !MessageBoxOpen()) uncovered->Paint();
}

void DialogHost::UpdateFront() {
  softKeys_.SetFront(MessageBoxOpen() ? nullptr : TopDialog());
}

}  // namespace vigil::platform
