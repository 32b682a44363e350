// Every message box and modal dialog that may sit in front of the instrument is bracketed by
// the link's SetToBasicState(false) before and SetToBasicState(true) after, so the Basic-mode
// application does not fall back to its own screen while the operator reads. The callback
// is injected so this layer does not depend on the link.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/DialogHost.h"

namespace vigil::platform {

class Dialog;

class BasicStateBracket {
 public:
  /// `setToBasicState` may be empty (no link yet): then nothing is bracketed.
  BasicStateBracket(DialogHost& host, std::function<bool(bool)> setToBasicState);

  /// Bracketed forms.
  int MessageBox(std::string_view text, std::string_view caption = {}, MessageIcon icon = MessageIcon::None,
                 MessageButtons buttons = MessageButtons::Ok);
  int RunModal(Dialog& dialog);

  /// Unbracketed forms, for the places that bracket a longer sequence themselves.
  int RawMessageBox(std::string_view text, std::string_view caption = {},
                    MessageIcon icon = MessageIcon::None, MessageButtons buttons = MessageButtons::Ok);
  int RawRunModal(Dialog& dialog);

  /// The link's call itself (false: suspend "To Basic"; true: allow it again); false when
  /// there is no callback.
  bool SetToBasicState(bool enable);

  DialogHost& Host() { return host_; }

 private:
  DialogHost& host_;
  std::function<bool(bool)> setToBasicState_;
};

}  // namespace vigil::platform
