#include "platform/SoftKeyBar.h"

#include "platform/Dialog.h"

namespace vigil::platform {

HardwareKeyAction MapHardwareKey(int keyCode) {
  switch (keyCode) {
    case 4:
    case 8:
      return HardwareKeyAction::SoftKey1;
    case 3:
    case 7:
      return HardwareKeyAction::SoftKey2;
    case 2:
    case 6:
      return HardwareKeyAction::SoftKey3;
    case 1:
    case 5:
      return HardwareKeyAction::SoftKey4;
    case 60:
    case 64:
      return HardwareKeyAction::Close;
    default:
      return HardwareKeyAction::None;
  }
}

int HardwareKeyCode(unsigned virtualKey, std::uint32_t keyData) {
  if (virtualKey != kHardwareKeyVirtualKey) return -1;
  return static_cast<int>((keyData >> 16) & 0xFFu);
}

void SoftKeyBar::RegisterSoftKeys(Dialog& dialog, int id1, int id2, int id3, int id4) {
  current_ = &dialog;
  ids_ = {id1, id2, id3, id4};
  dialog.softKeys_ = ids_;
}

void SoftKeyBar::Forget(const Dialog& dialog) {
  if (current_ == &dialog) {
    current_ = nullptr;
    ids_ = {0, 0, 0, 0};
  }
  if (front_ == &dialog) front_ = nullptr;
}

// Keys reach only the dialog in front. A key pressed while a message box or an unregistered
// dialog covers the current one would otherwise run that dialog's command underneath.
bool SoftKeyBar::CurrentTakesInput() const {
  return current_ != nullptr && current_ == front_;
}

bool SoftKeyBar::Press(int position) {
  if (position < 1 || position > 4 || !CurrentTakesInput()) return false;
  return current_->PressButton(ids_[static_cast<std::size_t>(position - 1)]);
}

bool SoftKeyBar::HandleHardwareKey(int keyCode) {
  switch (MapHardwareKey(keyCode)) {
    case HardwareKeyAction::SoftKey1:
      return Press(1);
    case HardwareKeyAction::SoftKey2:
      return Press(2);
    case HardwareKeyAction::SoftKey3:
      return Press(3);
    case HardwareKeyAction::SoftKey4:
      return Press(4);
    case HardwareKeyAction::Close:
      if (!CurrentTakesInput()) return false;
      current_->SendClose();
      return true;
    case HardwareKeyAction::None:
      break;
  }
  return false;
}

bool SoftKeyBar::FilterKeyDown(unsigned virtualKey, std::uint32_t keyData) {
  if (virtualKey == kHardwareKeyVirtualKey) {
    HandleHardwareKey(HardwareKeyCode(virtualKey, keyData));
    return true;
  }
  return virtualKey == kEscapeVirtualKey;
}

}  // namespace vigil::platform
