// A link on the virtual clock with a scripted Basic-mode peer on the in-process bus.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "ScriptedPeer.h"
#include "link/BasicModeLink.h"
#include "link/Commands.h"
#include "platform/EventLoop.h"
#include "platform/WindowMessages.h"

namespace vigil::link::test {

class LinkFixture : public ::testing::Test {
 protected:
  explicit LinkFixture(std::uint32_t startTick = 1000)
      : loop_(std::make_unique<platform::VirtualTimeDriver>(startTick)),
        clock_(*loop_.Virtual()),
        bus_(platform::MakeInProcessBus()) {}

  // The peer is created on demand so that a test can run without a Basic-mode application.
  ScriptedPeer& Peer() {
    if (!peer_) peer_ = std::make_unique<ScriptedPeer>(clock_, *bus_);
    return *peer_;
  }

  BasicModeLink& Link() {
    if (!link_) link_ = std::make_unique<BasicModeLink>(loop_, *bus_);
    return *link_;
  }

  // Scripts the four set-up answers and connects.
  void ScriptConnect() {
    Peer().Answer("#STc\r\n", {{10, AckedEcho(kCloseLinkEcho)}});
    Peer().Answer("#ST1 VNT8-Message communication\r\n", {{10, AckedEcho(kAnnounceFirstEcho)}});
    Peer().Answer("#ST2 VNT8-Message communication\r\n", {{10, AckedEcho(kAnnounceSecondEcho)}});
    Peer().Answer("#STs 0\r\n", {{10, AckedEcho(kToBasicEcho)}});
    Peer().Answer("#STs 2\r\n", {{10, AckedEcho(kToBasicEcho)}});
  }

  void ConnectOrFail() {
    ScriptConnect();
    ASSERT_TRUE(Link().Connect());
  }

  std::uint64_t NowMs() { return clock_.ElapsedMs(); }

  void TearDown() override {
    link_.reset();
    peer_.reset();
  }

  platform::EventLoop loop_;
  platform::VirtualTimeDriver& clock_;
  std::unique_ptr<platform::MessageBus> bus_;
  std::unique_ptr<ScriptedPeer> peer_;
  std::unique_ptr<BasicModeLink> link_;
};

}  // namespace vigil::link::test
