// The four soft keys along the bottom of the screen and the instrument's hardware keys that
// press them. One bar per program (its host owns it); every dialog registers its soft-key
// buttons on each paint, so the bar follows the dialog in front.
#pragma once

#include <array>
#include <cstdint>

namespace vigil::platform {

class Dialog;

/// Virtual key of the instrument's hardware keys; the key code is in the scan-code field.
inline constexpr unsigned kHardwareKeyVirtualKey = 0xEF;
inline constexpr unsigned kEscapeVirtualKey = 0x1B;

enum class HardwareKeyAction {
  None,
  SoftKey1,  ///< codes 4, 8
  SoftKey2,  ///< codes 3, 7
  SoftKey3,  ///< codes 2, 6
  SoftKey4,  ///< codes 1, 5
  Close,     ///< codes 60, 64: the window close message
};

/// What a hardware key code does.
HardwareKeyAction MapHardwareKey(int keyCode);

/// The key code of a key-down message: the low byte of the scan-code field (bits 16 to 23 of
/// `keyData`) when `virtualKey` is the hardware key, else -1.
int HardwareKeyCode(unsigned virtualKey, std::uint32_t keyData);

class SoftKeyBar {
 public:
  /// Makes `dialog` the current dialog with its four soft-key button ids, left to right.
  void RegisterSoftKeys(Dialog& dialog, int id1, int id2, int id3, int id4);
  /// Forgets `dialog` when it is current (it closed).
  void Forget(const Dialog& dialog);

  Dialog* Current() const { return current_; }
  const std::array<int, 4>& Ids() const { return ids_; }

  /// The dialog that takes input now (hosts set it: the top dialog, or null while a
  /// message box is up). Keys reach the current dialog only when it is this one.
  void SetFront(Dialog* front) { front_ = front; }
  Dialog* Front() const { return front_; }

  /// Presses soft key `position` (1 to 4) of the current dialog as if tapped: only when the
  /// button is enabled and shown. Returns whether it was pressed.
  bool Press(int position);

  /// Applies a hardware key code (see MapHardwareKey). Returns whether anything happened.
  bool HandleHardwareKey(int keyCode);

  /// Looks at a key-down message before the dialog does. The hardware key is handled here;
  /// escape is swallowed so it never cancels or closes a dialog. Returns true when the
  /// message was consumed and must not reach the dialog.
  bool FilterKeyDown(unsigned virtualKey, std::uint32_t keyData);

 private:
  bool CurrentTakesInput() const;

  Dialog* current_ = nullptr;
  Dialog* front_ = nullptr;
  std::array<int, 4> ids_{0, 0, 0, 0};
};

}  // namespace vigil::platform
