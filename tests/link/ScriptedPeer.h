// A stand-in for the Basic-mode application that answers each command with bytes the test
// scripts, at scripted moments of the virtual clock, and records what it received.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "link/ControlChars.h"
#include "platform/Clock.h"
#include "platform/WindowMessages.h"

namespace vigil::link::test {

struct ScriptedReply {
  std::uint64_t delayMs = 0;  ///< after the command arrived
  std::string bytes;
  std::string to = std::string(kLinkWindowTitle);
};

class ScriptedPeer {
 public:
  ScriptedPeer(platform::VirtualTimeDriver& clock, platform::MessageBus& bus);
  ~ScriptedPeer();

  /// From now on answers the message `received` (prefix included) with `replies`; an empty
  /// list: no answer.
  void Answer(const std::string& received, std::vector<ScriptedReply> replies);
  /// Adds a script for the same message: scripts are used in turn, the last one again.
  void ThenAnswer(const std::string& received, std::vector<ScriptedReply> replies);

  /// Sends bytes on its own, `delayMs` from now.
  void Push(std::uint64_t delayMs, std::string bytes, std::string to = std::string(kLinkWindowTitle));

  const std::vector<std::string>& Received() const { return received_; }
  /// Times of arrival (virtual ms), one per received message.
  const std::vector<std::uint64_t>& ReceivedAtMs() const { return receivedAtMs_; }

 private:
  void OnMessage(std::string bytes);

  platform::VirtualTimeDriver& clock_;
  platform::MessageBus& bus_;
  std::map<std::string, std::deque<std::vector<ScriptedReply>>> scripts_;
  std::vector<std::string> received_;
  std::vector<std::uint64_t> receivedAtMs_;
};

/// The echo of a set-up command followed by ACK, as one message: "#STs " + ACK.
std::string AckedEcho(std::string_view echo);

}  // namespace vigil::link::test
