#include "ui/qt/KeyMapping.h"

#include <Qt>

#include "platform/SoftKeyBar.h"

namespace vigil::ui::qt {

namespace {

KeyDown Hardware(int keyCode) {
  return KeyDown{platform::kHardwareKeyVirtualKey, static_cast<std::uint32_t>(keyCode) << 16, true};
}

}  // namespace

KeyDown KeyDownOf(int qtKey) {
  switch (qtKey) {
    // Soft key n is pressed by hardware key code 5 - n.
    case Qt::Key_F1:
      return Hardware(4);
    case Qt::Key_F2:
      return Hardware(3);
    case Qt::Key_F3:
      return Hardware(2);
    case Qt::Key_F4:
      return Hardware(1);
    // The controller's close key; escape closes nothing there.
    case Qt::Key_F5:
      return Hardware(60);
    case Qt::Key_Escape:
      return KeyDown{platform::kEscapeVirtualKey, 0, false};
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return KeyDown{0x0D, 0, false};
    case Qt::Key_Tab:
      return KeyDown{0x09, 0, false};
    case Qt::Key_Backspace:
      return KeyDown{0x08, 0, false};
    case Qt::Key_Left:
      return KeyDown{0x25, 0, false};
    case Qt::Key_Up:
      return KeyDown{0x26, 0, false};
    case Qt::Key_Right:
      return KeyDown{0x27, 0, false};
    case Qt::Key_Down:
      return KeyDown{0x28, 0, false};
    default:
      break;
  }
  // Letters and digits have their ASCII capital as virtual key, as Qt's key codes do.
  if ((qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) || (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)) {
    return KeyDown{static_cast<unsigned>(qtKey), 0, false};
  }
  return KeyDown{};
}

}  // namespace vigil::ui::qt
