#include "sim/ReplyChannel.h"

#include <algorithm>

#include "sim/CommandLog.h"
#include "sim/Faults.h"
#include "sim/ReplyLines.h"

namespace vigil::sim {

namespace {

// Still a complete line, but no reply the program expects.
std::string Garble(std::string line) {
  if (line.size() > 4) line[2] = '~';
  std::replace(line.begin(), line.end(), ',', ';');
  return line;
}

std::string Overlong(std::string line) {
  const std::size_t end = line.size() >= 2 ? line.size() - 2 : line.size();
  line.insert(end, std::string(200, '9'));
  return line;
}

}  // namespace

ReplyChannel::ReplyChannel(platform::MessageBus& bus, SimClock& clock, Faults& faults)
    : bus_(bus), clock_(clock), faults_(faults), self_(std::make_shared<ReplyChannel*>(this)) {}

ReplyChannel::~ReplyChannel() {
  *self_ = nullptr;
}

void ReplyChannel::Send(const std::string& title, std::string bytes, std::uint64_t delayMs) {
  if (bytes.find(kAck) != std::string::npos && TakeOne(faults_.lostAcks)) {
    bytes.erase(std::remove(bytes.begin(), bytes.end(), kAck), bytes.end());
    if (bytes.empty()) return;
  }
  if (TakeOne(faults_.lateReplies)) delayMs += faults_.lateByMs;
  std::vector<std::string> pieces{bytes};
  if (bytes.size() > 1 && TakeOne(faults_.splitReplies)) {
    pieces.clear();
    const std::size_t count =
        std::clamp<std::size_t>(static_cast<std::size_t>(std::max(faults_.splitPieces, 2)), 2, bytes.size());
    const std::size_t step = (bytes.size() + count - 1) / count;
    for (std::size_t at = 0; at < bytes.size(); at += step) pieces.push_back(bytes.substr(at, step));
  }
  std::weak_ptr<ReplyChannel*> weak = self_;
  for (std::size_t i = 0; i < pieces.size(); ++i) {
    clock_.Schedule(delayMs + i * faults_.splitGapMs, [weak, title, piece = pieces[i]] {
      if (auto self = weak.lock(); self && *self) (*self)->Deliver(title, piece);
    });
  }
}

void ReplyChannel::SendData(const std::string& title, const std::function<std::string()>& makeLine,
                            std::uint64_t delayMs) {
  std::string bytes = makeLine();
  if (TakeOne(faults_.garbledLines)) bytes = Garble(bytes);
  if (TakeOne(faults_.overlongLines)) bytes = Overlong(bytes);
  if (TakeOne(faults_.doubleLines)) bytes += makeLine();
  Send(title, std::move(bytes), delayMs);
}

void ReplyChannel::Deliver(const std::string& title, const std::string& bytes) {
  if (muted_) return;
  const bool sent = !title.empty() && bus_.SendTo(title, bytes);
  if (logger_) logger_((sent ? "-> " : "-> (lost) ") + title + ": " + Printable(bytes));
}

}  // namespace vigil::sim
