#include "ui/HostNotices.h"

namespace vigil::ui {

void HostNotices::ShowMessage(std::string_view text) {
  if (showing_) return;  // the box on screen already tells the operator; the engine beeps for each
  showing_ = true;
  host_.MessageBox(text, {}, platform::MessageIcon::None, platform::MessageButtons::Ok);
  showing_ = false;
}

void HostNotices::Beep(link::BeepKind kind) {
  switch (kind) {
    case link::BeepKind::Question:
      host_.Beep(platform::MessageIcon::Question);
      break;
    case link::BeepKind::Exclamation:
      host_.Beep(platform::MessageIcon::Exclamation);
      break;
    case link::BeepKind::Error:
      host_.Beep(platform::MessageIcon::Error);
      break;
    case link::BeepKind::Ok:
      host_.Beep(platform::MessageIcon::None);
      break;
  }
}

}  // namespace vigil::ui
