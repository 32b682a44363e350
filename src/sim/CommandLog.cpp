#include "sim/CommandLog.h"

#include "platform/Format.h"

namespace vigil::sim {

void CommandLog::Add(std::uint64_t elapsedMs, std::string bytes, const Command& command) {
  ++counts_[CommandKey(command.kind)];
  all_.push_back({elapsedMs, std::move(bytes), command});
  // Trimmed in halves so that adding stays cheap on average.
  if (capacity_ != 0 && all_.size() >= 2 * capacity_) {
    all_.erase(all_.begin(), all_.end() - static_cast<std::ptrdiff_t>(capacity_));
  }
}

int CommandLog::Count(std::string_view key) const {
  const auto it = counts_.find(key);
  return it == counts_.end() ? 0 : it->second;
}

void CommandLog::Clear() {
  all_.clear();
  counts_.clear();
}

std::string Printable(std::string_view bytes) {
  std::string out;
  for (const char c : bytes) {
    const auto u = static_cast<unsigned char>(c);
    if (u < 0x20 || u >= 0x7F) {
      out += platform::Format("<%02x>", {static_cast<int>(u)});
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace vigil::sim
