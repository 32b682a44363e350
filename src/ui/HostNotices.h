// The link's and the engine's messages to the operator, shown through the dialog host as
// plain boxes: they come from the middle of a link exchange, so they are not bracketed.
// One box at a time: while it waits for the operator the measurement goes on, and an
// unattended station meeting the same fault reading after reading would nest a box inside a
// box without end (each one a nested event loop) until the program ran out of stack.
#pragma once

#include "link/Notices.h"
#include "platform/DialogHost.h"

namespace vigil::ui {

class HostNotices final : public link::Notices {
 public:
  explicit HostNotices(platform::DialogHost& host) : host_(host) {}
  void ShowMessage(std::string_view text) override;
  void Beep(link::BeepKind kind) override;

 private:
  platform::DialogHost& host_;
  bool showing_ = false;
};

}  // namespace vigil::ui
