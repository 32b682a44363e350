#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/Clock.h"
#include "platform/DialogHost.h"
#include "platform/EventLoop.h"
#include "ui/HostNotices.h"

namespace vigil::ui {
namespace {

// A host whose message box, while it is open, lets the measurement run on: the engine meets
// the next fault and reports it from inside the box's loop.
class NestingHost final : public platform::DialogHost {
 public:
  platform::EventLoop& Loop() override { return loop_; }
  int RunModal(platform::Dialog&) override { return 0; }
  int MessageBox(std::string_view text, std::string_view, platform::MessageIcon,
                 platform::MessageButtons) override {
    shown.emplace_back(text);
    if (whileOpen) whileOpen();
    return platform::kIdOk;
  }
  std::optional<std::string> OpenFile(std::string_view, std::string_view) override { return std::nullopt; }
  void Beep(platform::MessageIcon) override {}

  std::vector<std::string> shown;
  std::function<void()> whileOpen;

 private:
  platform::EventLoop loop_{std::make_unique<platform::VirtualTimeDriver>()};
};

// Unattended, with nobody to close the boxes, every failed line of a garbling instrument once
// opened a box inside the last one.
TEST(HostNotices, OneBoxAtATimeWhileTheMeasurementGoesOn) {
  NestingHost host;
  HostNotices notices(host);
  int faultsWhileOpen = 0;
  host.whileOpen = [&] {
    for (; faultsWhileOpen < 40; ++faultsWhileOpen)
      notices.ShowMessage("Measuring::Communication error! Ret = 2");
  };
  notices.ShowMessage("Timed out!");
  EXPECT_EQ(host.shown, std::vector<std::string>{"Timed out!"});

  host.whileOpen = nullptr;
  notices.ShowMessage("Failed to take reading.");
  EXPECT_EQ(host.shown.size(), 2u) << "once closed, the next fault gets its box";
}

}  // namespace
}  // namespace vigil::ui
