// The link's and the engine's messages to the operator, shown through the dialog host as
// plain boxes: they come from the middle of a link exchange, so they are not bracketed.
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
};

}  // namespace vigil::ui
