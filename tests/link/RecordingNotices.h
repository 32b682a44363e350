// Notices that record what the operator would have seen and heard.
#pragma once

#include <string>
#include <vector>

#include "link/Notices.h"

namespace vigil::link::test {

class RecordingNotices final : public Notices {
 public:
  void ShowMessage(std::string_view text) override { messages.emplace_back(text); }
  void Beep(BeepKind kind) override { beeps.push_back(kind); }

  std::vector<std::string> messages;
  std::vector<BeepKind> beeps;
};

}  // namespace vigil::link::test
