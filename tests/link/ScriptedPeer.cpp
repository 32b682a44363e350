#include "ScriptedPeer.h"

namespace vigil::link::test {

ScriptedPeer::ScriptedPeer(platform::VirtualTimeDriver& clock, platform::MessageBus& bus)
    : clock_(clock), bus_(bus) {
  bus_.Register(kBasicModeTitle, [this](std::string bytes) { OnMessage(std::move(bytes)); });
}

ScriptedPeer::~ScriptedPeer() {
  bus_.Unregister(kBasicModeTitle);
}

void ScriptedPeer::Answer(const std::string& received, std::vector<ScriptedReply> replies) {
  scripts_[received].clear();
  scripts_[received].push_back(std::move(replies));
}

void ScriptedPeer::ThenAnswer(const std::string& received, std::vector<ScriptedReply> replies) {
  scripts_[received].push_back(std::move(replies));
}

void ScriptedPeer::Push(std::uint64_t delayMs, std::string bytes, std::string to) {
  // Holds the bus, not the peer: work still scheduled may outlive a peer of one test case.
  platform::MessageBus* bus = &bus_;
  clock_.Schedule(delayMs, [bus, bytes = std::move(bytes), to = std::move(to)] { bus->SendTo(to, bytes); });
}

void ScriptedPeer::OnMessage(std::string bytes) {
  received_.push_back(bytes);
  receivedAtMs_.push_back(clock_.ElapsedMs());
  auto it = scripts_.find(bytes);
  if (it == scripts_.end() || it->second.empty()) return;
  const std::vector<ScriptedReply> replies = it->second.front();
  if (it->second.size() > 1) it->second.pop_front();
  for (const ScriptedReply& reply : replies) Push(reply.delayMs, reply.bytes, reply.to);
}

std::string AckedEcho(std::string_view echo) {
  std::string text(echo);
  text += kAck;
  return text;
}

}  // namespace vigil::link::test
